#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

// The texts of the string table by id, as resources/strings.json holds them: an object
// of decimal ids and texts. Anything else in it is passed over.
class StringTable {
public:
    StringTable() = default;
    static StringTable fromJson(const QByteArray &json);

    std::optional<QString> text(unsigned id) const;
    bool isEmpty() const { return m_texts.isEmpty(); }

private:
    QHash<unsigned, QString> m_texts;
};
