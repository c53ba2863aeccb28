#include "cli/SafetyCommand.h"

#include "cli/CalculationCommand.h"
#include "cli/CriteriaOptions.h"
#include "cli/JsonWriter.h"
#include "core/GridSafety.h"
#include "core/NumericText.h"
#include "report/GridSafetyReport.h"
#include "report/GridSafetyStudy.h"
#include "text/StringIds.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Input {
    const char *option;
    const char *unit;
    const char *help;
    double tav::GridSafetyInput::*member;
};

const Input kInputs[] = {
    {"rho", "ohm-m", "Soil resistivity.", &tav::GridSafetyInput::soilResistivity},
    {"length-x", "m", "Side Lx of the grid.", &tav::GridSafetyInput::lengthX},
    {"length-y", "m", "Side Ly of the grid.", &tav::GridSafetyInput::lengthY},
    {"spacing", "m", "Spacing D of the conductors, both ways; it must divide both sides.",
     &tav::GridSafetyInput::spacing},
    {"depth", "m", "Burial depth h.", &tav::GridSafetyInput::depth},
    {"conductor-diameter", "m", "Conductor diameter d.", &tav::GridSafetyInput::conductorDiameter},
    {"duration", "s", "Fault duration ts.", &tav::GridSafetyInput::faultDuration},
};

const QString kSurfaceRho = QStringLiteral("surface-rho");
const QString kSurfaceThickness = QStringLiteral("surface-thickness");
const QString kBody = QStringLiteral("body");
const QString kRods = QStringLiteral("rods");
const QString kRodLength = QStringLiteral("rod-length");
const QString kPerimeter = QStringLiteral("rods-on-perimeter");
const QString kGridCurrent = QStringLiteral("grid-current");
const QString kFaultCurrent = QStringLiteral("fault-current");
const QString kSplitFactor = QStringLiteral("split-factor");
const QString kXOverR = QStringLiteral("x-over-r");
const QString kFrequency = QStringLiteral("frequency");
const QString kDecrementFactor = QStringLiteral("decrement-factor");

std::string shown(double value) {
    return tav::NumericText::formatReal(value, tav::NumericText::kSingleDigits);
}

void addSafetyOptions(CliOptions &options) {
    for (const Input &input : kInputs)
        options.addValue(QLatin1String(input.option), QLatin1String(input.unit),
                         QLatin1String(input.help) + QStringLiteral(" Required."));
    options.addValue(kSurfaceRho, QStringLiteral("ohm-m"),
                     QStringLiteral("Resistivity of a surface layer such as crushed rock."));
    options.addValue(kSurfaceThickness, QStringLiteral("m"),
                     QStringLiteral("Its thickness; both or neither (none: Cs = 1)."));
    options.addValue(kBody, QStringLiteral("50|70"),
                     QStringLiteral("Body weight in kg for the tolerable voltages (default 50, "
                                    "the stricter)."));
    options.addValue(kRods, QStringLiteral("N"), QStringLiteral("Number of ground rods."));
    options.addValue(kRodLength, QStringLiteral("m"),
                     QStringLiteral("Length of one rod; required with rods."));
    options.addFlag(kPerimeter, QStringLiteral("The rods stand on the perimeter or at the "
                                               "corners (Kii = 1), not inside the grid."));
    options.addValue(kGridCurrent, QStringLiteral("A"),
                     QStringLiteral("Grid current IG, the fault current the grid takes to earth. "
                                    "It or --fault-current is required."));
    options.addValue(kFaultCurrent, QStringLiteral("A"),
                     QStringLiteral("Or the ground fault current 3I0, of which the grid takes "
                                    "IG = Df Sf 3I0."));
    options.addValue(kSplitFactor, QStringLiteral("S"),
                     QStringLiteral("The split factor Sf, the share of 3I0 the grid takes to "
                                    "earth (default 1)."));
    options.addValue(kXOverR, QStringLiteral("R"),
                     QStringLiteral("The system's X/R ratio at the fault, for the decrement factor "
                                    "Df of IEEE Std 80 Eq. 79 over the fault duration (without "
                                    "it, Df = 1); with --frequency."));
    options.addValue(kFrequency, QStringLiteral("HZ"),
                     QStringLiteral("The system's frequency, 50 or 60 Hz, with --x-over-r."));
    options.addValue(kDecrementFactor, QStringLiteral("DF"),
                     QStringLiteral("Or the decrement factor Df as known."));
    CriteriaOptions::add(options);
}

