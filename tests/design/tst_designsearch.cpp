// The automatic design on IEEE Std 80 Annex B's site (70 m x 70 m, 400 ohm m, 1908 A for
// 0.5 s, 70 kg, 0.102 m of 2500 ohm m crushed rock), coarsely segmented: the design passes
// when its document is read back and solved on its own, costs what its conductors and rods
// cost by the prices, and costs no more than the cheapest passing layout of a brute-force
// family of uniform grids with perimeter rods, each solved through the ordinary evaluation.
// The layout family's geometry against closed forms.
#include "core/design/DesignLayout.h"
#include "core/design/DesignSearch.h"
#include "document/CaseStudy.h"
#include "document/DesignStudy.h"
#include "document/SystemDocument.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

using tav::SystemDocument;

constexpr double kConductorPrice = 1;
constexpr double kRodPrice = 2;
constexpr double kRodLength = 7.5;
constexpr int kMostLines = 8;

// The site's soil, current and criteria; parts as given.
QByteArray annexB(const QByteArray &parts) {
    return R"({"soil": {"rho": 400}, "current": 1908,
        "safety": {"duration": 0.5, "body": 70, "surface": {"rho": 2500, "thickness": 0.102}},
        "segment_length": 10, "search": {"step": 3.5, "margin": 3})" +
           parts + "}";
}

SystemDocument read(const QByteArray &json) {
    tav::DocumentError error;
    const SystemDocument d = SystemDocument::fromJson(json, error);
    if (error.kind != tav::DocumentError::Kind::None)
        qFatal("unreadable at %s", qPrintable(error.path));
    return d;
}

bool passes(const SystemDocument &d) {
    const tav::Refusable<tav::StudyEvaluation> e = tav::CaseStudy::evaluate(d);
    return !e.refused() && e.result().envelope &&
           e.result().envelope->overall == tav::Verdict::Safe;
}

// A uniform grid of n lines each way over the site with count rods on its perimeter.
QByteArray uniformGrid(int n, int rods) {
    QByteArray grid = R"(, "grids": [{"origin": [0, 0], "size": [70, 70], "conductors": [)" +
                      QByteArray::number(n) + ", " + QByteArray::number(n) +
                      R"(], "depth": 0.5, "diameter": 0.01)";
    if (rods > 0)
        grid += R"(, "rods": {"count": )" + QByteArray::number(rods) +
                R"(, "length": 7.5, "diameter": 0.01})";
    return grid + "}]";
}

double length(const tav::earthing::Conductor &c) {
    return std::hypot(std::hypot(c.to.x - c.from.x, c.to.y - c.from.y), c.to.z - c.from.z);
}

} // namespace

class TestDesignSearch : public QObject {
    Q_OBJECT

private slots:
    void annexBDesign() {
        const SystemDocument site = read(annexB(R"(, "design": {
            "outline": [[0, 0], [70, 0], [70, 70], [0, 70]],
            "prices": {"conductor_per_m": 1, "rod_per_m": 2},
            "rod_lengths": [7.5], "depth": 0.5, "diameter": 0.01})"));
        tav::DesignStudy::Options options;
        options.mostLines = kMostLines;
        const tav::Refusable<tav::DesignResult> designed = tav::DesignStudy::run(site, {}, options);
        QVERIFY(!designed.refused());
        const tav::DesignResult &r = designed.result();
        QVERIFY(r.outcome.safe);

        // Read back from its own document and solved again, it passes.
        const SystemDocument again = read(r.document.toJson());
        QVERIFY(!again.design);
        QVERIFY(passes(again));

        // Its cost is its metres by the prices.
        double metres = 0;
        for (const auto &c : again.conductors)
            metres += length(c);
        double rodMetres = 0;
        for (const auto &rods : again.rods)
            rodMetres += double(rods.at.size()) * rods.length;
        QCOMPARE(r.outcome.best.cost.total, metres * kConductorPrice + rodMetres * kRodPrice);

        // The brute-force family, each solved: n uniform lines each way (2 n 70 m of
        // conductor) and 0, 8, 16 or 32 perimeter rods of 7.5 m.
        double cheapest = std::numeric_limits<double>::infinity();
        for (int n = 3; n <= kMostLines; ++n)
            for (const int rods : {0, 8, 16, 32}) {
                const double cost = 2 * n * 70 * kConductorPrice + rods * kRodLength * kRodPrice;
                if (cost < cheapest && passes(read(annexB(uniformGrid(n, rods)))))
                    cheapest = cost;
            }
        QVERIFY2(std::isfinite(cheapest), "the brute-force family has no passing layout");
        QVERIFY2(r.outcome.best.cost.total <= cheapest + 1e-9,
                 qPrintable(QStringLiteral("design %1 against %2")
                                .arg(r.outcome.best.cost.total)
                                .arg(cheapest)));
    }

