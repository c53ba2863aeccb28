#include "cli/SiteJson.h"

#include "cli/CliOptions.h"
#include "cli/CliStrings.h"
#include "cli/JsonWriter.h"
#include "core/TextEncoding.h"

#include <QDate>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

using tav::SiteInformation;

namespace {

// The items as the file orders them: key, label, and where the record keeps them. The
// date's three items are one entry, shown once all three are read.
enum class Kind { Text, Index, Check, Date };
struct Item {
    const char *key;
    const char *label;
    Kind kind;
    int lastItem; // 0-based index of the file item that completes it
    std::string SiteInformation::*text;
    int SiteInformation::*number;
};

const std::array<Item, 13> kItems{{
    {"client_company_name", "Client Company Name", Kind::Text, 0,
     &SiteInformation::clientCompanyName, nullptr},
    {"field_name", "Field Name", Kind::Text, 1, &SiteInformation::fieldName, nullptr},
    {"measurement_date", "Measurement Date", Kind::Date, 4, nullptr, nullptr},
    {"file_number", "File Number", Kind::Text, 5, &SiteInformation::fileNumber, nullptr},
    {"soil_type", "Soil Type", Kind::Index, 6, nullptr, &SiteInformation::soilType},
    {"layer_structure", "Geological layer structure", Kind::Index, 7, nullptr,
     &SiteInformation::layerStructure},
    {"field_position", "Field position", Kind::Index, 8, nullptr, &SiteInformation::fieldPosition},
    {"altitude", "Altitude(m)", Kind::Text, 9, &SiteInformation::altitude, nullptr},
    {"meteorological", "Meteorological", Kind::Text, 10, &SiteInformation::meteorological, nullptr},
    {"temperature", "Temperature", Kind::Text, 11, &SiteInformation::temperature, nullptr},
    {"celsius", "Celsius", Kind::Check, 12, nullptr, &SiteInformation::celsius},
    {"fahrenheit", "Fahrenheit", Kind::Check, 13, nullptr, &SiteInformation::fahrenheit},
    {"note", "Note", Kind::Text, 14, &SiteInformation::note, nullptr},
}};

std::string listText(const Item &item, int index) {
    const Wording &wording = CliStrings::wording();
    if (item.number == &SiteInformation::soilType)
        return wording.soilType(index).toStdString();
    if (item.number == &SiteInformation::layerStructure)
        return wording.layerStructure(index).toStdString();
    return wording.fieldPosition(index).toStdString();
}

std::string dateText(const tav::SiteDate &date) {
    if (!date.valid)
        return "";
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

void put(std::FILE *out, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), out);
}

// The text with what JSON cannot hold as it is escaped: quote, backslash and controls.
void putEscaped(std::FILE *out, std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 8);
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        escaped.append(text.substr(run, i - run));
        if (c < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            const char code[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
            escaped.append(code, sizeof code);
        } else {
            escaped += '\\';
            escaped += static_cast<char>(c);
        }
        run = i + 1;
    }
    escaped.append(text.substr(run));
    put(out, escaped);
}

// A text of the file as it is shown, a piece at a time: UTF-8 as it is, anything else as
// Windows-1252 converted piece by piece.
void putShown(std::FILE *out, const std::string &bytes, bool json) {
    constexpr std::size_t kPiece = 1 << 16;
    const bool utf8 = tav::isValidUtf8(bytes);
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        std::string_view piece(bytes.data() + at, std::min(kPiece, bytes.size() - at));
        std::string converted;
        if (!utf8) {
            converted = tav::windows1252ToUtf8(piece.data(), piece.size());
            piece = converted;
        }
        if (json)
            putEscaped(out, piece);
        else
            put(out, piece);
    }
}

[[noreturn]] void refuse(const std::string &key, const char *what) {
    throw UsageError("site write: \"" + key + "\" must be " + what);
}

