#pragma once

#include <array>

// String ids: the two-layer soil model window, the grid safety window, what the study windows share
// and the safety criteria. Included by text/StringIds.h.
namespace StringId {

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

} // namespace StringId
