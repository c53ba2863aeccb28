#pragma once

// String ids: 9200-9299, what a study's case varies besides its soil and current: its
// decrement factor, surface layer and criteria; and every case's maps in the report.
namespace StringId {

namespace CaseKeys {
// A case's decrement factor (path) where there is no current to work out from it, and
// beside the case's own current.
inline constexpr unsigned kDecrementWithoutBasis = 9200;
inline constexpr unsigned kDecrementBesideCurrent = 9201;
// A map of one case among every case's (case name, the map's heading).
inline constexpr unsigned kCaseMap = 9210;
} // namespace CaseKeys

} // namespace StringId
