#pragma once

// String ids: the automatic design of a layout inside an outline. Included by
// text/StringIds.h.
namespace StringId {

// 8600-8799: the automatic design.
namespace Design {
// The document's design refused at its path (path; the range's bounds where it has them).
inline constexpr unsigned kNoRodLengths = 8600;
inline constexpr unsigned kDepthRange = 8601;
inline constexpr unsigned kDiameterRange = 8602;
inline constexpr unsigned kRodLengthRange = 8603;
// A document without a design to search, or without the criteria to judge it by.
inline constexpr unsigned kNoDesign = 8604;
inline constexpr unsigned kNoCriteria = 8605;
// The outcome: a layout passes (cost), or none does (the least failing's cost).
inline constexpr unsigned kSafe = 8610;
inline constexpr unsigned kNotSafe = 8611;
// The layout: lines across x, their spacing, lines across y, theirs, rods, rod length,
// the surface layer.
inline constexpr unsigned kLayout = 8612;
inline constexpr unsigned kEvenly = 8613;
inline constexpr unsigned kCompressed = 8614;
inline constexpr unsigned kSurfaceLaid = 8615;
inline constexpr unsigned kSurfaceNotLaid = 8616;
inline constexpr unsigned kSurfaceAsStudy = 8617;
// The worst touch and step over their tolerable values, as percentages.
inline constexpr unsigned kShares = 8618;
// Solves (layouts solved, solver runs, family size, skipped by the estimate or dominance).
inline constexpr unsigned kSolves = 8619;
// What limits a design that fails: the touch (touch V, tolerable V, GPR V); the step
// (step V, tolerable V); what would help.
inline constexpr unsigned kTouchLimits = 8620;
inline constexpr unsigned kStepLimits = 8621;
inline constexpr unsigned kWouldHelp = 8622;
// No rods; count rods of length m on the perimeter.
inline constexpr unsigned kNoRods = 8623;
inline constexpr unsigned kRods = 8625;
// The output file could not be written (path).
inline constexpr unsigned kNotWritten = 8624;
// A stage written for solving elsewhere (its count of documents), the documents following.
inline constexpr unsigned kPending = 8626;
} // namespace Design

} // namespace StringId
