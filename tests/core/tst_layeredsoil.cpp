// The soil of horizontal layers: its apparent resistivity under the Wenner and
// Schlumberger arrays, held against a direct quadrature of the Hankel integral written
// here, against the image series of two layers, and against the limits every layered
// soil meets.
#include "core/soilmodel/LayeredSensitivity.h"
#include "core/soilmodel/LayeredSoil.h"
#include "core/soilmodel/TwoLayerSoil.h"
#include "core/soilmodel/VectorState.h"

#include <QtTest>

#include <math.h> // j0: glibc's Bessel function, eight times faster than std::cyl_bessel_j

#include <cmath>
#include <vector>

using namespace tav;

namespace {

using Values = QList<double>;

LayeredSoil soil(const Values &rho, const Values &h) {
    return {std::vector<double>(rho.begin(), rho.end()), std::vector<double>(h.begin(), h.end())};
}

// T(lambda) by Pekeris' recursion as the textbooks print it (Koefoed, 1979, eq. 2.23), with
// tanh itself: accurate in absolute terms, which is all the quadrature below needs.
double textbookTransform(const LayeredSoil &s, double lambda) {
    double t = s.resistivities.back();
    for (std::size_t i = s.thicknesses.size(); i-- > 0;) {
        const double rho = s.resistivities[i];
        const double th = std::tanh(lambda * s.thicknesses[i]);
        t = rho * (t + rho * th) / (rho + t * th);
    }
    return t;
}

// Nodes and weights of 16-point Gauss-Legendre on [-1, 1], by Newton's method on P16.
struct Gauss {
    double x[16];
    double w[16];
    Gauss() {
        const int n = 16;
        for (int i = 0; i < n; ++i) {
            double z = std::cos(M_PI * (i + 0.75) / (n + 0.5));
            double dp = 0;
            for (int it = 0; it < 100; ++it) {
                double p0 = 1;
                double p1 = z;
                for (int k = 2; k <= n; ++k) {
                    const double p2 = ((2 * k - 1) * z * p1 - (k - 1) * p0) / k;
                    p0 = p1;
                    p1 = p2;
                }
                dp = n * (z * p1 - p0) / (z * z - 1);
                const double dz = p1 / dp;
                z -= dz;
                if (std::abs(dz) < 1e-16)
                    break;
            }
            x[i] = z;
            w[i] = 2 / ((1 - z * z) * dp * dp);
        }
    }
};

// rho_1 + g times the integral over lambda of (T - rho_1) [J0(lambda r1) - J0(lambda r2)],
// in panels no wider than half a period of J0(lambda r2) and than half the scale 1/(2 D)
// on which T changes, up to where T - rho_1 has fallen below exp(-30) of itself.
double directApparent(const LayeredSoil &s, double r1, double r2, double g) {
    static const Gauss gauss;
    double depth = 0;
    for (const double h : s.thicknesses)
        depth += h;
    const double rho1 = s.resistivities.front();
    const double end = 15 / s.thicknesses.front();
    const double width = std::min(M_PI / r2, 0.25 / depth);
    double sum = 0;
    for (double left = 0; left < end; left += width) {
        double panel = 0;
        for (int i = 0; i < 16; ++i) {
            const double lambda = left + width / 2 * (1 + gauss.x[i]);
            panel += gauss.w[i] * (textbookTransform(s, lambda) - rho1) *
                     (::j0(lambda * r1) - ::j0(lambda * r2));
        }
        sum += panel * width / 2;
    }
    return rho1 + g * sum;
}

double directWenner(const LayeredSoil &s, double a) {
    return directApparent(s, a, 2 * a, 2 * a);
}

double directSchlumberger(const LayeredSoil &s, double big, double small) {
    return directApparent(s, big - small, big + small, (big * big - small * small) / (2 * small));
}

double relative(double actual, double expected) {
    return std::abs(actual / expected - 1);
}

} // namespace

