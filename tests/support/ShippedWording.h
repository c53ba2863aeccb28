#pragma once

#include "text/StringTable.h"
#include "text/Wording.h"

#include <QFile>

// The words of the string table that ships in the language module, for tests that check
// what a refusal says.
inline const Wording &shippedWording() {
    static const StringTable table = [] {
        QFile file(QStringLiteral(TAV_STRINGS_JSON));
        return StringTable::fromJson(file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                    : QByteArray());
    }();
    static const Wording wording([](unsigned id) { return table.text(id).value_or(QString()); });
    return wording;
}
