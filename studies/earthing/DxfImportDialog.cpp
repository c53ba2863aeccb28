#include "studies/earthing/DxfImportDialog.h"

#include "cad/DrawingImport.h"
#include "document/DocumentWording.h"
#include "studies/common/StudyNumber.h"
#include "text/StringIds.h"
#include "text/Wording.h"
#include "ui/LanguageString.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <map>

namespace Id = StringId::DxfImport;
using namespace tav::cad;

namespace {

constexpr DrawingUnit kUnits[] = {DrawingUnit::Millimetre, DrawingUnit::Centimetre,
                                  DrawingUnit::Metre, DrawingUnit::Inch, DrawingUnit::Foot};
// In the order of the choices offered, which the remembered uses keep: the first three
// worded from kConductors on, the rest from DrawingRoles::kFences on.
constexpr LayerRole kRoles[] = {LayerRole::Conductor, LayerRole::Rod,       LayerRole::Ignored,
                                LayerRole::Fence,     LayerRole::TouchArea, LayerRole::Surface};

unsigned roleName(unsigned k) {
    return k < 3 ? Id::kConductors + k : StringId::DrawingRoles::kFences + (k - 3);
}
// The settings key of a file's layer uses: by its name, as a drawing keeps its name
// when it is copied from one job's folder to the next.
QString settingsKey(const QString &fileName) {
    return QStringLiteral("dxfImport/") +
           QString::fromLatin1(fileName.toUtf8().toBase64(QByteArray::Base64UrlEncoding));
}

} // namespace

DxfImportDialog::DxfImportDialog(const DxfDrawing &drawing, const QString &fileName,
                                 QWidget *parent)
    : QDialog(parent), m_drawing(drawing), m_fileName(fileName) {
    setWindowTitle(LoadLanguageString(Id::kTitle).arg(fileName));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeOptions());
    m_layers = new QTableWidget(0, Columns, this);
    m_layers->setObjectName(QStringLiteral("layers"));
    QStringList headers;
    for (unsigned id = Id::kLayerColumn; id < Id::kLayerColumn + PostSpacing; ++id)
        headers << LoadLanguageString(id);
    headers << LoadLanguageString(StringId::DrawingRoles::kPostSpacingColumn);
    m_layers->setHorizontalHeaderLabels(headers);
    m_layers->verticalHeader()->hide();
    layout->addWidget(m_layers, 1);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, [this] {
        remember();
        accept();
    });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fillLayers();
    restore();
    connect(m_layers, &QTableWidget::itemChanged, this, &DxfImportDialog::refresh);
    refresh();
    resize(760, 480);
}

QWidget *DxfImportDialog::makeOptions() {
    auto *options = new QWidget(this);
    auto *form = new QFormLayout(options);
    m_units = new QComboBox(options);
    m_units->setObjectName(QStringLiteral("units"));
    for (unsigned k = 0; k < std::size(kUnits); ++k)
        m_units->addItem(LoadLanguageString(Id::kMillimetres + k), int(kUnits[k]));
    m_units->setPlaceholderText(LoadLanguageString(Id::kUnitsAsked));
    const std::optional<DrawingUnit> given = m_drawing.units();
    m_units->setCurrentIndex(given ? m_units->findData(int(*given)) : -1);
    // What the drawing says of itself is not the engineer's to change.
    m_units->setEnabled(!given);
    form->addRow(LoadLanguageString(Id::kUnits), m_units);
    m_autoOrigin = new QCheckBox(LoadLanguageString(Id::kAutoOrigin), options);
    m_autoOrigin->setObjectName(QStringLiteral("autoOrigin"));
    m_autoOrigin->setChecked(true);
    form->addRow(m_autoOrigin);
    m_originX = new QLineEdit(QStringLiteral("0"), options);
    m_originX->setObjectName(QStringLiteral("originX"));
    m_originY = new QLineEdit(QStringLiteral("0"), options);
    m_originY->setObjectName(QStringLiteral("originY"));
    form->addRow(LoadLanguageString(Id::kOriginX), m_originX);
    form->addRow(LoadLanguageString(Id::kOriginY), m_originY);
    m_join = new QCheckBox(LoadLanguageString(Id::kJoin), options);
    m_join->setObjectName(QStringLiteral("join"));
    form->addRow(m_join);
    connect(m_units, &QComboBox::currentIndexChanged, this, &DxfImportDialog::refresh);
    connect(m_autoOrigin, &QCheckBox::toggled, this, &DxfImportDialog::refresh);
    connect(m_join, &QCheckBox::toggled, this, &DxfImportDialog::refresh);
    connect(m_originX, &QLineEdit::textChanged, this, &DxfImportDialog::refresh);
    connect(m_originY, &QLineEdit::textChanged, this, &DxfImportDialog::refresh);
    return options;
}

