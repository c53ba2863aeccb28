#include "studies/earthing/StudyResultsPanel.h"

#include "report/LeakageTable.h"
#include "report/NetworkReport.h"
#include "report/PlaceTable.h"
#include "report/SystemReport.h"
#include "studies/common/StudyLabels.h"
#include "studies/common/StudyWindow.h"
#include "studies/common/TableLook.h"
#include "studies/common/ValueList.h"
#include "studies/earthing/CasesPanel.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

StudyResultsPanel::StudyResultsPanel(QWidget *parent)
    : QGroupBox(LoadLanguageString(StringId::SystemReport::kResults), parent) {
    m_cases = new CasesPanel(this);
    m_values = new ValueList(this);
    m_groups = new QTableWidget(0, 3, this);
    m_groups->setObjectName(QStringLiteral("groups"));
    TableLook::fitToContents(m_groups);
    m_groups->setMaximumHeight(140);
    // The part's name wrapped: the figures side by side, never scrolled to.
    m_leakage = new QTableWidget(0, 6, this);
    m_leakage->setObjectName(QStringLiteral("leakage"));
    TableLook::fitToContents(m_leakage, 0);
    m_leakage->setMaximumHeight(160);
    m_leakage->hide();
    m_networkValues = new ValueList(this);
    m_networkValues->setObjectName(QStringLiteral("networkValues"));
    m_networkValues->hide();
    m_network = new QTableWidget(0, 5, this);
    m_network->setObjectName(QStringLiteral("networkBranches"));
    TableLook::fitToContents(m_network, 0);
    m_network->setMaximumHeight(140);
    m_network->hide();
    m_places = new QTableWidget(0, 6, this);
    m_places->setObjectName(QStringLiteral("places"));
    m_places->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The figures whole; a long place name wraps, its whole in a tooltip too.
    TableLook::fitToContents(m_places, 0);
    m_places->setToolTip(LoadLanguageString(StringId::EarthingStudy::kCentre));
    m_places->setMinimumHeight(120);
    connect(m_places, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        const QTableWidgetItem *name = m_places->item(row, 0);
        if (name && name->data(Qt::UserRole).isValid())
            Q_EMIT placeActivated(name->data(Qt::UserRole).toPointF());
    });
    m_verdicts = new QWidget(this);
    (new QVBoxLayout(m_verdicts))->setContentsMargins(0, 0, 0, 0);
    m_staleNote = StudyLabels::wrapping(this, QStringLiteral("staleNote"));
    m_staleNote->setText(LoadLanguageString(StringId::EarthingStudy::kStale));
    m_staleNote->setStyleSheet(QStringLiteral("QLabel { color: #9a5b00; }"));
    m_staleNote->hide();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_cases);
    layout->addWidget(m_values);
    layout->addWidget(m_places, 1);
    layout->addWidget(m_groups);
    layout->addWidget(m_leakage);
    layout->addWidget(m_networkValues);
    layout->addWidget(m_network);
    layout->addWidget(m_verdicts);
    layout->addWidget(m_staleNote);
    layout->addStretch(1);
    setMinimumWidth(400);
}

namespace {

// Pass green, fail red, outside the method's range amber as the verdicts' lines; a value
// for information grey.
QColor verdictColour(tav::Verdict verdict) {
    const ReportLine::Tone tone = PlaceTable::tone(verdict);
    return tone == ReportLine::Tone::Plain ? QColor(0x6b, 0x6b, 0x6b)
                                           : QColor(StudyLabels::colour(tone));
}

} // namespace

