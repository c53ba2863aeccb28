// The soil of an earthing system's document: what tav-calc soil-model writes, layers of one
// to five, and each bad layer refused at its path.
#include "core/earthing/InputCheck.h"
#include "document/SystemDocument.h"
#include "tests/support/ReadDocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <limits>
#include <vector>

using namespace tav;
using namespace tav::earthing;

namespace {

using Kind = DocumentError::Kind;

SystemDocument read(const QByteArray &json) {
    return readSoundDocument(json);
}

} // namespace

Q_DECLARE_METATYPE(tav::DocumentError::Kind)

class TestDocumentSoil : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What tav-calc soil-model writes can be pasted as the soil.
    void soilModelOutput_data() {
        QTest::addColumn<QByteArray>("soil");
        QTest::addColumn<bool>("layered");
        QTest::addColumn<double>("rho1");
        QTest::addColumn<int>("readings"); // of the sounding it was fitted to; 0: none
        QTest::newRow("two layers")
            << QByteArray(
                   R"({"rho1":99.95,"rho2":299.97,"h":1.998,"rms_percent":0.013,)"
                   R"("uniform":{"rho":161.9,"rms_percent":36.2},"rows":[{"spacing":1,)"
                   R"("measured":104.1,"model":104.08,"error_percent":-0.01}],"layered":true})")
            << true << 99.95 << 1;
        QTest::newRow("no layers")
            << QByteArray(R"({"rho1":100,"rho2":100,"h":null,"rms_percent":0,)"
                          R"("uniform":{"rho":100,"rms_percent":0},"rows":[],"layered":false})")
            << false << 100. << 0;
        QTest::newRow("handed on by the sounding's window")
            << QByteArray(R"({"rho":80,"readings":11,"rms_percent":3.2})") << false << 80. << 11;
        QTest::newRow("a count of readings that is no whole number")
            << QByteArray(R"({"rho":80,"readings":1.5,"rms_percent":3.2})") << false << 80. << 0;
        QTest::newRow("as given") << QByteArray(R"({"rho":80})") << false << 80. << 0;
        QTest::newRow("two of soil-model's layers")
            << QByteArray(R"({"layers":[{"rho":99.95,"thickness":1.998},{"rho":299.97}],)"
                          R"("rms_percent":0.013,"criterion":{"given":2},"array":"wenner",)"
                          R"("rows":[],"rho1":99.95,"rho2":299.97,"h":1.998,"layered":true})")
            << true << 99.95 << 0;
    }

    void soilModelOutput() {
        QFETCH(QByteArray, soil);
        QFETCH(bool, layered);
        QFETCH(double, rho1);
        QFETCH(int, readings);
        const SystemDocument d =
            read(R"({"soil": )" + soil + R"(, "current": 1, "conductors": []})");
        QCOMPARE(d.soil.layered, layered);
        QCOMPARE(d.soil.rho1, rho1);
        QCOMPARE(d.soilOrigin ? d.soilOrigin->readings : 0, readings);
        // Written back, the origin stays with the soil.
        const SystemDocument again = read(d.toJson());
        QCOMPARE(again.soilOrigin ? again.soilOrigin->readings : 0, readings);
    }

    // The sounding a soil was fitted to is kept with it: its array and each reading's
    // spacing (and MN/2 under Schlumberger) and apparent resistivity, read from soil-model's
    // "array" and "rows" and written back as they were read; a soil without one is written
    // without them, as it always was; rows that are not readings are no sounding.
    void soundingKept_data() {
        QTest::addColumn<QByteArray>("soil");
        QTest::addColumn<int>("readings"); // of the sounding, 0: none
        QTest::addColumn<bool>("schlumberger");
        QTest::newRow("Schlumberger")
            << QByteArray(R"({"rho": 80, "rms_percent": 2.5, "array": "schlumberger", "rows": [)"
                          R"({"spacing": 2, "mn": 0.5, "measured": 104}, {"spacing": 10, "mn": 1, )"
                          R"("measured": 160.5}, {"spacing": 40, "mn": 4, "measured": 211}]})")
            << 3 << true;
        QTest::newRow("soil-model's Wenner rows")
            << QByteArray(R"({"rho": 80, "rms_percent": 2.5, "array": "wenner", "rows": [)"
                          R"({"spacing": 1, "measured": 104.1, "model": 104.08, )"
                          R"("error_percent": -0.01}, {"spacing": 4, "measured": 163.9}]})")
            << 2 << false;
        QTest::newRow("a count only")
            << QByteArray(R"({"rho": 80, "readings": 11, "rms_percent": 3.2})") << 0 << false;
        QTest::newRow("MN/2 missing")
            << QByteArray(R"({"rho": 80, "rms_percent": 2.5, "array": "schlumberger", "rows": [)"
                          R"({"spacing": 2, "measured": 104}]})")
            << 0 << false;
        QTest::newRow("MN/2 not below AB/2")
            << QByteArray(R"({"rho": 80, "rms_percent": 2.5, "array": "schlumberger", "rows": [)"
                          R"({"spacing": 2, "mn": 2, "measured": 104}]})")
            << 0 << false;
        QTest::newRow("a count the rows do not make")
            << QByteArray(R"({"rho": 80, "readings": 5, "rms_percent": 2.5, "array": "wenner", )"
                          R"("rows": [{"spacing": 1, "measured": 104.1}]})")
            << 0 << false;
        QTest::newRow("no array")
            << QByteArray(R"({"rho": 80, "rms_percent": 2.5, "rows": [{"spacing": 1, )"
                          R"("measured": 104.1}]})")
            << 0 << false;
    }
    void soundingKept() {
        QFETCH(QByteArray, soil);
        QFETCH(int, readings);
        QFETCH(bool, schlumberger);
        const QJsonObject given = QJsonDocument::fromJson(soil).object();
        const SystemDocument d =
            read(R"({"soil": )" + soil + R"(, "current": 1, "conductors": []})");
        QVERIFY(d.soilOrigin);
        const auto &sounding = d.soilOrigin->sounding;
        QCOMPARE(sounding ? int(sounding->readings.size()) : 0, readings);
        const QJsonObject written =
            QJsonDocument::fromJson(d.toJson()).object().value(QStringLiteral("soil")).toObject();
        QCOMPARE(written.contains(QStringLiteral("rows")), readings > 0);
        QCOMPARE(written.contains(QStringLiteral("array")), readings > 0);
        if (!sounding)
            return;
        QCOMPARE(sounding->schlumberger, schlumberger);
        const QJsonArray rows = given.value(QStringLiteral("rows")).toArray();
        for (int k = 0; k < readings; ++k) {
            const QJsonObject row = rows[k].toObject();
            QCOMPARE(sounding->readings[k].spacing,
                     row.value(QStringLiteral("spacing")).toDouble());
            QCOMPARE(sounding->readings[k].mn, row.value(QStringLiteral("mn")).toDouble(0));
            QCOMPARE(sounding->readings[k].resistivity,
                     row.value(QStringLiteral("measured")).toDouble());
        }
        QCOMPARE(written.value(QStringLiteral("array")), given.value(QStringLiteral("array")));
        // Read again from what was written: the same readings.
        const SystemDocument again = read(d.toJson());
        QVERIFY(again.soilOrigin && again.soilOrigin->sounding);
        for (int k = 0; k < readings; ++k) {
            QCOMPARE(again.soilOrigin->sounding->readings[k].spacing,
                     sounding->readings[k].spacing);
            QCOMPARE(again.soilOrigin->sounding->readings[k].mn, sounding->readings[k].mn);
            QCOMPARE(again.soilOrigin->sounding->readings[k].resistivity,
                     sounding->readings[k].resistivity);
        }
    }

    // A soil given as its layers from the top down, as soil-model lists them: one or two
    // take the uniform and two-layer forms, three to five are kept as layers, and each is
    // written back as it was read, with the sounding it was fitted to.
    void layeredSoils_data() {
        QTest::addColumn<QByteArray>("soil");
        QTest::addColumn<QVector<double>>("rho");
        QTest::addColumn<QVector<double>>("thickness");
        QTest::addColumn<int>("readings");
        QTest::newRow("one layer") << QByteArray(R"({"layers": [{"rho": 250}]})")
                                   << QVector<double>{250} << QVector<double>{} << 0;
        QTest::newRow("two layers")
            << QByteArray(R"({"layers": [{"rho": 300, "thickness": 2}, {"rho": 100}]})")
            << QVector<double>{300, 100} << QVector<double>{2} << 0;
        QTest::newRow("three layers")
            << QByteArray(
                   R"({"layers": [{"rho": 300, "thickness": 2}, {"rho": 100, "thickness": 8},)"
                   R"( {"rho": 600}]})")
            << QVector<double>{300, 100, 600} << QVector<double>{2, 8} << 0;
        QTest::newRow("five layers")
            << QByteArray(
                   R"({"layers": [{"rho": 50, "thickness": 0.5}, {"rho": 400, "thickness": 1.5},)"
                   R"( {"rho": 80, "thickness": 3}, {"rho": 1200, "thickness": 12.25},)"
                   R"( {"rho": 30}]})")
            << QVector<double>{50, 400, 80, 1200, 30} << QVector<double>{0.5, 1.5, 3, 12.25} << 0;
        // soil-model's own answer, bounds, criterion, rows and warning beside the layers.
        QTest::newRow("soil-model's three layers")
            << QByteArray(
                   R"({"layers": [{"rho": 300, "thickness": 2, "thickness_at_least": 1.5},)"
                   R"( {"rho": 100, "thickness": 8}, {"rho": null, "rho_at_least": 900}],)"
                   R"( "rms_percent": 1.25, "criterion": {"given": 3}, "array": "wenner",)"
                   R"( "rows": [{"spacing": 1}, {"spacing": 2}, {"spacing": 4}, {"spacing": 8},)"
                   R"( {"spacing": 16}, {"spacing": 32}]})")
            << QVector<double>{} << QVector<double>{} << 6;
        QTest::newRow("handed on with its sounding")
            << QByteArray(
                   R"({"layers": [{"rho": 300, "thickness": 2}, {"rho": 100, "thickness": 8},)"
                   R"( {"rho": 600}], "readings": 14, "rms_percent": 2.5})")
            << QVector<double>{300, 100, 600} << QVector<double>{2, 8} << 14;
    }

    void layeredSoils() {
        QFETCH(QByteArray, soil);
        QFETCH(QVector<double>, rho);
        QFETCH(QVector<double>, thickness);
        QFETCH(int, readings);
        DocumentError error;
        const SystemDocument d = SystemDocument::fromJson(
            R"({"soil": )" + soil + R"(, "current": 1, "conductors": []})", error);
        if (rho.isEmpty()) { // a layer soil-model did not determine cannot be solved
            QCOMPARE(error.kind, Kind::MissingKey);
            QCOMPARE(error.path, QStringLiteral("soil.layers[2].rho"));
            return;
        }
        QCOMPARE(error.kind, Kind::None);
        QCOMPARE(d.soil.layerCount(), int(rho.size()));
        QCOMPARE(d.soil.layered, rho.size() > 1);
        QCOMPARE(d.soil.rho.size(), rho.size() > 2 ? std::size_t(rho.size()) : std::size_t(0));
        for (int k = 0; k < rho.size(); ++k)
            QCOMPARE(d.soil.resistivity(k), rho[k]);
        for (int k = 0; k < thickness.size(); ++k)
            QCOMPARE(d.soil.layerThickness(k), thickness[k]);
        if (rho.size() == 1)
            QCOMPARE(d.soil.rho1, rho[0]);
        if (rho.size() == 2)
            QCOMPARE(d.soil.h, thickness[0]);
        QCOMPARE(d.soilOrigin ? d.soilOrigin->readings : 0, readings);

        // Written and read again: the same layers, as layers when there are three or more.
        const QByteArray json = d.toJson();
        const QJsonObject written =
            QJsonDocument::fromJson(json).object().value(QStringLiteral("soil")).toObject();
        QCOMPARE(written.contains(QStringLiteral("layers")), rho.size() > 2);
        QCOMPARE(written.contains(QStringLiteral("rho1")), rho.size() == 2);
        const SystemDocument again = read(json);
        QCOMPARE(again.soil.layerCount(), int(rho.size()));
        for (int k = 0; k < rho.size(); ++k)
            QCOMPARE(again.soil.resistivity(k), rho[k]);
        for (int k = 0; k < thickness.size(); ++k)
            QCOMPARE(again.soil.layerThickness(k), thickness[k]);
        QCOMPARE(again.soilOrigin ? again.soilOrigin->readings : 0, readings);
    }

    // soil-model writes one or two layers twice, as layers and as rho1, rho2 and h: both
    // are read, and a value of the layers that differs is refused at its path rather than
    // passed over. Read, the soil is written back both ways, as --expand writes it.
    void layersBesideTheirNames_data() {
        QTest::addColumn<QByteArray>("soil");
        QTest::addColumn<DocumentError::Kind>("kind");
        QTest::addColumn<QString>("path");
        const QByteArray two = R"("rho1": 100, "rho2": 300, "h": 2, "layered": true)";
        const QByteArray uniform = R"("rho1": 80, "rho2": 80, "h": null, "layered": false)";
        QTest::newRow("two layers alike")
            << "{" + two + R"(, "layers": [{"rho": 100, "thickness": 2}, {"rho": 300}]})"
            << Kind::None << QString();
        QTest::newRow("soil-model's uniform answer alike")
            << "{" + uniform + R"(, "layers": [{"rho": 80.0}]})" << Kind::None << QString();
        QTest::newRow("a thickness that differs")
            << "{" + two + R"(, "layers": [{"rho": 100, "thickness": 3}, {"rho": 300}]})"
            << Kind::LayersDisagree << "soil.layers[0].thickness";
        QTest::newRow("a bottom layer that differs")
            << "{" + two + R"(, "layers": [{"rho": 100, "thickness": 2}, {"rho": 30}]})"
            << Kind::LayersDisagree << "soil.layers[1].rho";
        QTest::newRow("a uniform soil that differs")
            << "{" + uniform + R"(, "layers": [{"rho": 81}]})" << Kind::LayersDisagree
            << "soil.layers[0].rho";
        QTest::newRow("one layer beside two") << "{" + two + R"(, "layers": [{"rho": 100}]})"
                                              << Kind::LayersDisagree << "soil.layers";
        QTest::newRow("a layer of no resistivity")
            << "{" + two + R"(, "layers": [{"rho": 0, "thickness": 2}, {"rho": 300}]})"
            << Kind::NotPositive << "soil.layers[0].rho";
    }

    void layersBesideTheirNames() {
        QFETCH(QByteArray, soil);
        QFETCH(DocumentError::Kind, kind);
        QFETCH(QString, path);
        DocumentError error;
        const SystemDocument d = SystemDocument::fromJson(
            R"({"soil": )" + soil + R"(, "current": 1, "conductors": []})", error);
        QCOMPARE(error.kind, kind);
        QCOMPARE(error.path, path);
        if (kind != Kind::None)
            return;
        const QJsonObject given = QJsonDocument::fromJson(soil).object();
        const QJsonObject written =
            QJsonDocument::fromJson(d.toJson()).object().value(QStringLiteral("soil")).toObject();
        for (const char *key : {"layers", "rho1", "rho2", "h", "layered"})
            QCOMPARE(written.value(QLatin1String(key)), given.value(QLatin1String(key)));
        const SystemDocument again = read(d.toJson());
        QCOMPARE(again.soil.layerCount(), d.soil.layerCount());
        QCOMPARE(again.soil.rho1, d.soil.rho1);
    }

    // A soil of three layers or more built in code, not read, is refused by the solver's
    // check with the layer named, as the document's reader refuses it.
    void layerRefusedByTheCheck_data() {
        QTest::addColumn<QVector<double>>("rho");
        QTest::addColumn<QVector<double>>("thickness");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<double>("layer");
        const double inf = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const int rho = int(tav::Quantity::LayerResistivity);
        const int h = int(tav::Quantity::LayerThickness);
        QTest::newRow("sound") << QVector<double>{300, 100, 600} << QVector<double>{2, 8} << -1
                               << 0.;
        QTest::newRow("the last layer's resistivity 0")
            << QVector<double>{300, 100, 0} << QVector<double>{2, 8} << rho << 3.;
        QTest::newRow("the second layer's thickness negative")
            << QVector<double>{300, 100, 600} << QVector<double>{2, -8} << h << 2.;
        QTest::newRow("the fourth layer's thickness infinite")
            << QVector<double>{300, 100, 600, 50, 10} << QVector<double>{2, 8, 1, inf} << h << 4.;
        QTest::newRow("the first layer's resistivity not a number")
            << QVector<double>{nan, 100, 600} << QVector<double>{2, 8} << rho << 1.;
        QTest::newRow("a thickness missing")
            << QVector<double>{300, 100, 600} << QVector<double>{2} << h << 2.;
    }

    void layerRefusedByTheCheck() {
        QFETCH(QVector<double>, rho);
        QFETCH(QVector<double>, thickness);
        QFETCH(int, quantity);
        QFETCH(double, layer);
        SystemDocument d = read(R"({"soil": {"rho": 100}, "current": 10,
            "conductors": [{"from": [0, 0, 0.5], "to": [10, 0, 0.5], "diameter": 0.01}]})");
        d.soil = tav::earthing::EarthingSoil::layers({rho.begin(), rho.end()},
                                                     {thickness.begin(), thickness.end()});
        const auto refusal = tav::earthing::InputCheck::check(d.input());
        QCOMPARE(refusal.has_value(), quantity >= 0);
        if (!refusal)
            return;
        QCOMPARE(refusal->error, tav::Error::LayerNotPositive);
        QCOMPARE(int(refusal->quantity), quantity);
        QCOMPARE(refusal->values.at(0), layer);
    }
};

QTEST_APPLESS_MAIN(TestDocumentSoil)
#include "tst_documentsoil.moc"
