#pragma once

#include "document/PartSchema.h"

#include <QJsonObject>
#include <QString>
#include <QVector>

// One part of an earthing study's system as the study window keeps it: its kind and its
// JSON object, an element of the document's array for that kind, kept as typed (a field
// that is no number stays text) so that the document's reader says what is wrong with it.
struct StudyPart {
    // The document's kinds of part; the fields, keys, names and a new part's values come
    // from its schema.
    using Kind = tav::PartKind;

    // What a field holds, for marking the ones a refusal of the solver points at.
    enum class Role { Place, Length, Count, Depth, Diameter };
    enum class Type { Number, Integer, Points, Text };

    struct Field {
        QString path; // slash-separated keys and indices in the part's object: "origin/1"
        unsigned label;
        Role role;
        Type type = Type::Number;
    };

    Kind kind = Kind::Grid;
    QJsonObject json;

    // In the order the solver numbers their conductors, which the list of parts keeps.
    static const QVector<Kind> &kinds();
    // In the order the window offers them.
    static const QVector<Kind> &offered();
    static const char *key(Kind kind); // of the document's array: "grids"
    static unsigned nameId(Kind kind);
    static QVector<Field> fields(Kind kind);
    // The fields of a table of the schema the window offers (those with a label).
    static QVector<Field> fields(const std::vector<tav::PartField> &table);
    // A sound part of the kind, as Add puts it in.
    static StudyPart made(Kind kind);

    // Floating parts are metal of a group of their own, not bonded to what takes the
    // current; a fence without a group is one.
    bool floating() const;
    int group() const; // 0 energised; a fence without one: -1
};
