#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// A document read whole, from a named file or from standard input ("-"), as a calculation
// refuses it when it cannot be: only a regular file is opened (a named pipe would block
// its opening, a device would never end), and no more than kMostBytes is read from either.
class DocumentInput {
public:
    static constexpr qsizetype kMostBytes = qsizetype{64} << 20;

    // What the file is read as, so that one too long is said to be more than any of its
    // kind.
    enum class Kind { SystemDocument, LayerMap, Readings };

    // Notes whether standard input is open, before Qt opens descriptors of its own, one of
    // which would otherwise take its number; a closed one then reads as nothing.
    static void noteStandardInput();

    // The whole content, or false with the worded reason.
    static bool read(const QString &path, QByteArray &content, QString &reason,
                     Kind kind = Kind::SystemDocument);

private:
    static bool readFile(const QString &path, QByteArray &content, QString &reason, Kind kind);
    static bool readStandardInput(QByteArray &content, QString &reason, Kind kind);
    // The words of a file, or of standard input, that holds more than kMostBytes.
    static unsigned tooLong(Kind kind, bool standardInput);
    // Up to the limit and one byte more, so that too much is told from enough.
    static bool readUpTo(int descriptor, QByteArray &content, int &failure);
};
