#include "ui/PackedImage.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr int kHeaderSize = 16;
constexpr quint32 kMaxSide = 8192;
const char kMagic[4] = {'T', 'A', 'V', 'B'};

quint32 ReadU32(const QByteArray &bytes, int offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

void AppendU32(QByteArray &bytes, quint32 value) {
    char buffer[4];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 4);
}

} // namespace

QByteArray PackedImage::Pack(const QImage &source) {
    const QImage::Format format =
        source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    const QImage image = source.convertToFormat(format);
    QByteArray bytes(kMagic, 4);
    AppendU32(bytes, static_cast<quint32>(image.width()));
    AppendU32(bytes, static_cast<quint32>(image.height()));
    AppendU32(bytes, static_cast<quint32>(format));
    // Each pixel as a little-endian 32-bit value, whatever machine builds the module: it
    // is installed in share/, the same for every architecture.
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const quint32 *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            AppendU32(bytes, row[x]);
    }
    return bytes;
}

QImage PackedImage::Unpack(const QByteArray &bytes) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.constData(), kMagic, 4) != 0)
        return {};
    const quint32 width = ReadU32(bytes, 4);
    const quint32 height = ReadU32(bytes, 8);
    const quint32 format = ReadU32(bytes, 12);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return {};
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        return {};
    const qint64 rowBytes = qint64{width} * 4;
    if (bytes.size() != kHeaderSize + rowBytes * height)
        return {};
    QImage image(static_cast<int>(width), static_cast<int>(height),
                 static_cast<QImage::Format>(format));
    if (image.isNull())
        return {};
    // Copied row by row: the rows in the module need not be aligned as QImage wants. On a
    // little-endian machine the pixels are already as QImage keeps them.
    for (quint32 y = 0; y < height; ++y) {
        const char *source = bytes.constData() + kHeaderSize + rowBytes * y;
        uchar *row = image.scanLine(static_cast<int>(y));
        if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
            std::memcpy(row, source, static_cast<size_t>(rowBytes));
        } else {
            for (quint32 x = 0; x < width; ++x)
                reinterpret_cast<quint32 *>(row)[x] = qFromLittleEndian<quint32>(source + 4 * x);
        }
    }
    return image;
}
