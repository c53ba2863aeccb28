#pragma once

#include "core/TolerableVoltage.h"
#include "studies/earthing/StudyProject.h"
#include "studies/earthing/StudySoil.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QLineF>
#include <QObject>
#include <QString>

#include <optional>

class QUndoStack;

// The earthing study being edited: the one document (StudyProject) and the undo stack of
// every edit made to it. The window's widgets show the document and ask for edits here;
// each edit is a command with a name ("Change Side along x"), undone and redone whole, and
// keystrokes in one field one after another make one command. Whether the study is
// modified is whether the stack stands at its clean state.
class EarthingProject : public QObject {
    Q_OBJECT
public:
    enum class GridRods { None, Edge, Corners };

    explicit EarthingProject(QObject *parent = nullptr);

    const StudyProject &document() const { return m_document; }
    QUndoStack *undoStack() const { return m_undo; }

    // Starts over with the document, nothing to undo. A study handed on by another window
    // is saved nowhere yet: it stays modified until it is.
    void reset(const StudyProject &document, bool saved);
    bool isModified() const;
    void markSaved();

    // The value at a path of slash-separated keys and indices in a part's object, or in the
    // document beyond its parts when part is -1; an undefined value takes the key out.
    // label: the field's, which names the command.
    void setValue(int part, const QString &path, const QJsonValue &value, const QString &label);
    // Puts a new part of the kind after the others of its kind; its index.
    int addPart(StudyPart::Kind kind);
    // Imported drawings' parts (theirs, and the fences and touch areas they bring) and the
    // crushed rock's outline drawn (none: empty) as one edit named name, with the site
    // coordinates of the study's 0, 0 when it had none; the first part's index.
    int addDrawings(const QVector<StudyPart> &parts, const QJsonArray &surface,
                    const QJsonObject &siteOrigin, const QString &name);
    // The site coordinates of the study's 0, 0, when it keeps them.
    QJsonObject siteOrigin() const;
    // Removes it with the touch areas and points on its group alone (PartRemoval asks).
    void removePart(int index);
    // An imported drawing's array (key: "conductors", "rods"): a copy of the row copied put
    // after it, or the schema's new row at the end when copied is none; or a row taken out.
    void addRow(int part, const QString &key, int copied);
    void removeRow(int part, const QString &key, int row);
    // One place up (-1) or down (+1) among the parts of its kind; false where it cannot.
    bool movePart(int index, int by);
    void setFloating(int index, bool floating);
    void setGridRods(int index, GridRods rods);
    static GridRods gridRods(const StudyPart &part);
    // Uniform or two layers; the top layer's resistivity carries over.
    void setSoilLayered(bool layered);
    // Uniform, two layers or a list of layers, the values typed carrying over (StudySoil).
    void setSoilShape(StudySoil::Shape shape);
    // A layer more at the bottom of a list of layers, or one fewer (from 0).
    void addLayer();
    void removeLayer(int layer);
    void setSurface(bool present);
    void setBodyWeight(int kilograms);
    // IEEE Std 80's limits or EN 50522's; the fields of the other stay as they were.
    void setCriteria(tav::Criteria criteria);
    void setFootwear(double ohms);
    // Where the surface layer lies: "everywhere" takes its polygon out; "fence", "grids"
    // and "drawn" put the corners given (x, y pairs, m) as safety's surface/area, and the
    // window keeps how they were had, to show the choice again.
    void setSurfaceZone(const QString &zone, const QJsonArray &corners);
    static QString surfaceZone(const QJsonObject &rest);
    // A touch area of the corners drawn on the plan, as one edit; its index.
    int addTouchArea(const QJsonArray &corners);
    // The study window's settings: the map shown and the profile line.
    void setMap(const QString &name);
    void setProfile(const std::optional<QLineF> &line);
    // The field information file kept for the report; empty: none.
    void setSite(const QString &path);
    // The current into the earth from the network of lines and cables (a first line to type
    // over) in place of a typed current, or a typed current again.
    void setNetwork(bool present);
    // A new line or cable at the end of list ("lines", "cables"), or one taken out.
    void addNetworkRow(const QString &list);
    void removeNetworkRow(const QString &list, int row);

    // An edit made on the plan (PlanEdits): the whole document after it, named name, and
    // the part to show after it (-1: none). One that changes nothing is no edit.
    void edit(const QString &name, const StudyProject &after, int focus);

    // Used by the commands: puts the document in place and says so.
    void apply(const StudyProject &document, int focus);

Q_SIGNALS:
    // The document changed, by an edit, an undo or a redo.
    void changed();
    // After a command that adds, removes or moves a part, or an undo of it: the part
    // to show (-1: none).
    void partFocused(int index);
    void modifiedChanged(bool modified);

private:
    void push(const QString &name, const StudyProject &after, int focus,
              const QString &mergeKey = QString());
    QString partName(int index) const;
    static void withSurfaceZone(StudyProject &after, const QString &zone,
                                const QJsonArray &corners);
    void setSoil(const QJsonObject &soil, const QString &name);

    StudyProject m_document;
    QUndoStack *m_undo;
    bool m_handedOn = false;
};
