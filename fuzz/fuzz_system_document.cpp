// libFuzzer entry for the earthing system document's reader: any bytes must be read or
// refused without a crash, a leak or undefined behaviour; a refusal must have its words,
// a document read must expand into conductors the solver's checks take or refuse, and must
// write a document that reads back and writes the same.
#include "core/earthing/InputCheck.h"
#include "document/DocumentWording.h"
#include "document/SystemDocument.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char *what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_system_document: %s\n", what);
        std::abort();
    }
}

QString idText(unsigned id) {
    return QString::number(id) + QStringLiteral(" %1 %2");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    tav::DocumentError error;
    const tav::SystemDocument document = tav::SystemDocument::fromJson(json, error);
    if (error.kind != tav::DocumentError::Kind::None) {
        require(DocumentWording::errorId(error.kind) != 0, "a refusal without words");
        require(!DocumentWording::error(error, &idText).isEmpty(), "a refusal worded empty");
        return 0;
    }
    // Counted before it is expanded: a part past the solver's limit is refused, never made.
    const tav::SystemDocument::Expansion expansion = document.expanded();
    if (!expansion.input.refused()) {
        const tav::earthing::EarthingInput &input = expansion.input.result();
        require(document.sources().size() == input.conductors.size(),
                "a conductor without its source");
        (void)tav::earthing::InputCheck::check(input);
    } else {
        require(!expansion.refusedPart.isEmpty() ||
                    expansion.input.refusal().error != tav::Error::TooManyConductors,
                "a part refused for its size without its path");
    }
    const QByteArray written = document.toJson();
    tav::DocumentError again;
    const tav::SystemDocument reread = tav::SystemDocument::fromJson(written, again);
    require(again.kind == tav::DocumentError::Kind::None, "a written document does not read");
    require(reread.toJson() == written, "a document writes differently the second time");
    return 0;
}
