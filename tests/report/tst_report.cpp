// The studies' reports: their numbers, the log-log plot, and the PDF whose text holds the
// results (read back with poppler's pdfinfo and pdftotext).
#include "core/soilmodel/SoilModelFit.h"
#include "report/GridSafetyReport.h"
#include "report/LogLogPlot.h"
#include "report/ReportNumber.h"
#include "report/ReportTable.h"
#include "report/ReportWriter.h"
#include "report/SoilModelReport.h"
#include "tests/support/AnnexB1.h"
#include "tests/support/ShippedTexts.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

QString poppler(const char *tool, const QString &pdf) {
    const QString program = QStandardPaths::findExecutable(QLatin1String(tool));
    if (program.isEmpty())
        return QStringLiteral("<%1 missing: install poppler-utils>").arg(QLatin1String(tool));
    QProcess process;
    process.start(program, tool == QLatin1String("pdftotext")
                               ? QStringList{QStringLiteral("-layout"), pdf, QStringLiteral("-")}
                               : QStringList{pdf});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pages(const QString &pdf) {
    const QString info = poppler("pdfinfo", pdf);
    const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
    return at < 0 ? -1 : info.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

// Tagg's two-layer example as apparent resistivities: about 100 ohm-m over 300 ohm-m from
// 2 m down.
std::vector<tav::WennerReading> soundings() {
    const double spacings[] = {1, 2, 4, 6, 9, 12, 18, 24, 30};
    const double resistances[] = {16.6, 9.63, 6.52, 5.21, 4.03, 3.28, 2.37, 1.85, 1.51};
    return tav::WennerReadings::fromResistances({std::begin(spacings), std::end(spacings)},
                                                {std::begin(resistances), std::end(resistances)});
}

std::vector<tav::WennerReading> apparent(const std::vector<double> &spacings,
                                         const std::vector<double> &resistivities) {
    std::vector<tav::WennerReading> readings;
    for (std::size_t i = 0; i < spacings.size(); ++i)
        readings.push_back({spacings[i], resistivities[i]});
    return readings;
}

StudyHeader header() {
    StudyHeader header;
    header.place = QStringLiteral("North slope");
    tav::SiteInformation site;
    site.clientCompanyName = "Hanbit Power";
    site.fieldName = "Substation 7";
    site.date = tav::SiteDate::fromParts(2024, 5, 17);
    header.site = site;
    header.date = QDate(2026, 1, 2);
    return header;
}

// IEEE Std 80-2013, Annex B.1 with the fault current of B.1: 3I0 = 3180 A, Sf = 0.6.
GridSafetyStudy annexB1Study() {
    GridSafetyStudy study;
    study.grid = annexB1();
    study.fault = tav::FaultCurrentInput{3180, 0.6, 0, {}, {}};
    return study;
}

} // namespace

Q_DECLARE_METATYPE(std::vector<tav::WennerReading>)
Q_DECLARE_METATYPE(std::optional<double>)

class TestReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_folder.isValid()); }

    void numbers_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("shown");
        QTest::newRow("volts") << 1001.614 << 4 << "1002";
        QTest::newRow("a decimal") << 840.5479 << 4 << "840.5";
        QTest::newRow("below one") << 0.88956 << 4 << "0.8896";
        QTest::newRow("zeros kept") << 2.0006 << 4 << "2.001";
        QTest::newRow("rounds up a decade") << 9.99996 << 4 << "10.00";
        QTest::newRow("negative") << -0.0573913 << 3 << "-0.0574";
        QTest::newRow("large, no exponent") << 123456.7 << 4 << "123457";
        QTest::newRow("zero") << 0. << 4 << "0";
        QTest::newRow("tiny") << 1.5e-7 << 4 << "1.5e-07";
        QTest::newRow("no value") << std::numeric_limits<double>::quiet_NaN() << 4 << "n/a";
    }

    void numbers() {
        QFETCH(double, value);
        QFETCH(int, digits);
        QFETCH(QString, shown);
        QCOMPARE(ReportNumber::text(value, digits), shown);
    }

    // A value as given: its digits up to six, no padding zeros, no exponent in the range a
    // study gives (a megavolt isoline of a 100 kA fault, a 10.5 mm wire in metres).
    // A key's value keeps its unit on its line; words without the value stay as they are.
    void valueKeptWithUnit_data() {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("kept");
        QTest::newRow("isolines") << "Lines every 200 V"
                                  << "200" << QStringLiteral("Lines every 200\u00a0V");
        QTest::newRow("the first only") << "Tolerable 20 V, not 20 V"
                                        << "20" << QStringLiteral("Tolerable 20\u00a0V, not 20 V");
        QTest::newRow("at the end") << "Highest 200"
                                    << "200"
                                    << "Highest 200";
        QTest::newRow("absent") << "Lines every 200 V"
                                << "500"
                                << "Lines every 200 V";
    }
    void valueKeptWithUnit() {
        QFETCH(QString, words);
        QFETCH(QString, value);
        QFETCH(QString, kept);
        QCOMPARE(ReportNumber::keptWithUnit(words, value), kept);
    }

    // A point is laid out whole, words in parentheses wrap as any.
    void pointsKeptTogether_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("laid");
        QTest::newRow("two points") << "(0.125, -0.5, 0.65) to (1, 2e-05, 3)"
                                    << QStringLiteral("(0.125,\u00a0-0.5,\u00a00.65) to "
                                                      "(1,\u00a02e-05,\u00a03)");
        QTest::newRow("words") << "827 V on the layer (Grid 1, Fence 1)"
                               << "827 V on the layer (Grid 1, Fence 1)";
    }
    void pointsKeptTogether() {
        QFETCH(QString, text);
        QFETCH(QString, laid);
        QCOMPARE(ReportTable::keptTogether(text), laid);
    }

    void givenValues_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("megavolts") << 1.5e6 << "1500000";
        QTest::newRow("a wire in metres") << 0.0105 << "0.0105";
        QTest::newRow("six digits") << 2.3456789 << "2.34568";
        QTest::newRow("whole") << 70. << "70";
        QTest::newRow("negative") << -12.5 << "-12.5";
    }

    void givenValues() {
        QFETCH(double, value);
        QFETCH(QString, shown);
        QCOMPARE(ReportNumber::given(value), shown);
    }

    void decades_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("1 to 30 m") << 1. << 30. << 0 << 2;
        QTest::newRow("within one decade") << 120. << 300. << 2 << 3;
        QTest::newRow("exactly a decade") << 100. << 1000. << 2 << 3;
        QTest::newRow("one value") << 100. << 100. << 2 << 3;
        QTest::newRow("below one") << 0.3 << 0.5 << -1 << 0;
        QTest::newRow("too many decades: the top twelve") << 1e-10 << 1e10 << -2 << 10;
    }

    void decades() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, first);
        QFETCH(int, last);
        QCOMPARE(LogLogPlot::decades(low, high), std::make_pair(first, last));
    }

    // On log axes from 1 to 100 and 10 to 1000, (10, 100) is the middle of the frame, and a
    // marker is drawn there and nowhere between the corners' markers and it.
    void plotPlacesOnLogAxes() {
        LogLogPlot plot;
        plot.series.append(
            {QString(), PlotSeries::Style::Markers, Qt::red, {{1, 10}, {10, 100}, {100, 1000}}});
        QImage image(600, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QRectF area(0, 0, 600, 400);
        QPainter painter(&image);
        painter.setFont(QFont(QStringLiteral("Arial"), 9));
        plot.paint(painter, area);
        const QPointF low = plot.placeOf({1, 10}, area, painter.font(), &image);
        const QPointF middle = plot.placeOf({10, 100}, area, painter.font(), &image);
        const QPointF high = plot.placeOf({100, 1000}, area, painter.font(), &image);
        painter.end();
        QVERIFY(std::abs(middle.x() - (low.x() + high.x()) / 2) < 0.5);
        QVERIFY(std::abs(middle.y() - (low.y() + high.y()) / 2) < 0.5);
        QVERIFY(high.x() - low.x() > 300 && low.y() - high.y() > 200);
        auto red = [&](QPointF at) {
            const QColor c = image.pixelColor(at.toPoint());
            return c.red() > 200 && c.green() < 80 && c.blue() < 80;
        };
        QVERIFY(red(low) && red(middle) && red(high));
        // A linear axis would put 10 a tenth of the way along: no marker there.
        QVERIFY(!red(QPointF(low.x() + (high.x() - low.x()) * 0.1, middle.y())));
    }

    void soilModelPdf() {
        SoilModelStudy study;
        study.readings = soundings();
        study.outcome = tav::fitSoilModel(study.readings);
        QVERIFY(!study.outcome->refused());
        const tav::SoilModel &model = study.outcome->result();
        QVERIFY(model.layered);
        const QString pdf = m_folder.filePath(QStringLiteral("soil.pdf"));
        QVERIFY(ReportWriter::write(SoilModelReport::report(study, header(), shippedTexts()), {pdf},
                                    shippedTexts()));
        QCOMPARE(pages(pdf), 1);
        const QString text = poppler("pdftotext", pdf);
        const QString expected[] = {QStringLiteral("Two-layer soil model"),
                                    QStringLiteral("ρ1"),
                                    ReportNumber::text(model.soil.rho1) + QStringLiteral(" Ω·m"),
                                    QStringLiteral("ρ2"),
                                    ReportNumber::text(model.soil.rho2) + QStringLiteral(" Ω·m"),
                                    ReportNumber::text(model.soil.h) + QStringLiteral(" m"),
                                    QStringLiteral("RMS error"),
                                    ReportNumber::text(model.rmsPercent, 3) + QStringLiteral(" %"),
                                    ReportNumber::text(model.uniform.rho) + QStringLiteral(" Ω·m"),
                                    QStringLiteral("Hanbit Power"),
                                    QStringLiteral("Substation 7"),
                                    QStringLiteral("2024-05-17"),
                                    QStringLiteral("North slope"),
                                    QStringLiteral("Written by TAV 1.0.0.1 on 2026-01-02."),
                                    QStringLiteral("Probe spacing a [m]")};
        for (const QString &piece : expected)
            QVERIFY2(text.contains(piece), qPrintable(piece + QStringLiteral(" in\n") + text));
        // The table's last row: 30 m, measured, model and error.
        const QStringList last = SoilModelReport::rows(model).last();
        QVERIFY2(text.contains(QRegularExpression(last.join(QStringLiteral("\\s+")))),
                 qPrintable(last.join(QLatin1Char(' '))));
    }

    // B.1 as published: the touch voltage fails, the step voltage passes; at 1500 A both
    // pass; at 300 A the ground potential rise itself is below the touch voltage. Buried
    // deeper than the equations hold, a passing grid is no answer and says so.
    void gridSafetyPdf_data() {
        QTest::addColumn<double>("faultCurrent");
        QTest::addColumn<double>("depth");
        QTest::addColumn<QString>("touch");
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("shortcut");
        QTest::newRow("B.1, 1908 A") << 3180. << 0.5 << "FAIL"
                                     << "pass" << false;
        QTest::newRow("1500 A") << 2500. << 0.5 << "pass"
                                << "pass" << false;
        QTest::newRow("300 A") << 500. << 0.5 << "pass"
                               << "pass" << true;
        QTest::newRow("300 A, 3 m deep") << 500. << 3. << "outside the method's range"
                                         << "outside the method's range" << false;
        QTest::newRow("B.1, 3 m deep") << 3180. << 3. << "FAIL"
                                       << "outside the method's range" << false;
    }

    void gridSafetyPdf() {
        QFETCH(double, faultCurrent);
        QFETCH(double, depth);
        QFETCH(QString, touch);
        QFETCH(QString, step);
        QFETCH(bool, shortcut);
        GridSafetyStudy study = annexB1Study();
        study.fault->faultCurrent = faultCurrent;
        study.grid.depth = depth;
        const GridSafetyOutcome outcome = GridSafetyOutcome::evaluate(study);
        QVERIFY(outcome.safety.has_value());
        const tav::GridSafetyResult &r = *outcome.safety;
        const QString pdf = m_folder.filePath(QStringLiteral("safety.pdf"));
        QVERIFY(
            ReportWriter::write(GridSafetyReport::report(study, outcome, header(), shippedTexts()),
                                {pdf}, shippedTexts()));
        QCOMPARE(pages(pdf), 1);
        const QString text = poppler("pdftotext", pdf).simplified();
        auto volts = [](double v) { return ReportNumber::text(v) + QStringLiteral(" V"); };
        const QString expected[] = {
            QStringLiteral("Grid safety (IEEE Std 80)"),
            QStringLiteral("Safety criteria and their basis"),
            QStringLiteral("Touch: Em %1 against a tolerable %2: %3")
                .arg(volts(r.Em), volts(r.touchTolerable), touch),
            QStringLiteral("Step: Es %1 against a tolerable %2: %3")
                .arg(volts(r.Es), volts(r.stepTolerable), step),
            QStringLiteral("Tolerable touch voltage ") + volts(r.touchTolerable),
            QStringLiteral("Tolerable step voltage ") + volts(r.stepTolerable),
            QStringLiteral("Grid current IG = Df · Sf · 3I0 ") +
                ReportNumber::text(0.6 * faultCurrent) + QStringLiteral(" A")};
        for (const QString &piece : expected)
            QVERIFY2(text.contains(piece), qPrintable(piece + QStringLiteral(" in\n") + text));
        QCOMPARE(text.contains(QStringLiteral("without the other checks")), shortcut);
    }

    // Df stands once in the copied text and in the PDF: worked out from X/R, among the
    // results before IG (1.101 at X/R 40, 60 Hz and 0.5 s, IEEE Std 80 Table 10); typed,
    // among the fault's inputs, marked so.
    void decrementFactorShownOnce_data() {
        QTest::addColumn<std::optional<double>>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("from X/R") << std::optional<double>() << "Decrement factor Df: 1.101\n";
        QTest::newRow("typed") << std::optional<double>(1.2)
                               << "Decrement factor Df: 1.2 (typed)\n";
    }

    void decrementFactorShownOnce() {
        QFETCH(std::optional<double>, typed);
        QFETCH(QString, shown);
        GridSafetyStudy study = annexB1Study();
        if (typed)
            study.fault->decrementFactor = typed;
        else
            study.fault->asymmetry = tav::Asymmetry{40, 60};
        const Report report = GridSafetyReport::report(study, GridSafetyOutcome::evaluate(study),
                                                       header(), shippedTexts());
        const QString text = report.toText();
        QVERIFY2(text.contains(shown), qPrintable(text));
        QCOMPARE(text.count(QStringLiteral("Decrement factor Df")), 1);
        const QString pdf = m_folder.filePath(QStringLiteral("df.pdf"));
        QVERIFY(ReportWriter::write(report, {pdf}, shippedTexts()));
        QCOMPARE(poppler("pdftotext", pdf).count(QStringLiteral("Decrement factor Df")), 1);
    }

    // A parameter the readings leave open shows its bound or that it is open, never the
    // fit's value.
    void openParametersShowWhatIsRuledOut_data() {
        QTest::addColumn<std::vector<tav::WennerReading>>("readings");
        QTest::addColumn<QString>("rho2"); // patterns of the shown texts
        QTest::addColumn<QString>("depth");
        const QString number = QStringLiteral("^[0-9.]+ ");
        QTest::newRow("100 over 300 from 2 m") << soundings() << number << number;
        QTest::newRow("10 over 10000 from 10 m, noisy")
            << apparent({1, 2, 4, 6, 9, 12, 18, 24, 30},
                        {10.11, 9.97, 10.72, 11.28, 14.14, 17.13, 25.52, 32.52, 41.83})
            << "^at least [0-9.]+ Ω·m$" << number;
        QTest::newRow("a steady rise") << apparent({1, 2, 4, 8, 16, 32}, {10, 20, 40, 80, 160, 320})
                                       << "^at least [0-9.]+ Ω·m$"
                                       << "^at most [0-9.]+ m$";
    }

    void openParametersShowWhatIsRuledOut() {
        QFETCH(std::vector<tav::WennerReading>, readings);
        QFETCH(QString, rho2);
        QFETCH(QString, depth);
        const tav::Refusable<tav::SoilModel> fit = tav::fitSoilModel(readings);
        QVERIFY(!fit.refused() && fit.result().layered);
        const auto pairs = SoilModelReport::modelPairs(fit.result(), shippedTexts());
        QVERIFY2(QRegularExpression(rho2).match(pairs[1].second).hasMatch(),
                 qPrintable(pairs[1].second));
        QVERIFY2(QRegularExpression(depth).match(pairs[2].second).hasMatch(),
                 qPrintable(pairs[2].second));
    }

    // Many readings go on onto a second page, under the table's header again, rather than
    // shrink the type: 48 rows of 10 pt type (about 13 pt each) and what heads them are more
    // than an A4 page's 700-odd points of text, and less than two with the plot.
    void manyReadingsGoOnToAnotherPage() {
        SoilModelStudy study;
        for (int i = 1; i <= 48; ++i)
            study.readings.push_back({double(i), 100 + 5.0 * i});
        study.outcome = tav::fitSoilModel(study.readings);
        const QString pdf = m_folder.filePath(QStringLiteral("long.pdf"));
        QVERIFY(ReportWriter::write(SoilModelReport::report(study, header(), shippedTexts()), {pdf},
                                    shippedTexts()));
        QCOMPARE(pages(pdf), 2);
        const QString text = poppler("pdftotext", pdf);
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\b48\\s+340\\b"))));
        QCOMPARE(text.count(QStringLiteral("Spacing [m]")), 2);
        QVERIFY(text.contains(QStringLiteral("page 2 of 2")));
    }

    void refusalInPlaceOfResults() {
        SoilModelStudy study;
        study.readings = {{1, 100}, {2, 120}};
        study.outcome = tav::fitSoilModel(study.readings);
        const Report report = SoilModelReport::report(study, {}, shippedTexts());
        QVERIFY2(report.toText().contains(QStringLiteral(
                     "No model: a two-layer fit needs at least three usable readings, not 2.")),
                 qPrintable(report.toText()));
    }

    // The copied text has the table as tab-separated values, for a spreadsheet.
    void copiedTextHasTabSeparatedTable() {
        SoilModelStudy study;
        study.readings = soundings();
        study.outcome = tav::fitSoilModel(study.readings);
        const QString text = SoilModelReport::report(study, header(), shippedTexts()).toText();
        QVERIFY(
            text.contains(QStringLiteral("Spacing [m]\tMeasured [Ω·m]\tModel [Ω·m]\tError [%]\n")));
        QVERIFY(text.contains(
            SoilModelReport::rows(study.outcome->result()).first().join(QLatin1Char('\t')) +
            QLatin1Char('\n')));
        QVERIFY(text.contains(QStringLiteral("Client: Hanbit Power\n")));
    }

    void failedWriteLeavesNoFile() {
        const QString blocker = m_folder.filePath(QStringLiteral("a-file"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QString error;
        const QString pdf = blocker + QStringLiteral("/report.pdf");
        QVERIFY(!ReportWriter::write(Report{}, {pdf}, shippedTexts(), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(pdf));
    }

private:
    QTemporaryDir m_folder;
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
