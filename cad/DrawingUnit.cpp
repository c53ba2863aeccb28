#include "cad/DrawingUnit.h"

namespace tav::cad {

std::optional<DrawingUnit> drawingUnitFromCode(int code) {
    switch (code) {
    case int(DrawingUnit::Inch):
    case int(DrawingUnit::Foot):
    case int(DrawingUnit::Millimetre):
    case int(DrawingUnit::Centimetre):
    case int(DrawingUnit::Metre):
        return DrawingUnit(code);
    default:
        return std::nullopt;
    }
}

double metresPerUnit(DrawingUnit unit) {
    switch (unit) {
    case DrawingUnit::Inch:
        return 0.0254;
    case DrawingUnit::Foot:
        return 0.3048;
    case DrawingUnit::Millimetre:
        return 0.001;
    case DrawingUnit::Centimetre:
        return 0.01;
    case DrawingUnit::Metre:
        return 1.0;
    }
    return 1.0;
}

} // namespace tav::cad
