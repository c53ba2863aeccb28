// The earthing study window after a solve: the leakage map over the plan and the table of
// what each part leaks, Ctrl+C copying the results with their tables as tab-separated
// values, and the field information file kept with the study through save and reopen.
#include "core/SiteFile.h"
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/earthing/PlanView.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/TestSettings.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include <cmath>

namespace {

void checked(const EarthingStudyWindow &w) {
    QTRY_VERIFY(!w.checking());
}

// A 30 m grid with rods at its corners and a conductor led away from it, 500 A in 100
// ohm m; a coarse search and long segments keep the solve short.
StudyProject grounded() {
    tav::DocumentError error;
    const auto p = StudyProject::fromJson(
        R"({"soil": {"rho": 100}, "current": 500, "segment_length": 5, "search": {"step": 3},
            "conductors": [{"from": [30, 15, 0.6], "to": [50, 15, 0.6], "diameter": 0.01}],
            "grids": [{"origin": [0, 0], "size": [30, 30], "conductors": [3, 3], "depth": 0.6,
                       "diameter": 0.01, "rods": {"corners": true, "length": 3, "diameter": 0.016}}],
            "safety": {"duration": 0.5, "body": 70, "surface": null}})",
        error);
    if (!p)
        qFatal("the study was refused");
    return *p;
}

void solve(EarthingStudyWindow &window) {
    window.show();
    checked(window);
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("solve")), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return window.result() && !window.solving(); }, 120000));
}

// The number a cell shows, read as the user reads it.
double cellValue(const QTableWidget *table, int row, int column) {
    return table->item(row, column)->text().toDouble();
}

} // namespace

