#include "studies/earthing/NetworkInputs.h"

#include "studies/earthing/CellMarks.h"
#include "studies/earthing/JsonFieldEdits.h"
#include "studies/earthing/JsonPath.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

#include <optional>

namespace Id = StringId::NetworkWindow;

namespace {

const QString kNetwork = QStringLiteral("network");
const QString kLines = QStringLiteral("lines");
const QString kCables = QStringLiteral("cables");
const QString kName = QStringLiteral("name");
const QString kSpans = QStringLiteral("spans");

// A cell's text as the document takes it: the name as text; a list "3800, -900" (a current
// as [re, im], each tower's footing) as an array; an empty count of spans as null, endless;
// else a number, or the text itself for the document's reader to refuse at its path.
QJsonValue typed(const QString &column, const QString &text) {
    if (column == kName)
        return text.trimmed().isEmpty() ? QJsonValue() : QJsonValue(text.trimmed());
    if (column == kSpans && text.trimmed().isEmpty())
        return QJsonValue::Null;
    const QStringList items = text.split(QLatin1Char(','));
    if (items.size() == 1)
        return JsonFieldEdits::typedValue(JsonFieldEdits::Type::Number, text);
    QJsonArray list;
    for (const QString &item : items)
        list.append(JsonFieldEdits::typedValue(JsonFieldEdits::Type::Number, item));
    return list;
}

QString shown(const QJsonValue &value) {
    if (value.isString())
        return value.toString();
    if (!value.isArray())
        return JsonFieldEdits::shownText(JsonFieldEdits::Type::Number, value);
    QStringList items;
    for (const QJsonValue &item : value.toArray())
        items.append(JsonFieldEdits::shownText(JsonFieldEdits::Type::Number, item));
    return items.join(QStringLiteral(", "));
}

} // namespace

NetworkInputs::NetworkInputs(QWidget *parent)
    : QGroupBox(LoadLanguageString(Id::kGroup), parent), m_fields(new JsonFieldEdits(this)) {
    setObjectName(kNetwork);
    setCheckable(true);
    const QStringList lineKeys{kName,
                               QStringLiteral("current"),
                               kSpans,
                               QStringLiteral("span"),
                               QStringLiteral("tower_resistance"),
                               QStringLiteral("remote_resistance"),
                               QStringLiteral("earth_wires/0/resistance"),
                               QStringLiteral("earth_wires/0/gmr"),
                               QStringLiteral("earth_wires/0/height"),
                               QStringLiteral("earth_wires/0/offset"),
                               QStringLiteral("phase/height"),
                               QStringLiteral("phase/offset")};
    for (int k = 0; k < lineKeys.size(); ++k)
        m_lineColumns.append({lineKeys[k], Id::kLineColumns + unsigned(k)});
    const QStringList cableKeys{kName,
                                QStringLiteral("current"),
                                QStringLiteral("length"),
                                QStringLiteral("remote_resistance"),
                                QStringLiteral("sheath/resistance"),
                                QStringLiteral("sheath/mean_radius")};
    for (int k = 0; k < cableKeys.size(); ++k)
        m_cableColumns.append({cableKeys[k], Id::kCableColumns + unsigned(k)});

    m_body = new QWidget(this);
    auto *form = new QFormLayout;
    m_fields->add(form, QStringLiteral("network/frequency"), Id::kFrequency);
    m_fields->add(form, QStringLiteral("network/earth_return_rho"), Id::kEarthReturnRho);
    m_fields->field(QStringLiteral("network/earth_return_rho"))
        ->setPlaceholderText(LoadLanguageString(Id::kRhoPlaceholder));
    m_fields->add(form, QStringLiteral("network/local_current"), Id::kLocalCurrent,
                  JsonFieldEdits::Type::Number, StudyNumber::Shown::Amperes);
    m_fields->add(form, QStringLiteral("network/decrement"), Id::kDecrement);
    m_fields->field(QStringLiteral("network/decrement"))->setPlaceholderText(QStringLiteral("1"));
    auto *body = new QVBoxLayout(m_body);
    body->setContentsMargins(0, 0, 0, 0);
    body->addLayout(form);
    body->addWidget(makeTable(kLines, Id::kLines, Id::kAddLine, Id::kRemoveLine));
    body->addWidget(makeTable(kCables, Id::kCables, Id::kAddCable, Id::kRemoveCable));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_body);
    connect(this, &QGroupBox::clicked, this, &NetworkInputs::networkChosen);
    connect(m_fields, &JsonFieldEdits::edited, this,
            [this](const QString &path, const QJsonValue &value) {
                Q_EMIT edited(path, value, m_fields->label(path));
            });
}

