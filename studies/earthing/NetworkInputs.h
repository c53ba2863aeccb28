#pragma once

#include <QGroupBox>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QVector>

class JsonFieldEdits;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// The lines and cables that feed a fault in the station, as the study's "network": checked,
// the current into the earth is worked out from them (and the typed current goes); its
// frequency, earth-return resistivity, local sources' current and Df as fields; a table of
// lines, a row each with its first earth wire and the faulted phase, and a table of cables,
// a row each with its sheath. It shows the document and says what the user typed and
// asked for, holding nothing the document does not; a field or cell is marked where the
// document's reader refuses it.
class NetworkInputs : public QGroupBox {
    Q_OBJECT
public:
    explicit NetworkInputs(QWidget *parent = nullptr);

    // Shows the document's network (the document beyond its parts), or none.
    void load(const QJsonObject &document);
    // The label of the field or cell at a document path ("network.lines[1].span": "Line 2,
    // Span [m]"), empty when it names none of these.
    QString label(const QString &path) const;
    // Marks the field or cell a document path names, a row's cells for the row; false
    // when the path is not the network's.
    bool mark(const QString &documentPath, const QString &why);
    void clearMarks();

Q_SIGNALS:
    // The user typed at the path in the document ("network/lines/0/span").
    void edited(const QString &path, const QJsonValue &value, const QString &label);
    void networkChosen(bool present);
    // Add: a new row at the end of list ("lines" or "cables"); Remove: the row selected or
    // the last.
    void rowAdded(const QString &list);
    void rowRemoved(const QString &list, int row);

private:
    struct Column {
        QString path; // in the row's object: "earth_wires/0/gmr"
        unsigned label;
    };
    QWidget *makeTable(const QString &list, unsigned heading, unsigned add, unsigned remove);
    QTableWidget *table(const QString &list) const;
    const QVector<Column> &columns(const QString &list) const;
    void loadTable(const QString &list, const QJsonArray &rows);
    void cellEdited(const QString &list, QTableWidgetItem *item);

    JsonFieldEdits *m_fields;
    QWidget *m_body;
    QTableWidget *m_lines = nullptr;
    QTableWidget *m_cables = nullptr;
    QVector<Column> m_lineColumns;
    QVector<Column> m_cableColumns;
    bool m_loading = false;
};
