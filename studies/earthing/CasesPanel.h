#pragma once

#include <QWidget>

class QComboBox;
class QTableWidget;
namespace tav {
struct StudyEvaluation;
}

// A study's cases in its window, above its results: which case the plan, the maps and the
// results show (at first the governing one, named so), the table of every case as the
// report gives it, and the verdict over them all. Hidden for a study of one case.
class CasesPanel : public QWidget {
    Q_OBJECT
public:
    explicit CasesPanel(QWidget *parent = nullptr);

    // None: not solved.
    void show(const tav::StudyEvaluation *study, int shown);

Q_SIGNALS:
    void caseChosen(int index);

private:
    QComboBox *m_choice;
    QTableWidget *m_table;
    QWidget *m_verdict;
};
