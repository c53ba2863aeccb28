#include "cli/NetworkText.h"

#include "cli/CliStrings.h"
#include "cli/TextTable.h"
#include "core/NumericText.h"
#include "text/StringIds.h"

#include <cmath>
#include <complex>

namespace NetworkText {

namespace {

using tav::network::BranchResult;
using tav::network::Complex;
namespace Ids = StringId::Network;

constexpr double kDegrees = 180 / 3.14159265358979323846;

QString shown(double value) {
    return QString::fromStdString(
        tav::NumericText::formatReal(value + 0.0, tav::NumericText::kSingleDigits));
}

// R + jX.
std::string rectangular(Complex z) {
    const unsigned id = z.imag() < 0 ? Ids::kComplexMinus : Ids::kComplexPlus;
    return CliStrings::text(id).arg(shown(z.real()), shown(std::abs(z.imag()))).toStdString();
}

// The magnitude at its angle, to a tenth of a degree.
std::string polar(Complex z) {
    return CliStrings::text(Ids::kPhasor)
        .arg(shown(std::abs(z)), shown(std::round(std::arg(z) * kDegrees * 10) / 10))
        .toStdString();
}

std::string line(unsigned id, const std::string &value) {
    return CliStrings::text(id).arg(QString::fromStdString(value)).toStdString() + "\n";
}

std::string branchTable(const tav::network::NetworkResult &r) {
    std::vector<std::string> columns;
    for (unsigned k = 0; k < 6; ++k)
        columns.push_back(CliStrings::text(Ids::kColumns + k).toStdString());
    TextTable table(columns, TextTable::FirstColumn::Label);
    const auto add = [&](const BranchResult &b, unsigned kind) {
        table.addRow(
            {CliStrings::text(Ids::kKinds + kind).toStdString(), b.name, polar(b.reductionFactor),
             b.chainImpedance ? rectangular(*b.chainImpedance)
                              : CliStrings::text(Ids::kNone).toStdString(),
             polar(b.returnCurrent),
             b.remoteRise
                 ? polar(*b.remoteRise)
                 : CliStrings::text(b.chainImpedance ? Ids::kEndless : Ids::kNone).toStdString()});
    };
    for (const BranchResult &b : r.lines)
        add(b, 0);
    for (const BranchResult &b : r.cables)
        add(b, 1);
    return table.render();
}

std::string towers(const BranchResult &b) {
    std::vector<std::string> columns;
    for (unsigned k = 0; k < 3; ++k)
        columns.push_back(CliStrings::text(Ids::kTowerColumns + k).toStdString());
    TextTable table(columns);
    for (std::size_t k = 0; k < b.towerPotentials.size(); ++k)
        table.addRow(
            {std::to_string(k + 1), polar(b.towerPotentials[k]), polar(b.towerCurrents[k])});
    return CliStrings::text(Ids::kTowers).arg(QString::fromStdString(b.name)).toStdString() + "\n" +
           table.render();
}

} // namespace

std::string text(const tav::network::NetworkResult &r, const std::optional<StudyCurrent> &study) {
    std::string out = CliStrings::text(Ids::kHeading).toStdString() + "\n";
    out += line(Ids::kFaultCurrent, polar(r.faultCurrent));
    out += line(Ids::kEarthImpedance, rectangular(r.earthImpedance));
    out += line(Ids::kEarthCurrent, polar(r.earthCurrent));
    out += line(Ids::kSplitFactor, polar(r.splitFactor));
    if (study)
        out += CliStrings::text(Ids::kStudyCurrent)
                   .arg(shown(study->current), shown(study->decrement))
                   .toStdString() +
               "\n";
    if (r.lines.empty() && r.cables.empty())
        return out;
    out += "\n" + branchTable(r);
    for (const BranchResult &b : r.lines)
        if (!b.towerPotentials.empty())
            out += "\n" + towers(b);
    return out;
}

} // namespace NetworkText