QWidget *NetworkInputs::makeTable(const QString &list, unsigned heading, unsigned add,
                                  unsigned remove) {
    auto *box = new QWidget(m_body);
    const QVector<Column> &cols = columns(list);
    auto *t = new QTableWidget(0, int(cols.size()), box);
    t->setObjectName(kNetwork + QLatin1Char('_') + list);
    QStringList labels;
    for (const Column &c : cols)
        labels.append(LoadLanguageString(c.label));
    t->setHorizontalHeaderLabels(labels);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setMinimumHeight(t->horizontalHeader()->sizeHint().height() +
                        3 * t->verticalHeader()->defaultSectionSize() + 2 * t->frameWidth());
    (list == kLines ? m_lines : m_cables) = t;
    auto *adding = new QPushButton(LoadLanguageString(add), box);
    adding->setObjectName(t->objectName() + QStringLiteral("Add"));
    auto *removing = new QPushButton(LoadLanguageString(remove), box);
    removing->setObjectName(t->objectName() + QStringLiteral("Remove"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(adding);
    buttons->addWidget(removing);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(LoadLanguageString(heading), box));
    layout->addWidget(t, 1);
    layout->addLayout(buttons);
    connect(t, &QTableWidget::itemChanged, this,
            [this, list](QTableWidgetItem *item) { cellEdited(list, item); });
    connect(adding, &QPushButton::clicked, this, [this, list] { Q_EMIT rowAdded(list); });
    connect(removing, &QPushButton::clicked, this, [this, list, t] {
        const QTableWidgetItem *current = t->currentItem();
        const int row = current && current->isSelected() ? current->row() : t->rowCount() - 1;
        if (row >= 0)
            Q_EMIT rowRemoved(list, row);
    });
    return box;
}

QTableWidget *NetworkInputs::table(const QString &list) const {
    return list == kLines ? m_lines : m_cables;
}

const QVector<NetworkInputs::Column> &NetworkInputs::columns(const QString &list) const {
    return list == kLines ? m_lineColumns : m_cableColumns;
}

void NetworkInputs::load(const QJsonObject &document) {
    const bool present = document.value(kNetwork).isObject();
    const QJsonObject network = document.value(kNetwork).toObject();
    m_loading = true;
    setChecked(present);
    m_body->setVisible(present);
    m_fields->load(document);
    loadTable(kLines, network.value(kLines).toArray());
    loadTable(kCables, network.value(kCables).toArray());
    m_loading = false;
}

void NetworkInputs::loadTable(const QString &list, const QJsonArray &rows) {
    QTableWidget *t = table(list);
    const QVector<Column> &cols = columns(list);
    t->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        const QJsonObject object = rows[row].toObject();
        // Earth wires or a sheath given by their impedances per km have no place or radius to
        // type: they are kept as the file gives them.
        const bool perKm =
            JsonPath::valueAt(object, QStringLiteral("earth_wires/0/impedance")).isArray() ||
            JsonPath::valueAt(object, QStringLiteral("sheath/impedance")).isArray();
        for (int column = 0; column < cols.size(); ++column) {
            const QJsonValue value = JsonPath::valueAt(object, cols[column].path);
            QTableWidgetItem *item = t->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                if (column > 0)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                t->setItem(row, column, item);
            }
            const bool given = perKm && (cols[column].path.startsWith(QStringLiteral("earth_")) ||
                                         cols[column].path.startsWith(QStringLiteral("phase/")) ||
                                         cols[column].path.startsWith(QStringLiteral("sheath/")));
            item->setFlags(given ? item->flags() & ~Qt::ItemIsEditable
                                 : item->flags() | Qt::ItemIsEditable);
            if (given)
                item->setText(LoadLanguageString(Id::kGivenPerKm));
            // A cell whose text stands for its value keeps it as typed ("0.50").
            else if (typed(cols[column].path, item->text()) != value)
                item->setText(shown(value));
        }
    }
}