class TestEarthingLeakage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_settings.valid()); }
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        QVERIFY(m_module->loaded());
    }
    void cleanup() { m_module.reset(); }

    // The table has a row per part, the grid's rods apart, and the currents shown sum to
    // the 500 A injected, the shares to 100 %; the map chosen is kept in the study and
    // draws the conductors in colour, where the plan without a map has them red only.
    void leakageMapAndTable() {
        EarthingStudyWindow window(grounded());
        window.resize(1400, 860);
        solve(window);
        auto *table = window.findChild<QTableWidget *>(QStringLiteral("leakage"));
        QVERIFY(table && table->isVisibleTo(&window));
        QStringList parts;
        double current = 0;
        double share = 0;
        for (int r = 0; r < table->rowCount(); ++r) {
            parts << table->item(r, 0)->text();
            current += cellValue(table, r, 2);
            share += cellValue(table, r, 3);
        }
        QCOMPARE(parts, (QStringList{"Conductor 1", "Grid 1", "Grid 1 rods"}));
        // Four significant digits a cell: the sums within their rounding.
        QVERIFY2(std::abs(current - 500) < 0.5, qPrintable(QString::number(current)));
        QVERIFY2(std::abs(share - 100) < 0.1, qPrintable(QString::number(share)));
        // The rods: 4 of 3 m.
        QCOMPARE(cellValue(table, 2, 4), 12.0);

        auto *map = window.findChild<QComboBox *>(QStringLiteral("map"));
        QVERIFY(map);
        PlanView *plan = window.plan();
        map->setCurrentIndex(0);
        Q_EMIT map->activated(0);
        const int plain = coloured(plan->grab().toImage());
        const int index = map->findText(QStringLiteral("Leakage"));
        QVERIFY(index > 0);
        map->setCurrentIndex(index);
        Q_EMIT map->activated(index);
        QCOMPARE(window.project()
                     .rest.value(QStringLiteral("study_window"))[QStringLiteral("map")]
                     .toString(),
                 QStringLiteral("leakage"));
        QVERIFY(plan->leakage().result == window.result());
        QCOMPARE(plan->picture().map, PlanPicture::Map::None);
        const auto [lo, hi] = plan->leakage().range();
        QVERIFY(lo < hi && lo > 0); // every conductor of group 0 leaks, some more than others
        const int shown = coloured(plan->grab().toImage());
        QVERIFY2(shown > plain + 200, qPrintable(QStringLiteral("%1 %2").arg(plain).arg(shown)));
        // Undone, no leakage drawn.
        window.editedProject()->undoStack()->undo();
        QVERIFY(plan->leakage().result == nullptr);
    }

    // At 1600 × 1000 the places and the leakage show every column without scrolling
    // across; a long place name wraps in its column, shown whole.
    void tablesFitAcross() {
        tav::DocumentError error;
        QJsonObject document = grounded().document();
        document[QStringLiteral("touch_points")] =
            QJsonArray{QJsonObject{{"at", QJsonArray{60, 15}},
                                   {"group", 0},
                                   {"name", "cable sheath at the far end of the feeder"}}};
        const auto study = StudyProject::fromJson(QJsonDocument(document).toJson(), error);
        QVERIFY(study.has_value());
        EarthingStudyWindow window(*study);
        window.resize(1600, 1000);
        solve(window);
        for (const char *name : {"places", "leakage"}) {
            const auto *table = window.findChild<QTableWidget *>(QLatin1String(name));
            QTRY_COMPARE(table->horizontalScrollBar()->maximum(), 0);
        }
        const auto *places = window.findChild<QTableWidget *>(QStringLiteral("places"));
        const QTableWidgetItem *point =
            places
                ->findItems(QStringLiteral("cable sheath at the far end of the feeder"),
                            Qt::MatchExactly)
                .value(0);
        QVERIFY(point != nullptr);
        const QRect cell = places->visualItemRect(point);
        const QRect needed = places->fontMetrics().boundingRect(
            QRect(0, 0, cell.width() - 8, 10000), Qt::TextWordWrap, point->text());
        QVERIFY2(needed.height() <= cell.height() && needed.width() <= cell.width(),
                 qPrintable(QStringLiteral("%1 x %2 in %3 x %4")
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(cell.width())
                                .arg(cell.height())));
    }

    // Ctrl+C on the results: the report as text, every table as tab-separated values, the
    // leakage's among them; the Copy button copies the same.
    void copiedAsText() {
        EarthingStudyWindow window(grounded());
        solve(window);
        QApplication::clipboard()->clear();
        auto *places = window.findChild<QTableWidget *>(QStringLiteral("places"));
        QVERIFY(places);
        places->setFocus();
        QTest::keyClick(places, Qt::Key_C, Qt::ControlModifier);
        const QString text = QApplication::clipboard()->text();
        QVERIFY(text.contains(QStringLiteral("Current leaking into the soil, per part")));
        QVERIFY(text.contains(
            QStringLiteral("Part\tGroup\tCurrent [A]\tShare [%]\tLength [m]\tDensity [A/m]")));
        QVERIFY(text.contains(QStringLiteral("Grid 1 rods\t0\t")));
        // The groups' and the places' tables as well.
        int tabbed = 0;
        for (const QString &line : text.split(QLatin1Char('\n')))
            tabbed += line.count(QLatin1Char('\t')) >= 2 ? 1 : 0;
        QVERIFY2(tabbed >= 3 + 1 + 1 + 3, qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Grid 1\t")));

        QApplication::clipboard()->clear();
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("copy")), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), text);
    }

    // The field information file read for the report is kept in the study's settings: an
    // edit that undoes, saved, and read again when the study is reopened.
    void fieldInformationKept() {
        QTemporaryDir dir;
        tav::SiteInformation site;
        site.clientCompanyName = "Northern Grid Co";
        site.fieldName = "Substation 7";
        const QString sitePath = dir.filePath(QStringLiteral("field.txt"));
        QCOMPARE(tav::SiteFile::write(site, QFile::encodeName(sitePath).toStdString()).status,
                 tav::SiteWriteStatus::Success);
        const QString studyPath = dir.filePath(QStringLiteral("study.json"));
        {
            EarthingStudyWindow window(grounded());
            window.show();
            checked(window);
            QVERIFY(window.findChild<QPushButton *>(QStringLiteral("fieldInformation")));
            QVERIFY(window.readSite(sitePath));
            checked(window);
            QCOMPARE(window.project()
                         .rest.value(QStringLiteral("study_window"))[QStringLiteral("site")]
                         .toString(),
                     sitePath);
            QVERIFY(window.editedProject()->isModified());
            window.editedProject()->undoStack()->undo();
            QVERIFY(!window.header().site);
            window.editedProject()->undoStack()->redo();
            QVERIFY(window.header().site);
            QVERIFY(window.saveTo(studyPath));
        }
        QFile saved(studyPath);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(QJsonDocument::fromJson(saved.readAll())
                     .object()
                     .value(QStringLiteral("study_window"))[QStringLiteral("site")]
                     .toString(),
                 sitePath);
        EarthingStudyWindow reopened;
        QVERIFY(reopened.openFile(studyPath));
        checked(reopened);
        QVERIFY(reopened.header().site);
        QCOMPARE(reopened.header().site->fieldName, std::string("Substation 7"));
        QCOMPARE(reopened.siteFileName(), sitePath);
        auto *label = reopened.findChild<QLabel *>(QStringLiteral("fieldInformationFile"));
        QVERIFY(label && label->text().contains(QStringLiteral("field.txt")));
    }

    // A relative path is read from the study's own folder, as a study moved with its field
    // information keeps it.
    void relativeSitePath() {
        QTemporaryDir dir;
        tav::SiteInformation site;
        site.fieldName = "Moved";
        QCOMPARE(tav::SiteFile::write(
                     site, QFile::encodeName(dir.filePath(QStringLiteral("f.txt"))).toStdString())
                     .status,
                 tav::SiteWriteStatus::Success);
        StudyProject project = grounded();
        project.rest[QStringLiteral("study_window")] =
            QJsonObject{{QStringLiteral("site"), QStringLiteral("f.txt")}};
        const QString studyPath = dir.filePath(QStringLiteral("moved.json"));
        QFile file(studyPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(project.toJson());
        file.close();
        EarthingStudyWindow window;
        QVERIFY(window.openFile(studyPath));
        checked(window);
        QVERIFY(window.header().site);
        QCOMPARE(window.header().site->fieldName, std::string("Moved"));
    }

private:
    // Pixels of strong colour: the map's and the leakage's, where the plan is otherwise
    // white, grey and the conductors' red.
    static int coloured(const QImage &image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.hsvSaturation() > 100 && !(c.red() > 150 && c.green() < 80) ? 1 : 0;
            }
        return count;
    }

    TestSettings m_settings;
    std::unique_ptr<ModuleScope> m_module;
};

QTEST_MAIN(TestEarthingLeakage)
#include "tst_earthingleakage.moc"
