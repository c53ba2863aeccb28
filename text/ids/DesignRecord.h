#pragma once

// String ids: the record of a design that a designed document keeps, and the report's
// and tav-calc system's words of it. Included by text/StringIds.h.
namespace StringId {

// 9100-9199: the record of a design.
namespace DesignRecord {
// The record refused at its path: lines out of range (path, the most lines), a range of
// lines the wrong way round, a spacing not named, too many runner-ups (path, the most), a
// margin above 1.
inline constexpr unsigned kLines = 9100;
inline constexpr unsigned kLinesOrder = 9101;
inline constexpr unsigned kSpacing = 9102;
inline constexpr unsigned kRunnerUps = 9103;
inline constexpr unsigned kMargin = 9104;

// The report's section: its heading; that the layout was designed (passing, or the least
// failing of its family).
inline constexpr unsigned kHeading = 9110;
inline constexpr unsigned kDesigned = 9111;
inline constexpr unsigned kLeastFailing = 9112;
// The family and the prices, a block of their own: its heading; conductors across x and
// across y (from, to), the spacings (even alone, or both), the rods (the counts and length
// of each, joined; none besides), the surface layer (searched or not), the family's size.
inline constexpr unsigned kFamilyHeading = 9132;
inline constexpr unsigned kLinesX = 9113;
inline constexpr unsigned kLinesY = 9114;
inline constexpr unsigned kLineRange = 9115;
inline constexpr unsigned kSpacings = 9116;
inline constexpr unsigned kEvenOnly = 9117;
inline constexpr unsigned kEvenOrCompressed = 9118;
inline constexpr unsigned kRodsSearched = 9119;
inline constexpr unsigned kRodOption = 9120;
inline constexpr unsigned kNoRodsOr = 9121;
inline constexpr unsigned kSurface = 9122;
inline constexpr unsigned kSurfaceSearched = 9123;
inline constexpr unsigned kSurfaceNotSearched = 9124;
inline constexpr unsigned kLayouts = 9125;
// The prices: conductor, rod, surface layer, and a layer not priced.
inline constexpr unsigned kConductorPrice = 9126;
inline constexpr unsigned kRodPrice = 9127;
inline constexpr unsigned kSurfacePrice = 9128;
inline constexpr unsigned kNotPriced = 9129;
// The designed layout (its words); its cost and the solves.
inline constexpr unsigned kLayout = 9130;
inline constexpr unsigned kCost = 9131;
// A layout in a few words: lines across x and y, spacing, rods; then the surface layer
// where it was the design's to choose; the spacing when the two ways differ (x's, y's).
inline constexpr unsigned kLayoutCell = 9133;
inline constexpr unsigned kWithSurface = 9146;
inline constexpr unsigned kSpacingEach = 9134;
// The runner-ups' table: its heading, its five columns, and none solved.
inline constexpr unsigned kRunnerUpsHeading = 9135;
inline constexpr unsigned kColumns = 9136; // 9136-9140
inline constexpr unsigned kNoRunnerUps = 9141;
// The layout edited since it was designed: what its parts cost now against the design's;
// edited, its cost not known.
inline constexpr unsigned kChanged = 9142;
inline constexpr unsigned kChangedUnpriced = 9143;
// tav-calc system's line of a designed study: passing (cost, solves, runner-ups), or the
// least failing.
inline constexpr unsigned kSystemLine = 9144;
inline constexpr unsigned kSystemLineFailing = 9145;
} // namespace DesignRecord

} // namespace StringId
