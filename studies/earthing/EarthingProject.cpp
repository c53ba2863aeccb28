#include "studies/earthing/EarthingProject.h"

#include "document/DrawingPart.h"
#include "document/PartSchema.h"
#include "studies/earthing/JsonPath.h"
#include "studies/earthing/ProjectCommand.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QJsonArray>
#include <QUndoStack>

using namespace StringId::EarthingStudy;
using Kind = StudyPart::Kind;

namespace {

const QString kSiteOrigin = QStringLiteral("site_origin");

using Rows = tav::DrawingPart::Rows;

Rows rowsOf(const QString &key) {
    return key == QLatin1String(tav::DrawingPart::key(Rows::Conductors)) ? Rows::Conductors
                                                                         : Rows::Rods;
}

const QString kSoilKey = QStringLiteral("soil");
const QString kSafety = QStringLiteral("safety");
const QString kWindow = QStringLiteral("study_window");

// "Side along x [m]" names its command as "Side along x".
QString withoutUnit(const QString &label) {
    const int bracket = label.lastIndexOf(QStringLiteral(" ["));
    return bracket > 0 && label.endsWith(QLatin1Char(']')) ? label.left(bracket) : label;
}

// What a grid's rods hold when they are first asked for: a new grid rod's values, where
// the rods had none of their own.
QJsonObject typicalRods(Kind kind, const QJsonObject &kept) {
    QJsonObject rods = kept;
    for (const char *key : {"length", "diameter"})
        if (!rods.contains(QLatin1String(key)))
            rods[QLatin1String(key)] =
                tav::PartSchema::initial(kind, QStringLiteral("rods/") + QLatin1String(key));
    return rods;
}

// A safety field's value in a new study: "surface/rho" is 2500.
QJsonValue safetyInitial(const QString &path) {
    for (const tav::PartField &field : tav::PartSchema::safetyFields())
        if (path == QLatin1String(field.path))
            return field.initial;
    return {};
}

// The soil is uniform (rho) or of two layers (rho1, rho2, h), never both: a value typed
// for one shape takes out the other's, and what tav-calc soil-model says of its fit.
void keepSoilShape(QJsonObject &document, const QString &path) {
    if (!path.startsWith(QStringLiteral("soil/")))
        return;
    QJsonObject soil = document.value(kSoilKey).toObject();
    const bool uniform = path == QStringLiteral("soil/rho");
    for (const char *key : {"layered", "uniform"})
        soil.remove(QLatin1String(key));
    // soil-model's list of one or two layers beside rho1, rho2 and h goes once they are
    // typed over, so that the soil keeps one shape.
    const bool list = path.startsWith(QStringLiteral("soil/layers/"));
    if (!list)
        soil.remove(QStringLiteral("layers"));
    if (uniform)
        for (const char *key : {"rho1", "rho2", "h"})
            soil.remove(QLatin1String(key));
    else if (!list)
        soil.remove(QStringLiteral("rho"));
    document[kSoilKey] = soil;
}

// What a new line or cable of the network holds, numbered from 1: typical values to type over.
QJsonObject newNetworkRow(const QString &list, int number) {
    if (list == QStringLiteral("cables"))
        return {{QStringLiteral("name"),
                 LoadLanguageString(StringId::NetworkWindow::kCableName).arg(number)},
                {QStringLiteral("current"), 1000},
                {QStringLiteral("length"), 2000},
                {QStringLiteral("remote_resistance"), 1},
                {QStringLiteral("sheath"), QJsonObject{{QStringLiteral("resistance"), 0.3},
                                                       {QStringLiteral("mean_radius"), 0.03}}}};
    return {
        {QStringLiteral("name"),
         LoadLanguageString(StringId::NetworkWindow::kLineName).arg(number)},
        {QStringLiteral("current"), 1000},
        {QStringLiteral("spans"), 20},
        {QStringLiteral("span"), 300},
        {QStringLiteral("tower_resistance"), 10},
        {QStringLiteral("remote_resistance"), 1},
        {QStringLiteral("earth_wires"), QJsonArray{QJsonObject{{QStringLiteral("resistance"), 0.4},
                                                               {QStringLiteral("gmr"), 0.004},
                                                               {QStringLiteral("height"), 30},
                                                               {QStringLiteral("offset"), 0}}}},
        {QStringLiteral("phase"),
         QJsonObject{{QStringLiteral("height"), 22}, {QStringLiteral("offset"), 4}}}};
}

// The network a study first takes: one line as a new one, no cables.
QJsonObject madeNetwork() {
    return {{QStringLiteral("frequency"), 50},
            {QStringLiteral("local_current"), 0},
            {QStringLiteral("lines"), QJsonArray{newNetworkRow(QStringLiteral("lines"), 1)}},
            {QStringLiteral("cables"), QJsonArray()}};
}

} // namespace

