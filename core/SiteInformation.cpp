#include "core/SiteInformation.h"

#include <tuple>

namespace tav {

namespace {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

} // namespace

SiteDate SiteDate::fromParts(int year, int month, int day) {
    SiteDate date;
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month))
        return date;
    date.year = year;
    date.month = month;
    date.day = day;
    date.valid = true;
    return date;
}

bool operator==(const SiteInformation &a, const SiteInformation &b) {
    const auto fields = [](const SiteInformation &r) {
        return std::tie(r.clientCompanyName, r.fieldName, r.date, r.fileNumber, r.soilType,
                        r.layerStructure, r.fieldPosition, r.altitude, r.meteorological,
                        r.temperature, r.celsius, r.fahrenheit, r.note);
    };
    return fields(a) == fields(b);
}

const char *siteItemName(int item) {
    static constexpr const char *kNames[kSiteItems] = {"client company name",
                                                       "field name",
                                                       "measurement year",
                                                       "measurement month",
                                                       "measurement day",
                                                       "file number",
                                                       "soil type",
                                                       "layer structure",
                                                       "field position",
                                                       "altitude",
                                                       "meteorological",
                                                       "temperature",
                                                       "Celsius check state",
                                                       "Fahrenheit check state",
                                                       "note"};
    return item >= 0 && item < kSiteItems ? kNames[item] : "";
}

const std::array<const char *, 9> kSoilTypeTexts{"Clay",         "Clay soil", "General soil",
                                                 "Sand, Gravel", "Soft Rock", "Hard Rock",
                                                 "Granite",      "Gneiss",    "Basalt"};
const std::array<const char *, 3> kLayerStructureTexts{"Vertical layer", "Horizontal layer",
                                                       "Composite layer"};
const std::array<const char *, 6> kFieldPositionTexts{"Mountain top",  "Hill, Middle of Mountain",
                                                      "Plain, Forest", "Coastal area",
                                                      "riverside",     "others"};

} // namespace tav
