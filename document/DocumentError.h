#pragma once

#include "core/errors.h"

#include <QString>

#include <optional>

namespace tav {

// Why a system document could not be read: a typed value and where in the document, never
// a sentence; tav-calc and the study window word it from the string table.
struct DocumentError {
    enum class Kind {
        None,
        NotJson,         // the text is no JSON; offset tells where the parser stopped
        NotAnObject,     // path should hold an object
        MissingKey,      // path is required
        UnknownKey,      // path is no key of the document
        NotANumber,      // path should hold a number
        NotAnInteger,    // path should hold a whole number that an int holds
        NotAnArray,      // path should hold an array
        NotABoolean,     // path should hold true or false
        WrongLength,     // path should hold an array of expected numbers
        SoilShape,       // path holds neither rho nor rho1, rho2 and h
        CountOutOfRange, // path should hold a whole number from 1 to expected
        NotPositive,     // path should hold a number above 0
        CutTooLarge,     // path should be smaller than the grid's size each way
        TooFewRods,      // path should hold a whole number of at least 3, up to expected
        NotBodyWeight,   // path should hold 50 or 70
        NotAVersion,     // path should hold a whole number of 1 or more
        NewerVersion,    // the document is of version found, newer than expected, the
                         // latest this program reads
        NotText,         // path should hold text
        BeyondReach,     // path should hold a length or coordinate from -expected to
                         // expected m
        DuplicateKey,    // path is given twice in its object
        TooFewCorners,   // path should hold a polygon of at least three corners
        SelfCrossing,    // path holds a polygon whose edges cross
        NoArea,          // path holds a polygon without an inside (its corners in a line)
        UnknownGroup,    // path names a group that no part of the system has
        UnknownCriteria, // path should hold "ieee80" or "en50522"
        Negative,        // path should hold a number of 0 or more
        TooManyLayers,   // path holds a soil of expected layers, more than the study takes
        // path gives the last layer, which goes down without end, a thickness
        LastLayerThickness,
        // path holds layers beside rho or rho1, rho2 and h
        LayersBeside,
        // path holds an empty array of layers
        NoLayers,
        // path, of the soil's layers, differs from the same soil given beside them as rho1,
        // rho2 and h
        LayersDisagree,
        // path holds a polygon of more corners than expected
        TooManyCorners,

        // path holds what a calculation refuses, as refusal says
        Refused,
        // path is given beside the network, which gives the current into the earth
        BesideNetwork,
        // path should hold a fence's outline of at least expected corners
        TooFewOutlineCorners,
        // path is given beside the fence's outline, which places the fence
        BesideOutline,
        // path means something only with a fence's outline
        WithoutOutline,

        // path should hold a name that is not blank
        EmptyName,
        // path holds a name an earlier case already has
        NameTaken,
        // path should hold from 1 to expected cases
        CaseCount,
        // path should hold at least one rod length
        NoRodLengths,
        // path should hold a depth within DesignBrief's range
        DesignDepth,
        // path should hold a diameter above 0, within DesignBrief's range
        DesignDiameter,
        // path should hold a rod length above 0, within DesignBrief's range
        DesignRodLength,

        // The record of a design ("designed"):
        // path should hold a whole number of lines from 2 to expected
        DesignedLines,
        // path should hold the fewest lines first, then the most
        DesignedLinesOrder,
        // path should hold "equal" or "compressed"
        DesignedSpacing,
        // path should hold at most expected runner-up layouts
        DesignedRunnerUps,
        // path should hold a margin of 1 or less
        DesignedMargin,

        // path gives a case's decrement factor where the study's current is the current
        // into the earth already, with neither a network nor a current_basis to work the
        // case's current out from
        DecrementWithoutBasis,
        // path gives a case's decrement factor beside the case's own current
        DecrementBesideCurrent,
    };
    Kind kind = Kind::None;
    QString path; // as "conductors[2].from", indices from 0
    int expected = 0;
    int offset = -1;
    int parseError = 0; // NotJson: QJsonParseError's kind, when the parser gave one
    double found = 0;   // NewerVersion: the document's version
    std::optional<Refusal> refusal; // Refused: what the calculation says
};

} // namespace tav
