#include "document/DuplicateKeys.h"

#include <QSet>

namespace tav {

namespace {

// A recursive descent over text that QJsonDocument has accepted, so that nesting is at
// most its limit and every token is sound; it only keeps its place and the keys.
class Scanner {
public:
    explicit Scanner(const QByteArray &json) : m_json(json) {}

    QString duplicate;

    void value(const QString &path) {
        skipSpace();
        if (at() == '{')
            object(path);
        else if (at() == '[')
            array(path);
        else if (at() == '"')
            text();
        else
            while (m_pos < m_json.size() && !QByteArrayView(",]} \t\r\n").contains(at()))
                ++m_pos; // a number, true, false or null
    }

private:
    char at() const { return m_pos < m_json.size() ? m_json[m_pos] : '\0'; }

    void skipSpace() {
        while (m_pos < m_json.size() && QByteArrayView(" \t\r\n").contains(at()))
            ++m_pos;
    }

    void object(const QString &path) {
        QSet<QString> keys;
        ++m_pos; // {
        for (skipSpace(); at() != '}' && duplicate.isEmpty(); skipSpace()) {
            if (at() == ',') {
                ++m_pos;
                skipSpace();
            }
            const QString key = text();
            const QString inner = path.isEmpty() ? key : path + QLatin1Char('.') + key;
            if (keys.contains(key)) {
                duplicate = inner;
                return;
            }
            keys.insert(key);
            skipSpace();
            ++m_pos; // :
            value(inner);
        }
        ++m_pos;
    }

    void array(const QString &path) {
        ++m_pos; // [
        int index = 0;
        for (skipSpace(); at() != ']' && duplicate.isEmpty(); skipSpace()) {
            if (at() == ',') {
                ++m_pos;
                continue;
            }
            value(path + QLatin1Char('[') + QString::number(index++) + QLatin1Char(']'));
        }
        ++m_pos;
    }

    // A string, its escapes decoded, so that "a" and "\u0061" are one key.
    QString text() {
        QString out;
        QByteArray plain;
        ++m_pos; // "
        while (at() != '"' && m_pos < m_json.size()) {
            if (at() != '\\') {
                plain += at();
                ++m_pos;
                continue;
            }
            out += QString::fromUtf8(plain);
            plain.clear();
            out += escape();
        }
        ++m_pos;
        return out + QString::fromUtf8(plain);
    }

    QString escape() {
        const char kind = m_json[m_pos + 1];
        m_pos += 2;
        switch (kind) {
        case 'b':
            return QStringLiteral("\b");
        case 'f':
            return QStringLiteral("\f");
        case 'n':
            return QStringLiteral("\n");
        case 'r':
            return QStringLiteral("\r");
        case 't':
            return QStringLiteral("\t");
        case 'u': {
            const char16_t unit = char16_t(m_json.mid(m_pos, 4).toUShort(nullptr, 16));
            m_pos += 4;
            return QString(QChar(unit)); // a surrogate pairs with the next escape's
        }
        default:
            return QString(QLatin1Char(kind)); // ", \ and /
        }
    }

    const QByteArray &m_json;
    qsizetype m_pos = 0;
};

} // namespace

QString DuplicateKeys::firstIn(const QByteArray &json) {
    // QJsonDocument passes over a byte order mark; so must the scan.
    const QByteArray kMark("\xEF\xBB\xBF");
    const QByteArray text = json.startsWith(kMark) ? json.mid(kMark.size()) : json;
    Scanner scanner(text);
    scanner.value(QString());
    return scanner.duplicate;
}

} // namespace tav
