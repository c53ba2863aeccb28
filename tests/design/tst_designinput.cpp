// The document's "design" read strictly: each fault refused at its path; a sound one read
// as given, written back the same, and its document a version 5 one.
#include "document/CaseStudy.h"
#include "document/DesignStudy.h"
#include "document/SystemDocument.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

using Kind = tav::DocumentError::Kind;

QByteArray withDesign(const QByteArray &design) {
    return R"({"soil": {"rho": 100}, "current": 1000, "design": )" + design + "}";
}

QByteArray design(const QByteArray &outline, const QByteArray &prices, const QByteArray &rest) {
    return R"({"outline": )" + outline + R"(, "prices": )" + prices + rest + "}";
}

const QByteArray kSquare = "[[0, 0], [10, 0], [10, 10], [0, 10]]";
const QByteArray kPrices = R"({"conductor_per_m": 1, "rod_per_m": 2})";
const QByteArray kLengths = R"(, "rod_lengths": [3])";

} // namespace

Q_DECLARE_METATYPE(tav::DocumentError::Kind)

class TestDesignInput : public QObject {
    Q_OBJECT

private slots:
    void refused_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("path");
        const auto row = [](const char *name, const QByteArray &d, Kind kind, const char *path) {
            QTest::newRow(name) << withDesign(d) << kind << QString::fromLatin1(path);
        };
        // The outline.
        row("two corners", design("[[0, 0], [10, 0]]", kPrices, kLengths), Kind::TooFewCorners,
            "design.outline");
        row("self-crossing", design("[[0, 0], [10, 10], [10, 0], [0, 10]]", kPrices, kLengths),
            Kind::SelfCrossing, "design.outline");
        row("corners in a line", design("[[0, 0], [5, 0], [10, 0]]", kPrices, kLengths),
            Kind::NoArea, "design.outline");
        row("no outline",
            R"({"prices": {"conductor_per_m": 1, "rod_per_m": 2}, "rod_lengths": [3]})",
            Kind::MissingKey, "design.outline");
        // The prices.
        row("negative price",
            design(kSquare, R"({"conductor_per_m": 1, "rod_per_m": -2})", kLengths), Kind::Negative,
            "design.prices.rod_per_m");
        row("price as text",
            design(kSquare, R"({"conductor_per_m": "1", "rod_per_m": 2})", kLengths),
            Kind::NotANumber, "design.prices.conductor_per_m");
        row("negative surface price",
            design(kSquare, R"({"conductor_per_m": 1, "rod_per_m": 2, "surface_per_m2": -1})",
                   kLengths),
            Kind::Negative, "design.prices.surface_per_m2");
        row("unknown price",
            design(kSquare, R"({"conductor_per_m": 1, "rod_per_m": 2, "gold": 1})", kLengths),
            Kind::UnknownKey, "design.prices.gold");
        // The rod lengths.
        row("no rod length", design(kSquare, kPrices, R"(, "rod_lengths": [])"), Kind::NoRodLengths,
            "design.rod_lengths");
        row("zero rod length", design(kSquare, kPrices, R"(, "rod_lengths": [3, 0])"),
            Kind::DesignRodLength, "design.rod_lengths[1]");
        row("negative rod length", design(kSquare, kPrices, R"(, "rod_lengths": [-3])"),
            Kind::DesignRodLength, "design.rod_lengths[0]");
        row("rod length as text", design(kSquare, kPrices, R"(, "rod_lengths": ["3"])"),
            Kind::NotANumber, "design.rod_lengths[0]");
        row("rod lengths not a list", design(kSquare, kPrices, R"(, "rod_lengths": 3)"),
            Kind::NotAnArray, "design.rod_lengths");
        // The depth and diameter.
        row("depth zero", design(kSquare, kPrices, kLengths + R"(, "depth": 0)"), Kind::DesignDepth,
            "design.depth");
        row("depth too deep", design(kSquare, kPrices, kLengths + R"(, "depth": 5.5)"),
            Kind::DesignDepth, "design.depth");
        row("diameter zero", design(kSquare, kPrices, kLengths + R"(, "diameter": 0)"),
            Kind::DesignDiameter, "design.diameter");
        row("diameter too thick", design(kSquare, kPrices, kLengths + R"(, "diameter": 0.2)"),
            Kind::DesignDiameter, "design.diameter");
        row("unknown key", design(kSquare, kPrices, kLengths + R"(, "budget": 5)"),
            Kind::UnknownKey, "design.budget");
    }
    void refused() {
        QFETCH(QByteArray, json);
        QFETCH(Kind, kind);
        QFETCH(QString, path);
        tav::DocumentError error;
        tav::SystemDocument::fromJson(json, error);
        QCOMPARE(error.kind, kind);
        QCOMPARE(error.path, path);
    }

    void readAndWritten() {
        const QByteArray json = withDesign(
            design(kSquare, R"({"conductor_per_m": 1.5, "rod_per_m": 2, "surface_per_m2": 0})",
                   R"(, "rod_lengths": [3, 7.5], "depth": 0.8, "diameter": 0.012)"));
        tav::DocumentError error;
        const tav::SystemDocument d = tav::SystemDocument::fromJson(json, error);
        QCOMPARE(error.kind, Kind::None);
        QVERIFY(d.design);
        QCOMPARE(d.design->outline.size(), std::size_t(4));
        QCOMPARE(d.design->prices.conductorPerM, 1.5);
        QCOMPARE(d.design->prices.surfacePerM2.value_or(-1), 0.0);
        QCOMPARE(d.design->rodLengths, (std::vector<double>{3, 7.5}));
        QCOMPARE(d.design->depth, 0.8);
        QCOMPARE(d.design->diameter, 0.012);
        QCOMPARE(d.version(), 5);
        const QJsonObject written = QJsonDocument::fromJson(d.toJson()).object();
        QCOMPARE(written.value("design").toObject(),
                 QJsonDocument::fromJson(json).object().value("design").toObject());
        // Without a price for it, the surface layer is not the design's to choose.
        tav::DocumentError plain;
        const tav::SystemDocument p =
            tav::SystemDocument::fromJson(withDesign(design(kSquare, kPrices, kLengths)), plain);
        QCOMPARE(plain.kind, Kind::None);
        QVERIFY(!p.design->prices.surfacePerM2);
    }

    // A layout without the rock leaves none under any case, a season's own layer among
    // them; with it, the rock lies over the outline and each case keeps its own.
    void rockLaidOrNot() {
        const QByteArray json =
            R"({"soil": {"rho": 100}, "current": 1000,
                "safety": {"duration": 0.5, "surface": {"rho": 2500, "thickness": 0.1}},
                "cases": [{"name": "Dry"}, {"name": "Wet", "surface": {"rho": 800, "thickness": 0.1}}],
                "design": )" +
            design(kSquare, R"({"conductor_per_m": 1, "rod_per_m": 2, "surface_per_m2": 5})",
                   kLengths) +
            "}";
        tav::DocumentError error;
        const tav::SystemDocument d = tav::SystemDocument::fromJson(json, error);
        QCOMPARE(error.kind, Kind::None);
        QVERIFY(d.cases.size() == 2 && d.cases[1].surface);
        tav::design::Layout bare;
        const tav::SystemDocument without = tav::DesignStudy::laidOut(d, bare);
        QVERIFY(!without.safety->surface);
        QVERIFY(!without.cases[1].surface);
        tav::design::Layout rock;
        rock.surface = true;
        const tav::SystemDocument with = tav::DesignStudy::laidOut(d, rock);
        QVERIFY(with.safety->surface);
        QCOMPARE(with.cases[1].surface->resistivity, 800.0);
        QCOMPARE(with.surfaceZone.size(), std::size_t(4));
    }

    // The layout is judged over the outline, as a grid over its own area, and not within
    // reach outside its perimeter; a fence kept beside it keeps its band. The laid
    // document reads back with the same areas.
    void touchOverTheOutline() {
        const QByteArray json =
            R"({"soil": {"rho": 100}, "current": 1000, "safety": {"duration": 0.5},
                "segment_length": 1, "search": {"step": 0.5, "margin": 3},
                "fences": [{"polyline": [[-3, -3], [13, -3], [13, 13], [-3, 13]], "closed": true,
                            "posts": {"spacing": 4, "length": 1, "diameter": 0.05}, "group": 0}],
                "design": )" +
            design("[[0, 0], [10, 0], [10, 5], [5, 5], [5, 10], [0, 10]]", kPrices, kLengths) +
            "}";
        tav::DocumentError error;
        const tav::SystemDocument d = tav::SystemDocument::fromJson(json, error);
        QCOMPARE(error.kind, Kind::None);
        const tav::SystemDocument laid = tav::DesignStudy::laidOut(d, tav::design::Layout{});
        QVERIFY(!laid.shapesGiveTouchAreas);
        QCOMPARE(laid.touchAreas.size(), std::size_t(2));
        QVERIFY(laid.touchAreas[0].band > 0); // the fence's
        QCOMPARE(laid.touchAreas[1].outline.size(), std::size_t(6));
        QCOMPARE(laid.touchAreas[1].outline[3].x, 5.0);
        QCOMPARE(laid.touchAreas[1].band, 0.0);

        tav::DocumentError again;
        const tav::SystemDocument back = tav::SystemDocument::fromJson(laid.toJson(), again);
        QCOMPARE(again.kind, Kind::None);
        QCOMPARE(back.input().touchAreas.size(), std::size_t(2));

        const tav::Refusable<tav::StudyEvaluation> study = tav::CaseStudy::evaluate(laid);
        QVERIFY(!study.refused());
        const tav::earthing::CaseEnvelope &e = *study.result().envelope;
        QCOMPARE(e.areas.size(), std::size_t(2));
        // The yard's worst touch lies in the L (the re-entrant square cut out), not a
        // metre outside its perimeter where the potential is lower still.
        const tav::earthing::Point2 at = e.areas[1].judged.at;
        const double tolerance = 1e-9;
        QVERIFY2(at.x >= -tolerance && at.x <= 10 + tolerance && at.y >= -tolerance &&
                     at.y <= 10 + tolerance && !(at.x > 5 + tolerance && at.y > 5 + tolerance),
                 qPrintable(QString("worst touch at %1, %2").arg(at.x).arg(at.y)));
    }
};

QTEST_GUILESS_MAIN(TestDesignInput)
#include "tst_designinput.moc"
