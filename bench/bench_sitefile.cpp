// Saving and opening a field information file with a 64 MiB note: one write (durable, as
// the program always saves) and one read into a fresh record, timed apart.
//   build-sitefile/bin/bench_sitefile PATH [--no-fsync]
// Prints "write_ms=... read_ms=... total_ms=..."; bench/sitefile.sh compares it with cp.
// --no-fsync skips the file's sync, which the program never does: it only shows how much
// of a save the sync takes.
#include "core/SiteFile.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr std::size_t kNoteBytes = std::size_t{64} << 20;

class NoSync : public tav::SiteFileSystem {
public:
    int fsync(int) override { return 0; }
};

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Printable text that does not repeat in any short period, so that nothing on the way can
// make a run of equal bytes cheaper than real text.
std::string note(std::size_t size) {
    std::string note(size, '\0');
    std::uint32_t state = 2463534242u;
    for (char &c : note) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        c = static_cast<char>(' ' + state % 95);
    }
    return note;
}

} // namespace

int main(int argc, char **argv) {
    const bool sync = argc == 2;
    if (argc != 2 && !(argc == 3 && std::string(argv[2]) == "--no-fsync")) {
        std::fprintf(stderr, "usage: %s PATH [--no-fsync]\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    NoSync noSync;

    tav::SiteInformation record;
    record.clientCompanyName = "abc";
    record.fieldName = "Bench field";
    record.date = tav::SiteDate::fromParts(2019, 3, 4);
    record.fileNumber = "120";
    record.meteorological = "Rain";
    record.temperature = "12";
    record.note = note(kNoteBytes);

    auto start = std::chrono::steady_clock::now();
    const tav::SiteWriteResult written =
        tav::SiteFile::write(record, path, sync ? tav::SiteFileSystem::standard() : noSync);
    const double writeMs = millisecondsSince(start);
    if (written.status != tav::SiteWriteStatus::Success) {
        std::fprintf(stderr, "write failed: %s\n", written.reason.c_str());
        return 1;
    }

    tav::SiteInformation back;
    start = std::chrono::steady_clock::now();
    const tav::SiteReadResult read = tav::SiteFile::read(path, back);
    const double readMs = millisecondsSince(start);
    if (read.status != tav::SiteReadStatus::Success) {
        std::fprintf(stderr, "read failed: status %d after %d items %s\n",
                     static_cast<int>(read.status), read.itemsRead, read.reason.c_str());
        return 1;
    }
    if (back.note != record.note || !(back == record)) {
        std::fprintf(stderr, "the record read back differs from the one written\n");
        return 1;
    }
    std::printf("write_ms=%.3f read_ms=%.3f total_ms=%.3f\n", writeMs, readMs, writeMs + readMs);
    return 0;
}
