// What only the earthing study window does: what is typed reaches the solver as the saved
// project reaches tav-calc, a large solve is cancelled, a project reopens with every part
// as it was, bad fields are marked where they are, unsaved work is asked about, and the
// report holds the results and the map. The solver is checked in tst_earthingsolver.
#include "document/PartSchema.h"
#include "document/SystemDocument.h"
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/earthing/JsonPath.h"
#include "studies/earthing/PlanView.h"
#include "studies/earthing/ProfileView.h"
#include "tests/studies/StudyWindowSteps.h"
#include "tests/support/FolderState.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/ShippedWording.h"
#include "tests/support/TestSettings.h"
#include "text/StringIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <QWheelEvent>
#include <QtTest>

#include <optional>
#include <set>
#include <sys/stat.h>

using namespace StringId::EarthingStudy;

using namespace studysteps;

class TestEarthingStudyWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_settings.valid()); }
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        QVERIFY(m_module->loaded());
    }
    void cleanup() { m_module.reset(); }

    void perimeterRodsSolvedAsTavCalcSolvesTheProject() {
        EarthingStudyWindow window;
        window.show();
        type(window, QStringLiteral("soil/rho"), QStringLiteral("200"));
        type(window, QStringLiteral("current"), QStringLiteral("2000"));
        type(window, QStringLiteral("size/0"), QStringLiteral("30"));
        type(window, QStringLiteral("size/1"), QStringLiteral("24"));
        type(window, QStringLiteral("conductors/0"), QStringLiteral("4"));
        choose(window, "gridRods", 1); // along the edge
        type(window, QStringLiteral("rods/count"), QStringLiteral("12"));
        type(window, QStringLiteral("rods/length"), QStringLiteral("4.5"));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("study.json"));
        QVERIFY(window.saveTo(path));
        QVERIFY(solved(window));

        const QJsonObject cli =
            QJsonDocument::fromJson(run(QStringLiteral(TAV_CALC),
                                        {QStringLiteral("system"), QStringLiteral("--input"), path,
                                         QStringLiteral("--format"), QStringLiteral("json")}))
                .object();
        const double r = cli.value(QStringLiteral("resistance")).toDouble();
        const double touch = cli.value(QStringLiteral("touch_max"))
                                 .toObject()
                                 .value(QStringLiteral("voltage"))
                                 .toDouble();
        QVERIFY(r > 0 && touch > 0);
        // Shown to four significant digits.
        QVERIFY2(std::abs(shownNumber(window, "resistance") / r - 1) < 5e-4,
                 qPrintable(QString::number(r)));
        QVERIFY2(std::abs(shownNumber(window, "worstTouch") / touch - 1) < 5e-4,
                 qPrintable(QString::number(touch)));
        // 4 + 5 conductors and the 12 rods, as solved.
        QCOMPARE(window.result()->segmentCurrents.empty(), false);
        std::set<int> conductors;
        for (const auto &s : window.result()->segmentCurrents)
            conductors.insert(s.conductor);
        QCOMPARE(int(conductors.size()), 4 + 5 + 12);

        // A profile drawn across the solved plan is plotted below it, end to end.
        Q_EMIT window.findChild<PlanView *>(QStringLiteral("plan"))
            ->profileChanged(QLineF(-5, 12, 35, 12));
        const auto *profile = window.findChild<ProfileView *>(QStringLiteral("profile"));
        QTRY_VERIFY(profile->profile().has_value());
        QCOMPARE(profile->profile()->distance.back(), 40.0);
        QCOMPARE(profile->profile()->potential.size(), profile->profile()->distance.size());
        QVERIFY(window.isWindowModified()); // the line is kept in the project
    }

    // A line drawn with Shift on the solved plan is plotted as it was drawn, each drag one
    // edit; an undo plots the line before it again.
    void profileFollowsTheLineDrawn() {
        EarthingStudyWindow window;
        window.resize(1200, 800);
        window.show();
        QVERIFY(solved(window));
        auto *plan = window.findChild<PlanView *>(QStringLiteral("plan"));
        const auto *profile = window.findChild<ProfileView *>(QStringLiteral("profile"));
        QUndoStack *undo = window.editedProject()->undoStack();
        const auto drag = [plan](QPoint from, QPoint to) {
            QTest::mousePress(plan, Qt::LeftButton, Qt::ShiftModifier, from);
            QTest::mouseMove(plan, (from + to) / 2);
            QTest::mouseMove(plan, to);
            QTest::mouseRelease(plan, Qt::LeftButton, Qt::ShiftModifier, to);
            return QLineF(plan->toWorld(from), plan->toWorld(to)).length();
        };
        const auto plotted = [profile](double length) {
            return profile->profile() &&
                   std::abs(profile->profile()->distance.back() - length) < 1e-6 * length;
        };
        const QPoint centre = plan->rect().center();
        const int edits = undo->count();
        const double first = drag(centre - QPoint(100, 0), centre + QPoint(100, 0));
        QVERIFY(first > 1);
        QTRY_VERIFY2(plotted(first), qPrintable(QString::number(first)));
        const double second = drag(centre - QPoint(60, 50), centre + QPoint(40, 50));
        QVERIFY(std::abs(second - first) > 1);
        QTRY_VERIFY2(plotted(second), qPrintable(QString::number(second)));
        QCOMPARE(undo->count(), edits + 2);
        // A click with Shift draws no line: the one drawn stays, nothing to undo.
        drag(centre, centre);
        QCOMPARE(undo->count(), edits + 2);
        QVERIFY(plan->picture().profile.has_value());
        undo->undo();
        QTRY_VERIFY2(plotted(first), qPrintable(QString::number(first)));
    }

    void largeSolveCancelled() {
        EarthingStudyWindow window;
        window.show();
        window.findChild<QRadioButton *>(QStringLiteral("twoLayers"))->click();
        type(window, QStringLiteral("soil/rho1"), QStringLiteral("300"));
        type(window, QStringLiteral("soil/rho2"), QStringLiteral("80"));
        type(window, QStringLiteral("soil/h"), QStringLiteral("2"));
        type(window, QStringLiteral("size/0"), QStringLiteral("200"));
        type(window, QStringLiteral("size/1"), QStringLiteral("200"));
        type(window, QStringLiteral("conductors/0"), QStringLiteral("15"));
        type(window, QStringLiteral("conductors/1"), QStringLiteral("15"));
        click(window, "solve");
        QVERIFY(window.solving());
        QTest::qWait(300); // well into the solve, which takes seconds
        QVERIFY(window.solving());
        click(window, "cancel");
        QVERIFY(!window.solving());
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("status"))->text(),
                 shippedText(kCancelled));
        QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("cancel"))->isEnabled());
        QVERIFY(window.findChild<QPushButton *>(QStringLiteral("solve"))->isEnabled());
        QCOMPARE(window.result(), nullptr);
        QCOMPARE(field(window, QStringLiteral("size/0"))->text(), QStringLiteral("200"));
    }

    // A 300 m substation grid (31 x 31 conductors, 18 600 segments, the compressed
    // operator): the bar moves on through the solve's stages, Cancel stops it, and a
    // solve after it runs to its result.
    void largeGridProgressesAndCancels() {
        EarthingStudyWindow window;
        window.show();
        type(window, QStringLiteral("size/0"), QStringLiteral("300"));
        type(window, QStringLiteral("size/1"), QStringLiteral("300"));
        type(window, QStringLiteral("conductors/0"), QStringLiteral("31"));
        type(window, QStringLiteral("conductors/1"), QStringLiteral("31"));
        const auto *bar = window.findChild<QProgressBar *>(QStringLiteral("progress"));
        click(window, "solve");
        QVERIFY(window.solving());
        // Into the matrix (the second of five stages), then further on within it.
        QTRY_VERIFY_WITH_TIMEOUT(bar->value() > 200, 120000);
        const int seen = bar->value();
        QTRY_VERIFY_WITH_TIMEOUT(bar->value() > seen, 120000);
        QVERIFY(window.solving());
        click(window, "cancel");
        QVERIFY(!window.solving());
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("status"))->text(),
                 shippedText(kCancelled));
        QCOMPARE(window.result(), nullptr);

        type(window, QStringLiteral("size/0"), QStringLiteral("20"));
        type(window, QStringLiteral("size/1"), QStringLiteral("20"));
        type(window, QStringLiteral("conductors/0"), QStringLiteral("3"));
        type(window, QStringLiteral("conductors/1"), QStringLiteral("3"));
        click(window, "solve");
        QTRY_VERIFY_WITH_TIMEOUT(window.result() != nullptr, 120000);
        QCOMPARE(window.result()->segments < 200, true);
    }

    void everyPartReopensAsItWasSaved() {
        EarthingStudyWindow window;
        window.show();
        window.findChild<QRadioButton *>(QStringLiteral("twoLayers"))->click();
        type(window, QStringLiteral("soil/rho2"), QStringLiteral("35.5"));
        type(window, QStringLiteral("soil/h"), QStringLiteral("1.75"));
        window.findChild<QCheckBox *>(QStringLiteral("surfaceLayer"))->click();
        type(window, QStringLiteral("safety/surface/rho"), QStringLiteral("3000"));
        type(window, QStringLiteral("safety/surface/thickness"), QStringLiteral("0.1"));
        choose(window, "bodyWeight", 0);
        // Each kind, its first field typed; numbers that a rounding to six digits would
        // change.
        for (Kind kind : StudyPart::kinds()) {
            // A drawing comes from its file, not from the menu of new parts.
            if (!StudyPart::offered().contains(kind))
                continue;
            add(window, kind);
            type(window, StudyPart::fields(kind).first().path,
                 kind == Kind::Rods        ? QStringLiteral("41.0000007 -3; 44 -3")
                 : kind == Kind::TouchArea ? QStringLiteral("0 0; 46.0000007 0; 46 10")
                                           : QStringLiteral("%1.0000007").arg(40 + int(kind)));
        }
        window.selectPart(6); // the fence, after the ring: energised
        choose(window, "connection", 1);
        choose(window, "connection", 0);
        window.selectPart(5); // the ring
        choose(window, "connection", 1);
        choose(window, "map", 3);
        Q_EMIT window.findChild<PlanView *>(QStringLiteral("plan"))
            ->profileChanged(QLineF(-5, 1.5, 60, 1.5));
        QVERIFY(window.isWindowModified());
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("study.json"));
        QVERIFY(window.saveTo(path));
        QVERIFY(!window.isWindowModified());

        EarthingStudyWindow reopened;
        QVERIFY(reopened.openFile(path));
        QCOMPARE(reopened.project().parts.size(), 9); // the new study's grid, then eight
        for (int k = 0; k < window.project().parts.size(); ++k) {
            QCOMPARE(reopened.project().parts[k].kind, window.project().parts[k].kind);
            QCOMPARE(reopened.project().parts[k].json, window.project().parts[k].json);
        }
        QCOMPARE(reopened.project().rest, window.project().rest);
        QCOMPARE(reopened.findChild<QComboBox *>(QStringLiteral("map"))->currentIndex(), 3);
        QVERIFY(reopened.findChild<QRadioButton *>(QStringLiteral("twoLayers"))->isChecked());
        QCOMPARE(field(reopened, QStringLiteral("soil/h"))->text(), QStringLiteral("1.75"));
        QVERIFY(!reopened.isWindowModified());

        // tav-calc's reader takes the saved project as it is.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        tav::DocumentError error;
        const auto d = tav::SystemDocument::fromJson(file.readAll(), error);
        QCOMPARE(int(error.kind), int(tav::DocumentError::Kind::None));
        QCOMPARE(d.rings.at(0).centre.x, 44.0000007);
        QCOMPARE(d.rings.at(0).group, 1);
        QCOMPARE(d.fences.at(0).group, std::optional<int>(0));
        QCOMPARE(d.rods.at(0).at.at(0).x, 41.0000007);
        QVERIFY(d.safety && d.safety->surface);
        QCOMPARE(d.safety->surface->resistivity, 3000.0);
    }

    void badFieldsAreMarkedWhereTheyAre_data() {
        QTest::addColumn<int>("added"); // a kind added first, or -1
        QTest::addColumn<bool>("rods");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("marked");
        const int none = -1;
        QTest::newRow("soil no number") << none << false << "soil/rho"
                                        << "1e"
                                        << "soil/rho";
        QTest::newRow("no current") << none << false << "current"
                                    << "0"
                                    << "current";
        QTest::newRow("duration empty") << none << false << "safety/duration"
                                        << ""
                                        << "safety/duration";
        QTest::newRow("no raster step") << none << false << "search/step"
                                        << "0"
                                        << "search/step";
        QTest::newRow("a negative margin") << none << false << "search/margin"
                                           << "-1"
                                           << "search/margin";
        QTest::newRow("segments of nothing") << none << false << "segment_length"
                                             << "0"
                                             << "segment_length";
        QTest::newRow("grid above the surface") << none << false << "depth"
                                                << "-0.5"
                                                << "depth";
        QTest::newRow("grid on the surface") << none << false << "depth"
                                             << "0"
                                             << "depth";
        QTest::newRow("grid wire of no diameter") << none << false << "diameter"
                                                  << "0"
                                                  << "diameter";
        QTest::newRow("grid of no conductors") << none << false << "conductors/0"
                                               << "0"
                                               << "conductors/0";
        QTest::newRow("grid count not whole") << none << false << "conductors/1"
                                              << "2.5"
                                              << "conductors/1";
        QTest::newRow("grid side not a number") << none << false << "size/1"
                                                << "x"
                                                << "size/1";
        QTest::newRow("grid side of nothing") << none << false << "size/0"
                                              << "0"
                                              << "size/0";
        QTest::newRow("rods of no diameter") << none << true << "rods/diameter"
                                             << "0"
                                             << "rods/diameter";
        QTest::newRow("rods of no length") << none << true << "rods/length"
                                           << "0"
                                           << "rods/length";
        QTest::newRow("ring of two rods") << int(Kind::Ring) << false << "count"
                                          << "2"
                                          << "count";
        QTest::newRow("fence at no distance") << int(Kind::Fence) << false << "distance"
                                              << "0"
                                              << "distance";
        QTest::newRow("rods at a place unread") << int(Kind::Rods) << false << "at"
                                                << "3 4; 5"
                                                << "at";
        QTest::newRow("a current below the least") << none << false << "current"
                                                   << "0.0001"
                                                   << "current";
        QTest::newRow("grid wire thinner than the least") << none << false << "diameter"
                                                          << "0.00005"
                                                          << "diameter";
        QTest::newRow("grid wire thicker than it lies deep") << none << false << "diameter"
                                                             << "1.5"
                                                             << "depth";
        QTest::newRow("conductor beyond 100 km") << int(Kind::Conductor) << false << "to/0"
                                                 << "100001"
                                                 << "to/0";
        QTest::newRow("conductor from above the surface")
            << int(Kind::Conductor) << false << "from/2"
            << "-1"
            << "from/2";
    }
    void badFieldsAreMarkedWhereTheyAre() {
        QFETCH(int, added);
        QFETCH(bool, rods);
        QFETCH(QString, path);
        QFETCH(QString, text);
        QFETCH(QString, marked);
        EarthingStudyWindow window;
        window.show();
        if (added >= 0)
            add(window, Kind(added));
        // Away from the grid, which nothing may overlap.
        if (added == int(Kind::Ring))
            type(window, QStringLiteral("centre/0"), QStringLiteral("60"));
        if (added == int(Kind::Rods))
            type(window, QStringLiteral("at"), QStringLiteral("60 60"));
        if (added == int(Kind::Conductor)) {
            type(window, QStringLiteral("from/1"), QStringLiteral("60"));
            type(window, QStringLiteral("to/1"), QStringLiteral("60"));
        }
        if (rods)
            choose(window, "gridRods", 1);
        auto *solve = window.findChild<QPushButton *>(QStringLiteral("solve"));
        checked(window);
        QVERIFY(solve->isEnabled());
        QVERIFY(markedFields(window).isEmpty());
        const QString before = field(window, path)->text();

        type(window, path, text);
        QCOMPARE(markedFields(window), QStringList{marked});
        QVERIFY(!field(window, marked)->toolTip().isEmpty());
        QVERIFY(!solve->isEnabled());
        QCOMPARE(field(window, path)->text(), text); // kept as typed

        type(window, path, before);
        QVERIFY(markedFields(window).isEmpty());
        QVERIFY(solve->isEnabled());
    }

    // A problem is said in the words of the form: the field by its label, a part by its
    // name as the list shows it, conductors by their parts; never a document's path.
    void problemsInTheWordsOfTheForm() {
        EarthingStudyWindow window;
        window.show();
        auto *parts = window.findChild<QListView *>(QStringLiteral("parts"));
        const auto listed = [parts](int row) {
            return parts->model()->index(row, 0).data().toString();
        };
        const auto why = [parts](int row) {
            return parts->model()->index(row, 0).data(Qt::ToolTipRole).toString();
        };
        window.findChild<QRadioButton *>(QStringLiteral("twoLayers"))->click();
        type(window, QStringLiteral("soil/rho1"), QStringLiteral("300"));
        type(window, QStringLiteral("soil/rho2"), QStringLiteral("100"));
        type(window, QStringLiteral("soil/h"), QStringLiteral("x"));
        QCOMPARE(field(window, QStringLiteral("soil/h"))->toolTip(),
                 QStringLiteral("Top layer thickness must be a number"));
        type(window, QStringLiteral("soil/h"), QStringLiteral("2"));
        // The grid's depth, while another part is shown.
        type(window, QStringLiteral("depth"), QStringLiteral("deep"));
        add(window, Kind::TouchPoint);
        QCOMPARE(listed(0).left(5), QStringLiteral("Grid "));
        QCOMPARE(why(0), listed(0) + QStringLiteral(": Depth must be a number"));
        const auto *message = window.findChild<QLabel *>(QStringLiteral("documentMessage"));
        QVERIFY2(message->text().contains(why(0)), qPrintable(message->text()));
        window.selectPart(0);
        type(window, QStringLiteral("depth"), QStringLiteral("0.5"));
        QVERIFY(why(0).isEmpty());
        // A new conductor comes beside the grid; typed (0, 0) to (10, 0) at 0.5 m, it lies
        // along the grid's edge.
        add(window, Kind::Conductor);
        for (const char *path : {"from/0", "from/1", "to/1"})
            type(window, QLatin1String(path), QStringLiteral("0"));
        type(window, QStringLiteral("to/0"), QStringLiteral("10"));
        QCOMPARE(listed(0).left(10), QStringLiteral("Conductor "));
        QCOMPARE(why(0), QStringLiteral("%1 and a conductor of %2 overlap along their length")
                             .arg(listed(0), listed(1)));
    }

    void unsavedWorkIsAskedAbout() {
        EarthingStudyWindow window;
        window.show();
        QVERIFY(!window.isWindowModified());
        type(window, QStringLiteral("current"), QStringLiteral("1500"));
        QVERIFY(window.isWindowModified());
        ModalWatcher watcher;
        watcher.then([](QDialog *d) {
            qobject_cast<QMessageBox *>(d)->button(QMessageBox::Cancel)->click();
        });
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QCOMPARE(watcher.messages(),
                 QStringList{shippedText(kUnsavedQuestion).arg(shippedText(kUntitled))});
        QCOMPARE(field(window, QStringLiteral("current"))->text(), QStringLiteral("1500"));
        watcher.then([](QDialog *d) {
            qobject_cast<QMessageBox *>(d)->button(QMessageBox::Discard)->click();
        });
        QVERIFY(window.close());
    }

    void reportHoldsTheResultsAndTheMap() {
        EarthingStudyWindow window;
        window.show();
        QVERIFY(solved(window));
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("study.pdf"));
        QVERIFY(window.savePdf(pdf));
        const QString text =
            QString::fromUtf8(run(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                                  {pdf, QStringLiteral("-")}));
        for (const char *name : {"resistance", "worstTouch", "tolerableTouch"}) {
            const QString shown = window.findChild<QLabel *>(QLatin1String(name))->text();
            QVERIFY2(text.contains(shown), qPrintable(shown));
        }
        QVERIFY(text.contains(window.findChild<QLabel *>(QStringLiteral("verdict0"))->text()));
        // The touch map: a colour scale's cells, not only the black and red of the lines.
        // The maps have pages of their own: every page counts.
        run(QStandardPaths::findExecutable(QStringLiteral("pdftoppm")),
            {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"), pdf,
             folder.filePath(QStringLiteral("page"))});
        int coloured = 0;
        const QFileInfoList pages =
            QDir(folder.path()).entryInfoList({QStringLiteral("page*.png")}, QDir::Files);
        QVERIFY(!pages.isEmpty());
        for (const QFileInfo &file : pages) {
            const QImage page(file.filePath());
            for (int y = 0; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x) {
                    const QColor c = page.pixelColor(x, y);
                    coloured += c.hsvSaturation() > 120 && c.green() > 60; // viridis, not red
                }
        }
        QVERIFY2(coloured > 500, qPrintable(QString::number(coloured)));
    }

    // Save as PDF and tav-calc system --pdf write the same study's report word for word,
    // its longest sentences (the assumptions and method) whole.
    void reportIsTavCalcsWordForWord() {
        EarthingStudyWindow window;
        window.show();
        QTemporaryDir folder;
        const QString study = folder.filePath(QStringLiteral("study.json"));
        QVERIFY(window.saveTo(study));
        QVERIFY(solved(window));
        const QString shown = folder.filePath(QStringLiteral("window.pdf"));
        const QString written = folder.filePath(QStringLiteral("tav-calc.pdf"));
        QVERIFY(window.savePdf(shown));
        run(QStringLiteral(TAV_CALC), {QStringLiteral("system"), QStringLiteral("--input"), study,
                                       QStringLiteral("--pdf"), written});
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        const QStringList fromWindow =
            QString::fromUtf8(run(pdftotext, {shown, QStringLiteral("-")}))
                .split(QLatin1Char('\n'));
        const QStringList fromTavCalc =
            QString::fromUtf8(run(pdftotext, {written, QStringLiteral("-")}))
                .split(QLatin1Char('\n'));
        QVERIFY(fromTavCalc.size() > 100);
        for (qsizetype k = 0; k < std::min(fromWindow.size(), fromTavCalc.size()); ++k)
            QCOMPARE(fromWindow[k], fromTavCalc[k]);
        QCOMPARE(fromWindow.size(), fromTavCalc.size());
        // Every sentence of the method whole, as the string table holds it.
        const QString all = fromWindow.join(QLatin1Char(' ')).simplified();
        for (unsigned id = StringId::SystemReport::kMethodFirst;
             id <= StringId::SystemReport::kMethodLast; ++id)
            QVERIFY2(all.contains(shippedText(id)), qPrintable(shippedText(id)));
    }

    // New leaves nothing of the study set aside: the cursor's read-out of its potential
    // goes with it.
    void newStudyForgetsThePotential() {
        EarthingStudyWindow window;
        window.show();
        QVERIFY(solved(window));
        auto *plan = window.findChild<PlanView *>(QStringLiteral("plan"));
        const QPoint middle = plan->toDevice(QPointF(10, 10)).toPoint();
        QTest::mouseMove(plan, middle);
        auto *cursor = window.findChild<QLabel *>(QStringLiteral("cursor"));
        QTRY_VERIFY(cursor->text().contains(QStringLiteral("V")));
        QVERIFY(activated(window));
        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(cursor->text(), QString());
        QCOMPARE(window.result(), nullptr);
    }

    // The keys the menus promise: Save As on Ctrl+Shift+S, Escape cancels a solve.
    void keysDoWhatTheMenusSay() {
        EarthingStudyWindow window;
        window.show();
        QVERIFY(activated(window));
        {
            ModalWatcher watcher;
            QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(watcher.shown().size(), 1);
            QCOMPARE(watcher.shown().first().className, QStringLiteral("QFileDialog"));
        }
        type(window, QStringLiteral("size/0"), QStringLiteral("200"));
        type(window, QStringLiteral("size/1"), QStringLiteral("200"));
        type(window, QStringLiteral("conductors/0"), QStringLiteral("15"));
        type(window, QStringLiteral("conductors/1"), QStringLiteral("15"));
        click(window, "solve");
        QVERIFY(window.solving());
        QVERIFY(activated(window));
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.solving());
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("status"))->text(),
                 shippedText(kCancelled));
    }

    // Save as PDF... over the study's own document (by any name) or a named pipe: refused,
    // said in the window's message box, the file as it was.
    void reportIsNeverWrittenOverItsDocument_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason"); // empty: that it is the document
        QTest::newRow("the document") << "study.json" << QString();
        QTest::newRow("a link to it") << "link.json" << QString();
        QTest::newRow("a named pipe")
            << "pipe" << shippedText(StringId::kFileKinds + 3); // Pipe, after Directory
    }

    void reportIsNeverWrittenOverItsDocument() {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString document = folder.filePath(QStringLiteral("study.json"));
        QVERIFY(QFile::link(QStringLiteral("study.json"),
                            folder.filePath(QStringLiteral("link.json"))));
        const QByteArray pipe = QFile::encodeName(folder.filePath(QStringLiteral("pipe")));
        QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
        EarthingStudyWindow window;
        window.show();
        QVERIFY(window.saveTo(document));
        QVERIFY(solved(window));
        const QString path = folder.filePath(target);
        const QStringList before = folderState(folder.path());
        ModalWatcher watcher;
        QVERIFY(!window.savePdf(path));
        const QString why =
            reason.isEmpty() ? shippedText(StringId::kReportIsInput).arg(document) : reason;
        QCOMPARE(watcher.messages(),
                 QStringList{shippedText(StringId::Study::kCannotWrite).arg(path, why)});
        QCOMPARE(folderState(folder.path()), before);
    }

    // Ten edits of every kind, undone with Ctrl+Z, give back the saved file byte for byte.
    void undoingTenEditsGivesBackTheSavedFile() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("study.json"));
        EarthingStudyWindow window;
        window.show();
        QVERIFY(window.openFile(QStringLiteral(TAV_EXAMPLES_DIR "/substation-70m.json")));
        QVERIFY(window.saveTo(path));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray before = saved.readAll();
        saved.close();

        type(window, QStringLiteral("current"), QStringLiteral("2500"));
        window.findChild<QRadioButton *>(QStringLiteral("uniform"))->click(); // of two layers
        type(window, QStringLiteral("soil/rho"), QStringLiteral("150"));
        window.findChild<QCheckBox *>(QStringLiteral("surfaceLayer"))->click();
        choose(window, "bodyWeight", 0);
        add(window, Kind::Ring);
        type(window, QStringLiteral("radius"), QStringLiteral("7.5"));
        choose(window, "connection", 1);
        choose(window, "map", 1);
        click(window, "removePart");
        QCOMPARE(window.editedProject()->undoStack()->count(), 10);
        QVERIFY(activated(window));
        for (int k = 0; k < 10; ++k)
            QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!window.isWindowModified());
        QVERIFY(window.saveTo(path));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), before);
    }

    // A study opened and saved unchanged is written back whole: a list of rods longer than a
    // line edit holds, and a value the window cannot show, kept as read.
    void whatIsReadIsWrittenBackWhole() {
        QJsonArray at;
        for (int k = 0; k < 2500; ++k)
            at.append(QJsonArray{100 + k * 0.125, -20.25});
        QJsonObject grid = StudyPart::made(Kind::Grid).json;
        grid[QStringLiteral("size")] = QStringLiteral("seventy");
        QJsonObject rods = StudyPart::made(Kind::Rods).json;
        rods[QStringLiteral("at")] = at;
        const QJsonObject document{
            {QStringLiteral("version"), 1},
            {QStringLiteral("soil"), QJsonObject{{QStringLiteral("rho"), 100}}},
            {QStringLiteral("current"), 1000},
            {QStringLiteral("safety"), QJsonObject{{QStringLiteral("duration"), 0.5},
                                                   {QStringLiteral("body"), 50},
                                                   {QStringLiteral("surface"), QJsonValue()}}},
            {QStringLiteral("grids"), QJsonArray{grid}},
            {QStringLiteral("rods"), QJsonArray{rods}}};
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("study.json"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(document).toJson());
        file.close();
        EarthingStudyWindow window;
        window.show();
        QVERIFY(window.openFile(path));
        window.selectPart(1);
        QVERIFY(field(window, QStringLiteral("at"))->text().size() > 32767);
        window.selectPart(0);
        QVERIFY(!window.sound());
        QVERIFY(window.saveTo(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QJsonDocument::fromJson(file.readAll()).object(), document);
    }

    // Every field of every part that the editor offers: what is typed reaches the document
    // at the field's path, the document's reader and writer keep it there, and a value that
    // is no number is marked at that field and no other.
    void everyFieldRoundTrips_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QJsonValue>("expected");
        for (tav::PartKind kind : tav::PartSchema::kinds())
            for (const tav::PartField &f : tav::PartSchema::fields(kind)) {
                // A part the menu offers: a drawing's name is tst_drawingstudy's.
                if (f.label == 0 || !StudyPart::offered().contains(kind))
                    continue;
                const QString path = QLatin1String(f.path);
                QString typed;
                QJsonValue expected;
                if (f.type == tav::FieldType::Points && f.limit == tav::FieldLimit::Polygon) {
                    typed = QStringLiteral("3 4; 5.5 6; 3 8");
                    expected = QJsonArray{QJsonArray{3, 4}, QJsonArray{5.5, 6}, QJsonArray{3, 8}};
                } else if (f.type == tav::FieldType::Points) {
                    typed = QStringLiteral("3 4; 5.5 6");
                    expected = QJsonArray{QJsonArray{3, 4}, QJsonArray{5.5, 6}};
                } else if (f.type == tav::FieldType::Text) {
                    typed = QStringLiteral("Cable end 2"); // a name stays as typed
                    expected = typed;
                } else if (f.type == tav::FieldType::Count) {
                    expected = f.initial.toInt() + 1;
                    typed = QString::number(expected.toInt());
                } else {
                    // Another value than the new part's, a short decimal.
                    typed = QString::number(
                        f.initial.toDouble() == 0 ? 1.75 : f.initial.toDouble() * 1.25);
                    expected = typed.toDouble();
                }
                QTest::addRow("%s %s", tav::PartSchema::key(kind), f.path)
                    << int(kind) << path << typed << expected;
            }
    }
    void everyFieldRoundTrips() {
        QFETCH(int, kind);
        QFETCH(QString, path);
        QFETCH(QString, typed);
        QFETCH(QJsonValue, expected);
        EarthingStudyWindow window;
        window.show();
        if (Kind(kind) != Kind::Grid)
            add(window, Kind(kind));
        if (path.startsWith(QStringLiteral("rods/")))
            choose(window, "gridRods", 1);
        const int part =
            window.findChild<QListView *>(QStringLiteral("parts"))->currentIndex().row();
        QCOMPARE(window.project().parts.at(part).kind, Kind(kind));
        type(window, path, typed);
        QCOMPARE(JsonPath::valueAt(window.project().parts.at(part).json, path), expected);

        tav::DocumentError error;
        const tav::SystemDocument read =
            tav::SystemDocument::fromJson(window.project().toJson(), error);
        QCOMPARE(int(error.kind), int(tav::DocumentError::Kind::None));
        const QJsonArray written = QJsonDocument::fromJson(read.toJson())
                                       .object()
                                       .value(QLatin1String(tav::PartSchema::key(Kind(kind))))
                                       .toArray();
        int ofKind = 0;
        for (int k = 0; k < part; ++k)
            ofKind += window.project().parts.at(k).kind == Kind(kind);
        QCOMPARE(JsonPath::valueAt(written.at(ofKind).toObject(), path), expected);

        if (expected.isString())
            return; // any text is a name: nothing to mark
        type(window, path, QStringLiteral("x"));
        QCOMPARE(markedFields(window), QStringList{path});
        type(window, path, typed);
        QVERIFY(markedFields(window).isEmpty());
    }

    // Only a regular file of a study's size is opened: a named pipe would block the window
    // in its opening, a device would never end; each is said so, the study kept.
    void onlyStudyFilesAreOpened_data() {
        QTest::addColumn<QString>("name"); // in the folder, or absolute
        QTest::addColumn<QString>("reason");
        QTest::newRow("named pipe") << "pipe"
                                    << "a named pipe";
        QTest::newRow("device") << "/dev/zero"
                                << "a character device";
        QTest::newRow("folder") << "folder"
                                << "a directory";
        QTest::newRow("too long") << "large.json"
                                  << "more than 67108864 bytes";
    }
    void onlyStudyFilesAreOpened() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QCOMPARE(
            ::mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("pipe"))).constData(), 0600),
            0);
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder")));
        QFile large(folder.filePath(QStringLiteral("large.json")));
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize((qint64{64} << 20) + 1));
        large.close();
        EarthingStudyWindow window;
        type(window, QStringLiteral("current"), QStringLiteral("1234"));
        const QString path = name.startsWith(QLatin1Char('/')) ? name : folder.filePath(name);
        ModalWatcher watcher;
        QVERIFY(!window.openFile(path));
        QCOMPARE(watcher.messages().size(), 1);
        QVERIFY2(watcher.messages().first().contains(reason),
                 qPrintable(watcher.messages().first()));
        QCOMPARE(field(window, QStringLiteral("current"))->text(), QStringLiteral("1234"));
    }

    // The list names each part by its kind and key figures, and says which float; a new
    // ring is sized to the 20 m grid it comes beside.
    void partsAreNamedByTheirFigures() {
        EarthingStudyWindow window;
        add(window, Kind::Ring);
        choose(window, "connection", 1);
        add(window, Kind::Fence);
        const QAbstractItemModel *parts =
            window.findChild<QListView *>(QStringLiteral("parts"))->model();
        QCOMPARE(parts->rowCount(), 3);
        QCOMPARE(parts->index(0, 0).data().toString(),
                 shippedText(kGridName).arg(QStringLiteral("20"), QStringLiteral("20"),
                                            QStringLiteral("5"), QStringLiteral("5")));
        QCOMPARE(parts->index(1, 0).data().toString(),
                 shippedText(kPartFloating)
                     .arg(shippedText(kRingName).arg(QStringLiteral("10"), QStringLiteral("6"))));
        QCOMPARE(parts->index(2, 0).data().toString(),
                 shippedText(kPartFloating).arg(shippedText(kFenceName).arg(QStringLiteral("2"))));
    }

private:
    TestSettings m_settings;
    std::unique_ptr<ModuleScope> m_module;
};

QTEST_MAIN(TestEarthingStudyWindow)
#include "tst_earthingstudywindow.moc"
