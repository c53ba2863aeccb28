#pragma once

#include "core/earthing/EarthingInput.h"
#include "document/DocumentError.h"

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

    QString name;
    int group = 0;
    std::vector<earthing::Conductor> conductors;
    std::vector<Rod> rods;

    static DrawingPart read(const QJsonValue &value, const QString &path, DocumentError &error);
    QJsonObject write() const;

    // The conductors as given, then a vertical conductor per rod, each of the part's group.
    std::vector<earthing::Conductor> expanded() const;
    // The field each of expanded()'s conductors comes from: "conductors[3]", "rods[0]".
    std::vector<QString> fieldsOfExpanded() const;
};

} // namespace tav
