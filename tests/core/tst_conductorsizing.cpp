// Conductor sizing after IEEE Std 80-2013 Eq. 37 with the materials of its Table 1.
#include "core/ConductorSizing.h"
#include "tests/support/ShippedWording.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace tav;

Q_DECLARE_METATYPE(tav::ConductorMaterial)

class TestConductorSizing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Table 2 prints Kf for an ambient of 40 °C, to two decimals; Eq. 37 with Table 1's
    // constants gives them to within a unit of that last digit (the table was worked out
    // with Eq. 41's rounded 197.4 for 1/(0.01 × 0.5067)).
    void kfOfTable2_data() {
        QTest::addColumn<ConductorMaterial>("material");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<double>("kf");
        using M = ConductorMaterial;
        QTest::newRow("copper, annealed soft-drawn") << M::AnnealedCopper << 1083. << 7.00;
        QTest::newRow("copper, commercial hard-drawn") << M::HardDrawnCopper << 1084. << 7.06;
        QTest::newRow("copper, hard-drawn, 250 °C") << M::HardDrawnCopper << 250. << 11.78;
        QTest::newRow("copper-clad steel wire, 40 %") << M::CopperCladSteel40 << 1084. << 10.45;
        QTest::newRow("copper-clad steel wire, 30 %") << M::CopperCladSteel30 << 1084. << 12.06;
        QTest::newRow("copper-clad steel rod, 20 %") << M::CopperCladSteelRod20 << 1084. << 14.64;
        QTest::newRow("aluminium, EC grade") << M::AluminiumEc << 657. << 12.12;
        QTest::newRow("aluminium, 5005 alloy") << M::Aluminium5005 << 652. << 12.41;
        QTest::newRow("aluminium, 6201 alloy") << M::Aluminium6201 << 654. << 12.47;
        QTest::newRow("aluminium-clad steel wire") << M::AluminiumCladSteel << 657. << 17.20;
        QTest::newRow("steel, 1020") << M::Steel1020 << 1510. << 15.95;
        QTest::newRow("stainless-clad steel rod") << M::StainlessCladSteelRod << 1400. << 14.72;
        QTest::newRow("zinc-coated steel rod") << M::ZincCoatedSteelRod << 419. << 28.96;
        QTest::newRow("stainless steel, 304") << M::StainlessSteel304 << 1400. << 30.05;
    }

    void kfOfTable2() {
        QFETCH(ConductorMaterial, material);
        QFETCH(double, maximum);
        QFETCH(double, kf);
        ConductorSizingInput in;
        in.material = material;
        in.current = 1000;
        in.duration = 1;
        if (maximum != materialConstants(material).fusingTemperature)
            in.maxTemperature = maximum;
        const Refusable<ConductorSize> size = sizeConductor(in);
        QVERIFY(!size.refused());
        QVERIFY2(std::abs(size.result().kf - kf) <= 0.01,
                 qPrintable(QString::number(size.result().kf)));
        // Eq. 41: A = I Kf √tc, with I = 1 kA for 1 s.
        QVERIFY(std::abs(size.result().areaKcmil - size.result().kf) <= 1e-12 * kf);
    }

    // Annex B, Example 1: 6.814 kA for 0.5 s in hard-drawn copper at 40 °C needs
    // 6.814 × 7.06 × √0.5 = 34.02 kcmil, about 17.3 mm²; a solid round conductor of that
    // area is 4.69 mm across.
    void annexBExample1() {
        ConductorSizingInput in;
        in.material = ConductorMaterial::HardDrawnCopper;
        in.current = 6814;
        in.duration = 0.5;
        const Refusable<ConductorSize> outcome = sizeConductor(in);
        QVERIFY(!outcome.refused());
        const ConductorSize &size = outcome.result();
        QVERIFY2(std::abs(size.areaKcmil - 34.02) <= 0.05,
                 qPrintable(QString::number(size.areaKcmil)));
        QVERIFY2(std::abs(size.areaMm2 - 17.3) <= 0.1, qPrintable(QString::number(size.areaMm2)));
        QVERIFY(std::abs(size.areaMm2 - size.areaKcmil * 0.5067) <= 1e-3 * size.areaMm2);
        QVERIFY(std::abs(M_PI / 4 * size.diameterMm * size.diameterMm - size.areaMm2) <=
                1e-12 * size.areaMm2);
        QVERIFY(!thinnerThanSized(0.01, size));
        const std::optional<Caution> thin = thinnerThanSized(0.004, size);
        QVERIFY(thin.has_value());
        QCOMPARE(shippedWording().caution(*thin),
                 QStringLiteral("the conductor diameter 4 mm is thinner than the 4.69 mm the "
                                "fault current needs"));
        // Between the 4.6858 mm needed and the 4.69 mm named: still too thin, and said so.
        const std::optional<Caution> justBelow = thinnerThanSized(0.004685, size);
        QVERIFY(justBelow.has_value());
        QCOMPARE(justBelow->values.size(), std::size_t(2));
        QCOMPARE(justBelow->values[1], 4.69);
        QVERIFY(!thinnerThanSized(0.004686, size));
        // Whatever the current, the diameter named is whole hundredths of a mm, never below
        // the one needed and less than a hundredth above it.
        for (double current = 1000; current <= 30000; current += 1370) {
            in.current = current;
            const ConductorSize sized = sizeConductor(in).result();
            const std::optional<Caution> named = thinnerThanSized(0.001, sized);
            QVERIFY(named.has_value());
            const double hundredths = named->values[1] * 100;
            QVERIFY2(
                std::abs(hundredths - std::round(hundredths)) < 1e-9 &&
                    named->values[1] >= sized.diameterMm &&
                    named->values[1] < sized.diameterMm + 0.01,
                qPrintable(
                    QStringLiteral("%1 mm for %2 mm").arg(named->values[1]).arg(sized.diameterMm)));
        }
    }

    // The area grows with the current and the square root of the duration, and a lower
    // allowed temperature needs more copper.
    void scaling() {
        ConductorSizingInput in;
        in.current = 10000;
        in.duration = 1;
        const double base = sizeConductor(in).result().areaMm2;
        in.current = 20000;
        QVERIFY(std::abs(sizeConductor(in).result().areaMm2 - 2 * base) <= 1e-12 * base);
        in.current = 10000;
        in.duration = 4;
        QVERIFY(std::abs(sizeConductor(in).result().areaMm2 - 2 * base) <= 1e-12 * base);
        in.duration = 1;
        in.maxTemperature = 250;
        QVERIFY(sizeConductor(in).result().areaMm2 > 1.5 * base);
    }

    void refusals_data() {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::addColumn<double>("current");
        QTest::addColumn<double>("duration");
        QTest::addColumn<double>("ambient");
        QTest::addColumn<double>("maximum"); // NaN: the fusing temperature
        QTest::addColumn<QString>("reason");
        QTest::newRow("no current")
            << 0. << 1. << 40. << nan
            << "the fault current 3I0 must be a positive finite number, not 0";
        QTest::newRow("negative duration") << 1000. << -1. << 40. << nan << "fault duration";
        QTest::newRow("NaN ambient") << 1000. << 1. << nan << nan << "ambient temperature NaN °C";
        QTest::newRow("ambient below -K0")
            << 1000. << 1. << -240. << nan << "ambient temperature -240 °C is not above -234 °C";
        QTest::newRow("maximum below ambient")
            << 1000. << 1. << 40. << 30.
            << "maximum conductor temperature 30 °C is not above the ambient temperature 40 °C";
        QTest::newRow("maximum above fusing")
            << 1000. << 1. << 40. << 1200. << "above the material's fusing temperature 1083 °C";
        QTest::newRow("infinite maximum")
            << 1000. << 1. << 40. << std::numeric_limits<double>::infinity()
            << "infinity °C is not above";
        QTest::newRow("current beyond double")
            << 1e308 << 1e300 << 40. << nan << "beyond the range";
    }

    void refusals() {
        QFETCH(double, current);
        QFETCH(double, duration);
        QFETCH(double, ambient);
        QFETCH(double, maximum);
        QFETCH(QString, reason);
        ConductorSizingInput in;
        in.current = current;
        in.duration = duration;
        in.ambient = ambient;
        if (!std::isnan(maximum))
            in.maxTemperature = maximum;
        const Refusable<ConductorSize> outcome = sizeConductor(in);
        QVERIFY(outcome.refused());
        QVERIFY2(shippedWording().refusal(outcome.refusal()).contains(reason),
                 qPrintable(shippedWording().refusal(outcome.refusal())));
    }
};

QTEST_APPLESS_MAIN(TestConductorSizing)
#include "tst_conductorsizing.moc"