void StudyResultsPanel::clearVerdicts() {
    while (QLayoutItem *item = m_verdicts->layout()->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

void StudyResultsPanel::setStale(bool stale) {
    m_staleNote->setVisible(stale);
}

void StudyResultsPanel::showResult(const tav::earthing::EarthingResult *result,
                                   const std::optional<tav::earthing::SystemSafety> &safety,
                                   const QString &safetyRefusal,
                                   const std::optional<tav::earthing::Point2> &site) {
    clearVerdicts();
    if (!result) {
        m_values->setPairs({{LoadLanguageString(StringId::EarthingStudy::kNotSolved), QString()}},
                           {QStringLiteral("none")});
        m_groups->setRowCount(0);
        m_groups->hide();
        m_places->setRowCount(0);
        m_places->hide();
        m_staleNote->hide();
        return;
    }
    const StudyTexts texts = StudyWindow::texts();
    m_values->setPairs(SystemReport::resultPairs(*result, safety, texts, site),
                       {QStringLiteral("resistance"), QStringLiteral("gpr"),
                        QStringLiteral("worstTouch"), QStringLiteral("worstStep"),
                        QStringLiteral("tolerableTouch"), QStringLiteral("tolerableStep")});
    const ReportBlock groups = SystemReport::groups(*result, texts);
    m_groups->setHorizontalHeaderLabels(TableLook::stacked(groups.header));
    m_groups->setRowCount(groups.rows.size());
    for (int r = 0; r < groups.rows.size(); ++r)
        for (int c = 0; c < groups.rows[r].size() && c < 3; ++c)
            m_groups->setItem(r, c, new QTableWidgetItem(groups.rows[r][c]));
    m_groups->show();
    showPlaces(*result, safety);
    QVector<ReportLine> lines = SystemReport::verdicts(*result, safety, texts);
    if (const std::optional<ReportLine> overall = SystemReport::overall(safety, texts))
        lines.prepend(*overall);
    if (!safetyRefusal.isEmpty())
        lines.prepend({safetyRefusal, ReportLine::Tone::Fail});
    for (int k = 0; k < lines.size(); ++k) {
        QLabel *label = StudyLabels::wrapping(m_verdicts, QStringLiteral("verdict%1").arg(k));
        StudyLabels::showLine(label, lines[k]);
        m_verdicts->layout()->addWidget(label);
    }
}

// A row per place, its verdict in the colour of its tone; a place reached nowhere has none.
void StudyResultsPanel::showPlaces(const tav::earthing::EarthingResult &result,
                                   const std::optional<tav::earthing::SystemSafety> &safety) {
    const StudyTexts texts = StudyWindow::texts();
    const QVector<PlaceTable::Row> rows = PlaceTable::rows(result, safety, texts);
    m_places->setHorizontalHeaderLabels(TableLook::stacked(PlaceTable::header(texts)));
    m_places->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList cells = PlaceTable::cells(rows[r], texts);
        for (int c = 0; c < cells.size() && c < m_places->columnCount(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (c == 0)
                item->setToolTip(cells[c]);
            if (c > 0 && c < 5)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_places->setItem(r, c, item);
        }
        if (rows[r].reached)
            m_places->item(r, 0)->setData(Qt::UserRole, QPointF(rows[r].at.x, rows[r].at.y));
        if (rows[r].verdict && rows[r].reached)
            m_places->item(r, 5)->setForeground(verdictColour(*rows[r].verdict));
    }
    m_places->show();
}

void StudyResultsPanel::showLeakage(const tav::SystemLeakage *leakage) {
    if (!leakage) {
        m_leakage->setRowCount(0);
        m_leakage->hide();
        return;
    }
    const ReportBlock block = LeakageTable::block(*leakage, StudyWindow::texts());
    m_leakage->setHorizontalHeaderLabels(TableLook::stacked(block.header));
    m_leakage->setToolTip(block.heading);
    m_leakage->setRowCount(int(block.rows.size()));
    for (int r = 0; r < block.rows.size(); ++r)
        for (int c = 0; c < block.rows[r].size() && c < m_leakage->columnCount(); ++c) {
            auto *item = new QTableWidgetItem(block.rows[r][c]);
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_leakage->setItem(r, c, item);
        }
    m_leakage->show();
}

void StudyResultsPanel::showNetwork(const tav::network::NetworkResult *network, double decrement) {
    namespace Id = StringId::NetworkWindow;
    m_networkValues->setVisible(network != nullptr);
    m_network->setVisible(network && !(network->lines.empty() && network->cables.empty()));
    if (!network) {
        m_network->setRowCount(0);
        return;
    }
    const StudyTexts texts = StudyWindow::texts();
    const double earth = std::abs(network->earthCurrent);
    m_networkValues->setPairs(
        {{LoadLanguageString(Id::kSplitFactor), NetworkReport::phasor(network->splitFactor, texts)},
         {LoadLanguageString(Id::kEarthCurrent),
          NetworkReport::phasor(network->earthCurrent, texts) + QStringLiteral(" A")},
         {LoadLanguageString(Id::kStudyCurrent),
          texts.value(decrement * earth, StringId::Study::kAmpere)}},
        {QStringLiteral("splitFactor"), QStringLiteral("earthCurrent"),
         QStringLiteral("studyCurrent")});
    QStringList header;
    for (unsigned k = 0; k < 5; ++k)
        header.append(LoadLanguageString(Id::kResultColumns + k));
    m_network->setHorizontalHeaderLabels(TableLook::stacked(header));
    QVector<const tav::network::BranchResult *> branches;
    for (const tav::network::BranchResult &b : network->lines)
        branches.append(&b);
    for (const tav::network::BranchResult &b : network->cables)
        branches.append(&b);
    m_network->setRowCount(int(branches.size()));
    const QString none = LoadLanguageString(StringId::Network::kNone);
    for (int r = 0; r < branches.size(); ++r) {
        const tav::network::BranchResult &b = *branches[r];
        const QStringList cells{
            QString::fromStdString(b.name), NetworkReport::phasor(b.reductionFactor, texts),
            NetworkReport::phasor(b.returnCurrent, texts),
            b.towerPotentials.empty() ? none : NetworkReport::phasor(b.towerPotentials[0], texts),
            b.remoteRise       ? NetworkReport::phasor(*b.remoteRise, texts)
            : b.chainImpedance ? LoadLanguageString(StringId::Network::kEndless)
                               : none};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_network->setItem(r, c, item);
        }
    }
}
