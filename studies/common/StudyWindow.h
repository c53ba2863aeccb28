#pragma once

#include "report/Report.h"
#include "report/StudyTexts.h"

#include <QHash>
#include <QSize>
#include <QWidget>

class QHBoxLayout;
class QLabel;

// What every study window shares. It is a window of its own over the form that opened
// it, not modal to it (the form stays usable) and closed with it; Escape closes it; it
// keeps its size for the next time while the program runs. Its buttons open a field
// information file for the report, copy the report as text (tables as tab-separated
// values) and save it as a one-page PDF (Ctrl+S); each window says what its report is.
class StudyWindow : public QWidget {
    Q_OBJECT
public:
    ~StudyWindow() override;

    // The window's texts, from the language module's string table.
    static StudyTexts texts();

    // Shows the window, closing any other of its kind the opener has open.
    void present();

    virtual Report report() const = 0;
    const StudyHeader &header() const { return m_header; }
    void setPlace(const QString &place) { m_header.place = place; }
    void setSite(const tav::SiteInformation &site, const QString &fileName);

    // Writes the report; false, with the reason shown in a message, when it could not.
    bool savePdf(const QString &path);
    void copyToClipboard() const;

protected:
    StudyWindow(QWidget *opener, const QString &sizeKey, QSize defaultSize);

    // Field information..., Copy, Save as PDF... and Close, with the field information's
    // file before them.
    QHBoxLayout *makeButtonRow();
    virtual QString defaultFileName() const = 0;

    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void chooseAndSavePdf();
    void openFieldInformation();
    static QHash<QString, QSize> &rememberedSizes();

    QString m_sizeKey;
    StudyHeader m_header;
    QLabel *m_siteLabel = nullptr;
};