    // The search hears a cancel as a solve does: refused as cancelled, after the progress
    // said where it was.
    void cancelled() {
        const SystemDocument site = read(annexB(R"(, "design": {
            "outline": [[0, 0], [70, 0], [70, 70], [0, 70]],
            "prices": {"conductor_per_m": 1, "rod_per_m": 2}, "rod_lengths": [7.5]})"));
        int reports = 0;
        std::size_t total = 0;
        const tav::Refusable<tav::DesignResult> stopped =
            tav::DesignStudy::run(site, [&](const tav::design::DesignProgress &p) {
                total = p.total;
                return ++reports < 3;
            });
        QVERIFY(stopped.refused());
        QCOMPARE(stopped.refusal().error, tav::Error::Cancelled);
        QCOMPARE(reports, 3);
        QVERIFY(total > 0);
    }

    // The search's own logic on a stand-in evaluation whose worst share falls as the metal
    // grows (as touch and step voltages do): where nothing passes, the search says so in
    // a few solves, having solved the richest layout of each kind ahead of its turn; where
    // only much metal passes, those richest layouts never make the answer, which is the
    // cheapest passing layout of the family taken one by one.
    void standIn_data() {
        QTest::addColumn<double>("needed"); // metres of metal for a share of 1; 0: never
        QTest::newRow("nothing passes") << 0.0;
        QTest::newRow("much metal passes") << 600.0;
    }
    void standIn() {
        QFETCH(double, needed);
        using namespace tav::design;
        DesignBrief brief;
        brief.outline = {{0, 0}, {30, 0}, {30, 30}, {0, 30}};
        brief.rodLengths = {3, 6};
        brief.prices.conductorPerM = 1;
        brief.prices.rodPerM = 2;
        const FamilyBounds bounds = DesignLayout::bounds(brief, false);
        const auto metal = [&](const Layout &l) {
            const LayoutCost c = DesignLayout::cost(brief, l);
            return c.conductorMetres + c.rodMetres;
        };
        const auto share = [&](const Layout &l) {
            return needed > 0 ? needed / metal(l) : 2 + 1000 / metal(l);
        };
        const Evaluate evaluate = [&](const std::vector<Layout> &layouts,
                                      const tav::earthing::ProgressCallback &) {
            std::vector<Judgement> judged;
            for (const Layout &l : layouts) {
                Judgement j;
                j.touchShare = share(l);
                j.safe = *j.touchShare <= 1;
                j.solves = 1;
                judged.push_back(j);
            }
            return tav::Refusable<std::vector<Judgement>>(judged);
        };
        const tav::Refusable<DesignOutcome> run =
            DesignSearch::run(brief, bounds, evaluate, DesignSearch::Options{});
        QVERIFY(!run.refused());
        const DesignOutcome &o = run.result();
        const std::vector<Layout> family = DesignLayout::family(brief, bounds);
        QVERIFY(family.size() > 1000);
        double cheapest = std::numeric_limits<double>::infinity();
        for (const Layout &l : family)
            if (share(l) <= 1)
                cheapest = std::min(cheapest, DesignLayout::cost(brief, l).total);
        if (needed == 0) {
            QVERIFY(!o.safe);
            // Ten cheapest, the four richest (two spacings, two rod lengths), no more.
            QCOMPARE(o.solves, DesignSearch::kCeilingsAfter + 4);
            // The least failing is the one of most metal.
            QCOMPARE(metal(o.best.layout),
                     metal(*std::max_element(family.begin(), family.end(),
                                             [&](const Layout &a, const Layout &b) {
                                                 return metal(a) < metal(b);
                                             })));
        } else {
            QVERIFY(o.safe);
            QVERIFY(std::isfinite(cheapest));
            QCOMPARE(o.best.cost.total, cheapest);
            QVERIFY(std::size_t(o.solves) < family.size());
        }
    }

