// The limits a grid's touch and step voltages are held against: IEEE Std 80-2013's
// tolerable voltages and EN 50522:2010's permissible touch voltage.
#include "core/GridSafety.h"
#include "core/TolerableVoltage.h"
#include "tests/support/AnnexB1.h"
#include "tests/support/ShippedWording.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace tav;

namespace {

// EN 50522:2010, Annex B, Figure 4, as its values are quoted: (t in s, U_Tp in V).
struct Quoted {
    double t;
    double u;
};
constexpr Quoted kQuoted[] = {{0.05, 716}, {0.1, 654}, {0.2, 537}, {0.5, 220},
                              {1, 117},    {2, 96},    {5, 86},    {10, 85}};

// A straight line between two quoted points on log-log axes, worked here from the quoted
// values rather than taken from the code.
double logLog(const Quoted &a, const Quoted &b, double t) {
    return std::exp(std::log(a.u) + (std::log(t) - std::log(a.t)) /
                                        (std::log(b.t) - std::log(a.t)) *
                                        (std::log(b.u) - std::log(a.u)));
}

SafetyCriteria en50522(double t, double footwear = 1000) {
    SafetyCriteria c;
    c.faultDuration = t;
    c.criteria = Criteria::En50522;
    c.footwear = footwear;
    return c;
}

bool near(double actual, double expected, double relative = 1e-9) {
    return std::abs(actual - expected) <= relative * std::abs(expected);
}

} // namespace

