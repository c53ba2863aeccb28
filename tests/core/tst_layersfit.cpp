// The fit of one to five horizontal layers to Wenner and Schlumberger soundings: what it
// refuses, the soils it recovers from soundings made through the forward model (held
// against a direct quadrature in tst_layeredsoil), its misfit under noise against the
// true soil's, and the count of layers it chooses.
#include "core/soilmodel/LayersFit.h"
#include "core/soilmodel/ParallelRuns.h"
#include "core/soilmodel/SoilModelFit.h"

#include <QtTest>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <new>
#include <vector>

using namespace tav;

namespace {

using Values = QList<double>;

// Seventeen spacings from 0.5 to 100 m, about evenly in ln a.
const Values kSpacings = {0.5, 0.7, 1, 1.5, 2, 3, 4, 5, 7, 10, 15, 20, 30, 40, 50, 70, 100};

LayeredSoil soil(const Values &rho, const Values &h) {
    return {std::vector<double>(rho.begin(), rho.end()), std::vector<double>(h.begin(), h.end())};
}

// A Wenner sounding, or a Schlumberger one with MN/2 a tenth of AB/2, of the soil at these
// spacings (a or AB/2).
std::vector<SoundingReading> sounding(const LayeredSoil &s, bool schlumberger,
                                      const Values &spacings = kSpacings) {
    std::vector<SoundingReading> readings;
    for (const double a : spacings) {
        SoundingReading r{schlumberger ? SoundingArray::Schlumberger : SoundingArray::Wenner, a,
                          schlumberger ? a / 10 : 0, 0};
        r.resistivity = s.apparentResistivity(r);
        readings.push_back(r);
    }
    return readings;
}

// Each reading times 1 + 0.01 z, z standard normal from a fixed seed: Box-Muller over
// Knuth's MMIX linear congruential generator, the same on every platform.
void addNoise(std::vector<SoundingReading> &readings, std::uint64_t seed) {
    std::uint64_t state = seed;
    const auto uniform = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return (static_cast<double>(state >> 11) + 0.5) / 9007199254740992.0;
    };
    for (SoundingReading &r : readings) {
        const double z = std::sqrt(-2 * std::log(uniform())) * std::cos(2 * M_PI * uniform());
        r.resistivity *= 1 + 0.01 * z;
    }
}

double rmsPercent(const LayeredSoil &s, const std::vector<SoundingReading> &readings) {
    double sum = 0;
    for (const SoundingReading &r : readings) {
        const double e = s.apparentResistivity(r) / r.resistivity - 1;
        sum += e * e;
    }
    return 100 * std::sqrt(sum / static_cast<double>(readings.size()));
}

bool near(double actual, double expected, double relative) {
    return std::abs(actual / expected - 1) <= relative;
}

} // namespace

