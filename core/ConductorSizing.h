#pragma once

#include "core/errors.h"

#include <optional>
#include <vector>

namespace tav {

// The conductor materials of IEEE Std 80-2013, Table 1, in its order.
enum class ConductorMaterial {
    AnnealedCopper,
    HardDrawnCopper,
    CopperCladSteel40,
    CopperCladSteel30,
    CopperCladSteelRod20,
    AluminiumEc,
    Aluminium5005,
    Aluminium6201,
    AluminiumCladSteel,
    Steel1020,
    StainlessCladSteelRod,
    ZincCoatedSteelRod,
    StainlessSteel304,
};

// A row of Table 1, with its units.
struct MaterialConstants {
    double conductivityPercent = 0; // of annealed copper
    double alphaR = 0;              // 1/°C, thermal coefficient of resistivity at 20 °C
    double K0 = 0;                  // °C, 1/alpha0 at 0 °C
    double fusingTemperature = 0;   // °C, Tm
    double rhoR = 0;                // µΩ cm, resistivity at 20 °C
    double TCAP = 0;                // J/(cm³ °C), thermal capacity per unit volume
};

const MaterialConstants &materialConstants(ConductorMaterial material);
// Every material, in the table's order.
const std::vector<ConductorMaterial> &conductorMaterials();

struct ConductorSizingInput {
    ConductorMaterial material = ConductorMaterial::AnnealedCopper;
    double current = 0;  // A, the rms symmetrical fault current the conductor carries
    double duration = 0; // s, tc, how long it flows
    double ambient = 40; // °C, Ta
    // °C, the highest temperature the conductor may reach; the fusing temperature if none.
    std::optional<double> maxTemperature;
};

struct ConductorSize {
    double areaMm2 = 0;
    double areaKcmil = 0;
    double diameterMm = 0; // of a solid round conductor of that area
    double kf = 0;         // Kf of Table 2: kcmil per kA per square root of a second
};

// The smallest cross-section that carries the current for the duration without passing
// the maximum temperature, after IEEE Std 80-2013 Eq. 37 (all heat kept in the conductor).
Refusable<ConductorSize> sizeConductor(const ConductorSizingInput &input);

// A caution when a conductor of the chosen diameter (m) is thinner than the sized one; it
// names the sized diameter rounded up to 0.01 mm.
std::optional<Caution> thinnerThanSized(double chosenDiameter, const ConductorSize &size);

} // namespace tav
