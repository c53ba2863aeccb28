#pragma once

#include <array>

// Every id of the string table (resources/strings.json), named once. The blocks:
//   101-129, 61712-61713  the design's own texts
//   2000-2099             names of the quantities a refusal or caution is about
//   2100-2199             refusals of the calculations
//   2200-2299             the field information file: its items, read failures, reports
//   2300-2399             cautions: a result that stands, but not as a determined answer
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
inline constexpr unsigned kCautions = 2300;

} // namespace StringId
