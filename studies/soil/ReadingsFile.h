#pragma once

#include "core/soilmodel/SoundingReading.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// The soil model window's own file of readings, JSON:
// {"version": 1, "array": "wenner"|"schlumberger", "layers": "auto"|N,
//  "readings": [{"spacing": a, "mn": l (Schlumberger only), "resistivity": r,
//                "left_out": bool}]}
// read strictly, so that a file edited by hand is never half taken.
class ReadingsFile {
public:
    struct Content {
        tav::SoundingArray array = tav::SoundingArray::Wenner;
        std::optional<int> layers; // none: automatic
        std::vector<tav::SoundingReading> readings;
        std::vector<bool> used; // by reading: false when left out of the fit
    };

    // What reading a file gave: its content, or the first field that is missing or wrong
    // ("readings[2].mn"), or the JSON parser's words when it is no JSON at all.
    struct Read {
        std::optional<Content> content;
        QString field;
        QString notJson;
    };

    static QByteArray write(const Content &content);
    static Read read(const QByteArray &bytes);
};
