#include "report/NetworkReport.h"

#include "report/ReportNumber.h"
#include "text/StringIds.h"

#include <algorithm>
#include <cmath>

using tav::network::BranchResult;
using tav::network::Complex;
using tav::network::NetworkResult;
using tav::network::ReturnConductor;
using namespace StringId::NetworkReport;
namespace Ids = StringId::Network;
namespace Study = StringId::Study;

namespace NetworkReport {

namespace {

constexpr double kDegrees = 180 / 3.14159265358979323846;

QString number(double value) {
    return ReportNumber::text(value);
}

QString given(double value) {
    return ReportNumber::given(value);
}

// R + jX, with the sign of X in the words.
QString rectangular(Complex z, const StudyTexts &texts) {
    const unsigned id = z.imag() < 0 ? Ids::kComplexMinus : Ids::kComplexPlus;
    return texts.text(id).arg(number(z.real()), number(std::abs(z.imag())));
}

// A value given as a number or as [re, im]: the number alone when it has no angle.
QString givenCurrent(Complex z, const StudyTexts &texts) {
    if (z.imag() == 0)
        return given(z.real());
    const unsigned id = z.imag() < 0 ? Ids::kComplexMinus : Ids::kComplexPlus;
    return texts.text(id).arg(given(z.real()), given(std::abs(z.imag())));
}

QString conductor(const ReturnConductor &c, bool wire, const StudyTexts &texts) {
    if (c.given)
        return texts.text(kByImpedance)
            .arg(rectangular(c.impedance, texts), rectangular(c.mutual, texts));
    if (wire)
        return texts.text(kWireByPlace)
            .arg(given(c.resistance), given(c.gmr), given(c.at.height), given(c.at.offset));
    return texts.text(kByRadius).arg(given(c.resistance), given(c.gmr));
}

QString lineReturn(const tav::network::Line &line, const StudyTexts &texts) {
    if (line.earthWires.empty())
        return texts.text(kNoReturn);
    QStringList parts;
    bool placed = false;
    for (const ReturnConductor &w : line.earthWires) {
        parts.append(conductor(w, true, texts));
        placed = placed || !w.given;
    }
    // The wires' places mean something only beside the phase they are coupled to.
    if (placed)
        parts.append(texts.text(kPhaseAt).arg(given(line.phase.height), given(line.phase.offset)));
    return parts.join(QStringLiteral("; "));
}

QString cableReturn(const tav::network::Cable &cable, const StudyTexts &texts) {
    QString shown = texts.text(kSheath).arg(conductor(cable.sheath, false, texts));
    if (cable.armour)
        shown +=
            QStringLiteral("; ") + texts.text(kArmour).arg(conductor(*cable.armour, false, texts));
    return shown;
}

// One value for every tower, or the range of each tower's own.
QString footing(const std::vector<double> &resistances, const StudyTexts &texts) {
    if (resistances.empty())
        return texts.text(Ids::kNone);
    const auto [low, high] = std::minmax_element(resistances.begin(), resistances.end());
    if (resistances.size() == 1)
        return given(resistances.front());
    return texts.text(kFootingRange).arg(given(*low), given(*high)).arg(int(resistances.size()));
}

ReportBlock data(const tav::network::Network &n, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(kDataHeading);
    block.header = {texts.text(Ids::kColumns)};
    for (unsigned k = 0; k < 6; ++k)
        block.header.append(texts.text(kDataColumns + k));
    for (const tav::network::Line &l : n.lines)
        block.rows.append({texts.text(Ids::kKinds), QString::fromStdString(l.name),
                           givenCurrent(l.current, texts),
                           l.spans ? QString::number(*l.spans) : texts.text(Ids::kEndless),
                           given(l.span), footing(l.towerResistance, texts),
                           l.spans ? given(l.remoteResistance) : texts.text(Ids::kNone)});
    for (const tav::network::Cable &c : n.cables)
        block.rows.append({texts.text(Ids::kKinds + 1), QString::fromStdString(c.name),
                           givenCurrent(c.current, texts), QStringLiteral("1"), given(c.length),
                           texts.text(Ids::kNone), given(c.remoteResistance)});
    return block;
}

// Each line's and cable's return conductors in words, a line each: too long for a column.
ReportBlock returns(const tav::network::Network &n, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(kReturnHeading);
    const auto add = [&](const std::string &name, const QString &shown) {
        block.lines.append(
            {texts.text(kNamed).arg(QString::fromStdString(name), shown), ReportLine::Tone::Plain});
    };
    for (const tav::network::Line &l : n.lines)
        add(l.name, lineReturn(l, texts));
    for (const tav::network::Cable &c : n.cables)
        add(c.name, cableReturn(c, texts));
    return block;
}

ReportBlock figures(const NetworkResult &r, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(kFiguresHeading);
    for (unsigned k = 0; k < 6; ++k)
        block.header.append(texts.text(Ids::kColumns + k));
    // In the report's units, where tav-calc's text writes "ohm".
    block.header[3] = texts.text(kChainColumn);
    const auto add = [&](const BranchResult &b, unsigned kind) {
        block.rows.append(
            {texts.text(Ids::kKinds + kind), QString::fromStdString(b.name),
             phasor(b.reductionFactor, texts),
             b.chainImpedance ? rectangular(*b.chainImpedance, texts) : texts.text(Ids::kNone),
             phasor(b.returnCurrent, texts),
             b.remoteRise ? phasor(*b.remoteRise, texts)
                          : texts.text(b.chainImpedance ? Ids::kEndless : Ids::kNone)});
    };
    for (const BranchResult &b : r.lines)
        add(b, 0);
    for (const BranchResult &b : r.cables)
        add(b, 1);
    return block;
}

ReportBlock towers(const BranchResult &b, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(kTowers).arg(QString::fromStdString(b.name));
    for (unsigned k = 0; k < 3; ++k)
        block.header.append(texts.text(Ids::kTowerColumns + k));
    for (std::size_t k = 0; k < b.towerPotentials.size(); ++k)
        block.rows.append({QString::number(k + 1), phasor(b.towerPotentials[k], texts),
                           phasor(b.towerCurrents[k], texts)});
    return block;
}

bool byPlace(const tav::network::Network &n) {
    const auto placed = [](const ReturnConductor &c) { return !c.given; };
    for (const tav::network::Line &l : n.lines)
        if (std::any_of(l.earthWires.begin(), l.earthWires.end(), placed))
            return true;
    for (const tav::network::Cable &c : n.cables)
        if (placed(c.sheath) || (c.armour && placed(*c.armour)))
            return true;
    return false;
}

} // namespace

QString phasor(Complex z, const StudyTexts &texts) {
    // The angle to a tenth of a degree; -0 and 180 against -180 shown as one.
    double angle = std::round(std::arg(z) * kDegrees * 10) / 10 + 0.0;
    if (angle == -180)
        angle = 180;
    return texts.text(Ids::kPhasor).arg(number(std::abs(z)), given(angle));
}

QString studyCurrent(const tav::NetworkPart &part, const NetworkResult &r,
                     const StudyTexts &texts) {
    const double earth = std::abs(r.earthCurrent);
    return texts.text(kCurrentFrom)
        .arg(number(part.decrement * earth), given(part.decrement), number(earth),
             number(std::abs(r.splitFactor)));
}

QVector<ReportBlock> blocks(const tav::NetworkPart &part, const NetworkResult &r,
                            const StudyTexts &texts) {
    const tav::network::Network &n = part.model;
    const double earth = std::abs(r.earthCurrent);
    ReportBlock figuresBlock;
    figuresBlock.heading = texts.text(kHeading);
    figuresBlock.pairs = {
        {texts.text(kFrequency), texts.text(kHertz).arg(given(n.frequency))},
        {texts.text(kEarthReturnRho),
         byPlace(n) ? texts.value(n.earthReturnRho, Study::kOhmMetre) : texts.text(kNotNeeded)},
        {texts.text(kLocalCurrent), givenCurrent(n.localCurrent, texts)},
        {texts.text(kFaultCurrent), phasor(r.faultCurrent, texts)},
        {texts.text(kEarthImpedance), rectangular(r.earthImpedance, texts)},
        {texts.text(kEarthCurrent), phasor(r.earthCurrent, texts)},
        {texts.text(kSplitFactor), phasor(r.splitFactor, texts)},
        {texts.text(kStationRise), phasor(r.stationPotential, texts)},
        {texts.text(kStudyCurrent),
         texts.text(kDfTimesIe)
             .arg(number(part.decrement * earth), given(part.decrement), number(earth))}};
    QVector<ReportBlock> all{figuresBlock};
    if (n.lines.empty() && n.cables.empty())
        return all;
    all.append(data(n, texts));
    all.append(returns(n, texts));
    all.append(figures(r, texts));
    for (const BranchResult &b : r.lines)
        if (!b.towerPotentials.empty())
            all.append(towers(b, texts));
    return all;
}

} // namespace NetworkReport