EarthingProject::EarthingProject(QObject *parent) : QObject(parent), m_undo(new QUndoStack(this)) {
    connect(m_undo, &QUndoStack::cleanChanged, this,
            [this] { Q_EMIT modifiedChanged(isModified()); });
}

void EarthingProject::reset(const StudyProject &document, bool saved) {
    m_undo->clear();
    m_handedOn = !saved;
    if (m_handedOn)
        m_undo->resetClean(); // no state of it is saved anywhere
    else
        m_undo->setClean();
    apply(document, document.parts.isEmpty() ? -1 : 0);
    Q_EMIT modifiedChanged(isModified());
}

bool EarthingProject::isModified() const {
    return !m_undo->isClean();
}

void EarthingProject::markSaved() {
    m_handedOn = false;
    m_undo->setClean();
}

void EarthingProject::apply(const StudyProject &document, int focus) {
    m_document = document;
    Q_EMIT changed();
    if (focus >= -1)
        Q_EMIT partFocused(focus);
}

// focus -2: the command leaves the part shown as it is.
void EarthingProject::push(const QString &name, const StudyProject &after, int focus,
                           const QString &mergeKey) {
    m_undo->push(new ProjectCommand(this, name, m_document, after, focus, focus, mergeKey));
}

void EarthingProject::edit(const QString &name, const StudyProject &after, int focus) {
    if (after.document() == m_document.document())
        return;
    m_undo->push(new ProjectCommand(this, name, m_document, after, -1, focus, QString()));
}

QString EarthingProject::partName(int index) const {
    return LoadLanguageString(StudyPart::nameId(m_document.parts.at(index).kind));
}

void EarthingProject::setValue(int part, const QString &path, const QJsonValue &value,
                               const QString &label) {
    StudyProject after = m_document;
    if (part >= 0) {
        JsonPath::setValueAt(after.parts[part].json, path, value);
    } else if (path.startsWith(QStringLiteral("soil/"))) {
        // Emptied, a soil's number stays as null: the soil keeps its shape.
        JsonPath::setValueAt(after.rest, path, value.isUndefined() ? QJsonValue() : value);
        keepSoilShape(after.rest, path);
    } else {
        JsonPath::setValueAt(after.rest, path, value);
        // The accuracy left to its defaults leaves no empty block behind.
        if (after.rest.value(QStringLiteral("search")).toObject().isEmpty())
            after.rest.remove(QStringLiteral("search"));
    }
    if (JsonPath::valueAt(after.parts.value(part).json, path) ==
            JsonPath::valueAt(m_document.parts.value(part).json, path) &&
        after.rest == m_document.rest)
        return;
    push(LoadLanguageString(kChangeCommand).arg(withoutUnit(label)), after, -2,
         QString::number(part) + QLatin1Char(':') + path);
}

int EarthingProject::addPart(Kind kind) {
    StudyProject after = m_document;
    const int at = after.insert(StudyPart::made(kind));
    m_undo->push(new ProjectCommand(
        this, LoadLanguageString(kAddCommand).arg(LoadLanguageString(StudyPart::nameId(kind))),
        m_document, after, -1, at, QString()));
    return at;
}

void EarthingProject::removePart(int index) {
    if (index < 0 || index >= m_document.parts.size())
        return;
    StudyProject after = m_document;
    after.remove(index);
    const int next = std::min(index, int(after.parts.size()) - 1);
    m_undo->push(new ProjectCommand(this, LoadLanguageString(kRemoveCommand).arg(partName(index)),
                                    m_document, after, index, next, QString()));
}

