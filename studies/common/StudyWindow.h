#pragma once

#include "report/Report.h"
#include "report/StudyTexts.h"

#include <QHash>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <functional>
#include <optional>

class QHBoxLayout;
class QLabel;

// What every study window shares. It is a window of its own over the window that opened
// it, not modal to it (the opener stays usable) and closed with it, or, for a study of its
// own that must not be lost, moved to the window beneath; Escape closes it (or only the
// drop-down list open over it); it keeps its size for the next time while the program
// runs. Its buttons open a field information file for the report, copy the report as text
// (tables as tab-separated values) and save it as a one-page PDF (Ctrl+S, unless the
// window keeps a file of its own); each window says what its report is.
class StudyWindow : public QWidget {
    Q_OBJECT
public:
    struct Conduct {
        // Moved to the nearest window beneath its opener that is still shown, or standing
        // alone, when the opener closes or hides, rather than closed with it.
        bool outlivesOpener = false;
        bool saveKeyWritesPdf = true;
        bool deleteOnClose = true;
    };

    ~StudyWindow() override;

    // The window's texts, from the language module's string table, whole: its report is
    // worded as tav-calc words the same study's.
    static StudyTexts texts();

    // Shows the window, closing any other of its kind the opener has open.
    void present();

    virtual Report report() const = 0;
    const StudyHeader &header() const { return m_header; }
    void setPlace(const QString &place) { m_header.place = place; }
    // The field information read from the file at path.
    void setSite(const tav::SiteInformation &site, const QString &path);
    // None any more: the report goes without.
    void clearSite();
    // Reads the field information file at path for the report; false, with the reason
    // shown in a message, when it could not be read. siteChosen follows a file read.
    bool readSite(const QString &path);
    QString siteFileName() const { return m_siteFileName; }
    // The field information form, as the layer above sets it: shown over parent with the
    // file at current in it (none: a blank one), it gives the file its details were saved
    // in, or none. Without it, Field information... only chooses a file.
    using FieldInformationForm =
        std::function<std::optional<QString>(QWidget *parent, const QString &current)>;
    static void setFieldInformationForm(FieldInformationForm form);

    // Writes the report; false, with the reason shown in a message, when it could not.
    bool savePdf(const QString &path);
    void copyToClipboard() const;
    void chooseAndSavePdf();

protected:
    StudyWindow(QWidget *opener, const QString &sizeKey, QSize defaultSize, Conduct conduct);
    StudyWindow(QWidget *opener, const QString &sizeKey, QSize defaultSize)
        : StudyWindow(opener, sizeKey, defaultSize, Conduct()) {}

    // Field information..., Copy, Save as PDF... and Close, with the field information's
    // file before them; a window with a menu of its own keeps Save as PDF... there.
    QHBoxLayout *makeButtonRow(bool pdfButton = true);
    virtual QString defaultFileName() const = 0;
    // The files the report is made from, which saving it never replaces: the field
    // information file, and a window's own document.
    virtual QStringList reportInputs() const;
    // Why there is no report yet ("Solve the study first"); empty when there is one.
    virtual QString reportUnavailable() const { return QString(); }
    // What Copy puts on the clipboard as text: the report, unless a window has more to copy.
    virtual Report copiedReport() const { return report(); }
    // A field information file was chosen and read: a window that keeps it with its study
    // says so there.
    virtual void siteChosen(const QString &path) { Q_UNUSED(path); }
    // Escape, unless a drop-down list is open: closes the window.
    virtual void escapePressed() { close(); }
    // A window that outlives its opener stays a child of owner while owner is shown: a
    // modal form takes input for its own windows only.
    void keepWith(QWidget *owner);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void openFieldInformation();
    static QHash<QString, QSize> &rememberedSizes();

    QString m_sizeKey;
    Conduct m_conduct;
    QPointer<QWidget> m_owner;
    StudyHeader m_header;
    QLabel *m_siteLabel = nullptr;
    QString m_siteFileName;
};
