#include "studies/soil/ReadingsTable.h"

#include "studies/common/StudyNumber.h"
#include "studies/soil/ReadingCellDelegate.h"
#include "studies/soil/ReadingsCommand.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QUndoStack>

#include <algorithm>
#include <utility>

namespace {

constexpr int kSpacing = 0;
constexpr int kMn = 1; // under a Schlumberger array only
// The exact value behind a cell's shown text, while the text is the one shown for it.
constexpr int kExactRole = Qt::UserRole + 1;

// How a pasted block separates its columns: one way for the whole block, as the program
// that wrote it did.
enum class Separator { Tab, Semicolon, Comma, Blanks };

QStringList split(const QString &line, Separator separator) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    switch (separator) {
    case Separator::Tab:
        return line.split(QLatin1Char('\t'));
    case Separator::Semicolon:
        return line.split(QLatin1Char(';'));
    case Separator::Comma:
        return line.split(QLatin1Char(','));
    case Separator::Blanks:
        break;
    }
    return line.trimmed().split(blanks);
}

// "120,3" as the number it is where commas do not part the columns; any other text as it is,
// to be read or named as unreadable like a typed one.
QString withDecimalPoint(const QString &cell, Separator separator) {
    static const QRegularExpression decimalComma(
        QStringLiteral("^[+-]?[0-9]*,[0-9]+([eE][+-]?[0-9]+)?$"));
    const QString trimmed = cell.trimmed();
    if (separator == Separator::Comma || !decimalComma.match(trimmed).hasMatch())
        return trimmed;
    return QString(trimmed).replace(QLatin1Char(','), QLatin1Char('.'));
}

// Numbers with decimal commas parted by blanks: "1,5 120,3".
bool blankSeparatedDecimalCommas(const QString &line) {
    const QStringList cells = split(line, Separator::Blanks);
    return line.contains(QLatin1Char(',')) && cells.size() > 1 &&
           std::all_of(cells.begin(), cells.end(), [](const QString &cell) {
               return StudyNumber::read(withDecimalPoint(cell, Separator::Blanks)).has_value();
           });
}

// A spreadsheet in a locale with decimal commas writes tabs or semicolons between columns,
// never commas: commas part the columns only when no tab or semicolon does and the lines
// are not numbers with decimal commas parted by blanks.
Separator separatorOf(const QStringList &lines) {
    const auto anyLine = [&lines](auto holds) {
        return std::any_of(lines.begin(), lines.end(), holds);
    };
    if (anyLine([](const QString &line) { return line.contains(QLatin1Char('\t')); }))
        return Separator::Tab;
    if (anyLine([](const QString &line) { return line.contains(QLatin1Char(';')); }))
        return Separator::Semicolon;
    if (anyLine(blankSeparatedDecimalCommas))
        return Separator::Blanks;
    if (anyLine([](const QString &line) { return line.contains(QLatin1Char(',')); }))
        return Separator::Comma;
    return Separator::Blanks;
}

QStringList cellsOf(const QString &line, Separator separator) {
    QStringList cells = split(line, separator);
    for (QString &cell : cells)
        cell = withDecimalPoint(cell, separator);
    return cells;
}

// The lines of a pasted text that hold anything.
QStringList pastedLines(const QString &text) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    lines.removeIf([](const QString &line) { return line.trimmed().isEmpty(); });
    return lines;
}

// A spreadsheet's header: a line of which no cell is a number.
bool isHeader(const QStringList &cells) {
    return std::none_of(cells.begin(), cells.end(),
                        [](const QString &cell) { return StudyNumber::read(cell).has_value(); });
}

} // namespace

namespace Id = StringId::StudyWindows;

ReadingsTable::ReadingsTable(QWidget *parent)
    : QTableWidget(0, 2, parent), m_undo(new QUndoStack(this)) {
    setHeaders();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    // Typing over a cell edits it; moving onto one does not open an editor, so that Delete,
    // Ctrl+V and Escape reach the table.
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setItemDelegate(new ReadingCellDelegate(
        [this](const QString &text, QWidget *editor) { return pasteWhileTyping(text, editor); },
        this));
    connect(this, &QTableWidget::itemChanged, this, &ReadingsTable::changed);
    setRowCountKeepingEmptyLast();
    m_shown = sheet();
}

void ReadingsTable::setHeaders() {
    QStringList headers;
    if (m_array == tav::SoundingArray::Schlumberger)
        headers << LoadLanguageString(StringId::LayersReport::kAb)
                << LoadLanguageString(StringId::LayersReport::kMn);
    else
        headers << LoadLanguageString(StringId::SoilModel::kSpacingColumn);
    headers << LoadLanguageString(StringId::SoilModel::kResistivityColumn);
    setHorizontalHeaderLabels(headers);
}

