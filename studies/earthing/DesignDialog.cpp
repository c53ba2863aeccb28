#include "studies/earthing/DesignDialog.h"

#include "document/DesignJson.h"
#include "document/DocumentWording.h"
#include "report/DesignSummary.h"
#include "studies/common/BackgroundWork.h"
#include "studies/common/StudyNumber.h"
#include "studies/common/StudyWindow.h"
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/earthing/StudyProject.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <variant>

using namespace StringId::DesignWindow;
using tav::design::DesignBrief;

namespace {

constexpr int kCandidateColumns = 5;
const char *const kFieldNames[] = {"designOutline",    "designConductorPrice", "designRodPrice",
                                   "designSurfacePrice", "designRodLengths",   "designDepth",
                                   "designDiameter"};
// The document's path of each field, as a refusal names it.
const char *const kFieldPaths[] = {"design.outline",
                                   "design.prices.conductor_per_m",
                                   "design.prices.rod_per_m",
                                   "design.prices.surface_per_m2",
                                   "design.rod_lengths",
                                   "design.depth",
                                   "design.diameter"};

QPushButton *designButton(unsigned id, const char *name, QWidget *parent) {
    auto *b = new QPushButton(LoadLanguageString(id), parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

// A brief for a study that has none: the outline round the study's metal (20 m square
// without any), a conductor's metre at 1 and a rod's at 2, rods of 3 m.
DesignBrief firstBrief(const tav::SystemDocument &document) {
    DesignBrief brief;
    brief.prices = {1, 2, std::nullopt};
    brief.rodLengths = {3};
    double x0 = 0, y0 = 0, x1 = 20, y1 = 20;
    const tav::SystemDocument::Expansion expansion = document.expanded();
    if (!expansion.input.refused() && !expansion.input.result().conductors.empty()) {
        x0 = y0 = 1e300;
        x1 = y1 = -1e300;
        for (const tav::earthing::Conductor &c : expansion.input.result().conductors)
            for (const tav::earthing::Point3 &p : {c.from, c.to}) {
                x0 = std::min(x0, p.x);
                x1 = std::max(x1, p.x);
                y0 = std::min(y0, p.y);
                y1 = std::max(y1, p.y);
            }
        if (!(x1 > x0 && y1 > y0))
            x0 = y0 = 0, x1 = y1 = 20;
    }
    brief.outline = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    return brief;
}

QString numbers(const std::vector<double> &values, const QString &separator) {
    QStringList texts;
    for (double v : values)
        texts << StudyNumber::shown(v, StudyNumber::Shown::Metres);
    return texts.join(separator);
}

// The numbers of a field, blanks, commas or semicolons between them; the first word that
// is no number when one is not.
std::variant<std::vector<double>, QString> readNumbers(const QString &text) {
    std::vector<double> values;
    static const QRegularExpression between(QStringLiteral("[\\s,;]+"));
    for (const QString &word : text.split(between, Qt::SkipEmptyParts)) {
        const std::optional<double> v = StudyNumber::read(word);
        if (!v)
            return word;
        values.push_back(*v);
    }
    return values;
}

// The layout takes the place of the study's buried metal; fences, touch areas and points
// stay, as they stand round whatever is laid.
void withoutMetal(tav::SystemDocument &document) {
    document.conductors.clear();
    document.grids.clear();
    document.rods.clear();
    document.lGrids.clear();
    document.rings.clear();
    document.drawings.clear();
}

} // namespace

DesignDialog::DesignDialog(tav::SystemDocument document, EarthingProject *project,
                           QWidget *parent)
    : QDialog(parent), m_document(std::move(document)), m_project(project),
      m_texts(StudyWindow::texts()), m_work(new BackgroundWork(this)),
      m_run(designButton(kRun, "designRun", this)),
      m_cancel(designButton(StringId::EarthingStudy::kCancel, "designCancel", this)),
      m_open(designButton(kOpenStudy, "designOpen", this)), m_progress(new QProgressBar(this)),
      m_status(new QLabel(this)), m_table(new QTableWidget(this)) {
    setWindowTitle(LoadLanguageString(kTitle));
    auto *form = new QFormLayout;
    for (int k = Outline; k <= Diameter; ++k) {
        m_fields[k] = new QLineEdit(this);
        m_fields[k]->setObjectName(QLatin1String(kFieldNames[k]));
        form->addRow(LoadLanguageString(kOutline + unsigned(k)), m_fields[k]);
    }
    fill(m_document.design ? *m_document.design : firstBrief(m_document));
    m_keep = new QCheckBox(LoadLanguageString(kKeepParts), this);
    m_keep->setObjectName(QStringLiteral("designKeepParts"));
    form->addRow(m_keep);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_run);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_progress);
    buttons->addStretch();
    buttons->addWidget(m_open);
    m_status->setObjectName(QStringLiteral("designStatus"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_table->setObjectName(QStringLiteral("designCandidates"));
    m_table->setColumnCount(kCandidateColumns);
    QStringList headings;
    for (unsigned k = 0; k < unsigned(kCandidateColumns); ++k)
        headings.append(LoadLanguageString(kColumns + k));
    m_table->setHorizontalHeaderLabels(headings);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(m_status);
    layout->addWidget(m_table, 1);
    m_progress->setRange(0, 1000);
    setRunning(false);
    connect(m_run, &QPushButton::clicked, this, &DesignDialog::run);
    connect(m_cancel, &QPushButton::clicked, this, &DesignDialog::cancel);
    connect(m_open, &QPushButton::clicked, this, &DesignDialog::openResult);
    connect(m_work, &BackgroundWork::progressed, this, &DesignDialog::progressed);
    connect(m_work, &BackgroundWork::cancelled, this, [this] {
        setRunning(false);
        m_status->setText(LoadLanguageString(StringId::EarthingStudy::kCancelled));
    });
    resize(860, 640);
}

DesignDialog::~DesignDialog() = default;

bool DesignDialog::running() const {
    return m_work->running();
}

void DesignDialog::fill(const DesignBrief &brief) {
    QStringList corners;
    for (const tav::earthing::Point2 &p : brief.outline)
        corners << numbers({p.x, p.y}, QStringLiteral(" "));
    m_fields[Outline]->setText(corners.join(QStringLiteral("; ")));
    m_fields[ConductorPrice]->setText(StudyNumber::shown(brief.prices.conductorPerM));
    m_fields[RodPrice]->setText(StudyNumber::shown(brief.prices.rodPerM));
    m_fields[SurfacePrice]->setText(
        brief.prices.surfacePerM2 ? StudyNumber::shown(*brief.prices.surfacePerM2) : QString());
    m_fields[RodLengths]->setText(numbers(brief.rodLengths, QStringLiteral(", ")));
    m_fields[Depth]->setText(StudyNumber::shown(brief.depth, StudyNumber::Shown::Metres));
    m_fields[Diameter]->setText(StudyNumber::shown(brief.diameter, StudyNumber::Shown::Metres));
}

// The fields as the document's "design", read by the document's own reader, so that the
// window refuses what a file would be refused, naming the field.
std::optional<DesignBrief> DesignDialog::readBrief() {
    std::vector<double> values[Diameter + 1];
    for (int k = Outline; k <= Diameter; ++k) {
        auto read = readNumbers(m_fields[k]->text());
        if (const QString *word = std::get_if<QString>(&read)) {
            m_status->setText(LoadLanguageString(kFieldRefused)
                                  .arg(LoadLanguageString(kOutline + unsigned(k)),
                                       LoadLanguageString(kNotNumber).arg(*word)));
            m_fields[k]->setFocus();
            return std::nullopt;
        }
        values[k] = std::get<std::vector<double>>(read);
    }
    QJsonArray outline;
    for (std::size_t k = 0; k + 1 < values[Outline].size(); k += 2)
        outline.append(QJsonArray{values[Outline][k], values[Outline][k + 1]});
    if (values[Outline].size() % 2 != 0) // a lone coordinate: no corner
        outline.append(QJsonArray{values[Outline].back()});
    QJsonObject prices;
    const auto single = [&values](int k) {
        return values[k].size() == 1 ? QJsonValue(values[k][0]) : QJsonValue();
    };
    prices[QStringLiteral("conductor_per_m")] = single(ConductorPrice);
    prices[QStringLiteral("rod_per_m")] = single(RodPrice);
    if (!values[SurfacePrice].empty())
        prices[QStringLiteral("surface_per_m2")] = single(SurfacePrice);
    QJsonArray lengths;
    for (double length : values[RodLengths])
        lengths.append(length);
    const QJsonObject json{{QStringLiteral("outline"), outline},
                           {QStringLiteral("prices"), prices},
                           {QStringLiteral("rod_lengths"), lengths},
                           {QStringLiteral("depth"), single(Depth)},
                           {QStringLiteral("diameter"), single(Diameter)}};
    tav::DocumentError error;
    const DesignBrief brief = tav::DesignJson::read(json, QStringLiteral("design"), error);
    if (error.kind == tav::DocumentError::Kind::None)
        return brief;
    int field = Outline;
    for (int k = Outline; k <= Diameter; ++k)
        if (error.path.startsWith(QLatin1String(kFieldPaths[k])))
            field = k;
    m_status->setText(LoadLanguageString(kFieldRefused)
                          .arg(LoadLanguageString(kOutline + unsigned(field)),
                               DocumentWording::error(error, &LoadLanguageString)));
    m_fields[field]->setFocus();
    return std::nullopt;
}

void DesignDialog::run() {
    if (!m_document.safety) {
        m_status->setText(LoadLanguageString(StringId::Design::kNoCriteria));
        return;
    }
    const std::optional<DesignBrief> brief = readBrief();
    if (!brief)
        return;
    const QJsonObject json = tav::DesignJson::write(*brief);
    if (!m_document.design || tav::DesignJson::write(*m_document.design) != json) {
        m_document.design = *brief;
        if (m_project != nullptr)
            m_project->setValue(-1, QStringLiteral("design"), json, LoadLanguageString(kBriefEdit));
    }
    m_result.reset();
    m_table->setRowCount(0);
    setRunning(true);
    m_progress->setValue(0);
    m_status->setText(LoadLanguageString(kProgress).arg(0));
    tav::SystemDocument document = m_document;
    if (!m_keep->isChecked())
        withoutMetal(document);
    m_work->start([this, document](const BackgroundWork::Run &work) -> BackgroundWork::Delivery {
        const auto outcome =
            tav::DesignStudy::run(document, [&work](const tav::design::DesignProgress &p) {
                const double decided = p.total > 0 ? double(p.decided) / double(p.total) : 0;
                return work.progress(p.solved, decided);
            });
        return [this, outcome] { finished(outcome); };
    });
}

void DesignDialog::cancel() {
    m_work->cancel();
}

void DesignDialog::progressed(int solved, double decided) {
    m_progress->setValue(int(1000 * std::clamp(decided, 0.0, 1.0)));
    m_status->setText(LoadLanguageString(kProgress).arg(solved));
}

void DesignDialog::finished(const tav::Refusable<tav::DesignResult> &outcome) {
    setRunning(false);
    if (outcome.refused()) {
        m_status->setText(m_texts.wording().refusal(outcome.refusal()));
        return;
    }
    m_result = outcome.result();
    m_progress->setValue(1000);
    m_status->setText(DesignSummary::lines(*m_result, m_texts).join(QLatin1Char('\n')));
    fillTable(*m_result);
    setRunning(false);
}

// Every layout solved, cheapest first, with its worst shares and verdict.
void DesignDialog::fillTable(const tav::DesignResult &r) {
    std::vector<const tav::design::Candidate *> solved;
    for (const tav::design::Candidate &c : r.outcome.solved)
        if (c.judgement)
            solved.push_back(&c);
    std::stable_sort(solved.begin(), solved.end(), [](const auto *a, const auto *b) {
        return a->cost.total < b->cost.total;
    });
    m_table->setRowCount(int(solved.size()));
    for (int row = 0; row < int(solved.size()); ++row) {
        const tav::design::Candidate &c = *solved[std::size_t(row)];
        const QString cells[] = {
            StudyNumber::shown(c.cost.total), DesignSummary::percent(c.judgement->touchShare),
            DesignSummary::percent(c.judgement->stepShare),
            LoadLanguageString(c.judgement->safe ? StringId::GridSafety::kPass : StringId::GridSafety::kFail),
            DesignSummary::layout(c, r, m_texts)};
        for (int column = 0; column < kCandidateColumns; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            if (column < kCandidateColumns - 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
    }
    m_table->resizeColumnsToContents();
}

void DesignDialog::setRunning(bool running) {
    m_run->setEnabled(!running);
    m_cancel->setEnabled(running);
    m_open->setEnabled(!running && m_result.has_value());
    for (QLineEdit *field : m_fields)
        field->setReadOnly(running);
    m_keep->setEnabled(!running);
}

void DesignDialog::openResult() {
    if (!m_result)
        return;
    tav::DocumentError error;
    const std::optional<StudyProject> project =
        StudyProject::fromJson(m_result->document.toJson(), error);
    if (project)
        EarthingStudyWindow::handOn(*project, parentWidget());
    else
        m_status->setText(DocumentWording::error(error, &LoadLanguageString));
}
