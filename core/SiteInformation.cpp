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

} // namespace tav
