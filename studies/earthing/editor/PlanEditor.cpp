#include "studies/earthing/editor/PlanEditor.h"

#include "studies/common/StudyNumber.h"
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/PlanView.h"
#include "studies/earthing/editor/PartGeometry.h"
#include "studies/earthing/editor/TypedPoint.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QJsonArray>
#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace StringId::PlanEditor;
using Tool = PlanEditor::Tool;

namespace {

constexpr double kReachPixels = 8;          // how near the cursor a point or a line is taken
constexpr double kGridPixels = 12;          // the grid is shown when its step is this wide
constexpr double kDragPixels = 3;           // a press that moves less is a click
const QColor kSelectedColour(30, 110, 230); // the selection
const QColor kDraft(200, 60, 20);           // what is being drawn

QJsonArray cornersJson(const QPolygonF &corners) {
    QJsonArray out;
    for (const QPointF &p : corners)
        out.append(QJsonArray{PartGeometry::rounded(p.x()), PartGeometry::rounded(p.y())});
    return out;
}

bool polygonTool(Tool tool) {
    return tool == Tool::TouchArea || tool == Tool::SurfaceZone;
}

} // namespace

PlanEditor::PlanEditor(PlanView *plan, EarthingProject *project, QObject *parent)
    : QObject(parent), m_plan(plan), m_project(project), m_edits(project) {
    m_plan->installEventFilter(this);
    m_plan->setOverlay([this](QPainter &painter) { paintOver(painter); });
    connect(m_project, &EarthingProject::changed, this, &PlanEditor::dropStale);
}

void PlanEditor::setTool(Tool tool) {
    cancel();
    m_measured.reset();
    m_tool = tool;
    m_plan->setCursor(tool == Tool::Select ? Qt::ArrowCursor : Qt::CrossCursor);
    m_plan->setFocus();
    Q_EMIT toolChanged(tool);
    Q_EMIT said(hint());
    m_plan->update();
}

QString PlanEditor::hint() const {
    switch (m_tool) {
    case Tool::Select:
        return LoadLanguageString(kHintSelect);
    case Tool::Conductor:
        return LoadLanguageString(kHintConductor);
    case Tool::Rod:
        return LoadLanguageString(kHintRod);
    case Tool::Fence:
        return LoadLanguageString(kHintFence);
    case Tool::TouchArea:
    case Tool::SurfaceZone:
        return LoadLanguageString(kHintPolygon);
    case Tool::Measure:
        return LoadLanguageString(kHintMeasure);
    }
    return {};
}

void PlanEditor::cancel() {
    m_corners.clear();
    m_drag = Drag::None;
    m_plan->picture().drawing.reset();
    m_plan->update();
}

void PlanEditor::setMetal(std::vector<tav::earthing::Conductor> conductors) {
    m_snapper.setMetal(std::move(conductors));
}

void PlanEditor::select(const QVector<int> &parts) {
    m_vertices.clear();
    m_selected = parts;
    std::sort(m_selected.begin(), m_selected.end());
    m_selected.erase(std::unique(m_selected.begin(), m_selected.end()), m_selected.end());
    Q_EMIT selectionChanged();
    m_plan->update();
}

// An undo may take away parts that were selected: they are no longer.
void PlanEditor::dropStale() {
    const int count = m_project->document().parts.size();
    QVector<int> kept;
    for (int k : m_selected)
        if (k < count)
            kept.append(k);
    if (kept != m_selected)
        select(kept);
    m_plan->update();
}

// --- the selection's edits -------------------------------------------------------------------

void PlanEditor::moveBy(const QPointF &by) {
    if (m_selected.isEmpty()) {
        Q_EMIT said(LoadLanguageString(kNothingSelected));
        return;
    }
    if (!m_vertices.isEmpty() && m_selected.size() == 1)
        m_edits.moveVertices(m_selected.first(), m_vertices, by);
    else
        select(m_edits.move(m_selected, by));
}

void PlanEditor::copy() {
    m_copied.clear();
    for (int k : m_selected)
        m_copied.append(m_project->document().parts.at(k));
}

