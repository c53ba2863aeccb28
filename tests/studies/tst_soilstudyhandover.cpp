// What the soil model window hands on to an earthing study: the layers as the window shows
// them (never the fit's last digits nor layers the readings leave undetermined), the sounding
// they came from, and a study that outlives the form that opened the soil model.
#include "core/soilmodel/LayeredSoil.h"
#include "core/soilmodel/SoilModelFit.h"
#include "forms/SoilResistivityDlg.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/soil/PlotWidget.h"
#include "studies/soil/ReadingsTable.h"
#include "studies/soil/SoilModelWindow.h"
#include "tests/support/FormFields.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/SoilWindowDriver.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QPointer>
#include <QTableWidget>
#include <QtTest>

#include <cmath>

using Driver = SoilWindowDriver;

namespace {

// The soil's keys of the Wenner sounding typed as "spacing<TAB>resistivity" lines: what
// the study keeps of it for its report.
QJsonObject wennerSounding(const QString &typed) {
    QJsonArray rows;
    for (const QString &line : typed.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        rows.append(QJsonObject{{QStringLiteral("spacing"), line.section('\t', 0, 0).toDouble()},
                                {QStringLiteral("measured"), line.section('\t', 1, 1).toDouble()}});
    return {{QStringLiteral("array"), QStringLiteral("wenner")}, {QStringLiteral("rows"), rows}};
}
QJsonObject with(QJsonObject soil, const QJsonObject &more) {
    for (auto it = more.begin(); it != more.end(); ++it)
        soil.insert(it.key(), it.value());
    return soil;
}

} // namespace

class TestSoilStudyHandover : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        m_form = std::make_unique<CSoilResistivityDlg>();
        QVERIFY(FormFields::open(*m_form));
        m_driver = std::make_unique<SoilWindowDriver>(*m_form);
    }

    void cleanup() {
        m_driver.reset();
        m_form.reset();
        m_module.reset();
    }

    // Two layers the readings determine start a study over ρ1, ρ2 and h as the window shows
    // them, not to the fit's last digit.
    void determinedLayersStartAStudy() {
        const QString typed = QStringLiteral(
            "1\t104.3\n2\t121.0\n4\t163.9\n6\t196.5\n9\t227.8\n12\t247.0\n18\t268.4\n"
            "24\t279.2\n30\t285.4\n");
        SoilModelWindow *window = m_driver->openWithReadings(typed);
        QVERIFY(window != nullptr);
        window->findChild<QComboBox *>(QStringLiteral("layersChoice"))->setCurrentText("2");
        QVERIFY(Driver::waitForModel(*window));
        const tav::LayeredSoil core = window->study().outcome->result().fit.soil;
        QCOMPARE(Driver::layerCount(*window), 2);
        const double rho1 = Driver::layerCell(*window, 0, 1).toDouble();
        const double rho2 = Driver::layerCell(*window, 1, 1).toDouble();
        const double h = Driver::layerCell(*window, 0, 2).toDouble();
        // About 100 over 300 Ω·m from 2 m down, shown to four digits.
        QVERIFY2(std::abs(rho1 / 100 - 1) < 0.1, qPrintable(Driver::layerCell(*window, 0, 1)));
        QVERIFY2(std::abs(rho2 / 300 - 1) < 0.1, qPrintable(Driver::layerCell(*window, 1, 1)));
        QVERIFY2(std::abs(h / 2 - 1) < 0.15, qPrintable(Driver::layerCell(*window, 0, 2)));
        QVERIFY2(std::abs(rho1 / core.resistivities[0] - 1) < 5e-4,
                 qPrintable(Driver::layerCell(*window, 0, 1)));
        QVERIFY2(std::abs(h / core.thicknesses[0] - 1) < 5e-4,
                 qPrintable(Driver::layerCell(*window, 0, 2)));
        QVERIFY(rho1 != core.resistivities[0] && rho2 != core.resistivities[1] &&
                h != core.thicknesses[0]);
        EarthingStudyWindow *study = Driver::useInStudy(*window);
        QVERIFY(study != nullptr);
        const QJsonObject soil = study->project().rest.value(QStringLiteral("soil")).toObject();
        // With the sounding it came from, for the study's report.
        QCOMPARE(soil, with(QJsonObject({{QStringLiteral("rho1"), rho1},
                                         {QStringLiteral("rho2"), rho2},
                                         {QStringLiteral("h"), h},
                                         {QStringLiteral("readings"), 9},
                                         {QStringLiteral("rms_percent"),
                                          window->study().outcome->result().fit.rmsPercent}}),
                            wennerSounding(typed)));
        QVERIFY(study->project().notice.isEmpty());
        QTRY_VERIFY(study->sound());
        QVERIFY(Driver::discard(study));
    }

    // Near-uniform readings with two layers asked for: the fit's two layers are not
    // determined, so the study gets the uniform soil, and says why; never the layers'
    // meaningless values.
    void undeterminedLayersStartAStudyOverTheUniformSoil() {
        const QString typed =
            QStringLiteral("1\t99.8\n2\t99.0\n4\t100.0\n6\t99.0\n9\t99.2\n12\t99.7\n18\t99.8\n"
                           "24\t98.1\n30\t101.6\n");
        SoilModelWindow *window = m_driver->openWithReadings(typed);
        QVERIFY(window != nullptr);
        window->findChild<QComboBox *>(QStringLiteral("layersChoice"))->setCurrentText("2");
        QVERIFY(Driver::waitForModel(*window));
        QCOMPARE(Driver::layerCount(*window), 2);
        QVERIFY(window->study().uniform.has_value());
        const tav::LayersFit uniform = *window->study().uniform;
        // The readings' mean is 99.58 Ω·m; the uniform soil is shown to four digits.
        const double rho = uniform.soil.resistivities[0];
        QVERIFY2(std::abs(rho / 99.58 - 1) < 0.01, qPrintable(QString::number(rho)));
        const QString rhoShown = QString::number(rho, 'g', 4);
        EarthingStudyWindow *study = Driver::useInStudy(*window);
        QVERIFY(study != nullptr);
        const QJsonObject soil = study->project().rest.value(QStringLiteral("soil")).toObject();
        QCOMPARE(soil, with(QJsonObject({{QStringLiteral("rho"), rhoShown.toDouble()},
                                         {QStringLiteral("readings"), 9},
                                         {QStringLiteral("rms_percent"), uniform.rmsPercent}}),
                            wennerSounding(typed)));
        const QString notice = study->project().notice;
        QVERIFY2(notice.startsWith(QStringLiteral("The readings do not determine two layers")),
                 qPrintable(notice));
        QVERIFY2(notice.contains(rhoShown), qPrintable(notice));
        QTRY_VERIFY(study->sound());
        QVERIFY(Driver::discard(study));
    }

    // A uniform soil that is the fit's answer starts a study over it with nothing to explain.
    void uniformAnswerStartsAStudyOverIt() {
        const QString typed = QStringLiteral("1\t120.37\n3\t120.37\n10\t120.37\n30\t120.37\n");
        SoilModelWindow *window = m_driver->openWithReadings(typed);
        QVERIFY(window != nullptr);
        QCOMPARE(Driver::layerCount(*window), 1);
        EarthingStudyWindow *study = Driver::useInStudy(*window);
        QVERIFY(study != nullptr);
        const QJsonObject soil = study->project().rest.value(QStringLiteral("soil")).toObject();
        QCOMPARE(soil, with(QJsonObject({{QStringLiteral("rho"), 120.4},
                                         {QStringLiteral("readings"), 4},
                                         {QStringLiteral("rms_percent"), 0}}),
                            wennerSounding(typed)));
        QVERIFY(study->project().notice.isEmpty());
        QVERIFY(Driver::discard(study));
    }

    // A study handed on outlives the form that opened the soil model, closed with END and
    // then deleted as a form run modally is: unsaved, it is never closed without asking.
    void studyOutlivesTheFormClosedWithEnd() {
        SoilModelWindow *window = m_driver->openWithReadings(
            QStringLiteral("1\t104.3\n2\t121.0\n4\t163.9\n6\t196.5\n9\t227.8\n12\t247.0\n"));
        QVERIFY(window != nullptr);
        QPointer<EarthingStudyWindow> study = Driver::useInStudy(*window);
        QVERIFY(study);
        QVERIFY(study->isWindowModified());
        m_form->sendCommand(LayoutDialog::IDOK);
        m_form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(study);
        QVERIFY(study->isVisible());
        QVERIFY(study->isWindowModified());
        QCOMPARE(study->parentWidget(), nullptr);
        QVERIFY(Driver::discard(study));
    }

    // Exact readings of three layers: Automatic finds three, which a study takes as they
    // are shown; "2" gives two.
    void layersChoiceChangesTheAnswer() {
        SoilModelWindow *window = m_driver->openWithReadings(Driver::threeLayerReadings());
        QVERIFY(window != nullptr);
        auto *choice = window->findChild<QComboBox *>(QStringLiteral("layersChoice"));
        QCOMPARE(choice->currentText(), QStringLiteral("Automatic"));
        QCOMPARE(Driver::layerCount(*window), 3);
        QVERIFY2(
            Driver::label(*window, "criterion").startsWith(QStringLiteral("3 layers, the fewest")),
            qPrintable(Driver::label(*window, "criterion")));
        // Each count tried, from one layer to four, the second on with its F test.
        const QStringList counts = Driver::label(*window, "criterion").split(QLatin1Char('\n'));
        QCOMPARE(counts.size(), 5);
        QVERIFY2(counts[1].startsWith(QStringLiteral("1: RMS error ")), qPrintable(counts[1]));
        QVERIFY2(counts[3].startsWith(QStringLiteral("3: RMS error ")) &&
                     counts[3].contains(QStringLiteral(", F ")),
                 qPrintable(counts[3]));
        // The top layer's 300 Ω·m and the depth of the middle one's bottom, 2 + 8 m.
        QVERIFY2(std::abs(Driver::layerCell(*window, 0, 1).toDouble() / 300 - 1) < 0.01,
                 qPrintable(Driver::layerCell(*window, 0, 1)));
        QVERIFY2(std::abs(Driver::layerCell(*window, 1, 3).toDouble() / 10 - 1) < 0.05,
                 qPrintable(Driver::layerCell(*window, 1, 3)));
        // The curve runs smoothly from the first spacing to the last through the soil that
        // made the readings.
        const PlotSeries &curve = window->plotWidget()->plot().series.front();
        QCOMPARE(curve.points.size(), 60);
        QCOMPARE(curve.points.first().x(), 0.5);
        QVERIFY(std::abs(curve.points.last().x() / 150 - 1) < 1e-12);
        const tav::LayeredSoil made{{300, 100, 600}, {2, 8}};
        for (const QPointF &point : curve.points)
            QVERIFY2(std::abs(point.y() / made.wennerResistivity(point.x()) - 1) < 0.01,
                     qPrintable(QString::number(point.x())));
        // The study takes the three layers as the window shows them, with the sounding.
        EarthingStudyWindow *study = Driver::useInStudy(*window);
        QVERIFY(study != nullptr);
        const QJsonObject soil = study->project().rest.value(QStringLiteral("soil")).toObject();
        const QJsonArray layers = soil.value(QStringLiteral("layers")).toArray();
        QCOMPARE(layers.size(), 3);
        QVERIFY(!soil.contains(QStringLiteral("rho1")) && !soil.contains(QStringLiteral("rho")));
        const double made3[] = {300, 100, 600};
        const double madeThickness[] = {2, 8};
        for (int k = 0; k < 3; ++k) {
            const QJsonObject layer = layers[k].toObject();
            QVERIFY2(std::abs(layer.value(QStringLiteral("rho")).toDouble() / made3[k] - 1) < 0.01,
                     qPrintable(QString::number(k)));
            QCOMPARE(layer.contains(QStringLiteral("thickness")), k < 2);
            if (k < 2)
                QVERIFY2(std::abs(layer.value(QStringLiteral("thickness")).toDouble() /
                                      madeThickness[k] -
                                  1) < 0.05,
                         qPrintable(QString::number(k)));
        }
        QCOMPARE(soil.value(QStringLiteral("readings")).toInt(),
                 int(window->study().readings.size()));
        QCOMPARE(soil.value(QStringLiteral("rms_percent")).toDouble(),
                 window->study().outcome->result().fit.rmsPercent);
        QVERIFY(Driver::discard(study));
        choice->setCurrentText(QStringLiteral("2"));
        QVERIFY(Driver::waitForModel(*window));
        QCOMPARE(Driver::layerCount(*window), 2);
        QCOMPARE(Driver::label(*window, "criterion"), QStringLiteral("2 layers, as asked."));
    }

    // A Schlumberger sounding goes to the study whole: its array and each reading's AB/2,
    // MN/2 and apparent resistivity, as the window holds them, for the report to print.
    void schlumbergerSoundingGoesWithTheSoil() {
        SoilModelWindow *window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        window->findChild<QComboBox *>(QStringLiteral("arrayChoice"))
            ->setCurrentText(QStringLiteral("Schlumberger"));
        window->readingsTable()->pasteText(
            QStringLiteral("2\t0.5\t104\n4\t0.5\t121\n8\t1\t164\n16\t2\t196\n32\t4\t228\n"
                           "64\t8\t247\n"),
            0, 0);
        QVERIFY(Driver::waitForModel(*window) && window->study().fitted());
        EarthingStudyWindow *study = Driver::useInStudy(*window);
        QVERIFY(study != nullptr);
        const QJsonObject soil = study->project().rest.value(QStringLiteral("soil")).toObject();
        QCOMPARE(soil.value(QStringLiteral("array")).toString(), QStringLiteral("schlumberger"));
        const double expected[][3] = {{2, 0.5, 104}, {4, 0.5, 121}, {8, 1, 164},
                                      {16, 2, 196},  {32, 4, 228},  {64, 8, 247}};
        const QJsonArray rows = soil.value(QStringLiteral("rows")).toArray();
        QCOMPARE(rows.size(), 6);
        for (int k = 0; k < 6; ++k)
            QCOMPARE(rows[k].toObject(),
                     QJsonObject({{QStringLiteral("spacing"), expected[k][0]},
                                  {QStringLiteral("mn"), expected[k][1]},
                                  {QStringLiteral("measured"), expected[k][2]}}));
        QCOMPARE(soil.value(QStringLiteral("readings")).toInt(), 6);
        QVERIFY(Driver::discard(study));
    }

private:
    std::unique_ptr<ModuleScope> m_module;
    std::unique_ptr<CSoilResistivityDlg> m_form;
    std::unique_ptr<SoilWindowDriver> m_driver;
};

QTEST_MAIN(TestSoilStudyHandover)
#include "tst_soilstudyhandover.moc"