void EarthingProject::addRow(int part, const QString &key, int copied) {
    if (part < 0 || part >= m_document.parts.size())
        return;
    const Rows rows = rowsOf(key);
    StudyProject after = m_document;
    QJsonObject &json = after.parts[part].json;
    QJsonArray array = json.value(key).toArray();
    const bool copy = copied >= 0 && copied < array.size();
    const QJsonValue row =
        copy ? array.at(copied)
             : QJsonValue(tav::PartSchema::defaults(tav::DrawingPart::rowFields(rows)));
    array.insert(copy ? copied + 1 : array.size(), row);
    json[key] = array;
    push(LoadLanguageString(rows == Rows::Conductors ? StringId::DrawingRows::kAddConductor
                                                     : StringId::DrawingRows::kAddRod),
         after, -2);
}

void EarthingProject::removeRow(int part, const QString &key, int row) {
    if (part < 0 || part >= m_document.parts.size())
        return;
    StudyProject after = m_document;
    QJsonObject &json = after.parts[part].json;
    QJsonArray array = json.value(key).toArray();
    if (row < 0 || row >= array.size())
        return;
    array.removeAt(row);
    json[key] = array;
    push(LoadLanguageString(rowsOf(key) == Rows::Conductors
                                ? StringId::DrawingRows::kRemoveConductor
                                : StringId::DrawingRows::kRemoveRod),
         after, -2);
}

bool EarthingProject::movePart(int index, int by) {
    const int to = index + by;
    if (index < 0 || to < 0 || to >= m_document.parts.size() ||
        m_document.parts[to].kind != m_document.parts[index].kind)
        return false;
    StudyProject after = m_document;
    after.move(index, to);
    m_undo->push(new ProjectCommand(this, LoadLanguageString(kMoveCommand).arg(partName(index)),
                                    m_document, after, index, to, QString()));
    return true;
}

void EarthingProject::setFloating(int index, bool floating) {
    if (m_document.parts.at(index).floating() == floating)
        return;
    StudyProject after = m_document;
    after.setFloating(index, floating);
    push(LoadLanguageString(kChangeCommand).arg(LoadLanguageString(kConnection)), after, -2);
}

EarthingProject::GridRods EarthingProject::gridRods(const StudyPart &part) {
    if (!part.json.contains(QStringLiteral("rods")))
        return GridRods::None;
    return part.json.value(QStringLiteral("rods"))
                   .toObject()
                   .value(QStringLiteral("corners"))
                   .toBool(false)
               ? GridRods::Corners
               : GridRods::Edge;
}

void EarthingProject::setGridRods(int index, GridRods rods) {
    const StudyPart &part = m_document.parts.at(index);
    if (gridRods(part) == rods)
        return;
    StudyProject after = m_document;
    QJsonObject &json = after.parts[index].json;
    if (rods == GridRods::None) {
        json.remove(QStringLiteral("rods"));
    } else {
        QJsonObject r = typicalRods(part.kind, json.value(QStringLiteral("rods")).toObject());
        if (rods == GridRods::Corners) {
            r.remove(QStringLiteral("count"));
            r[QStringLiteral("corners")] = true;
        } else {
            r.remove(QStringLiteral("corners"));
            if (!r.contains(QStringLiteral("count")))
                r[QStringLiteral("count")] =
                    tav::PartSchema::initial(part.kind, QStringLiteral("rods/count"));
        }
        json[QStringLiteral("rods")] = r;
    }
    push(LoadLanguageString(kChangeCommand).arg(LoadLanguageString(kGridRods)), after, -2);
}

void EarthingProject::setSoilLayered(bool layered) {
    setSoilShape(layered ? StudySoil::Shape::TwoLayers : StudySoil::Shape::Uniform);
}

void EarthingProject::setSoilShape(StudySoil::Shape shape) {
    const QJsonObject soil = m_document.rest.value(kSoilKey).toObject();
    if (StudySoil::shape(soil) == shape)
        return;
    setSoil(
        StudySoil::reshaped(soil, shape),
        LoadLanguageString(kChangeCommand).arg(LoadLanguageString(StringId::EarthingStudy::kSoil)));
}

