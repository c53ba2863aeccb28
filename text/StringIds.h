#pragma once

#include <array>

// Every id of the string table (resources/strings.json), named once. The blocks:
//   101-129, 61712-61713  the design's own texts
//   2000-2099             names of the quantities a refusal or caution is about
//   2100-2199             refusals of the calculations
//   2200-2299             the field information file: its items, read failures, reports
//   2300-2399             cautions: a result that stands, but not as a determined answer
//   3000-3099             the earthing system solver: its quantities (3000-3019), refusals
//                         (3020-3059) and cautions (3060-3069); the system document's
//                         faults (3070-3086), its safety verdict (3087-3091);
//   3100-3199             the system document's later faults (3100-3102, 3146-3166) and
//                         the solver's later refusals (3140-3145)
//   4000-4199             the two-layer soil model window
//   4200-4399             the grid safety window
//   4400-4499             the study windows' reports and what the windows share; 4450-4499
//                         the safety criteria (IEEE Std 80 or EN 50522)
//   5500-5599             the earthing system study's report
//   5600-5619             the pages of every report: their head
//   7500-7699             hostile inputs answered: where no surface layer lies, the
//                         refusals of files, drawings, soundings and documents beyond
//                         what is taken, and an import's entities left out and why

//   7700-7899             the current into the earth from the network (lines and cables)
namespace StringId {

inline constexpr unsigned kAboutMenuItem = 101;

// The entries of the field information form's three lists, by index. String 105 is no
// entry of any list.
inline constexpr std::array<unsigned, 9> kSoilTypes{102, 103, 104, 106, 107, 108, 109, 110, 111};
inline constexpr std::array<unsigned, 3> kLayerStructures{112, 113, 114};
inline constexpr std::array<unsigned, 6> kFieldPositions{115, 116, 117, 118, 119, 120};

inline constexpr unsigned kTargetResistance = 123;
inline constexpr unsigned kSoilResistivity = 124;
inline constexpr unsigned kShallowDepth = 125;
inline constexpr unsigned kFileFilter = 126;
inline constexpr unsigned kCannotCreate = 127;
inline constexpr unsigned kSaved = 128;
inline constexpr unsigned kCannotOpen = 129;

inline constexpr unsigned kPromptInteger = 61712;
inline constexpr unsigned kPromptNumber = 61713;

// The first id of each block that Wording maps typed values into.
inline constexpr unsigned kQuantities = 2000;
inline constexpr unsigned kRefusals = 2100;
inline constexpr unsigned kSiteItems = 2200;      // 2200-2214: the fifteen items
inline constexpr unsigned kSiteReadStatus = 2220; // 2220-2225: by SiteReadStatus
inline constexpr unsigned kNotRegularFile = 2226;
inline constexpr unsigned kSiteReadReport = 2230;  // the form's report of a failed read
inline constexpr unsigned kSiteWriteReport = 2231; // the form's report of a failed write
inline constexpr unsigned kFileKinds = 2232;       // 2232-2236: by FileKind, from Directory
// tav-calc site: its failures and its warning.
inline constexpr unsigned kSiteCannotOpen = 2237;
inline constexpr unsigned kSiteCannotCreate = 2238;
inline constexpr unsigned kSiteCannotWrite = 2239;
inline constexpr unsigned kSiteInputTooLong = 2240;
inline constexpr unsigned kSiteInputUnreadable = 2241;
inline constexpr unsigned kSiteTrailingBytes = 2242;
inline constexpr unsigned kSiteWarning = 2243;
// Why a report was not written: it would replace a file it was made from (input); its
// PDF could not be drawn.
inline constexpr unsigned kReportIsInput = 2244;
inline constexpr unsigned kReportNotDrawn = 2245;
inline constexpr unsigned kCautions = 2300;
inline constexpr unsigned kEarthingQuantities = 3000;
inline constexpr unsigned kEarthingRefusals = 3020;
inline constexpr unsigned kEarthingCautions = 3060;
// 3070-3080: by DocumentError::Kind, None left out; 3081: what a fault of the whole
// document names; 3082: a file that could not be read, with its name and the reason.
inline constexpr unsigned kDocumentErrors = 3070;
inline constexpr unsigned kTheDocument = 3081;
inline constexpr unsigned kFileUnreadable = 3082;
// 3083-3086: the later DocumentError kinds, NotPositive to NotBodyWeight.
inline constexpr unsigned kDocumentShapeErrors = 3083;
// 3087, 3088: the tolerable touch and step voltages against the solved worst ones;
// 3089-3091: the verdict, by Verdict (Safe, NotSafe, OutsideMethodRange).
inline constexpr unsigned kSystemTouchVerdict = 3087;
inline constexpr unsigned kSystemStepVerdict = 3088;
inline constexpr unsigned kSystemVerdicts = 3089;
// 3100-3102: the later DocumentError kinds, NotAVersion, NewerVersion (the document's
// version, then the latest this program reads) and NotText.
inline constexpr unsigned kDocumentVersionErrors = 3100;
// 3110-3119: the earthing solver's later refusals, from TooManyTableIntervals on, in the
// order of their Error enumerators.
inline constexpr unsigned kEarthingLimitRefusals = 3110;
// 3120-3129: the earthing solver's results as quantities, from EarthingResistance on.
inline constexpr unsigned kEarthingResultQuantities = 3120;
// 3140-3145: the earthing solver's later refusals, by Error, ConductorBeyondReach to
// GroupsTouch.
inline constexpr unsigned kEarthingReachRefusals = 3140;
// 3170, 3171: the earthing solver's refusals of touch areas and points, TouchAreaNotPolygon
// and TouchGroupMissing.
inline constexpr unsigned kTouchAreaRefusals = 3170;
// 3146, 3147: the later DocumentError kinds, BeyondReach (its path, then the limit in m)
// and DuplicateKey.
inline constexpr unsigned kDocumentReachErrors = 3146;
// 3148: a document that is no JSON, where the parser stopped and why; 3150-3163 the why,
// by QJsonParseError's kind from UnterminatedObject (1) to GarbageAtEnd (14).
inline constexpr unsigned kNotJsonBecause = 3148;
inline constexpr unsigned kJsonParseErrors = 3150;
// 3164: standard input closed; 3165: why a document's file could not be read, it holding
// more than the bytes given; 3166: standard input holding more than them.
inline constexpr unsigned kStandardInputClosed = 3164;
inline constexpr unsigned kDocumentTooLong = 3165;
inline constexpr unsigned kStandardInputTooLong = 3166;
// 3200-3205: the later DocumentError kinds, TooFewCorners to Negative.
inline constexpr unsigned kDocumentPlaceErrors = 3200;
// A soil of more layers than the earthing study takes: (path, layers).
// tav-calc system's lines of where people stand: a touch area (its number, kind, part,
// group, worst touch, place, side of the surface layer), the two sides, a touch point
// (name, group, place, touch, surface potential, side), a verdict's tail (tolerable,
// word), the word of Verdict::NoLimit, EN 50522's step, the overall verdict, group 0
// without a touch area, the areas' kinds by TouchAreaKind, the criteria and their names.
inline constexpr unsigned kSystemTouchArea = 3206;
inline constexpr unsigned kSystemOnLayer = 3207;
inline constexpr unsigned kSystemOffLayer = 3208;
inline constexpr unsigned kSystemTouchPoint = 3209;
inline constexpr unsigned kSystemTolerable = 3210;
inline constexpr unsigned kSystemNoLimit = 3211;
inline constexpr unsigned kSystemStepNoLimit = 3212;
inline constexpr unsigned kSystemOverall = 3213;
inline constexpr unsigned kSystemNoTouchArea = 3214;
inline constexpr unsigned kSystemAreaKinds = 3215; // 3215-3219
inline constexpr unsigned kSystemCriteria = 3220;
inline constexpr unsigned kSystemCriteriaNames = 3221; // 3221-3222, by Criteria
// Where the surface layer lies in part, the worst step on it and off it (3224, 3225):
// (side, voltage, place, tolerable, verdict).
inline constexpr unsigned kSystemStepSide = 3223;
inline constexpr unsigned kSystemStepSides = 3224;
// The current each part leaks: its name by PartKind (3230-3235, its number from 1), a
// grid's or ring's rods and a fence's posts apart ("%1 rods"), the table's heading and
// columns (part, group, current, share, length, density).
inline constexpr unsigned kLeakagePartNames = 3230;
inline constexpr unsigned kLeakageRods = 3236;
inline constexpr unsigned kLeakagePosts = 3237;
inline constexpr unsigned kLeakageHeading = 3238;
inline constexpr unsigned kLeakageColumns = 3239; // 3239-3244
// The appendix of every conductor's leakage: its heading, number, and ends.
inline constexpr unsigned kLeakageAppendix = 3245;
inline constexpr unsigned kLeakageNumber = 3246;
inline constexpr unsigned kLeakageFrom = 3247;
inline constexpr unsigned kLeakageTo = 3248;

// The two-layer soil model window.
namespace SoilModel {
inline constexpr unsigned kTitle = 4000;
inline constexpr unsigned kReadings = 4001;
inline constexpr unsigned kSpacingColumn = 4002;
inline constexpr unsigned kResistivityColumn = 4003;
inline constexpr unsigned kClear = 4004;
inline constexpr unsigned kTableHint = 4005;
inline constexpr unsigned kFormNote = 4006;
inline constexpr unsigned kModel = 4007;
inline constexpr unsigned kRho1 = 4008;
inline constexpr unsigned kRho2 = 4009;
inline constexpr unsigned kDepth = 4010;
inline constexpr unsigned kRms = 4011;
inline constexpr unsigned kUniformRho = 4012;
inline constexpr unsigned kUniformRms = 4013;
inline constexpr unsigned kUniformExplains = 4014;
inline constexpr unsigned kRowsHeading = 4015;
// The table of measured, model and error per reading: four column headings.
inline constexpr unsigned kRowsColumns = 4016; // 4016-4019
inline constexpr unsigned kPlotX = 4020;
inline constexpr unsigned kPlotY = 4021;
inline constexpr unsigned kMeasured = 4022;
inline constexpr unsigned kLeftOut = 4023;
inline constexpr unsigned kTwoLayerCurve = 4024;
inline constexpr unsigned kUniformLine = 4025;
inline constexpr unsigned kIncompleteRow = 4026;
inline constexpr unsigned kUnreadableRow = 4027;
inline constexpr unsigned kFitting = 4028;
inline constexpr unsigned kRefused = 4029;
inline constexpr unsigned kNoReadings = 4030;
inline constexpr unsigned kLayeredSoil = 4031;
inline constexpr unsigned kUniformSoil = 4032;
inline constexpr unsigned kAtLeast = 4033; // (bound with its unit)
inline constexpr unsigned kAtMost = 4034;  // (bound with its unit)
inline constexpr unsigned kNotDetermined = 4035;
// What a study handed the uniform soil says: the fit's layers were not determined.
inline constexpr unsigned kLayersUndeterminedNotice = 4036; // (uniform resistivity)
} // namespace SoilModel

// The grid safety window.
namespace GridSafety {
inline constexpr unsigned kTitle = 4200;
inline constexpr unsigned kGrid = 4201;
inline constexpr unsigned kFault = 4202;
inline constexpr unsigned kSurface = 4203;
inline constexpr unsigned kBodyAndRods = 4204;
inline constexpr unsigned kConductor = 4205;
inline constexpr unsigned kResults = 4206;
inline constexpr unsigned kFactors = 4207;
inline constexpr unsigned kSoilResistivity = 4210;
inline constexpr unsigned kSideX = 4211;
inline constexpr unsigned kSideY = 4212;
inline constexpr unsigned kSpacing = 4213;
inline constexpr unsigned kDepth = 4214;
inline constexpr unsigned kDiameter = 4215;
inline constexpr unsigned kFaultCurrent = 4216;
inline constexpr unsigned kSplitFactor = 4217;
inline constexpr unsigned kDfFromXOverR = 4218;
inline constexpr unsigned kXOverR = 4219;
inline constexpr unsigned kFrequency = 4220;
inline constexpr unsigned kHertz = 4221; // "%1 Hz"
inline constexpr unsigned kDfTyped = 4222;
inline constexpr unsigned kDecrementFactor = 4223;
inline constexpr unsigned kDuration = 4224;
inline constexpr unsigned kGridCurrent = 4225;
inline constexpr unsigned kTimeConstant = 4226;
inline constexpr unsigned kUseSurface = 4227;
inline constexpr unsigned kSurfaceResistivity = 4228;
inline constexpr unsigned kSurfaceThickness = 4229;
inline constexpr unsigned kBodyWeight = 4230;
inline constexpr unsigned kKilograms = 4231; // "%1 kg"
inline constexpr unsigned kRodCount = 4232;
inline constexpr unsigned kRodLength = 4233;
inline constexpr unsigned kRodsOnPerimeter = 4234;
inline constexpr unsigned kMaterial = 4235;
// The materials of IEEE Std 80 Table 1, in the order of tav::ConductorMaterial.
inline constexpr unsigned kMaterials = 4240; // 4240-4252
inline constexpr unsigned kAmbient = 4255;
inline constexpr unsigned kMaxTemperature = 4256;
inline constexpr unsigned kFusingPlaceholder = 4257;
inline constexpr unsigned kSizingCurrent = 4258;
inline constexpr unsigned kSizingDuration = 4259;
inline constexpr unsigned kArea = 4260;
inline constexpr unsigned kAreaValue = 4261; // "%1 mm² (%2 kcmil)"
inline constexpr unsigned kSolidDiameter = 4262;
inline constexpr unsigned kKf = 4263;
inline constexpr unsigned kSizingRefused = 4264;
inline constexpr unsigned kRg = 4270;
inline constexpr unsigned kGpr = 4271;
inline constexpr unsigned kTouchTolerable = 4272;
inline constexpr unsigned kStepTolerable = 4273;
inline constexpr unsigned kMeshVoltage = 4274;
inline constexpr unsigned kStepVoltage = 4275;
inline constexpr unsigned kTouchVerdict = 4276; // (Em, tolerable, pass or fail)
inline constexpr unsigned kStepVerdict = 4277;  // (Es, tolerable, pass or fail)
inline constexpr unsigned kPass = 4278;
inline constexpr unsigned kFail = 4279;
inline constexpr unsigned kOutsideRange = 4286;
inline constexpr unsigned kGprBelowTouch = 4280;  // (GPR, tolerable touch)
inline constexpr unsigned kMissing = 4281;        // (quantity)
inline constexpr unsigned kUnreadable = 4282;     // (text, quantity)
inline constexpr unsigned kRefused = 4283;        // (refusal)
inline constexpr unsigned kSpacingsDiffer = 4284; // (sx, sy)
inline constexpr unsigned kSpacingsUnread = 4285;
inline constexpr unsigned kFactorKm = 4290;
inline constexpr unsigned kFactorKi = 4291;
inline constexpr unsigned kFactorKs = 4292;
inline constexpr unsigned kFactorKii = 4293;
inline constexpr unsigned kFactorKh = 4294;
inline constexpr unsigned kFactorN = 4295;
inline constexpr unsigned kFactorLM = 4296;
inline constexpr unsigned kFactorLS = 4297;
inline constexpr unsigned kFactorCs = 4298;
inline constexpr unsigned kInputs = 4300;
inline constexpr unsigned kNoSurface = 4301;
inline constexpr unsigned kNoRods = 4302;
inline constexpr unsigned kRodsPerimeter = 4303; // (count, length)
inline constexpr unsigned kRodsInside = 4304;    // (count, length)
inline constexpr unsigned kSurfaceValue = 4305;  // (resistivity, thickness)
inline constexpr unsigned kDfGiven = 4306;
} // namespace GridSafety

// What the study windows and their reports share.
namespace Study {
inline constexpr unsigned kFooter = 4400; // (version, date)
inline constexpr unsigned kFieldInformation = 4401;
inline constexpr unsigned kPlace = 4402;
// The items of the field information file a report shows: client, field, date, file
// number, soil type, layer structure, field position, altitude, weather, temperature, note.
inline constexpr unsigned kSiteItems = 4403; // 4403-4413
inline constexpr unsigned kCelsius = 4414;
inline constexpr unsigned kFahrenheit = 4415;
inline constexpr unsigned kPdfFilter = 4416;
inline constexpr unsigned kCannotWrite = 4417; // (file, reason)
inline constexpr unsigned kCopy = 4418;
inline constexpr unsigned kSavePdf = 4419;
inline constexpr unsigned kClose = 4420;
inline constexpr unsigned kOpenFieldInformation = 4421;
inline constexpr unsigned kFieldInformationFrom = 4422; // (file)
inline constexpr unsigned kUnit = 4430;                 // "%1 %2": a value and its unit
inline constexpr unsigned kOhmMetre = 4431;
inline constexpr unsigned kOhm = 4432;
inline constexpr unsigned kMetre = 4433;
inline constexpr unsigned kVolt = 4434;
inline constexpr unsigned kAmpere = 4435;
inline constexpr unsigned kSecond = 4436;
inline constexpr unsigned kPercent = 4437;
inline constexpr unsigned kMillimetre = 4438;
inline constexpr unsigned kDegrees = 4439;
} // namespace Study

// Whose limits a grid's voltages are held against: IEEE Std 80's or EN 50522's.
namespace Criteria {
inline constexpr unsigned kFootwearQuantity = 4450; // a refusal's quantity
inline constexpr unsigned kNoLimit = 4451;          // a verdict's word
inline constexpr unsigned kCriteria = 4452;
inline constexpr unsigned kIeee80 = 4453;
inline constexpr unsigned kEn50522 = 4454;
inline constexpr unsigned kFootwear = 4455;          // the field's label
inline constexpr unsigned kStepNoLimit = 4456;       // (Es)
inline constexpr unsigned kPermissibleVTouch = 4457; // U_vTp, the touch limit's label
inline constexpr unsigned kPermissibleTouch = 4458;  // U_Tp
inline constexpr unsigned kBodyCurrent = 4459;
inline constexpr unsigned kTouchVerdict = 4460; // (Em, permissible, pass or fail)
// Warning::DurationOutsideTable: (duration, least, greatest).
inline constexpr unsigned kDurationOutsideTable = 4461;
} // namespace Criteria

namespace EarthingStudy {
inline constexpr unsigned kTitle = 5000;
inline constexpr unsigned kSoil = 5001;
inline constexpr unsigned kUniform = 5002;
inline constexpr unsigned kTwoLayers = 5003;
inline constexpr unsigned kRho = 5004;
inline constexpr unsigned kRho2 = 5005;
inline constexpr unsigned kH = 5006;
inline constexpr unsigned kFault = 5007;
inline constexpr unsigned kCurrent = 5008;
inline constexpr unsigned kDuration = 5009;
inline constexpr unsigned kSurface = 5010;
inline constexpr unsigned kSurfaceRho = 5011;
inline constexpr unsigned kSurfaceThickness = 5012;
inline constexpr unsigned kBody = 5013;
inline constexpr unsigned kBody50 = 5014;
inline constexpr unsigned kBody70 = 5015;
inline constexpr unsigned kParts = 5016;
inline constexpr unsigned kAdd = 5017;
inline constexpr unsigned kRemove = 5018;
inline constexpr unsigned kEnergised = 5019;
inline constexpr unsigned kFloating = 5020;
inline constexpr unsigned kKindGrid = 5021;
inline constexpr unsigned kKindLGrid = 5022;
inline constexpr unsigned kKindConductor = 5023;
inline constexpr unsigned kKindRods = 5024;
inline constexpr unsigned kKindRing = 5025;
inline constexpr unsigned kKindFence = 5026;
inline constexpr unsigned kConnection = 5027;
inline constexpr unsigned kOriginX = 5028;
inline constexpr unsigned kOriginY = 5029;
inline constexpr unsigned kSideX = 5030;
inline constexpr unsigned kSideY = 5031;
inline constexpr unsigned kCountX = 5032;
inline constexpr unsigned kCountY = 5033;
inline constexpr unsigned kDepth = 5034;
inline constexpr unsigned kDiameter = 5035;
inline constexpr unsigned kCutX = 5036;
inline constexpr unsigned kCutY = 5037;
inline constexpr unsigned kGridRods = 5038;
inline constexpr unsigned kNoRods = 5039;
inline constexpr unsigned kRodsOnEdge = 5040;
inline constexpr unsigned kRodsAtCorners = 5041;
inline constexpr unsigned kRodCount = 5042;
inline constexpr unsigned kRodLength = 5043;
inline constexpr unsigned kRodDiameter = 5044;
inline constexpr unsigned kFromX = 5045;
inline constexpr unsigned kFromY = 5046;
inline constexpr unsigned kFromZ = 5047;
inline constexpr unsigned kToX = 5048;
inline constexpr unsigned kToY = 5049;
inline constexpr unsigned kToZ = 5050;
inline constexpr unsigned kRodPlaces = 5051;
inline constexpr unsigned kRodTop = 5052;
inline constexpr unsigned kCentreX = 5053;
inline constexpr unsigned kCentreY = 5054;
inline constexpr unsigned kRadius = 5055;
inline constexpr unsigned kFenceDistance = 5056;
inline constexpr unsigned kPostSpacing = 5057;
inline constexpr unsigned kPostLength = 5058;
inline constexpr unsigned kPostDiameter = 5059;
inline constexpr unsigned kPostTop = 5060;
inline constexpr unsigned kSolve = 5061;
inline constexpr unsigned kCancel = 5062;
inline constexpr unsigned kCancelled = 5063;
inline constexpr unsigned kNotSolved = 5064;
inline constexpr unsigned kStageTables = 5065;
inline constexpr unsigned kStageMatrix = 5066;
inline constexpr unsigned kStageSolution = 5067;
inline constexpr unsigned kStageSurface = 5068;
inline constexpr unsigned kStageSearch = 5069;
inline constexpr unsigned kMap = 5070;
inline constexpr unsigned kMapNone = 5071;
inline constexpr unsigned kMapPotential = 5072;
inline constexpr unsigned kMapTouch = 5073;
inline constexpr unsigned kMapStep = 5074;
inline constexpr unsigned kCursor = 5075;
inline constexpr unsigned kCursorPotential = 5076;
inline constexpr unsigned kProfileHint = 5077;
inline constexpr unsigned kFile = 5078;
inline constexpr unsigned kNew = 5079;
inline constexpr unsigned kOpen = 5080;
inline constexpr unsigned kSave = 5081;
inline constexpr unsigned kSaveAs = 5082;
inline constexpr unsigned kSavePdf = 5083;
inline constexpr unsigned kClose = 5084;
inline constexpr unsigned kUntitled = 5085;
inline constexpr unsigned kProjectFilter = 5086;
inline constexpr unsigned kUnsavedQuestion = 5087;
inline constexpr unsigned kOpenFailed = 5088;
inline constexpr unsigned kSaveFailed = 5089;
inline constexpr unsigned kPartRefused = 5090;
inline constexpr unsigned kSafetyCriteria = 5092;
inline constexpr unsigned kStale = 5093;
inline constexpr unsigned kSolveFirst = 5094;
inline constexpr unsigned kWindowTitle = 5095; // (file name, title)
inline constexpr unsigned kSolving = 5096;     // (stage)
inline constexpr unsigned kSolveRefused = 5097;
inline constexpr unsigned kRho1 = 5098;
inline constexpr unsigned kUseInStudy = 5099;
inline constexpr unsigned kSolveNumerically = 5100;
inline constexpr unsigned kAccuracy = 5101;
inline constexpr unsigned kSearchStep = 5102;
inline constexpr unsigned kSearchMargin = 5103;
inline constexpr unsigned kSegmentLength = 5104;
inline constexpr unsigned kChangeCommand = 5105;
inline constexpr unsigned kAddCommand = 5106;
inline constexpr unsigned kRemoveCommand = 5107;
inline constexpr unsigned kMoveCommand = 5108;
inline constexpr unsigned kProfileCommand = 5109;
inline constexpr unsigned kEdit = 5110;
inline constexpr unsigned kUndo = 5111;
inline constexpr unsigned kRedo = 5112;
inline constexpr unsigned kView = 5113;
inline constexpr unsigned kFit = 5114;
inline constexpr unsigned kOpenRecent = 5115;
inline constexpr unsigned kMoveUp = 5116;
inline constexpr unsigned kMoveDown = 5117;
inline constexpr unsigned kGridName = 5118;
inline constexpr unsigned kLGridName = 5119;
inline constexpr unsigned kConductorName = 5120;
inline constexpr unsigned kRodsName = 5121;
inline constexpr unsigned kRingName = 5122;
inline constexpr unsigned kFenceName = 5123;
inline constexpr unsigned kPartFloating = 5124;
inline constexpr unsigned kRodsEdgeTip = 5125;
// 5550-5558: the touch areas and touch points as parts, their fields, and the safety
// criteria's later fields.
inline constexpr unsigned kKindTouchArea = 5550;
inline constexpr unsigned kKindTouchPoint = 5551;
inline constexpr unsigned kTouchPolygon = 5552;
inline constexpr unsigned kTouchPointX = 5553;
inline constexpr unsigned kTouchPointY = 5554;
inline constexpr unsigned kTouchPointName = 5555;
inline constexpr unsigned kSurfaceArea = 5556;
inline constexpr unsigned kCriteria = 5557;
inline constexpr unsigned kFootwear = 5558;
// 5130-5199: the safety criteria's and the places' inputs and results in the study window.
inline constexpr unsigned kSurfaceZone = 5130;
inline constexpr unsigned kZoneEverywhere = 5131;
inline constexpr unsigned kZoneFence = 5132;
inline constexpr unsigned kZoneGrids = 5133;
inline constexpr unsigned kZoneDrawn = 5134;
inline constexpr unsigned kDrawTouchArea = 5135;
inline constexpr unsigned kDrawSurfaceZone = 5136;
inline constexpr unsigned kDrawHint = 5137;
inline constexpr unsigned kNoFence = 5138;
inline constexpr unsigned kNoGrid = 5139;
inline constexpr unsigned kTouchGroup = 5140;
inline constexpr unsigned kDrawTooFew = 5141;
inline constexpr unsigned kPlaces = 5142;
inline constexpr unsigned kCentre = 5143;
inline constexpr unsigned kTouchAreaName = 5144; // (corners, group)
} // namespace EarthingStudy

namespace SystemReport {
inline constexpr unsigned kTitle = 5500;
inline constexpr unsigned kInputs = 5501;
inline constexpr unsigned kSoil = 5502;
inline constexpr unsigned kUniform = 5503;
inline constexpr unsigned kTwoLayers = 5504;
inline constexpr unsigned kCurrent = 5505;
inline constexpr unsigned kSafety = 5506;
inline constexpr unsigned kNoSafety = 5507;
inline constexpr unsigned kDuration = 5508;
inline constexpr unsigned kSurface = 5509;
inline constexpr unsigned kSurfaceValue = 5510;
inline constexpr unsigned kNoSurface = 5511;
inline constexpr unsigned kBodyWeight = 5512;
inline constexpr unsigned kKilograms = 5513;
inline constexpr unsigned kConductors = 5514;
inline constexpr unsigned kGrid = 5515;
inline constexpr unsigned kRodsOnEdge = 5516;
inline constexpr unsigned kRodsAtCorners = 5517;
inline constexpr unsigned kRods = 5518;
inline constexpr unsigned kLGrid = 5519;
inline constexpr unsigned kRing = 5520;
inline constexpr unsigned kFence = 5521;
inline constexpr unsigned kOwnGroup = 5522;
inline constexpr unsigned kEnergised = 5523;
inline constexpr unsigned kFloating = 5524;
inline constexpr unsigned kResults = 5525;
inline constexpr unsigned kResistance = 5526;
inline constexpr unsigned kGpr = 5527;
inline constexpr unsigned kWorstTouch = 5528;
inline constexpr unsigned kVoltageAt = 5529;
inline constexpr unsigned kWorstStep = 5530;
inline constexpr unsigned kVoltageFromTo = 5531;
inline constexpr unsigned kTolerableTouch = 5532;
inline constexpr unsigned kTolerableStep = 5533;
inline constexpr unsigned kGroups = 5534;
inline constexpr unsigned kGroupColumn = 5535;
inline constexpr unsigned kPotentialColumn = 5536;
inline constexpr unsigned kCurrentColumn = 5537;
inline constexpr unsigned kVerdict = 5538;
inline constexpr unsigned kTouchVerdict = 5539;
inline constexpr unsigned kStepVerdict = 5540;
inline constexpr unsigned kPlan = 5541;
inline constexpr unsigned kProfile = 5542;
inline constexpr unsigned kDistance = 5543;
inline constexpr unsigned kVoltage = 5544;
inline constexpr unsigned kPotentialCurve = 5545;
inline constexpr unsigned kTouchCurve = 5546;
inline constexpr unsigned kProfileDrawn = 5547;
// 5570-5599: the places judged, the criteria and where the surface layer lies.
inline constexpr unsigned kPlaces = 5570;
inline constexpr unsigned kPlaceColumn = 5571;
inline constexpr unsigned kPlaceVoltageColumn = 5572;
inline constexpr unsigned kPlaceAtColumn = 5573;
inline constexpr unsigned kPlaceLayerColumn = 5574;
inline constexpr unsigned kPlaceLimitColumn = 5575;
inline constexpr unsigned kPlaceVerdictColumn = 5576;
inline constexpr unsigned kPlaceConductors = 5577;
inline constexpr unsigned kPlaceGrid = 5578;
inline constexpr unsigned kPlaceRing = 5579;
inline constexpr unsigned kPlaceFence = 5580;
inline constexpr unsigned kPlaceGiven = 5581;
inline constexpr unsigned kPlacePoint = 5582;
inline constexpr unsigned kPlaceStep = 5583;
inline constexpr unsigned kOnLayer = 5584;
inline constexpr unsigned kOffLayer = 5585;
inline constexpr unsigned kForInformation = 5586;
inline constexpr unsigned kNotReached = 5587;
inline constexpr unsigned kCriteriaUsed = 5588;
inline constexpr unsigned kFootwear = 5589;
inline constexpr unsigned kSurfaceZone = 5590;
inline constexpr unsigned kEverywhere = 5591;
inline constexpr unsigned kZonePolygon = 5592;
inline constexpr unsigned kOverall = 5593;
inline constexpr unsigned kStepNoLimit = 5594;
inline constexpr unsigned kNoLimit = 5595;
inline constexpr unsigned kGivenTouchArea = 5596; // (corners, area, group)
inline constexpr unsigned kTouchPointPart = 5597; // (name, place, group)
// 5700-5756: the parts table, the accuracy, the criteria's basis, and the assumptions and
// method (kMethodFirst to kMethodLast, in order).
inline constexpr unsigned kPartNone = 5700;
inline constexpr unsigned kPartRodsCorners = 5701;
inline constexpr unsigned kPartRods = 5702;
inline constexpr unsigned kPartMesh = 5703;
inline constexpr unsigned kPartRectangle = 5704;
inline constexpr unsigned kPartConductor = 5705;
inline constexpr unsigned kPartFromTo = 5706;
inline constexpr unsigned kPartGrid = 5707;
inline constexpr unsigned kPartRodsAtPoints = 5708;
inline constexpr unsigned kPartPoints = 5709;
inline constexpr unsigned kPartLGrid = 5710;
inline constexpr unsigned kPartCut = 5711;
inline constexpr unsigned kPartRing = 5712;
inline constexpr unsigned kPartCircle = 5713;
inline constexpr unsigned kPartFence = 5714;
inline constexpr unsigned kPartFenceAt = 5715;
inline constexpr unsigned kPartSpacing = 5716;
inline constexpr unsigned kPartPosts = 5717;
inline constexpr unsigned kPartsHeading = 5718;
inline constexpr unsigned kPartColumn = 5719;
inline constexpr unsigned kSizeColumn = 5720;
inline constexpr unsigned kLinesColumn = 5721;
inline constexpr unsigned kDepthColumn = 5722;
inline constexpr unsigned kDiameterColumn = 5723;
inline constexpr unsigned kRodsColumn = 5724;
inline constexpr unsigned kAccuracyHeading = 5725;
inline constexpr unsigned kSegmentLength = 5726;
inline constexpr unsigned kMetres = 5727;
inline constexpr unsigned kRasterStep = 5728;
inline constexpr unsigned kStepMargin = 5729;
inline constexpr unsigned kReach = 5730;
inline constexpr unsigned kSegments = 5731;
inline constexpr unsigned kImageTerms = 5732;
inline constexpr unsigned kRasterNodes = 5733;
inline constexpr unsigned kRasterSize = 5734;
inline constexpr unsigned kBasisHeading = 5735;
inline constexpr unsigned kBasisStandard = 5736;
inline constexpr unsigned kBasisIeee80 = 5737;
inline constexpr unsigned kBasisEn50522 = 5738;
inline constexpr unsigned kSeconds = 5739;
inline constexpr unsigned kBasisFootwear = 5740;
inline constexpr unsigned kOhms = 5741;
inline constexpr unsigned kBasisZone = 5742;
inline constexpr unsigned kBasisEverywhere = 5743;
inline constexpr unsigned kBasisPolygon = 5744;
inline constexpr unsigned kBasisCs = 5745;
inline constexpr unsigned kBasisPermissible = 5746;
inline constexpr unsigned kBasisPermissibleValue = 5747;
inline constexpr unsigned kBasisIeee80Words = 5748;
inline constexpr unsigned kBasisEn50522Words = 5749;
inline constexpr unsigned kMethodHeading = 5750;
inline constexpr unsigned kMethodFirst = 5751;
inline constexpr unsigned kMethod2 = 5752;
inline constexpr unsigned kMethod3 = 5753;
inline constexpr unsigned kMethod4 = 5754;
inline constexpr unsigned kMethodLast = 5755;
inline constexpr unsigned kProfileEnds = 5756; // (from, to)
inline constexpr unsigned kPlanToScale = 5757;
inline constexpr unsigned kMapPotential = 5758;
inline constexpr unsigned kMapTouch = 5759;
inline constexpr unsigned kMapStep = 5760;
inline constexpr unsigned kLeakageMap = 5761;
inline constexpr unsigned kAmperePerMetre = 5762;
inline constexpr unsigned kFittedSoil = 5763;    // (soil, readings, RMS %)
inline constexpr unsigned kCurrentBasis = 5764;  // (IG, 3I0, Df, Sf)
inline constexpr unsigned kCurrentGiven = 5765;  // (IG)
// 7000-7049: the report's second default profile, its title block, the sounding a soil
// was fitted to, the tolerable voltages where the surface layer lies and where it does
// not, and the corners of the places.
inline constexpr unsigned kProfileDiagonal = 7000;
inline constexpr unsigned kLimitOnLayerAt = 7010;  // (value, places)
inline constexpr unsigned kLimitOffLayerAt = 7011; // (value, places)
inline constexpr unsigned kLimitOnLayer = 7012;    // (value)
inline constexpr unsigned kLimitOffLayer = 7013;   // (value)
inline constexpr unsigned kFittedSchlumberger = 7020; // (soil, readings, RMS %)
inline constexpr unsigned kFittedReadings = 7021;     // (soil, readings, RMS %), array unknown
inline constexpr unsigned kSoundingHeading = 7022;
inline constexpr unsigned kSoundingArray = 7023;
inline constexpr unsigned kAreaCorners = 7024; // (corners)
inline constexpr unsigned kZoneCorners = 7025; // (corners)
inline constexpr unsigned kTitleHeading = 7030;
inline constexpr unsigned kTitleRevision = 7031;
inline constexpr unsigned kTitlePrepared = 7032;
inline constexpr unsigned kTitleChecked = 7033;
inline constexpr unsigned kTitleApproved = 7034;
inline constexpr unsigned kTitleName = 7035;
inline constexpr unsigned kTitleSignature = 7036;
inline constexpr unsigned kTitleDate = 7037;
} // namespace SystemReport

namespace ReportPages {
inline constexpr unsigned kPageOf = 5600; // (page, pages)
} // namespace ReportPages
namespace PlanPictures {
inline constexpr unsigned kScale = 5620;  // (denominator)
inline constexpr unsigned kMetres = 5621; // (length)
inline constexpr unsigned kNorth = 5622;
inline constexpr unsigned kTolerableLine = 5624; // (value)
inline constexpr unsigned kWorstValue = 5625;    // (value)
inline constexpr unsigned kVoltUnit = 5626;
inline constexpr unsigned kIsolines = 5627; // (step)
// 7050-7059: a map's keys of the tolerable voltage where the surface layer lies and where it
// does not (value), and the potential's highest (value).
inline constexpr unsigned kTolerableOnLayer = 7050;
inline constexpr unsigned kTolerableOffLayer = 7051;
inline constexpr unsigned kHighestValue = 7052;
// 7060-7070: the plan's key, a text per PlanPicture::Symbol in its order.
inline constexpr unsigned kKeyFirst = 7060;
} // namespace PlanPictures
// The earthing study window's leakage map and table, its field information kept.
namespace EarthingLeakage {
inline constexpr unsigned kMapLeakage = 5650;
inline constexpr unsigned kDensityUnit = 5651;
inline constexpr unsigned kFieldInformationCommand = 5652;
inline constexpr unsigned kSiteMissing = 5653;
} // namespace EarthingLeakage
// 6000-6002: the layered soil fit's refusals, PotentialSpacingNotBelowCurrent,
// LayerCountOutOfRange and TooFewReadingsForLayers.
inline constexpr unsigned kLayeredRefusals = 6000; // 6000-6003, the last a readings file's
// What the readings leave open of N layers, in the order of Warning's, from
// LayerResistivityAtLeast on (6010-6017).
inline constexpr unsigned kLayeredCautions = 6010;

// The report of a soil of N layers.
namespace LayersReport {
inline constexpr unsigned kTitle = 6020;
inline constexpr unsigned kLayers = 6021;
inline constexpr unsigned kLayerColumns = 6022; // 6022-6025
inline constexpr unsigned kCurve = 6026;
inline constexpr unsigned kRms = 6027;
inline constexpr unsigned kChosen = 6028; // (layers)
inline constexpr unsigned kGiven = 6029;  // (layers)
inline constexpr unsigned kCountColumns = 6030; // 6030-6033
inline constexpr unsigned kCountHeading = 6034;
inline constexpr unsigned kAb = 6035;
inline constexpr unsigned kMn = 6036;
inline constexpr unsigned kConductanceOnly = 6037;
inline constexpr unsigned kTransverseOnly = 6038;
inline constexpr unsigned kPlotAb = 6039;
inline constexpr unsigned kBand = 6041;
} // namespace LayersReport

// The soil model window's layers, arrays and readings files.
namespace SoilWindow {
inline constexpr unsigned kTitle = 6100;
inline constexpr unsigned kLayers = 6101;
inline constexpr unsigned kAutomatic = 6102;
inline constexpr unsigned kArray = 6103;
inline constexpr unsigned kWenner = 6104;
inline constexpr unsigned kSchlumberger = 6105;
inline constexpr unsigned kMissingMn = 6106;     // (row)
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
inline constexpr unsigned kTitle = 6500;        // (file name)
inline constexpr unsigned kMenu = 6501;
inline constexpr unsigned kUnits = 6502;
inline constexpr unsigned kUnitsAsked = 6503;
inline constexpr unsigned kMillimetres = 6504;  // to 6508, as DxfImportDialog's units
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
inline constexpr unsigned kUnreadable = 6529;   // (file name, the refusal)
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

// 7700-7899: the current into the earth from the network of lines and cables that feeds a
// fault in the station.
namespace Network {
// 7700-7714: the quantities, in the order of Quantity's from SpanCount on.
inline constexpr unsigned kQuantities = 7700;
// 7720-7728: the refusals, in the order of Error's from NotFinite on.
inline constexpr unsigned kRefusals = 7720;
// The document's faults: a refusal at its path (path, the refusal's words); a key beside
// the network, which gives the current (path).
inline constexpr unsigned kRefusedAt = 7730;
inline constexpr unsigned kBesideNetwork = 7731;
// What the network gives: the heading; 3I0 (magnitude, angle in degrees), Z_E (R, X),
// I_E (magnitude, angle), Sf (magnitude, angle), the study's current (Df I_E, Df).
inline constexpr unsigned kHeading = 7740;
inline constexpr unsigned kFaultCurrent = 7741;
inline constexpr unsigned kEarthImpedance = 7742;
inline constexpr unsigned kEarthCurrent = 7743;
inline constexpr unsigned kSplitFactor = 7744;
inline constexpr unsigned kStudyCurrent = 7745;
// 7746-7751: the columns of the table of lines and cables: the kind (line or cable), the
// name, r, the chain impedance, the current leaving along the return conductors, the
// remote station's rise.
inline constexpr unsigned kColumns = 7746;
// A line's or cable's kind, by its place in the table: line, cable.
inline constexpr unsigned kKinds = 7752;
// What stands for a figure a line does not have: its remote rise when endless, its chain
// impedance without earth wires.
inline constexpr unsigned kEndless = 7754;
inline constexpr unsigned kNone = 7755;
// The first towers of a line (its name); 7757-7759 their columns: the tower from the
// station, its potential, the current into its footing.
inline constexpr unsigned kTowers = 7756;
inline constexpr unsigned kTowerColumns = 7757;
// A complex number as R + jX or R - jX (R, |X|), and as its magnitude at its angle
// (magnitude, degrees).
inline constexpr unsigned kComplexPlus = 7760;
inline constexpr unsigned kComplexMinus = 7761;
inline constexpr unsigned kPhasor = 7762;
} // namespace Network

// 7900-8099: the current into the earth from the network in the earthing study's report
// and window.
namespace NetworkReport {
inline constexpr unsigned kHeading = 7900;
// The figures' labels: frequency, earth-return resistivity, the local sources' current,
// 3I0, Z_E, I_E, Sf, the station's rise Z_E I_E, the study's current.
inline constexpr unsigned kFrequency = 7901;
inline constexpr unsigned kEarthReturnRho = 7902;
inline constexpr unsigned kLocalCurrent = 7903;
inline constexpr unsigned kFaultCurrent = 7904;
inline constexpr unsigned kEarthImpedance = 7905;
inline constexpr unsigned kEarthCurrent = 7906;
inline constexpr unsigned kSplitFactor = 7907;
inline constexpr unsigned kStationRise = 7908;
inline constexpr unsigned kStudyCurrent = 7909;
inline constexpr unsigned kHertz = 7910;        // (f)
inline constexpr unsigned kDfTimesIe = 7911;    // (Df |I_E|, Df, |I_E|)
inline constexpr unsigned kCurrentFrom = 7912;  // the inputs' current (Df |I_E|, Df, |I_E|, |Sf|)
inline constexpr unsigned kNotNeeded = 7913;    // the resistivity, without conductors by place
inline constexpr unsigned kNamed = 7914;        // a line's or cable's return conductors (name, them)
// The method's "not checked" sentence when the current comes from the network.
inline constexpr unsigned kMethodNotChecked = 7915;
// The table of the lines' and cables' data: its heading, then 7921-7926 its columns: the
// name, the current, the spans, the span or length, the towers' footing resistance, the
// remote station's earth resistance; the heading of their return conductors.
inline constexpr unsigned kDataHeading = 7920;
inline constexpr unsigned kDataColumns = 7921;
inline constexpr unsigned kReturnHeading = 7927;
inline constexpr unsigned kChainColumn = 7928;
// The table of what each does with the current (columns as tav-calc's, StringId::Network).
inline constexpr unsigned kFiguresHeading = 7930;
// A line's footing resistances, each its own (lowest, highest, towers).
inline constexpr unsigned kFootingRange = 7931;
// The return conductors: an earth wire by its place (R, GMR, height, offset); by its
// impedances (Z, Z_m); a sheath or armour by its radius (R, mean radius); the sheath, the
// armour (what follows); the faulted phase's place (height, offset); none.
inline constexpr unsigned kWireByPlace = 7932;
inline constexpr unsigned kByImpedance = 7933;
inline constexpr unsigned kByRadius = 7934;
inline constexpr unsigned kSheath = 7935;
inline constexpr unsigned kArmour = 7936;
inline constexpr unsigned kPhaseAt = 7937;
inline constexpr unsigned kNoReturn = 7938;
inline constexpr unsigned kOhmPerKm = 7939;
// The potential a line carries to its first towers (its name).
inline constexpr unsigned kTowers = 7940;
} // namespace NetworkReport

// 7950-8099: the network in the earthing study window: its group, its fields, the tables
// of lines and cables with their buttons and columns (7961-7972 a line's, 7975-7980 a
// cable's), a cell's label (row, column), a new row's name (its number), the commands,
// and its results beside the others (7998-8002 their table's columns).
namespace NetworkWindow {
inline constexpr unsigned kGroup = 7950;
inline constexpr unsigned kFrequency = 7951;
inline constexpr unsigned kEarthReturnRho = 7952;
inline constexpr unsigned kLocalCurrent = 7953;
inline constexpr unsigned kDecrement = 7954;
inline constexpr unsigned kLines = 7955;
inline constexpr unsigned kCables = 7956;
inline constexpr unsigned kAddLine = 7957;
inline constexpr unsigned kRemoveLine = 7958;
inline constexpr unsigned kAddCable = 7959;
inline constexpr unsigned kRemoveCable = 7960;
inline constexpr unsigned kLineColumns = 7961;
inline constexpr unsigned kCableColumns = 7975;
inline constexpr unsigned kLineCell = 7985;
inline constexpr unsigned kCableCell = 7986;
inline constexpr unsigned kLineName = 7987;
inline constexpr unsigned kCableName = 7988;
inline constexpr unsigned kNetworkOn = 7989;
inline constexpr unsigned kNetworkOff = 7990;
inline constexpr unsigned kLine = 7991;
inline constexpr unsigned kCable = 7992;
inline constexpr unsigned kRhoPlaceholder = 7993;
// An earth wire's cell where the line's wires are given by their impedances per km.
inline constexpr unsigned kGivenPerKm = 7994;
inline constexpr unsigned kSplitFactor = 7995;
inline constexpr unsigned kEarthCurrent = 7996;
inline constexpr unsigned kStudyCurrent = 7997;
inline constexpr unsigned kResultColumns = 7998;
} // namespace NetworkWindow

// 7400-7499: the checks of the solver's own numbers (its intermediate values as
// quantities, 7400-7409; its refusals, 7410-7429) and the bounds of the tolerable
// voltages' inputs (7431-7449; above a bound is InputRefusals::kAboveCeiling).
namespace Accuracy {
inline constexpr unsigned kPotentialCoefficients = 7400;
inline constexpr unsigned kLeakageCurrents = 7401;
inline constexpr unsigned kMetalPotential = 7402;
inline constexpr unsigned kSurfacePotential = 7403;
inline constexpr unsigned kPotentialBeyondMetal = 7410;  // (value, lowest, highest)
inline constexpr unsigned kLayerTooThin = 7411;          // (layer, thickness)
inline constexpr unsigned kSurfaceLayerBelowSoil = 7431; // (rho_s, rho, Cs)
} // namespace Accuracy

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
