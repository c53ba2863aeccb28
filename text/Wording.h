#pragma once

#include "core/SiteFile.h"
#include "core/errors.h"

#include <QString>

#include <functional>

// Words for what the core says as values: a refusal, a caution, a quantity, an item of
// the field information file. Every text comes from the string table through the lookup
// it is given, so the windows (the language module) and tav-calc (its copy of the table)
// say the same.
class Wording {
public:
    using Lookup = std::function<QString(unsigned id)>;

    explicit Wording(Lookup lookup);

    QString refusal(const tav::Refusal &refusal) const;
    QString caution(const tav::Caution &caution) const;
    QString quantity(tav::Quantity quantity) const;
    // The item's name, "client company name", ...; empty beyond the fifteen.
    QString siteItem(int item) const;
    // "end of file", "bad length", ...
    QString siteReadStatus(tav::SiteReadStatus status) const;
    // Why a file could not be opened: the system's reason, or that it is no regular file.
    QString siteOpenFailure(const tav::SiteReadResult &result) const;
    // Why a file was not saved: the system's reason, or what the path names instead of a
    // regular file.
    QString siteWriteFailure(const tav::SiteWriteResult &result) const;
    // "a directory, not a regular file", ...; empty for a regular file.
    QString fileKind(tav::FileKind kind) const;
    // The entry of a list of the field information form, or empty for an index beyond it.
    QString soilType(int index) const;
    QString layerStructure(int index) const;
    QString fieldPosition(int index) const;

    static unsigned refusalId(tav::Error error);
    static unsigned quantityId(tav::Quantity quantity);
    static unsigned cautionId(tav::Warning warning);

private:
    // The text with {quantity} replaced by the quantity's name and %1, %2, ... by the
    // values as a message writes numbers.
    QString filled(unsigned id, tav::Quantity quantity, const std::vector<double> &values) const;

    Lookup m_lookup;
};
