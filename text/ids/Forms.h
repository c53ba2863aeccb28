#pragma once

#include <array>

// String ids: the field information form, the quantities refusals name, the solver's and the
// document's faults and what tav-calc says of them. Included by text/StringIds.h.
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

} // namespace StringId
