#include "studies/earthing/ProfileView.h"

#include <QPainter>

#include <utility>

ProfileView::ProfileView(QWidget *parent) : QWidget(parent) {
    // Room for four ticks up the plot between the legend above it and the distance below.
    setMinimumHeight(13 * fontMetrics().height());
}

void ProfileView::setProfile(std::optional<ProfilePicture> profile) {
    m_profile = std::move(profile);
    update();
}

void ProfileView::setHint(const QString &hint) {
    m_hint = hint;
    update();
}

void ProfileView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!m_profile) {
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_hint);
        return;
    }
    // The potential's title up the left edge: across the top, a narrow window's legend ran
    // over it.
    ProfilePicture profile = *m_profile;
    const QString title = std::exchange(profile.yTitle, QString());
    const double line = fontMetrics().height();
    profile.paint(painter, QRectF(rect()).adjusted(1.5 * line, 0, 0, 0));
    painter.save();
    painter.translate(0.2 * line, (2 * line + height() - 2.5 * line) / 2);
    painter.rotate(-90);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(-height() / 2.0, 0, height(), 1.2 * line), Qt::AlignCenter, title);
    painter.restore();
}
