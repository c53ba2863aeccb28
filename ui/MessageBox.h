#pragma once

#include <QString>

class QWidget;

// Shows a modal message with an OK button and the warning icon, captioned with the
// application title and owned by the given window (the active modal window when none
// is given). Every message of the program goes through here.
int showMessage(const QString &text, QWidget *owner = nullptr);

// The report of a command that failed in the middle: a modal message with an OK button and
// the stop icon, owned and captioned as ShowMessage's.
int showFailure(const QString &text, QWidget *owner = nullptr);

enum class SaveAnswer { Save, Discard, Cancel };

// Whether to save work before it is set aside: Save, Discard and Cancel, the question
// icon, owned and captioned as ShowMessage's.
SaveAnswer askToSave(const QString &text, QWidget *owner = nullptr);

// Whether to go on with what would take more than was asked for: Yes and No (the default),
// the question icon, owned and captioned as ShowMessage's.
bool askToProceed(const QString &text, QWidget *owner = nullptr);
