#include "studies/earthing/SweepDialog.h"

#include "document/DocumentWording.h"
#include "report/ReportWriter.h"
#include "report/SweepReport.h"
#include "studies/common/BackgroundWork.h"
#include "studies/common/StudyNumber.h"
#include "studies/common/StudyWindow.h"
#include "studies/earthing/SweepView.h"
#include "text/StringIds.h"
#include "ui/FileChooser.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace StringId::Sweep;

namespace {

constexpr int kColumnCount = 10;

QLineEdit *field(const char *name, QWidget *parent) {
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QPushButton *button(unsigned id, const char *name, QWidget *parent) {
    auto *b = new QPushButton(LoadLanguageString(id), parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

SweepDialog::SweepDialog(tav::SystemDocument document, StudyHeader header, QWidget *parent)
    : QDialog(parent), m_document(std::move(document)), m_header(std::move(header)),
      m_texts(StudyWindow::texts()), m_work(new BackgroundWork(this)),
      m_parameter(new QComboBox(this)), m_from(field("sweepFrom", this)),
      m_to(field("sweepTo", this)), m_step(field("sweepStep", this)),
      m_run(button(kRun, "sweepRun", this)),
      m_cancel(button(StringId::EarthingStudy::kCancel, "sweepCancel", this)),
      m_save(button(kSavePdf, "sweepSavePdf", this)), m_progress(new QProgressBar(this)),
      m_status(new QLabel(this)), m_table(new QTableWidget(this)), m_view(new SweepView(this)) {
    setWindowTitle(LoadLanguageString(kTitle));
    m_parameter->setObjectName(QStringLiteral("sweepParameter"));
    const std::vector<tav::SweepParameter> &all = tav::StudySweep::parameters();
    for (std::size_t k = 0; k < all.size(); ++k)
        if (tav::StudySweep::varies(m_document, all[k])) {
            m_parameters.push_back(&all[k]);
            m_parameter->addItem(LoadLanguageString(kParameterNames + unsigned(k)));
        }
    auto *form = new QFormLayout;
    form->addRow(LoadLanguageString(kParameterLabel), m_parameter);
    form->addRow(LoadLanguageString(kFromLabel), m_from);
    form->addRow(LoadLanguageString(kToLabel), m_to);
    form->addRow(LoadLanguageString(kStepLabel), m_step);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_run);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_progress);
    buttons->addStretch();
    buttons->addWidget(m_save);
    m_status->setObjectName(QStringLiteral("sweepStatus"));
    m_status->setWordWrap(true);
    m_table->setObjectName(QStringLiteral("sweepTable"));
    m_table->setColumnCount(kColumnCount);
    QStringList headings;
    for (unsigned k = 0; k < unsigned(kColumnCount); ++k)
        headings.append(LoadLanguageString(StringId::Sweep::kColumns + k));
    m_table->setHorizontalHeaderLabels(headings);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(m_status);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_view, 2);
    m_progress->setRange(0, 1000);
    m_run->setEnabled(!m_parameters.empty());
    setRunning(false);
    connect(m_run, &QPushButton::clicked, this, &SweepDialog::run);
    connect(m_cancel, &QPushButton::clicked, this, &SweepDialog::cancel);
    connect(m_save, &QPushButton::clicked, this, &SweepDialog::chooseAndSavePdf);
    connect(m_work, &BackgroundWork::progressed, this, &SweepDialog::progressed);
    connect(m_work, &BackgroundWork::cancelled, this, [this] {
        setRunning(false);
        m_status->setText(LoadLanguageString(StringId::EarthingStudy::kCancelled));
    });
    resize(900, 700);
}

SweepDialog::~SweepDialog() = default;

bool SweepDialog::running() const {
    return m_work->running();
}

void SweepDialog::run() {
    const int index = m_parameter->currentIndex();
    if (index < 0 || std::size_t(index) >= m_parameters.size())
        return;
    const tav::SweepParameter &parameter = *m_parameters[std::size_t(index)];
    tav::sweep::SweepRange range;
    double *bounds[] = {&range.from, &range.to, &range.step};
    const QLineEdit *fields[] = {m_from, m_to, m_step};
    for (int k = 0; k < 3; ++k) {
        const std::optional<double> v = StudyNumber::read(fields[k]->text());
        if (!v) {
            m_status->setText(LoadLanguageString(kNotANumberField).arg(fields[k]->text()));
            return;
        }
        *bounds[k] = *v;
    }
    const tav::Refusable<std::vector<double>> values =
        tav::sweep::sweepValues(range, parameter.whole);
    if (values.refused()) {
        m_status->setText(
            m_texts.text(kRangeRefused)
                .arg(QLatin1String(parameter.path), m_texts.wording().refusal(values.refusal())));
        return;
    }
    m_points = int(values.result().size());
    setRunning(true);
    m_progress->setValue(0);
    m_status->setText(LoadLanguageString(kProgress).arg(1).arg(m_points));
    const tav::SystemDocument document = m_document;
    m_work->start([this, document, &parameter,
                   range](const BackgroundWork::Run &work) -> BackgroundWork::Delivery {
        const auto outcome = tav::StudySweep::run(
            document, parameter, range, [&work](const tav::sweep::SweepProgress &p) {
                return work.progress(p.point, p.solve.fraction);
            });
        return [this, outcome] { finished(outcome); };
    });
}

void SweepDialog::cancel() {
    m_work->cancel();
}

void SweepDialog::progressed(int point, double fraction) {
    if (m_points <= 0)
        return;
    m_progress->setValue(int(1000 * (point + std::clamp(fraction, 0.0, 1.0)) / m_points));
    m_status->setText(
        LoadLanguageString(kProgress).arg(std::min(point + 1, m_points)).arg(m_points));
}

void SweepDialog::finished(const tav::Refusable<tav::StudySweepResult> &outcome) {
    setRunning(false);
    if (outcome.refused()) {
        m_status->setText(m_texts.wording().refusal(outcome.refusal()));
        return;
    }
    m_result = outcome.result();
    m_status->setText(SweepReport::table(*m_result, m_texts).heading);
    fillTable(*m_result);
    m_view->show(SweepReport::voltagePlot(*m_result, m_texts),
                 SweepReport::resistancePlot(*m_result, m_texts));
    m_save->setEnabled(true);
}

// The rows as the report has them; a refused value's reason as its verdict's tooltip and
// under the table.
void SweepDialog::fillTable(const tav::StudySweepResult &r) {
    const ReportBlock block = SweepReport::table(r, m_texts);
    m_table->setRowCount(int(block.rows.size()));
    for (int row = 0; row < block.rows.size(); ++row)
        for (int column = 0; column < kColumnCount && column < block.rows[row].size(); ++column) {
            auto *item = new QTableWidgetItem(block.rows[row][column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
    QStringList reasons;
    for (const ReportLine &line : block.lines)
        reasons.append(line.text);
    if (!reasons.isEmpty())
        m_status->setText(m_status->text() + QLatin1Char('\n') + reasons.join(QLatin1Char('\n')));
    m_table->resizeColumnsToContents();
}

void SweepDialog::setRunning(bool running) {
    m_run->setEnabled(!running && !m_parameters.empty());
    m_cancel->setEnabled(running);
    m_save->setEnabled(!running && m_result.has_value());
    m_parameter->setEnabled(!running);
}

bool SweepDialog::savePdf(const QString &path) {
    if (!m_result)
        return false;
    QString error;
    if (ReportWriter::write(SweepReport::report(*m_result, m_header, m_texts), {path, {}}, m_texts,
                            &error))
        return true;
    showFailure(LoadLanguageString(StringId::Study::kCannotWrite).arg(path, error), this);
    return false;
}

void SweepDialog::chooseAndSavePdf() {
    const std::optional<QString> path = FileChooser::choose(
        this, {FileChooser::Mode::Save, LoadLanguageString(StringId::Study::kPdfFilter),
               QStringLiteral("pdf"), QStringLiteral("sweep.pdf")});
    if (path)
        savePdf(*path);
}
