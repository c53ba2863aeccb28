// What only the grid safety window does: it opens from the mesh form's button with the
// form's grid, reads its fields into the study, shows the results, the verdicts, the
// refusal or what is missing in their place, and sizes the conductor. The equations are
// checked in tst_gridsafety, tst_faultcurrent and tst_conductorsizing.
#include "core/ConductorSizing.h"
#include "core/FaultCurrent.h"
#include "core/GridSafety.h"
#include "forms/MashElectrodeDlg.h"
#include "forms/ids/MeshGridIds.h"
#include "report/GridSafetyReport.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/gridsafety/GridSafetyWindow.h"
#include "tests/support/AnnexB1.h"
#include "tests/support/FormFields.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/ShippedWording.h"
#include "text/StringIds.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace FormFields;
using namespace MeshGridIds;

namespace {

QString label(const QWidget &window, const char *name) {
    const auto *shown = window.findChild<QLabel *>(QLatin1String(name));
    if (shown == nullptr)
        return QStringLiteral("<no %1>").arg(QLatin1String(name));
    return shown->isVisibleTo(&window) ? shown->text() : QStringLiteral("<hidden>");
}

} // namespace

class TestGridSafetyWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        m_form = std::make_unique<CMashElectrodeDlg>();
        QVERIFY(open(*m_form));
    }

    void cleanup() {
        m_form.reset();
        m_module.reset();
    }

    void prefilledFromTheForm_data() {
        QTest::addColumn<QString>("sx");
        QTest::addColumn<QString>("sy");
        QTest::addColumn<QString>("spacing");
        QTest::addColumn<QString>("note");
        QTest::newRow("equal spacings") << "7"
                                        << "7.0"
                                        << "7"
                                        << "<hidden>";
        QTest::newRow("spacings differ")
            << "7"
            << "5"
            << ""
            << "The mesh form's spacings differ (7 m and 5 m); this method needs one spacing D "
               "both ways.";
        QTest::newRow("a spacing unreadable")
            << "7"
            << ""
            << ""
            << "The mesh form's spacings could not be read; type the spacing D.";
    }

    void prefilledFromTheForm() {
        QFETCH(QString, sx);
        QFETCH(QString, sy);
        QFETCH(QString, spacing);
        QFETCH(QString, note);
        const QString typed[] = {QStringLiteral("400"),
                                 QStringLiteral("70"),
                                 QStringLiteral("60.5"),
                                 QStringLiteral("0.5"),
                                 sx,
                                 sy};
        const int ids[] = {IDC_SOIL_RESISTIVITY, IDC_HORIZONTAL_LENGTH,  IDC_VERTICAL_LENGTH,
                           IDC_BURIAL_DEPTH,     IDC_HORIZONTAL_SPACING, IDC_VERTICAL_SPACING};
        for (int i = 0; i < 6; ++i)
            type(*m_form, ids[i], typed[i]);
        GridSafetyWindow *window = openFromButton();
        QVERIFY(window != nullptr);
        QCOMPARE(window->windowTitle(), QStringLiteral("Grid safety (IEEE Std 80)"));
        QCOMPARE(window->windowModality(), Qt::NonModal);
        QCOMPARE(window->parentWidget(), m_form.get());
        QCOMPARE(field(*window, "soilResistivity"), QStringLiteral("400"));
        QCOMPARE(field(*window, "lengthX"), QStringLiteral("70"));
        QCOMPARE(field(*window, "lengthY"), QStringLiteral("60.5"));
        QCOMPARE(field(*window, "depth"), QStringLiteral("0.5"));
        QCOMPARE(field(*window, "spacing"), spacing);
        QCOMPARE(label(*window, "spacingNote"), note);
        // Nothing else is typed yet: the first missing input is named in place of results.
        QCOMPARE(label(*window, "resultMessage"),
                 spacing.isEmpty()
                     ? QStringLiteral("Type the conductor spacing to see the results.")
                     : QStringLiteral("Type the conductor diameter to see the results."));
        QCOMPARE(label(*window, "em"), QStringLiteral("<no em>"));
    }

    // B.1 typed in: the results and factors are the core's, the touch voltage fails in red
    // and the step voltage passes in green.
    void annexBResults() {
        GridSafetyWindow *window = annexB1Window();
        QVERIFY(window != nullptr);
        const tav::GridSafetyResult core = tav::calculateGridSafety(annexB1()).result();
        const StudyTexts texts = StudyWindow::texts();
        const auto results = GridSafetyReport::resultPairs(core, texts);
        const char *names[] = {"rg", "gpr", "em", "touchTolerable", "es", "stepTolerable"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(label(*window, names[i]), results[i].second);
        QCOMPARE(label(*window, "em"), QStringLiteral("1002 V"));
        const auto factors = GridSafetyReport::factorPairs(core, texts);
        const char *factorNames[] = {"km", "ki", "ks", "kii", "kh", "n", "lm", "ls", "cs"};
        for (int i = 0; i < 9; ++i)
            QCOMPARE(label(*window, factorNames[i]), factors[i].second);
        QCOMPARE(label(*window, "touchVerdict"),
                 QStringLiteral("Touch: Em 1002 V against a tolerable 840.5 V: FAIL"));
        QVERIFY(window->findChild<QLabel *>(QStringLiteral("touchVerdict"))
                    ->styleSheet()
                    .contains(QStringLiteral("#c01c1c")));
        QCOMPARE(label(*window, "stepVerdict"),
                 QStringLiteral("Step: Es 609.7 V against a tolerable 2696 V: pass"));
        QVERIFY(window->findChild<QLabel *>(QStringLiteral("stepVerdict"))
                    ->styleSheet()
                    .contains(QStringLiteral("#1b7a32")));
        QCOMPARE(label(*window, "gprBelowTouch"), QStringLiteral("<hidden>"));
        QCOMPARE(label(*window, "gridCurrent"), QStringLiteral("1908 A"));
        QCOMPARE(label(*window, "resultMessage"), QStringLiteral("<hidden>"));
    }

    // The criteria chosen set the limits shown: EN 50522's prospective permissible touch
    // voltage for 0.5 s on 2500 ohm m rock, U_vTp = 220 V + (R_F1 + 1.5 x 2500) I_B with
    // I_B = 220 V / 1235 ohm = 0.1781 A (IEC/TS 60479-1 Table 1 at 220 V, hand to
    // hand): 1066 V in shoes of 1000 ohm, 888 V barefoot; no step limit. The footwear is
    // read under EN 50522 only.
    void criteriaChangeTheLimits() {
        GridSafetyWindow *window = annexB1Window();
        QVERIFY(window != nullptr);
        QLineEdit *footwear = window->inputs()->field(QStringLiteral("footwear"));
        QVERIFY(footwear != nullptr);
        QVERIFY(!footwear->isEnabled());
        QCOMPARE(label(*window, "touchTolerable"), QStringLiteral("840.5 V"));
        auto *criteria = window->findChild<QComboBox *>(QStringLiteral("criteria"));
        QVERIFY(criteria != nullptr);
        QCOMPARE(criteria->currentText(), QStringLiteral("IEEE Std 80-2013"));
        criteria->setCurrentIndex(1);
        QCOMPARE(criteria->currentText(), QStringLiteral("EN 50522:2010"));
        QVERIFY(footwear->isEnabled());
        QCOMPARE(field(*window, "footwear"), QStringLiteral("1000"));
        QCOMPARE(label(*window, "em"), QStringLiteral("1002 V"));
        QCOMPARE(label(*window, "touchTolerable"), QStringLiteral("1066 V"));
        QCOMPARE(label(*window, "stepTolerable"), QStringLiteral("no limit (EN 50522)"));
        QCOMPARE(label(*window, "permissibleTouch"), QStringLiteral("220.0 V"));
        QCOMPARE(label(*window, "bodyCurrent"), QStringLiteral("0.1781 A"));
        QCOMPARE(label(*window, "touchVerdict"),
                 QStringLiteral("Touch: Em 1002 V against a permissible 1066 V: pass"));
        QCOMPARE(label(*window, "stepVerdict"),
                 QStringLiteral("Step: Es 609.7 V: EN 50522 sets no limit to the step voltage"));
        setField(*window, "footwear", QStringLiteral("0"));
        QCOMPARE(label(*window, "touchTolerable"), QStringLiteral("888.0 V"));
        setField(*window, "footwear", QStringLiteral("-1"));
        QCOMPARE(label(*window, "resultMessage"),
                 QStringLiteral("The equations cannot take these inputs: the footwear resistance "
                                "R_F1 must be zero or a positive finite number, not -1."));
        // Back to IEEE Std 80: its limits again, the footwear not read.
        criteria->setCurrentIndex(0);
        QVERIFY(!footwear->isEnabled());
        QCOMPARE(label(*window, "resultMessage"), QStringLiteral("<hidden>"));
        QCOMPARE(label(*window, "touchTolerable"), QStringLiteral("840.5 V"));
        QCOMPARE(label(*window, "stepTolerable"), QStringLiteral("2696 V"));
        QCOMPARE(label(*window, "permissibleTouch"), QStringLiteral("<no permissibleTouch>"));
    }

    // The grid current follows 3I0, Sf and Df from X/R at the frequency chosen, or Df typed.
    void gridCurrentFromTheFault() {
        GridSafetyWindow *window = annexB1Window();
        QVERIFY(window != nullptr);
        setField(*window, "xOverR", QStringLiteral("40"));
        window->findChild<QComboBox *>(QStringLiteral("frequency"))->setCurrentIndex(1);
        const tav::FaultCurrentResult at60 =
            tav::calculateFaultCurrent({3180, 0.6, 0.5, tav::Asymmetry{40, 60}, {}}).result();
        const StudyTexts texts = StudyWindow::texts();
        QCOMPARE(label(*window, "decrementFactorShown"), QStringLiteral("1.101"));
        QCOMPARE(label(*window, "gridCurrent"),
                 texts.value(at60.gridCurrent, StringId::Study::kAmpere));
        QCOMPARE(label(*window, "timeConstant"),
                 texts.value(at60.timeConstant, StringId::Study::kSecond));
        tav::GridSafetyInput in = annexB1();
        in.gridCurrent = at60.gridCurrent;
        QCOMPARE(label(*window, "em"),
                 texts.value(tav::calculateGridSafety(in).result().Em, StringId::Study::kVolt));
        window->findChild<QRadioButton *>(QStringLiteral("dfTyped"))->setChecked(true);
        setField(*window, "decrementFactor", QStringLiteral("1.2"));
        QCOMPARE(label(*window, "gridCurrent"), QStringLiteral("2290 A"));
        QCOMPARE(label(*window, "timeConstant"), QStringLiteral("<no timeConstant>"));
        // A typed Df is the input's field, not a result beside the grid current.
        QCOMPARE(label(*window, "decrementFactorShown"),
                 QStringLiteral("<no decrementFactorShown>"));
    }

    void refusalsAndMissingInputs_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("spacing not dividing")
            << "spacing"
            << "6"
            << "The equations cannot take these inputs: the conductor spacing 6 m does not "
               "divide the sides 70 m and 70 m into whole meshes.";
        QTest::newRow("split factor above 1")
            << "splitFactor"
            << "1.5"
            << "The equations cannot take these inputs: the split factor Sf must lie above 0 and "
               "at most 1, not 1.5.";
        QTest::newRow("missing diameter") << "conductorDiameter"
                                          << ""
                                          << "Type the conductor diameter to see the results.";
        QTest::newRow("letters") << "duration"
                                 << "0.5 s"
                                 << "\"0.5 s\" is not a number: type the fault duration to see the "
                                    "results.";
        QTest::newRow("rods without their length")
            << "rodCount"
            << "4"
            << "Type the ground rod length to see the results.";
        QTest::newRow("half a rod") << "rodCount"
                                    << "2.5"
                                    << "\"2.5\" is not a number: type the number of ground rods to "
                                       "see the results.";
    }

    void refusalsAndMissingInputs() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, message);
        GridSafetyWindow *window = annexB1Window();
        QVERIFY(window != nullptr);
        setField(*window, name.toLatin1().constData(), text);
        QCOMPARE(label(*window, "resultMessage"), message);
        QCOMPARE(label(*window, "touchVerdict"), QStringLiteral("<hidden>"));
        QCOMPARE(label(*window, "em"), QStringLiteral("<no em>"));
    }

    // Annex B, Example 1: 6.814 kA for 0.5 s in hard-drawn copper; a 4 mm conductor is
    // thinner than the 4.69 mm it needs.
    void conductorSizing() {
        GridSafetyWindow *window = annexB1Window();
        QVERIFY(window != nullptr);
        auto *material = window->findChild<QComboBox *>(QStringLiteral("material"));
        material->setCurrentIndex(int(tav::ConductorMaterial::HardDrawnCopper));
        // The sizing's own current is named, the grid's 3I0 being typed.
        QVERIFY(!window->findChild<QLineEdit *>(QStringLiteral("faultCurrent"))->text().isEmpty());
        QCOMPARE(label(*window, "conductorMessage"),
                 QStringLiteral("Type the symmetrical fault current to see the results."));
        setField(*window, "sizingCurrent", QStringLiteral("0"));
        setField(*window, "sizingDuration", QStringLiteral("0.5"));
        QCOMPARE(label(*window, "conductorMessage"),
                 QStringLiteral("The conductor cannot be sized: the symmetrical fault current "
                                "must be a positive finite number, not 0."));
        setField(*window, "sizingCurrent", QStringLiteral("6814"));
        setField(*window, "sizingDuration", QStringLiteral("0.5"));
        tav::ConductorSizingInput in;
        in.material = tav::ConductorMaterial::HardDrawnCopper;
        in.current = 6814;
        in.duration = 0.5;
        const tav::ConductorSize size = tav::sizeConductor(in).result();
        const auto pairs = GridSafetyReport::conductorPairs(size, StudyWindow::texts());
        QCOMPARE(label(*window, "area"), pairs[0].second);
        QCOMPARE(label(*window, "area"), QStringLiteral("17.24 mm² (34.03 kcmil)"));
        QCOMPARE(label(*window, "solidDiameter"), pairs[1].second);
        QCOMPARE(label(*window, "kf"), QStringLiteral("7.063"));
        QCOMPARE(label(*window, "cautions"), QStringLiteral("<hidden>"));
        setField(*window, "conductorDiameter", QStringLiteral("0.004"));
        QCOMPARE(label(*window, "cautions"),
                 QStringLiteral("the conductor diameter 4 mm is thinner than the "
                                "4.69 mm the fault current needs"));
        setField(*window, "maxTemperature", QStringLiteral("1200"));
        QCOMPARE(label(*window, "conductorMessage"),
                 QStringLiteral("The conductor cannot be sized: the maximum conductor temperature "
                                "1200 °C is above the material's fusing temperature 1084 °C."));
        QCOMPARE(label(*window, "area"), QStringLiteral("<no area>"));
        // Unticked, the group sizes nothing and says nothing.
        window->findChild<QGroupBox *>(QStringLiteral("conductorSizing"))->setChecked(false);
        QCOMPARE(label(*window, "conductorMessage"), QStringLiteral("<hidden>"));
    }

    void savesItsReport() {
        GridSafetyWindow *window = annexB1Window();
        QVERIFY(window != nullptr);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("grid.pdf"));
        QVERIFY(window->savePdf(path));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QVERIFY(window->report().toText().contains(
            QStringLiteral("Touch: Em 1002 V against a tolerable 840.5 V: FAIL")));
        // With an input missing, the report says so in place of the results.
        setField(*window, "soilResistivity", QString());
        QVERIFY(window->report().toText().contains(
            QStringLiteral("Results\nType the soil resistivity to see the results.\n")));
    }

    // The grid checked goes to a study of its own, which outlives the windows it came
    // from rather than closing with them unsaved.
    void solvedNumericallyInAStudyThatOutlivesIt() {
        GridSafetyWindow *window = annexB1Window();
        QVERIFY(window != nullptr);
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("solveNumerically")),
                          Qt::LeftButton);
        QPointer<EarthingStudyWindow> study = window->findChild<EarthingStudyWindow *>();
        QVERIFY(study && study->isVisible() && study->isWindowModified());
        QTRY_VERIFY(study->sound());
        const QJsonObject grid = study->project().parts.at(0).json;
        QCOMPARE(grid.value(QStringLiteral("size")), QJsonValue(QJsonArray{70, 70}));
        QCOMPARE(grid.value(QStringLiteral("conductors")), QJsonValue(QJsonArray{11, 11}));
        // B.1's grid current: 3180 A split by 0.6.
        QCOMPARE(study->project().rest.value(QStringLiteral("current")).toDouble(), 1908.0);
        // And the fault it came from, which the study's report names.
        QCOMPARE(study->project().rest.value(QStringLiteral("current_basis")),
                 QJsonValue(QJsonObject{{QStringLiteral("fault_current"), 3180},
                                        {QStringLiteral("decrement"), 1},
                                        {QStringLiteral("split"), 0.6}}));
        window->close();
        QVERIFY(study && study->isVisible());
        QCOMPARE(study->parentWidget(), m_form.get());
        m_form->hide();
        QVERIFY(study && study->isVisible());
        QCOMPARE(study->parentWidget(), nullptr);
        ModalWatcher watcher;
        watcher.then([](QDialog *d) {
            qobject_cast<QMessageBox *>(d)->button(QMessageBox::Discard)->click();
        });
        study->close();
        QTRY_VERIFY(study.isNull()); // deleted once closed
    }