class TestLayersFit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusals_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<int>("readings");
        QTest::addColumn<double>("halfPotential"); // of the first reading; 0: Wenner
        QTest::addColumn<int>("error");
        QTest::newRow("no layer") << 0 << 10 << 0. << int(Error::LayerCountOutOfRange);
        QTest::newRow("six layers") << 6 << 20 << 0. << int(Error::LayerCountOutOfRange);
        QTest::newRow("three layers on five readings")
            << 3 << 5 << 0. << int(Error::TooFewReadingsForLayers);
        QTest::newRow("five layers on nine readings")
            << 5 << 9 << 0. << int(Error::TooFewReadingsForLayers);
        // Too few said of the layers asked for, or of any sounding: never of a two-layer fit.
        QTest::newRow("two readings") << 1 << 2 << 0. << int(Error::TooFewReadingsForSounding);
        QTest::newRow("five layers on two readings")
            << 5 << 2 << 0. << int(Error::TooFewReadingsForLayers);
        QTest::newRow("501 readings") << 2 << 501 << 0. << int(Error::TooManyReadings);
        QTest::newRow("MN/2 equal to AB/2")
            << 2 << 10 << 0.5 << int(Error::PotentialSpacingNotBelowCurrent);
        QTest::newRow("MN/2 beyond AB/2")
            << 2 << 10 << 0.8 << int(Error::PotentialSpacingNotBelowCurrent);
        QTest::newRow("MN/2 negative")
            << 2 << 10 << -0.1 << int(Error::PotentialSpacingNotPositive);
        QTest::newRow("MN/2 not a number")
            << 2 << 10 << std::nan("") << int(Error::PotentialSpacingNotPositive);
    }
    void refusals() {
        QFETCH(int, layers);
        QFETCH(int, readings);
        QFETCH(double, halfPotential);
        QFETCH(int, error);
        std::vector<SoundingReading> sounding;
        for (int i = 0; i < readings; ++i)
            sounding.push_back({SoundingArray::Wenner, 0.5 * (i + 1), 0, 100.0 + i});
        if (halfPotential != 0)
            sounding.front() = {SoundingArray::Schlumberger, 0.5, halfPotential, 100};
        const Refusable<LayersFit> fit = fitLayers(sounding, layers);
        QVERIFY(fit.refused());
        QCOMPARE(int(fit.refusal().error), error);
    }

    // What a fit's run throws on any of the threads (memory it could not have) reaches the
    // caller once every thread has ended, rather than end the program.
    void failureOnAnyThread_data() {
        QTest::addColumn<std::size_t>("failing"); // the run that throws
        QTest::newRow("the first run") << std::size_t(0);
        QTest::newRow("the last run") << std::size_t(63);
    }
    void failureOnAnyThread() {
        QFETCH(std::size_t, failing);
        std::atomic<int> ran{0};
        bool thrown = false;
        try {
            parallelRuns(64, [&](std::size_t i) {
                ++ran;
                if (i == failing)
                    throw std::bad_alloc();
            });
        } catch (const std::bad_alloc &) {
            thrown = true;
        }
        QVERIFY(thrown);
        QVERIFY(ran.load() >= 1 && ran.load() <= 64);
    }

    // WennerReadings::refusal's checks hold, and a Schlumberger sounding may read one AB/2
    // with two MN/2, as field crews do when they move the potential electrodes.
    void readingChecks() {
        std::vector<SoundingReading> s = {{SoundingArray::Wenner, 1, 0, 100},
                                          {SoundingArray::Wenner, 2, 0, -5},
                                          {SoundingArray::Wenner, 3, 0, 100}};
        QCOMPARE(int(fitLayers(s, 1).refusal().error), int(Error::ReadingResistivityNotPositive));
        s[1] = {SoundingArray::Wenner, 1, 0, 100};
        QCOMPARE(int(fitLayers(s, 1).refusal().error), int(Error::SameSpacingTwice));
        s[1] = {SoundingArray::Wenner, 2e4, 0, 100};
        QCOMPARE(int(fitLayers(s, 1).refusal().error), int(Error::ReadingSpacingOutOfRange));
        s = {{SoundingArray::Schlumberger, 10, 1, 100},
             {SoundingArray::Schlumberger, 10, 3, 101},
             {SoundingArray::Schlumberger, 20, 3, 102}};
        QVERIFY(!fitLayers(s, 1).refused());
        s[1].halfPotentialSpacing = 1;
        QCOMPARE(int(fitLayers(s, 1).refusal().error), int(Error::SameSpacingTwice));
    }

    // Exact soundings of three layers of each type: rho_1, h_1 and rho_3 within 3 %, the
    // middle layer's conductance h/rho (H, Q) or transverse resistance h rho (K, A) within
    // 5 %, the RMS error below 0.3 %.
    void threeLayers_data() {
        QTest::addColumn<Values>("rho");
        QTest::addColumn<Values>("h");
        QTest::addColumn<bool>("schlumberger");
        QTest::addColumn<bool>("conductance");
        QTest::newRow("H, 300/100/600, 2 and 8 m, Wenner")
            << Values{300, 100, 600} << Values{2, 8} << false << true;
        QTest::newRow("K, 100/1000/50, 1 and 5 m, Wenner")
            << Values{100, 1000, 50} << Values{1, 5} << false << false;
        QTest::newRow("A, 50/200/2000, 2 and 6 m, Wenner")
            << Values{50, 200, 2000} << Values{2, 6} << false << false;
        QTest::newRow("Q, 2000/300/20, 1 and 4 m, Wenner")
            << Values{2000, 300, 20} << Values{1, 4} << false << true;
        QTest::newRow("H, 300/100/600, 2 and 8 m, Schlumberger")
            << Values{300, 100, 600} << Values{2, 8} << true << true;
        QTest::newRow("K, 100/1000/50, 1 and 5 m, Schlumberger")
            << Values{100, 1000, 50} << Values{1, 5} << true << false;
    }
    void threeLayers() {
        QFETCH(Values, rho);
        QFETCH(Values, h);
        QFETCH(bool, schlumberger);
        QFETCH(bool, conductance);
        const Refusable<LayersFit> fit = fitLayers(sounding(soil(rho, h), schlumberger), 3);
        QVERIFY(!fit.refused());
        const LayeredSoil &s = fit.result().soil;
        QVERIFY2(fit.result().rmsPercent < 0.3,
                 qPrintable(QString::number(fit.result().rmsPercent)));
        QVERIFY2(near(s.resistivities[0], rho[0], 0.03),
                 qPrintable(QString::number(s.resistivities[0])));
        QVERIFY2(near(s.thicknesses[0], h[0], 0.03), qPrintable(QString::number(s.thicknesses[0])));
        QVERIFY2(near(s.resistivities[2], rho[2], 0.03),
                 qPrintable(QString::number(s.resistivities[2])));
        const double product = conductance ? s.thicknesses[1] / s.resistivities[1]
                                           : s.thicknesses[1] * s.resistivities[1];
        const double expected = conductance ? h[1] / rho[1] : h[1] * rho[1];
        QVERIFY2(near(product, expected, 0.05), qPrintable(QString::number(product)));
    }

    // Under 1 % noise no count's fit explains the readings worse than the true soil does:
    // the search found the lowest point it had to.
    void noise_data() {
        QTest::addColumn<Values>("rho");
        QTest::addColumn<Values>("h");
        QTest::addColumn<bool>("schlumberger");
        QTest::addColumn<int>("seed");
        QTest::newRow("uniform") << Values{150} << Values{} << false << 1;
        QTest::newRow("two layers, Wenner") << Values{100, 400} << Values{3} << false << 2;
        QTest::newRow("two layers, Schlumberger") << Values{400, 60} << Values{5} << true << 3;
        QTest::newRow("H") << Values{300, 100, 600} << Values{2, 8} << false << 4;
        QTest::newRow("K") << Values{100, 1000, 50} << Values{1, 5} << false << 5;
        QTest::newRow("A") << Values{50, 200, 2000} << Values{2, 6} << false << 6;
        QTest::newRow("Q") << Values{2000, 300, 20} << Values{1, 4} << false << 7;
        QTest::newRow("four layers") << Values{100, 20, 300, 50} << Values{1, 3, 10} << false << 8;
    }
    void noise() {
        QFETCH(Values, rho);
        QFETCH(Values, h);
        QFETCH(bool, schlumberger);
        QFETCH(int, seed);
        const LayeredSoil truth = soil(rho, h);
        std::vector<SoundingReading> readings = sounding(truth, schlumberger);
        addNoise(readings, static_cast<std::uint64_t>(seed));
        const double trueRms = rmsPercent(truth, readings);
        const Refusable<LayersFit> fit = fitLayers(readings, rho.size());
        QVERIFY(!fit.refused());
        QVERIFY2(fit.result().rmsPercent <= trueRms * (1 + 1e-9),
                 qPrintable(QString("%1 against %2").arg(fit.result().rmsPercent).arg(trueRms)));
        // What the fit reports is its soil's misfit.
        QVERIFY(near(rmsPercent(fit.result().soil, readings), fit.result().rmsPercent, 1e-9));
    }

    void count_data() {
        QTest::addColumn<Values>("rho");
        QTest::addColumn<Values>("h");
        QTest::addColumn<bool>("schlumberger");
        QTest::addColumn<int>("seed");
        QTest::newRow("uniform") << Values{150} << Values{} << false << 11;
        QTest::newRow("two layers") << Values{100, 400} << Values{3} << false << 12;
        QTest::newRow("three layers, H") << Values{300, 100, 600} << Values{2, 8} << false << 13;
        QTest::newRow("three layers, K, Schlumberger")
            << Values{100, 1000, 50} << Values{1, 5} << true << 14;
    }
    void count() {
        QFETCH(Values, rho);
        QFETCH(Values, h);
        QFETCH(bool, schlumberger);
        QFETCH(int, seed);
        std::vector<SoundingReading> readings = sounding(soil(rho, h), schlumberger);
        addNoise(readings, static_cast<std::uint64_t>(seed));
        const Refusable<LayerCountChoice> choice = chooseLayerCount(readings);
        QVERIFY(!choice.refused());
        const LayerCountChoice &c = choice.result();
        QCOMPARE(c.layers, int(rho.size()));
        // Every count's fit is kept to show the choice, each no worse than the one below.
        QCOMPARE(int(c.fits.size()), kMostCountedLayers);
        QCOMPARE(c.tests.size(), c.fits.size() - 1);
        for (std::size_t i = 0; i + 1 < c.fits.size(); ++i)
            QVERIFY(c.fits[i + 1].rmsPercent <= c.fits[i].rmsPercent * (1 + 1e-9));
    }

    // Two layers under Wenner readings are today's two-layer fit, digit for digit.
    void twoLayersAsToday() {
        const Values spacings = {1, 2, 4, 6, 9, 12, 18, 24, 30};
        std::vector<WennerReading> wenner;
        const LayeredSoil truth{{120, 35}, {4}};
        for (const double a : spacings)
            wenner.push_back({a, truth.wennerResistivity(a) * (1 + 0.003 * std::sin(a))});
        const Refusable<SoilModel> today = fitSoilModel(wenner);
        const Refusable<LayersFit> fit = fitLayers(SoundingReadings::fromWenner(wenner), 2);
        QVERIFY(!today.refused() && !fit.refused() && today.result().layered);
        QCOMPARE(fit.result().soil.resistivities[0], today.result().soil.rho1);
        QCOMPARE(fit.result().soil.resistivities[1], today.result().soil.rho2);
        QCOMPARE(fit.result().soil.thicknesses[0], today.result().soil.h);
    }

    // One layer is the closed form rho = sum(1/m) / sum(1/m^2), by hand for readings of
    // 100, 200 and 100 ohm m: 0.025 / 0.000225 = 111.1 ohm m.
    void oneLayer() {
        const std::vector<SoundingReading> s = {{SoundingArray::Wenner, 1, 0, 100},
                                                {SoundingArray::Wenner, 2, 0, 200},
                                                {SoundingArray::Wenner, 3, 0, 100}};
        const Refusable<LayersFit> fit = fitLayers(s, 1);
        QVERIFY(!fit.refused());
        QVERIFY(near(fit.result().soil.resistivities[0], 0.025 / 0.000225, 1e-13));
    }
};

QTEST_APPLESS_MAIN(TestLayersFit)
#include "tst_layersfit.moc"
