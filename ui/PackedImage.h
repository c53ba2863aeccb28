#pragma once

#include <QByteArray>
#include <QImage>

// The language module keeps its pictures as plain pixel rows in the layout the screen
// uses, so that showing one costs a copy rather than a decompression: the main
// window's picture is the larger part of what start-up has to load. A 16-byte header
// ("TAVB", width, height, QImage format, little-endian) precedes the rows.
class PackedImage {
public:
    static QByteArray Pack(const QImage &image);
    // A null image when the bytes are not a well-formed packed image.
    static QImage Unpack(const QByteArray &bytes);
};
