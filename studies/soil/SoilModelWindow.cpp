#include "studies/soil/SoilModelWindow.h"

#include "report/ReportNumber.h"
#include "studies/common/BackgroundWork.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/soil/PlotWidget.h"
#include "studies/soil/ReadingsTable.h"
#include "studies/common/StudyLabels.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace StringId::SoilModel;
namespace Study = StringId::Study;

namespace {

// Long enough to let a number be typed out, short enough to feel immediate.
constexpr int kDebounceMs = 150;

const char *const kValueNames[] = {"rho1", "rho2", "depth", "rms", "uniformRho", "uniformRms"};
const unsigned kValueLabels[] = {kRho1, kRho2, kDepth, kRms, kUniformRho, kUniformRms};

} // namespace

SoilModelWindow::SoilModelWindow(QWidget *opener)
    : StudyWindow(opener, QStringLiteral("soilModelWindow"), QSize(1100, 720)) {
    setWindowTitle(LoadLanguageString(kTitle));
    m_fit = new BackgroundWork(this);
    m_debounce = new QTimer(this);
    m_debounce->setSingleShot(true);
    m_debounce->setInterval(kDebounceMs);
    connect(m_debounce, &QTimer::timeout, this, &SoilModelWindow::startFit);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(makeReadingsPanel());
    splitter->addWidget(makeModelPanel());
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 5);
    splitter->setSizes({330, 770});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    QHBoxLayout *buttons = makeButtonRow();
    m_useInStudy = new QPushButton(LoadLanguageString(StringId::EarthingStudy::kUseInStudy), this);
    m_useInStudy->setObjectName(QStringLiteral("useInStudy"));
    m_useInStudy->setEnabled(false);
    buttons->insertWidget(2, m_useInStudy);
    layout->addLayout(buttons);
    connect(m_useInStudy, &QPushButton::clicked, this, &SoilModelWindow::useInStudy);
    connect(m_table, &ReadingsTable::edited, this, &SoilModelWindow::scheduleFit);
    startFit();
}

SoilModelWindow::~SoilModelWindow() = default;

QWidget *SoilModelWindow::makeReadingsPanel() {
    auto *box = new QGroupBox(LoadLanguageString(kReadings), this);
    m_table = new ReadingsTable(box);
    m_table->setObjectName(QStringLiteral("readings"));
    auto *hint = StudyLabels::wrapping(box, QStringLiteral("readingsHint"));
    hint->setText(LoadLanguageString(kTableHint));
    m_formNote = StudyLabels::wrapping(box, QStringLiteral("formNote"));
    m_formNote->setText(LoadLanguageString(kFormNote));
    m_formNote->hide();
    auto *clear = new QPushButton(LoadLanguageString(kClear), box);
    clear->setObjectName(QStringLiteral("clear"));
    connect(clear, &QPushButton::clicked, m_table, &ReadingsTable::clearReadings);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(m_table, 1);
    layout->addWidget(hint);
    layout->addWidget(m_formNote);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return box;
}

QWidget *SoilModelWindow::makeModelPanel() {
    auto *panel = new QWidget(this);
    m_plot = new PlotWidget(panel);
    m_plot->setObjectName(QStringLiteral("plot"));
    auto *model = new QGroupBox(LoadLanguageString(kModel), panel);
    auto *values = new QFormLayout;
    m_valuesLayout = values;
    for (std::size_t i = 0; i < std::size(kValueNames); ++i) {
        auto *value = new QLabel(model);
        value->setObjectName(QLatin1String(kValueNames[i]));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        values->addRow(LoadLanguageString(kValueLabels[i]), value);
        m_values.insert(QLatin1String(kValueNames[i]), value);
    }
    m_status = StudyLabels::wrapping(model, QStringLiteral("status"));
    m_modelNotes = StudyLabels::wrapping(model, QStringLiteral("modelNotes"));
    m_rows = new QTableWidget(0, 4, model);
    m_rows->setObjectName(QStringLiteral("modelRows"));
    m_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rows->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_rows->verticalHeader()->hide();
    m_rows->verticalHeader()->setDefaultSectionSize(m_rows->fontMetrics().height() + 6);
    m_rows->setHorizontalHeaderLabels(SoilModelReport::rowsHeader(texts()));
    auto *modelLayout = new QHBoxLayout(model);
    auto *left = new QVBoxLayout;
    left->addLayout(values);
    left->addWidget(m_status);
    left->addWidget(m_modelNotes);
    left->addStretch(1);
    modelLayout->addLayout(left, 2);
    modelLayout->addWidget(m_rows, 3);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_plot, 3);
    layout->addWidget(model, 2);
    return panel;
}

void SoilModelWindow::setFormReadings(const std::vector<tav::WennerReading> &readings) {
    m_formNote->show();
    m_table->setReadings(readings);
}

