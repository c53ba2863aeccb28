#pragma once

// String ids: what a drawing's layers bring beside conductors and rods (fences, touch
// areas, the crushed rock's outline). Included by text/StringIds.h.
namespace StringId {

namespace DrawingRoles {
// Why an entity of such a layer was left out, in the order of LeftOutReason's from
// FenceLacks on.
inline constexpr unsigned kFenceLacks = 8900;
inline constexpr unsigned kAreaLacks = 8901;
inline constexpr unsigned kOutlineUnfit = 8902;
inline constexpr unsigned kSecondSurface = 8903;
// The import dialog: the layer's uses after kConductors' three, in LayerRole's order.
inline constexpr unsigned kFences = 8904;
inline constexpr unsigned kTouchAreas = 8905;
inline constexpr unsigned kSurface = 8906;
inline constexpr unsigned kPostSpacingColumn = 8907;
inline constexpr unsigned kTakes = 8908; // (fences, touch areas, surface outlines)
// tav-calc dxf-import's summary: the counts (count).
inline constexpr unsigned kImportFences = 8909;
inline constexpr unsigned kImportTouchAreas = 8910;
inline constexpr unsigned kImportSurface = 8911;
} // namespace DrawingRoles

} // namespace StringId
