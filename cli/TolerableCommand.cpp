#include "cli/TolerableCommand.h"

#include "cli/CalculationCommand.h"
#include "cli/CriteriaOptions.h"
#include "cli/JsonWriter.h"
#include "core/NumericText.h"
#include "core/PermissibleTouch.h"
#include "core/TolerableVoltage.h"
#include "text/StringIds.h"

#include <optional>
#include <string>

namespace {

const QString kDuration = QStringLiteral("duration");
const QString kBody = QStringLiteral("body");
const QString kSoilRho = QStringLiteral("soil-rho");
const QString kSurfaceRho = QStringLiteral("surface-rho");
const QString kSurfaceThickness = QStringLiteral("surface-thickness");

struct Question {
    tav::SafetyCriteria criteria;
    std::optional<double> soil; // ohm m
};

struct Answer {
    Question question;
    tav::TolerableVoltages voltages;

    bool en50522() const { return question.criteria.criteria == tav::Criteria::En50522; }
    // R_F2: of the surface layer, else of the soil, else none.
    double groundResistance() const {
        const tav::SafetyCriteria &c = question.criteria;
        return tav::kFeetResistancePerResistivity *
               (c.surface ? c.surface->resistivity : question.soil.value_or(0));
    }
};

std::string shown(double value) {
    return tav::NumericText::formatReal(value, tav::NumericText::kSingleDigits);
}

std::string noLimit() {
    return CliStrings::text(StringId::Criteria::kNoLimit).toStdString();
}

std::string warningsText(const tav::TolerableVoltages &v) {
    std::string text;
    for (const tav::Caution &caution : v.cautions)
        text += "Warning: " + CliStrings::wording().caution(caution).toStdString() + ".\n";
    return text;
}

std::string ieee80Text(const Answer &a) {
    const tav::TolerableVoltages &v = a.voltages;
    const tav::SafetyCriteria &c = a.question.criteria;
    return "Criteria: IEEE Std 80-2013, " +
           std::string(c.body == tav::BodyWeight::Kg50 ? "50" : "70") + " kg, " +
           shown(c.faultDuration) + " s\nCs: " + shown(v.Cs) +
           "\nTolerable touch voltage: " + shown(v.touch) +
           " V\nTolerable step voltage: " + shown(v.step) + " V\n";
}

std::string en50522Text(const Answer &a) {
    const tav::TolerableVoltages &v = a.voltages;
    const tav::SafetyCriteria &c = a.question.criteria;
    const auto label = [](unsigned id) { return CliStrings::text(id).toStdString(); };
    return "Criteria: EN 50522:2010, " + shown(c.faultDuration) +
           " s\nPermissible touch voltage U_Tp: " + shown(v.permissibleTouch) + " V\n" +
           label(StringId::Criteria::kBodyCurrent) + ": " + shown(v.bodyCurrent) +
           " A\nFootwear R_F1: " + shown(c.footwear) +
           " ohm; ground R_F2: " + shown(a.groundResistance()) + " ohm\n" +
           label(StringId::Criteria::kPermissibleVTouch) +
           " = U_Tp + (R_F1 + R_F2) I_B: " + shown(v.touch) + " V\nStep voltage: " + noLimit() +
           "\n";
}

std::string warningsJson(const tav::TolerableVoltages &v) {
    if (v.cautions.empty())
        return {};
    std::string json = ",\"warnings\":[";
    for (const tav::Caution &caution : v.cautions)
        json += JsonWriter::string(CliStrings::wording().caution(caution).toStdString()) + ",";
    json.back() = ']';
    return json;
}

class Tolerable : public CalculationCommand<Question, Answer> {
public:
    Tolerable()
        : CalculationCommand(QStringLiteral("tolerable"),
                             QStringLiteral("The tolerable touch and step voltages of IEEE Std "
                                            "80-2013 (Eqs. 27, 29, 30, 32, 33), or EN "
                                            "50522:2010's permissible touch voltage U_Tp and the "
                                            "prospective one U_vTp = U_Tp + (R_F1 + R_F2) I_B "
                                            "with the footwear R_F1 and R_F2 = 1.5 m^-1 times "
                                            "the resistivity under the feet.")) {}

protected:
    void addOptions(CliOptions &options) const override {
        options.addValue(kDuration, QStringLiteral("s"),
                         QStringLiteral("Fault duration. Required."));
        CriteriaOptions::add(options);
        options.addValue(kBody, QStringLiteral("50|70"),
                         QStringLiteral("IEEE Std 80's body weight in kg (default 50, the "
                                        "stricter); EN 50522 takes none."));
        options.addValue(kSoilRho, QStringLiteral("ohm-m"),
                         QStringLiteral("Soil resistivity. IEEE Std 80 needs it; under EN 50522 "
                                        "it gives R_F2 where no surface layer is given, and "
                                        "without either R_F2 = 0."));
        options.addValue(kSurfaceRho, QStringLiteral("ohm-m"),
                         QStringLiteral("Resistivity of a surface layer such as crushed rock."));
        options.addValue(kSurfaceThickness, QStringLiteral("m"),
                         QStringLiteral("Its thickness; both or neither."));
    }