// Every layer that holds something the import may take, with a first guess at its use:
// lines are conductors, points, circles and blocks rods.
void DxfImportDialog::fillLayers() {
    std::map<QString, std::pair<int, int>> counts; // lines, points
    for (const DxfPolyline &p : m_drawing.polylines())
        ++counts[QString::fromStdString(p.layer)].first;
    for (const DxfPoint &p : m_drawing.points())
        ++counts[QString::fromStdString(p.layer)].second;
    m_layers->setRowCount(int(counts.size()));
    int row = 0;
    for (const auto &[layer, count] : counts) {
        auto *name = new QTableWidgetItem(layer);
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        m_layers->setItem(row, Layer, name);
        auto *entities = new QTableWidgetItem(QString::number(count.first + count.second));
        entities->setFlags(entities->flags() & ~Qt::ItemIsEditable);
        m_layers->setItem(row, Entities, entities);
        auto *role = new QComboBox(m_layers);
        for (unsigned k = 0; k < std::size(kRoles); ++k)
            role->addItem(LoadLanguageString(roleName(k)), int(kRoles[k]));
        role->setCurrentIndex(count.first > 0 ? 0 : 1);
        connect(role, &QComboBox::currentIndexChanged, this, &DxfImportDialog::refresh);
        m_layers->setCellWidget(row, Role, role);
        for (int c = Depth; c < Columns; ++c)
            m_layers->setItem(row, c, new QTableWidgetItem(c == Group ? QStringLiteral("0") : QString()));
        ++row;
    }
}

std::optional<double> DxfImportDialog::cellNumber(int row, Column column) const {
    const QTableWidgetItem *item = m_layers->item(row, column);
    return item ? StudyNumber::read(item->text()) : std::nullopt;
}

ImportSettings DxfImportDialog::settings() const {
    ImportSettings s;
    if (m_units->currentIndex() >= 0)
        s.units = DrawingUnit(m_units->currentData().toInt());
    s.autoOrigin = m_autoOrigin->isChecked();
    s.originX = StudyNumber::read(m_originX->text()).value_or(0);
    s.originY = StudyNumber::read(m_originY->text()).value_or(0);
    s.joinCrossings = m_join->isChecked();
    for (int row = 0; row < m_layers->rowCount(); ++row) {
        LayerMapping mapping;
        const auto *role = qobject_cast<QComboBox *>(m_layers->cellWidget(row, Role));
        mapping.role = LayerRole(role->currentData().toInt());
        mapping.depth = cellNumber(row, Depth);
        mapping.diameter = cellNumber(row, Diameter);
        mapping.rodLength = cellNumber(row, RodLength);
        mapping.group = int(cellNumber(row, Group).value_or(0));
        if (mapping.role == LayerRole::Fence) {
            // A fence's posts: the length and diameter columns, the depth their tops'.
            const std::optional<double> spacing = cellNumber(row, PostSpacing);
            if (spacing && mapping.rodLength && mapping.diameter)
                mapping.posts =
                    FencePosts{*spacing, *mapping.rodLength, *mapping.diameter, mapping.depth};
            mapping.grouped = !m_layers->item(row, Group)->text().trimmed().isEmpty();
        }
        s.layers[m_layers->item(row, Layer)->text().toStdString()] = mapping;
    }
    return s;
}

