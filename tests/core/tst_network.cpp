// The current into the earth from the network of lines and cables that feeds a fault in the
// station: Carson's impedances against published figures, an endless line against its
// closed form, a cable against its two circuit equations, a mixed network against the
// same circuit written out wire by wire (tests/core/NetworkReference.h), the limits, and
// what is refused where.
#include "core/network/Carson.h"
#include "core/network/NetworkCheck.h"
#include "core/network/NetworkSolver.h"
#include "tests/core/NetworkReference.h"
#include "tests/support/ShippedWording.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace tav;
using namespace tav::network;
using Place = NetworkPlace;

Q_DECLARE_METATYPE(tav::network::Network)
Q_DECLARE_METATYPE(tav::network::Complex)
Q_DECLARE_METATYPE(tav::Error)
Q_DECLARE_METATYPE(tav::Quantity)
Q_DECLARE_METATYPE(tav::network::NetworkPlace::Branch)
Q_DECLARE_METATYPE(tav::network::NetworkPlace::Conductor)
Q_DECLARE_METATYPE(tav::network::NetworkPlace::Field)

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMile = 1.609344; // km
constexpr double kFoot = 0.3048;   // m

double relative(Complex a, Complex b) {
    return std::abs(a - b) / std::abs(b);
}

ReturnConductor given(Complex impedance, Complex mutual) {
    ReturnConductor c;
    c.given = true;
    c.impedance = impedance;
    c.mutual = mutual;
    return c;
}

ReturnConductor wire(double resistance, double gmr, double height, double offset) {
    ReturnConductor c;
    c.resistance = resistance;
    c.gmr = gmr;
    c.at = {height, offset};
    return c;
}

Line line(Complex current, std::optional<int> spans, double span, std::vector<double> towers,
          double remote, std::vector<ReturnConductor> wires) {
    Line l;
    l.name = "line";
    l.current = current;
    l.spans = spans;
    l.span = span;
    l.towerResistance = std::move(towers);
    l.remoteResistance = remote;
    l.earthWires = std::move(wires);
    return l;
}

Cable cable(Complex current, double length, double remote, ReturnConductor sheath) {
    Cable c;
    c.name = "cable";
    c.current = current;
    c.length = length;
    c.remoteResistance = remote;
    c.sheath = sheath;
    return c;
}

NetworkResult solved(const Network &n, Complex earthImpedance) {
    const Refusable<NetworkResult> r = NetworkSolver::solve(n, earthImpedance);
    if (r.refused())
        qFatal("refused: %s", qPrintable(shippedWording().refusal(r.refusal())));
    return r.result();
}

// Carson's impedances per km as Kersting writes them for 60 Hz and 100 ohm m, in ohm/mile
// with lengths in feet (Distribution System Modeling and Analysis, Eqs. 4.41 and 4.42).
Complex kerstingSelf(double resistancePerKm, double gmr) {
    return Complex(resistancePerKm * kMile + 0.09530,
                   0.12134 * (std::log(1 / (gmr / kFoot)) + 7.93402)) /
           kMile;
}

Complex kerstingMutual(double distance) {
    return Complex(0.09530, 0.12134 * (std::log(1 / (distance / kFoot)) + 7.93402)) / kMile;
}

} // namespace

