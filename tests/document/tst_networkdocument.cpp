// The network of lines and cables as the system document holds it: read strictly, every
// fault at its path, written back as read, in the lowest version that holds it; and the
// study that takes Df I_E to earth, I_E from the solved resistance as Z_E.
#include "document/DocumentWording.h"
#include "document/SystemDocument.h"
#include "document/SystemStudy.h"
#include "tests/support/ReadDocument.h"
#include "tests/support/ShippedWording.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cmath>
#include <complex>

using namespace tav;

Q_DECLARE_METATYPE(tav::DocumentError::Kind)
Q_DECLARE_METATYPE(tav::Error)

namespace {

using Kind = DocumentError::Kind;
using Complex = std::complex<double>;

// The network as the request for it gives it, word for word.
const QByteArray kNetwork = R"({"frequency": 50, "earth_return_rho": 100, "local_current": 2000,
    "lines": [{"name": "North", "current": 6000, "spans": 25, "span": 300, "tower_resistance": 10,
               "remote_resistance": 0.5,
               "earth_wires": [{"resistance": 0.4, "gmr": 0.004, "height": 30, "offset": 0}],
               "phase": {"height": 22, "offset": 4}},
              {"name": "South", "current": [3800, -900], "spans": null, "span": 300, "tower_resistance": 15,
               "earth_wires": [{"impedance": [0.45, 0.72], "mutual": [0.05, 0.31]}]}],
    "cables": [{"name": "Feeder 1", "current": 1500, "length": 3000, "remote_resistance": 1.0,
                "sheath": {"resistance": 0.3, "mean_radius": 0.03}}]})";

QByteArray withNetwork(const QByteArray &network, const QByteArray &soil = R"({"rho": 100})") {
    return R"({"soil": )" + soil + R"(, "network": )" + network +
           R"(, "grids": [{"origin": [0, 0], "size": [10, 10], "conductors": [3, 3],
               "depth": 0.5, "diameter": 0.01}], "search": {"step": 1, "margin": 2},
               "safety": {"duration": 0.5, "body": 70}})";
}

QJsonObject object(const QByteArray &json) {
    return QJsonDocument::fromJson(json).object();
}

double relative(double a, double b) {
    return std::abs(a - b) / std::abs(b);
}

} // namespace

class TestNetworkDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsTheNetwork() {
        const SystemDocument d = readSoundDocument(withNetwork(kNetwork));
        QVERIFY(d.network);
        const network::Network &n = d.network->model;
        QCOMPARE(n.frequency, 50.);
        QCOMPARE(n.earthReturnRho, 100.);
        QCOMPARE(n.localCurrent, Complex(2000, 0));
        QCOMPARE(n.lines.size(), std::size_t(2));
        QCOMPARE(n.lines[0].name, std::string("North"));
        QCOMPARE(*n.lines[0].spans, 25);
        QCOMPARE(n.lines[0].towerResistance, std::vector<double>{10});
        QCOMPARE(n.lines[0].earthWires[0].gmr, 0.004);
        QCOMPARE(n.lines[0].phase.offset, 4.);
        QVERIFY(!n.lines[1].spans);
        QCOMPARE(n.lines[1].current, Complex(3800, -900));
        QVERIFY(n.lines[1].earthWires[0].given);
        QCOMPARE(n.lines[1].earthWires[0].mutual, Complex(0.05, 0.31));
        QCOMPARE(n.cables[0].sheath.gmr, 0.03);
        QVERIFY(!n.cables[0].armour);
        QCOMPARE(d.network->decrement, 1.);
    }

    // Written back as read, without a current of its own, as version 3: a program that
    // knows no network refuses it as newer rather than for a key it does not know.
    void writtenBackAsRead() {
        const SystemDocument d = readSoundDocument(withNetwork(kNetwork));
        const QJsonObject o = object(d.toJson());
        QCOMPARE(o.value("network").toObject(), object(kNetwork));
        QVERIFY(!o.contains("current"));
        QCOMPARE(o.value("version"), QJsonValue(3));
        QCOMPARE(readSoundDocument(d.toJson()).toJson(), d.toJson());
        QCOMPARE(SystemDocument::versionFor(false, true), 3);
        QCOMPARE(SystemDocument::versionFor(true, false), 2);
        QCOMPARE(SystemDocument::versionFor(false), 1);
        QCOMPARE(SystemDocument::versionFor(false, true, true), 4);
    }

    // Without earth_return_rho, Carson's earth return takes the deepest layer's.
    void deepestLayerByDefault_data() {
        QTest::addColumn<QByteArray>("soil");
        QTest::addColumn<double>("rho");
        QTest::newRow("uniform") << QByteArray(R"({"rho": 250})") << 250.;
        QTest::newRow("two layers") << QByteArray(R"({"rho1": 80, "rho2": 700, "h": 3})") << 700.;
        QTest::newRow("three layers")
            << QByteArray(R"({"layers": [{"rho": 80, "thickness": 2}, {"rho": 300,)"
                          R"( "thickness": 5}, {"rho": 45}]})")
            << 45.;
    }

    void deepestLayerByDefault() {
        QFETCH(QByteArray, soil);
        QFETCH(double, rho);
        QByteArray network = kNetwork;
        network.replace(R"("earth_return_rho": 100, )", "");
        const SystemDocument d = readSoundDocument(withNetwork(network, soil));
        QCOMPARE(d.network->model.earthReturnRho, rho);
        QVERIFY(!object(d.toJson()).value("network").toObject().contains("earth_return_rho"));
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("path");
        QTest::addColumn<Error>("error"); // of a refusal
        const auto row = [](const char *name, const QByteArray &from, const QByteArray &to,
                            Kind kind, const char *path, Error error = Error::BeyondRange) {
            QByteArray network = kNetwork;
            QVERIFY2(network.contains(from), name);
            network.replace(from, to);
            QTest::newRow(name) << withNetwork(network) << kind << QString(path) << error;
        };
        QTest::newRow("a current beside the network")
            << withNetwork(kNetwork).replace(R"({"soil")", R"({"current": 1000, "soil")")
            << Kind::BesideNetwork << "current" << Error::BeyondRange;
        QTest::newRow("a current's basis beside the network")
            << withNetwork(kNetwork).replace(R"({"soil")",
                                             R"({"current_basis": {"fault_current": 5000}, "soil")")
            << Kind::BesideNetwork << "current_basis" << Error::BeyondRange;
        row("a key the network does not take", R"("local_current")",
            R"("voltage": 1, "local_current")", Kind::UnknownKey, "network.voltage");
        row("45 Hz", R"("frequency": 50)", R"("frequency": 45)", Kind::Refused, "network.frequency",
            Error::NotPowerFrequency);
        row("a Df below 1", R"("frequency": 50)", R"("frequency": 50, "decrement": 0.9)",
            Kind::Refused, "network.decrement", Error::BelowOne);
        row("a span of no length", R"("span": 300, "tower_resistance": 10)",
            R"("span": 0, "tower_resistance": 10)", Kind::Refused, "network.lines[0].span",
            Error::NotPositive);
        row("spans beyond the bound", R"("spans": 25)", R"("spans": 10001)", Kind::Refused,
            "network.lines[0].spans", Error::TooManySpans);
        row("spans not whole", R"("spans": 25)", R"("spans": 2.5)", Kind::NotAnInteger,
            "network.lines[0].spans");
        row("spans left out", R"("spans": 25, )", "", Kind::MissingKey, "network.lines[0].spans");
        row("a tower short", R"("tower_resistance": 10)", R"("tower_resistance": [10, 10, 10])",
            Kind::Refused, "network.lines[0].tower_resistance", Error::TowerCountMismatch);
        row("a tower of no resistance", R"("tower_resistance": 10)",
            R"("tower_resistance": [10, 10, 0, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,)"
            R"( 10, 10, 10, 10, 10, 10, 10, 10, 10])",
            Kind::Refused, "network.lines[0].tower_resistance[2]", Error::NotPositive);
        row("a tower as text", R"("tower_resistance": 10)", R"("tower_resistance": "10")",
            Kind::NotANumber, "network.lines[0].tower_resistance");
        row("a GMR as far as the phase", R"("gmr": 0.004)", R"("gmr": 8.95)", Kind::Refused,
            "network.lines[0].earth_wires[0].gmr", Error::RadiusNotBelowDistance);
        row("a wire at no height", R"("height": 30)", R"("height": -30)", Kind::Refused,
            "network.lines[0].earth_wires[0].height", Error::NotPositive);
        row("a phase left out", R"(,
               "phase": {"height": 22, "offset": 4})",
            "", Kind::MissingKey, "network.lines[0].phase");
        row("a current as text", R"("current": [3800, -900])", R"("current": "3800")",
            Kind::NotANumber, "network.lines[1].current");
        row("a current of one number in a list", R"("current": [3800, -900])",
            R"("current": [3800])", Kind::WrongLength, "network.lines[1].current");
        row("an impedance of one number", R"("impedance": [0.45, 0.72])", R"("impedance": 0.45)",
            Kind::NotAnArray, "network.lines[1].earth_wires[0].impedance");
        row("an endless line with a list of towers", R"("tower_resistance": 15)",
            R"("tower_resistance": [15, 15])", Kind::Refused, "network.lines[1].tower_resistance",
            Error::EndlessTowerList);
        row("a sheath left out", R"(,
                "sheath": {"resistance": 0.3, "mean_radius": 0.03})",
            "", Kind::MissingKey, "network.cables[0].sheath");
        row("an armour inside the sheath", R"("mean_radius": 0.03})",
            R"("mean_radius": 0.03}, "armour": {"resistance": 1, "mean_radius": 0.02})",
            Kind::Refused, "network.cables[0].armour.mean_radius", Error::ArmourNotOutsideSheath);
        row("a sheath with an earth wire's key", R"("mean_radius": 0.03})",
            R"("mean_radius": 0.03, "gmr": 0.03})", Kind::UnknownKey,
            "network.cables[0].sheath.gmr");
        row("a cable of negative length", R"("length": 3000)", R"("length": -3000)", Kind::Refused,
            "network.cables[0].length", Error::NotPositive);
        QTest::newRow("currents that cancel")
            << withNetwork(R"({"frequency": 60, "local_current": [100, 50],
                 "lines": [{"name": "A", "current": [-100, -50]}]})")
            << Kind::Refused << "network" << Error::NoFaultCurrent;
        QTest::newRow("a network of no object")
            << withNetwork("[1]") << Kind::NotAnObject << "network" << Error::BeyondRange;
    }

    void refused() {
        QFETCH(QByteArray, json);
        QFETCH(Kind, kind);
        QFETCH(QString, path);
        QFETCH(Error, error);
        DocumentError fault;
        SystemDocument::fromJson(json, fault);
        QCOMPARE(fault.kind, kind);
        QCOMPARE(fault.path, path);
        if (kind != Kind::Refused)
            return;
        QCOMPARE(fault.refusal ? fault.refusal->error : Error::BeyondRange, error);
        // Worded as tav-calc and the window say it: the path, then the refusal.
        const QString words = DocumentWording::error(fault, &shippedText);
        QVERIFY2(words.startsWith(path + QStringLiteral(": ")), qPrintable(words));
        QVERIFY2(words.endsWith(shippedWording().refusal(*fault.refusal)), qPrintable(words));
    }

    // With a network the study takes Df |I_E| to earth, I_E from the network with the
    // solved resistance as Z_E: here an endless line alone beside a local transformer, whose
    // I_E is r I Z_inf / (Z_inf + R). The one solve, scaled, must give what a study of that
    // current typed gives.
    void studyTakesTheNetworksCurrent() {
        const QByteArray network = R"({"frequency": 50, "local_current": 2000, "decrement": 1.2,
            "lines": [{"name": "South", "current": [3800, -900], "spans": null, "span": 300,
                       "tower_resistance": 15,
                       "earth_wires": [{"impedance": [0.45, 0.72], "mutual": [0.05, 0.31]}]}]})";
        const SystemDocument withLine = readSoundDocument(withNetwork(network));
        const Refusable<SystemEvaluation> shared = SystemStudy::evaluate(withLine);
        QVERIFY(!shared.refused());
        const SystemEvaluation &e = shared.result();
        QVERIFY(e.network);
        QCOMPARE(e.decrement, 1.2);

        SystemDocument typed = withLine;
        typed.network.reset();
        typed.current = 1;
        const double resistance = SystemStudy::evaluate(typed).result().result->resistance;
        const Complex z = Complex(0.45, 0.72) * 0.3,
                      r = 1. - Complex(0.05, 0.31) / Complex(0.45, 0.72);
        const Complex chain = z / 2. + std::sqrt(z * z / 4. + z * 15.);
        const Complex earthCurrent = r * Complex(3800, -900) * chain / (chain + resistance);
        QVERIFY(std::abs(e.network->earthCurrent - earthCurrent) < 1e-9 * std::abs(earthCurrent));
        QCOMPARE(e.network->earthImpedance, Complex(resistance, 0));

        typed.current = 1.2 * std::abs(earthCurrent);
        const SystemEvaluation plain = SystemStudy::evaluate(typed).result();
        const earthing::EarthingResult &a = *e.result, &b = *plain.result;
        QCOMPARE(a.resistance, b.resistance);
        QVERIFY(relative(a.groups[0].current, typed.current) < 1e-12);
        QVERIFY(relative(a.gpr, b.gpr) < 1e-9);
        QVERIFY(relative(a.touchMax->voltage, b.touchMax->voltage) < 1e-9);
        QVERIFY(relative(a.stepMax.voltage, b.stepMax.voltage) < 1e-9);
        QCOMPARE(a.rasterPotential.size(), b.rasterPotential.size());
        for (std::size_t k = 0; k < a.rasterPotential.size(); k += 7)
            QVERIFY(relative(a.rasterPotential[k], b.rasterPotential[k]) < 1e-9);
        QVERIFY(relative(a.field->potential(3.3, -1.7), b.field->potential(3.3, -1.7)) < 1e-9);
        QCOMPARE(e.safety->overall, plain.safety->overall);
    }

    // A station fed by its own transformer alone sends nothing into the soil: the study
    // takes no current, and nothing rises.
    void localTransformerAlone() {
        const SystemDocument local =
            readSoundDocument(withNetwork(R"({"frequency": 50, "local_current": 2000})"));
        const Refusable<SystemEvaluation> e = SystemStudy::evaluate(local);
        QVERIFY(!e.refused());
        QCOMPARE(e.result().network->splitFactor, Complex(0));
        QCOMPARE(e.result().result->groups[0].current, 0.);
        QCOMPARE(e.result().result->gpr, 0.);
    }
};

QTEST_APPLESS_MAIN(TestNetworkDocument)
#include "tst_networkdocument.moc"
