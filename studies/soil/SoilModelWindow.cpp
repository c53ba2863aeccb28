#include "studies/soil/SoilModelWindow.h"

#include "core/AtomicFileWriter.h"
#include "core/soilmodel/ReadingsCsv.h"
#include "report/LayersReport.h"
#include "report/ReportNumber.h"
#include "studies/common/BackgroundWork.h"
#include "studies/common/StudyLabels.h"
#include "studies/common/TableLook.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/soil/LayerColumnView.h"
#include "studies/soil/PlotWidget.h"
#include "studies/soil/ReadingsFile.h"
#include "studies/soil/ReadingsTable.h"
#include "studies/soil/SoundingPlot.h"
#include "text/StringIds.h"
#include "ui/FileChooser.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace StringId::SoilModel;
namespace Win = StringId::SoilWindow;
namespace Layers = StringId::LayersReport;

namespace {

// Long enough to let a number be typed out, short enough to feel immediate.
constexpr int kDebounceMs = 150;
constexpr double kPi = 3.141592653589793;

QTableWidget *makeTable(int columns, const QString &name, QWidget *parent) {
    auto *table = new QTableWidget(0, columns, parent);
    table->setObjectName(name);
    // Each column as wide as its heading and values, the unit under the name so that none
    // needs scrolling to, the last taking what is left: a heading cut short ("ickness [")
    // tells nothing.
    TableLook::fitToContents(table);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void fill(QTableWidget *table, const QVector<QStringList> &rows) {
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            auto *cell = new QTableWidgetItem(rows[r][c]);
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, cell);
        }
}

// A value of the model as the window shows it, read back: what a study over the soil
// takes, so that it never differs from what is shown.
double shown(double value) {
    return ReportNumber::text(value).toDouble();
}

bool allDetermined(const tav::LayersDeterminacy &d) {
    const auto determined = [](const tav::Determination &x) { return x.determined; };
    return std::all_of(d.resistivities.begin(), d.resistivities.end(), determined) &&
           std::all_of(d.thicknesses.begin(), d.thicknesses.end(), determined);
}

} // namespace

SoilModelWindow::SoilModelWindow(QWidget *opener)
    : StudyWindow(opener, QStringLiteral("soilModelWindow"), QSize(1100, 720)) {
    setWindowTitle(LoadLanguageString(Win::kTitle));
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
    splitter->setSizes({360, 740});
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(makeMenu());
    layout->addWidget(splitter, 1);
    QHBoxLayout *buttons = makeButtonRow();
    m_useInStudy = new QPushButton(LoadLanguageString(StringId::EarthingStudy::kUseInStudy), this);
    m_useInStudy->setObjectName(QStringLiteral("useInStudy"));
    m_useInStudy->setEnabled(false);
    buttons->insertWidget(2, m_useInStudy);
    layout->addLayout(buttons);
    connect(m_useInStudy, &QPushButton::clicked, this, &SoilModelWindow::useInStudy);
    connect(m_table, &ReadingsTable::edited, this, &SoilModelWindow::scheduleFit);
    connect(m_table, &ReadingsTable::edited, this, &SoilModelWindow::keep);
    connect(m_table, &ReadingsTable::arrayChanged, this, [this](tav::SoundingArray array) {
        const QSignalBlocker quiet(m_arrayChoice);
        m_arrayChoice->setCurrentIndex(array == tav::SoundingArray::Schlumberger ? 1 : 0);
    });
    startFit();
}