void ReadingsTable::setArray(tav::SoundingArray array) {
    if (array == m_array)
        return;
    const bool wasChanging = m_changing;
    m_changing = true;
    m_array = array;
    if (array == tav::SoundingArray::Schlumberger)
        insertColumn(kMn);
    else
        removeColumn(kMn);
    setHeaders();
    setRowCountKeepingEmptyLast();
    m_changing = wasChanging;
    Q_EMIT arrayChanged(array);
    if (!wasChanging) {
        commit(LoadLanguageString(Id::kArrayChosen));
        Q_EMIT edited();
    }
}

bool ReadingsTable::rowEmpty(int row) const {
    for (int column = 0; column < columnCount(); ++column)
        if (!cellText(row, column).trimmed().isEmpty())
            return false;
    return true;
}

void ReadingsTable::initRow(int row) {
    for (int column = 0; column < columnCount(); ++column)
        if (item(row, column) == nullptr) {
            auto *cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (column == kSpacing) {
                cell->setFlags(cell->flags() | Qt::ItemIsUserCheckable);
                cell->setCheckState(Qt::Checked);
            }
            setItem(row, column, cell);
        }
}

void ReadingsTable::setRowCountKeepingEmptyLast() {
    const bool wasChanging = m_changing;
    m_changing = true;
    int lastFilled = rowCount() - 1;
    while (lastFilled >= 0 && rowEmpty(lastFilled))
        --lastFilled;
    setRowCount(lastFilled + 2); // and one empty row after the last filled one
    for (int row = 0; row < rowCount(); ++row)
        initRow(row);
    m_changing = wasChanging;
}

void ReadingsTable::setCell(int row, int column, const QString &text, const QVariant &exact) {
    initRow(row);
    QTableWidgetItem *cell = item(row, column);
    cell->setText(text);
    cell->setData(kExactRole, exact);
}

QString ReadingsTable::cellText(int row, int column) const {
    const QTableWidgetItem *cell = item(row, column);
    return cell != nullptr ? cell->text() : QString();
}

std::optional<double> ReadingsTable::cellValue(int row, int column) const {
    const QTableWidgetItem *cell = item(row, column);
    if (cell == nullptr)
        return std::nullopt;
    const QVariant exact = cell->data(kExactRole);
    if (exact.isValid() && cell->text() == StudyNumber::shown(exact.toDouble()))
        return exact.toDouble();
    return StudyNumber::read(cell->text());
}

void ReadingsTable::setReadings(const std::vector<tav::WennerReading> &readings,
                                const QString &name) {
    setSoundingReadings(tav::SoundingArray::Wenner, tav::SoundingReadings::fromWenner(readings), {},
                        name);
}

