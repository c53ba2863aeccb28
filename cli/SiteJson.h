#pragma once

#include "core/SiteFile.h"

#include <QByteArray>

#include <cstdio>
#include <string>

// A field information record as tav-calc writes and reads it: text as the form shows it,
// and JSON with one key an item.
namespace SiteJson {

// Only the items read so far; texts shown as UTF-8 (Windows-1252 where they are not).
// Written piece by piece, so that a long text is never copied whole on its way out.
void writeText(std::FILE *out, const tav::SiteInformation &record, int itemsRead);
// error and warning: keys of their own when not empty.
void writeJson(std::FILE *out, const tav::SiteInformation &record, int itemsRead,
               const std::string &error, const std::string &warning);

// "end of file in item 12, temperature"; empty for success.
std::string failure(const tav::SiteReadResult &result);

// One record; a key left out takes the value of a new form (today for the date), null for
// the date writes a date that is not valid. Throws UsageError for anything else.
tav::SiteInformation fromJson(const QByteArray &json);

} // namespace SiteJson