// The shortcuts written out, as the earthing study's: a bare X display's theme has none
// for Redo.
QWidget *SoilModelWindow::makeMenu() {
    auto *bar = new QMenuBar(this);
    QMenu *edit = bar->addMenu(LoadLanguageString(StringId::EarthingStudy::kEdit));
    QUndoStack *stack = m_table->undoStack();
    QAction *undo =
        stack->createUndoAction(this, LoadLanguageString(StringId::EarthingStudy::kUndo));
    undo->setObjectName(QStringLiteral("undo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction *redo =
        stack->createRedoAction(this, LoadLanguageString(StringId::EarthingStudy::kRedo));
    redo->setObjectName(QStringLiteral("redo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(undo);
    edit->addAction(redo);
    // Shortcuts of a menu bar in a layout work once its actions are the window's too.
    addActions(edit->actions());
    return bar;
}

void SoilModelWindow::keep() {
    if (!m_kept)
        return;
    m_kept->sheet = m_table->sheet();
    m_kept->layers = chosenLayers();
}

SoilModelWindow::~SoilModelWindow() = default;

QWidget *SoilModelWindow::makeChoices(QWidget *parent) {
    auto *choices = new QWidget(parent);
    auto *form = new QFormLayout(choices);
    form->setContentsMargins(0, 0, 0, 0);
    m_arrayChoice = new QComboBox(choices);
    m_arrayChoice->setObjectName(QStringLiteral("arrayChoice"));
    m_arrayChoice->addItem(LoadLanguageString(Win::kWenner));
    m_arrayChoice->addItem(LoadLanguageString(Win::kSchlumberger));
    m_layersChoice = new QComboBox(choices);
    m_layersChoice->setObjectName(QStringLiteral("layersChoice"));
    m_layersChoice->addItem(LoadLanguageString(Win::kAutomatic), 0);
    for (int n = 1; n <= tav::SoundingReadings::kMostLayers; ++n)
        m_layersChoice->addItem(QString::number(n), n);
    form->addRow(LoadLanguageString(Win::kArray), m_arrayChoice);
    form->addRow(LoadLanguageString(Win::kLayers), m_layersChoice);
    connect(m_arrayChoice, &QComboBox::currentIndexChanged, this, &SoilModelWindow::arrayChosen);
    connect(m_layersChoice, &QComboBox::currentIndexChanged, this, &SoilModelWindow::scheduleFit);
    connect(m_layersChoice, &QComboBox::currentIndexChanged, this, &SoilModelWindow::keep);
    return choices;
}

QHBoxLayout *SoilModelWindow::makeFileButtons(QWidget *parent) {
    auto *buttons = new QHBoxLayout;
    const auto add = [&](unsigned text, const char *name, void (SoilModelWindow::*act)()) {
        auto *button = new QPushButton(LoadLanguageString(text), parent);
        button->setObjectName(QLatin1String(name));
        connect(button, &QPushButton::clicked, this, act);
        buttons->addWidget(button);
    };
    add(Win::kImport, "importReadings", &SoilModelWindow::chooseImport);
    add(Win::kOpenReadings, "openReadings", &SoilModelWindow::chooseOpen);
    add(Win::kSaveReadings, "saveReadings", &SoilModelWindow::chooseSave);
    buttons->addStretch(1);
    return buttons;
}

QWidget *SoilModelWindow::makeReadingsPanel() {
    auto *box = new QGroupBox(LoadLanguageString(kReadings), this);
    QWidget *choices = makeChoices(box);
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
    layout->addWidget(choices);
    layout->addWidget(m_table, 1);
    layout->addWidget(hint);
    layout->addWidget(m_formNote);
    QHBoxLayout *buttons = makeFileButtons(box);
    buttons->addWidget(clear);
    layout->addLayout(buttons);
    return box;
}

QWidget *SoilModelWindow::makeModelPanel() {
    auto *panel = new QWidget(this);
    m_plot = new PlotWidget(panel);
    m_plot->setObjectName(QStringLiteral("plot"));
    auto *model = new QGroupBox(LoadLanguageString(kModel), panel);
    m_layers = makeTable(4, QStringLiteral("layersTable"), model);
    QStringList layerHeader;
    for (unsigned k = 0; k < 4; ++k)
        layerHeader.append(LoadLanguageString(Layers::kLayerColumns + k));
    m_layers->setHorizontalHeaderLabels(TableLook::stacked(layerHeader));
    m_rms = StudyLabels::wrapping(model, QStringLiteral("rms"));
    m_criterion = StudyLabels::wrapping(model, QStringLiteral("criterion"));
    m_cautions = StudyLabels::wrapping(model, QStringLiteral("cautions"));
    m_status = StudyLabels::wrapping(model, QStringLiteral("status"));
    m_rows = makeTable(4, QStringLiteral("modelRows"), model);
    QStringList rowsHeader;
    for (unsigned k = 0; k < 4; ++k)
        rowsHeader.append(LoadLanguageString(kRowsColumns + k));
    m_rows->setHorizontalHeaderLabels(TableLook::stacked(rowsHeader));
    auto *modelLayout = new QHBoxLayout(model);
    auto *left = new QVBoxLayout;
    m_column = new LayerColumnView(model);
    m_column->setObjectName(QStringLiteral("layerColumn"));
    auto *layers = new QHBoxLayout;
    layers->addWidget(m_layers, 3);
    layers->addWidget(m_column, 1);
    left->addLayout(layers, 1);
    left->addWidget(m_rms);
    left->addWidget(m_criterion);
    left->addWidget(m_cautions);
    left->addWidget(m_status);
    modelLayout->addLayout(left, 3);
    modelLayout->addWidget(m_rows, 2);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_plot, 3);
    layout->addWidget(model, 2);
    return panel;
}

namespace {

bool sameReadings(const std::vector<tav::WennerReading> &a,
                  const std::vector<tav::WennerReading> &b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto &x, const auto &y) {
        return x.spacing == y.spacing && x.resistivity == y.resistivity;
    });
}

} // namespace

void SoilModelWindow::setFormReadings(const std::vector<tav::WennerReading> &readings,
                                      std::shared_ptr<KeptReadings> kept) {
    m_formNote->show();
    if (kept && kept->sheet) {
        {
            const QSignalBlocker quiet(m_layersChoice);
            setChosenLayers(kept->layers);
        }
        m_table->setSheet(*kept->sheet);
        if (!sameReadings(readings, kept->handed))
            m_table->setReadings(readings,
                                 LoadLanguageString(StringId::StudyWindows::kFormReadings));
    } else {
        m_table->setReadings(readings);
    }
    m_kept = std::move(kept);
    if (m_kept)
        m_kept->handed = readings;
    keep();
}

std::optional<int> SoilModelWindow::chosenLayers() const {
    const int n = m_layersChoice->currentData().toInt();
    return n > 0 ? std::optional<int>(n) : std::nullopt;
}

void SoilModelWindow::setChosenLayers(std::optional<int> layers) {
    m_layersChoice->setCurrentIndex(layers ? *layers : 0);
}

void SoilModelWindow::arrayChosen() {
    m_table->setArray(m_arrayChoice->currentIndex() == 1 ? tav::SoundingArray::Schlumberger
                                                         : tav::SoundingArray::Wenner);
}

void SoilModelWindow::scheduleFit() {
    m_pending = true;
    m_fit->drop(); // whatever runs now is out of date
    m_status->setText(LoadLanguageString(kFitting));
    m_status->show();
    m_debounce->start();
}

SoundingStudy SoilModelWindow::tableReadings(QStringList &notes) const {
    SoundingStudy study;
    study.array = m_table->array();
    study.layers = chosenLayers();
    const bool s = study.array == tav::SoundingArray::Schlumberger;
    for (const ReadingsTable::Row &row : m_table->readingRows()) {
        if (row.spacingText.trimmed().isEmpty() || row.resistivityText.trimmed().isEmpty()) {
            notes.append(LoadLanguageString(kIncompleteRow).arg(row.number));
            continue;
        }
        if (s && row.mnText.trimmed().isEmpty()) {
            notes.append(LoadLanguageString(Win::kMissingMn).arg(row.number));
            continue;
        }
        const bool unreadableMn = s && !row.mn;
        if (!row.spacing || !row.resistivity || unreadableMn) {
            const QString &text = !row.spacing   ? row.spacingText
                                  : unreadableMn ? row.mnText
                                                 : row.resistivityText;
            notes.append(LoadLanguageString(kUnreadableRow).arg(row.number).arg(text));
            continue;
        }
        const tav::SoundingReading reading{study.array, *row.spacing, s ? *row.mn : 0,
                                           *row.resistivity};
        (row.used ? study.readings : study.leftOut).push_back(reading);
    }
    return study;
}

void SoilModelWindow::startFit() {
    QStringList notes;
    SoundingStudy study = tableReadings(notes);
    m_pending = true;
    if (study.readings.empty()) {
        m_fit->drop();
        showFit(study, notes);
        return;
    }
    m_fit->start([this, study, notes](const BackgroundWork::Run &) mutable {
        study.outcome = tav::fitSounding(study.readings, study.layers, tav::kMostCountedLayers);
        if (study.fitted() && study.outcome->result().fit.soil.resistivities.size() == 2) {
            const tav::Refusable<tav::LayersFit> one = tav::fitLayers(study.readings, 1);
            if (!one.refused())
                study.uniform = one.result();
        }
        return [this, study, notes] { showFit(study, notes); };
    });
}

void SoilModelWindow::showFit(const SoundingStudy &study, const QStringList &notes) {
    m_pending = false;
    m_study = study;
    m_rowNotes = notes;
    showModel();
    Q_EMIT modelShown();
}

void SoilModelWindow::showModel() {
    const StudyTexts words = texts();
    m_plot->setPlot(SoundingPlot::plot(m_study, words));
    QStringList status = m_rowNotes;
    m_layers->setRowCount(0);
    m_column->setSoil(std::nullopt);
    m_rows->setRowCount(0);
    for (QLabel *label : {m_rms, m_criterion, m_cautions})
        label->clear();
    m_useInStudy->setEnabled(m_study.fitted());
    if (!m_study.outcome)
        status.prepend(LoadLanguageString(kNoReadings));
    else if (m_study.outcome->refused())
        status.prepend(
            LoadLanguageString(kRefused).arg(words.wording().refusal(m_study.outcome->refusal())));
    m_status->setText(status.join(QLatin1Char('\n')));
    m_status->setVisible(!status.isEmpty());
    if (!m_study.fitted())
        return;
    const tav::SoundingModel &model = m_study.outcome->result();
    showLayers(model);
    showRows(model);
}

void SoilModelWindow::showLayers(const tav::SoundingModel &model) {
    const StudyTexts words = texts();
    fill(m_layers, LayersReport::layerRows(model, words));
    m_column->setSoil(model.fit.soil);
    m_rms->setText(words.text(Layers::kRms).arg(ReportNumber::text(model.fit.rmsPercent, 3)));
    const int count = int(model.fit.soil.resistivities.size());
    QStringList criterion{words.text(model.choice ? Layers::kChosen : Layers::kGiven).arg(count)};
    if (model.choice)
        for (std::size_t i = 0; i < model.choice->fits.size(); ++i) {
            const QString rms = ReportNumber::text(model.choice->fits[i].rmsPercent, 3);
            if (i > 0 && i - 1 < model.choice->tests.size())
                criterion.append(words.text(Win::kCountFitTested)
                                     .arg(i + 1)
                                     .arg(rms, ReportNumber::text(model.choice->tests[i - 1].first),
                                          ReportNumber::text(model.choice->tests[i - 1].second)));
            else
                criterion.append(words.text(Win::kCountFit).arg(i + 1).arg(rms));
        }
    m_criterion->setText(criterion.join(QLatin1Char('\n')));
    QStringList cautions;
    for (const tav::Caution &c : model.cautions)
        cautions.append(words.wording().caution(c));
    m_cautions->setText(cautions.join(QLatin1Char('\n')));
}

void SoilModelWindow::showRows(const tav::SoundingModel &model) {
    const ReportBlock block = LayersReport::readingsBlock(m_study.readings, model, texts());
    m_rows->setColumnCount(int(block.header.size()));
    m_rows->setHorizontalHeaderLabels(TableLook::stacked(block.header));
    fill(m_rows, block.rows);
}

Report SoilModelWindow::report() const {
    StudyHeader header = this->header();
    header.date = QDate::currentDate();
    const StudyTexts words = texts();
    if (m_study.fitted())
        return LayersReport::report(m_study.readings, m_study.outcome->result(), header, words);
    Report report = header.startReport(Layers::kTitle, words);
    ReportBlock block;
    block.plot = SoundingPlot::plot(m_study, words);
    if (!m_status->text().isEmpty())
        block.lines.append({m_status->text(), ReportLine::Tone::Caution});
    report.blocks.append(block);
    return report;
}

QString SoilModelWindow::defaultFileName() const {
    return LoadLanguageString(Win::kTitle) + QStringLiteral(".pdf");
}

void SoilModelWindow::useInStudy() {
    if (!m_study.fitted())
        return;
    const tav::SoundingModel &model = m_study.outcome->result();
    const tav::LayeredSoil &soil = model.fit.soil;
    const int readings = int(m_study.readings.size());
    // The sounding itself goes with the soil, for the study's report to print.
    tav::InputOrigin::Sounding sounding;
    sounding.schlumberger = m_study.array == tav::SoundingArray::Schlumberger;
    for (const tav::SoundingReading &r : m_study.readings)
        sounding.readings.push_back({r.spacing, r.halfPotentialSpacing, r.resistivity});
    const tav::InputOrigin::Soil origin{readings, model.fit.rmsPercent, sounding};
    // Only what the window gives as its answer, as it shows it.
    switch (soil.resistivities.size()) {
    case 1:
        EarthingStudyWindow::handOn(StudyProject::overSoil(shown(soil.resistivities[0]),
                                                           StudyProject::UniformBecause::Fitted,
                                                           origin),
                                    this);
        return;
    case 2:
        if (allDetermined(model.determinacy)) {
            const tav::TwoLayerSoil layers{shown(soil.resistivities[0]),
                                           shown(soil.resistivities[1]),
                                           shown(soil.thicknesses[0])};
            EarthingStudyWindow::handOn(StudyProject::overSoil(layers, origin), this);
        } else if (m_study.uniform) {
            // Layers the readings leave open are no soil to design over: the uniform soil
            // stands in, and the study says why.
            EarthingStudyWindow::handOn(
                StudyProject::overSoil(
                    shown(m_study.uniform->soil.resistivities[0]),
                    StudyProject::UniformBecause::LayersUndetermined,
                    tav::InputOrigin::Soil{readings, m_study.uniform->rmsPercent, sounding}),
                this);
        }
        return;
    default:
        if (!allDetermined(model.determinacy)) {
            showMessage(LoadLanguageString(StringId::SoilLayers::kUndetermined)
                            .arg(soil.resistivities.size()),
                        this);
            return;
        }
        std::vector<double> rho, thickness;
        for (const double r : soil.resistivities)
            rho.push_back(shown(r));
        for (const double h : soil.thicknesses)
            thickness.push_back(shown(h));
        EarthingStudyWindow::handOn(StudyProject::overSoil(rho, thickness, origin), this);
    }
}

void SoilModelWindow::chooseImport() {
    if (const auto path =
            FileChooser::choose(this, {FileChooser::Mode::Open, LoadLanguageString(Win::kCsvFilter),
                                       QStringLiteral("csv"), QString()}))
        importReadings(*path);
}

void SoilModelWindow::chooseOpen() {
    if (const auto path = FileChooser::choose(this, {FileChooser::Mode::Open,
                                                     LoadLanguageString(Win::kReadingsFilter),
                                                     QStringLiteral("json"), QString()}))
        openReadings(*path);
}

void SoilModelWindow::chooseSave() {
    if (const auto path = FileChooser::choose(
            this,
            {FileChooser::Mode::Save, LoadLanguageString(Win::kReadingsFilter),
             QStringLiteral("json"), LoadLanguageString(Win::kTitle) + QStringLiteral(".json")}))
        saveReadings(*path);
}

bool SoilModelWindow::importReadings(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(LoadLanguageString(Win::kOpenRefused).arg(path, file.errorString()), this);
        return false;
    }
    const tav::Refusable<tav::CsvReadings> csv = tav::readCsvReadings(file.readAll().toStdString());
    if (csv.refused()) {
        showMessage(
            LoadLanguageString(Win::kImportRefused).arg(texts().wording().refusal(csv.refusal())),
            this);
        return false;
    }
    const tav::CsvReadings &read = csv.result();
    const tav::SoundingArray array = m_table->array();
    const bool s = array == tav::SoundingArray::Schlumberger;
    // Under a Schlumberger array each reading keeps the MN/2 typed in its row, which a
    // resistance needs to become a resistivity.
    std::vector<std::optional<double>> mn;
    for (const ReadingsTable::Row &row : m_table->readingRows())
        mn.push_back(row.mn);
    std::vector<tav::SoundingReading> readings;
    for (std::size_t i = 0; i < read.spacings.size(); ++i) {
        const double a = read.spacings[i];
        const std::optional<double> l = s && i < mn.size() ? mn[i] : std::nullopt;
        double rho = read.values[i];
        if (read.resistances && !s)
            rho *= 2 * kPi * a;
        if (read.resistances && s) {
            if (!l) {
                showMessage(LoadLanguageString(Win::kImportNeedsMn).arg(i + 1), this);
                return false;
            }
            rho *= kPi * (a * a - *l * *l) / (2 * *l);
        }
        readings.push_back({array, a, l.value_or(0), rho});
    }
    m_table->setSoundingReadings(array, readings, {},
                                 LoadLanguageString(StringId::StudyWindows::kReadingsImported));
    return true;
}