// Beside the originals along x, clear of them by a tenth of their width (a grid step at
// least), on the grid.
void PlanEditor::paste() {
    if (m_copied.isEmpty()) {
        Q_EMIT said(LoadLanguageString(kNothingCopied));
        return;
    }
    QPolygonF all;
    for (const StudyPart &part : m_copied)
        for (const QPolygonF &line : PartGeometry::lines(part))
            all << line;
    const QRectF box = all.boundingRect();
    const double step = m_snapper.step > 0 ? m_snapper.step : 0.5;
    const double gap = std::max(step, box.width() / 10);
    const double by = std::ceil((box.width() + gap) / step) * step;
    select(m_edits.paste(m_copied, QPointF(by, 0)));
    // The next paste goes beside this one.
    for (StudyPart &part : m_copied)
        PartGeometry::translate(part, QPointF(by, 0));
}

void PlanEditor::removeSelected() {
    const QVector<int> gone = m_selected;
    select({});
    m_edits.remove(gone);
}

bool PlanEditor::rotateBy(double degrees) {
    if (m_selected.isEmpty()) {
        Q_EMIT said(LoadLanguageString(kNothingSelected));
        return false;
    }
    if (!m_edits.rotate(m_selected, degrees)) {
        Q_EMIT said(LoadLanguageString(kCannotRotate));
        return false;
    }
    return true;
}

void PlanEditor::arrayOf(int rows, int columns, const QPointF &spacing) {
    if (m_selected.isEmpty()) {
        Q_EMIT said(LoadLanguageString(kNothingSelected));
        return;
    }
    select(m_edits.array(m_selected, rows, columns, spacing));
}

bool PlanEditor::typePoint(const QString &text) {
    if (m_tool == Tool::Select) {
        const std::optional<TypedPoint::Typed> typed = TypedPoint::read(text);
        if (!typed || !typed->relative) {
            Q_EMIT said(LoadLanguageString(kTypedUnread));
            return false;
        }
        moveBy(typed->value);
        return true;
    }
    const std::optional<QPointF> before =
        m_corners.isEmpty() ? std::nullopt : std::optional<QPointF>(m_corners.last());
    const std::optional<QPointF> at = TypedPoint::resolve(text, before);
    if (!at) {
        Q_EMIT said(LoadLanguageString(kTypedUnread));
        return false;
    }
    put(*at);
    return true;
}

// --- points given ------------------------------------------------------------------------------

double PlanEditor::reach() const {
    return QLineF(m_plan->toWorld(QPointF(0, 0)), m_plan->toWorld(QPointF(kReachPixels, 0)))
        .length();
}

Snapper::Snapped PlanEditor::snapped(const QPointF &device, Qt::KeyboardModifiers modifiers) const {
    const QPointF at = m_plan->toWorld(device);
    // A fence's first corner closes it.
    if (m_tool == Tool::Fence && m_corners.size() > 2 &&
        QLineF(at, m_corners.first()).length() <= reach())
        return {m_corners.first(), Snapper::Kind::End};
    std::optional<QPointF> from;
    if ((modifiers & Qt::ShiftModifier) && !m_corners.isEmpty())
        from = m_corners.last();
    return m_snapper.snap(at, reach(), from);
}

// A point given to the tool in hand, clicked or typed.
void PlanEditor::put(const QPointF &at) {
    switch (m_tool) {
    case Tool::Select:
        return;
    case Tool::Rod: {
        const int rods = m_selected.size() == 1 ? m_selected.first() : -1;
        select({m_edits.addRod(rods, at)});
        return;
    }
    case Tool::Measure:
        if (m_corners.isEmpty()) {
            m_corners << at;
            m_measured.reset();
        } else {
            const QLineF line(m_corners.first(), at);
            m_measured = line;
            m_corners.clear();
            Q_EMIT said(LoadLanguageString(kMeasured).arg(
                StudyNumber::shown(line.length(), StudyNumber::Shown::Metres),
                StudyNumber::shown(std::round(line.angle() * 10) / 10)));
        }
        m_plan->update();
        return;
    case Tool::Fence:
        if (m_corners.size() > 2 && at == m_corners.first()) {
            finish(true);
            return;
        }
        break;
    default:
        break;
    }
    // Two clicks on one place put one corner there.
    if (m_corners.isEmpty() || m_corners.last() != at)
        m_corners << at;
    if (polygonTool(m_tool))
        m_plan->picture().drawing = m_corners;
    m_plan->update();
}

