// The potential of a point source in N layers, held against what does not go through it:
// the two-layer image series, a direct quadrature of its own written here, fewer layers
// where adjacent ones are alike, and reciprocity.
#include "core/earthing/EarthingInput.h"
#include "core/earthing/LayeredGreen.h"
#include "core/earthing/SoilImages.h"
#include "LayeredReference.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <vector>

using tav::earthing::LayeredGreen;
using layeredreference::directPotential;

Q_DECLARE_METATYPE(std::vector<double>)

namespace {

constexpr double kFourPi = 4 * M_PI;

// The image series' potential (ohm) of a point source, summed here from the images.
double imagePotential(const tav::earthing::SoilImages &images, double r, double z, double zs) {
    double sum = 0;
    for (const tav::earthing::Image &image : images.images(images.layerOf(z), images.layerOf(zs)))
        sum += image.weight / std::hypot(r, z - (image.alpha * zs + image.beta));
    return sum;
}

} // namespace

class TestLayeredGreen : public QObject {
    Q_OBJECT

private slots:
    void twoLayerImages_data();
    void twoLayerImages();
    void directQuadrature_data();
    void directQuadrature();
    void equalLayers_data();
    void equalLayers();
    void reciprocity_data();
    void reciprocity();
    void refusals();
};

void TestLayeredGreen::twoLayerImages_data() {
    QTest::addColumn<double>("rho1");
    QTest::addColumn<double>("rho2");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("z");
    QTest::addColumn<double>("zs");
    QTest::addColumn<double>("r");
    const double soils[][3] = {{100, 400, 2}, {400, 100, 2}, {50, 1000, 1.5}};
    // (z, zs): both above, observer above, observer below, both below, at the surface.
    const double pairs[][2] = {{0.5, 1.2}, {0.3, 3}, {3.5, 0.8}, {4, 6}, {0, 1}};
    const double distances[] = {0, 1e-3, 0.5, 5, 40};
    for (const auto &soil : soils) {
        const double h = soil[2];
        // Close to the interface on either side, and both on it, where the first images
        // come near the observer.
        const double near[][2] = {{h - 0.01, h + 0.01}, {h + 0.02, h - 0.005}, {h, h}};
        for (const auto &pair : pairs)
            for (const double r : distances)
                QTest::addRow("%g/%g h %g z %g zs %g r %g", soil[0], soil[1], h, pair[0], pair[1],
                              r)
                    << soil[0] << soil[1] << h << pair[0] << pair[1] << r;
        for (const auto &pair : near)
            for (const double r : distances)
                if (r > 0 || pair[0] != pair[1])
                    QTest::addRow("%g/%g h %g z %g zs %g r %g", soil[0], soil[1], h, pair[0],
                                  pair[1], r)
                        << soil[0] << soil[1] << h << pair[0] << pair[1] << r;
    }
}

void TestLayeredGreen::twoLayerImages() {
    QFETCH(double, rho1);
    QFETCH(double, rho2);
    QFETCH(double, h);
    QFETCH(double, z);
    QFETCH(double, zs);
    QFETCH(double, r);
    const bool used[2][2] = {{true, true}, {true, true}};
    const tav::earthing::SoilImages images(tav::earthing::EarthingSoil::twoLayer(rho1, rho2, h),
                                           100, used, 1e-14, 5000);
    const double expected = imagePotential(images, r, z, zs);
    const LayeredGreen green({rho1, rho2}, {h});
    const double got = green.potential(r, z, zs);
    QVERIFY2(std::abs(got - expected) <= 1e-6 * std::abs(expected),
             qPrintable(QString("G %1 images %2").arg(got, 0, 'g', 12).arg(expected, 0, 'g', 12)));
}

void TestLayeredGreen::directQuadrature_data() {
    QTest::addColumn<std::vector<double>>("rho");
    QTest::addColumn<std::vector<double>>("h");
    QTest::addColumn<double>("zs");
    QTest::addColumn<double>("r");
    const std::vector<double> rho3 = {100, 500, 50};
    const std::vector<double> h3 = {1.5, 4};
    const std::vector<double> rho4 = {300, 60, 1000, 150};
    const std::vector<double> h4 = {1, 3, 6};
    const double sources3[] = {0.75, 3.5, 8};
    const double sources4[] = {0.5, 2.5, 7, 13};
    const double distances[] = {1, 3, 10, 30, 50};
    for (const double zs : sources3)
        for (const double r : distances)
            QTest::addRow("three zs %g r %g", zs, r) << rho3 << h3 << zs << r;
    for (const double zs : sources4)
        for (const double r : distances)
            QTest::addRow("four zs %g r %g", zs, r) << rho4 << h4 << zs << r;
}

