#pragma once

#include <array>

// String ids: the earthing system study's report, its pages and pictures. Included by
// text/StringIds.h.
namespace StringId {

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
inline constexpr unsigned kFittedSoil = 5763;   // (soil, readings, RMS %)
inline constexpr unsigned kCurrentBasis = 5764; // (IG, 3I0, Df, Sf)
inline constexpr unsigned kCurrentGiven = 5765; // (IG)
// 7000-7049: the report's second default profile, its title block, the sounding a soil
// was fitted to, the tolerable voltages where the surface layer lies and where it does
// not, and the corners of the places.
inline constexpr unsigned kProfileDiagonal = 7000;
inline constexpr unsigned kLimitOnLayerAt = 7010;     // (value, places)
inline constexpr unsigned kLimitOffLayerAt = 7011;    // (value, places)
inline constexpr unsigned kLimitOnLayer = 7012;       // (value)
inline constexpr unsigned kLimitOffLayer = 7013;      // (value)
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
inline constexpr unsigned kChosen = 6028;       // (layers)
inline constexpr unsigned kGiven = 6029;        // (layers)
inline constexpr unsigned kCountColumns = 6030; // 6030-6033
inline constexpr unsigned kCountHeading = 6034;
inline constexpr unsigned kAb = 6035;
inline constexpr unsigned kMn = 6036;
inline constexpr unsigned kConductanceOnly = 6037;
inline constexpr unsigned kTransverseOnly = 6038;
inline constexpr unsigned kPlotAb = 6039;
inline constexpr unsigned kBand = 6041;
} // namespace LayersReport

} // namespace StringId
