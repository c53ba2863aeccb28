#include "studies/earthing/CasesPanel.h"

#include "document/CaseStudy.h"
#include "report/CasesReport.h"
#include "studies/common/StudyLabels.h"
#include "studies/common/StudyWindow.h"
#include "studies/common/TableLook.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// The report's table of the cases: name, current, R, GPR, touch and its limit, step and its
// limit, verdict.
constexpr int kColumns = 9;
} // namespace

CasesPanel::CasesPanel(QWidget *parent)
    : QWidget(parent), m_choice(new QComboBox(this)), m_table(new QTableWidget(0, kColumns, this)),
      m_verdict(new QWidget(this)) {
    m_choice->setObjectName(QStringLiteral("caseChoice"));
    m_table->setObjectName(QStringLiteral("casesTable"));
    TableLook::fitToContents(m_table, 0);
    m_table->setMaximumHeight(150);
    (new QVBoxLayout(m_verdict))->setContentsMargins(0, 0, 0, 0);
    auto *choiceRow = new QFormLayout;
    choiceRow->addRow(LoadLanguageString(StringId::CasesWindow::kShown), m_choice);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(choiceRow);
    layout->addWidget(m_table);
    layout->addWidget(m_verdict);
    connect(m_choice, &QComboBox::activated, this, &CasesPanel::caseChosen);
    hide();
}

void CasesPanel::show(const tav::StudyEvaluation *study, int shown) {
    while (QLayoutItem *item = m_verdict->layout()->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    setVisible(study != nullptr && study->cases.size() > 1);
    if (isHidden())
        return;
    const QSignalBlocker quiet(m_choice);
    m_choice->clear();
    const int governing = study->envelope ? study->envelope->governing : -1;
    for (int k = 0; k < int(study->cases.size()); ++k) {
        const QString &name = study->cases[std::size_t(k)].name;
        m_choice->addItem(k == governing
                              ? LoadLanguageString(StringId::CasesWindow::kGoverning).arg(name)
                              : name);
    }
    m_choice->setCurrentIndex(shown);
    // The report's own table of the cases and its verdict, word for word.
    const ReportBlock block = CasesReport::summary(*study, StudyWindow::texts());
    m_table->setHorizontalHeaderLabels(block.header);
    m_table->setRowCount(int(block.rows.size()));
    for (int r = 0; r < block.rows.size(); ++r)
        for (int c = 0; c < block.rows[r].size(); ++c)
            m_table->setItem(r, c, new QTableWidgetItem(block.rows[r][c]));
    m_table->selectRow(shown);
    for (const ReportLine &line : block.lines) {
        QLabel *label = StudyLabels::wrapping(m_verdict, QStringLiteral("casesVerdict"));
        StudyLabels::showLine(label, line);
        m_verdict->layout()->addWidget(label);
    }
}
