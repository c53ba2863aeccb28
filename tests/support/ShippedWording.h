#pragma once

#include "text/StringTable.h"
#include "text/Wording.h"

#include <QFile>

// The string table that ships in the language module.
inline const StringTable &shippedTable() {
    static const StringTable table = [] {
        QFile file(QStringLiteral(TAV_STRINGS_JSON));
        return StringTable::fromJson(file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                    : QByteArray());
    }();
    return table;
}

inline QString shippedText(unsigned id) {
    return shippedTable().text(id).value_or(QString());
}

// Its words, for tests that check what a refusal says.
inline const Wording &shippedWording() {
    static const Wording wording(shippedText);
    return wording;
}
