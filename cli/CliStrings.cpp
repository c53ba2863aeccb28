#include "cli/CliStrings.h"

#include "text/StringTable.h"

#include <QFile>

namespace {

const StringTable &table() {
    static const StringTable strings = [] {
        QFile file(QStringLiteral(":/tav-calc/strings.json"));
        return StringTable::fromJson(file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                    : QByteArray());
    }();
    return strings;
}

} // namespace

namespace CliStrings {

QString text(unsigned id) {
    return table().text(id).value_or(QString());
}

const Wording &wording() {
    static const Wording words(&CliStrings::text);
    return words;
}

} // namespace CliStrings
