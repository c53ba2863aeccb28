// Touch and step safety of a rectangular grid after IEEE Std 80-2013.
#include "core/GridSafety.h"
#include "tests/support/AnnexB1.h"
#include "tests/support/ShippedWording.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace tav;

namespace {

bool near(double actual, double expected) {
    return std::abs(actual - expected) <= 1e-12 * std::abs(expected);
}

} // namespace

class TestGridSafety : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The equations evaluated in Python without rounding; they agree with the standard's
    // figures to the digits it rounds them to (B.1: n 11, Km 0.89, Ki 2.272, Ks 0.406,
    // Rg 2.78, GPR 5304, Em 1002.1, Cs 0.74, 838.2 V and 2686.6 V; B.2: Rg 2.75, LM 1786.4,
    // Km 0.77, Em 747.4, LS 1282.5, Es 548.9), the differences being its rounding on the way.
    void annexB_data() {
        QTest::addColumn<int>("rods");
        QTest::addColumn<double>("Km");
        QTest::addColumn<double>("Kii");
        QTest::addColumn<double>("LM");
        QTest::addColumn<double>("LS");
        QTest::addColumn<double>("Rg");
        QTest::addColumn<double>("Em");
        QTest::addColumn<double>("Es");
        QTest::addColumn<bool>("touchSafe");
        QTest::newRow("B.1, no rods")
            << 0 << 0.8895585916711664 << 0.5700633871600791 << 1540. << 1155. << 2.7756936628758724
            << 1001.614323503456 << 609.7269193066188 << false;
        QTest::newRow("B.2, 20 rods of 7.5 m on the perimeter")
            << 20 << 0.7716833923393092 << 1. << 1786.3643436739792 << 1282.5 << 2.752639793668157
            << 749.0586110802961 << 549.1107928258439 << true;
    }

    void annexB() {
        QFETCH(int, rods);
        QFETCH(double, Km);
        QFETCH(double, Kii);
        QFETCH(double, LM);
        QFETCH(double, LS);
        QFETCH(double, Rg);
        QFETCH(double, Em);
        QFETCH(double, Es);
        QFETCH(bool, touchSafe);
        GridSafetyInput in = annexB1();
        in.rods = {rods, 7.5, true};
        const Refusable<GridSafetyResult> outcome = calculateGridSafety(in);
        QVERIFY(!outcome.refused());
        const GridSafetyResult &r = outcome.result();
        QCOMPARE(r.conductorsAlongX, 11.);
        QCOMPARE(r.conductorsAlongY, 11.);
        QVERIFY(near(r.n, 11));
        QVERIFY(near(r.Ki, 0.644 + 0.148 * 11));
        QVERIFY(near(r.Kh, std::sqrt(1.5)));
        QVERIFY(near(r.Ks, 0.40613523108267774));
        QCOMPARE(r.LC, 1540.);
        QVERIFY(near(r.Km, Km));
        QVERIFY(near(r.Kii, Kii));
        QVERIFY(near(r.LM, LM));
        QVERIFY(near(r.LS, LS));
        QVERIFY(near(r.Rg, Rg));
        QVERIFY(near(r.GPR, 1908 * Rg));
        QVERIFY(near(r.Em, Em));
        QVERIFY(near(r.Es, Es));
        QVERIFY(near(r.Cs, 0.7428571428571429));
        QVERIFY(near(r.touchTolerable, 840.5479323218946));
        QVERIFY(near(r.stepTolerable, 2696.0971414098503));
        QCOMPARE(r.touchSafe, touchSafe); // Em against 840.5 V
        QCOMPARE(r.stepSafe, true);
        QCOMPARE(r.gprBelowTouch, false);
    }

    // (1000 + 1.5 Cs rho_s) k / sqrt(ts) and (1000 + 6 Cs rho_s) k / sqrt(ts), by hand.
    void tolerable_data() {
        QTest::addColumn<bool>("surface");
        QTest::addColumn<int>("body");
        QTest::addColumn<double>("duration");
        QTest::addColumn<double>("touch");
        QTest::addColumn<double>("step");
        QTest::newRow("50 kg, bare soil of 400, 1 s") << false << 50 << 1. << 185.6 << 394.4;
        QTest::newRow("70 kg, bare soil of 400, 1 s") << false << 70 << 1. << 251.2 << 533.8;
        QTest::newRow("50 kg, 0.25 s") << false << 50 << 0.25 << 371.2 << 788.8;
        // Cs = 1 - 0.09 (1 - 400/2500)/(0.204 + 0.09) = 0.742857...; the 70 kg figures are B.1's.
        QTest::newRow("50 kg, crushed rock, 0.5 s")
            << true << 50 << 0.5 << 621.0417843906991 << 1992.0208178569596;
        QTest::newRow("70 kg, crushed rock, 0.5 s")
            << true << 70 << 0.5 << 840.5479323218946 << 2696.0971414098503;
    }

    void tolerable() {
        QFETCH(bool, surface);
        QFETCH(int, body);
        QFETCH(double, duration);
        QFETCH(double, touch);
        QFETCH(double, step);
        GridSafetyInput in = annexB1();
        if (!surface)
            in.surface.reset();
        in.body = body == 50 ? BodyWeight::Kg50 : BodyWeight::Kg70;
        in.faultDuration = duration;
        const Refusable<GridSafetyResult> outcome = calculateGridSafety(in);
        QVERIFY(!outcome.refused());
        QVERIFY(near(outcome.result().touchTolerable, touch));
        QVERIFY(near(outcome.result().stepTolerable, step));
        QCOMPARE(outcome.result().Cs == 1, !surface);
    }

    // Em, Es and GPR scale with the current; B.1's tolerable 840.55 V and 2696.10 V stay.
    void verdict_data() {
        QTest::addColumn<double>("current");
        QTest::addColumn<bool>("touchSafe");
        QTest::addColumn<bool>("stepSafe");
        QTest::addColumn<bool>("gprBelowTouch");
        QTest::newRow("B.1's 1908 A") << 1908. << false << true << false;
        QTest::newRow("1500 A: Em 787 V") << 1500. << true << true << false;
        QTest::newRow("300 A: GPR 833 V") << 300. << true << true << true;
        QTest::newRow("8500 A: Es 2716 V") << 8500. << false << false << false;
    }

    void verdict() {
        QFETCH(double, current);
        QFETCH(bool, touchSafe);
        QFETCH(bool, stepSafe);
        QFETCH(bool, gprBelowTouch);
        GridSafetyInput in = annexB1();
        in.gridCurrent = current;
        const Refusable<GridSafetyResult> outcome = calculateGridSafety(in);
        QVERIFY(!outcome.refused());
        QVERIFY(near(outcome.result().Em, 1001.614323503456 / 1908 * current));
        QCOMPARE(outcome.result().touchSafe, touchSafe);
        QCOMPARE(outcome.result().stepSafe, stepSafe);
        QCOMPARE(outcome.result().gprBelowTouch, gprBelowTouch);
    }

    void refusals_data() {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("reason"); // empty: accepted
        QTest::newRow("spacing 6 m") << "spacing" << 6.
                                     << "the conductor spacing 6 m does not "
                                        "divide the sides 70 m and 70 m";
        QTest::newRow("spacing beyond a side")
            << "spacing" << 80. << "the conductor spacing 80 m is larger than the side 70 m";
        QTest::newRow("Ly not a multiple") << "lengthY" << 71. << "sides 70 m and 71 m";
        QTest::newRow("spacing off by 1e-10: accepted") << "lengthX" << 70 * (1 + 1e-10) << "";
        QTest::newRow("spacing off by 1e-8") << "lengthX" << 70 * (1 + 1e-8) << "does not divide";
        QTest::newRow("spacing equal to the sides: accepted") << "spacing" << 70. << "";
        QTest::newRow("diameter equal to the depth")
            << "diameter" << 0.5
            << "the conductor diameter 0.5 m is not smaller than the burial "
               "depth 0.5 m";
        QTest::newRow("zero resistivity")
            << "rho" << 0. << "the soil resistivity must be a positive finite number, not 0";
        QTest::newRow("negative duration") << "duration" << -0.5 << "fault duration";
        QTest::newRow("NaN current")
            << "current" << nan << "grid current must be a positive finite number, not NaN";
        QTest::newRow("infinite side")
            << "lengthX" << inf << "grid side Lx must be a positive finite number, not infinity";
        QTest::newRow("zero depth") << "depth" << 0. << "burial depth";
        QTest::newRow("no surface thickness")
            << "surfaceThickness" << 0. << "surface layer's thickness";
        QTest::newRow("negative surface resistivity")
            << "surfaceRho" << -1. << "surface layer's resistivity";
        QTest::newRow("negative rod count") << "rods" << -2. << "cannot be negative: -2";
        QTest::newRow("rods without length") << "rodLength" << 0. << "ground rod length";
        QTest::newRow("huge grid beyond double") << "lengthX" << 7e307 << "beyond the range";
    }

    void refusals() {
        QFETCH(QString, field);
        QFETCH(double, value);
        QFETCH(QString, reason);
        GridSafetyInput in = annexB1();
        in.rods = {4, 3, false};
        double *fields[] = {&in.spacing,
                            &in.lengthX,
                            &in.lengthY,
                            &in.conductorDiameter,
                            &in.soilResistivity,
                            &in.faultDuration,
                            &in.gridCurrent,
                            &in.depth,
                            &in.surface->thickness,
                            &in.surface->resistivity,
                            &in.rods.length};
        const QStringList names = {
            "spacing", "lengthX", "lengthY",          "diameter",   "rho",      "duration",
            "current", "depth",   "surfaceThickness", "surfaceRho", "rodLength"};
        if (field == QLatin1String("rods"))
            in.rods.count = int(value);
        else
            *fields[names.indexOf(field)] = value;
        const Refusable<GridSafetyResult> outcome = calculateGridSafety(in);
        QCOMPARE(outcome.refused(), !reason.isEmpty());
        if (outcome.refused())
            QVERIFY2(shippedWording().refusal(outcome.refusal()).contains(reason),
                     qPrintable(shippedWording().refusal(outcome.refusal())));
    }

    // Beyond where the equations hold, the numbers stand with a caution, and a safe
    // comparison is no verdict; a factor or voltage that is not positive is refused.
    // From B.1 at 300 A (safe), with the inputs the row names.
    void range_data() {
        QTest::addColumn<QString>("inputs");      // name=value ...
        QTest::addColumn<QList<int>>("warnings"); // tav::Warning, in order
        QTest::addColumn<int>("touch");           // tav::Verdict
        QTest::addColumn<QString>("refusal");     // empty: not refused
        const auto w = [](Warning warning) { return static_cast<int>(warning); };
        const int safe = int(Verdict::Safe);
        const int outside = int(Verdict::OutsideMethodRange);
        const int unsafe = int(Verdict::NotSafe);
        QTest::newRow("B.1 at 300 A: within range") << "" << QList<int>{} << safe << "";
        QTest::newRow("2.5 m spacing: n = 29")
            << "spacing=2.5" << QList<int>{w(Warning::GeometricFactorAboveRange)} << outside << "";
        QTest::newRow("2 m spacing on a 10 m grid")
            << "lengthX=10 lengthY=10 spacing=2" << QList<int>{w(Warning::SpacingBelowRange)}
            << unsafe << "";
        QTest::newRow("0.25 m deep: within") << "depth=0.25" << QList<int>{} << safe << "";
        QTest::newRow("0.2 m deep")
            << "depth=0.2" << QList<int>{w(Warning::DepthOutsideRange)} << outside << "";
        QTest::newRow("2.5 m deep: within") << "depth=2.5" << QList<int>{} << safe << "";
        QTest::newRow("3 m deep") << "depth=3" << QList<int>{w(Warning::DepthOutsideRange)}
                                  << outside << "";
        QTest::newRow("diameter a quarter of the depth")
            << "diameter=0.125" << QList<int>{w(Warning::DiameterAboveQuarterDepth)} << outside
            << "";
        QTest::newRow("diameter just below a quarter")
            << "diameter=0.1249" << QList<int>{} << safe << "";
        QTest::newRow("0.03 s: within") << "duration=0.03" << QList<int>{} << safe << "";
        QTest::newRow("3 s: within") << "duration=3" << QList<int>{} << safe << "";
        QTest::newRow("1e-320 s: 1e162 V tolerable")
            << "duration=1e-320" << QList<int>{w(Warning::DurationOutsideRange)} << outside << "";
        QTest::newRow("1e6 s: 0.13 V tolerable, not safe")
            << "duration=1e6" << QList<int>{w(Warning::DurationOutsideRange)} << unsafe << "";
        QTest::newRow("121 rods on 121 junctions") << "rods=121" << QList<int>{} << safe << "";
        QTest::newRow("122 rods on 121 junctions")
            << "rods=122" << QList<int>{w(Warning::RodsBeyondGrid)} << outside << "";
        QTest::newRow("a million rods")
            << "rods=1000000" << QList<int>{w(Warning::RodsBeyondGrid)} << outside << "";
        QTest::newRow("40 rods on the 40 perimeter junctions")
            << "rods=40 perimeter=1" << QList<int>{} << safe << "";
        QTest::newRow("41 rods on the perimeter")
            << "rods=41 perimeter=1" << QList<int>{w(Warning::RodsBeyondGrid)} << outside << "";
        QTest::newRow("two cautions, in order")
            << "depth=0.2 duration=5"
            << QList<int>{w(Warning::DepthOutsideRange), w(Warning::DurationOutsideRange)}
            << outside << "";
        QTest::newRow("negative Km of a dense mesh")
            << "rho=100 lengthX=100 lengthY=100 spacing=0.5 current=1908 surface=0" << QList<int>{}
            << 0 << "the mesh factor Km comes out at -0.00702";
    }

    void range() {
        QFETCH(QString, inputs);
        QFETCH(QList<int>, warnings);
        QFETCH(int, touch);
        QFETCH(QString, refusal);
        GridSafetyInput in = annexB1();
        in.gridCurrent = 300;
        for (const QString &item : inputs.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString name = item.section(QLatin1Char('='), 0, 0);
            const double value = item.section(QLatin1Char('='), 1).toDouble();
            double *fields[] = {&in.spacing,     &in.lengthX,        &in.lengthY,
                                &in.depth,       &in.faultDuration,  &in.conductorDiameter,
                                &in.gridCurrent, &in.soilResistivity};
            const QStringList names = {"spacing",  "lengthX",  "lengthY", "depth",
                                       "duration", "diameter", "current", "rho"};
            if (name == QLatin1String("rods"))
                in.rods = {int(value), 3, in.rods.onPerimeter};
            else if (name == QLatin1String("perimeter"))
                in.rods.onPerimeter = true;
            else if (name == QLatin1String("surface"))
                in.surface.reset();
            else
                *fields[names.indexOf(name)] = value;
        }
        const Refusable<GridSafetyResult> outcome = calculateGridSafety(in);
        QCOMPARE(outcome.refused(), !refusal.isEmpty());
        if (outcome.refused()) {
            const QString said = shippedWording().refusal(outcome.refusal());
            QVERIFY2(said.contains(refusal), qPrintable(said));
            return;
        }
        const GridSafetyResult &r = outcome.result();
        QList<int> said;
        for (const Caution &caution : r.cautions) {
            said.append(static_cast<int>(caution.warning));
            QVERIFY(!shippedWording().caution(caution).contains(QLatin1String("%1")));
        }
        QCOMPARE(said, warnings);
        QCOMPARE(int(tav::verdict(r, r.touchSafe)), touch);
        QVERIFY(tav::verdict(r, r.stepSafe) != Verdict::Safe || warnings.isEmpty());
    }

    // Rods inside the grid: LM = LC + LR and Kii from n, LS = 0.75 LC + 0.85 LR.
    void interiorRods() {
        GridSafetyInput in = annexB1();
        in.rods = {20, 7.5, false};
        const GridSafetyResult r = calculateGridSafety(in).result();
        QCOMPARE(r.LM, 1540. + 150.);
        QCOMPARE(r.LT, 1690.);
        QVERIFY(near(r.LS, 1282.5));
        QVERIFY(near(r.Kii, 0.5700633871600791));
        QVERIFY(near(r.Em, 1001.614323503456 * 1540 / 1690));
    }
};

QTEST_APPLESS_MAIN(TestGridSafety)
#include "tst_gridsafety.moc"
