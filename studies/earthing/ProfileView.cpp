#include "studies/earthing/ProfileView.h"

#include <QPainter>

ProfileView::ProfileView(QWidget *parent) : QWidget(parent) {
    setMinimumHeight(140);
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
    if (m_profile)
        m_profile->paint(painter, QRectF(rect()));
    else
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_hint);
}
