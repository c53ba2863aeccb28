#include "forms/SiteInformationDlg.h"

#include "core/SiteFile.h"
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

constexpr unsigned kMsgFilter = 126;
constexpr unsigned kMsgCannotCreate = 127;
constexpr unsigned kMsgSaved = 128;
constexpr unsigned kMsgCannotOpen = 129;
constexpr int kDatePicker = 1007;

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
    : LayoutDialog(IDD, parent), m_measurementDate(QDate::currentDate()),
      m_icon(loadApplicationIcon()) {}

bool CSiteInformationDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    SetIcon(m_icon);
    fill(list(IDC_SOIL_TYPE), tav::kSoilTypeStrings);
    fill(list(IDC_LAYER_STRUCTURE), tav::kLayerStructureStrings);
    fill(list(IDC_FIELD_POSITION), tav::kFieldPositionStrings);
    OnCelsius();
    item<QDateEdit>(kDatePicker)->setDisplayFormat(QStringLiteral("dd/MM/yy"));
    bindCommands(this, {{IDC_CELSIUS, &CSiteInformationDlg::OnCelsius},
                        {IDC_FAHRENHEIT, &CSiteInformationDlg::OnFahrenheit},
                        {IDC_FILE_SAVE, &CSiteInformationDlg::OnFileSave},
                        {IDC_BROWSE, &CSiteInformationDlg::OnBrowse}});
    return true;
}

void CSiteInformationDlg::DoDataExchange(DataExchange &dx) {
    dx.Text(1002, m_clientCompanyName);
    dx.Text(1003, m_fieldName);
    dx.Date(kDatePicker, m_measurementDate);
    dx.Text(1005, m_fileNumber);
    dx.Text(1011, m_altitude);
    dx.Text(1013, m_meteorological);
    dx.Text(1014, m_temperature);
    dx.Text(1017, m_note);
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
    const std::optional<QString> path = FileChooser::choose(
        this, {FileChooser::Mode::Save, LoadLanguageString(kMsgFilter), QStringLiteral("txt"), {}});
    if (!path)
        return;
    tav::SiteWriteResult result;
    {
        const WaitCursor wait;
        result = tav::SiteFile::write(record(), localPath(*path));
    }
    switch (result.status) {
    case tav::SiteWriteStatus::Success:
        showMessage(LoadLanguageString(kMsgSaved), this);
        break;
    case tav::SiteWriteStatus::CannotCreate:
        showMessage(LoadLanguageString(kMsgCannotCreate), this);
        break;
    case tav::SiteWriteStatus::WriteFailure:
        showFailure(tr("The file %1 could not be written: %2. The file that was there is "
                       "unchanged.")
                        .arg(*path, QString::fromLocal8Bit(result.reason.c_str())),
                    this);
        break;
    }
}

void CSiteInformationDlg::OnBrowse() {
    const std::optional<QString> path =
        FileChooser::choose(this, {FileChooser::Mode::Open, LoadLanguageString(kMsgFilter),
                                   QStringLiteral("txt"), QStringLiteral("*.txt")});
    if (!path)
        return;
    tav::SiteInformation read = record();
    tav::SiteReadResult result;
    {
        const WaitCursor wait;
        result = tav::SiteFile::read(localPath(*path), read);
    }
    if (result.status == tav::SiteReadStatus::CannotOpen) {
        showMessage(LoadLanguageString(kMsgCannotOpen), this);
        return;
    }
    apply(read, result.itemsRead);
    if (result.status == tav::SiteReadStatus::Success)
        return;
    const QString failure = tr("The file %1 could not be read: %2 in item %3 (%4).")
                                .arg(*path, QLatin1String(tav::SiteFile::statusText(result.status)))
                                .arg(result.itemsRead + 1)
                                .arg(QLatin1String(tav::siteItemName(result.itemsRead)));
    if (result.status == tav::SiteReadStatus::OutOfMemory)
        showMessage(failure, this);
    else
        showFailure(failure, this);
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
