#include "text/StringTable.h"

#include <QJsonDocument>
#include <QJsonObject>

StringTable StringTable::fromJson(const QByteArray &json) {
    StringTable table;
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        bool ok = false;
        const unsigned id = it.key().toUInt(&ok);
        if (ok && it.value().isString())
            table.m_texts.insert(id, it.value().toString());
    }
    return table;
}

std::optional<QString> StringTable::text(unsigned id) const {
    const auto it = m_texts.constFind(id);
    if (it == m_texts.constEnd())
        return std::nullopt;
    return *it;
}
