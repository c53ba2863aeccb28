#pragma once

#include <array>
#include <string>

namespace tav {

// A calendar day, or no day at all.
struct SiteDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool valid = false;

    // A real day of the Gregorian calendar in the years 1 to 9999, which every date
    // picker of the program can show; anything else is not a valid date.
    static SiteDate fromParts(int year, int month, int day);
    friend bool operator==(const SiteDate &a, const SiteDate &b) {
        return a.valid == b.valid &&
               (!a.valid || (a.year == b.year && a.month == b.month && a.day == b.day));
    }
};

// The site data of one survey, as the field information file stores it. Texts are bytes,
// kept exactly as they came, whatever their encoding.
struct SiteInformation {
    std::string clientCompanyName;
    std::string fieldName;
    SiteDate date;
    std::string fileNumber;
    int soilType = 0;       // index into kSoilTypeStrings; -1 for none
    int layerStructure = 0; // index into kLayerStructureStrings; -1 for none
    int fieldPosition = 0;  // index into kFieldPositionStrings; -1 for none
    std::string altitude;
    std::string meteorological;
    std::string temperature;
    int celsius = 1;    // check state
    int fahrenheit = 0; // check state, independent of celsius
    std::string note;

    friend bool operator==(const SiteInformation &a, const SiteInformation &b);
};

// The file holds fifteen items in this order.
inline constexpr int kSiteItems = 15;
// What item i (0 to 14) holds, in words: "client company name", ...
const char *siteItemName(int item);

// The string-table ids of the three lists' entries, by index. String 105 is no entry.
inline constexpr std::array<unsigned, 9> kSoilTypeStrings{102, 103, 104, 106, 107,
                                                          108, 109, 110, 111};
inline constexpr std::array<unsigned, 3> kLayerStructureStrings{112, 113, 114};
inline constexpr std::array<unsigned, 6> kFieldPositionStrings{115, 116, 117, 118, 119, 120};

// The English texts of those entries, for tools without the language module.
extern const std::array<const char *, 9> kSoilTypeTexts;
extern const std::array<const char *, 3> kLayerStructureTexts;
extern const std::array<const char *, 6> kFieldPositionTexts;

} // namespace tav