// The uses last given to the layers of a file of this name, for the layers it still has.
void DxfImportDialog::restore() {
    const QJsonObject kept =
        QJsonDocument::fromJson(QSettings().value(settingsKey(m_fileName)).toByteArray()).object();
    for (int row = 0; row < m_layers->rowCount(); ++row) {
        const QJsonArray values = kept.value(m_layers->item(row, Layer)->text()).toArray();
        // Uses kept before the post spacing had a column have one value fewer.
        if (values.size() != Columns - Role && values.size() != PostSpacing - Role)
            continue;
        auto *role = qobject_cast<QComboBox *>(m_layers->cellWidget(row, Role));
        role->setCurrentIndex(std::clamp(values.at(0).toInt(), 0, role->count() - 1));
        for (int c = Depth; c < Columns && c - Role < values.size(); ++c)
            m_layers->item(row, c)->setText(values.at(c - Role).toString());
    }
}

void DxfImportDialog::remember() const {
    QJsonObject kept;
    for (int row = 0; row < m_layers->rowCount(); ++row) {
        QJsonArray values{qobject_cast<QComboBox *>(m_layers->cellWidget(row, Role))->currentIndex()};
        for (int c = Depth; c < Columns; ++c)
            values.append(m_layers->item(row, c)->text());
        kept.insert(m_layers->item(row, Layer)->text(), values);
    }
    QSettings().setValue(settingsKey(m_fileName), QJsonDocument(kept).toJson(QJsonDocument::Compact));
}

// What the import would take as the dialog stands; OK only when it takes something.
// The origin chosen for the engineer is shown in the fields it would otherwise be typed in.
void DxfImportDialog::refresh() {
    const bool typed = !m_autoOrigin->isChecked() && !m_originKept;
    m_originX->setEnabled(typed);
    m_originY->setEnabled(typed);
    bool takes = false;
    if (typed && (!StudyNumber::read(m_originX->text()) || !StudyNumber::read(m_originY->text()))) {
        m_summary->setText(LoadLanguageString(Id::kOriginNotNumber));
    } else if (const tav::Refusable<ImportedPlan> plan = DrawingImport(m_drawing, settings()).run();
               plan.refused()) {
        m_summary->setText(languageWording().refusal(plan.refusal()));
    } else {
        m_summary->setText(summary(plan.result()));
        const ImportedPlan &p = plan.result();
        takes = !p.conductors.empty() || !p.rods.empty() || !p.fences.empty() ||
                !p.touchAreas.empty() || p.surface;
        if (m_autoOrigin->isChecked())
            showOrigin(plan.result().originX, plan.result().originY);
    }
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(takes);
}

// Site coordinates run to millions of metres: shown to the millimetre, not to 6 digits.
void DxfImportDialog::showOrigin(double x, double y) {
    const auto shown = [](double value) {
        QString text = QString::number(value, 'f', 3);
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
        return text;
    };
    const QSignalBlocker blockX(m_originX);
    const QSignalBlocker blockY(m_originY);
    m_originX->setText(shown(x));
    m_originY->setText(shown(y));
}

void DxfImportDialog::keepOrigin(double x, double y) {
    m_originKept = true;
    {
        const QSignalBlocker block(m_autoOrigin);
        m_autoOrigin->setChecked(false);
    }
    m_autoOrigin->setEnabled(false);
    showOrigin(x, y);
    refresh();
}

QString DxfImportDialog::summary(const ImportedPlan &plan) const {
    QStringList lines{LoadLanguageString(Id::kTakes)
                          .arg(plan.conductors.size())
                          .arg(plan.rods.size())
                          .arg(plan.mergedDuplicates)
                          .arg(plan.joins),
                      LoadLanguageString(StringId::DrawingRoles::kTakes)
                          .arg(plan.fences.size())
                          .arg(plan.touchAreas.size())
                          .arg(plan.surface ? 1 : 0)};
    for (const auto &[where, count] : plan.leftOut)
        lines << LoadLanguageString(StringId::ImportLeftOut::kLine)
                     .arg(count)
                     .arg(QString::fromStdString(where.first),
                          LoadLanguageString(DocumentWording::leftOutId(where.second)));
    QStringList ignored;
    for (const auto &[key, count] : plan.ignored)
        ignored << LoadLanguageString(Id::kIgnoredEntry)
                       .arg(count)
                       .arg(QString::fromStdString(key.first), QString::fromStdString(key.second));
    if (!ignored.isEmpty())
        lines << LoadLanguageString(Id::kIgnored).arg(ignored.join(QStringLiteral(", ")));
    return lines.join(QLatin1Char('\n'));
}