    // Conductor metres of a layout inside an outline: a rectangle's n lines each way are
    // n full lines; an L (a 20 m square without its 10 m corner square) is cut where the
    // lines cross the notch.
    void layoutMetres_data() {
        QTest::addColumn<QVector<double>>("outline");
        QTest::addColumn<int>("linesX");
        QTest::addColumn<int>("linesY");
        QTest::addColumn<bool>("compressed");
        QTest::addColumn<double>("metres");
        const QVector<double> rectangle{0, 0, 70, 0, 70, 40, 0, 40};
        QTest::newRow("perimeter") << rectangle << 2 << 2 << false << 220.0;
        QTest::newRow("5 x 3 even") << rectangle << 5 << 3 << false << 5 * 40.0 + 3 * 70.0;
        QTest::newRow("5 x 3 compressed") << rectangle << 5 << 3 << true << 5 * 40.0 + 3 * 70.0;
        const QVector<double> l{0, 0, 20, 0, 20, 10, 10, 10, 10, 20, 0, 20};
        // Perimeter 80 m; x = 20/3 runs 20 m and x = 40/3 10 m, and the same across y.
        QTest::newRow("L 4 x 4") << l << 4 << 4 << false << 80.0 + 2 * (20.0 + 10.0);
        // The middle line x = 10 lies along the notch's edge from 10 to 20: only 0 to 10.
        QTest::newRow("L 3 x 3") << l << 3 << 3 << false << 80.0 + 2 * 10.0;
    }
    void layoutMetres() {
        QFETCH(QVector<double>, outline);
        QFETCH(int, linesX);
        QFETCH(int, linesY);
        QFETCH(bool, compressed);
        QFETCH(double, metres);
        tav::design::DesignBrief brief;
        for (qsizetype k = 0; k + 1 < outline.size(); k += 2)
            brief.outline.push_back({outline[k], outline[k + 1]});
        brief.rodLengths = {3};
        brief.prices.conductorPerM = 2;
        tav::design::Layout layout;
        layout.linesX = linesX;
        layout.linesY = linesY;
        layout.compressX = layout.compressY = compressed;
        const tav::design::LayoutCost cost = tav::design::DesignLayout::cost(brief, layout);
        QCOMPARE(cost.conductorMetres, metres);
        QCOMPARE(cost.total, 2 * metres);
    }

    // Compressed spacing: symmetric, rising, the edge gaps (1 - a) and the middle ones
    // (1 + a) of the mean to first order, a = 0.5.
    void compressedSpacing() {
        const std::vector<double> at = tav::design::DesignLayout::positions(0, 100, 11, true);
        QCOMPARE(at.front(), 0.0);
        QCOMPARE(at.back(), 100.0);
        for (std::size_t i = 0; i + 1 < at.size(); ++i) {
            QVERIFY(at[i + 1] > at[i]);
            QVERIFY(std::abs(at[i] + at[at.size() - 1 - i] - 100) < 1e-9);
        }
        const double edge = at[1] - at[0];
        const double middle = at[6] - at[5];
        QVERIFY(edge < 0.75 * 10 && edge > 0.4 * 10);
        QVERIFY(middle > 1.3 * 10 && middle < 1.5 * 10);
    }
};

QTEST_GUILESS_MAIN(TestDesignSearch)
#include "tst_designsearch.moc"