void readFault(const CliOptions &options, GridSafetyStudy &study) {
    if (options.isSet(kGridCurrent) == options.isSet(kFaultCurrent))
        throw UsageError("give either --grid-current or --fault-current");
    if (options.isSet(kGridCurrent)) {
        for (const QString &other : {kSplitFactor, kXOverR, kFrequency, kDecrementFactor})
            if (options.isSet(other))
                throw UsageError("--" + other.toStdString() + " goes with --fault-current");
        study.grid.gridCurrent = options.number<double>(kGridCurrent, 0);
        return;
    }
    if (options.isSet(kXOverR) != options.isSet(kFrequency))
        throw UsageError("--x-over-r and --frequency go together");
    if (options.isSet(kXOverR) && options.isSet(kDecrementFactor))
        throw UsageError("give either --x-over-r or --decrement-factor");
    tav::FaultCurrentInput fault;
    fault.faultCurrent = options.number<double>(kFaultCurrent, 0);
    fault.splitFactor = options.number<double>(kSplitFactor, 1);
    if (options.isSet(kXOverR))
        fault.asymmetry = tav::Asymmetry{options.number<double>(kXOverR, 0),
                                         options.number<double>(kFrequency, 0)};
    if (options.isSet(kDecrementFactor))
        fault.decrementFactor = options.number<double>(kDecrementFactor, 0);
    study.fault = fault;
}

void readOptional(const CliOptions &options, tav::GridSafetyInput &in) {
    if (options.isSet(kSurfaceRho) != options.isSet(kSurfaceThickness))
        throw UsageError("--surface-rho and --surface-thickness go together");
    if (options.isSet(kSurfaceRho))
        in.surface = tav::SurfaceLayer{options.number<double>(kSurfaceRho, 0),
                                       options.number<double>(kSurfaceThickness, 0)};
    const int body = options.number<int>(kBody, 50);
    if (body != 50 && body != 70)
        throw UsageError("--body: the tolerable voltages are for 50 or 70 kg");
    in.body = body == 50 ? tav::BodyWeight::Kg50 : tav::BodyWeight::Kg70;
    in.rods.count = options.number<int>(kRods, 0);
    // Without rods they would change nothing.
    if (in.rods.count == 0 && (options.isSet(kRodLength) || options.isSet(kPerimeter)))
        throw UsageError("--rod-length and --rods-on-perimeter go with --rods of 1 or more");
    if (in.rods.count > 0 && !options.isSet(kRodLength))
        throw UsageError("--rod-length is required with --rods");
    in.rods.length = options.number<double>(kRodLength, 0);
    in.rods.onPerimeter = options.isSet(kPerimeter);
    in.criteria = CriteriaOptions::criteria(options);
    in.footwear = CriteriaOptions::footwear(options);
}

std::string verdictText(tav::Verdict verdict) {
    switch (verdict) {
    case tav::Verdict::Safe:
        return "safe";
    case tav::Verdict::NotSafe:
        return "NOT SAFE";
    case tav::Verdict::OutsideMethodRange:
        return CliStrings::text(StringId::GridSafety::kOutsideRange).toStdString();
    case tav::Verdict::NoLimit:
        return CliStrings::text(StringId::Criteria::kNoLimit).toStdString();
    }
    return "";
}

// A safe verdict outside the method's range is no answer: null; so is a voltage the
// criteria set no limit to.
std::string verdictJson(tav::Verdict verdict) {
    switch (verdict) {
    case tav::Verdict::Safe:
        return "true";
    case tav::Verdict::NotSafe:
        return "false";
    case tav::Verdict::OutsideMethodRange:
    case tav::Verdict::NoLimit:
        return "null";
    }
    return "null";
}

std::string resultText(const tav::GridSafetyResult &r) {
    std::string text = "Conductors: " + shown(r.conductorsAlongY) + " along y, " +
                       shown(r.conductorsAlongX) + " along x; LC " + shown(r.LC) + " m, LM " +
                       shown(r.LM) + " m, LS " + shown(r.LS) + " m\n";
    text += "n " + shown(r.n) + ", Kii " + shown(r.Kii) + ", Kh " + shown(r.Kh) + ", Km " +
            shown(r.Km) + ", Ki " + shown(r.Ki) + ", Ks " + shown(r.Ks) + ", Cs " + shown(r.Cs) +
            "\n";
    text += "Grid resistance Rg: " + shown(r.Rg) + " ohm; ground potential rise: " + shown(r.GPR) +
            " V\n";
    if (r.criteria == tav::Criteria::En50522) {
        text += "EN 50522: permissible touch voltage U_Tp " + shown(r.permissibleTouch) +
                " V, body current I_B " + shown(r.bodyCurrent) + " A\n";
        text += "Mesh voltage Em: " + shown(r.Em) +
                " V against a prospective permissible touch voltage U_vTp of " +
                shown(r.touchTolerable) + " V: " + verdictText(tav::verdict(r, r.touchSafe)) + "\n";
        text +=
            "Step voltage Es: " + shown(r.Es) + " V: " + verdictText(tav::stepVerdict(r)) + "\n";
    } else {
        text += "Mesh voltage Em: " + shown(r.Em) + " V against a tolerable touch voltage of " +
                shown(r.touchTolerable) + " V: " + verdictText(tav::verdict(r, r.touchSafe)) + "\n";
        text += "Step voltage Es: " + shown(r.Es) + " V against a tolerable step voltage of " +
                shown(r.stepTolerable) + " V: " + verdictText(tav::stepVerdict(r)) + "\n";
    }
    if (tav::verdict(r, r.gprBelowTouch) == tav::Verdict::Safe)
        text += "The ground potential rise is below the tolerable touch voltage: no further "
                "check is needed.\n";
    for (const tav::Caution &caution : r.cautions)
        text += "Warning: " + CliStrings::wording().caution(caution).toStdString() + ".\n";
    return text;
}

