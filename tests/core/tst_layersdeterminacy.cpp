// What the readings determine of a fitted soil of layers: each parameter's 95 % profile
// region, and the conductance or transverse resistance of a thin middle layer whose
// thickness and resistivity the readings leave free. Soundings are made through the
// forward model (held against a direct quadrature in tst_layeredsoil); the true soil
// supplies the expected values.
#include "core/soilmodel/LayersDeterminacy.h"

#include <QtTest>

#include <cmath>
#include <vector>

using namespace tav;

namespace {

using Values = QList<double>;

const Values kSpacings = {0.5, 0.7, 1, 1.5, 2, 3, 4, 5, 7, 10, 15, 20, 30, 40, 50, 70, 100};

LayeredSoil soil(const Values &rho, const Values &h) {
    return {std::vector<double>(rho.begin(), rho.end()), std::vector<double>(h.begin(), h.end())};
}

std::vector<SoundingReading> wenner(const LayeredSoil &s) {
    std::vector<SoundingReading> readings;
    for (const double a : kSpacings)
        readings.push_back({SoundingArray::Wenner, a, 0, s.wennerResistivity(a)});
    return readings;
}

bool contains(const Determination &d, double value) {
    return d.determined && *d.atLeast <= value && value <= *d.atMost;
}

} // namespace

class TestLayersDeterminacy : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Exact readings of a thick middle layer fix every parameter: each region holds the
    // true value and spans less than 1 % of it either way.
    void everyParameter() {
        const Values rho = {300, 100, 600};
        const Values h = {2, 8};
        const std::vector<SoundingReading> readings = wenner(soil(rho, h));
        const LayersFit fit = fitLayers(readings, 3).result();
        const LayersDeterminacy d = layersDeterminacy(readings, fit);
        QCOMPARE(int(d.resistivities.size()), 3);
        QCOMPARE(int(d.thicknesses.size()), 2);
        for (int i = 0; i < 3; ++i) {
            const Determination &r = d.resistivities[std::size_t(i)];
            QVERIFY2(contains(r, rho[i]), qPrintable(QString("rho %1").arg(i + 1)));
            QVERIFY(*r.atMost <= 1.01 * rho[i] && *r.atLeast >= 0.99 * rho[i]);
        }
        for (int i = 0; i < 2; ++i) {
            const Determination &t = d.thicknesses[std::size_t(i)];
            QVERIFY2(contains(t, h[i]), qPrintable(QString("h %1").arg(i + 1)));
            QVERIFY(*t.atMost <= 1.01 * h[i] && *t.atLeast >= 0.99 * h[i]);
        }
        for (const std::optional<LayerProduct> &p : d.products)
            QVERIFY(!p);
    }

    // A thin middle layer: its product within 5 % of the true one, its region holding it,
    // in place of a thickness and resistivity that are not firm.
    void thinMiddleLayer_data() {
        QTest::addColumn<Values>("rho");
        QTest::addColumn<Values>("h");
        QTest::addColumn<bool>("conductive");
        QTest::addColumn<double>("noise"); // relative amplitude of a fixed ripple
        QTest::newRow("conductor, 200/5/500, 5 and 0.2 m")
            << Values{200, 5, 500} << Values{5, 0.2} << true << 0.;
        QTest::newRow("resistor, 100/5000/80, 3 and 0.2 m")
            << Values{100, 5000, 80} << Values{3, 0.2} << false << 0.;
        QTest::newRow("resistor, 100/3000/80, 3 and 0.5 m, 1 % ripple")
            << Values{100, 3000, 80} << Values{3, 0.5} << false << 0.01;
    }
    void thinMiddleLayer() {
        QFETCH(Values, rho);
        QFETCH(Values, h);
        QFETCH(bool, conductive);
        QFETCH(double, noise);
        std::vector<SoundingReading> readings = wenner(soil(rho, h));
        for (std::size_t i = 0; i < readings.size(); ++i)
            readings[i].resistivity *= 1 + noise * std::sin(2.7 * double(i) + 0.4);
        const LayersFit fit = fitLayers(readings, 3).result();
        const LayersDeterminacy d = layersDeterminacy(readings, fit);
        const std::optional<LayerProduct> &p = d.products[1];
        QVERIFY(p.has_value());
        QCOMPARE(p->kind, conductive ? LayerProduct::Kind::Conductance
                                     : LayerProduct::Kind::TransverseResistance);
        const double expected = conductive ? h[1] / rho[1] : h[1] * rho[1];
        QVERIFY2(std::abs(p->value / expected - 1) < 0.05, qPrintable(QString::number(p->value)));
        QVERIFY(p->atLeast <= p->value && p->value <= p->atMost);
        QVERIFY2(p->atLeast <= expected && expected <= p->atMost,
                 qPrintable(QString("%1 to %2").arg(p->atLeast).arg(p->atMost)));
        // The outer layers stay firm: their regions hold the true values.
        QVERIFY(contains(d.resistivities[0], rho[0]));
        QVERIFY(contains(d.thicknesses[0], h[0]));
        QVERIFY(contains(d.resistivities[2], rho[2]));
    }

    // One layer, where the profile is the whole sum of squares and a parabola in rho:
    // S(rho) = S_min + (rho - rho_min)^2 sum(1/m^2), with rho_min = sum(1/m)/sum(1/m^2).
    // Its region ends where S reaches S_min (1 + F(1, 9)/9) + 10 (1e-4)^2, F(1, 9) = 5.117
    // from the tables; the ends as given are rounded outward to three digits.
    void oneLayer() {
        std::vector<SoundingReading> readings;
        double inverse = 0;
        double squares = 0;
        for (int i = 0; i < 10; ++i) {
            const double m = i % 2 ? 110.0 : 100.0;
            readings.push_back({SoundingArray::Wenner, 1.0 + i, 0, m});
            inverse += 1 / m;
            squares += 1 / (m * m);
        }
        const double rho = inverse / squares;
        double best = 0;
        for (const SoundingReading &r : readings)
            best += (rho / r.resistivity - 1) * (rho / r.resistivity - 1);
        const double tolerance = best * (1 + 5.117 / 9) + 10 * 1e-8;
        const double half = std::sqrt((tolerance - best) / squares);
        const LayersFit fit = fitLayers(readings, 1).result();
        QVERIFY(std::abs(fit.soil.resistivities[0] / rho - 1) < 1e-12);
        const LayersDeterminacy d = layersDeterminacy(readings, fit);
        QCOMPARE(int(d.resistivities.size()), 1);
        const Determination &r = d.resistivities[0];
        QVERIFY(r.determined);
        // Within 0.1 % inside each end (where the search stops), then down or up to the
        // next unit of the third digit.
        QVERIFY2(*r.atLeast > rho - half - 1.0 && *r.atLeast <= rho - half + 0.1,
                 qPrintable(QString("%1 against %2").arg(*r.atLeast).arg(rho - half)));
        QVERIFY2(*r.atMost < rho + half + 1.0 && *r.atMost >= rho + half - 0.1,
                 qPrintable(QString("%1 against %2").arg(*r.atMost).arg(rho + half)));
    }
};

QTEST_APPLESS_MAIN(TestLayersDeterminacy)
#include "tst_layersdeterminacy.moc"
