#include "studies/earthing/PartEditor.h"

#include "studies/common/StudyNumber.h"
#include "studies/earthing/DrawingRowsTable.h"
#include "studies/earthing/JsonFieldEdits.h"
#include "studies/earthing/JsonPath.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace StringId::EarthingStudy;
using Kind = StudyPart::Kind;

PartEditor::PartEditor(QWidget *parent) : QWidget(parent) {
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("partHeading"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("partMessage"));
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setStyleSheet(QStringLiteral("QLabel { color: #c01c1c; }"));
    m_message->hide();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_heading);
    layout->addWidget(m_message);
}

void PartEditor::showPart(const StudyPart *part) {
    if (!part || !m_kind || *m_kind != part->kind)
        build(part ? std::optional<Kind>(part->kind) : std::nullopt);
    setMessage(QString());
    if (!part)
        return;
    if (m_connection)
        m_connection->setCurrentIndex(part->floating() ? 1 : 0);
    m_fields->load(part->json);
    for (DrawingRowsTable *table : std::as_const(m_rowTables))
        table->load(part->json);
    if (m_rods) {
        const EarthingProject::GridRods rods = EarthingProject::gridRods(*part);
        m_rods->setCurrentIndex(int(rods));
        showRods(rods);
    }
}

void PartEditor::build(std::optional<Kind> kind) {
    delete m_body;
    m_body = nullptr;
    m_fields = nullptr;
    m_connection = nullptr;
    m_rods = nullptr;
    m_rowTables.clear();
    m_kind = kind;
    m_fieldList.clear();
    m_heading->setText(kind ? LoadLanguageString(StudyPart::nameId(*kind)) : QString());
    if (!kind)
        return;
    m_fieldList = StudyPart::fields(*kind);
    m_body = new QWidget(this);
    auto *form = new QFormLayout(m_body);
    form->setContentsMargins(0, 0, 0, 0);
    m_fields = new JsonFieldEdits(m_body);
    // A touch area or point is of metal some other part is: the group of that part, which
    // a group of its own would not be.
    if (*kind == Kind::TouchArea || *kind == Kind::TouchPoint) {
        m_fields->add(form, QStringLiteral("group"), kTouchGroup, StudyPart::Type::Integer)
            ->setPlaceholderText(QStringLiteral("0"));
    } else {
        m_connection = new QComboBox(m_body);
        m_connection->setObjectName(QStringLiteral("connection"));
        m_connection->addItems({LoadLanguageString(kEnergised), LoadLanguageString(kFloating)});
        form->addRow(LoadLanguageString(kConnection), m_connection);
        connect(m_connection, &QComboBox::activated, this,
                [this](int index) { Q_EMIT floatingChosen(index == 1); });
    }
    for (const StudyPart::Field &f : std::as_const(m_fieldList)) {
        if (f.path == QLatin1String("rods/count")) {
            m_rods = new QComboBox(m_body);
            m_rods->setObjectName(QStringLiteral("gridRods"));
            m_rods->addItems({LoadLanguageString(kNoRods), LoadLanguageString(kRodsOnEdge),
                              LoadLanguageString(kRodsAtCorners)});
            form->addRow(LoadLanguageString(kGridRods), m_rods);
            connect(m_rods, &QComboBox::activated, this,
                    [this](int index) { Q_EMIT rodsChosen(EarthingProject::GridRods(index)); });
        }
        QLineEdit *edit =
            m_fields->add(form, f.path, f.label, f.type, JsonFieldEdits::shownFor(f.role));
        if (f.path == QLatin1String("rods/count"))
            edit->setToolTip(LoadLanguageString(kRodsEdgeTip));
    }
    connect(m_fields, &JsonFieldEdits::edited, this,
            [this](const QString &path, const QJsonValue &value) {
                Q_EMIT edited(path, value, m_fields->label(path));
            });
    if (*kind == Kind::Drawing)
        addRowTables(form);
    qobject_cast<QVBoxLayout *>(layout())->insertWidget(1, m_body);
}

void PartEditor::addRowTables(QFormLayout *form) {
    for (DrawingRowsTable::Rows rows :
         {DrawingRowsTable::Rows::Conductors, DrawingRowsTable::Rows::Rods}) {
        auto *table = new DrawingRowsTable(rows, m_body);
        form->addRow(table);
        connect(table, &DrawingRowsTable::edited, this, &PartEditor::edited);
        connect(table, &DrawingRowsTable::rowAdded, this, &PartEditor::rowAdded);
        connect(table, &DrawingRowsTable::rowRemoved, this, &PartEditor::rowRemoved);
        m_rowTables.append(table);
    }
}

// The count is for rods along the edge; at the corners it is the corners'.
void PartEditor::showRods(EarthingProject::GridRods rods) {
    using Rods = EarthingProject::GridRods;
    QLineEdit *count = m_fields->field(QStringLiteral("rods/count"));
    count->setEnabled(rods == Rods::Edge);
    if (rods == Rods::Corners)
        count->setText(QString::number(*m_kind == Kind::LGrid ? 6 : 4));
    m_fields->field(QStringLiteral("rods/length"))->setEnabled(rods != Rods::None);
    m_fields->field(QStringLiteral("rods/diameter"))->setEnabled(rods != Rods::None);
}

void PartEditor::clearMarks() {
    if (m_fields)
        m_fields->clearMarks();
    for (DrawingRowsTable *table : std::as_const(m_rowTables))
        table->clearMarks();
    setMessage(QString());
}

bool PartEditor::mark(const QString &path, const QString &why) {
    for (DrawingRowsTable *table : std::as_const(m_rowTables))
        if (table->mark(path, why))
            return true;
    return m_fields && m_fields->mark(path, why);
}

void PartEditor::mark(StudyPart::Role role, std::optional<double> value, const QString &within,
                      const QString &why) {
    if (!m_fields)
        return;
    for (DrawingRowsTable *table : std::as_const(m_rowTables))
        if (table->mark(role, value, within, why))
            return;
    // The fields of the rods, rod or posts shape only their conductors; the part's own
    // fields (a grid's depth) the rest.
    const auto shapes = [&within](const QString &path) {
        if (!within.isEmpty())
            return path.startsWith(within + QLatin1Char('/'));
        for (const char *object : {"rods/", "rod/", "posts/"})
            if (path.startsWith(QLatin1String(object)))
                return false;
        return true;
    };
    QStringList ofRole;
    QStringList holding;
    for (const StudyPart::Field &f : std::as_const(m_fieldList)) {
        const QLineEdit *edit = m_fields->field(f.path);
        if (f.role != role || !edit->isEnabled() || !shapes(f.path))
            continue;
        ofRole.append(f.path);
        if (value && StudyNumber::stands(edit->text(), *value, JsonFieldEdits::shownFor(f.role)))
            holding.append(f.path);
    }
    for (const QString &path : holding.isEmpty() ? ofRole : holding)
        m_fields->mark(JsonPath::documentPath(path), why);
}

void PartEditor::setMessage(const QString &text) {
    m_message->setText(text);
    m_message->setVisible(!text.isEmpty());
}

QString PartEditor::label(const QString &path) const {
    if (!m_fields)
        return QString();
    for (const DrawingRowsTable *table : std::as_const(m_rowTables))
        if (const QString cell = table->label(path); !cell.isEmpty())
            return cell;
    for (const StudyPart::Field &f : std::as_const(m_fieldList))
        if (JsonPath::overlaps(JsonPath::documentPath(f.path), path))
            return m_fields->label(f.path);
    return QString();
}