std::string faultText(const GridSafetyOutcome &outcome) {
    if (!outcome.fault)
        return {};
    return "Decrement factor Df: " + shown(outcome.fault->decrementFactor) +
           "; grid current IG = Df Sf 3I0: " + shown(outcome.fault->gridCurrent) + " A\n";
}

std::string resultJson(const tav::GridSafetyResult &r) {
    const std::pair<const char *, double> numbers[] = {
        {"n", r.n},   {"Km", r.Km},   {"Ki", r.Ki},
        {"Ks", r.Ks}, {"Kii", r.Kii}, {"Kh", r.Kh},
        {"LC", r.LC}, {"LM", r.LM},   {"LS", r.LS},
        {"Rg", r.Rg}, {"GPR", r.GPR}, {"Em", r.Em},
        {"Es", r.Es}, {"Cs", r.Cs},   {"touch_tolerable", r.touchTolerable}};
    std::string json = "{";
    for (const auto &[key, value] : numbers)
        json += std::string("\"") + key + "\":" + JsonWriter::shortest(value) + ",";
    json += "\"step_tolerable\":" +
            (r.stepLimited ? JsonWriter::shortest(r.stepTolerable) : std::string("null")) + ",";
    // IEEE Std 80's limits are the default and add nothing.
    if (r.criteria == tav::Criteria::En50522)
        json += "\"criteria\":\"" + std::string(CriteriaOptions::name(r.criteria)) +
                "\",\"permissible_touch\":" + JsonWriter::shortest(r.permissibleTouch) +
                ",\"body_current\":" + JsonWriter::shortest(r.bodyCurrent) + ",";
    const std::pair<const char *, tav::Verdict> verdicts[] = {
        {"touch_safe", tav::verdict(r, r.touchSafe)},
        {"step_safe", tav::stepVerdict(r)},
        {"gpr_below_touch", tav::verdict(r, r.gprBelowTouch)}};
    for (const auto &[key, value] : verdicts)
        json += std::string("\"") + key + "\":" + verdictJson(value) + ",";
    if (!r.cautions.empty()) {
        json += "\"warnings\":[";
        for (const tav::Caution &caution : r.cautions)
            json += JsonWriter::string(CliStrings::wording().caution(caution).toStdString()) + ",";
        json.back() = ']';
        json += ",";
    }
    json.back() = '}';
    return json + "\n";
}

class Safety : public CalculationCommand<GridSafetyStudy, GridSafetyOutcome> {
public:
    Safety()
        : CalculationCommand(QStringLiteral("safety"),
                             QStringLiteral("Touch and step safety of a rectangular earthing "
                                            "grid after IEEE Std 80-2013: the mesh and step "
                                            "voltages the grid produces against the tolerable "
                                            "touch and step voltages, IEEE Std 80's or EN "
                                            "50522's (--criteria).")) {}

protected:
    void addOptions(CliOptions &options) const override { addSafetyOptions(options); }

    GridSafetyStudy read(const CliOptions &options) const override {
        GridSafetyStudy study;
        for (const Input &input : kInputs) {
            options.require(QLatin1String(input.option));
            study.grid.*input.member = options.number<double>(QLatin1String(input.option), 0);
        }
        readOptional(options, study.grid);
        readFault(options, study);
        return study;
    }

    tav::Refusable<GridSafetyOutcome> calculate(const GridSafetyStudy &study) const override {
        GridSafetyOutcome outcome = GridSafetyOutcome::evaluate(study);
        if (outcome.refusal)
            return *outcome.refusal;
        return outcome;
    }

    std::string text(const GridSafetyOutcome &outcome) const override {
        return faultText(outcome) + resultText(*outcome.safety);
    }

    std::string json(const GridSafetyOutcome &outcome) const override {
        std::string json = resultJson(*outcome.safety);
        if (outcome.fault) {
            json.erase(json.size() - 2); // "}\n"
            json +=
                ",\"decrement_factor\":" + JsonWriter::shortest(outcome.fault->decrementFactor) +
                ",\"grid_current\":" + JsonWriter::shortest(outcome.fault->gridCurrent) + "}\n";
        }
        return json;
    }

    bool writesReport() const override { return true; }

    Report report(const GridSafetyStudy &study, const GridSafetyOutcome &outcome,
                  const StudyHeader &header, const StudyTexts &texts) const override {
        return GridSafetyReport::report(study, outcome, header, texts);
    }
};

} // namespace

int SafetyCommand::run(const QStringList &arguments) {
    return Safety().run(arguments);
}
