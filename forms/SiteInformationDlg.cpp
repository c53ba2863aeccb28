#include "forms/SiteInformationDlg.h"

#include "core/SiteFile.h"
#include "studies/common/StudyWindow.h"
#include "text/StringIds.h"
#include "ui/DataExchange.h"
#include "ui/FileChooser.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QRadioButton>

namespace {

using namespace SiteInformationIds;

// The items of the file that hold the three lists and the two check states.
constexpr int kSoilTypeItem = 6;
constexpr int kCelsiusItem = 12;

// The wait cursor for as long as a file is written or read.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

template <std::size_t N> void fill(QComboBox *list, const std::array<unsigned, N> &strings) {
    for (const unsigned id : strings)
        list->addItem(LoadLanguageString(id));
    list->setCurrentIndex(0);
}

tav::SiteDate toSiteDate(const QDate &date) {
    return date.isValid() ? tav::SiteDate::fromParts(date.year(), date.month(), date.day())
                          : tav::SiteDate{};
}

std::string localPath(const QString &path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

CSiteInformationDlg::CSiteInformationDlg(QWidget *parent)
    : LayoutDialog(IDD, parent), m_measurementDate(QDate::currentDate()) {}

bool CSiteInformationDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    fill(list(IDC_SOIL_TYPE), StringId::kSoilTypes);
    fill(list(IDC_LAYER_STRUCTURE), StringId::kLayerStructures);
    fill(list(IDC_FIELD_POSITION), StringId::kFieldPositions);
    OnCelsius();
    item<QDateEdit>(IDC_MEASUREMENT_DATE)->setDisplayFormat(QStringLiteral("dd/MM/yy"));
    bindCommands(this, {{IDC_CELSIUS, &CSiteInformationDlg::OnCelsius},
                        {IDC_FAHRENHEIT, &CSiteInformationDlg::OnFahrenheit},
                        {IDC_FILE_SAVE, &CSiteInformationDlg::OnFileSave},
                        {IDC_BROWSE, &CSiteInformationDlg::OnBrowse}});
    if (!m_preload.isEmpty())
        readFile(m_preload);
    return true;
}

void CSiteInformationDlg::DoDataExchange(DataExchange &dx) {
    dx.Text(IDC_CLIENT_COMPANY_NAME, m_clientCompanyName);
    dx.Text(IDC_FIELD_NAME, m_fieldName);
    dx.Date(IDC_MEASUREMENT_DATE, m_measurementDate);
    dx.Text(IDC_FILE_NUMBER, m_fileNumber);
    dx.Text(IDC_ALTITUDE, m_altitude);
    dx.Text(IDC_METEOROLOGICAL, m_meteorological);
    dx.Text(IDC_TEMPERATURE, m_temperature);
    dx.Text(IDC_NOTE, m_note);
}

QComboBox *CSiteInformationDlg::list(int id) const {
    return item<QComboBox>(id);
}

QRadioButton *CSiteInformationDlg::radio(int id) const {
    return item<QRadioButton>(id);
}

// The two buttons are independent; the form keeps them apart. The temperature is never
// converted.
void CSiteInformationDlg::OnCelsius() {
    radio(IDC_CELSIUS)->setChecked(true);
    radio(IDC_FAHRENHEIT)->setChecked(false);
}

void CSiteInformationDlg::OnFahrenheit() {
    radio(IDC_CELSIUS)->setChecked(false);
    radio(IDC_FAHRENHEIT)->setChecked(true);
}

tav::SiteInformation CSiteInformationDlg::record() const {
    tav::SiteInformation record;
    record.clientCompanyName = m_clientCompanyName;
    record.fieldName = m_fieldName;
    record.date = toSiteDate(m_measurementDate);
    record.fileNumber = m_fileNumber;
    record.soilType = list(IDC_SOIL_TYPE)->currentIndex();
    record.layerStructure = list(IDC_LAYER_STRUCTURE)->currentIndex();
    record.fieldPosition = list(IDC_FIELD_POSITION)->currentIndex();
    record.altitude = m_altitude;
    record.meteorological = m_meteorological;
    record.temperature = m_temperature;
    record.celsius = radio(IDC_CELSIUS)->isChecked() ? 1 : 0;
    record.fahrenheit = radio(IDC_FAHRENHEIT)->isChecked() ? 1 : 0;
    record.note = m_note;
    return record;
}

void CSiteInformationDlg::OnFileSave() {
    UpdateData(true);
    const std::optional<QString> path =
        FileChooser::choose(this, {FileChooser::Mode::Save,
                                   LoadLanguageString(StringId::kFileFilter),
                                   QStringLiteral("txt"),
                                   {}});
    if (!path)
        return;
    tav::SiteWriteResult result;
    {
        const WaitCursor wait;
        result = tav::SiteFile::write(record(), localPath(*path));
    }
    switch (result.status) {
    case tav::SiteWriteStatus::Success:
        m_savedFile = *path;
        showMessage(LoadLanguageString(StringId::kSaved), this);
        break;
    case tav::SiteWriteStatus::CannotCreate:
        showMessage(LoadLanguageString(StringId::kCannotCreate), this);
        break;
    case tav::SiteWriteStatus::Refused: // a file the user may not write: not replaced
    case tav::SiteWriteStatus::WriteFailure:
        showFailure(LoadLanguageString(StringId::kSiteWriteReport)
                        .arg(*path, languageWording().siteWriteFailure(result)),
                    this);
        break;
    }
}

std::optional<QString> CSiteInformationDlg::typeFor(QWidget *parent, const QString &current) {
    CSiteInformationDlg form(parent);
    form.m_preload = current;
    form.DoModal();
    if (form.m_savedFile.isEmpty())
        return std::nullopt;
    return form.m_savedFile;
}

void CSiteInformationDlg::offerToStudies() {
    StudyWindow::setFieldInformationForm(&CSiteInformationDlg::typeFor);
}

void CSiteInformationDlg::OnBrowse() {
    const std::optional<QString> path = FileChooser::choose(
        this, {FileChooser::Mode::Open, LoadLanguageString(StringId::kFileFilter),
               QStringLiteral("txt"), QStringLiteral("*.txt")});
    if (path)
        readFile(*path);
}

bool CSiteInformationDlg::readFile(const QString &path) {
    tav::SiteInformation read = record();
    tav::SiteReadResult result;
    {
        const WaitCursor wait;
        result = tav::SiteFile::read(localPath(path), read);
    }
    if (result.status == tav::SiteReadStatus::CannotOpen) {
        showMessage(LoadLanguageString(StringId::kCannotOpen), this);
        return false;
    }
    apply(read, result.itemsRead);
    if (result.status == tav::SiteReadStatus::Success)
        return true;
    const Wording wording = languageWording();
    const QString failure =
        LoadLanguageString(StringId::kSiteReadReport)
            .arg(path, wording.siteReadStatus(result.status), QString::number(result.itemsRead + 1),
                 wording.siteItem(result.itemsRead));
    if (result.status == tav::SiteReadStatus::OutOfMemory)
        showMessage(failure, this);
    else
        showFailure(failure, this);
    return false;
}

void CSiteInformationDlg::apply(const tav::SiteInformation &read, int itemsRead) {
    const int indexes[] = {read.soilType, read.layerStructure, read.fieldPosition};
    const int lists[] = {IDC_SOIL_TYPE, IDC_LAYER_STRUCTURE, IDC_FIELD_POSITION};
    for (int i = 0; i < 3 && kSoilTypeItem + i < itemsRead; ++i) {
        QComboBox *box = list(lists[i]);
        // An index outside the list leaves it blank.
        box->setCurrentIndex(indexes[i] >= 0 && indexes[i] < box->count() ? indexes[i] : -1);
    }
    if (kCelsiusItem < itemsRead)
        radio(IDC_CELSIUS)->setChecked(read.celsius != 0);
    if (kCelsiusItem + 1 < itemsRead)
        radio(IDC_FAHRENHEIT)->setChecked(read.fahrenheit != 0);
    if (itemsRead < tav::kSiteItems)
        return;
    m_clientCompanyName = read.clientCompanyName;
    m_fieldName = read.fieldName;
    // A date that is not valid leaves the picker at the day it showed.
    m_measurementDate =
        read.date.valid ? QDate(read.date.year, read.date.month, read.date.day) : QDate();
    m_fileNumber = read.fileNumber;
    m_altitude = read.altitude;
    m_meteorological = read.meteorological;
    m_temperature = read.temperature;
    m_note = read.note;
    UpdateData(false);
}
