#pragma once

#include "document/DocumentError.h"
#include "document/PartValues.h"

#include "core/TolerableVoltage.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <vector>

namespace tav {

// The kinds of part a system document holds, each an array of its own. PartSchema::kinds()
// lists them in the order the solver numbers their conductors (an imported drawing's
// before the fences, which stand round it); the given touch areas and touch points expand
// into no conductor and come last. A kind added later is appended here, so that each
// kind's number (a string id's offset) stays.
enum class PartKind { Conductor, Grid, Rods, LGrid, Ring, Fence, TouchArea, TouchPoint, Drawing };

// What a field of a part holds, as the document reads it: a number, a whole number, a
// count (a whole number of things), an array of [x, y] points, true or false, text, or an
// object whose fields follow it in the table.
enum class FieldType { Number, Integer, Count, Points, Boolean, Text, Object };

// What a field is in the plan, so that a refusal of the solver that names a conductor's
// place, length, depth or diameter can point at the fields that shape it.
enum class FieldRole { Place, Length, Count, Depth, Diameter, Other };

// What the reader refuses beyond the type.
enum class FieldLimit {
    None,
    Positive,     // above 0
    Counted,      // a whole number from 1 to kMaxCount
    AtLeastThree, // a whole number from 3 to kMaxCount
    InsideSize,   // above 0 and below the size the same way (an L's cut)
    BodyWeight,   // 50 or 70
    Polygon,      // a simple polygon of three corners or more, with an inside
    CriteriaName, // "ieee80" or "en50522"
    NotNegative,  // 0 or above
    Outline,      // a fence's corners: two or more, three when it closes
};

// One row of a part's table: a field of its JSON object.
struct PartField {
    const char *path; // slash-separated keys and indices in the part's object: "origin/1"
    FieldType type;
    FieldRole role;
    unsigned label;     // its string id; 0 for a field the study window does not offer
    QJsonValue initial; // a new part's value, and an optional field's when left out
    FieldLimit limit = FieldLimit::None;
    bool required = true;
    // A Boolean's path that, when true, leaves it unread; or another field's path that,
    // when given, places the part in its stead (and this field may then not be given).
    const char *waivedBy = nullptr;
};

// The fields of every kind of part, from which the document's reader and writer, a new
// part's defaults and the study window's labels all come: a field added to a part is one
// row here and one line where its struct is filled.
class PartSchema {
public:
    // Grids and rods beyond this many conductors could not be solved anyway.
    static constexpr int kMaxCount = 10000;
    // The names of the safety block's criteria, as the document spells them.
    static const char *criteriaName(Criteria criteria);

    static const std::vector<PartKind> &kinds(); // in the solver's order
    static const char *key(PartKind kind);       // of the document's array: "grids"
    static unsigned nameId(PartKind kind);
    static const std::vector<PartField> &fields(PartKind kind);
    // The safety criteria's block, read and written as a part's fields are.
    static const std::vector<PartField> &safetyFields();
    static unsigned label(PartKind kind, const QString &path); // 0 when none

    // A sound new part: every field with an initial value, but those of an optional
    // object (a grid's rods), which a new part leaves out.
    static QJsonObject defaults(PartKind kind);
    // The same of a table of fields: a new row of an imported drawing's array.
    static QJsonObject defaults(const std::vector<PartField> &table);
    // The initial value of one field, whether a new part has it or not.
    static QJsonValue initial(PartKind kind, const QString &path);

    // The part at path in the document, read strictly: the first fault goes into error.
    static PartValues read(const std::vector<PartField> &fields, const QJsonValue &value,
                           const QString &path, DocumentError &error);
    static QJsonObject write(const std::vector<PartField> &fields, const PartValues &values);
};

} // namespace tav