class TestTolerableVoltage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // IEEE Std 80-2013 Annex B.1: 0.102 m of 2500 ohm m over 400 ohm m, 0.5 s, 70 kg. The
    // standard prints Cs 0.74 and, from that rounded Cs, 838.2 V and 2686.6 V.
    void ieee80AnnexB() {
        SafetyCriteria c;
        c.faultDuration = 0.5;
        c.body = BodyWeight::Kg70;
        c.surface = SurfaceLayer{2500, 0.102};
        const Refusable<TolerableVoltages> outcome = checkedTolerableVoltages(c, 400.);
        QVERIFY(!outcome.refused());
        const TolerableVoltages &v = outcome.result();
        QCOMPARE(std::round(v.Cs * 100) / 100, 0.74);
        const double k = 0.157 / std::sqrt(0.5);
        // Eqs. 32 and 33 with the printed Cs give the printed voltages.
        QCOMPARE(std::round((1000 + 1.5 * 0.74 * 2500) * k * 10) / 10, 838.2);
        QCOMPARE(std::round((1000 + 6 * 0.74 * 2500) * k * 10) / 10, 2686.6);
        // Unrounded: Cs = 1 - 0.09 (1 - 400/2500) / (2 x 0.102 + 0.09).
        const double cs = 1 - 0.09 * (1 - 400. / 2500) / (2 * 0.102 + 0.09);
        QVERIFY(near(v.Cs, cs));
        QCOMPARE(std::round(v.touch * 10) / 10, 840.5);
        QVERIFY(near(v.touch, (1000 + 1.5 * cs * 2500) * k));
        QVERIFY(near(v.step, (1000 + 6 * cs * 2500) * k));
        QVERIFY(v.stepLimited);
        QCOMPARE(v.permissibleTouch, v.touch);
        QVERIFY(v.cautions.empty());
    }

    void permissibleTouchAtTheTable_data() {
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("quoted");
        for (const Quoted &q : kQuoted)
            QTest::addRow("%g s", q.t) << q.t << q.u;
    }

    // With neither footwear nor ground under the feet, the touch limit is U_Tp itself.
    void permissibleTouchAtTheTable() {
        QFETCH(double, t);
        QFETCH(double, quoted);
        const Refusable<TolerableVoltages> outcome =
            checkedTolerableVoltages(en50522(t, 0), std::nullopt);
        QVERIFY(!outcome.refused());
        const TolerableVoltages &v = outcome.result();
        QVERIFY2(std::abs(v.permissibleTouch - quoted) <= 0.03 * quoted,
                 qPrintable(QString::number(v.permissibleTouch)));
        QCOMPARE(v.touch, v.permissibleTouch);
        QVERIFY(!v.stepLimited);
        QCOMPARE(v.Cs, 1.);
        QVERIFY(v.cautions.empty());
    }

    void permissibleTouchBetween_data() {
        QTest::addColumn<double>("t");
        QTest::addColumn<int>("below"); // the quoted point before t
        QTest::newRow("0.07 s") << 0.07 << 0;
        QTest::newRow("0.3 s") << 0.3 << 2;
        QTest::newRow("0.7 s") << 0.7 << 3;
        QTest::newRow("3 s") << 3. << 5;
    }

    void permissibleTouchBetween() {
        QFETCH(double, t);
        QFETCH(int, below);
        const double expected = logLog(kQuoted[below], kQuoted[below + 1], t);
        const TolerableVoltages v = tolerableVoltages(en50522(t), 100);
        QVERIFY2(std::abs(v.permissibleTouch - expected) <= 0.03 * expected,
                 qPrintable(QString::number(v.permissibleTouch) + " against " +
                            QString::number(expected)));
        QVERIFY(v.permissibleTouch < kQuoted[below].u);
        QVERIFY(v.permissibleTouch > kQuoted[below + 1].u);
    }

    // Beyond the table the end values stand, with the duration's caution naming the
    // table's range; IEEE Std 80 keeps its own range.
    void durationOutsideRange_data() {
        QTest::addColumn<bool>("en");
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("uTp");              // 0: not checked
        QTest::addColumn<QVector<double>>("caution"); // empty: none
        QTest::newRow("EN 50522, 0.02 s")
            << true << 0.02 << 716. << QVector<double>{0.02, 0.05, 10};
        QTest::newRow("EN 50522, 30 s") << true << 30. << 85. << QVector<double>{30, 0.05, 10};
        QTest::newRow("EN 50522, 5 s") << true << 5. << 86. << QVector<double>{};
        QTest::newRow("EN 50522, 0.04 s")
            << true << 0.04 << 716. << QVector<double>{0.04, 0.05, 10};
        QTest::newRow("IEEE 80, 0.04 s") << false << 0.04 << 0. << QVector<double>{};
        QTest::newRow("IEEE 80, 5 s") << false << 5. << 0. << QVector<double>{5, 0.03, 3};
    }

    void durationOutsideRange() {
        QFETCH(bool, en);
        QFETCH(double, t);
        QFETCH(double, uTp);
        QFETCH(QVector<double>, caution);
        SafetyCriteria c = en50522(t);
        if (!en)
            c.criteria = Criteria::Ieee80;
        const Refusable<TolerableVoltages> outcome = checkedTolerableVoltages(c, 100.);
        QVERIFY(!outcome.refused());
        const TolerableVoltages &v = outcome.result();
        if (uTp > 0)
            QVERIFY(std::abs(v.permissibleTouch - uTp) <= 0.03 * uTp);
        QCOMPARE(v.cautions.size(), caution.isEmpty() ? std::size_t(0) : std::size_t(1));
        if (!caution.isEmpty()) {
            QCOMPARE(v.cautions.front().warning,
                     en ? Warning::DurationOutsideTable : Warning::DurationOutsideRange);
            QCOMPARE(
                QVector<double>(v.cautions.front().values.begin(), v.cautions.front().values.end()),
                caution);
        }
    }

    // U_vTp = U_Tp + (R_F1 + 1.5 rho_s) I_B, with I_B = U_Tp / Z_B(U_Tp) by hand from
    // IEC/TS 60479-1:2005 Table 1 (50 %, hand to hand):
    //   0.5 s: U_Tp 220 V, Z_T(220 V) = 1275 - 20/25 x 50 = 1235, I_B 0.178138 A;
    //   10 s: U_Tp 85 V, Z_T(85 V) = 2000 - 10/25 x 275 = 1890, I_B 0.044974 A.
    void prospectivePermissibleTouch_data() {
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("footwear");
        QTest::addColumn<double>("soil");
        QTest::addColumn<double>("surface"); // 0: none
        QTest::addColumn<double>("uTp");
        QTest::addColumn<double>("iB");
        const double i05 = 220. / 1235;
        const double i10 = 85. / 1890;
        QTest::newRow("0.5 s, bare feet on 100 ohm m") << 0.5 << 0. << 100. << 0. << 220. << i05;
        QTest::newRow("0.5 s, shoes on 100 ohm m") << 0.5 << 1000. << 100. << 0. << 220. << i05;
        QTest::newRow("0.5 s, shoes on 2500 ohm m rock over 400")
            << 0.5 << 1000. << 400. << 2500. << 220. << i05;
        QTest::newRow("10 s, shoes on 100 ohm m") << 10. << 1000. << 100. << 0. << 85. << i10;
    }

    void prospectivePermissibleTouch() {
        QFETCH(double, t);
        QFETCH(double, footwear);
        QFETCH(double, soil);
        QFETCH(double, surface);
        QFETCH(double, uTp);
        QFETCH(double, iB);
        SafetyCriteria c = en50522(t, footwear);
        if (surface > 0)
            c.surface = SurfaceLayer{surface, 0.1};
        const Refusable<TolerableVoltages> outcome = checkedTolerableVoltages(c, soil);
        QVERIFY(!outcome.refused());
        const TolerableVoltages &v = outcome.result();
        QVERIFY(near(v.permissibleTouch, uTp));
        QVERIFY(near(v.bodyCurrent, iB));
        const double ground = surface > 0 ? surface : soil;
        QVERIFY2(near(v.touch, uTp + (footwear + 1.5 * ground) * iB),
                 qPrintable(QString::number(v.touch)));
        QVERIFY(!v.stepLimited);
    }

    // Without the soil, EN 50522 counts the surface layer's R_F2 or none; IEEE Std 80
    // needs the soil.
    void withoutSoil() {
        SafetyCriteria c = en50522(0.5, 1000);
        const Refusable<TolerableVoltages> bare = checkedTolerableVoltages(c, std::nullopt);
        QVERIFY(!bare.refused());
        QVERIFY(near(bare.result().touch, 220 + 1000 * 220. / 1235));
        c.surface = SurfaceLayer{3000, 0.1};
        const Refusable<TolerableVoltages> rock = checkedTolerableVoltages(c, std::nullopt);
        QVERIFY(!rock.refused());
        QVERIFY(near(rock.result().touch, 220 + 5500 * 220. / 1235));
        c.criteria = Criteria::Ieee80;
        const Refusable<TolerableVoltages> ieee = checkedTolerableVoltages(c, std::nullopt);
        QVERIFY(ieee.refused());
        QCOMPARE(ieee.refusal().quantity, Quantity::SoilResistivity);
    }

    void footwearRefused_data() {
        QTest::addColumn<bool>("en");
        QTest::addColumn<double>("footwear");
        QTest::addColumn<QString>("reason"); // empty: accepted
        QTest::newRow("-1 ohm") << true << -1.
                                << "the footwear resistance R_F1 must be zero or a positive "
                                   "finite number, not -1";
        QTest::newRow("NaN") << true << std::numeric_limits<double>::quiet_NaN() << "not NaN";
        QTest::newRow("infinite") << true << std::numeric_limits<double>::infinity()
                                  << "not infinity";
        QTest::newRow("0 ohm: accepted") << true << 0. << "";
        QTest::newRow("IEEE 80 takes no footwear: accepted") << false << -1. << "";
    }

    void footwearRefused() {
        QFETCH(bool, en);
        QFETCH(double, footwear);
        QFETCH(QString, reason);
        SafetyCriteria c = en50522(0.5, footwear);
        if (!en)
            c.criteria = Criteria::Ieee80;
        const Refusable<TolerableVoltages> outcome = checkedTolerableVoltages(c, 100.);
        QCOMPARE(outcome.refused(), !reason.isEmpty());
        GridSafetyInput grid = annexB1();
        grid.criteria = c.criteria;
        grid.footwear = footwear;
        const Refusable<GridSafetyResult> checked = calculateGridSafety(grid);
        QCOMPARE(checked.refused(), !reason.isEmpty());
        if (!reason.isEmpty()) {
            QCOMPARE(outcome.refusal().error, Error::NegativeOrNotFinite);
            QCOMPARE(outcome.refusal().quantity, Quantity::FootwearResistance);
            const QString said = shippedWording().refusal(outcome.refusal());
            QVERIFY2(said.contains(reason), qPrintable(said));
            QCOMPARE(shippedWording().refusal(checked.refusal()), said);
        }
    }

    // Beyond any soil's, rock's or boot's resistance the tolerable voltages hold no
    // body-current limit any more: refused, naming the field and the bound; at the bound
    // accepted.
    void aboveCeilingRefused_data() {
        QTest::addColumn<double>("soil");
        QTest::addColumn<double>("surface");  // 0: none
        QTest::addColumn<double>("footwear"); // below 0: IEEE Std 80
        QTest::addColumn<QString>("reason");  // empty: accepted
        QTest::newRow("soil 1e308") << 1e308 << 0. << -1. << "soil resistivity";
        QTest::newRow("surface 1e300") << 100. << 1e300 << -1. << "surface layer";
        QTest::newRow("footwear 1e300") << 100. << 0. << 1e300 << "footwear";
        QTest::newRow("EN, soil 1e8") << 1e8 << 0. << 1000. << "soil resistivity";
        QTest::newRow("at the bounds: accepted") << 1e7 << 1e7 << 1e6 << "";
        QTest::newRow("IEEE at the bounds: accepted") << 1e7 << 1e7 << -1. << "";
    }

    void aboveCeilingRefused() {
        QFETCH(double, soil);
        QFETCH(double, surface);
        QFETCH(double, footwear);
        QFETCH(QString, reason);
        SafetyCriteria c = en50522(0.5, footwear);
        if (footwear < 0)
            c.criteria = Criteria::Ieee80;
        if (surface > 0)
            c.surface = SurfaceLayer{surface, 0.1};
        const Refusable<TolerableVoltages> outcome = checkedTolerableVoltages(c, soil);
        QCOMPARE(outcome.refused(), !reason.isEmpty());
        if (reason.isEmpty()) {
            QVERIFY(std::isfinite(outcome.result().touch));
            return;
        }
        QCOMPARE(outcome.refusal().error, Error::AboveCeiling);
        const QString said = shippedWording().refusal(outcome.refusal());
        QVERIFY2(said.contains(reason, Qt::CaseInsensitive), qPrintable(said));
        const double bound = footwear > 1e6 ? 1e6 : 1e7;
        QCOMPARE(outcome.refusal().values.back(), bound);
        GridSafetyInput grid = annexB1();
        grid.soilResistivity = soil;
        grid.surface = c.surface;
        grid.criteria = c.criteria;
        grid.footwear = c.footwear;
        QVERIFY(calculateGridSafety(grid).refused());
    }

    // Eq. 27 is fitted for a surface layer more resistive than the soil: a layer less
    // resistive makes Cs exceed 1 (2500 ohm m rock on 10^6 ohm m soil: 124.8), which is
    // said beside the result; a layer as resistive as the soil or more gives no caution.
    void surfaceLayerBelowSoil_data() {
        QTest::addColumn<double>("soil");
        QTest::addColumn<bool>("caution");
        QTest::newRow("rock on 10^6 ohm m") << 1e6 << true;
        QTest::newRow("rock on 3000 ohm m") << 3000. << true;
        QTest::newRow("rock on 2500 ohm m") << 2500. << false;
        QTest::newRow("rock on 400 ohm m") << 400. << false;
    }

    void surfaceLayerBelowSoil() {
        QFETCH(double, soil);
        QFETCH(bool, caution);
        SafetyCriteria c;
        c.faultDuration = 0.5;
        c.surface = SurfaceLayer{2500, 0.1};
        const Refusable<TolerableVoltages> outcome = checkedTolerableVoltages(c, soil);
        QVERIFY(!outcome.refused());
        const double cs = 1 - 0.09 * (1 - soil / 2500) / (2 * 0.1 + 0.09);
        QVERIFY(near(outcome.result().Cs, cs));
        const auto isLayer = [](const Caution &k) {
            return k.warning == Warning::SurfaceLayerBelowSoil;
        };
        const std::vector<Caution> &cautions = outcome.result().cautions;
        QCOMPARE(std::any_of(cautions.begin(), cautions.end(), isLayer), caution);
        GridSafetyInput grid = annexB1();
        grid.soilResistivity = soil;
        grid.surface = c.surface;
        const Refusable<GridSafetyResult> checked = calculateGridSafety(grid);
        QVERIFY(!checked.refused());
        const std::vector<Caution> &gridCautions = checked.result().cautions;
        QCOMPARE(std::any_of(gridCautions.begin(), gridCautions.end(), isLayer), caution);
        if (caution) {
            const auto k = std::find_if(cautions.begin(), cautions.end(), isLayer);
            const QString said = shippedWording().caution(*k);
            QVERIFY2(said.contains(QLatin1String("Eq. 27")), qPrintable(said));
        }
    }

    // B.1's grid held against EN 50522: Em and Es stay IEEE Std 80's, the touch limit is
    // U_vTp for 0.5 s on 2500 ohm m rock in shoes, 220 + (1000 + 3750) I_B = 1348.2 V, and
    // the step has no limit.
    void gridAgainstEn50522() {
        GridSafetyInput in = annexB1();
        const GridSafetyResult ieee = calculateGridSafety(in).result();
        in.criteria = Criteria::En50522;
        const Refusable<GridSafetyResult> outcome = calculateGridSafety(in);
        QVERIFY(!outcome.refused());
        const GridSafetyResult &r = outcome.result();
        QCOMPARE(r.Em, ieee.Em);
        QCOMPARE(r.Es, ieee.Es);
        QCOMPARE(r.criteria, Criteria::En50522);
        QVERIFY(near(r.touchTolerable, 220 + 4750 * 220. / 1235));
        QVERIFY(near(r.permissibleTouch, 220));
        QVERIFY(r.touchSafe); // Em 1001.6 V below 1348.2 V, where IEEE's 840.5 V fails it
        QVERIFY(!ieee.touchSafe);
        QVERIFY(!r.stepLimited);
        QCOMPARE(tav::stepVerdict(r), Verdict::NoLimit);
        QCOMPARE(tav::stepVerdict(ieee), Verdict::Safe);
        QCOMPARE(tav::verdict(r, r.touchSafe), Verdict::Safe);
    }
};

QTEST_APPLESS_MAIN(TestTolerableVoltage)
#include "tst_tolerablevoltage.moc"
