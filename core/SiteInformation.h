#pragma once

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
    int soilType = 0;       // index into the soil-type list; -1 for none
    int layerStructure = 0; // index into the layer-structure list; -1 for none
    int fieldPosition = 0;  // index into the field-position list; -1 for none
    std::string altitude;
    std::string meteorological;
    std::string temperature;
    int celsius = 1;    // check state
    int fahrenheit = 0; // check state, independent of celsius
    std::string note;

    friend bool operator==(const SiteInformation &a, const SiteInformation &b);
};

// The file holds fifteen items, in this order: client company name, field name,
// measurement year, month and day, file number, soil type, layer structure, field
// position, altitude, meteorological, temperature, Celsius and Fahrenheit check states,
// note.
inline constexpr int kSiteItems = 15;

} // namespace tav
