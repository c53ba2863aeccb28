#include "cli/ConductorCommand.h"

#include "cli/CalculationCommand.h"
#include "cli/JsonWriter.h"
#include "core/ConductorSizing.h"
#include "core/NumericText.h"

#include <string>

namespace {

using tav::ConductorMaterial;

// The materials' names on the command line, in the order of IEEE Std 80 Table 1.
const std::pair<const char *, ConductorMaterial> kMaterials[] = {
    {"annealed-copper", ConductorMaterial::AnnealedCopper},
    {"hard-drawn-copper", ConductorMaterial::HardDrawnCopper},
    {"copper-clad-steel-40", ConductorMaterial::CopperCladSteel40},
    {"copper-clad-steel-30", ConductorMaterial::CopperCladSteel30},
    {"copper-clad-steel-rod-20", ConductorMaterial::CopperCladSteelRod20},
    {"aluminium-ec", ConductorMaterial::AluminiumEc},
    {"aluminium-5005", ConductorMaterial::Aluminium5005},
    {"aluminium-6201", ConductorMaterial::Aluminium6201},
    {"aluminium-clad-steel", ConductorMaterial::AluminiumCladSteel},
    {"steel-1020", ConductorMaterial::Steel1020},
    {"stainless-clad-steel-rod", ConductorMaterial::StainlessCladSteelRod},
    {"zinc-coated-steel-rod", ConductorMaterial::ZincCoatedSteelRod},
    {"stainless-steel-304", ConductorMaterial::StainlessSteel304},
};

const QString kMaterial = QStringLiteral("material");
const QString kCurrent = QStringLiteral("current");
const QString kDuration = QStringLiteral("duration");
const QString kAmbient = QStringLiteral("ambient");
const QString kMaxTemperature = QStringLiteral("max-temperature");

std::string shown(double value) {
    return tav::NumericText::formatReal(value, tav::NumericText::kSingleDigits);
}

QString materialNames() {
    QStringList names;
    for (const auto &[name, material] : kMaterials)
        names.append(QLatin1String(name));
    return names.join(QStringLiteral(", "));
}

class Conductor : public CalculationCommand<tav::ConductorSizingInput, tav::ConductorSize> {
public:
    Conductor()
        : CalculationCommand(QStringLiteral("conductor"),
                             QStringLiteral("The smallest cross-section of an earthing conductor "
                                            "that carries a fault current for its duration "
                                            "without passing its highest temperature, after IEEE "
                                            "Std 80-2013 Eq. 37 with the constants of its "
                                            "Table 1.")) {}

protected:
    void addOptions(CliOptions &options) const override {
        options.addValue(kMaterial, QStringLiteral("NAME"),
                         QStringLiteral("The conductor's material: ") + materialNames() +
                             QStringLiteral(". Required."));
        options.addValue(kCurrent, QStringLiteral("A"),
                         QStringLiteral("The rms symmetrical fault current. Required."));
        options.addValue(kDuration, QStringLiteral("s"),
                         QStringLiteral("How long it flows, tc. Required."));
        options.addValue(kAmbient, QStringLiteral("C"),
                         QStringLiteral("Ambient temperature in degrees Celsius (default 40)."));
        options.addValue(kMaxTemperature, QStringLiteral("C"),
                         QStringLiteral("The highest temperature the conductor may reach, in "
                                        "degrees Celsius (default: the material's fusing "
                                        "temperature)."));
    }

    tav::ConductorSizingInput read(const CliOptions &options) const override {
        for (const QString &name : {kMaterial, kCurrent, kDuration})
            options.require(name);
        tav::ConductorSizingInput in;
        const QString material = options.value(kMaterial);
        bool known = false;
        for (const auto &[name, value] : kMaterials)
            if (material == QLatin1String(name)) {
                in.material = value;
                known = true;
            }
        if (!known)
            throw UsageError("--material: '" + material.toStdString() + "' is none of " +
                             materialNames().toStdString());
        in.current = options.number<double>(kCurrent, 0);
        in.duration = options.number<double>(kDuration, 0);
        in.ambient = options.number<double>(kAmbient, 40);
        if (options.isSet(kMaxTemperature))
            in.maxTemperature = options.number<double>(kMaxTemperature, 0);
        return in;
    }

    tav::Refusable<tav::ConductorSize>
    calculate(const tav::ConductorSizingInput &in) const override {
        return tav::sizeConductor(in);
    }

    std::string text(const tav::ConductorSize &size) const override {
        return "Smallest cross-section: " + shown(size.areaMm2) + " mm2 (" + shown(size.areaKcmil) +
               " kcmil)\nDiameter of a solid round conductor: " + shown(size.diameterMm) +
               " mm\nKf: " + shown(size.kf) + "\n";
    }

    std::string json(const tav::ConductorSize &size) const override {
        return "{\"area_mm2\":" + JsonWriter::shortest(size.areaMm2) +
               ",\"area_kcmil\":" + JsonWriter::shortest(size.areaKcmil) +
               ",\"diameter_mm\":" + JsonWriter::shortest(size.diameterMm) +
               ",\"kf\":" + JsonWriter::shortest(size.kf) + "}\n";
    }
};

} // namespace

int ConductorCommand::run(const QStringList &arguments) {
    return Conductor().run(arguments);
}