void EarthingProject::addLayer() {
    const QJsonObject soil = m_document.rest.value(kSoilKey).toObject();
    setSoil(StudySoil::withLayerAdded(soil), LoadLanguageString(StringId::SoilLayers::kAddCommand));
}

void EarthingProject::removeLayer(int layer) {
    const QJsonObject soil = m_document.rest.value(kSoilKey).toObject();
    setSoil(StudySoil::withLayerRemoved(soil, layer),
            LoadLanguageString(StringId::SoilLayers::kRemoveCommand));
}

// One command, unless the soil is as it was.
void EarthingProject::setSoil(const QJsonObject &soil, const QString &name) {
    if (soil == m_document.rest.value(kSoilKey).toObject())
        return;
    StudyProject after = m_document;
    after.rest[kSoilKey] = soil;
    push(name, after, -2);
}

void EarthingProject::setSurface(bool present) {
    QJsonObject safety = m_document.rest.value(kSafety).toObject();
    if (safety.value(QStringLiteral("surface")).isObject() == present)
        return;
    safety[QStringLiteral("surface")] = present ? QJsonValue(QJsonObject()) : QJsonValue();
    StudyProject after = m_document;
    after.rest[kSafety] = safety;
    push(LoadLanguageString(kChangeCommand).arg(LoadLanguageString(kSurface)), after, -2);
}

void EarthingProject::setBodyWeight(int kilograms) {
    setValue(-1, QStringLiteral("safety/body"), kilograms, LoadLanguageString(kBody));
}

void EarthingProject::setCriteria(tav::Criteria criteria) {
    setValue(-1, QStringLiteral("safety/criteria"),
             QString::fromLatin1(tav::PartSchema::criteriaName(criteria)),
             LoadLanguageString(kCriteria));
}

void EarthingProject::setFootwear(double ohms) {
    setValue(-1, QStringLiteral("safety/footwear"), ohms, LoadLanguageString(kFootwear));
}

QString EarthingProject::surfaceZone(const QJsonObject &rest) {
    const QJsonObject surface =
        rest.value(kSafety).toObject().value(QStringLiteral("surface")).toObject();
    if (!surface.contains(QStringLiteral("area")))
        return QStringLiteral("everywhere");
    const QString kept =
        rest.value(kWindow).toObject().value(QStringLiteral("surface_zone")).toString();
    return kept == QLatin1String("fence") || kept == QLatin1String("grids")
               ? kept
               : QStringLiteral("drawn");
}

// The polygon and how it was had change together, so that an undo takes back both.
void EarthingProject::setSurfaceZone(const QString &zone, const QJsonArray &corners) {
    StudyProject after = m_document;
    withSurfaceZone(after, zone, corners);
    if (after.rest == m_document.rest)
        return;
    push(LoadLanguageString(kChangeCommand).arg(LoadLanguageString(kSurfaceZone)), after, -2);
}

void EarthingProject::withSurfaceZone(StudyProject &after, const QString &zone,
                                      const QJsonArray &corners) {
    QJsonObject safety = after.rest.value(kSafety).toObject();
    QJsonObject surface = safety.value(QStringLiteral("surface")).toObject();
    QJsonObject settings = after.rest.value(kWindow).toObject();
    if (zone == QLatin1String("everywhere")) {
        surface.remove(QStringLiteral("area"));
        settings.remove(QStringLiteral("surface_zone"));
    } else {
        surface[QStringLiteral("area")] = corners;
        settings[QStringLiteral("surface_zone")] = zone;
        // A zone for a layer not yet given brings the layer with a new one's values.
        for (const char *key : {"rho", "thickness"})
            if (!surface.contains(QLatin1String(key)))
                surface[QLatin1String(key)] =
                    safetyInitial(QStringLiteral("surface/") + QLatin1String(key));
    }
    if (!surface.isEmpty())
        safety[QStringLiteral("surface")] = surface;
    after.rest[kSafety] = safety;
    if (settings.isEmpty())
        after.rest.remove(kWindow);
    else
        after.rest[kWindow] = settings;
}

int EarthingProject::addTouchArea(const QJsonArray &corners) {
    StudyPart part = StudyPart::made(Kind::TouchArea);
    part.json[QStringLiteral("polygon")] = corners;
    StudyProject after = m_document;
    const int at = after.insert(part);
    m_undo->push(new ProjectCommand(
        this,
        LoadLanguageString(kAddCommand).arg(LoadLanguageString(StudyPart::nameId(Kind::TouchArea))),
        m_document, after, -1, at, QString()));
    return at;
}

