#include "studies/earthing/DrawingRowsTable.h"

#include "studies/common/StudyNumber.h"
#include "studies/earthing/CellMarks.h"
#include "studies/earthing/JsonFieldEdits.h"
#include "studies/earthing/JsonPath.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

namespace Id = StringId::DrawingRows;

namespace {

// Rows the table shows before it scrolls: a drawing may have thousands.
constexpr int kRowsShown = 8;

} // namespace

DrawingRowsTable::DrawingRowsTable(Rows rows, QWidget *parent)
    : QWidget(parent), m_rows(rows),
      m_columns(StudyPart::fields(tav::DrawingPart::rowFields(rows))) {
    const bool conductors = rows == Rows::Conductors;
    auto *heading = new QLabel(LoadLanguageString(conductors ? Id::kConductors : Id::kRods), this);
    m_table = new QTableWidget(0, int(m_columns.size()), this);
    m_table->setObjectName(key());
    QStringList labels;
    for (const StudyPart::Field &f : std::as_const(m_columns))
        labels.append(LoadLanguageString(f.label));
    m_table->setHorizontalHeaderLabels(labels);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setMinimumHeight(m_table->horizontalHeader()->sizeHint().height() +
                              kRowsShown * m_table->verticalHeader()->defaultSectionSize() +
                              2 * m_table->frameWidth());
    m_add = new QPushButton(LoadLanguageString(conductors ? Id::kAddConductor : Id::kAddRod), this);
    m_add->setObjectName(key() + QStringLiteral("Add"));
    m_remove = new QPushButton(
        LoadLanguageString(conductors ? Id::kRemoveConductor : Id::kRemoveRod), this);
    m_remove->setObjectName(key() + QStringLiteral("Remove"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    connect(m_table, &QTableWidget::itemChanged, this, &DrawingRowsTable::cellEdited);
    connect(m_add, &QPushButton::clicked, this, [this] { Q_EMIT rowAdded(key(), chosenRow()); });
    connect(m_remove, &QPushButton::clicked, this,
            [this] { Q_EMIT rowRemoved(key(), chosenRow()); });
}

QString DrawingRowsTable::key() const {
    return QLatin1String(tav::DrawingPart::key(m_rows));
}

QString DrawingRowsTable::cellPath(int row, int column) const {
    return key() + QLatin1Char('/') + QString::number(row) + QLatin1Char('/') +
           m_columns[column].path;
}

std::optional<DrawingRowsTable::Cell> DrawingRowsTable::cellOf(Rows rows, const QString &path) {
    const QString key = QLatin1String(tav::DrawingPart::key(rows));
    const QString document = path.contains(QLatin1Char('/')) ? JsonPath::documentPath(path) : path;
    if (document == key)
        return Cell{-1, -1};
    static const QRegularExpression row(QStringLiteral(R"(^(\w+)\[(\d+)\](?:\.(.+))?$)"));
    const QRegularExpressionMatch m = row.match(document);
    if (!m.hasMatch() || m.captured(1) != key)
        return std::nullopt;
    const int at = m.captured(2).toInt();
    if (m.captured(3).isEmpty())
        return Cell{at, -1};
    const QVector<StudyPart::Field> columns = StudyPart::fields(tav::DrawingPart::rowFields(rows));
    for (int column = 0; column < columns.size(); ++column)
        if (JsonPath::overlaps(JsonPath::documentPath(columns[column].path), m.captured(3)))
            return Cell{at, column};
    return Cell{at, -1}; // a key the row does not take: the row
}

QString DrawingRowsTable::label(const QString &path) const {
    return label(m_rows, path);
}

QString DrawingRowsTable::label(Rows rows, const QString &path) {
    const std::optional<Cell> cell = cellOf(rows, path);
    if (!cell || cell->row < 0 || cell->column < 0)
        return QString();
    const unsigned id = rows == Rows::Conductors ? Id::kConductorCell : Id::kRodCell;
    const QVector<StudyPart::Field> columns = StudyPart::fields(tav::DrawingPart::rowFields(rows));
    return LoadLanguageString(id)
        .arg(cell->row + 1)
        .arg(LoadLanguageString(columns[cell->column].label));
}

int DrawingRowsTable::chosenRow() const {
    const QTableWidgetItem *current = m_table->currentItem();
    return current && current->isSelected() ? current->row() : m_table->rowCount() - 1;
}

void DrawingRowsTable::showCell(int row, int column, const QJsonValue &value) {
    QTableWidgetItem *item = m_table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(row, column, item);
    }
    const QString typed = item->text();
    if (JsonFieldEdits::typedValue(JsonFieldEdits::Type::Number, typed) == value ||
        (value.isNull() && typed.trimmed().isEmpty()))
        return; // "0.50" stays as typed
    const QString shown = JsonFieldEdits::shownText(
        JsonFieldEdits::Type::Number, value, JsonFieldEdits::shownFor(m_columns[column].role));
    if (typed != shown) // shown rounded, it stands for the value kept
        item->setText(shown);
}

void DrawingRowsTable::load(const QJsonObject &part) {
    m_loading = true;
    const QJsonArray rows = part.value(key()).toArray();
    m_table->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        const QJsonObject object = rows[row].toObject();
        for (int column = 0; column < m_columns.size(); ++column)
            showCell(row, column, JsonPath::valueAt(object, m_columns[column].path));
    }
    m_loading = false;
    m_remove->setEnabled(!rows.isEmpty());
}

void DrawingRowsTable::cellEdited(QTableWidgetItem *item) {
    if (m_loading)
        return;
    const QString path = cellPath(item->row(), item->column());
    Q_EMIT edited(path, JsonFieldEdits::typedValue(JsonFieldEdits::Type::Number, item->text()),
                  label(path));
}

bool DrawingRowsTable::mark(const QString &documentPath, const QString &why) {
    const std::optional<Cell> cell = cellOf(documentPath);
    if (!cell)
        return false;
    m_loading = true; // a mark is no edit
    for (int row = 0; row < m_table->rowCount(); ++row)
        for (int column = 0; column < m_columns.size(); ++column)
            if ((cell->row < 0 || cell->row == row) && (cell->column < 0 || cell->column == column))
                CellMarks::mark(m_table->item(row, column), why);
    if (cell->row >= 0 && cell->row < m_table->rowCount())
        m_table->scrollToItem(m_table->item(cell->row, 0));
    m_loading = false;
    return true;
}

bool DrawingRowsTable::mark(StudyPart::Role role, std::optional<double> value,
                            const QString &within, const QString &why) {
    const std::optional<Cell> cell = cellOf(within);
    if (!cell || cell->row < 0 || cell->row >= m_table->rowCount())
        return false;
    QVector<int> ofRole;
    QVector<int> holding;
    for (int column = 0; column < m_columns.size(); ++column) {
        if (m_columns[column].role != role)
            continue;
        ofRole.append(column);
        if (value && StudyNumber::stands(m_table->item(cell->row, column)->text(), *value,
                                         JsonFieldEdits::shownFor(m_columns[column].role)))
            holding.append(column);
    }
    m_loading = true;
    for (int column : holding.isEmpty() ? ofRole : holding)
        CellMarks::mark(m_table->item(cell->row, column), why);
    m_table->scrollToItem(m_table->item(cell->row, 0));
    m_loading = false;
    return true;
}

void DrawingRowsTable::clearMarks() {
    m_loading = true;
    CellMarks::clear(m_table);
    m_loading = false;
}

bool DrawingRowsTable::marked(int row, int column) const {
    return CellMarks::marked(m_table, row, column);
}
