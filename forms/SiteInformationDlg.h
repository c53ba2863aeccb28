#pragma once

#include "core/SiteInformation.h"
#include "forms/ids/SiteInformationIds.h"
#include "ui/LayoutDialog.h"

#include <QDate>
#include <QString>

#include <optional>

class QComboBox;
class QRadioButton;

// The site data of a survey, kept in a field information file: "File Save" writes the
// form's values, "Browse" reads a file back into it.
class CSiteInformationDlg : public LayoutDialog {
    Q_OBJECT
public:
    static constexpr int IDD = SiteInformationIds::IDD;

    explicit CSiteInformationDlg(QWidget *parent = nullptr);

    // The form as the study windows' Field information... shows it: the file at current
    // read into it first (when there is one), modal over parent; the file its details were
    // last saved in, or none.
    static std::optional<QString> typeFor(QWidget *parent, const QString &current);
    // Makes it what the study windows' Field information... opens.
    static void offerToStudies();
    // The file the form last saved, empty before it has.
    QString savedFile() const { return m_savedFile; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange &dx) override;

private:
    void OnCelsius();
    void OnFahrenheit();
    void OnFileSave();
    void OnBrowse();
    bool readFile(const QString &path);

    QComboBox *list(int id) const;
    QRadioButton *radio(int id) const;
    // The record as the form holds it: texts and date from the members, the lists'
    // selections and the radio buttons' states from the controls.
    tav::SiteInformation record() const;
    // What a read gave, item by item: lists and radio buttons for the items it read,
    // texts and date only when it read them all.
    void apply(const tav::SiteInformation &read, int itemsRead);

    // The texts and the date; the lists' selections and the check states live in the
    // controls.
    std::string m_clientCompanyName;
    std::string m_fieldName;
    QDate m_measurementDate;
    std::string m_fileNumber;
    std::string m_altitude;
    std::string m_meteorological;
    std::string m_temperature;
    std::string m_note;
    QString m_savedFile;
    QString m_preload; // read into the form once it is made
};
