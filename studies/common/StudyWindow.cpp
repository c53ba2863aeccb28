#include "studies/common/StudyWindow.h"

#include "core/SiteFile.h"
#include "report/ReportWriter.h"
#include "text/StringIds.h"
#include "ui/FileChooser.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

using namespace StringId::Study;

StudyWindow::StudyWindow(QWidget *opener, const QString &sizeKey, QSize defaultSize,
                         Conduct conduct)
    : QWidget(nullptr, Qt::Window), m_sizeKey(sizeKey), m_conduct(conduct) {
    setAttribute(Qt::WA_DeleteOnClose, conduct.deleteOnClose);
    setObjectName(sizeKey);
    resize(rememberedSizes().value(sizeKey, defaultSize));
    keepWith(opener);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        // A drop-down list or menu open over the window takes its Escape: the list closes,
        // never the window with the work in it.
        if (QWidget *popup = QApplication::activePopupWidget()) {
            popup->close();
            return;
        }
        escapePressed();
    });
    if (conduct.saveKeyWritesPdf) {
        auto *save = new QShortcut(QKeySequence::Save, this);
        connect(save, &QShortcut::activated, this, &StudyWindow::chooseAndSavePdf);
    }
}

void StudyWindow::keepWith(QWidget *owner) {
    if (m_owner)
        m_owner->removeEventFilter(this);
    m_owner = owner;
    const bool shown = isVisible();
    setParent(owner, Qt::Window);
    if (owner)
        owner->installEventFilter(this);
    if (shown)
        show();
}

StudyWindow::~StudyWindow() = default;

QHash<QString, QSize> &StudyWindow::rememberedSizes() {
    static QHash<QString, QSize> sizes;
    return sizes;
}

StudyTexts StudyWindow::texts() {
    return StudyTexts(&LanguageText);
}

void StudyWindow::present() {
    if (QWidget *opener = parentWidget())
        for (StudyWindow *other : opener->findChildren<StudyWindow *>(Qt::FindDirectChildrenOnly))
            if (other != this && other->metaObject() == metaObject())
                other->close();
    show();
    raise();
    activateWindow();
}

QHBoxLayout *StudyWindow::makeButtonRow(bool pdfButton) {
    auto *row = new QHBoxLayout;
    auto *site = new QPushButton(LoadLanguageString(kOpenFieldInformation), this);
    site->setObjectName(QStringLiteral("fieldInformation"));
    connect(site, &QPushButton::clicked, this, &StudyWindow::openFieldInformation);
    m_siteLabel = new QLabel(this);
    m_siteLabel->setObjectName(QStringLiteral("fieldInformationFile"));
    auto *copy = new QPushButton(LoadLanguageString(kCopy), this);
    copy->setObjectName(QStringLiteral("copy"));
    connect(copy, &QPushButton::clicked, this, &StudyWindow::copyToClipboard);
    auto *close = new QPushButton(LoadLanguageString(kClose), this);
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    row->addWidget(site);
    row->addWidget(m_siteLabel, 1);
    row->addWidget(copy);
    if (pdfButton) {
        auto *pdf = new QPushButton(LoadLanguageString(kSavePdf), this);
        pdf->setObjectName(QStringLiteral("savePdf"));
        connect(pdf, &QPushButton::clicked, this, &StudyWindow::chooseAndSavePdf);
        row->addWidget(pdf);
    }
    row->addWidget(close);
    return row;
}

void StudyWindow::setSite(const tav::SiteInformation &site, const QString &path) {
    m_header.site = site;
    m_siteFileName = path;
    if (m_siteLabel != nullptr)
        m_siteLabel->setText(
            LoadLanguageString(kFieldInformationFrom).arg(QFileInfo(path).fileName()));
}

void StudyWindow::clearSite() {
    m_header.site.reset();
    m_siteFileName.clear();
    if (m_siteLabel != nullptr)
        m_siteLabel->clear();
}

