#pragma once

#include "cad/ImportedPlan.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <string>

// tav-dxf-import's --layers file: what each layer of a drawing stands for, read as
// strictly as a system document, every fault worded with its path in the file:
//   {"layers": {"GRID": {"role": "conductor", "depth": 0.6, "diameter": 0.012, "group": 0},
//               "RODS": {"role": "rod", "depth": 0.6, "length": 3, "diameter": 0.016},
//               "FENCE": {"role": "fence", "posts": {"spacing": 3, "length": 1.2,
//                                                      "diameter": 0.06}, "group": 1},
//               "YARD": {"role": "touch_area", "group": 0}, "ROCK": {"role": "surface"},
//               "ANNOT": {"role": "ignored"}}}
class LayerMap {
public:
    using Layers = std::map<std::string, tav::cad::LayerMapping>;

    // The layers, or the worded refusal in refused.
    static Layers fromJson(const QByteArray &json, QString &refused);
    // The file at path (tav-calc's argument), read as DocumentInput reads a document.
    static Layers read(const QString &path, QString &refused);
};