// The polyline or polygon drawn, as one edit; too few corners draw nothing.
void PlanEditor::finish(bool closed) {
    const QPolygonF corners = m_corners;
    cancel();
    switch (m_tool) {
    case Tool::Conductor:
        if (corners.size() >= 2)
            select(m_edits.addConductors(corners));
        break;
    case Tool::Fence:
        if (corners.size() >= 2)
            select({m_edits.addFence(corners, closed)});
        break;
    case Tool::TouchArea:
    case Tool::SurfaceZone:
        if (corners.size() < 3) {
            Q_EMIT said(LoadLanguageString(StringId::EarthingStudy::kDrawTooFew));
            break;
        }
        if (m_tool == Tool::TouchArea)
            select({m_project->addTouchArea(cornersJson(corners))});
        else
            m_project->setSurfaceZone(QStringLiteral("drawn"), cornersJson(corners));
        break;
    default:
        break;
    }
}

// --- the mouse and the keys -------------------------------------------------------------------

bool PlanEditor::eventFilter(QObject *watched, QEvent *event) {
    if (watched != m_plan)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return mousePressed(static_cast<QMouseEvent *>(event));
    case QEvent::MouseMove:
        return mouseMoved(static_cast<QMouseEvent *>(event));
    case QEvent::MouseButtonRelease:
        return mouseReleased(static_cast<QMouseEvent *>(event));
    case QEvent::MouseButtonDblClick:
        return doubleClicked(static_cast<QMouseEvent *>(event));
    case QEvent::KeyPress:
        return keyPressed(static_cast<QKeyEvent *>(event));
    case QEvent::Leave:
        m_cursor.reset();
        m_plan->update();
        return false;
    default:
        return false;
    }
}

bool PlanEditor::mousePressed(QMouseEvent *event) {
    // Other buttons pan; Shift and the left button draw the profile with the select tool.
    if (event->button() != Qt::LeftButton)
        return false;
    m_plan->setFocus();
    if (m_tool == Tool::Select) {
        if (event->modifiers() & Qt::ShiftModifier)
            return false;
        pressSelect(event);
        return true;
    }
    const Snapper::Snapped s = snapped(event->position(), event->modifiers());
    put(s.at);
    return true;
}

bool PlanEditor::mouseMoved(QMouseEvent *event) {
    const Snapper::Snapped s = snapped(event->position(), event->modifiers());
    m_cursor = s.at;
    m_snapKind = s.kind;
    if (polygonTool(m_tool) && !m_corners.isEmpty())
        m_plan->picture().drawing = QPolygonF(m_corners) << s.at;
    // A large map takes a while to draw: the select tool shows nothing at the cursor but
    // what it drags.
    if (m_tool != Tool::Select || m_drag != Drag::None)
        m_plan->update();
    // The plan still says where the cursor is, and pans or draws the profile.
    return false;
}

bool PlanEditor::mouseReleased(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || m_drag == Drag::None)
        return false;
    releaseSelect(event);
    return true;
}

// The first click of the two has put the last corner.
bool PlanEditor::doubleClicked(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || m_tool == Tool::Select || m_tool == Tool::Rod ||
        m_tool == Tool::Measure)
        return m_tool != Tool::Select;
    finish(false);
    return true;
}

bool PlanEditor::keyPressed(QKeyEvent *event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && isDrawing()) {
        finish(false);
        return true;
    }
    if (key == Qt::Key_Escape && isDrawing()) {
        cancel();
        return true;
    }
    if (m_tool != Tool::Select || m_selected.isEmpty())
        return false;
    if (key == Qt::Key_Delete || key == Qt::Key_Backspace) {
        removeSelected();
        return true;
    }
    // The arrows move by the grid's step, ten with Shift.
    const double step = (m_snapper.step > 0 ? m_snapper.step : 0.5) *
                        ((event->modifiers() & Qt::ShiftModifier) ? 10 : 1);
    const QPointF by = key == Qt::Key_Left    ? QPointF(-step, 0)
                       : key == Qt::Key_Right ? QPointF(step, 0)
                       : key == Qt::Key_Up    ? QPointF(0, step)
                       : key == Qt::Key_Down  ? QPointF(0, -step)
                                              : QPointF();
    if (by.isNull())
        return false;
    moveBy(by);
    return true;
}

// --- selecting and dragging -------------------------------------------------------------------

