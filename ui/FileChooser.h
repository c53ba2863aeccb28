#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// The program's open and save choosers. They are Qt's own file dialog rather than the
// platform's, so that they behave the same everywhere and a test sees and answers them
// as it does a message box.
class FileChooser {
public:
    enum class Mode { Open, Save };

    struct Request {
        Mode mode = Mode::Open;
        // Pairs of label and pattern separated by bars and ending in two bars, as the
        // string table holds them: "Text(*.txt)|*.txt|All Files (*.*)|*.*||".
        QString filter;
        QString defaultExtension; // added to a name typed without one
        QString initialName;
    };

    // The chosen file's path; empty when the user cancels. Saving over an existing file
    // asks first.
    static std::optional<QString> choose(QWidget *owner, const Request &request);

    // The filter as Qt's name filters: each label shown as it is, its patterns after it
    // ("*.*" matching every file, as it does for the user).
    static QStringList nameFilters(const QString &filter);
};
