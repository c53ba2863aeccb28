#pragma once

#include "report/ProfilePicture.h"

#include <QWidget>

// The profile along the line drawn on a study's plan, at the widget's size.
class ProfileView : public QWidget {
    Q_OBJECT
public:
    explicit ProfileView(QWidget *parent = nullptr);

    // None: the widget shows its hint instead.
    void setProfile(std::optional<ProfilePicture> profile);
    const std::optional<ProfilePicture> &profile() const { return m_profile; }
    void setHint(const QString &hint);

protected:
    void paintEvent(QPaintEvent *event) override;
    QSize sizeHint() const override { return {480, 220}; }

private:
    std::optional<ProfilePicture> m_profile;
    QString m_hint;
};
