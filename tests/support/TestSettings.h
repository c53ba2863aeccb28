#pragma once

#include <QSettings>
#include <QTemporaryDir>

// The program's settings (the recent files) kept in a folder of the test's own for its
// life, never in the user's.
class TestSettings {
public:
    TestSettings() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.path());
    }
    bool valid() const { return m_folder.isValid(); }

private:
    QTemporaryDir m_folder;
};
