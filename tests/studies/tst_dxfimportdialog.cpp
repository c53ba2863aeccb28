// The drawing's import dialog: the unit asked when the drawing names none, the layers'
// uses read from the table into the import's settings, what it would take said as the
// table changes, and the uses remembered for a file of the same name.
#include "cad/DxfDrawing.h"
#include "studies/earthing/DxfImportDialog.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/TestSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <string>
#include <utility>

using namespace tav::cad;

namespace {

// A closed square of 10 m on GRID drawn at z = 0, a rod's circle on RODS and a note on
// ANNOT; no $INSUNITS.
const char *const kDrawing = "0\nSECTION\n2\nENTITIES\n"
                             "0\nLWPOLYLINE\n8\nGRID\n90\n4\n70\n1\n"
                             "10\n0\n20\n0\n10\n10\n20\n0\n10\n10\n20\n10\n10\n0\n20\n10\n"
                             "0\nCIRCLE\n8\nRODS\n10\n5\n20\n5\n30\n0\n40\n0.008\n"
                             "0\nTEXT\n8\nANNOT\n10\n1\n20\n1\n40\n1\n1\nsubstation\n"
                             "0\nENDSEC\n0\nEOF\n";

// A closed square polyline of side size from (x, y) on the layer.
std::string square(const char *layer, double x, double y, double size) {
    std::string text = std::string("0\nLWPOLYLINE\n8\n") + layer + "\n90\n4\n70\n1\n";
    for (const auto &[dx, dy] : {std::pair{0., 0.}, {size, 0.}, {size, size}, {0., size}})
        text += "10\n" + std::to_string(x + dx) + "\n20\n" + std::to_string(y + dy) + "\n";
    return text;
}

int rowOf(QTableWidget *table, const QString &layer) {
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 0)->text() == layer)
            return row;
    return -1;
}

} // namespace

class TestDxfImportDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_settings.valid());
        QVERIFY(m_module.loaded());
    }

    void unitAskedLayersReadAndRemembered() {
        const tav::Refusable<DxfDrawing> read = DxfDrawing::fromText(kDrawing);
        QVERIFY(!read.refused());
        DxfImportDialog dialog(read.result(), QStringLiteral("station.dxf"));
        auto *units = dialog.findChild<QComboBox *>(QStringLiteral("units"));
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("layers"));
        auto *summary = dialog.findChild<QLabel *>(QStringLiteral("summary"));
        QPushButton *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        // No unit in the drawing: asked, and nothing taken until it is given.
        QVERIFY(units->isEnabled());
        QCOMPARE(units->currentIndex(), -1);
        QVERIFY(!ok->isEnabled());
        QVERIFY(!dialog.settings().units.has_value());
        // The layers that hold lines or points, the note's not among them.
        QCOMPARE(table->rowCount(), 2);
        const int grid = rowOf(table, QStringLiteral("GRID"));
        const int rods = rowOf(table, QStringLiteral("RODS"));
        QVERIFY(grid >= 0 && rods >= 0);

        units->setCurrentIndex(units->findText(QStringLiteral("Metres")));
        // Drawn at z = 0 without a depth for their layers: left out, and said so.
        QVERIFY(summary->text().contains(QStringLiteral("GRID")));
        QVERIFY(summary->text().contains(QStringLiteral("1 TEXT on layer ANNOT")));
        QVERIFY(!ok->isEnabled());

        table->item(grid, 3)->setText(QStringLiteral("0.6"));
        table->item(grid, 4)->setText(QStringLiteral("0.012"));
        table->item(rods, 3)->setText(QStringLiteral("0.5"));
        table->item(rods, 5)->setText(QStringLiteral("3"));
        table->item(rods, 6)->setText(QStringLiteral("1"));
        QVERIFY(ok->isEnabled());
        // The closed square's four sides, and the rod.
        QVERIFY2(summary->text().startsWith(QStringLiteral("Takes 4 conductors and 1 rods")),
                 qPrintable(summary->text()));

        const ImportSettings settings = dialog.settings();
        QCOMPARE(settings.units, std::optional<DrawingUnit>(DrawingUnit::Metre));
        QVERIFY(settings.autoOrigin);
        const LayerMapping &g = settings.layers.at("GRID");
        QCOMPARE(g.role, LayerRole::Conductor);
        QCOMPARE(g.depth, std::optional<double>(0.6));
        QCOMPARE(g.diameter, std::optional<double>(0.012));
        QVERIFY(!g.rodLength);
        const LayerMapping &r = settings.layers.at("RODS");
        QCOMPARE(r.role, LayerRole::Rod);
        QCOMPARE(r.rodLength, std::optional<double>(3));
        QCOMPARE(r.group, 1);

        ok->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        // A drawing of the same name comes back with its layers' uses; another does not.
        DxfImportDialog again(read.result(), QStringLiteral("station.dxf"));
        QCOMPARE(again.settings().layers.at("GRID").depth, std::optional<double>(0.6));
        QCOMPARE(again.settings().layers.at("RODS").group, 1);
        DxfImportDialog other(read.result(), QStringLiteral("other.dxf"));
        QVERIFY(!other.settings().layers.at("GRID").depth);
    }

    // Fences, touch areas and the crushed rock's outline are offered as a layer's uses; a
    // fence layer takes its posts from the length, diameter and spacing columns.
    void fenceYardAndRockOffered() {
        const std::string text = "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n6\n0\nENDSEC\n"
                                 "0\nSECTION\n2\nENTITIES\n" +
                                 square("FENCE", -3, -3, 16) + square("YARD", -1, -1, 12) +
                                 square("ROCK", -4, -4, 18) + "0\nENDSEC\n0\nEOF\n";
        const tav::Refusable<DxfDrawing> read = DxfDrawing::fromText(text);
        QVERIFY(!read.refused());
        DxfImportDialog dialog(read.result(), QStringLiteral("yard.dxf"));
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("layers"));
        auto *summary = dialog.findChild<QLabel *>(QStringLiteral("summary"));
        QPushButton *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        const auto use = [&](const char *layer, const char *as) {
            const int row = rowOf(table, QLatin1String(layer));
            auto *role = qobject_cast<QComboBox *>(table->cellWidget(row, 2));
            const int index = role->findText(QLatin1String(as));
            QVERIFY2(index >= 0, as);
            role->setCurrentIndex(index);
        };
        use("FENCE", "Fences");
        use("YARD", "Touch areas");
        use("ROCK", "Crushed rock outline");
        const int fence = rowOf(table, QStringLiteral("FENCE"));
        // No posts yet: the fence is left out, the rest taken.
        QVERIFY2(summary->text().contains(QStringLiteral("0 fences, 1 touch areas and 1 crushed")),
                 qPrintable(summary->text()));
        table->item(fence, 4)->setText(QStringLiteral("0.06"));
        table->item(fence, 5)->setText(QStringLiteral("1.2"));
        table->item(fence, 6)->setText(QStringLiteral("1"));
        table->item(fence, 7)->setText(QStringLiteral("3"));
        QVERIFY2(summary->text().contains(QStringLiteral("1 fences, 1 touch areas and 1 crushed")),
                 qPrintable(summary->text()));
        QVERIFY(ok->isEnabled());
        const ImportSettings settings = dialog.settings();
        const LayerMapping &f = settings.layers.at("FENCE");
        QCOMPARE(f.role, LayerRole::Fence);
        QVERIFY(f.posts && f.grouped);
        QCOMPARE(f.posts->spacing, 3.);
        QCOMPARE(f.posts->length, 1.2);
        QCOMPARE(f.posts->diameter, 0.06);
        QCOMPARE(f.group, 1);
        QCOMPARE(settings.layers.at("YARD").role, LayerRole::TouchArea);
        QCOMPARE(settings.layers.at("ROCK").role, LayerRole::Surface);
    }

    // A drawing that names its unit keeps it.
    void unitOfTheDrawingKept() {
        const std::string text =
            std::string("0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n") + kDrawing;
        const tav::Refusable<DxfDrawing> read = DxfDrawing::fromText(text);
        QVERIFY(!read.refused());
        DxfImportDialog dialog(read.result(), QStringLiteral("mm.dxf"));
        auto *units = dialog.findChild<QComboBox *>(QStringLiteral("units"));
        QVERIFY(!units->isEnabled());
        QCOMPARE(units->currentText(), QStringLiteral("Millimetres"));
        QCOMPARE(dialog.settings().units, std::optional<DrawingUnit>(DrawingUnit::Millimetre));
    }

    // The origin chosen is shown where it would be typed; one typed must be a number; the
    // study's own is kept and not to be changed.
    void originShownTypedOrKept() {
        // A line of 10 m at site coordinates, in metres.
        const std::string text =
            "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n6\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
            "0\nLINE\n8\nGRID\n10\n512345.5\n20\n4381270\n30\n0\n11\n512355.5\n21\n4381270\n31\n0\n"
            "0\nENDSEC\n0\nEOF\n";
        const tav::Refusable<DxfDrawing> read = DxfDrawing::fromText(text);
        QVERIFY(!read.refused());
        DxfImportDialog dialog(read.result(), QStringLiteral("site.dxf"));
        auto *x = dialog.findChild<QLineEdit *>(QStringLiteral("originX"));
        auto *y = dialog.findChild<QLineEdit *>(QStringLiteral("originY"));
        auto *autoOrigin = dialog.findChild<QCheckBox *>(QStringLiteral("autoOrigin"));
        auto *summary = dialog.findChild<QLabel *>(QStringLiteral("summary"));
        QPushButton *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("layers"));
        const int grid = rowOf(table, QStringLiteral("GRID"));
        table->item(grid, 3)->setText(QStringLiteral("0.6"));
        table->item(grid, 4)->setText(QStringLiteral("0.012"));
        // The lower left corner rounded down to 100 m, all seven digits of it.
        QCOMPARE(x->text(), QStringLiteral("512300"));
        QCOMPARE(y->text(), QStringLiteral("4381200"));
        QVERIFY(!x->isEnabled());
        QVERIFY(ok->isEnabled());

        autoOrigin->setChecked(false);
        QVERIFY(x->isEnabled());
        x->setText(QStringLiteral("512 300"));
        QVERIFY(!ok->isEnabled());
        QVERIFY2(summary->text().contains(QStringLiteral("must be numbers")),
                 qPrintable(summary->text()));
        x->setText(QStringLiteral("512340.25"));
        QVERIFY(ok->isEnabled());
        QCOMPARE(dialog.settings().originX, 512340.25);

        DxfImportDialog second(read.result(), QStringLiteral("site.dxf"));
        second.keepOrigin(500000.125, 4000000);
        QVERIFY(!second.findChild<QCheckBox *>(QStringLiteral("autoOrigin"))->isEnabled());
        QVERIFY(!second.findChild<QLineEdit *>(QStringLiteral("originX"))->isEnabled());
        QCOMPARE(second.findChild<QLineEdit *>(QStringLiteral("originX"))->text(),
                 QStringLiteral("500000.125"));
        const ImportSettings kept = second.settings();
        QVERIFY(!kept.autoOrigin);
        QCOMPARE(kept.originX, 500000.125);
        QCOMPARE(kept.originY, 4000000.0);
    }

private:
    TestSettings m_settings;
    ModuleScope m_module{QStringLiteral(TAV_TEST_MODULE_DIR)};
};

QTEST_MAIN(TestDxfImportDialog)
#include "tst_dxfimportdialog.moc"
