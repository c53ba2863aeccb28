#include "studies/earthing/PartListModel.h"

#include "studies/common/StudyNumber.h"
#include "studies/earthing/EarthingProject.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QBrush>
#include <QColor>
#include <QJsonArray>

#include <cmath>

using namespace StringId::EarthingStudy;
using Kind = StudyPart::Kind;

namespace {

using Shown = StudyNumber::Shown;

// A figure as typed: a number (a length to the millimetre), or "?" while it is none.
QString figure(const QJsonValue &value, Shown shown = Shown::Figure) {
    return value.isDouble() ? StudyNumber::shown(value.toDouble(), shown) : QStringLiteral("?");
}

QString figure(const QJsonObject &o, const char *key, int index, Shown shown = Shown::Figure) {
    return figure(o.value(QLatin1String(key)).toArray().at(index), shown);
}

QString length(const QJsonObject &o, const char *key) {
    return figure(o.value(QLatin1String(key)), Shown::Metres);
}

QString figure(const QJsonObject &o, const char *key) {
    return figure(o.value(QLatin1String(key)));
}

QString rectangleName(unsigned id, const QJsonObject &o) {
    return LoadLanguageString(id).arg(figure(o, "size", 0, Shown::Metres),
                                      figure(o, "size", 1, Shown::Metres),
                                      figure(o, "conductors", 0), figure(o, "conductors", 1));
}

QString conductorLength(const QJsonObject &o) {
    const QJsonArray a = o.value(QStringLiteral("from")).toArray();
    const QJsonArray b = o.value(QStringLiteral("to")).toArray();
    double squares = 0;
    for (int k = 0; k < 3; ++k) {
        if (!a.at(k).isDouble() || !b.at(k).isDouble())
            return QStringLiteral("?");
        squares += std::pow(b.at(k).toDouble() - a.at(k).toDouble(), 2);
    }
    return StudyNumber::shown(std::sqrt(squares), Shown::Metres);
}

} // namespace

PartListModel::PartListModel(EarthingProject *project, QObject *parent)
    : QAbstractListModel(parent), m_project(project) {
    m_rows = int(project->document().parts.size());
    connect(project, &EarthingProject::changed, this, &PartListModel::follow);
}

QString PartListModel::name(const StudyPart &part) {
    const QJsonObject &o = part.json;
    QString text;
    switch (part.kind) {
    case Kind::Grid:
        text = rectangleName(kGridName, o);
        break;
    case Kind::LGrid:
        text = rectangleName(kLGridName, o);
        break;
    case Kind::Conductor:
        text = LoadLanguageString(kConductorName).arg(conductorLength(o));
        break;
    case Kind::Rods: {
        const QJsonValue at = o.value(QStringLiteral("at"));
        const QString count =
            at.isArray() ? QString::number(at.toArray().size()) : QStringLiteral("?");
        text = LoadLanguageString(kRodsName).arg(count, length(o, "length"));
        break;
    }
    case Kind::Ring:
        text = LoadLanguageString(kRingName).arg(length(o, "radius"), figure(o, "count"));
        break;
    case Kind::Fence:
        text = LoadLanguageString(kFenceName).arg(length(o, "distance"));
        break;
    case Kind::TouchArea: {
        const QJsonValue corners = o.value(QStringLiteral("polygon"));
        text = LoadLanguageString(kTouchAreaName)
                   .arg(corners.isArray() ? QString::number(corners.toArray().size())
                                          : QStringLiteral("?"),
                        QString::number(o.value(QStringLiteral("group")).toInt()));
        break;
    }
    case Kind::TouchPoint: {
        const QString given = o.value(QStringLiteral("name")).toString();
        text = given.isEmpty() ? LoadLanguageString(kKindTouchPoint) : given;
        break;
    }
    case Kind::Drawing: {
        // Its file's name, as imported; the kind's while it has none.
        const QString given = o.value(QStringLiteral("name")).toString();
        text = given.isEmpty() ? LoadLanguageString(StringId::kKindDrawing) : given;
        break;
    }
    }
    return part.floating() ? LoadLanguageString(kPartFloating).arg(text) : text;
}

int PartListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_rows;
}

bool PartListModel::hasProblem(int row) const {
    return row >= 0 && (row == m_problem || row == m_otherProblem);
}

QVariant PartListModel::data(const QModelIndex &index, int role) const {
    const int row = index.row();
    if (!index.isValid() || row >= m_project->document().parts.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return name(m_project->document().parts.at(row));
    case Qt::ForegroundRole:
        return hasProblem(row) ? QVariant(QBrush(QColor(0xc0, 0x1c, 0x1c))) : QVariant();
    case Qt::ToolTipRole:
    case ProblemRole:
        return hasProblem(row) ? QVariant(m_why) : QVariant();
    default:
        return {};
    }
}

void PartListModel::setProblem(int part, int otherPart, const QString &why) {
    m_problem = part;
    m_otherProblem = otherPart;
    m_why = why;
    if (m_rows > 0)
        Q_EMIT dataChanged(index(0), index(m_rows - 1));
}

// A part added or removed changes the rows; any edit may change a name.
void PartListModel::follow() {
    const int rows = int(m_project->document().parts.size());
    if (rows != m_rows) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    } else if (rows > 0) {
        Q_EMIT dataChanged(index(0), index(rows - 1));
    }
}
