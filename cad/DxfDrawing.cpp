#include "cad/DxfDrawing.h"

#include "cad/BlockGraph.h"
#include "cad/DxfFlattener.h"
#include "cad/DxfParser.h"
#include "core/RegularFile.h"

#include <sys/stat.h>

namespace tav::cad {

DxfDrawing::DxfDrawing(std::optional<int> insunits, std::vector<DxfPolyline> polylines,
                       std::vector<DxfPoint> points, DxfEntityCounts ignored)
    : m_insunits(insunits), m_polylines(std::move(polylines)), m_points(std::move(points)),
      m_ignored(std::move(ignored)) {}

std::optional<DrawingUnit> DxfDrawing::units() const {
    return m_insunits ? drawingUnitFromCode(*m_insunits) : std::nullopt;
}

Refusable<DxfDrawing> DxfDrawing::read(const std::string &path, const DxfReadOptions &options) {
    // The size first, so that a file far too large is refused without reading it.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return Refusal{Error::DrawingCannotOpen, Quantity::None, {}};
    if (std::size_t(status.st_size) > options.limits.fileBytes)
        return Refusal{Error::DrawingTooLarge, Quantity::None,
                       {double(status.st_size), double(options.limits.fileBytes)}};
    const RegularFileRead file = readRegularFile(path, options.limits.fileBytes);
    if (file.status == RegularFileRead::Status::TooLong)
        return Refusal{Error::DrawingTooLarge, Quantity::None,
                       {double(options.limits.fileBytes) + 1, double(options.limits.fileBytes)}};
    if (file.status != RegularFileRead::Status::Read)
        return Refusal{Error::DrawingCannotOpen, Quantity::None, {}};
    return fromText(file.bytes, options);
}

Refusable<DxfDrawing> DxfDrawing::fromText(std::string_view text, const DxfReadOptions &options) {
    if (text.size() > options.limits.fileBytes)
        return Refusal{Error::DrawingTooLarge, Quantity::None,
                       {double(text.size()), double(options.limits.fileBytes)}};
    // AutoCAD's binary DXF begins with this sentinel; its groups are not lines of text.
    if (text.substr(0, 18) == "AutoCAD Binary DXF")
        return Refusal{Error::DrawingBinaryDxf, Quantity::None, {}};
    Refusable<DxfSource> source = DxfParser(text, options.limits.entities).parse();
    if (source.refused())
        return source.refusal();
    BlockGraph graph(source.result(), options.limits.blockDepth, double(options.limits.entities));
    if (auto refusal = graph.check(options.expandBlocks))
        return *refusal;
    DxfFlattener flattener(source.result(), options);
    flattener.run();
    return DxfDrawing(source.result().insunits, flattener.takePolylines(), flattener.takePoints(),
                      flattener.takeIgnored());
}

} // namespace tav::cad
