#pragma once

#include <QByteArray>
#include <QImage>

// The language module keeps its pictures as plain pixel rows in the layout the screen
// uses, so that showing one costs no decompression, and in the module the build makes
// not even a copy: the main window's picture is most of what start-up has to load. A
// 16-byte header ("TAVB", width, height, QImage format, little-endian) precedes the rows.
class PackedImage {
public:
    static QByteArray pack(const QImage &image);
    // A null image when the bytes are not a well-formed packed image.
    static QImage unpack(const QByteArray &bytes);
    // The same image, drawn in place from the bytes, without a copy, when they lie in
    // `owner` and their rows are four-byte aligned (as in the module the build makes);
    // otherwise a copy, as Unpack. The image holds a share of `owner`, so the bytes
    // outlive neither it nor its copies.
    static QImage unpack(const QByteArray &bytes, const QByteArray &owner);
};
