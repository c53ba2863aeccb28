#pragma once

#include "core/GridSafety.h"
#include "core/SiteInformation.h"
#include "report/Report.h"
#include "text/Wording.h"

#include <QDate>
#include <QPair>
#include <QString>
#include <QVector>

#include <optional>

// The words a study's window and report are written in: the string table through the
// lookup each gives (the language module's for the windows, the compiled-in copy for
// tav-calc), and values with their units as both show them.
class StudyTexts {
public:
    explicit StudyTexts(Wording::Lookup lookup);

    QString text(unsigned id) const { return m_lookup(id); }
    const Wording &wording() const { return m_wording; }
    // "12.34 Ω·m": the value as ReportNumber writes it and the unit's string.
    QString value(double value, unsigned unitId, int significantDigits = 4) const;
    // The text of id filled with the value, the tolerable one and the verdict's word, in
    // the verdict's tone. A safe comparison outside the range of the method's equations is
    // no answer, so it says so rather than pass; a failing one fails whatever the range.
    ReportLine verdictLine(unsigned id, double value, double tolerable, tav::Verdict verdict) const;

private:
    Wording::Lookup m_lookup;
    Wording m_wording;
};

// What heads and closes a study's report: where and for whom the measurement was made.
struct StudyHeader {
    QString place;   // the soil form's place of measurement
    QString project; // the file the study is kept in, by name: each page's header names it
    std::optional<tav::SiteInformation> site;
    QDate date;

    // The place and the items of the field information file that hold something.
    QVector<QPair<QString, QString>> information(const StudyTexts &texts) const;
    // "Written by TAV 1.0.0.1 on 2026-05-04."
    QString footer(const StudyTexts &texts) const;
    // A report with the title of titleId and this header's information and footer: where
    // every study's report starts.
    Report startReport(unsigned titleId, const StudyTexts &texts) const;
};
