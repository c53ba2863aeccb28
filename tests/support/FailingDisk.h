#pragma once

#include "core/SiteFile.h"

#include <cerrno>
#include <cstdint>

// Fails every write after a number of bytes, or the sync, or the close, as a disk would.
class FailingDisk : public tav::SiteFileSystem {
public:
    std::size_t bytesBeforeFailure = SIZE_MAX;
    bool failSync = false;
    bool failClose = false;

    long write(int fd, const void *data, std::size_t size) override {
        if (size > bytesBeforeFailure) {
            if (bytesBeforeFailure == 0) {
                errno = ENOSPC;
                return -1;
            }
            size = bytesBeforeFailure; // a short write, then the error
        }
        bytesBeforeFailure -= size;
        return tav::SiteFileSystem::write(fd, data, size);
    }
    int fsync(int fd) override {
        return failSync ? (errno = EIO, -1) : tav::SiteFileSystem::fsync(fd);
    }
    int close(int fd) override {
        const int closed = tav::SiteFileSystem::close(fd);
        return failClose ? (errno = EIO, -1) : closed;
    }
};
