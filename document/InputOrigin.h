#pragma once

#include "document/DocumentError.h"

#include <QJsonObject>

#include <optional>
#include <vector>

namespace tav {

// How a study's soil and current were obtained, when the project says so; the report
// names it beside the values, so that a reviewer can trace them.
namespace InputOrigin {

// A sounding's readings as the soil model window holds them: each spacing (a under a
// Wenner array, AB/2 under a Schlumberger one), MN/2 under a Schlumberger array, and the
// apparent resistivity read.
struct Sounding {
    struct Reading {
        double spacing = 0;     // m
        double mn = 0;          // m, Schlumberger only
        double resistivity = 0; // ohm m
    };
    bool schlumberger = false;
    std::vector<Reading> readings;
};

// The soil fitted to a sounding: how many readings, and the fit's RMS error; and the
// sounding itself when it is kept. tav-calc soil-model's output carries it (array, rows
// and rms_percent); the soil model window hands it on.
struct Soil {
    int readings = 0;
    double rmsPercent = 0;
    std::optional<Sounding> sounding;
};

// I_G = Df Sf 3I0 (IEEE Std 80-2013 eq. 79 with its split factor), as the grid safety
// check obtained it.
struct Current {
    double faultCurrent = 0; // A, 3I0
    double decrement = 1;    // Df
    double split = 1;        // Sf
    double gridCurrent() const { return faultCurrent * decrement * split; }
};

// The soil object's origin, if it holds a sound one: "readings" (or the count of "rows")
// and "rms_percent"; the sounding from "array" ("wenner" or "schlumberger", as soil-model
// writes it) and "rows" whose every row has a positive "spacing" and "measured" (and "mn"
// below its spacing under a Schlumberger array). Anything else is no origin, or no
// sounding, not an error: the soil stands as given.
std::optional<Soil> soilOf(const QJsonObject &soil);
// The sounding's keys are written only with a sounding, so that a soil without one is
// written as it always was.
void write(const Soil &origin, QJsonObject &soil);

// The document's "current_basis", refused at its field when malformed; kept only while it
// gives the document's current (within 0.1 %), since an edited current is no longer the
// product of the factors.
std::optional<Current> currentOf(const QJsonValue &basis, double current, DocumentError &error);
QJsonObject write(const Current &basis);

} // namespace InputOrigin

} // namespace tav