    Question read(const CliOptions &options) const override {
        options.require(kDuration);
        Question q;
        q.criteria.criteria = CriteriaOptions::criteria(options);
        q.criteria.footwear = CriteriaOptions::footwear(options);
        q.criteria.faultDuration = options.number<double>(kDuration, 0);
        const int body = options.number<int>(kBody, 50);
        if (body != 50 && body != 70)
            throw UsageError("--body: the tolerable voltages are for 50 or 70 kg");
        q.criteria.body = body == 50 ? tav::BodyWeight::Kg50 : tav::BodyWeight::Kg70;
        if (options.isSet(kSurfaceRho) != options.isSet(kSurfaceThickness))
            throw UsageError("--surface-rho and --surface-thickness go together");
        if (options.isSet(kSurfaceRho))
            q.criteria.surface = tav::SurfaceLayer{options.number<double>(kSurfaceRho, 0),
                                                   options.number<double>(kSurfaceThickness, 0)};
        if (options.isSet(kSoilRho))
            q.soil = options.number<double>(kSoilRho, 0);
        // Cs of Eq. 27 weighs the surface layer against the soil under it.
        if (q.criteria.criteria == tav::Criteria::Ieee80 && !q.soil)
            throw UsageError("--soil-rho is required under IEEE Std 80 (--criteria ieee80)");
        return q;
    }

    tav::Refusable<Answer> calculate(const Question &q) const override {
        const tav::Refusable<tav::TolerableVoltages> v =
            tav::checkedTolerableVoltages(q.criteria, q.soil);
        if (v.refused())
            return v.refusal();
        return Answer{q, v.result()};
    }

    std::string text(const Answer &a) const override {
        return (a.en50522() ? en50522Text(a) : ieee80Text(a)) + warningsText(a.voltages);
    }

    std::string json(const Answer &a) const override {
        const tav::TolerableVoltages &v = a.voltages;
        const tav::SafetyCriteria &c = a.question.criteria;
        std::string json = "{\"criteria\":\"" + std::string(CriteriaOptions::name(c.criteria)) +
                           "\",\"duration\":" + JsonWriter::shortest(c.faultDuration) +
                           ",\"touch\":" + JsonWriter::shortest(v.touch) +
                           ",\"step\":" + (v.stepLimited ? JsonWriter::shortest(v.step) : "null") +
                           ",\"cs\":" + JsonWriter::shortest(v.Cs) +
                           ",\"permissible_touch\":" + JsonWriter::shortest(v.permissibleTouch);
        if (a.en50522())
            json += ",\"body_current\":" + JsonWriter::shortest(v.bodyCurrent) +
                    ",\"footwear\":" + JsonWriter::shortest(c.footwear) +
                    ",\"ground_resistance\":" + JsonWriter::shortest(a.groundResistance());
        else
            json += std::string(",\"body\":") + (c.body == tav::BodyWeight::Kg50 ? "50" : "70");
        return json + warningsJson(v) + "}\n";
    }
};

} // namespace

int TolerableCommand::run(const QStringList &arguments) {
    return Tolerable().run(arguments);
}
