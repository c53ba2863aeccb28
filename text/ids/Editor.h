#pragma once

#include <array>

// String ids: the plan's editor, outlines and cases. Included by text/StringIds.h.
namespace StringId {

// 8100-8299: the plan's editor in the earthing study: its tools, snapping, typed points,
// the edits of a selection and their names on the undo stack.
namespace PlanEditor {
inline constexpr unsigned kToolSelect = 8100;
inline constexpr unsigned kToolConductor = 8101;
inline constexpr unsigned kToolRod = 8102;
inline constexpr unsigned kToolFence = 8103;
inline constexpr unsigned kToolTouchArea = 8104;
inline constexpr unsigned kToolSurfaceZone = 8105;
inline constexpr unsigned kToolMeasure = 8106;
inline constexpr unsigned kHintSelect = 8107;
inline constexpr unsigned kHintConductor = 8108;
inline constexpr unsigned kHintRod = 8109;
inline constexpr unsigned kHintFence = 8110;
inline constexpr unsigned kHintPolygon = 8111;
inline constexpr unsigned kHintMeasure = 8112;
inline constexpr unsigned kMeasured = 8113;
inline constexpr unsigned kCursorSite = 8114;
inline constexpr unsigned kCursorSitePotential = 8115;
inline constexpr unsigned kTypedLabel = 8116;
inline constexpr unsigned kTypedPlaceholder = 8117;
inline constexpr unsigned kTypedUnread = 8118;
inline constexpr unsigned kMoveCommand = 8119;
inline constexpr unsigned kMoveCornerCommand = 8120;
inline constexpr unsigned kPasteCommand = 8121;
inline constexpr unsigned kArrayCommand = 8122;
inline constexpr unsigned kRotateCommand = 8123;
inline constexpr unsigned kDeleteCommand = 8124;
inline constexpr unsigned kDrawConductorCommand = 8125;
inline constexpr unsigned kAddRodCommand = 8126;
inline constexpr unsigned kDrawFenceCommand = 8127;
inline constexpr unsigned kCopy = 8128;
inline constexpr unsigned kPaste = 8129;
inline constexpr unsigned kDelete = 8130;
inline constexpr unsigned kRotateQuarter = 8131;
inline constexpr unsigned kRotateBy = 8132;
inline constexpr unsigned kArray = 8133;
inline constexpr unsigned kSnapGrid = 8134;
inline constexpr unsigned kGridStep = 8135;
inline constexpr unsigned kSnapMetal = 8136;
inline constexpr unsigned kAngle = 8137;
inline constexpr unsigned kRows = 8138;
inline constexpr unsigned kColumns = 8139;
inline constexpr unsigned kSpacingX = 8140;
inline constexpr unsigned kSpacingY = 8141;
inline constexpr unsigned kStepLabel = 8142;
inline constexpr unsigned kCannotRotate = 8143;
inline constexpr unsigned kNothingSelected = 8144;
inline constexpr unsigned kDrawMenu = 8145;
inline constexpr unsigned kToolTip = 8146;
inline constexpr unsigned kNothingCopied = 8147;
inline constexpr unsigned kSelected = 8148;
} // namespace PlanEditor

// 8300-8399: fences and zones of any outline, the drawing's layers that bring them, and
// the main window's way into the studies.
namespace Outline {
// path should hold a fence's outline of at least expected corners (path, expected).
inline constexpr unsigned kTooFewOutlineCorners = 8301;
// path is given beside the fence's outline, which places the fence (path).
inline constexpr unsigned kBesideOutline = 8302;
// path means something only with a fence's outline (path).
inline constexpr unsigned kWithoutOutline = 8303;
// A fence along an outline in the report: the parts table's place (corners), and the
// inputs' line (corners, post length, spacing, group).
inline constexpr unsigned kPartFenceAlong = 8304;
inline constexpr unsigned kFenceAlong = 8305;
} // namespace Outline

// 8400-8599: the cases of a study. 8400-8409 the faults of the document's cases: a blank
// name (path), a name taken (path), a count outside 1 to the most (path, most).
namespace Cases {
inline constexpr unsigned kEmptyName = 8400;
inline constexpr unsigned kNameTaken = 8401;
inline constexpr unsigned kCaseCount = 8402;
// 8410-8439: tav-calc system's cases. The governing case (name, cases, solves); the
// cases' heading and the 9 columns of their table; the envelope's heading, a touch area
// (number, kind, part, judged), a touch point (name, judged), a step (side, judged), the
// verdict over every case (verdict); a place judged (voltage, at, tolerable, verdict,
// case).
inline constexpr unsigned kGoverning = 8410;
inline constexpr unsigned kHeading = 8411;
inline constexpr unsigned kColumns = 8412; // 8412-8420
inline constexpr unsigned kEnvelope = 8421;
inline constexpr unsigned kEnvelopeArea = 8422;
inline constexpr unsigned kEnvelopePoint = 8423;
inline constexpr unsigned kEnvelopeStep = 8424;
inline constexpr unsigned kEnvelopeOverall = 8425;
inline constexpr unsigned kPlaceJudged = 8426;
inline constexpr unsigned kEnvelopeStepAlone = 8427; // a step in a study without a layer
// The report: the verdict over every case (verdict, governing case), the places of a case
// (name).
inline constexpr unsigned kReportVerdict = 8430;
inline constexpr unsigned kReportPlaces = 8431;
} // namespace Cases

} // namespace StringId
