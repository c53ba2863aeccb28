#pragma once

#include "core/SiteFile.h"

#include <QByteArray>

#include <string>

// A field information record as tav-calc writes and reads it: text as the form shows it,
// and JSON with one key an item.
namespace SiteJson {

// Only the items read so far; texts shown as UTF-8 (Windows-1252 where they are not).
std::string toText(const tav::SiteInformation &record, int itemsRead);
std::string toJson(const tav::SiteInformation &record, int itemsRead, const std::string &error);

// "end of file in item 12, temperature"; empty for success.
std::string failure(const tav::SiteReadResult &result);

// One record; a key left out takes the value of a new form (today for the date), null for
// the date writes a date that is not valid. Throws UsageError for anything else.
tav::SiteInformation fromJson(const QByteArray &json);

} // namespace SiteJson
