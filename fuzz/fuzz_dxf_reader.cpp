// libFuzzer entry for the DXF reader and the import after it: any bytes must be read or
// refused without a crash, a leak, undefined behaviour or a hang, within the reader's caps;
// a drawing read is imported with every layer a conductor and a rod layer by turns, crossings
// joined, and what comes out must be finite and as many as the solver takes.
#include "cad/DrawingImport.h"
#include "cad/DxfDrawing.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace tav::cad;

void require(bool condition, const char *what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_dxf_reader: %s\n", what);
        std::abort();
    }
}

bool finite(const tav::earthing::Point3 &p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

ImportSettings everyLayer(const DxfDrawing &drawing) {
    ImportSettings settings;
    settings.units = DrawingUnit::Metre;
    settings.joinCrossings = true;
    bool rod = false;
    const auto map = [&settings, &rod](const std::string &layer) {
        LayerMapping &m = settings.layers[layer];
        m.role = rod ? LayerRole::Rod : LayerRole::Conductor;
        m.depth = 0.5;
        m.diameter = 0.01;
        m.rodLength = 3;
        rod = !rod;
    };
    for (const DxfPolyline &p : drawing.polylines())
        if (!settings.layers.count(p.layer))
            map(p.layer);
    for (const DxfPoint &p : drawing.points())
        if (!settings.layers.count(p.layer))
            map(p.layer);
    return settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    DxfReadOptions options;
    options.limits.entities = 20000; // the caps are what is tested, not the machine
    options.expandBlocks = size % 2 == 0;
    const tav::Refusable<DxfDrawing> read =
        DxfDrawing::fromText(std::string_view(reinterpret_cast<const char *>(data), size), options);
    if (read.refused())
        return 0;
    const DxfDrawing &drawing = read.result();
    require(drawing.polylines().size() + drawing.points().size() <= options.limits.entities,
            "more entities than the cap");
    const ImportSettings settings = everyLayer(drawing);
    const tav::Refusable<ImportedPlan> plan = DrawingImport(drawing, settings).run();
    if (plan.refused())
        return 0;
    for (const ImportedConductor &c : plan.result().conductors)
        require(finite(c.from) && finite(c.to) && c.diameter > 0, "a conductor not finite");
    for (const ImportedRod &r : plan.result().rods)
        require(std::isfinite(r.x) && std::isfinite(r.y) && r.length > 0, "a rod not finite");
    return 0;
}