void NetworkInputs::cellEdited(const QString &list, QTableWidgetItem *item) {
    if (m_loading)
        return;
    const QString column = columns(list)[item->column()].path;
    const QString path = kNetwork + QLatin1Char('/') + list + QLatin1Char('/') +
                         QString::number(item->row()) + QLatin1Char('/') + column;
    Q_EMIT edited(path, typed(column, item->text()), label(path));
}

namespace {

struct Cell {
    QString list;
    int row = -1;
    QString rest; // within the row, as the document writes it: "earth_wires[0].gmr"
};

// "network.lines[2].span" or "network/lines/2/span": the list, the row and the rest.
std::optional<Cell> cellAt(const QString &path) {
    const QString document = path.contains(QLatin1Char('/')) ? JsonPath::documentPath(path) : path;
    static const QRegularExpression form(
        QStringLiteral(R"(^network\.(lines|cables)(?:\[(\d+)\](?:\.(.+))?)?$)"));
    const QRegularExpressionMatch m = form.match(document);
    if (!m.hasMatch())
        return std::nullopt;
    return Cell{m.captured(1), m.captured(2).isEmpty() ? -1 : m.captured(2).toInt(), m.captured(3)};
}

} // namespace

QString NetworkInputs::label(const QString &path) const {
    const QString document = path.contains(QLatin1Char('/')) ? JsonPath::documentPath(path) : path;
    for (const QString &field : m_fields->paths())
        if (JsonPath::documentPath(field) == document)
            return m_fields->label(field);
    const std::optional<Cell> cell = cellAt(path);
    if (!cell || cell->row < 0 || cell->rest.isEmpty())
        return QString();
    for (const Column &c : columns(cell->list))
        if (JsonPath::overlaps(JsonPath::documentPath(c.path), cell->rest))
            return LoadLanguageString(cell->list == kLines ? Id::kLineCell : Id::kCableCell)
                .arg(cell->row + 1)
                .arg(LoadLanguageString(c.label));
    return QString();
}

bool NetworkInputs::mark(const QString &documentPath, const QString &why) {
    if (m_fields->mark(documentPath, why))
        return true;
    const std::optional<Cell> cell = cellAt(documentPath);
    if (!cell)
        return false;
    QTableWidget *t = table(cell->list);
    const QVector<Column> &cols = columns(cell->list);
    int only = -1;
    for (int column = 0; column < cols.size() && !cell->rest.isEmpty(); ++column)
        if (JsonPath::overlaps(JsonPath::documentPath(cols[column].path), cell->rest))
            only = column;
    m_loading = true; // a mark is no edit
    for (int row = 0; row < t->rowCount(); ++row)
        for (int column = 0; column < cols.size(); ++column)
            if ((cell->row < 0 || cell->row == row) && (only < 0 || only == column))
                CellMarks::mark(t->item(row, column), why);
    m_loading = false;
    if (cell->row >= 0 && cell->row < t->rowCount())
        t->scrollToItem(t->item(cell->row, 0));
    return true;
}

void NetworkInputs::clearMarks() {
    m_fields->clearMarks();
    m_loading = true;
    CellMarks::clear(m_lines);
    CellMarks::clear(m_cables);
    m_loading = false;
}