class TestLayeredSoil : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The quadrature below runs ten times as long on the AVX state Qt's runner leaves.
    void init() { clearUpperVectorState(); }

    void soils_data() {
        QTest::addColumn<Values>("rho");
        QTest::addColumn<Values>("h");
        QTest::newRow("H: 300/100/600, 2 and 8 m") << Values{300, 100, 600} << Values{2, 8};
        QTest::newRow("K: 100/1000/50, 1 and 5 m") << Values{100, 1000, 50} << Values{1, 5};
        QTest::newRow("A: 50/200/2000, 3 and 10 m") << Values{50, 200, 2000} << Values{3, 10};
        QTest::newRow("Q: 2000/300/20, 1 and 4 m") << Values{2000, 300, 20} << Values{1, 4};
        QTest::newRow("two layers, 1e3 up") << Values{10, 1e4} << Values{2};
        QTest::newRow("two layers, 1e4 up") << Values{1, 1e4} << Values{2};
        QTest::newRow("two layers, 1e4 down") << Values{1e4, 1} << Values{2};
        QTest::newRow("thin conductor, 1e4 between") << Values{1000, 0.1, 1000} << Values{5, 0.5};
        QTest::newRow("thin resistor, 1e4 between") << Values{10, 1e5, 10} << Values{5, 0.5};
        QTest::newRow("four layers") << Values{80, 400, 30, 800} << Values{1.5, 4, 12};
        QTest::newRow("five layers") << Values{500, 50, 2000, 100, 5000} << Values{0.7, 3, 2, 20};
    }

    // The filter against the quadrature, spacings from a hundredth of the top layer to a
    // thousand times the depth of the last boundary: 1e-4 of the value at least.
    void wennerAgainstQuadrature_data() { soils_data(); }
    void wennerAgainstQuadrature() {
        QFETCH(Values, rho);
        QFETCH(Values, h);
        const LayeredSoil s = soil(rho, h);
        double depth = 0;
        for (const double t : h)
            depth += t;
        double worst = 0;
        for (const double a : {0.01 * h[0], 0.3 * h[0], h[0], depth, 10 * depth, 1000 * depth}) {
            const double error = relative(s.filteredWennerResistivity(a), directWenner(s, a));
            worst = std::max(worst, error);
            QVERIFY2(error < 1e-4, qPrintable(QString("a = %1 m: %2").arg(a).arg(error)));
        }
        qInfo("worst relative difference %.2g", worst);
    }

    void schlumbergerAgainstQuadrature_data() { soils_data(); }
    void schlumbergerAgainstQuadrature() {
        QFETCH(Values, rho);
        QFETCH(Values, h);
        const LayeredSoil s = soil(rho, h);
        double depth = 0;
        for (const double t : h)
            depth += t;
        double worst = 0;
        for (const double big : {0.01 * h[0], 2 * h[0], 10 * depth, 1000 * depth})
            for (const double ratio : {0.05, 0.5}) {
                const double small = ratio * big;
                const double error = relative(s.schlumbergerResistivity(big, small),
                                              directSchlumberger(s, big, small));
                worst = std::max(worst, error);
                QVERIFY2(
                    error < 1e-4,
                    qPrintable(
                        QString("AB/2 = %1 m, MN/2 = %2 m: %3").arg(big).arg(small).arg(error)));
            }
        qInfo("worst relative difference %.2g", worst);
    }

    // Two layers by the filter against the image series, whose closed form owes nothing
    // to it; and the Wenner value itself is the image series', digit for digit.
    void twoLayersAgainstImages_data() {
        QTest::addColumn<double>("rho1");
        QTest::addColumn<double>("rho2");
        QTest::addColumn<double>("h");
        QTest::newRow("100 over 300, 2 m") << 100. << 300. << 2.;
        QTest::newRow("10 over 1e4, 1 m") << 10. << 1e4 << 1.;
        QTest::newRow("1e4 over 1, 3 m") << 1e4 << 1. << 3.;
        QTest::newRow("100 over 50, 0.2 m") << 100. << 50. << 0.2;
    }
    void twoLayersAgainstImages() {
        QFETCH(double, rho1);
        QFETCH(double, rho2);
        QFETCH(double, h);
        const LayeredSoil s{{rho1, rho2}, {h}};
        const TwoLayerSoil images{rho1, rho2, h};
        for (double a = 0.01 * h; a < 2000 * h; a *= 3) {
            const double series = images.wennerResistivity(a);
            QCOMPARE(s.wennerResistivity(a), series);
            const double error = relative(s.filteredWennerResistivity(a), series);
            QVERIFY2(error < 1e-5, qPrintable(QString("a = %1 m: %2").arg(a).arg(error)));
        }
    }

    // Where the filter alone falls short: a basement 1e4 times as resistive as the top
    // layer, read from a hundredth of the top layer, whose transform changes near
    // lambda = 1e-4/h, below the filter's reach (it missed by 2e-3). The Bessel series
    // taken near the electrodes meets the image series.
    void resistiveBasement() {
        const LayeredSoil s{{1, 1e4}, {2}};
        const TwoLayerSoil images{1, 1e4, 2};
        for (const double a : {0.02, 0.2, 0.9}) {
            const double error =
                relative(s.filteredWennerResistivity(a), images.wennerResistivity(a));
            QVERIFY2(error < 1e-6, qPrintable(QString("a = %1 m: %2").arg(a).arg(error)));
        }
    }

    // The series near the electrodes and the filter beyond meet where one gives way to
    // the other, r2 = h1.
    void seriesMeetsFilter_data() { soils_data(); }
    void seriesMeetsFilter() {
        QFETCH(Values, rho);
        QFETCH(Values, h);
        const LayeredSoil s = soil(rho, h);
        const double below = s.filteredWennerResistivity(h[0] / 2 * (1 - 1e-9));
        const double above = s.filteredWennerResistivity(h[0] / 2 * (1 + 1e-9));
        QVERIFY2(relative(below, above) < 1e-5,
                 qPrintable(QString::number(relative(below, above))));
    }

    // One layer, or layers of one resistivity, are the uniform soil exactly.
    void uniform() {
        const LayeredSoil one{{123.5}, {}};
        const LayeredSoil alike{{70, 70, 70}, {1, 4}};
        for (const double a : {0.01, 1.0, 37.0, 5000.0}) {
            QCOMPARE(one.wennerResistivity(a), 123.5);
            QCOMPARE(one.schlumbergerResistivity(a, a / 5), 123.5);
            QCOMPARE(alike.wennerResistivity(a), 70.0);
            QCOMPARE(alike.schlumbergerResistivity(a, a / 5), 70.0);
        }
        QCOMPARE(one.transform(0.3), 123.5);
    }

    // A spacing far below the top layer reads rho_1, one far beyond the last boundary
    // rho_N (beyond it by the contrast again, as the image series of two layers approach
    // rho_2 as h/(a (1 - K))); the transform runs from rho_N at lambda = 0 to rho_1.
    void limits_data() { soils_data(); }
    void limits() {
        QFETCH(Values, rho);
        QFETCH(Values, h);
        const LayeredSoil s = soil(rho, h);
        double depth = 0;
        for (const double t : h)
            depth += t;
        const double tiny = 1e-5 * h[0];
        const double huge = 1e8 * depth;
        QVERIFY(relative(s.wennerResistivity(tiny), rho.front()) < 1e-6);
        QVERIFY(relative(s.schlumbergerResistivity(tiny, tiny / 10), rho.front()) < 1e-6);
        QVERIFY(relative(s.wennerResistivity(huge), rho.back()) < 1e-4);
        QVERIFY(relative(s.schlumbergerResistivity(huge, huge / 10), rho.back()) < 1e-4);
        QVERIFY(relative(s.transform(0), rho.back()) < 1e-14);
        QVERIFY(relative(s.transform(100 / h[0]), rho.front()) < 1e-12);
    }

    // The derivatives against central differences of the value in each log parameter.
    void sensitivity_data() {
        QTest::addColumn<Values>("rho");
        QTest::addColumn<Values>("h");
        QTest::addColumn<double>("spacing");
        QTest::addColumn<double>("halfPotential"); // 0: Wenner
        QTest::newRow("H, Wenner 5 m") << Values{300, 100, 600} << Values{2, 8} << 5. << 0.;
        QTest::newRow("K, Schlumberger 20/2 m")
            << Values{100, 1000, 50} << Values{1, 5} << 20. << 2.;
        QTest::newRow("four layers, Wenner 0.3 m")
            << Values{80, 400, 30, 800} << Values{1.5, 4, 12} << 0.3 << 0.;
        QTest::newRow("two layers, Wenner 40 m") << Values{100, 20} << Values{3} << 40. << 0.;
        QTest::newRow("near: Wenner at h/5000")
            << Values{100, 300, 10} << Values{5, 5} << 1e-3 << 0.;
    }
    void sensitivity() {
        QFETCH(Values, rho);
        QFETCH(Values, h);
        QFETCH(double, spacing);
        QFETCH(double, halfPotential);
        const LayeredSoil s = soil(rho, h);
        const SoundingReading reading{halfPotential > 0 ? SoundingArray::Schlumberger
                                                        : SoundingArray::Wenner,
                                      spacing, halfPotential, 0};
        std::vector<double> gradient;
        const double value = LayeredSensitivity::apparent(s, reading, gradient);
        const auto byFilter = [&reading](const LayeredSoil &t) {
            return reading.array == SoundingArray::Wenner
                       ? t.filteredWennerResistivity(reading.spacing)
                       : t.schlumbergerResistivity(reading.spacing, reading.halfPotentialSpacing);
        };
        QVERIFY(relative(value, byFilter(s)) < 1e-14);
        const auto layers = static_cast<std::size_t>(rho.size());
        QCOMPARE(gradient.size(), 2 * layers - 1);
        const double step = 1e-5;
        for (std::size_t k = 0; k < gradient.size(); ++k) {
            LayeredSoil up = s;
            LayeredSoil down = s;
            double &u = k < layers ? up.resistivities[k] : up.thicknesses[k - layers];
            double &d = k < layers ? down.resistivities[k] : down.thicknesses[k - layers];
            u *= std::exp(step);
            d *= std::exp(-step);
            const double central = (byFilter(up) - byFilter(down)) / (2 * step);
            QVERIFY2(
                std::abs(gradient[k] - central) <= 1e-6 * value + 1e-4 * std::abs(central),
                qPrintable(
                    QString("parameter %1: %2 against %3").arg(k).arg(gradient[k]).arg(central)));
        }
    }

    void invalid() {
        QVERIFY(std::isnan(LayeredSoil{{}, {}}.wennerResistivity(1)));
        QVERIFY(std::isnan(LayeredSoil{{10, 20}, {}}.wennerResistivity(1)));
        QVERIFY(std::isnan(LayeredSoil{{10, -20}, {1}}.wennerResistivity(1)));
        QVERIFY(std::isnan(LayeredSoil{{10, 20}, {1}}.wennerResistivity(0)));
        QVERIFY(std::isnan(LayeredSoil{{10, 20}, {1}}.schlumbergerResistivity(2, 2)));
    }
};

QTEST_APPLESS_MAIN(TestLayeredSoil)
#include "tst_layeredsoil.moc"
