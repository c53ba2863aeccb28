#include "ui/PackedImage.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr int kHeaderSize = 16;
constexpr quint32 kMaxSide = 8192;
const char kMagic[4] = {'T', 'A', 'V', 'B'};

quint32 readU32(const QByteArray &bytes, int offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

void appendU32(QByteArray &bytes, quint32 value) {
    char buffer[4];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 4);
}

struct Header {
    quint32 width = 0;
    quint32 height = 0;
    QImage::Format format = QImage::Format_Invalid;
    qint64 rowBytes = 0;
};

// The header of a well-formed packed image; false for anything else.
bool readHeader(const QByteArray &bytes, Header &header) {
    if (bytes.size() < kHeaderSize || !bytes.startsWith(QByteArrayView(kMagic, 4)))
        return false;
    header.width = readU32(bytes, 4);
    header.height = readU32(bytes, 8);
    const quint32 format = readU32(bytes, 12);
    if (header.width == 0 || header.height == 0 || header.width > kMaxSide ||
        header.height > kMaxSide)
        return false;
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        return false;
    header.format = static_cast<QImage::Format>(format);
    header.rowBytes = qint64{header.width} * 4;
    return bytes.size() == kHeaderSize + header.rowBytes * header.height;
}

void releaseShare(void *share) {
    delete static_cast<QByteArray *>(share);
}

} // namespace

QByteArray PackedImage::pack(const QImage &source) {
    const QImage::Format format =
        source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    const QImage image = source.convertToFormat(format);
    QByteArray bytes(kMagic, 4);
    appendU32(bytes, static_cast<quint32>(image.width()));
    appendU32(bytes, static_cast<quint32>(image.height()));
    appendU32(bytes, static_cast<quint32>(format));
    // Each pixel as a little-endian 32-bit value, whatever machine builds the module: it
    // is installed in share/, the same for every architecture.
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const quint32 *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            appendU32(bytes, row[x]);
    }
    return bytes;
}

QImage PackedImage::unpack(const QByteArray &bytes) {
    Header header;
    if (!readHeader(bytes, header))
        return {};
    QImage image(static_cast<int>(header.width), static_cast<int>(header.height), header.format);
    if (image.isNull())
        return {};
    // Copied row by row: the rows in the module need not be aligned as QImage wants. On a
    // little-endian machine the pixels are already as QImage keeps them.
    for (quint32 y = 0; y < header.height; ++y) {
        const char *source = bytes.constData() + kHeaderSize + header.rowBytes * y;
        uchar *row = image.scanLine(static_cast<int>(y));
        if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
            std::memcpy(row, source, static_cast<size_t>(header.rowBytes));
        } else {
            for (quint32 x = 0; x < header.width; ++x)
                reinterpret_cast<quint32 *>(row)[x] = qFromLittleEndian<quint32>(source + 4 * x);
        }
    }
    return image;
}

QImage PackedImage::unpack(const QByteArray &bytes, const QByteArray &owner) {
    Header header;
    if (!readHeader(bytes, header))
        return {};
    const auto begin = reinterpret_cast<quintptr>(bytes.constData());
    const auto ownerBegin = reinterpret_cast<quintptr>(owner.constData());
    const bool inOwner = !owner.isEmpty() && ownerBegin <= begin &&
                         begin + static_cast<quintptr>(bytes.size()) <=
                             ownerBegin + static_cast<quintptr>(owner.size());
    // In place only where the module's little-endian pixels are what QImage keeps.
    if (Q_BYTE_ORDER != Q_LITTLE_ENDIAN || !inOwner ||
        (begin + kHeaderSize) % alignof(quint32) != 0)
        return unpack(bytes);
    // Read-only: whatever would change the pixels gets a copy of its own first.
    return QImage(reinterpret_cast<const uchar *>(bytes.constData() + kHeaderSize),
                  static_cast<int>(header.width), static_cast<int>(header.height), header.rowBytes,
                  header.format, releaseShare, new QByteArray(owner));
}