class TestNetwork : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Kersting's Example 4.1 (336,400 26/7 ACSR phases of GMR 0.0244 ft and 0.306
    // ohm/mile, at 60 Hz over 100 ohm m): z_aa = 0.4013 + j1.4133, z_ab = 0.0953 + j0.8515
    // at 2.5 ft, z_ac = 0.0953 + j0.7266 at 7 ft, all ohm/mile.
    void publishedImpedances_data() {
        QTest::addColumn<bool>("self");
        QTest::addColumn<double>("feet"); // the GMR or the distance
        QTest::addColumn<Complex>("perMile");
        QTest::newRow("z_aa") << true << 0.0244 << Complex(0.4013, 1.4133);
        QTest::newRow("z_ab") << false << 2.5 << Complex(0.0953, 0.8515);
        QTest::newRow("z_ac") << false << 7.0 << Complex(0.0953, 0.7266);
    }

    void publishedImpedances() {
        QFETCH(bool, self);
        QFETCH(double, feet);
        QFETCH(Complex, perMile);
        const Complex perKm = self ? Carson::self(0.306 / kMile, feet * kFoot, 100, 60)
                                   : Carson::mutual(feet * kFoot, 100, 60);
        QVERIFY2(relative(perKm * kMile, perMile) < 2e-4,
                 qPrintable(QString("%1 %2").arg(perKm.real() * kMile).arg(perKm.imag() * kMile)));
    }

    // Carson's own series, its first terms, for a conductor h above the earth (SI units):
    // z = R + j omega mu0/(2 pi) ln(2h/gmr) + omega mu0/pi (P + jQ), P = pi/8,
    // Q = -0.0386 + ln(2/k)/2, k = 2h sqrt(omega mu0/rho): the low-frequency form's
    // equivalent depth must follow from it, at 50 Hz as at 60.
    void carsonFirstTerms_data() {
        QTest::addColumn<double>("rho");
        QTest::addColumn<double>("frequency");
        QTest::addColumn<double>("height");
        QTest::newRow("100 ohm m, 50 Hz, 30 m") << 100. << 50. << 30.;
        QTest::newRow("1000 ohm m, 60 Hz, 12 m") << 1000. << 60. << 12.;
        QTest::newRow("20 ohm m, 50 Hz, 45 m") << 20. << 50. << 45.;
    }

    void carsonFirstTerms() {
        QFETCH(double, rho);
        QFETCH(double, frequency);
        QFETCH(double, height);
        const double gmr = 0.005, resistance = 0.4; // ohm/km
        const double omegaMu = 2 * kPi * frequency * 4e-7 * kPi;
        const double k = 2 * height * std::sqrt(omegaMu / rho);
        const double P = kPi / 8, Q = -0.0386 + std::log(2 / k) / 2;
        const Complex perMetre = resistance / 1000 +
                                 Complex(0, omegaMu / (2 * kPi) * std::log(2 * height / gmr)) +
                                 omegaMu / kPi * Complex(P, Q);
        QVERIFY(relative(Carson::self(resistance, gmr, rho, frequency), perMetre * 1000.) < 1e-4);
    }

    // IEEE 80's and EN 50522's endless line alone: I_E = r I Z_inf / (Z_inf + Z_E),
    // Z_inf = z/2 + sqrt(z^2/4 + z R_t), z the span's impedance, r = 1 - z_m/z_s.
    void endlessLine_data() {
        QTest::addColumn<Complex>("zs"); // ohm/km
        QTest::addColumn<Complex>("zm"); // ohm/km
        QTest::addColumn<double>("span");
        QTest::addColumn<double>("tower");
        QTest::addColumn<Complex>("earthImpedance");
        QTest::addColumn<Complex>("current");
        QTest::newRow("steel-aluminium wire, 300 m spans")
            << Complex(0.45, 0.72) << Complex(0.05, 0.31) << 300. << 15. << Complex(0.5, 0)
            << Complex(3800, -900);
        QTest::newRow("steel wire, 15 ohm towers, 2 ohm station")
            << Complex(2.8, 0.9) << Complex(0.05, 0.33) << 350. << 15. << Complex(2, 0)
            << Complex(5000, 0);
        QTest::newRow("good wire, 1 ohm towers, 0.1 ohm station")
            << Complex(0.15, 0.65) << Complex(0.05, 0.35) << 250. << 1. << Complex(0.1, 0.02)
            << Complex(12000, 3000);
        QTest::newRow("high towers against a small station")
            << Complex(0.3, 0.7) << Complex(0.05, 0.3) << 400. << 200. << Complex(0.05, 0)
            << Complex(1000, 0);
    }

    void endlessLine() {
        QFETCH(Complex, zs);
        QFETCH(Complex, zm);
        QFETCH(double, span);
        QFETCH(double, tower);
        QFETCH(Complex, earthImpedance);
        QFETCH(Complex, current);
        Network n;
        n.lines = {line(current, std::nullopt, span, {tower}, 0, {given(zs, zm)})};
        const NetworkResult r = solved(n, earthImpedance);
        const Complex z = zs * (span / 1000), rf = 1. - zm / zs;
        const Complex chain = z / 2. + std::sqrt(z * z / 4. + z * tower);
        const Complex expected = rf * current * chain / (chain + earthImpedance);
        QVERIFY2(relative(r.earthCurrent, expected) < 1e-9,
                 qPrintable(QString::number(relative(r.earthCurrent, expected))));
        QVERIFY(relative(r.splitFactor, expected / current) < 1e-9);
        QVERIFY(relative(r.lines[0].reductionFactor, rf) < 1e-12);
        QVERIFY(relative(*r.lines[0].chainImpedance, chain) < 1e-12);
        QVERIFY(!r.lines[0].remoteRise);
        // The towers against a long line written out wire by wire, its far end at remote
        // earth, long enough that nothing of the far end comes back: what the station
        // imposes falls by |1 - z/Z_inf| a span, and its echo from the far end returns.
        const int spans =
            int(std::ceil(std::log(1e-12) / (2 * std::log(std::abs(1. - z / chain)))));
        reference::Circuit circuit;
        const reference::Solution s = circuit.solve(
            {{current, {zs}, {zm}, span / 1000, std::vector<double>(spans - 1, tower), 0}},
            earthImpedance);
        QCOMPARE(int(r.lines[0].towerPotentials.size()), NetworkSolver::kFirstTowers);
        for (int k = 0; k < NetworkSolver::kFirstTowers; ++k) {
            QVERIFY(relative(r.lines[0].towerPotentials[k], s.potentials[0][k]) < 1e-6);
            QVERIFY(relative(r.lines[0].towerCurrents[k], s.potentials[0][k] / tower) < 1e-6);
        }
    }

    // A cable alone, its sheath bonded at both ends: with I_s the sheath's current leaving
    // the station and I the core's, Z_E (I - I_s) - R_R (I_s - I) = z_s L I_s - z_m L I
    // gives I_s = I (Z_E + R_R + z_m L) / (Z_E + R_R + z_s L), and I_E = I - I_s.
    void cableAlone_data() {
        QTest::addColumn<bool>("fromRadius");
        QTest::addColumn<Complex>("zs");
        QTest::addColumn<Complex>("zm");
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("remote");
        QTest::addColumn<Complex>("earthImpedance");
        QTest::newRow("given, 3 km") << false << Complex(0.35, 0.62) << Complex(0.05, 0.58) << 3000.
                                     << 1.0 << Complex(0.5, 0.);
        QTest::newRow("given, 200 m to a good earth")
            << false << Complex(1.2, 0.7) << Complex(0.05, 0.66) << 200. << 0.1 << Complex(2., 0.3);
        // Carson at 50 Hz over 100 ohm m, written directly: D_e = 658.87 sqrt(100/50) m;
        // the sheath of 0.3 ohm/km at its mean radius of 0.03 m.
        const double de = 658.87 * std::sqrt(2.), x = 4 * kPi * 1e-4 * 50;
        const double re = kPi * kPi * 1e-4 * 50;
        QTest::newRow("a sheath of 0.3 ohm/km at 0.03 m")
            << true << Complex(0.3 + re, x * std::log(de / 0.03))
            << Complex(re, x * std::log(de / 0.03)) << 3000. << 1.0 << Complex(0.5, 0.);
    }

    void cableAlone() {
        QFETCH(bool, fromRadius);
        QFETCH(Complex, zs);
        QFETCH(Complex, zm);
        QFETCH(double, length);
        QFETCH(double, remote);
        QFETCH(Complex, earthImpedance);
        Network n;
        n.earthReturnRho = 100;
        ReturnConductor sheath = given(zs, zm);
        if (fromRadius) {
            sheath = ReturnConductor{};
            sheath.resistance = 0.3;
            sheath.gmr = 0.03;
        }
        const Complex current(1500, -200);
        n.cables = {cable(current, length, remote, sheath)};
        const NetworkResult r = solved(n, earthImpedance);
        const double km = length / 1000;
        const Complex sheathCurrent =
            current * (earthImpedance + remote + zm * km) / (earthImpedance + remote + zs * km);
        QVERIFY(relative(r.cables[0].returnCurrent, sheathCurrent) < 1e-9);
        QVERIFY(relative(r.earthCurrent, current - sheathCurrent) < 1e-9);
        QVERIFY(relative(*r.cables[0].remoteRise, remote * (sheathCurrent - current)) < 1e-9);
        QVERIFY(relative(*r.cables[0].chainImpedance, zs * km + remote) < 1e-12);
        QVERIFY(r.cables[0].towerPotentials.empty());
    }

    // Lines of finite and endless length, of one earth wire and two coupled, with a list of
    // tower resistances, a line without earth wires, cables with and without armour, a
    // local source: against the same circuit written out wire by wire.
    void mixedNetwork_data() {
        QTest::addColumn<Complex>("earthImpedance");
        QTest::newRow("0.4 ohm") << Complex(0.4, 0);
        QTest::newRow("0.05 + j0.02 ohm") << Complex(0.05, 0.02);
        QTest::newRow("5 ohm") << Complex(5, 0);
    }

    void mixedNetwork() {
        QFETCH(Complex, earthImpedance);
        Network n;
        n.frequency = 50;
        n.earthReturnRho = 100;
        n.localCurrent = {2000, 0};
        const std::vector<double> towers{8, 12, 9.5, 20, 11, 7, 14, 10, 30};
        Line two = line({6000, 0}, 10, 300, towers, 0.5,
                        {wire(0.4, 0.004, 30, -3), wire(0.25, 0.006, 31, 3.5)});
        two.phase = {22, 4};
        n.lines = {
            two, line({2500, 700}, 6, 250, {15}, 2.0, {given({0.45, 0.72}, {0.05, 0.31})}),
            line({3800, -900}, std::nullopt, 300, {15}, 0, {given({0.45, 0.72}, {0.05, 0.31})}),
            line({900, 0}, 4, 300, {10}, 1, {})};
        ReturnConductor sheath{};
        sheath.resistance = 0.3;
        sheath.gmr = 0.03;
        Cable armoured = cable({1500, 0}, 3000, 1.0, sheath);
        ReturnConductor armour{};
        armour.resistance = 0.9;
        armour.gmr = 0.038;
        armoured.armour = armour;
        n.cables = {armoured, cable({700, -100}, 1200, 0.3, given({0.8, 0.7}, {0.05, 0.64}))};
        const NetworkResult r = solved(n, earthImpedance);

        // The same circuit, the impedances by Carson's low-frequency form written here.
        const double de = 658.87 * std::sqrt(100. / 50), x = 4 * kPi * 1e-4 * 50;
        const double re = kPi * kPi * 1e-4 * 50;
        const auto self = [&](double r, double gmr) {
            return Complex(r + re, x * std::log(de / gmr));
        };
        const auto mutual = [&](double d) { return Complex(re, x * std::log(de / d)); };
        const double d12 = std::hypot(1., 6.5), d1p = std::hypot(8., 7.), d2p = std::hypot(9., 0.5);
        std::vector<reference::Branch> branches{
            {{6000, 0},
             {self(0.4, 0.004), mutual(d12), mutual(d12), self(0.25, 0.006)},
             {mutual(d1p), mutual(d2p)},
             0.3,
             towers,
             0.5},
            {{2500, 700}, {{0.45, 0.72}}, {{0.05, 0.31}}, 0.25, std::vector<double>(5, 15), 2.0},
            {{3800, -900}, {{0.45, 0.72}}, {{0.05, 0.31}}, 0.3, std::vector<double>(149, 15), 0},
            {{1500, 0},
             {self(0.3, 0.03), mutual(0.038), mutual(0.038), self(0.9, 0.038)},
             {mutual(0.03), mutual(0.038)},
             3,
             {},
             1.0},
            {{700, -100}, {{0.8, 0.7}}, {{0.05, 0.64}}, 1.2, {}, 0.3}};
        // The line without earth wires brings its current, which the station's node takes.
        branches.push_back({{900, 0}, {}, {}, 0.3, {}, 0});
        reference::Circuit circuit;
        const reference::Solution s = circuit.solve(branches, earthImpedance);
        const Complex earthCurrent = s.stationPotential / earthImpedance;
        QVERIFY2(relative(r.earthCurrent, earthCurrent) < 1e-6,
                 qPrintable(QString::number(relative(r.earthCurrent, earthCurrent))));
        QVERIFY(relative(r.faultCurrent, Complex(6000 + 2500 + 3800 + 900 + 1500 + 700 + 2000,
                                                 700 - 900 - 100)) < 1e-15);
        const std::vector<const BranchResult *> results{&r.lines[0], &r.lines[1], &r.lines[2],
                                                        &r.cables[0], &r.cables[1]};
        for (std::size_t j = 0; j < results.size(); ++j) {
            QVERIFY(relative(results[j]->returnCurrent, s.returnCurrent[j]) < 1e-6);
            for (std::size_t k = 0; k < results[j]->towerPotentials.size(); ++k)
                QVERIFY(relative(results[j]->towerPotentials[k], s.potentials[j][k]) < 1e-6);
            if (results[j]->remoteRise)
                QVERIFY(relative(*results[j]->remoteRise, s.potentials[j].back()) < 1e-6);
        }
        QCOMPARE(int(r.lines[0].towerPotentials.size()), 5);
        QCOMPARE(int(r.lines[1].towerPotentials.size()), 5);
        QVERIFY(relative(r.lines[0].towerCurrents[2], s.potentials[0][2] / 9.5) < 1e-6);
        QVERIFY(r.lines[3].towerPotentials.empty() && !r.lines[3].chainImpedance);
        QCOMPARE(r.lines[3].reductionFactor, Complex(1, 0));
    }

    // With the impedances from the geometry by Kersting's published constants (60 Hz,
    // 100 ohm m) in the written-out circuit, within 1 %.
    void geometryAgainstPublishedConstants() {
        Network n;
        n.frequency = 60;
        n.earthReturnRho = 100;
        Line two = line({6000, 0}, 20, 300, {10}, 0.5,
                        {wire(0.4, 0.004, 30, -3), wire(0.4, 0.004, 30, 3)});
        two.phase = {22, 4};
        ReturnConductor sheath{};
        sheath.resistance = 0.3;
        sheath.gmr = 0.03;
        n.lines = {two};
        n.cables = {cable({1500, 0}, 3000, 1.0, sheath)};
        const Complex earthImpedance(0.4, 0);
        const NetworkResult r = solved(n, earthImpedance);
        const double d12 = 6, d1p = std::hypot(8., 7.), d2p = std::hypot(8., 1.);
        reference::Circuit circuit;
        const reference::Solution s = circuit.solve(
            {{{6000, 0},
              {kerstingSelf(0.4, 0.004), kerstingMutual(d12), kerstingMutual(d12),
               kerstingSelf(0.4, 0.004)},
              {kerstingMutual(d1p), kerstingMutual(d2p)},
              0.3,
              std::vector<double>(19, 10),
              0.5},
             {{1500, 0}, {kerstingSelf(0.3, 0.03)}, {kerstingMutual(0.03)}, 3, {}, 1.0}},
            earthImpedance);
        QVERIFY(relative(r.earthCurrent, s.stationPotential / earthImpedance) < 0.01);
        QVERIFY(relative(r.lines[0].returnCurrent, s.returnCurrent[0]) < 0.01);
        QVERIFY(relative(r.cables[0].returnCurrent, s.returnCurrent[1]) < 0.01);
    }

    void limits() {
        Network n;
        n.lines = {
            line({3800, -900}, std::nullopt, 300, {15}, 0, {given({0.45, 0.72}, {0.05, 0.31})})};
        const Complex rf = 1. - Complex(0.05, 0.31) / Complex(0.45, 0.72);
        // An electrode that takes nothing, and one that takes all the chain leaves it.
        QVERIFY(std::abs(solved(n, 1e12).earthCurrent) < 1e-6);
        QVERIFY(relative(solved(n, 0).earthCurrent, rf * Complex(3800, -900)) < 1e-12);
        QVERIFY(relative(solved(n, 1e-9).earthCurrent, rf * Complex(3800, -900)) < 1e-8);
        // Nothing takes the current back: the remote sources' share, exactly.
        Network bare;
        bare.localCurrent = {2000, 0};
        bare.lines = {line({6000, 0}, 25, 300, {10}, 0.5, {}),
                      line({3800, -900}, std::nullopt, 300, {15}, 0, {})};
        const NetworkResult b = solved(bare, 0.5);
        const Complex fault(11800, -900);
        QCOMPARE(b.faultCurrent, fault);
        QCOMPARE(b.earthCurrent, fault - Complex(2000, 0));
        QCOMPARE(b.splitFactor, (fault - Complex(2000, 0)) / fault);
        // A station fed only by its own transformer sends nothing into the soil.
        Network local;
        local.localCurrent = {2000, -300};
        const NetworkResult l = solved(local, 0.5);
        QCOMPARE(l.earthCurrent, Complex(0));
        QCOMPARE(l.splitFactor, Complex(0));
    }

    void refusals_data() {
        QTest::addColumn<Network>("network");
        QTest::addColumn<Error>("error");
        QTest::addColumn<Quantity>("quantity");
        QTest::addColumn<Place::Branch>("branch");
        QTest::addColumn<Place::Conductor>("conductor");
        QTest::addColumn<Place::Field>("field");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("words");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        Network sound;
        sound.earthReturnRho = 100;
        Line north = line({6000, 0}, 25, 300, {10}, 0.5, {wire(0.4, 0.004, 30, 0)});
        north.phase = {22, 4};
        ReturnConductor sheath{};
        sheath.resistance = 0.3;
        sheath.gmr = 0.03;
        sound.lines = {north};
        sound.cables = {cable({1500, 0}, 3000, 1.0, sheath)};
        const auto row = [&](const char *name, auto change, Error error, Quantity quantity,
                             Place::Branch branch, Place::Conductor conductor, Place::Field field,
                             int item, const char *words) {
            Network n = sound;
            change(n);
            QTest::newRow(name) << n << error << quantity << branch << conductor << field << item
                                << QString(words);
        };
        using B = Place::Branch;
        using C = Place::Conductor;
        using F = Place::Field;
        row(
            "45 Hz", [](Network &n) { n.frequency = 45; }, Error::NotPowerFrequency,
            Quantity::Frequency, B::Network, C::None, F::Frequency, -1, "50 or 60 Hz, not 45");
        row(
            "no earth-return resistivity", [](Network &n) { n.earthReturnRho = 0; },
            Error::NotPositive, Quantity::EarthReturnResistivity, B::Network, C::None,
            F::EarthReturnRho, -1, "earth-return resistivity");
        row(
            "a span of no length", [](Network &n) { n.lines[0].span = 0; }, Error::NotPositive,
            Quantity::SpanLength, B::Line, C::None, F::Span, -1, "span length");
        row(
            "no spans", [](Network &n) { n.lines[0].spans = 0; }, Error::NotPositive,
            Quantity::SpanCount, B::Line, C::None, F::Spans, -1, "number of spans");
        row(
            "spans beyond the bound", [](Network &n) { n.lines[0].spans = 10001; },
            Error::TooManySpans, Quantity::SpanCount, B::Line, C::None, F::Spans, -1,
            "10001 spans are more than the 10000");
        row(
            "a negative tower in a list",
            [](Network &n) {
                n.lines[0].towerResistance.assign(24, 10);
                n.lines[0].towerResistance[3] = -2;
            },
            Error::NotPositive, Quantity::TowerResistance, B::Line, C::None, F::TowerResistance, 3,
            "tower footing resistance must be a positive finite number, not -2");
        row(
            "towers one short", [](Network &n) { n.lines[0].towerResistance.assign(23, 10); },
            Error::TowerCountMismatch, Quantity::TowerResistance, B::Line, C::None,
            F::TowerResistance, -1, "23 tower footing resistances are given for 24 towers");
        row(
            "an endless line with a list",
            [](Network &n) {
                n.lines[0].spans.reset();
                n.lines[0].towerResistance = {10, 12};
            },
            Error::EndlessTowerList, Quantity::TowerResistance, B::Line, C::None,
            F::TowerResistance, -1, "one footing resistance for all its towers, not 2");
        row(
            "a remote station of NaN", [&](Network &n) { n.lines[0].remoteResistance = nan; },
            Error::NotPositive, Quantity::RemoteResistance, B::Line, C::None, F::RemoteResistance,
            -1, "remote station's earth resistance");
        row(
            "a wire of no resistance", [](Network &n) { n.lines[0].earthWires[0].resistance = 0; },
            Error::NotPositive, Quantity::WireResistance, B::Line, C::EarthWire, F::Resistance, -1,
            "resistance per km");
        row(
            "a GMR as far as the phase",
            [](Network &n) { n.lines[0].earthWires[0].gmr = std::hypot(8., 4.); },
            Error::RadiusNotBelowDistance, Quantity::GeometricMeanRadius, B::Line, C::EarthWire,
            F::Gmr, -1, "not smaller than the distance 8.944");
        row(
            "two wires at one place",
            [](Network &n) { n.lines[0].earthWires.push_back(n.lines[0].earthWires[0]); },
            Error::RadiusNotBelowDistance, Quantity::GeometricMeanRadius, B::Line, C::EarthWire,
            F::Gmr, -1, "the distance 0 m");
        row(
            "a phase underground", [](Network &n) { n.lines[0].phase.height = -1; },
            Error::NotPositive, Quantity::ConductorHeight, B::Line, C::Phase, F::Height, -1,
            "height above the ground");
        row(
            "a given wire beside another",
            [](Network &n) {
                n.lines[0].earthWires.push_back(given({0.4, 0.7}, {0.05, 0.3}));
            },
            Error::GivenImpedanceNotAlone, Quantity::None, B::Line, C::EarthWire, F::None, -1,
            "the only one of its line or cable");
        row(
            "a given wire of negative resistance",
            [](Network &n) {
                n.lines[0].earthWires = {given({-0.4, 0.7}, {0.05, 0.3})};
            },
            Error::NotPositive, Quantity::SelfImpedance, B::Line, C::EarthWire, F::Impedance, -1,
            "real part of the impedance per km");
        row(
            "a line's current of NaN",
            [&](Network &n) {
                n.lines[0].current = {nan, 0};
            },
            Error::NotFinite, Quantity::SourceCurrent, B::Line, C::None, F::Current, -1,
            "current must be a finite number");
        row(
            "a cable of no length", [](Network &n) { n.cables[0].length = -3000; },
            Error::NotPositive, Quantity::CableLength, B::Cable, C::None, F::Length, -1,
            "cable length must be a positive finite number, not -3000");
        row(
            "a sheath of no radius", [](Network &n) { n.cables[0].sheath.gmr = 0; },
            Error::NotPositive, Quantity::GeometricMeanRadius, B::Cable, C::Sheath, F::MeanRadius,
            -1, "geometric mean radius");
        row(
            "armour inside the sheath",
            [](Network &n) {
                ReturnConductor armour{};
                armour.resistance = 1;
                armour.gmr = 0.02;
                n.cables[0].armour = armour;
            },
            Error::ArmourNotOutsideSheath, Quantity::None, B::Cable, C::Armour, F::MeanRadius, -1,
            "0.02 m is not larger than the sheath's 0.03 m");
        row(
            "currents that cancel",
            [](Network &n) {
                n.lines[0].current = {1000, 500};
                n.cables[0].current = {-1000, -500};
            },
            Error::NoFaultCurrent, Quantity::None, B::Network, C::None, F::None, -1,
            "add up to zero");
    }

    void refusals() {
        QFETCH(Network, network);
        QFETCH(Error, error);
        QFETCH(Quantity, quantity);
        QFETCH(Place::Branch, branch);
        QFETCH(Place::Conductor, conductor);
        QFETCH(Place::Field, field);
        QFETCH(int, item);
        QFETCH(QString, words);
        const std::optional<NetworkFault> f = NetworkCheck::check(network);
        QVERIFY(f);
        QCOMPARE(f->refusal.error, error);
        QCOMPARE(f->refusal.quantity, quantity);
        QCOMPARE(f->place.branch, branch);
        QCOMPARE(f->place.conductor, conductor);
        QCOMPARE(f->place.field, field);
        QCOMPARE(f->place.item, item);
        const QString worded = shippedWording().refusal(f->refusal);
        QVERIFY2(worded.contains(words), qPrintable(worded));
        const Refusable<NetworkResult> r = NetworkSolver::solve(network, 0.5);
        QVERIFY(r.refused());
        QCOMPARE(r.refusal().error, error);
    }

    void earthImpedanceRefused() {
        Network n;
        n.localCurrent = 100;
        for (const Complex z : {Complex(-0.1, 0), Complex(std::nan(""), 0),
                                Complex(0.5, std::numeric_limits<double>::infinity())}) {
            const Refusable<NetworkResult> r = NetworkSolver::solve(n, z);
            QVERIFY(r.refused());
            QCOMPARE(r.refusal().quantity, Quantity::EarthImpedance);
        }
        QVERIFY(!NetworkSolver::solve(n, 0).refused());
        QVERIFY(shippedWording()
                    .refusal(NetworkSolver::solve(n, -0.1).refusal())
                    .contains("station's earth impedance must be zero or a positive"));
    }

    // Every quantity a refusal of the network names has its words.
    void quantitiesWorded() {
        for (int q = int(Quantity::SpanCount); q <= int(Quantity::EarthCurrent); ++q)
            QVERIFY2(!shippedWording().quantity(Quantity(q)).isEmpty(),
                     qPrintable(QString::number(q)));
    }
};

QTEST_APPLESS_MAIN(TestNetwork)
#include "tst_network.moc"