bool SoilModelWindow::saveReadings(const QString &path) {
    QStringList notes;
    const SoundingStudy study = tableReadings(notes);
    ReadingsFile::Content content;
    content.array = study.array;
    content.layers = study.layers;
    // In the table's order, each with its box.
    for (const ReadingsTable::Row &row : m_table->readingRows()) {
        const bool s = study.array == tav::SoundingArray::Schlumberger;
        if (!row.spacing || !row.resistivity || (s && !row.mn))
            continue;
        content.readings.push_back({study.array, *row.spacing, s ? *row.mn : 0, *row.resistivity});
        content.used.push_back(row.used);
    }
    const tav::SiteWriteResult written = tav::writeFileAtomically(
        QFile::encodeName(path).toStdString(), ReadingsFile::write(content).toStdString());
    if (written.status != tav::SiteWriteStatus::Success) {
        showMessage(LoadLanguageString(Win::kSaveFailed)
                        .arg(path, languageWording().siteWriteFailure(written)),
                    this);
        return false;
    }
    return true;
}

bool SoilModelWindow::openReadings(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(LoadLanguageString(Win::kOpenRefused).arg(path, file.errorString()), this);
        return false;
    }
    const ReadingsFile::Read read = ReadingsFile::read(file.readAll());
    if (!read.content) {
        const QString why = !read.notJson.isEmpty()
                                ? LoadLanguageString(Win::kNotJson).arg(read.notJson)
                                : LoadLanguageString(Win::kFieldWrong).arg(read.field);
        showMessage(LoadLanguageString(Win::kOpenRefused).arg(path, why), this);
        return false;
    }
    const ReadingsFile::Content &content = *read.content;
    {
        const QSignalBlocker blockLayers(m_layersChoice);
        setChosenLayers(content.layers);
    }
    m_table->setSoundingReadings(content.array, content.readings, content.used,
                                 LoadLanguageString(StringId::StudyWindows::kReadingsOpened));
    return true;
}
