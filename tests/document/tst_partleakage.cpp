// The current each part leaks, checked against the solver's segments summed here by the
// conductors' sources, and the shares of the energised parts against the current injected.

#include "../support/ShippedWording.h"
#include "core/earthing/EarthingSolver.h"
#include "document/PartLeakage.h"
#include "document/ResultJson.h"
#include "document/SystemDocument.h"
#include "tests/support/ReadDocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cmath>
#include <map>

using namespace tav;
using namespace tav::earthing;

namespace {

// A grid with rods on its edge, a conductor given apart and a floating fence round them.
const QByteArray kSystem = R"({"soil": {"rho": 100}, "current": 1000, "segment_length": 2,
    "search": {"step": 2},
    "conductors": [{"from": [30, 0, 0.5], "to": [40, 0, 0.5], "diameter": 0.01}],
    "grids": [{"size": [20, 10], "conductors": [3, 3], "depth": 0.5, "diameter": 0.01,
               "rods": {"count": 4, "length": 3, "diameter": 0.016}}],
    "fences": [{"distance": 2, "posts": {"spacing": 6, "length": 1, "diameter": 0.05}}]})";

struct Solved {
    SystemDocument document;
    EarthingResult result;
};

const Solved &solved() {
    static const Solved s = [] {
        Solved out{readSoundDocument(kSystem), {}};
        const Refusable<EarthingResult> r = EarthingSolver::solve(out.document.input());
        if (r.refused())
            qFatal("the system was refused");
        out.result = r.result();
        return out;
    }();
    return s;
}

QString key(const ConductorSource &s) {
    return QString::number(int(s.kind)) + QLatin1Char('/') + QString::number(s.index) +
           QLatin1Char('/') + s.field;
}

} // namespace

class TestPartLeakage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each part's total is the sum of its conductors' segments, summed here straight from
    // the segments and the sources; and every part that has a conductor has its row.
    void totalsFromSegments() {
        const Solved &s = solved();
        const std::vector<ConductorSource> sources = s.document.sources();
        std::map<QString, double> sums;
        for (const SegmentResult &segment : s.result.segmentCurrents)
            sums[key(sources[std::size_t(segment.conductor)])] += segment.current;
        const SystemLeakage leakage = SystemLeakage::of(s.document, s.result);
        QCOMPARE(leakage.parts.size(), sums.size());
        for (const PartLeakageRow &row : leakage.parts) {
            const ConductorSource source{row.kind, row.index, row.field};
            const double expected = sums.at(key(source));
            QVERIFY2(std::abs(row.current - expected) <= 1e-9 * std::max(1.0, std::abs(expected)),
                     qPrintable(row.path()));
        }
        QCOMPARE(leakage.conductors.size(), sources.size());
    }

    // Group 0's parts take the whole injected current between them; the floating fence's
    // posts net to nothing.
    void sharesOfTheInjected() {
        const Solved &s = solved();
        const SystemLeakage leakage = SystemLeakage::of(s.document, s.result);
        double shares = 0;
        double floating = 0;
        int floatingRows = 0;
        for (const PartLeakageRow &row : leakage.parts) {
            if (row.group == 0)
                shares += row.share;
            else {
                floating += row.current;
                ++floatingRows;
            }
        }
        QVERIFY2(std::abs(shares - 1) < 1e-9, qPrintable(QString::number(shares - 1)));
        QCOMPARE(floatingRows, 1); // the fence's posts
        QVERIFY(std::abs(floating) < 1e-6 * 1000);
        QCOMPARE(leakage.injected, 1000.0);
    }

    // The rows in the document's order, named as the window and tav-calc name them.
    void names() {
        const Solved &s = solved();
        const SystemLeakage leakage = SystemLeakage::of(s.document, s.result);
        QStringList names;
        QStringList paths;
        for (const PartLeakageRow &row : leakage.parts) {
            names << SystemLeakage::name(row, shippedText);
            paths << row.path();
        }
        QCOMPARE(names, (QStringList{"Conductor 1", "Grid 1", "Grid 1 rods", "Fence 1 posts"}));
        QCOMPARE(paths,
                 (QStringList{"conductors[0]", "grids[0]", "grids[0].rods", "fences[0].posts"}));
        // The grid's rods: 4 of 3 m.
        QVERIFY(std::abs(leakage.parts[2].length - 12) < 1e-9);
        QVERIFY(std::abs(leakage.parts[2].density() - leakage.parts[2].current / 12) < 1e-12);
    }

    // The result's JSON with the leakage: a row per part and per conductor, as computed.
    void json() {
        const Solved &s = solved();
        const SystemLeakage leakage = SystemLeakage::of(s.document, s.result);
        const QJsonObject o =
            QJsonDocument::fromJson(ResultJson::write(s.result, &leakage)).object();
        const QJsonArray parts = o.value(QStringLiteral("leakage")).toArray();
        QCOMPARE(parts.size(), qsizetype(4));
        double shares = 0;
        for (const QJsonValue &p : parts)
            if (p[QStringLiteral("group")].toInt() == 0)
                shares += p[QStringLiteral("share")].toDouble();
        QVERIFY(std::abs(shares - 1) < 1e-9);
        QCOMPARE(parts[2][QStringLiteral("part")].toString(), QStringLiteral("grids[0].rods"));
        const QJsonArray conductors = o.value(QStringLiteral("conductors_leakage")).toArray();
        QCOMPARE(std::size_t(conductors.size()), s.document.sources().size());
        double total = 0;
        for (const QJsonValue &c : conductors)
            total += c[QStringLiteral("current")].toDouble();
        QVERIFY(std::abs(total - 1000) < 1e-6);
        // Without it, no key.
        QVERIFY(!QJsonDocument::fromJson(ResultJson::write(s.result))
                     .object()
                     .contains(QStringLiteral("leakage")));
    }
};

QTEST_APPLESS_MAIN(TestPartLeakage)
#include "tst_partleakage.moc"
