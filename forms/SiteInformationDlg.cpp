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

template <std::size_t N> void Fill(QComboBox *list, const std::array<unsigned, N> &strings) {
    for (const unsigned id : strings)
        list->addItem(LoadLanguageString(id));
    list->setCurrentIndex(0);
}

tav::SiteDate ToSiteDate(const QDate &date) {
    return date.isValid() ? tav::SiteDate::FromParts(date.year(), date.month(), date.day())
                          : tav::SiteDate{};
}

std::string Path(const QString &path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

CSiteInformationDlg::CSiteInformationDlg(QWidget *parent)
    : LayoutDialog(IDD, parent), m_measurementDate(QDate::currentDate()),
      m_icon(LoadApplicationIcon()) {}

bool CSiteInformationDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    SetIcon(m_icon);
    Fill(list(IDC_SOIL_TYPE), tav::kSoilTypeStrings);
    Fill(list(IDC_LAYER_STRUCTURE), tav::kLayerStructureStrings);
    Fill(list(IDC_FIELD_POSITION), tav::kFieldPositionStrings);
    OnCelsius();
    item<QDateEdit>(kDatePicker)->setDisplayFormat(QStringLiteral("dd/MM/yy"));
    bindCommands(this, {{IDC_CELSIUS, &CSiteInformationDlg::OnCelsius},
                        {IDC_FAHRENHEIT, &CSiteInformationDlg::OnFahrenheit},
                        {IDC_FILE_SAVE, &CSiteInformationDlg::OnFileSave},
                        {IDC_BROWSE, &CSiteInformationDlg::OnBrowse}});
    return true;
}

void CSiteInformationDlg::DoDataExchange(DataExchange &dx) {
    dx.Text(1002, m_strClientCompanyName);
    dx.Text(1003, m_strFieldName);
    dx.Date(kDatePicker, m_measurementDate);
    dx.Text(1005, m_strFileNumber);
    dx.Text(1011, m_strAltitude);
    dx.Text(1013, m_strMeteorological);
    dx.Text(1014, m_strTemperature);
    dx.Text(1017, m_strNote);
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

tav::SiteInformation CSiteInformationDlg::Record() const {
    tav::SiteInformation record;
    record.m_strClientCompanyName = m_strClientCompanyName;
    record.m_strFieldName = m_strFieldName;
    record.m_date = ToSiteDate(m_measurementDate);
    record.m_strFileNumber = m_strFileNumber;
    record.m_nSoilType = list(IDC_SOIL_TYPE)->currentIndex();
    record.m_nLayerStructure = list(IDC_LAYER_STRUCTURE)->currentIndex();
    record.m_nFieldPosition = list(IDC_FIELD_POSITION)->currentIndex();
    record.m_strAltitude = m_strAltitude;
    record.m_strMeteorological = m_strMeteorological;
    record.m_strTemperature = m_strTemperature;
    record.m_nCelsius = radio(IDC_CELSIUS)->isChecked() ? 1 : 0;
    record.m_nFahrenheit = radio(IDC_FAHRENHEIT)->isChecked() ? 1 : 0;
    record.m_strNote = m_strNote;
    return record;
}

void CSiteInformationDlg::OnFileSave() {
    UpdateData(true);
    const std::optional<QString> path = FileChooser::Choose(
        this, {FileChooser::Mode::Save, LoadLanguageString(kMsgFilter), QStringLiteral("txt"), {}});
    if (!path)
        return;
    tav::SiteWriteResult result;
    {
        const WaitCursor wait;
        result = tav::SiteFile::Write(Record(), Path(*path));
    }
    switch (result.status) {
    case tav::SiteWriteStatus::Success:
        ShowMessage(LoadLanguageString(kMsgSaved), this);
        break;
    case tav::SiteWriteStatus::CannotCreate:
        ShowMessage(LoadLanguageString(kMsgCannotCreate), this);
        break;
    case tav::SiteWriteStatus::WriteFailure:
        ShowFailure(tr("The file %1 could not be written: %2. The file that was there is "
                       "unchanged.")
                        .arg(*path, QString::fromLocal8Bit(result.reason.c_str())),
                    this);
        break;
    }
}

void CSiteInformationDlg::OnBrowse() {
    const std::optional<QString> path =
        FileChooser::Choose(this, {FileChooser::Mode::Open, LoadLanguageString(kMsgFilter),
                                   QStringLiteral("txt"), QStringLiteral("*.txt")});
    if (!path)
        return;
    tav::SiteInformation read = Record();
    tav::SiteReadResult result;
    {
        const WaitCursor wait;
        result = tav::SiteFile::Read(Path(*path), read);
    }
    if (result.status == tav::SiteReadStatus::CannotOpen) {
        ShowMessage(LoadLanguageString(kMsgCannotOpen), this);
        return;
    }
    Apply(read, result.itemsRead);
    if (result.status == tav::SiteReadStatus::Success)
        return;
    const QString failure = tr("The file %1 could not be read: %2 in item %3 (%4).")
                                .arg(*path, QLatin1String(tav::SiteFile::StatusText(result.status)))
                                .arg(result.itemsRead + 1)
                                .arg(QLatin1String(tav::SiteItemName(result.itemsRead)));
    if (result.status == tav::SiteReadStatus::OutOfMemory)
        ShowMessage(failure, this);
    else
        ShowFailure(failure, this);
}

void CSiteInformationDlg::Apply(const tav::SiteInformation &read, int itemsRead) {
    const int indexes[] = {read.m_nSoilType, read.m_nLayerStructure, read.m_nFieldPosition};
    const int lists[] = {IDC_SOIL_TYPE, IDC_LAYER_STRUCTURE, IDC_FIELD_POSITION};
    for (int i = 0; i < 3 && kSoilTypeItem + i < itemsRead; ++i) {
        QComboBox *box = list(lists[i]);
        // An index outside the list leaves it blank.
        box->setCurrentIndex(indexes[i] >= 0 && indexes[i] < box->count() ? indexes[i] : -1);
    }
    if (kCelsiusItem < itemsRead)
        radio(IDC_CELSIUS)->setChecked(read.m_nCelsius != 0);
    if (kCelsiusItem + 1 < itemsRead)
        radio(IDC_FAHRENHEIT)->setChecked(read.m_nFahrenheit != 0);
    if (itemsRead < tav::kSiteItems)
        return;
    m_strClientCompanyName = read.m_strClientCompanyName;
    m_strFieldName = read.m_strFieldName;
    // A date that is not valid leaves the picker at the day it showed.
    m_measurementDate =
        read.m_date.valid ? QDate(read.m_date.year, read.m_date.month, read.m_date.day) : QDate();
    m_strFileNumber = read.m_strFileNumber;
    m_strAltitude = read.m_strAltitude;
    m_strMeteorological = read.m_strMeteorological;
    m_strTemperature = read.m_strTemperature;
    m_strNote = read.m_strNote;
    UpdateData(false);
}
