#include "ui/PackedIconEngine.h"

#include "ui/PackedImage.h"

#include <QPainter>
#include <QResource>

int PackedIconEngine::bestSide(const QSize &size) const {
    if (m_images.isEmpty())
        return 0;
    const int wanted = qMin(size.width(), size.height());
    // The smallest image at least as large as wanted, else the largest there is.
    const auto it = m_images.lowerBound(wanted);
    return it != m_images.end() ? it.key() : m_images.lastKey();
}

QPixmap PackedIconEngine::pixmap(const QSize &size, QIcon::Mode, QIcon::State) {
    const int side = bestSide(size);
    if (side == 0)
        return {};
    auto it = m_unpacked.find(side);
    if (it == m_unpacked.end()) {
        const QResource resource(m_images.value(side));
        QPixmap unpacked;
        if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression) {
            const QByteArray bytes = QByteArray::fromRawData(
                reinterpret_cast<const char *>(resource.data()), resource.size());
            unpacked = QPixmap::fromImage(PackedImage::unpack(bytes, m_module));
        }
        it = m_unpacked.insert(side, unpacked);
    }
    if (it->isNull() || it->size() == size)
        return *it;
    return it->scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void PackedIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
                             QIcon::State state) {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
}

QSize PackedIconEngine::actualSize(const QSize &size, QIcon::Mode, QIcon::State) {
    const int side = qMin(bestSide(size), qMin(size.width(), size.height()));
    return QSize(side, side);
}

QList<QSize> PackedIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    QList<QSize> sizes;
    for (auto it = m_images.cbegin(); it != m_images.cend(); ++it)
        sizes.append(QSize(it.key(), it.key()));
    return sizes;
}
