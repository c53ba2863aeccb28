#include "report/GridSafetyStudy.h"

#include <cmath>

GridSafetyOutcome GridSafetyOutcome::evaluate(const GridSafetyStudy &study) {
    GridSafetyOutcome outcome;
    tav::GridSafetyInput grid = study.grid;
    if (study.fault) {
        tav::FaultCurrentInput fault = *study.fault;
        fault.duration = grid.faultDuration;
        const tav::Refusable<tav::FaultCurrentResult> current = tav::calculateFaultCurrent(fault);
        if (current.refused())
            outcome.refusal = current.refusal();
        else {
            outcome.fault = current.result();
            grid.gridCurrent = current.result().gridCurrent;
        }
    }
    if (!outcome.refusal) {
        const tav::Refusable<tav::GridSafetyResult> safety = tav::calculateGridSafety(grid);
        if (safety.refused())
            outcome.refusal = safety.refusal();
        else {
            outcome.safety = safety.result();
            outcome.cautions = safety.result().cautions;
        }
    }
    if (study.conductor) {
        outcome.conductor = tav::sizeConductor(*study.conductor);
        const double chosen = grid.conductorDiameter;
        if (!outcome.conductor->refused() && std::isfinite(chosen) && chosen > 0)
            if (const auto thin =
                    tav::thinnerThanSized(grid.conductorDiameter, outcome.conductor->result()))
                outcome.cautions.push_back(*thin);
    }
    return outcome;
}
