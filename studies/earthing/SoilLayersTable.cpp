#include "studies/earthing/SoilLayersTable.h"

#include "studies/earthing/CellMarks.h"
#include "studies/earthing/JsonFieldEdits.h"
#include "studies/earthing/StudySoil.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonArray>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

#include <optional>
#include <utility>

namespace Id = StringId::SoilLayers;

namespace {

const char *const kKeys[] = {"rho", "thickness"};

QString cellPath(int row, int column) {
    return QStringLiteral("soil/layers/%1/%2").arg(row).arg(QLatin1String(kKeys[column]));
}

// "soil.layers[1].rho" or "soil/layers/1/rho": the row and column; none for another path.
std::optional<std::pair<int, int>> cellOf(const QString &path) {
    static const QRegularExpression cell(
        QStringLiteral(R"(^soil(?:\.layers\[|/layers/)(\d+)(?:\]\.|/)(rho|thickness)$)"));
    const QRegularExpressionMatch m = cell.match(path);
    if (!m.hasMatch())
        return std::nullopt;
    return std::make_pair(m.captured(1).toInt(), m.captured(2) == QLatin1String("rho") ? 0 : 1);
}

} // namespace

SoilLayersTable::SoilLayersTable(QWidget *parent) : QWidget(parent) {
    m_table = new QTableWidget(0, 2, this);
    m_table->setObjectName(QStringLiteral("soilLayers"));
    m_table->setHorizontalHeaderLabels(
        {LoadLanguageString(Id::kRhoColumn), LoadLanguageString(Id::kThicknessColumn)});
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Room for the most layers, so that the table never scrolls.
    m_table->setFixedHeight(m_table->horizontalHeader()->sizeHint().height() +
                            StudySoil::kMostLayers *
                                m_table->verticalHeader()->defaultSectionSize() +
                            2 * m_table->frameWidth());
    m_add = new QPushButton(LoadLanguageString(Id::kAdd), this);
    m_add->setObjectName(QStringLiteral("addLayer"));
    m_remove = new QPushButton(LoadLanguageString(Id::kRemove), this);
    m_remove->setObjectName(QStringLiteral("removeLayer"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    connect(m_table, &QTableWidget::itemChanged, this, &SoilLayersTable::cellEdited);
    connect(m_add, &QPushButton::clicked, this, &SoilLayersTable::layerAdded);
    connect(m_remove, &QPushButton::clicked, this, &SoilLayersTable::removeLayer);
}

QString SoilLayersTable::label(const QString &path) {
    const auto cell = cellOf(path);
    if (!cell)
        return QString();
    return LoadLanguageString(cell->second == 0 ? Id::kCellRho : Id::kCellThickness)
        .arg(cell->first + 1);
}

void SoilLayersTable::showCell(int row, int column, const QJsonValue &value) {
    QTableWidgetItem *item = m_table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(row, column, item);
    }
    const bool bottomless = column == 1 && row + 1 == m_table->rowCount();
    item->setFlags(bottomless ? Qt::ItemIsEnabled
                              : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    if (bottomless) {
        item->setText(LoadLanguageString(Id::kBottomless));
        return;
    }
    const QString typed = item->text();
    if (JsonFieldEdits::typedValue(JsonFieldEdits::Type::Number, typed) == value ||
        (value.isNull() && typed.trimmed().isEmpty()))
        return; // "1.50" stays as typed
    // A thickness to the millimetre.
    const QString shown = JsonFieldEdits::shownText(JsonFieldEdits::Type::Number, value,
                                                    column == 1 ? StudyNumber::Shown::Metres
                                                                : StudyNumber::Shown::Figure);
    if (typed != shown)
        item->setText(shown);
}

void SoilLayersTable::load(const QJsonObject &soil) {
    m_loading = true;
    const QJsonArray layers = soil.value(QStringLiteral("layers")).toArray();
    m_table->setRowCount(int(layers.size()));
    for (int row = 0; row < layers.size(); ++row) {
        const QJsonObject layer = layers[row].toObject();
        for (int column = 0; column < 2; ++column)
            showCell(row, column, layer.value(QLatin1String(kKeys[column])));
    }
    m_loading = false;
    m_add->setEnabled(layers.size() < StudySoil::kMostLayers);
    m_remove->setEnabled(layers.size() > StudySoil::kLeastLayers);
}

void SoilLayersTable::cellEdited(QTableWidgetItem *item) {
    if (m_loading || !(item->flags() & Qt::ItemIsEditable))
        return;
    const QString path = cellPath(item->row(), item->column());
    Q_EMIT edited(path, JsonFieldEdits::typedValue(JsonFieldEdits::Type::Number, item->text()),
                  label(path));
}

void SoilLayersTable::removeLayer() {
    const QTableWidgetItem *current = m_table->currentItem();
    Q_EMIT layerRemoved(current && current->isSelected() ? current->row()
                                                         : m_table->rowCount() - 1);
}

bool SoilLayersTable::mark(const QString &documentPath, const QString &why) {
    const auto cell = cellOf(documentPath);
    const bool all = documentPath == QLatin1String("soil.layers");
    bool found = false;
    m_loading = true; // a mark is no edit
    for (int row = 0; row < m_table->rowCount(); ++row)
        for (int column = 0; column < 2; ++column) {
            QTableWidgetItem *item = m_table->item(row, column);
            if (!item || !(all || (cell && cell->first == row && cell->second == column)))
                continue;
            CellMarks::mark(item, why);
            found = true;
        }
    m_loading = false;
    return found;
}

void SoilLayersTable::clearMarks() {
    m_loading = true;
    CellMarks::clear(m_table);
    m_loading = false;
}

bool SoilLayersTable::marked(int layer, int column) const {
    return CellMarks::marked(m_table, layer, column);
}