// The part whose lines pass nearest within reach; else a grid or ring the point is inside,
// so that a click between a grid's conductors takes the grid.
int PlanEditor::partAt(const QPointF &at) const {
    const auto &parts = m_project->document().parts;
    int best = -1;
    double nearest = reach();
    for (int k = 0; k < parts.size(); ++k) {
        const double d = PartGeometry::distance(parts[k], at);
        if (d <= nearest) {
            nearest = d;
            best = k;
        }
    }
    for (int k = 0; k < parts.size() && best < 0; ++k) {
        const StudyPart::Kind kind = parts[k].kind;
        if (kind != StudyPart::Kind::Grid && kind != StudyPart::Kind::LGrid &&
            kind != StudyPart::Kind::Ring)
            continue;
        for (const QPolygonF &line : PartGeometry::lines(parts[k]))
            if (line.containsPoint(at, Qt::OddEvenFill))
                best = k;
    }
    return best;
}

void PlanEditor::pressSelect(QMouseEvent *event) {
    const QPointF at = m_plan->toWorld(event->position());
    m_pressed = event->position().toPoint();
    m_grab = m_snapper.snap(at, reach()).at;
    // A corner of a part selected alone is taken by itself, or with the others a band took.
    if (m_selected.size() == 1) {
        const StudyPart &part = m_project->document().parts.at(m_selected.first());
        for (const PartGeometry::Vertex &v : PartGeometry::vertices(part))
            if (QLineF(v.at, at).length() <= reach()) {
                m_drag = Drag::Vertex;
                m_vertexPart = m_selected.first();
                m_vertexPaths = m_vertices.contains(v.path) ? m_vertices : QVector<QString>{v.path};
                m_grab = v.at;
                return;
            }
    }
    const int hit = partAt(at);
    const bool adding = event->modifiers() & Qt::ControlModifier;
    if (hit < 0) {
        m_bandPart = m_selected.size() == 1 ? m_selected.first() : -1;
        if (!adding)
            select({});
        m_drag = Drag::Band;
        return;
    }
    if (adding && m_selected.contains(hit)) {
        QVector<int> fewer = m_selected;
        fewer.removeAll(hit);
        select(fewer);
        m_drag = Drag::None;
        return;
    }
    if (!m_selected.contains(hit))
        select(adding ? m_selected + QVector<int>{hit} : QVector<int>{hit});
    m_drag = Drag::Part;
}

QPointF PlanEditor::dragOffset() const {
    return m_cursor ? *m_cursor - m_grab : QPointF();
}

void PlanEditor::releaseSelect(QMouseEvent *event) {
    const Drag drag = m_drag;
    m_drag = Drag::None;
    const bool moved = QLineF(m_pressed, event->position()).length() > kDragPixels;
    const Snapper::Snapped s = snapped(event->position(), event->modifiers());
    m_cursor = s.at;
    if (drag == Drag::Band && moved) {
        const QRectF band =
            QRectF(m_plan->toWorld(m_pressed), m_plan->toWorld(event->position())).normalized();
        QVector<int> inside =
            (event->modifiers() & Qt::ControlModifier) ? m_selected : QVector<int>();
        const auto &parts = m_project->document().parts;
        for (int k = 0; k < parts.size(); ++k)
            if (PartGeometry::inside(parts[k], band))
                inside.append(k);
        select(inside);
        // A band round some places of the part that was selected alone, and no part whole:
        // those places.
        if (inside.isEmpty() && m_bandPart >= 0 && m_bandPart < parts.size()) {
            QVector<QString> taken;
            for (const PartGeometry::Vertex &v : PartGeometry::vertices(parts[m_bandPart]))
                if (band.contains(v.at))
                    taken.append(v.path);
            if (!taken.isEmpty()) {
                select({m_bandPart});
                m_vertices = taken;
            }
        }
    } else if (drag == Drag::Part && moved && !dragOffset().isNull()) {
        select(m_edits.move(m_selected, dragOffset()));
    } else if (drag == Drag::Vertex && moved && s.at != m_grab) {
        m_edits.moveVertices(m_vertexPart, m_vertexPaths, s.at - m_grab);
    }
    if (!m_selected.isEmpty())
        Q_EMIT said(LoadLanguageString(kSelected).arg(m_selected.size()));
    m_plan->update();
}

// --- drawing over the plan ----------------------------------------------------------------------

