#include "studies/gridsafety/GridSafetyWindow.h"

#include "report/GridSafetyReport.h"
#include "studies/common/StudyLabels.h"
#include "studies/common/ValueList.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace StringId::GridSafety;
namespace Report_ = GridSafetyReport;

namespace {

QLabel *messageLabel(QWidget *parent, const QString &name) {
    QLabel *label = StudyLabels::wrapping(parent, name);
    label->hide();
    return label;
}

void showText(QLabel *label, const QString &text) {
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

QString joined(const QVector<ReportLine> &lines) {
    QStringList texts;
    for (const ReportLine &line : lines)
        texts.append(line.text);
    return texts.join(QLatin1Char('\n'));
}

// The fault's results end with IG, the first ones given only as they apply: the names are
// the last as many of these.
const QStringList kFaultNames{QStringLiteral("timeConstant"),
                              QStringLiteral("decrementFactorShown"),
                              QStringLiteral("gridCurrent")};
const QStringList kResultNames{QStringLiteral("rg"),
                               QStringLiteral("gpr"),
                               QStringLiteral("em"),
                               QStringLiteral("touchTolerable"),
                               QStringLiteral("es"),
                               QStringLiteral("stepTolerable"),
                               QStringLiteral("permissibleTouch"),
                               QStringLiteral("bodyCurrent")};
const QStringList kFactorNames{QStringLiteral("km"),  QStringLiteral("ki"), QStringLiteral("ks"),
                               QStringLiteral("kii"), QStringLiteral("kh"), QStringLiteral("n"),
                               QStringLiteral("lm"),  QStringLiteral("ls"), QStringLiteral("cs")};
const QStringList kConductorNames{QStringLiteral("area"), QStringLiteral("solidDiameter"),
                                  QStringLiteral("kf")};

} // namespace

GridSafetyWindow::GridSafetyWindow(QWidget *opener)
    : StudyWindow(opener, QStringLiteral("gridSafetyWindow"), QSize(1200, 760)) {
    setWindowTitle(LoadLanguageString(kTitle));
    m_inputs = new GridSafetyInputs(this);
    m_inputs->setObjectName(QStringLiteral("inputs"));
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(m_inputs);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // The inputs are shown whole across, scrolled only up and down; the results take the
    // width that is left.
    scroll->setMinimumWidth(m_inputs->sizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width());
    auto *panes = new QHBoxLayout;
    panes->addWidget(scroll);
    panes->addWidget(makeResults(), 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    QHBoxLayout *buttons = makeButtonRow();
    m_solveNumerically =
        new QPushButton(LoadLanguageString(StringId::EarthingStudy::kSolveNumerically), this);
    m_solveNumerically->setObjectName(QStringLiteral("solveNumerically"));
    buttons->insertWidget(2, m_solveNumerically);
    layout->addLayout(buttons);
    connect(m_solveNumerically, &QPushButton::clicked, this, &GridSafetyWindow::solveNumerically);
    connect(m_inputs, &GridSafetyInputs::changed, this, &GridSafetyWindow::recalculate);
    recalculate();
}

QWidget *GridSafetyWindow::makeResults() {
    auto *panel = new QWidget(this);
    auto *results = new QGroupBox(LoadLanguageString(kResults), panel);
    m_fault = new ValueList(results);
    m_results = new ValueList(results);
    m_touchVerdict = messageLabel(results, QStringLiteral("touchVerdict"));
    m_stepVerdict = messageLabel(results, QStringLiteral("stepVerdict"));
    m_shortcut = messageLabel(results, QStringLiteral("gprBelowTouch"));
    m_message = messageLabel(results, QStringLiteral("resultMessage"));
    m_cautions = messageLabel(results, QStringLiteral("cautions"));
    m_cautions->setStyleSheet(QStringLiteral("QLabel { color: #9a5b00; }"));
    auto *resultsLayout = new QVBoxLayout(results);
    for (QWidget *w : std::initializer_list<QWidget *>{
             m_fault, m_results, m_touchVerdict, m_stepVerdict, m_shortcut, m_message, m_cautions})
        resultsLayout->addWidget(w);
    auto *factors = new QGroupBox(LoadLanguageString(kFactors), panel);
    m_factors = new ValueList(factors);
    (new QVBoxLayout(factors))->addWidget(m_factors);
    auto *conductor = new QGroupBox(LoadLanguageString(kConductor), panel);
    m_conductor = new ValueList(conductor);
    m_conductorMessage = messageLabel(conductor, QStringLiteral("conductorMessage"));
    auto *conductorLayout = new QVBoxLayout(conductor);
    conductorLayout->addWidget(m_conductor);
    conductorLayout->addWidget(m_conductorMessage);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(results);
    layout->addWidget(factors);
    layout->addWidget(conductor);
    layout->addStretch(1);
    return panel;
}

void GridSafetyWindow::recalculate() {
    m_reading = m_inputs->read();
    m_outcome = GridSafetyOutcome::evaluate(m_reading.study);
    showResults();
    showConductor();
}

void GridSafetyWindow::showResults() {
    const StudyTexts words = texts();
    const bool complete = m_reading.missing.isEmpty();
    m_solveNumerically->setEnabled(complete);
    const Report_::Pairs fault = Report_::faultResults(m_reading.study, m_outcome, words);
    m_fault->setPairs(complete ? fault : Report_::Pairs{},
                      kFaultNames.mid(kFaultNames.size() - fault.size()));
    const tav::GridSafetyResult *result =
        complete && m_outcome.safety ? &*m_outcome.safety : nullptr;
    m_results->setPairs(result ? Report_::resultPairs(*result, words) : Report_::Pairs{},
                        kResultNames);
    m_factors->setPairs(result ? Report_::factorPairs(*result, words) : Report_::Pairs{},
                        kFactorNames);
    m_touchVerdict->hide();
    m_stepVerdict->hide();
    m_shortcut->hide();
    if (result) {
        const QVector<ReportLine> lines = Report_::verdicts(*result, words);
        StudyLabels::showLine(m_touchVerdict, lines[0]);
        StudyLabels::showLine(m_stepVerdict, lines[1]);
        if (lines.size() > 2)
            StudyLabels::showLine(m_shortcut, lines[2]);
    }
    showText(m_message, !complete           ? m_reading.missing
                        : m_outcome.refusal ? Report_::refusal(*m_outcome.refusal, words)
                                            : QString());
    // The conductor's caution stands with the grid's, once the grid is read.
    showText(m_cautions, complete ? joined(Report_::cautions(m_outcome, words)) : QString());
}

void GridSafetyWindow::showConductor() {
    const StudyTexts words = texts();
    const bool sized = m_outcome.conductor && !m_outcome.conductor->refused();
    m_conductor->setPairs(sized ? Report_::conductorPairs(m_outcome.conductor->result(), words)
                                : Report_::Pairs{},
                          kConductorNames);
    QString message = m_reading.conductorMissing;
    if (m_outcome.conductor && m_outcome.conductor->refused())
        message =
            words.text(kSizingRefused)
                .arg(GridSafetyInputs::sizingWording().refusal(m_outcome.conductor->refusal()));
    showText(m_conductorMessage, message);
}

Report GridSafetyWindow::report() const {
    StudyHeader header = this->header();
    header.date = QDate::currentDate();
    const StudyTexts words = texts();
    if (m_reading.missing.isEmpty())
        return Report_::report(m_reading.study, m_outcome, header, words);
    // Inputs still missing: the report says which, in place of the results.
    GridSafetyOutcome outcome = m_outcome;
    outcome.safety.reset();
    outcome.fault.reset();
    outcome.refusal.reset();
    outcome.cautions.clear();
    Report report = Report_::report(m_reading.study, outcome, header, words);
    report.blocks.remove(0, 2); // the inputs and the criteria, which are not all there
    report.blocks.first().lines.prepend({m_reading.missing, ReportLine::Tone::Fail});
    return report;
}

QString GridSafetyWindow::defaultFileName() const {
    return LoadLanguageString(kTitle) + QStringLiteral(".pdf");
}

void GridSafetyWindow::solveNumerically() {
    if (!m_reading.missing.isEmpty())
        return;
    tav::GridSafetyInput grid = m_reading.study.grid;
    // The grid current the check took, worked out from the fault when that is given.
    std::optional<tav::InputOrigin::Current> basis;
    if (m_outcome.fault)
        grid.gridCurrent = m_outcome.fault->gridCurrent;
    if (m_outcome.fault && m_reading.study.fault) {
        basis = tav::InputOrigin::Current{m_reading.study.fault->faultCurrent,
                                          m_outcome.fault->decrementFactor,
                                          m_reading.study.fault->splitFactor};
    }
    EarthingStudyWindow::handOn(StudyProject::ofGridCheck(grid, basis), this);
}
