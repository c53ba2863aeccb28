#include "report/StudyTexts.h"

#include "core/TextEncoding.h"
#include "report/ReportNumber.h"
#include "text/StringIds.h"

#include <utility>

namespace {

QString shown(const std::string &bytes) {
    return QString::fromStdString(tav::displayUtf8(bytes)).trimmed();
}

} // namespace

StudyTexts::StudyTexts(Wording::Lookup lookup) : m_lookup(std::move(lookup)), m_wording(m_lookup) {}

QString StudyTexts::value(double value, unsigned unitId, int significantDigits) const {
    return text(StringId::Study::kUnit)
        .arg(ReportNumber::text(value, significantDigits), text(unitId));
}

QVector<QPair<QString, QString>> StudyHeader::information(const StudyTexts &texts) const {
    using namespace StringId::Study;
    QVector<QPair<QString, QString>> items;
    auto add = [&](unsigned id, const QString &value) {
        if (!value.isEmpty())
            items.append({texts.text(id), value});
    };
    add(kPlace, place.trimmed());
    if (!site)
        return items;
    const tav::SiteInformation &s = *site;
    const Wording &w = texts.wording();
    add(kSiteItems + 0, shown(s.clientCompanyName));
    add(kSiteItems + 1, shown(s.fieldName));
    if (s.date.valid)
        add(kSiteItems + 2, QDate(s.date.year, s.date.month, s.date.day).toString(Qt::ISODate));
    add(kSiteItems + 3, shown(s.fileNumber));
    add(kSiteItems + 4, w.soilType(s.soilType));
    add(kSiteItems + 5, w.layerStructure(s.layerStructure));
    add(kSiteItems + 6, w.fieldPosition(s.fieldPosition));
    add(kSiteItems + 7, shown(s.altitude));
    add(kSiteItems + 8, shown(s.meteorological));
    QString temperature = shown(s.temperature);
    if (!temperature.isEmpty() && (s.celsius != 0) != (s.fahrenheit != 0))
        temperature += QLatin1Char(' ') + texts.text(s.celsius != 0 ? kCelsius : kFahrenheit);
    add(kSiteItems + 9, temperature);
    add(kSiteItems + 10, shown(s.note).simplified());
    return items;
}

QString StudyHeader::footer(const StudyTexts &texts) const {
    return texts.text(StringId::Study::kFooter)
        .arg(QStringLiteral(TAV_VERSION), date.toString(Qt::ISODate));
}

Report StudyHeader::startReport(unsigned titleId, const StudyTexts &texts) const {
    Report report;
    report.title = texts.text(titleId);
    report.informationHeading = texts.text(StringId::Study::kFieldInformation);
    report.information = information(texts);
    report.footer = footer(texts);
    report.project = project;
    return report;
}

ReportLine StudyTexts::verdictLine(unsigned id, double value, double tolerable,
                                   tav::Verdict verdict) const {
    const auto line = [&](unsigned word, ReportLine::Tone tone) {
        return ReportLine{
            text(id).arg(ReportNumber::text(value), ReportNumber::text(tolerable), text(word)),
            tone};
    };
    switch (verdict) {
    case tav::Verdict::Safe:
        return line(StringId::GridSafety::kPass, ReportLine::Tone::Pass);
    case tav::Verdict::NotSafe:
        break;
    case tav::Verdict::OutsideMethodRange:
        return line(StringId::GridSafety::kOutsideRange, ReportLine::Tone::Caution);
    case tav::Verdict::NoLimit:
        return line(StringId::Criteria::kNoLimit, ReportLine::Tone::Plain);
    }
    return line(StringId::GridSafety::kFail, ReportLine::Tone::Fail);
}
