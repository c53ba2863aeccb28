#pragma once

#include <QByteArray>
#include <QStringList>

// tav-calc's arguments as text for the option parser, without losing a byte of a path. A
// file name is bytes, not always valid UTF-8 (a name written in Latin-1, say): valid UTF-8
// becomes its characters, and each byte of anything else the code unit U+DC80 + byte, a
// lone surrogate that no valid text holds (the "surrogateescape" of PEP 383). bytes()
// turns such a text back into the very bytes it came from.
namespace CommandLine {

QStringList arguments(int argc, const char *const *argv);
QString fromBytes(const QByteArray &bytes);
QByteArray bytes(const QString &argument);

} // namespace CommandLine
