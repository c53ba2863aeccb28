#pragma once

#include <optional>

namespace tav::cad {

// The units a drawing of an earthing system is drawn in, by the codes of DXF's $INSUNITS.
enum class DrawingUnit { Inch = 1, Foot = 2, Millimetre = 4, Centimetre = 5, Metre = 6 };

// The unit $INSUNITS names, or none for "unitless" and every unit a site plan is not drawn
// in (miles, microns, light years...), which the caller then has to name.
std::optional<DrawingUnit> drawingUnitFromCode(int code);

// Metres in one drawing unit.
double metresPerUnit(DrawingUnit unit);

} // namespace tav::cad
