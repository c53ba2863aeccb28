// The mesh grid: conductor count, wire length and Sverak's resistance.
#include "core/MeshGrid.h"
#include "tests/support/ShippedWording.h"
#include "tests/support/ShownValues.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace tav;
using namespace ShownValues;

class TestMeshGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void grid_data() {
        QTest::addColumn<float>("rho");
        QTest::addColumn<float>("a");
        QTest::addColumn<float>("b");
        QTest::addColumn<float>("h");
        QTest::addColumn<float>("sx");
        QTest::addColumn<float>("sy");
        QTest::addColumn<int>("nx");
        QTest::addColumn<int>("ny");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("resistance");
        QTest::newRow("20 x 10 every 5 m")
            << 100.f << 20.f << 10.f << 0.6f << 5.f << 5.f << 3 << 1 << "110"
            << "3.82";
        QTest::newRow("20 x 10 every 3 m")
            << 100.f << 20.f << 10.f << 0.6f << 3.f << 3.f << 6 << 3 << "180"
            << "3.47";
        QTest::newRow("length shown unrounded")
            << 100.f << 12.5f << 10.f << 0.6f << 5.f << 5.f << 2 << 1 << "77.5"
            << "4.9";
        QTest::newRow("spacings equal to the sides: perimeter alone")
            << 100.f << 20.f << 10.f << 0.6f << 20.f << 10.f << 0 << 0 << "60"
            << "4.58";
        QTest::newRow("spacings beyond the sides: perimeter alone")
            << 100.f << 20.f << 10.f << 0.6f << 50.f << 30.f << 0 << 0 << "60"
            << "4.58";
        // IEEE Std 80-2013, Annex B: 1540 m of conductor and 2.78 ohm.
        QTest::newRow("IEEE Std 80 worked grid")
            << 400.f << 70.f << 70.f << 0.5f << 7.f << 7.f << 9 << 9 << "1540"
            << "2.78";
    }

    void grid() {
        QFETCH(float, rho);
        QFETCH(float, a);
        QFETCH(float, b);
        QFETCH(float, h);
        QFETCH(float, sx);
        QFETCH(float, sy);
        QFETCH(int, nx);
        QFETCH(int, ny);
        QFETCH(QString, length);
        QFETCH(QString, resistance);
        const std::optional<MeshConductors> inner = countMeshConductors(a, b, sx, sy);
        QVERIFY(inner.has_value());
        QCOMPARE(inner->horizontal, nx);
        QCOMPARE(inner->vertical, ny);
        MeshGridRecord record{rho, a, b, h, sx, sy};
        calculateMeshGrid(record);
        QCOMPARE(shown(record.totalLength), length);
        QCOMPARE(shown(record.resistance), resistance);
    }

    void noGrid_data() {
        const float inf = std::numeric_limits<float>::infinity();
        QTest::addColumn<float>("a");
        QTest::addColumn<float>("sx");
        QTest::newRow("all zero, as the form opens") << 0.f << 0.f;
        QTest::newRow("zero spacing") << 20.f << 0.f;
        QTest::newRow("zero side") << 0.f << 5.f;
        QTest::newRow("negative spacing") << 20.f << -5.f;
        QTest::newRow("negative side") << -20.f << 5.f;
        QTest::newRow("infinite side") << inf << 5.f;
        QTest::newRow("NaN spacing") << 20.f << std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("more conductors than an int counts") << 3e38f << 1e-30f;
    }

    // No grid: no counts and no length or resistance, never a number made up.
    void noGrid() {
        QFETCH(float, a);
        QFETCH(float, sx);
        QVERIFY(!countMeshConductors(a, 10, sx, 5).has_value());
        MeshGridRecord record{100, a, 10, 0.6f, sx, 5};
        calculateMeshGrid(record);
        QCOMPARE(shown(record.totalLength), QStringLiteral("n/a"));
        QCOMPARE(shown(record.resistance), QStringLiteral("n/a"));
    }

    // What tav-calc refuses before calculating; the form calculates it as the design does.
    void inputRefusals_data() {
        QTest::addColumn<QList<float>>("inputs"); // rho, a, b, h, sx, sy
        QTest::addColumn<QString>("reason");      // empty: accepted
        const float inf = std::numeric_limits<float>::infinity();
        QTest::newRow("20 x 10 m") << QList<float>{100, 20, 10, 0.6f, 5, 5} << "";
        QTest::newRow("resistivity -100")
            << QList<float>{-100, 20, 10, 0.6f, 5, 5}
            << "the soil resistivity must be a positive finite number, not -100";
        QTest::newRow("resistivity 0")
            << QList<float>{0, 20, 10, 0.6f, 5, 5} << "the soil resistivity";
        QTest::newRow("side 0") << QList<float>{100, 0, 10, 0.6f, 5, 5} << "the horizontal length";
        QTest::newRow("infinite side")
            << QList<float>{100, 20, inf, 0.6f, 5, 5} << "the vertical length";
        QTest::newRow("depth -1") << QList<float>{100, 20, 10, -1, 5, 5} << "the burial depth";
        QTest::newRow("spacing 0")
            << QList<float>{100, 20, 10, 0.6f, 0, 5} << "the horizontal spacing";
        QTest::newRow("negative spacing")
            << QList<float>{100, 20, 10, 0.6f, 5, -5} << "the vertical spacing";
        QTest::newRow("more conductors than an int counts")
            << QList<float>{100, 3e38f, 10, 0.6f, 1e-30f, 5} << "beyond the range";
    }

    void inputRefusals() {
        QFETCH(QList<float>, inputs);
        QFETCH(QString, reason);
        const MeshGridRecord record{inputs[0], inputs[1], inputs[2],
                                    inputs[3], inputs[4], inputs[5]};
        const std::optional<Refusal> refusal = meshGridInputRefusal(record);
        QCOMPARE(refusal.has_value(), !reason.isEmpty());
        if (refusal)
            QVERIFY2(shippedWording().refusal(*refusal).contains(reason),
                     qPrintable(shippedWording().refusal(*refusal)));
    }

    void depthAndResistivityAreNotChecked() {
        MeshGridRecord record{0, 20, 10, -1, 5, 5}; // u h + 1 < 0 still gives a value
        calculateMeshGrid(record);
        QCOMPARE(shown(record.totalLength), QStringLiteral("110"));
        QCOMPARE(shown(record.resistance), QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestMeshGrid)
#include "tst_meshgrid.moc"
