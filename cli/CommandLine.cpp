#include "cli/CommandLine.h"

#include <cstdint>

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // U+DC80 to U+DCFF stand for the bytes 80 to FF

// The length of the valid UTF-8 sequence at the start of the bytes, and its code point;
// 0 when none starts there.
int sequence(const unsigned char *at, qsizetype left, char32_t &code) {
    const unsigned char lead = at[0];
    int extra = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF)
        extra = 1, code = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        extra = 2, code = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        extra = 3, code = lead & 0x07;
    else
        return 0;
    if (extra >= left)
        return 0;
    for (int k = 1; k <= extra; ++k) {
        if ((at[k] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (at[k] & 0x3F);
    }
    const bool overlong = (extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000);
    if (overlong || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
        return 0;
    return extra + 1;
}

void appendUtf8(QByteArray &out, char32_t code) {
    const QString text = QString::fromUcs4(&code, 1);
    out += text.toUtf8();
}

} // namespace

namespace CommandLine {

QString fromBytes(const QByteArray &bytes) {
    QString text;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t code = 0;
        const int length = sequence(data + i, bytes.size() - i, code);
        if (length == 0) {
            text += QChar(static_cast<char16_t>(kEscapeBase + data[i]));
            ++i;
        } else {
            text += QString::fromUcs4(&code, 1);
            i += length;
        }
    }
    return text;
}

QStringList arguments(int argc, const char *const *argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(fromBytes(QByteArray(argv[i])));
    return list;
}

QByteArray bytes(const QString &argument) {
    QByteArray out;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        const char16_t unit = argument[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < argument.size() &&
            argument[i + 1].isLowSurrogate()) {
            appendUtf8(out, QChar::surrogateToUcs4(unit, argument[i + 1].unicode()));
            ++i;
        } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            out += static_cast<char>(unit - kEscapeBase);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

} // namespace CommandLine