private:
    static QString field(const GridSafetyWindow &window, const char *name) {
        const QLineEdit *edit = window.inputs()->field(QLatin1String(name));
        return edit != nullptr ? edit->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
    }

    // As the user types: select all, type over.
    static void setField(GridSafetyWindow &window, const char *name, const QString &text) {
        QLineEdit *edit = window.inputs()->field(QLatin1String(name));
        QVERIFY2(edit != nullptr, name);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    GridSafetyWindow *openFromButton() {
        // The form's mnemonics work while it is the active window, as after its study
        // window closed a window manager makes it again.
        if (!activated(m_form.get()))
            return nullptr;
        // The mnemonic clicks the button as a user sees it pressed, a moment later.
        QTest::keyClick(m_form.get(), Qt::Key_S, Qt::AltModifier);
        GridSafetyWindow *opened = nullptr;
        const bool shown = QTest::qWaitFor([&] {
            opened = m_form->findChild<GridSafetyWindow *>();
            return opened != nullptr && opened->isVisible();
        });
        // Its shortcuts (Escape, Ctrl+S) work once it is the active window.
        return shown && activated(opened) ? opened : nullptr;
    }

    GridSafetyWindow *annexB1Window() {
        const char *typed[] = {"400", "70", "70", "0.5", "7", "7"};
        const int ids[] = {IDC_SOIL_RESISTIVITY, IDC_HORIZONTAL_LENGTH,  IDC_VERTICAL_LENGTH,
                           IDC_BURIAL_DEPTH,     IDC_HORIZONTAL_SPACING, IDC_VERTICAL_SPACING};
        for (int i = 0; i < 6; ++i)
            type(*m_form, ids[i], QLatin1String(typed[i]));
        GridSafetyWindow *window = openFromButton();
        if (window == nullptr)
            return nullptr;
        setField(*window, "conductorDiameter", QStringLiteral("0.01"));
        setField(*window, "faultCurrent", QStringLiteral("3180"));
        setField(*window, "splitFactor", QStringLiteral("0.6"));
        setField(*window, "duration", QStringLiteral("0.5"));
        window->findChild<QGroupBox *>(QStringLiteral("surface"))->setChecked(true);
        setField(*window, "surfaceResistivity", QStringLiteral("2500"));
        setField(*window, "surfaceThickness", QStringLiteral("0.102"));
        window->findChild<QComboBox *>(QStringLiteral("bodyWeight"))->setCurrentIndex(1);
        return window;
    }

    static bool activated(QWidget *window) {
        window->activateWindow();
        return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
    }

    std::unique_ptr<ModuleScope> m_module;
    std::unique_ptr<CMashElectrodeDlg> m_form;
};

QTEST_MAIN(TestGridSafetyWindow)
#include "tst_gridsafetywindow.moc"
