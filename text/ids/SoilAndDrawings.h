#pragma once

#include <array>

// String ids: the soil window's layers, the drawing import and export, the study windows, and
// hostile input answered. Included by text/StringIds.h.
namespace StringId {

// The soil model window's layers, arrays and readings files.
namespace SoilWindow {
inline constexpr unsigned kTitle = 6100;
inline constexpr unsigned kLayers = 6101;
inline constexpr unsigned kAutomatic = 6102;
inline constexpr unsigned kArray = 6103;
inline constexpr unsigned kWenner = 6104;
inline constexpr unsigned kSchlumberger = 6105;
inline constexpr unsigned kMissingMn = 6106; // (row)
inline constexpr unsigned kImport = 6108;
inline constexpr unsigned kSaveReadings = 6109;
inline constexpr unsigned kOpenReadings = 6110;
inline constexpr unsigned kCsvFilter = 6111;
inline constexpr unsigned kReadingsFilter = 6112;
inline constexpr unsigned kImportRefused = 6113; // (why)
inline constexpr unsigned kImportNeedsMn = 6114; // (row)
inline constexpr unsigned kOpenRefused = 6115;   // (path, why)
inline constexpr unsigned kFieldWrong = 6116;    // (field)
inline constexpr unsigned kSaveFailed = 6117;    // (path, why)
inline constexpr unsigned kNotJson = 6118;       // (parser's words)
// Each count of layers tried when the count was chosen: (count, RMS error), then for a
// count after the first the F ratio against its 95 % point.
inline constexpr unsigned kCountFit = 6119;       // (count, rms)
inline constexpr unsigned kCountFitTested = 6120; // (count, rms, F, F at 95 %)
} // namespace SoilWindow

// Soils of three to five layers: the document's refusals, the solver's check of a layer,
// the study window's table of layers and the report's line of them.
namespace SoilLayers {
inline constexpr unsigned kTooMany = 6200;       // (path, layers)
inline constexpr unsigned kLastThickness = 6201; // (path)
inline constexpr unsigned kBeside = 6202;        // (path)
inline constexpr unsigned kNone = 6203;          // (path)
inline constexpr unsigned kNotPositive = 6204;   // {quantity} (layer, value)
inline constexpr unsigned kResistivity = 6205;   // the quantity's name
inline constexpr unsigned kThickness = 6206;     // the quantity's name
inline constexpr unsigned kChoice = 6207;        // beside Uniform and Two layers
inline constexpr unsigned kRhoColumn = 6208;
inline constexpr unsigned kThicknessColumn = 6209;
inline constexpr unsigned kBottomless = 6210; // the last layer's thickness
inline constexpr unsigned kAdd = 6211;
inline constexpr unsigned kRemove = 6212;
inline constexpr unsigned kCellRho = 6213;       // (layer from 1)
inline constexpr unsigned kCellThickness = 6214; // (layer from 1)
inline constexpr unsigned kAddCommand = 6215;
inline constexpr unsigned kRemoveCommand = 6216;
inline constexpr unsigned kReportLayer = 6217;  // (rho, depth of its bottom)
inline constexpr unsigned kReportBottom = 6218; // (rho)
inline constexpr unsigned kReportLayers = 6219; // (count, the layers)
inline constexpr unsigned kUndetermined = 6220; // (count), the soil model window's
} // namespace SoilLayers

// 6400-6409: a drawing's refusals, in the order of Error's from DrawingNotDxf on.
inline constexpr unsigned kDrawingRefusals = 6400;

// 6500-6530: the study's import of a drawing.
namespace DxfImport {
inline constexpr unsigned kTitle = 6500; // (file name)
inline constexpr unsigned kMenu = 6501;
inline constexpr unsigned kUnits = 6502;
inline constexpr unsigned kUnitsAsked = 6503;
inline constexpr unsigned kMillimetres = 6504; // to 6508, as DxfImportDialog's units
inline constexpr unsigned kAutoOrigin = 6509;
inline constexpr unsigned kOriginX = 6510;
inline constexpr unsigned kOriginY = 6511;
inline constexpr unsigned kJoin = 6512;
inline constexpr unsigned kLayerColumn = 6513;  // to 6519, the table's columns in order
inline constexpr unsigned kConductors = 6520;   // 6520-6522, a layer's uses
inline constexpr unsigned kTakes = 6523;        // (conductors, rods, merged, joined)
inline constexpr unsigned kIgnored = 6525;      // (the entries)
inline constexpr unsigned kIgnoredEntry = 6526; // (count, type, layer)
inline constexpr unsigned kCommand = 6527;      // (file name), the edit's name
inline constexpr unsigned kFilter = 6528;
inline constexpr unsigned kUnreadable = 6529; // (file name, the refusal)
inline constexpr unsigned kOriginNotNumber = 6530;
} // namespace DxfImport
// 6700-6715: imported drawings. The part's kind and its name field, its name in the
// leakage table (its number from 1); tav-calc dxf-import's summary: the counts (count),
// the origin (x, y), a layer left out (count, layer, why), why by the layer's role (not
// named, conductor, rod), what was ignored (types and counts, layer); the layer map's
// refusals: a role it does not know (path), a file it cannot read (file, why); and the
// summary's line when nothing was left out.
inline constexpr unsigned kKindDrawing = 6700;
inline constexpr unsigned kDrawingNameField = 6701;
inline constexpr unsigned kLeakageDrawing = 6702;
inline constexpr unsigned kImportConductors = 6703;
inline constexpr unsigned kImportRods = 6704;
inline constexpr unsigned kImportMerged = 6705;
inline constexpr unsigned kImportJoins = 6706;
inline constexpr unsigned kImportOrigin = 6707;
inline constexpr unsigned kImportLeftOut = 6708;
inline constexpr unsigned kImportLeftOutWhy = 6709; // not named, conductor, rod
inline constexpr unsigned kImportIgnored = 6712;
inline constexpr unsigned kImportUnknownRole = 6713;
inline constexpr unsigned kImportMapUnreadable = 6714;
inline constexpr unsigned kImportNothingLeftOut = 6715;

// 6720-6731: an imported drawing's rows in the study window: the tables' headings, the
// columns a conductor part does not already name, a cell's label (row from 1, column),
// the buttons, which name their edits too.
namespace DrawingRows {
inline constexpr unsigned kConductors = 6720;
inline constexpr unsigned kRods = 6721;
inline constexpr unsigned kX = 6722;
inline constexpr unsigned kY = 6723;
inline constexpr unsigned kTop = 6724;
inline constexpr unsigned kConductorCell = 6725; // (row, column)
inline constexpr unsigned kRodCell = 6726;       // (row, column)
inline constexpr unsigned kAddConductor = 6727;
inline constexpr unsigned kRemoveConductor = 6728;
inline constexpr unsigned kAddRod = 6729;
inline constexpr unsigned kRemoveRod = 6730;
} // namespace DrawingRows

// 6742-6745: a drawing in the report: the site coordinates of the study's 0, 0 (label,
// then x, y), an imported drawing's line (name, conductors, their length, rods, the metal),
// and a place given on site too (the place as shown, x, y on site).
namespace DrawingReport {
inline constexpr unsigned kSiteOrigin = 6742;
inline constexpr unsigned kSiteOriginValue = 6743;
inline constexpr unsigned kPart = 6744;
inline constexpr unsigned kOnSite = 6745;
} // namespace DrawingReport

// 6740-6741: the study's export of its solve as a drawing, and why not before a solve.
namespace DrawingExport {
inline constexpr unsigned kMenu = 6740;
inline constexpr unsigned kSolveFirst = 6741;
} // namespace DrawingExport

// 7200-7399: the study windows' own words beside those of their blocks above.
namespace StudyWindows {
// The conductor sizing's current, as the grid safety window names its field.
inline constexpr unsigned kSymmetricalCurrent = 7200;
// A part removed whose group touch areas or points stand on: (part's name, their count).
inline constexpr unsigned kRemoveWithPlaces = 7201;
// The soil model window's edits of its readings, as Edit > Undo names them: a cell typed
// (row from 1), a reading ticked or left out (row), a paste, Clear, Delete, an import, a
// file opened, the array chosen, the soil form's readings.
inline constexpr unsigned kReadingTyped = 7210;
inline constexpr unsigned kReadingTaken = 7211;
inline constexpr unsigned kReadingLeftOut = 7212;
inline constexpr unsigned kReadingsPasted = 7213;
inline constexpr unsigned kReadingsCleared = 7214;
inline constexpr unsigned kReadingsDeleted = 7215;
inline constexpr unsigned kReadingsImported = 7216;
inline constexpr unsigned kReadingsOpened = 7217;
inline constexpr unsigned kArrayChosen = 7218;
inline constexpr unsigned kFormReadings = 7219;
// A problem of the system in the words of the parts list: (the part's name, the problem);
// a conductor of a part (the part's name), or a row of a drawing (row from 1, the part's
// name); two conductors of one part (its name), or of two (each in the words before).
inline constexpr unsigned kPartProblem = 7220;
inline constexpr unsigned kConductorOf = 7221;
inline constexpr unsigned kRodOf = 7222;
inline constexpr unsigned kPostOf = 7223;
inline constexpr unsigned kConductorRowOf = 7224;
inline constexpr unsigned kRodRowOf = 7225;
inline constexpr unsigned kTwoConductorsOf = 7226;
inline constexpr unsigned kOneAndOther = 7227;
// 7230-7241: the solver's refusals of a conductor or two, the conductors in those words
// (%1), the rest of the values as the refusals' own (Error's comments) from %2 on: not
// finite, zero length, above the surface, on the surface, diameter not positive, not below
// the length, group below 0, overlapping, beyond reach, below the thinnest, radius above
// the surface, groups touching.
inline constexpr unsigned kConductorRefusals = 7230;
} // namespace StudyWindows

// 7500-7501: where a place stands in a study without a surface layer: the command line's
// words, and the places table's cell.
namespace SurfaceLayer {
inline constexpr unsigned kNone = 7500;
inline constexpr unsigned kNoneCell = 7501;
} // namespace SurfaceLayer

// 7510-7519: the system document's faults: a soil's layers beside rho1, rho2 and h that
// differ from them (path); a polygon of more corners than are taken (path, most).
namespace DocumentFaults {
inline constexpr unsigned kLayersDisagree = 7510;
inline constexpr unsigned kTooManyCorners = 7511;
} // namespace DocumentFaults

// 7520-7539: refusals of inputs beyond what is taken, by Error: the values each carries
// are errors.h's.
namespace InputRefusals {
inline constexpr unsigned kTooManyReadings = 7520;
inline constexpr unsigned kPotentialSpacingNotPositive = 7521;
inline constexpr unsigned kReadingsHeaderUnclear = 7522;
inline constexpr unsigned kDrawingUnitNotTaken = 7523;
inline constexpr unsigned kAboveCeiling = 7524; // {quantity}
inline constexpr unsigned kCrossingsBeyondLimit = 7525;
inline constexpr unsigned kTooFewReadingsForSounding = 7526;
} // namespace InputRefusals

// 7540-7549: tav-calc dxf-import's layer map: two names of one layer (both paths).
namespace LayerMapFaults {
inline constexpr unsigned kSameLayer = 7540;
} // namespace LayerMapFaults

// 7550-7553: a file of tav-calc's beyond 64 MiB, said of its kind: a layer map, named or
// on standard input, and a file of readings, likewise (bytes).
namespace InputFiles {
inline constexpr unsigned kTooLongForMap = 7550;
inline constexpr unsigned kStandardInputTooLongForMap = 7551;
inline constexpr unsigned kTooLongForReadings = 7552;
inline constexpr unsigned kStandardInputTooLongForReadings = 7553;
} // namespace InputFiles

// 7560-7562: an imported drawing's entities left out: the window's line (count, layer,
// why), and two reasons beside kImportLeftOutWhy's: too short, too far out.
namespace ImportLeftOut {
inline constexpr unsigned kLine = 7560;
inline constexpr unsigned kTooShort = 7561;
inline constexpr unsigned kTooFar = 7562;
} // namespace ImportLeftOut

// 7570: tav-calc ended by an allocation that failed.
inline constexpr unsigned kOutOfMemory = 7570;

} // namespace StringId