void SoilModelWindow::scheduleFit() {
    m_pending = true;
    m_fit->drop(); // whatever runs now is out of date
    m_status->setText(LoadLanguageString(kFitting));
    m_debounce->start();
}

void SoilModelWindow::startFit() {
    SoilModelStudy study;
    QStringList notes;
    for (const ReadingsTable::Row &row : m_table->readingRows()) {
        if (row.spacingText.trimmed().isEmpty() || row.resistivityText.trimmed().isEmpty()) {
            notes.append(LoadLanguageString(kIncompleteRow).arg(row.number));
            continue;
        }
        if (!row.spacing || !row.resistivity) {
            notes.append(LoadLanguageString(kUnreadableRow)
                             .arg(row.number)
                             .arg(!row.spacing ? row.spacingText : row.resistivityText));
            continue;
        }
        (row.used ? study.readings : study.leftOut).push_back({*row.spacing, *row.resistivity});
    }
    m_pending = true;
    if (study.readings.empty()) {
        m_fit->drop();
        showFit(study, notes);
        return;
    }
    m_fit->start([this, study, notes](const BackgroundWork::Run &) mutable {
        study.outcome = tav::fitSoilModel(study.readings);
        return [this, study, notes] { showFit(study, notes); };
    });
}

void SoilModelWindow::showFit(const SoilModelStudy &study, const QStringList &notes) {
    m_pending = false;
    m_study = study;
    m_rowNotes = notes;
    showModel();
    Q_EMIT modelShown();
}

void SoilModelWindow::showModel() {
    const StudyTexts words = texts();
    m_plot->setPlot(SoilModelReport::plot(m_study, words));
    for (int row = 0; row < m_valuesLayout->rowCount(); ++row) {
        m_values.value(QLatin1String(kValueNames[row]))->clear();
        m_valuesLayout->setRowVisible(row, false);
    }
    QStringList status = m_rowNotes;
    m_rows->setRowCount(0);
    m_modelNotes->clear();
    const bool fitted = m_study.outcome && !m_study.outcome->refused();
    m_useInStudy->setEnabled(fitted);
    if (!m_study.outcome)
        status.prepend(LoadLanguageString(kNoReadings));
    else if (m_study.outcome->refused())
        status.prepend(
            LoadLanguageString(kRefused).arg(words.wording().refusal(m_study.outcome->refusal())));
    m_status->setText(status.join(QLatin1Char('\n')));
    m_status->setVisible(!status.isEmpty());
    if (!fitted)
        return;
    const tav::SoilModel &model = m_study.outcome->result();
    const auto pairs = SoilModelReport::modelPairs(model, words);
    // The pairs come in the order of the labels, the first four only for two layers.
    const int first = model.layered ? 0 : 4;
    for (int i = 0; i < pairs.size(); ++i) {
        m_values.value(QLatin1String(kValueNames[first + i]))->setText(pairs[i].second);
        m_valuesLayout->setRowVisible(first + i, true);
    }
    QStringList notesText;
    for (const ReportLine &line : SoilModelReport::modelNotes(model, words))
        notesText.append(line.text);
    m_modelNotes->setText(notesText.join(QLatin1Char('\n')));
    const QVector<QStringList> rows = SoilModelReport::rows(model);
    m_rows->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            auto *cell = new QTableWidgetItem(rows[r][c]);
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_rows->setItem(r, c, cell);
        }
}

Report SoilModelWindow::report() const {
    StudyHeader header = this->header();
    header.date = QDate::currentDate();
    return SoilModelReport::report(m_study, header, texts());
}

QString SoilModelWindow::defaultFileName() const {
    return LoadLanguageString(kTitle) + QStringLiteral(".pdf");
}

void SoilModelWindow::useInStudy() {
    if (!m_study.outcome || m_study.outcome->refused())
        return;
    const tav::SoilModel &model = m_study.outcome->result();
    // Only what the window gives as its answer, as it shows it: a parameter it shows as a
    // bound or as not determined is no soil to design over, and the uniform soil stands in.
    const int readings = int(model.rows.size());
    if (const std::optional<tav::TwoLayerSoil> layers = SoilModelReport::determinedLayers(model)) {
        EarthingStudyWindow::handOn(
            StudyProject::overSoil(*layers, tav::InputOrigin::Soil{readings, model.rmsPercent}),
            this);
        return;
    }
    const auto why = model.layered ? StudyProject::UniformBecause::LayersUndetermined
                                   : StudyProject::UniformBecause::Fitted;
    EarthingStudyWindow::handOn(
        StudyProject::overSoil(SoilModelReport::shownValue(model.uniform.rho), why,
                               tav::InputOrigin::Soil{readings, model.uniform.rmsPercent}),
        this);
}
