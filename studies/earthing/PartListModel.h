#pragma once

#include <QAbstractListModel>
#include <QString>

class EarthingProject;
struct StudyPart;

// The parts of an earthing study as a list: each named with its key figures ("Grid 70 ×
// 70 m, 8 × 8", "Ring r 5 m, 6 rods"), floating ones said so; the parts an input problem
// lies in drawn red, with the problem as their tooltip.
class PartListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Roles { ProblemRole = Qt::UserRole + 1 };

    explicit PartListModel(EarthingProject *project, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // The parts the problem of the study as typed lies in (-1: none), and why.
    void setProblem(int part, int otherPart, const QString &why);

    static QString name(const StudyPart &part);

private:
    void follow();
    bool hasProblem(int row) const;

    EarthingProject *m_project;
    int m_rows = 0;
    int m_problem = -1;
    int m_otherProblem = -1;
    QString m_why;
};
