#include "cli/DocumentInput.h"

#include "cli/CliStrings.h"
#include "cli/CommandLine.h"
#include "core/RegularFile.h"
#include "text/StringIds.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool standardInputClosed = false;

QString systemReason(int failure) {
    return QString::fromLocal8Bit(std::strerror(failure));
}

} // namespace

void DocumentInput::noteStandardInput() {
    if (::fcntl(STDIN_FILENO, F_GETFD) >= 0 || errno != EBADF)
        return;
    standardInputClosed = true;
    // Held by nothing that reads, so that no other file takes standard input's number.
    const int null = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (null > STDIN_FILENO)
        ::close(null);
}

bool DocumentInput::read(const QString &path, QByteArray &content, QString &reason, Kind kind) {
    return path == QLatin1String("-") ? readStandardInput(content, reason, kind)
                                      : readFile(path, content, reason, kind);
}

unsigned DocumentInput::tooLong(Kind kind, bool standardInput) {
    switch (kind) {
    case Kind::SystemDocument:
        break;
    case Kind::LayerMap:
        return standardInput ? StringId::InputFiles::kStandardInputTooLongForMap
                             : StringId::InputFiles::kTooLongForMap;
    case Kind::Readings:
        return standardInput ? StringId::InputFiles::kStandardInputTooLongForReadings
                             : StringId::InputFiles::kTooLongForReadings;
    }
    return standardInput ? StringId::kStandardInputTooLong : StringId::kDocumentTooLong;
}

bool DocumentInput::readFile(const QString &path, QByteArray &content, QString &reason, Kind kind) {
    const auto refuse = [&](const QString &why) {
        reason = CliStrings::text(StringId::kFileUnreadable).arg(path, why);
        return false;
    };
    using Status = tav::RegularFileRead::Status;
    const tav::RegularFileRead file =
        tav::readRegularFile(CommandLine::bytes(path).toStdString(), std::size_t(kMostBytes));
    switch (file.status) {
    case Status::NotRegular:
        return refuse(CliStrings::wording().fileKind(file.kind));
    case Status::Failed:
        return refuse(systemReason(file.error));
    case Status::TooLong:
        return refuse(CliStrings::text(tooLong(kind, false)).arg(kMostBytes));
    case Status::Read:
        break;
    }
    content = QByteArray::fromStdString(file.bytes);
    return true;
}

bool DocumentInput::readStandardInput(QByteArray &content, QString &reason, Kind kind) {
    if (standardInputClosed) {
        reason = CliStrings::text(StringId::kStandardInputClosed);
        return false;
    }
    int failure = 0;
    if (!readUpTo(STDIN_FILENO, content, failure)) {
        reason = CliStrings::text(StringId::kSiteInputUnreadable).arg(systemReason(failure));
        return false;
    }
    if (content.size() > kMostBytes) {
        reason = CliStrings::text(tooLong(kind, true)).arg(kMostBytes);
        return false;
    }
    return true;
}

bool DocumentInput::readUpTo(int descriptor, QByteArray &content, int &failure) {
    char piece[1 << 16];
    while (content.size() <= kMostBytes) {
        const ssize_t got = ::read(descriptor, piece, sizeof piece);
        if (got < 0 && errno == EINTR)
            continue;
        // Standard input may have been left without blocking by whoever gave it.
        if (got < 0 && errno == EAGAIN) {
            pollfd wait{descriptor, POLLIN, 0};
            ::poll(&wait, 1, -1);
            continue;
        }
        if (got < 0) {
            failure = errno;
            return false;
        }
        if (got == 0)
            return true;
        content.append(piece, qsizetype(got));
    }
    return true;
}