void ReadingsTable::setSoundingReadings(tav::SoundingArray array,
                                        const std::vector<tav::SoundingReading> &readings,
                                        const std::vector<bool> &used, const QString &name) {
    m_changing = true;
    setArray(array);
    setRowCount(0);
    setRowCount(int(readings.size()));
    const auto put = [this](int row, int column, double value) {
        setCell(row, column, StudyNumber::shown(value), value);
    };
    for (int row = 0; row < int(readings.size()); ++row) {
        const tav::SoundingReading &r = readings[row];
        put(row, kSpacing, r.spacing);
        if (m_array == tav::SoundingArray::Schlumberger && r.halfPotentialSpacing > 0)
            put(row, kMn, r.halfPotentialSpacing); // left blank when not known
        put(row, resistivityColumn(), r.resistivity);
        const bool ticked = std::size_t(row) >= used.size() || used[row];
        item(row, kSpacing)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    setRowCountKeepingEmptyLast();
    m_changing = false;
    if (name.isEmpty())
        m_shown = sheet();
    else
        commit(name);
    Q_EMIT edited();
}

void ReadingsTable::clearReadings() {
    setSoundingReadings(m_array, {}, {}, LoadLanguageString(Id::kReadingsCleared));
}

ReadingsSheet ReadingsTable::sheet() const {
    ReadingsSheet sheet;
    sheet.array = m_array;
    for (int row = 0; row < rowCount(); ++row) {
        ReadingsSheet::Row r;
        for (int column = 0; column < columnCount(); ++column) {
            const QTableWidgetItem *cell = item(row, column);
            r.cells.append(cell ? ReadingsSheet::Cell{cell->text(), cell->data(kExactRole)}
                                : ReadingsSheet::Cell{});
        }
        const QTableWidgetItem *box = item(row, kSpacing);
        r.used = box == nullptr || box->checkState() == Qt::Checked;
        sheet.rows.append(r);
    }
    return sheet;
}

void ReadingsTable::setSheet(const ReadingsSheet &sheet) {
    m_changing = true;
    setArray(sheet.array);
    setRowCount(0);
    setRowCount(int(sheet.rows.size()));
    for (int row = 0; row < sheet.rows.size(); ++row) {
        const ReadingsSheet::Row &r = sheet.rows[row];
        initRow(row);
        for (int column = 0; column < r.cells.size() && column < columnCount(); ++column)
            setCell(row, column, r.cells[column].text, r.cells[column].exact);
        item(row, kSpacing)->setCheckState(r.used ? Qt::Checked : Qt::Unchecked);
    }
    setRowCountKeepingEmptyLast();
    m_changing = false;
    m_shown = this->sheet();
    Q_EMIT edited();
}

void ReadingsTable::commit(const QString &name) {
    ReadingsSheet now = sheet();
    if (now == m_shown)
        return;
    ReadingsSheet before = std::exchange(m_shown, now);
    m_undo->push(new ReadingsCommand(this, name, std::move(before), std::move(now)));
}

std::vector<ReadingsTable::Row> ReadingsTable::readingRows() const {
    std::vector<Row> rows;
    for (int row = 0; row < rowCount(); ++row) {
        Row r;
        r.number = row + 1;
        r.spacingText = cellText(row, kSpacing);
        r.resistivityText = cellText(row, resistivityColumn());
        r.spacing = cellValue(row, kSpacing);
        r.resistivity = cellValue(row, resistivityColumn());
        if (m_array == tav::SoundingArray::Schlumberger) {
            r.mnText = cellText(row, kMn);
            r.mn = cellValue(row, kMn);
        }
        const QTableWidgetItem *box = item(row, kSpacing);
        r.used = box == nullptr || box->checkState() == Qt::Checked;
        if (!r.blank())
            rows.push_back(r);
    }
    return rows;
}

void ReadingsTable::pasteText(const QString &text, int row, int column) {
    QStringList lines = pastedLines(text);
    const Separator separator = separatorOf(lines);
    // Only a header of words goes; any other line becomes a row, and one that cannot be read
    // is named by the fit's notes like a row typed so.
    if (lines.size() > 1 && isHeader(cellsOf(lines.first(), separator)))
        lines.removeFirst();
    m_changing = true;
    for (const QString &line : lines) {
        if (row >= rowCount())
            setRowCount(row + 1);
        const QStringList cells = cellsOf(line, separator);
        for (int c = 0; c < cells.size() && column + c <= resistivityColumn(); ++c)
            setCell(row, column + c, cells[c]);
        ++row;
    }
    setRowCountKeepingEmptyLast();
    m_changing = false;
    commit(LoadLanguageString(Id::kReadingsPasted));
    Q_EMIT edited();
}

// What the cell being typed held is dropped: the block is pasted from that cell on, as it
// would be onto the cell not being typed.
bool ReadingsTable::pasteWhileTyping(const QString &text, QWidget *editor) {
    const QStringList lines = pastedLines(text);
    if (lines.size() < 2 &&
        (lines.isEmpty() || cellsOf(lines.first(), separatorOf(lines)).size() < 2))
        return false;
    const int row = std::max(0, currentRow());
    const int column = std::max(0, currentColumn());
    closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    pasteText(text, row, column);
    return true;
}

void ReadingsTable::clearSelectedCells() {
    m_changing = true;
    for (QTableWidgetItem *cell : selectedItems())
        setCell(cell->row(), cell->column(), QString());
    setRowCountKeepingEmptyLast();
    m_changing = false;
    commit(LoadLanguageString(Id::kReadingsDeleted));
    Q_EMIT edited();
}

void ReadingsTable::keyPressEvent(QKeyEvent *event) {
    if (event->matches(QKeySequence::Paste)) {
        const int column = std::max(0, currentColumn());
        pasteText(QApplication::clipboard()->text(), std::max(0, currentRow()), column);
        return;
    }
    if (state() != EditingState &&
        (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)) {
        clearSelectedCells();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

// A cell typed or a box ticked, named by its row.
void ReadingsTable::changed(const QTableWidgetItem *item) {
    if (m_changing)
        return;
    const int row = item->row();
    const bool ticked = item->column() == kSpacing && item->checkState() == Qt::Checked;
    const bool box =
        item->column() == kSpacing && row < m_shown.rows.size() && m_shown.rows[row].used != ticked;
    setRowCountKeepingEmptyLast();
    const unsigned name = !box     ? Id::kReadingTyped
                          : ticked ? Id::kReadingTaken
                                   : Id::kReadingLeftOut;
    commit(LoadLanguageString(name).arg(row + 1));
    Q_EMIT edited();
}
