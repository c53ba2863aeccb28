// libFuzzer entry for the field information reader: any bytes must be read without a crash,
// a leak or undefined behaviour, and the record they leave, complete or not, must survive a
// write and a read unchanged.
#include "core/SiteFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void require(bool condition, const char *what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_site_reader: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    tav::SiteInformation record;
    const tav::SiteReadResult result = tav::SiteFile::decode(data, size, record);
    require(result.itemsRead >= 0 && result.itemsRead <= tav::kSiteItems,
            "items read out of range");
    require((result.status == tav::SiteReadStatus::Success) ==
                (result.itemsRead == tav::kSiteItems),
            "success does not match the items read");

    // Texts stored as 16-bit units come back as UTF-8 bytes, which the writer stores as
    // 8-bit texts: the written record, not the input bytes, is what must read back the same.
    // That holds for any record, so a read that stopped part way is written too.
    const std::string bytes = tav::SiteFile::encode(record);
    tav::SiteInformation again;
    const tav::SiteReadResult reread = tav::SiteFile::decode(
        reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(), again);
    require(reread.status == tav::SiteReadStatus::Success, "a written record does not read");
    require(reread.itemsRead == tav::kSiteItems, "a written record reads short");
    require(again == record, "a written record reads back different");
    require(tav::SiteFile::encode(again) == bytes, "a record writes differently the second time");
    return 0;
}
