#pragma once

#include <QIconEngine>
#include <QMap>
#include <QPixmap>

// An icon whose images stay in the language module until a size of them is drawn:
// most windows never draw their icon, and start-up should not pay for six images it
// does not show. Once the module is gone the icon draws nothing.
class PackedIconEngine : public QIconEngine {
public:
    // Resource paths of packed images, by their side in pixels, and the bytes of the
    // module they are in, for drawing them in place (see PackedImage::Unpack).
    explicit PackedIconEngine(QMap<int, QString> images, QByteArray module = {})
        : m_images(std::move(images)), m_module(std::move(module)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override { return new PackedIconEngine(*this); }
    QString key() const override { return QStringLiteral("PackedIconEngine"); }

private:
    int bestSide(const QSize &size) const;

    QMap<int, QString> m_images;
    QByteArray m_module;
    QMap<int, QPixmap> m_unpacked;
};
