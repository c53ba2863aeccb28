#pragma once

#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/StudyPart.h"

#include <QWidget>

#include <optional>

class DrawingRowsTable;
class JsonFieldEdits;
class QComboBox;
class QFormLayout;
class QLabel;

// The fields of the part chosen in a study's list of parts: its connection (energised or
// floating), for a grid where its rods stand, and its numbers, each tied to its place in
// the part's JSON object; for an imported drawing, its conductors and rods as tables. It shows the
// part and says what the user asks of it; it keeps nothing of its own. Built afresh for each kind
// of part shown.
class PartEditor : public QWidget {
    Q_OBJECT
public:
    explicit PartEditor(QWidget *parent = nullptr);

    // Shows the part's fields, or none; the same kind again keeps the fields and what is
    // typed in them where it stands for the part's values.
    void showPart(const StudyPart *part);

    JsonFieldEdits *fields() const { return m_fields; }
    void clearMarks();
    // Marks the fields the path within the part points at; false when none is there.
    bool mark(const QString &path, const QString &why);
    // Marks the fields of the role within the part's field (a grid's "rods"; empty: the
    // part's own), only those that hold the value when any does.
    void mark(StudyPart::Role role, std::optional<double> value, const QString &within,
              const QString &why);
    // A fault of the part as a whole, shown under its fields.
    void setMessage(const QString &text);
    QString label(const QString &path) const;

Q_SIGNALS:
    // The user typed into the field at path of the part shown; label names the field.
    void edited(const QString &path, const QJsonValue &value, const QString &label);
    void floatingChosen(bool floating);
    void rodsChosen(EarthingProject::GridRods rods);
    // An imported drawing's rows: a copy of one added after it, or one taken out.
    void rowAdded(const QString &key, int copied);
    void rowRemoved(const QString &key, int row);

private:
    void build(std::optional<StudyPart::Kind> kind);
    void showRods(EarthingProject::GridRods rods);
    void addRowTables(QFormLayout *form);

    std::optional<StudyPart::Kind> m_kind;
    QVector<StudyPart::Field> m_fieldList;
    QWidget *m_body = nullptr;
    JsonFieldEdits *m_fields = nullptr;
    QComboBox *m_connection = nullptr;
    QComboBox *m_rods = nullptr;
    QVector<DrawingRowsTable *> m_rowTables; // an imported drawing's conductors and rods
    QLabel *m_heading;
    QLabel *m_message;
};
