#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QWidget>

class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// The study's soil as a list of layers: a row of resistivity and thickness per layer from
// the top down, the last going down without end, with buttons to add a layer at the bottom
// and take one out. It shows the soil object and says what the user typed and asked for;
// it holds nothing the document does not. A cell can be marked as the fields are.
class SoilLayersTable : public QWidget {
    Q_OBJECT
public:
    explicit SoilLayersTable(QWidget *parent = nullptr);

    // Shows the soil's layers; a cell whose text already stands for its value keeps it.
    void load(const QJsonObject &soil);
    // The label of the cell a document path names ("soil.layers[1].rho": "Layer 2
    // resistivity [Ω·m]"), or of the window's path ("soil/layers/1/rho"); empty for none.
    static QString label(const QString &path);
    // Marks the cell the document path names, or every cell for the list itself.
    bool mark(const QString &documentPath, const QString &why);
    void clearMarks();
    bool marked(int layer, int column) const;

Q_SIGNALS:
    // The user typed into a cell: its path in the document ("soil/layers/1/thickness").
    void edited(const QString &path, const QJsonValue &value, const QString &label);
    void layerAdded();
    // The row selected, or the last when none is.
    void layerRemoved(int layer);

private:
    void showCell(int row, int column, const QJsonValue &value);
    void cellEdited(QTableWidgetItem *item);
    void removeLayer();

    QTableWidget *m_table;
    QPushButton *m_add;
    QPushButton *m_remove;
    bool m_loading = false;
};
