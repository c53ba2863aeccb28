#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QFormLayout;

// Names and values in two columns, each value a label of its own with an object name, by
// which a test or a screen reader finds it.
class ValueList : public QWidget {
    Q_OBJECT
public:
    explicit ValueList(QWidget *parent = nullptr);

    // The pairs in order, the i-th value's label named names[i].
    void setPairs(const QVector<QPair<QString, QString>> &pairs, const QStringList &names);

private:
    QFormLayout *m_layout;
};