void PlanEditor::paintOver(QPainter &painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintGrid(painter);
    paintSelection(painter);
    paintDraft(painter);
    painter.restore();
}

// Faint dots at the grid's points, only when they are far enough apart to be seen.
void PlanEditor::paintGrid(QPainter &painter) const {
    const double step = m_snapper.step;
    if (!m_snapper.toGrid || step <= 0 || step / reach() * kReachPixels < kGridPixels)
        return;
    const QRectF world = QRectF(m_plan->toWorld(QPointF(0, 0)),
                                m_plan->toWorld(QPointF(m_plan->width(), m_plan->height())))
                             .normalized();
    painter.setPen(QPen(QColor(120, 120, 120, 140), 1.5));
    for (double x = std::floor(world.left() / step) * step; x <= world.right(); x += step)
        for (double y = std::floor(world.top() / step) * step; y <= world.bottom(); y += step)
            painter.drawPoint(m_plan->toDevice(QPointF(x, y)));
}

void PlanEditor::paintSelection(QPainter &painter) const {
    const auto &parts = m_project->document().parts;
    const QPointF offset = m_drag == Drag::Part ? dragOffset() : QPointF();
    for (int k : m_selected) {
        if (k >= parts.size())
            continue;
        StudyPart part = parts[k];
        if (!offset.isNull())
            PartGeometry::translate(part, offset);
        if (m_drag == Drag::Vertex && k == m_vertexPart && m_cursor)
            for (const PartGeometry::Vertex &v : PartGeometry::vertices(parts[k]))
                if (m_vertexPaths.contains(v.path))
                    PartGeometry::setVertex(part, v.path, v.at + *m_cursor - m_grab);
        painter.setPen(QPen(kSelectedColour, 3));
        painter.setBrush(Qt::NoBrush);
        for (const QPolygonF &line : PartGeometry::lines(part)) {
            QPolygonF device;
            for (const QPointF &p : line)
                device << m_plan->toDevice(p);
            if (device.size() == 1)
                painter.drawEllipse(device.first(), 5, 5);
            else
                painter.drawPolyline(device);
        }
        // Its places as squares, those a band took filled.
        painter.setPen(QPen(kSelectedColour, 1));
        for (const PartGeometry::Vertex &v : PartGeometry::vertices(part)) {
            painter.setBrush(m_vertices.contains(v.path) ? QBrush(kSelectedColour)
                                                         : QBrush(Qt::white));
            painter.drawRect(QRectF(m_plan->toDevice(v.at) - QPointF(3, 3), QSizeF(6, 6)));
        }
    }
    if (m_drag == Drag::Band && m_cursor) {
        painter.setPen(QPen(kSelectedColour, 1, Qt::DashLine));
        painter.setBrush(QColor(30, 110, 230, 30));
        painter.drawRect(QRectF(m_pressed, m_plan->toDevice(*m_cursor)).normalized());
    }
}

// The polyline being drawn to the cursor, the measure, and the mark where the cursor snaps:
// a square on an end, a cross on a crossing, a dot on the grid.
void PlanEditor::paintDraft(QPainter &painter) const {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kDraft, 2, polygonTool(m_tool) ? Qt::SolidLine : Qt::DashLine));
    if (!polygonTool(m_tool) && !m_corners.isEmpty()) {
        QPolygonF device;
        for (const QPointF &p : m_corners)
            device << m_plan->toDevice(p);
        if (m_cursor)
            device << m_plan->toDevice(*m_cursor);
        painter.drawPolyline(device);
    }
    if (m_measured)
        painter.drawLine(m_plan->toDevice(m_measured->p1()), m_plan->toDevice(m_measured->p2()));
    if (!m_cursor || m_tool == Tool::Select)
        return;
    const QPointF c = m_plan->toDevice(*m_cursor);
    painter.setPen(QPen(kDraft, 1.5));
    switch (m_snapKind) {
    case Snapper::Kind::End:
        painter.drawRect(QRectF(c - QPointF(5, 5), QSizeF(10, 10)));
        break;
    case Snapper::Kind::Crossing:
        painter.drawLine(c + QPointF(-5, -5), c + QPointF(5, 5));
        painter.drawLine(c + QPointF(-5, 5), c + QPointF(5, -5));
        break;
    case Snapper::Kind::Grid:
    case Snapper::Kind::Free:
        painter.drawEllipse(c, 3, 3);
        break;
    }
}
