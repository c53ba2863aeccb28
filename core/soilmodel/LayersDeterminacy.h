#pragma once

#include "core/soilmodel/FitDeterminacy.h"
#include "core/soilmodel/LayersFit.h"
#include "core/soilmodel/SoundingReading.h"

#include <optional>
#include <vector>

namespace tav {

// What the readings fix of a middle layer when neither its thickness nor its resistivity
// is fixed: a thin layer of low resistivity acts through its conductance h/rho (S), one
// of high resistivity through its transverse resistance h rho (ohm m^2) (Maillet, 1947;
// Koefoed, 1979, ch. 3), which the readings may fix although h and rho are free.
struct LayerProduct {
    enum class Kind { Conductance, TransverseResistance };
    Kind kind = Kind::Conductance;
    double value = 0; // of the fitted soil, in S or ohm m^2
    // The 95 % profile-likelihood interval of the product, three significant digits
    // rounded outward.
    double atLeast = 0;
    double atMost = 0;
};

struct LayersDeterminacy {
    // By layer, from the top. A parameter is determined when its 95 % profile region
    // ends on both sides before the search's limits; atLeast and atMost then hold its
    // ends. An undetermined one holds the end that the readings do set, if any.
    std::vector<Determination> resistivities;
    std::vector<Determination> thicknesses;
    // By layer: for a middle layer whose thickness and resistivity are each undetermined
    // or known only within more than a factor of 3, but whose conductance (if its
    // resistivity lies below the geometric mean of its neighbours') or transverse
    // resistance (if above) is known within a factor of 3, that product.
    std::vector<std::optional<LayerProduct>> products;
    // The soils at the ends of every parameter's 95 % region that the readings close:
    // their curves bound what the readings allow, drawn as a band round the fit's.
    std::vector<LayeredSoil> edges;
};

// The profile-likelihood analysis of FitDeterminacy, extended to N layers: each
// parameter (ln rho_i, ln h_i) held at values stepped away from the fit, the others
// fitted afresh, until the sum of squares leaves the 95 % region
// S <= S_best (1 + F(1, n - p)/(n - p)) (Bates and Watts, 1988, section 6.1) widened by an
// RMS error of 0.01 %, or the search's limit is reached. fit is fitLayers' answer to
// these readings.
LayersDeterminacy layersDeterminacy(const std::vector<SoundingReading> &readings,
                                    const LayersFit &fit);

} // namespace tav