void TestLayeredGreen::directQuadrature() {
    QFETCH(std::vector<double>, rho);
    QFETCH(std::vector<double>, h);
    QFETCH(double, zs);
    QFETCH(double, r);
    const double expected = directPotential(rho, h, r, 0, zs);
    const double got = LayeredGreen(rho, h).potential(r, 0, zs);
    QVERIFY2(
        std::abs(got - expected) <= 1e-4 * std::abs(expected),
        qPrintable(QString("G %1 quadrature %2").arg(got, 0, 'g', 12).arg(expected, 0, 'g', 12)));
}

void TestLayeredGreen::equalLayers_data() {
    QTest::addColumn<std::vector<double>>("rho");
    QTest::addColumn<std::vector<double>>("h");
    QTest::addColumn<std::vector<double>>("fewerRho");
    QTest::addColumn<std::vector<double>>("fewerH");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("z");
    QTest::addColumn<double>("zs");
    struct Soil {
        const char *name;
        std::vector<double> rho, h, fewerRho, fewerH;
    };
    const Soil soils[] = {{"top split", {100, 100, 300}, {1, 2}, {100, 300}, {3}},
                          {"bottom split", {100, 300, 300}, {1, 2}, {100, 300}, {1}},
                          {"middle split", {200, 50, 50, 800}, {1, 1, 2}, {200, 50, 800}, {1, 3}}};
    const double points[][3] = {{0.01, 0.5, 0.7}, {2, 0, 1.5},  {2, 2.5, 0.5},
                                {10, 1.5, 5},     {30, 6, 6.5}, {0, 0.3, 2.2}};
    for (const Soil &soil : soils)
        for (const auto &p : points)
            QTest::addRow("%s r %g z %g zs %g", soil.name, p[0], p[1], p[2])
                << soil.rho << soil.h << soil.fewerRho << soil.fewerH << p[0] << p[1] << p[2];
}

void TestLayeredGreen::equalLayers() {
    QFETCH(std::vector<double>, rho);
    QFETCH(std::vector<double>, h);
    QFETCH(std::vector<double>, fewerRho);
    QFETCH(std::vector<double>, fewerH);
    QFETCH(double, r);
    QFETCH(double, z);
    QFETCH(double, zs);
    const double got = LayeredGreen(rho, h).potential(r, z, zs);
    const double expected = LayeredGreen(fewerRho, fewerH).potential(r, z, zs);
    QVERIFY2(std::abs(got - expected) <= 1e-9 * std::abs(expected),
             qPrintable(QString("G %1 fewer %2").arg(got, 0, 'g', 15).arg(expected, 0, 'g', 15)));
}

void TestLayeredGreen::reciprocity_data() {
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("z");
    QTest::addColumn<double>("zs");
    const double depths[] = {0, 0.5, 2.5, 7, 13};
    const double distances[] = {0.2, 2, 20};
    for (const double r : distances)
        for (const double z : depths)
            for (const double zs : depths)
                if (z < zs)
                    QTest::addRow("r %g z %g zs %g", r, z, zs) << r << z << zs;
}

void TestLayeredGreen::reciprocity() {
    QFETCH(double, r);
    QFETCH(double, z);
    QFETCH(double, zs);
    const LayeredGreen green({300, 60, 1000, 150}, {1, 3, 6});
    const double forth = green.potential(r, z, zs);
    const double back = green.potential(r, zs, z);
    QVERIFY2(std::abs(forth - back) <= 1e-9 * std::abs(forth),
             qPrintable(QString("%1 against %2").arg(forth, 0, 'g', 15).arg(back, 0, 'g', 15)));
}

void TestLayeredGreen::refusals() {
    QVERIFY(!LayeredGreen({100, 200}, {}).valid());
    QVERIFY(!LayeredGreen({100, -200}, {1}).valid());
    QVERIFY(!LayeredGreen({100, 200}, {0}).valid());
    QVERIFY(std::isnan(LayeredGreen({100, 200}, {1}).potential(1, -1, 0.5)));
    // One layer: the source and its mirror, (rho / 4 pi)(1/R + 1/R') written out.
    const double expected = 100 / kFourPi * (1 / std::hypot(3.0, 1.0) + 1 / std::hypot(3.0, 3.0));
    QCOMPARE(LayeredGreen({100}, {}).potential(3, 1, 2), expected);
}

QTEST_APPLESS_MAIN(TestLayeredGreen)
#include "tst_layeredgreen.moc"
