#pragma once

#include "cad/ImportedPlan.h"
#include "core/earthing/EarthingInput.h"
#include "document/DocumentError.h"
#include "document/PartSchema.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <vector>

namespace tav {

// A part imported from a CAD drawing: its conductors and rods as the drawing placed them,
// in metres about the document's origin, depths positive downward, all of the part's
// group. Its name and group are read and written through PartSchema's table as every
// part's fields are; its arrays of rows here, each row through a small table of its own,
// so that a fault is named at its row: "drawings[0].conductors[3].diameter".
class DrawingPart {
public:
    struct Rod {
        earthing::Point2 at;
        double top = 0; // depth of its top
        double length = 0;
        double diameter = 0;
    };

    // The part's two arrays; each row's fields, from which its reader, its writer and the
    // study window's table of rows come.
    enum class Rows { Conductors, Rods };
    static const char *key(Rows rows); // "conductors", "rods"
    static const std::vector<PartField> &rowFields(Rows rows);

    QString name;
    int group = 0;
    std::vector<earthing::Conductor> conductors;
    std::vector<Rod> rods;

    static DrawingPart read(const QJsonValue &value, const QString &path, DocumentError &error);
    // The parts of a drawing imported from the file of the given name: one, or one per
    // group when its layers were given groups of their own, so that no group is lost.
    static std::vector<DrawingPart> fromPlan(const cad::ImportedPlan &plan, const QString &name);
    QJsonObject write() const;

    // The conductors as given, then a vertical conductor per rod, each of the part's group.
    std::vector<earthing::Conductor> expanded() const;
    // The field each of expanded()'s conductors comes from: "conductors[3]", "rods[0]".
    std::vector<QString> fieldsOfExpanded() const;
};

} // namespace tav