int EarthingProject::addDrawings(const QVector<StudyPart> &parts, const QJsonArray &surface,
                                 const QJsonObject &siteOrigin, const QString &name) {
    StudyProject after = m_document;
    int first = -1;
    for (const StudyPart &part : parts) {
        const int at = after.insert(part);
        first = first < 0 ? at : first;
    }
    // The crushed rock's outline drawn, as if drawn on the plan.
    if (!surface.isEmpty())
        withSurfaceZone(after, QStringLiteral("drawn"), surface);
    if (!after.rest.contains(kSiteOrigin))
        after.rest.insert(kSiteOrigin, siteOrigin);
    m_undo->push(new ProjectCommand(this, name, m_document, after, -1, first, QString()));
    return first;
}

QJsonObject EarthingProject::siteOrigin() const {
    return m_document.rest.value(kSiteOrigin).toObject();
}

void EarthingProject::setMap(const QString &name) {
    setValue(-1, QStringLiteral("study_window/map"), name, LoadLanguageString(kMap));
}

void EarthingProject::setSite(const QString &path) {
    setValue(-1, QStringLiteral("study_window/site"),
             path.isEmpty() ? QJsonValue(QJsonValue::Undefined) : QJsonValue(path),
             LoadLanguageString(StringId::EarthingLeakage::kFieldInformationCommand));
}

void EarthingProject::setProfile(const std::optional<QLineF> &line) {
    const QJsonValue value =
        line ? QJsonValue(QJsonArray{line->x1(), line->y1(), line->x2(), line->y2()})
             : QJsonValue(QJsonValue::Undefined);
    StudyProject after = m_document;
    QJsonObject settings = after.rest.value(kWindow).toObject();
    JsonPath::setValueAt(settings, QStringLiteral("profile"), value);
    after.rest[kWindow] = settings;
    if (after.rest == m_document.rest)
        return;
    push(LoadLanguageString(kProfileCommand), after, -2);
}

void EarthingProject::setNetwork(bool present) {
    const QString key = QStringLiteral("network");
    if (m_document.rest.value(key).isObject() == present)
        return;
    StudyProject after = m_document;
    // The network gives the current into the earth: a typed current cannot stand beside it.
    if (present) {
        after.rest[key] = madeNetwork();
        after.rest.remove(QStringLiteral("current"));
        after.rest.remove(QStringLiteral("current_basis"));
    } else {
        after.rest.remove(key);
        after.rest[QStringLiteral("current")] =
            StudyProject::made().rest.value(QStringLiteral("current"));
    }
    push(LoadLanguageString(present ? StringId::NetworkWindow::kNetworkOn
                                    : StringId::NetworkWindow::kNetworkOff),
         after, -2);
}

void EarthingProject::addNetworkRow(const QString &list) {
    StudyProject after = m_document;
    const QString path = QStringLiteral("network/") + list;
    QJsonArray rows = JsonPath::valueAt(after.rest, path).toArray();
    rows.append(newNetworkRow(list, int(rows.size()) + 1));
    JsonPath::setValueAt(after.rest, path, rows);
    const bool cable = list == QLatin1String("cables");
    push(LoadLanguageString(kAddCommand)
             .arg(LoadLanguageString(cable ? StringId::NetworkWindow::kCable
                                           : StringId::NetworkWindow::kLine)),
         after, -2);
}

void EarthingProject::removeNetworkRow(const QString &list, int row) {
    StudyProject after = m_document;
    const QString path = QStringLiteral("network/") + list;
    QJsonArray rows = JsonPath::valueAt(after.rest, path).toArray();
    if (row < 0 || row >= rows.size())
        return;
    rows.removeAt(row);
    JsonPath::setValueAt(after.rest, path, rows);
    const bool cable = list == QLatin1String("cables");
    push(LoadLanguageString(kRemoveCommand)
             .arg(LoadLanguageString(cable ? StringId::NetworkWindow::kCable
                                           : StringId::NetworkWindow::kLine)),
         after, -2);
}