void StudyWindow::copyToClipboard() const {
    if (reportUnavailable().isEmpty())
        QApplication::clipboard()->setText(copiedReport().toText());
}

bool StudyWindow::savePdf(const QString &path) {
    if (const QString why = reportUnavailable(); !why.isEmpty()) {
        showMessage(why, this);
        return false;
    }
    QString error;
    if (ReportWriter::write(report(), {path, reportInputs()}, texts(), &error))
        return true;
    showFailure(LoadLanguageString(kCannotWrite).arg(path, error), this);
    return false;
}

QStringList StudyWindow::reportInputs() const {
    return m_siteFileName.isEmpty() ? QStringList() : QStringList{m_siteFileName};
}

void StudyWindow::chooseAndSavePdf() {
    if (const QString why = reportUnavailable(); !why.isEmpty()) {
        showMessage(why, this);
        return;
    }
    const std::optional<QString> path =
        FileChooser::choose(this, {FileChooser::Mode::Save, LoadLanguageString(kPdfFilter),
                                   QStringLiteral("pdf"), defaultFileName()});
    if (path)
        savePdf(*path);
}

namespace {

StudyWindow::FieldInformationForm &fieldInformationForm() {
    static StudyWindow::FieldInformationForm form;
    return form;
}

} // namespace

void StudyWindow::setFieldInformationForm(FieldInformationForm form) {
    fieldInformationForm() = std::move(form);
}

void StudyWindow::openFieldInformation() {
    // The site's details typed in the form and saved, then read as a chosen file is.
    if (const FieldInformationForm &form = fieldInformationForm()) {
        if (const std::optional<QString> saved = form(this, m_siteFileName))
            readSite(*saved);
        return;
    }
    const std::optional<QString> path = FileChooser::choose(
        this, {FileChooser::Mode::Open, LoadLanguageString(StringId::kFileFilter),
               QStringLiteral("txt"), QStringLiteral("*.txt")});
    if (path)
        readSite(*path);
}

bool StudyWindow::readSite(const QString &path) {
    tav::SiteInformation site;
    const tav::SiteReadResult result =
        tav::SiteFile::read(QFile::encodeName(path).toStdString(), site);
    if (result.status == tav::SiteReadStatus::CannotOpen) {
        showMessage(LoadLanguageString(StringId::kCannotOpen), this);
        return false;
    }
    if (result.status != tav::SiteReadStatus::Success) {
        const Wording wording = languageWording();
        showFailure(LoadLanguageString(StringId::kSiteReadReport)
                        .arg(path, wording.siteReadStatus(result.status),
                             QString::number(result.itemsRead + 1),
                             wording.siteItem(result.itemsRead)),
                    this);
        return false;
    }
    setSite(site, path);
    siteChosen(path);
    return true;
}

// The window goes when the form that opened it is closed or hidden; one that outlives it
// moves to the nearest window beneath that is still shown, or stands alone, rather than go
// with it (a form closed with END is hidden, then deleted with its children).
bool StudyWindow::eventFilter(QObject *watched, QEvent *event) {
    // A study of its own stays when its opener is only minimised.
    const bool leaving =
        event->type() == QEvent::Close ||
        (event->type() == QEvent::Hide && !(m_conduct.outlivesOpener && event->spontaneous()));
    if (watched == m_owner && leaving) {
        if (!m_conduct.outlivesOpener) {
            close();
        } else {
            QWidget *beneath =
                m_owner->parentWidget() ? m_owner->parentWidget()->window() : nullptr;
            while (beneath && !beneath->isVisible())
                beneath = beneath->parentWidget() ? beneath->parentWidget()->window() : nullptr;
            keepWith(beneath);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void StudyWindow::closeEvent(QCloseEvent *event) {
    rememberedSizes().insert(m_sizeKey, size());
    QWidget::closeEvent(event);
}
