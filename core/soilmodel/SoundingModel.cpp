#include "core/soilmodel/SoundingModel.h"

#include "core/soilmodel/SoilModelFit.h"

namespace tav {

namespace {

// The caution of one parameter left open: its bound when the readings set one.
void addOpen(std::vector<Caution> &cautions, const Determination &d, int layer,
             Warning atLeast, Warning atMost, Warning open) {
    if (d.determined)
        return;
    if (d.atLeast)
        cautions.push_back({atLeast, Quantity::None, {double(layer), *d.atLeast}});
    else if (d.atMost)
        cautions.push_back({atMost, Quantity::None, {double(layer), *d.atMost}});
    else
        cautions.push_back({open, Quantity::None, {double(layer)}});
}

std::vector<Caution> cautionsOf(const LayersFit &fit, const LayersDeterminacy &d) {
    std::vector<Caution> cautions;
    if (fit.rmsPercent > kNoModelFitsPercent) {
        cautions.push_back({Warning::NoModelFits, Quantity::None, {fit.rmsPercent}});
        return cautions;
    }
    for (std::size_t i = 0; i < d.resistivities.size(); ++i) {
        const int layer = int(i) + 1;
        if (i < d.products.size() && d.products[i]) {
            const LayerProduct &p = *d.products[i];
            cautions.push_back({p.kind == LayerProduct::Kind::Conductance
                                    ? Warning::LayerConductanceOnly
                                    : Warning::LayerTransverseResistanceOnly,
                                Quantity::None,
                                {double(layer), p.value}});
            continue;
        }
        addOpen(cautions, d.resistivities[i], layer, Warning::LayerResistivityAtLeast,
                Warning::LayerResistivityAtMost, Warning::LayerResistivityOpen);
        if (i < d.thicknesses.size())
            addOpen(cautions, d.thicknesses[i], layer, Warning::LayerThicknessAtLeast,
                    Warning::LayerThicknessAtMost, Warning::LayerThicknessOpen);
    }
    return cautions;
}

} // namespace

Refusable<SoundingModel> fitSounding(const std::vector<SoundingReading> &readings,
                                     std::optional<int> layers, int most) {
    SoundingModel model;
    if (!layers) {
        Refusable<LayerCountChoice> choice = chooseLayerCount(readings, most);
        if (choice.refused())
            return choice.refusal();
        model.choice = choice.result();
        model.fit = model.choice->fits[std::size_t(model.choice->layers - 1)];
    } else {
        Refusable<LayersFit> fit = fitLayers(readings, *layers);
        if (fit.refused())
            return fit.refusal();
        model.fit = fit.result();
    }
    model.determinacy = layersDeterminacy(readings, model.fit);
    model.cautions = cautionsOf(model.fit, model.determinacy);
    return model;
}

} // namespace tav