int wholeNumber(const QJsonValue &value, const std::string &key) {
    const double number = value.toDouble(std::nan(""));
    if (!(number >= -2147483648.0 && number <= 2147483647.0) || number != std::trunc(number))
        refuse(key, "a whole number within 32 bits");
    return static_cast<int>(number);
}

tav::SiteDate dateFrom(const QJsonValue &value, const std::string &key) {
    if (value.isNull())
        return {};
    const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
    const tav::SiteDate day = tav::SiteDate::fromParts(date.year(), date.month(), date.day());
    if (!value.isString() || !date.isValid() || !day.valid)
        refuse(key, "a date YYYY-MM-DD from 0001-01-01 to 9999-12-31, or null");
    return day;
}

} // namespace

namespace SiteJson {

void writeText(std::FILE *out, const SiteInformation &record, int itemsRead) {
    for (const Item &item : kItems) {
        if (item.lastItem >= itemsRead)
            break;
        put(out, item.label);
        put(out, ": ");
        switch (item.kind) {
        case Kind::Text:
            putShown(out, record.*item.text, false);
            break;
        case Kind::Index:
            put(out, listText(item, record.*item.number));
            break;
        case Kind::Check:
            put(out, record.*item.number == 1   ? "selected"
                     : record.*item.number == 0 ? "not selected"
                                                : std::to_string(record.*item.number));
            break;
        case Kind::Date:
            put(out, record.date.valid ? dateText(record.date) : "not valid");
            break;
        }
        put(out, "\n");
    }
}

void writeJson(std::FILE *out, const SiteInformation &record, int itemsRead,
               const std::string &error, const std::string &warning) {
    put(out, "{");
    for (const Item &item : kItems) {
        if (item.lastItem >= itemsRead)
            break;
        put(out, JsonWriter::string(item.key) + ":");
        if (item.kind == Kind::Text) {
            put(out, "\"");
            putShown(out, record.*item.text, true);
            put(out, "\"");
        } else if (item.kind == Kind::Date) {
            put(out, record.date.valid ? JsonWriter::string(dateText(record.date)) : "null");
        } else {
            put(out, JsonWriter::integer(record.*item.number));
        }
        put(out, ",");
    }
    put(out, "\"items_read\":" + JsonWriter::integer(itemsRead));
    if (!error.empty())
        put(out, ",\"error\":" + JsonWriter::string(error));
    if (!warning.empty())
        put(out, ",\"warning\":" + JsonWriter::string(warning));
    put(out, "}\n");
}

std::string failure(const tav::SiteReadResult &result) {
    if (result.status == tav::SiteReadStatus::Success)
        return "";
    const Wording &wording = CliStrings::wording();
    std::string failure = wording.siteReadStatus(result.status).toStdString();
    failure += " in item " + std::to_string(result.itemsRead + 1) + ", " +
               wording.siteItem(result.itemsRead).toStdString();
    if (!result.reason.empty())
        failure += " (" + result.reason + ")";
    return failure;
}

SiteInformation fromJson(const QByteArray &json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        throw UsageError("site write: standard input is not one JSON object: " +
                         error.errorString().toStdString());
    const QJsonObject object = document.object();
    SiteInformation record;
    const QDate today = QDate::currentDate();
    record.date = tav::SiteDate::fromParts(today.year(), today.month(), today.day());
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::string key = it.key().toStdString();
        if (key == "items_read" || key == "error" || key == "warning")
            continue; // what site show adds
        const Item *item = nullptr;
        for (const Item &candidate : kItems)
            item = key == candidate.key ? &candidate : item;
        if (item == nullptr)
            throw UsageError("site write: unknown key \"" + key + "\"");
        if (item->kind == Kind::Text) {
            if (!it.value().isString())
                refuse(key, "a text");
            record.*item->text = it.value().toString().toStdString();
        } else if (item->kind == Kind::Date) {
            record.date = dateFrom(it.value(), key);
        } else {
            record.*item->number = wholeNumber(it.value(), key);
        }
    }
    return record;
}

} // namespace SiteJson
