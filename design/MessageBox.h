#pragma once

#include <QString>

class QWidget;

// A modal message with an OK button and the warning icon, captioned with the
// application title and owned by the given window (the active modal window when none
// is given).
int AfxMessageBox(const QString &text, QWidget *owner = nullptr);
