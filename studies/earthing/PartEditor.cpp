#include "studies/earthing/PartEditor.h"

#include "studies/earthing/JsonFieldEdits.h"
#include "studies/common/StudyNumber.h"
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

bool PartEditor::hasGridRods() const {
    return m_kind && (*m_kind == Kind::Grid || *m_kind == Kind::LGrid);
}

void PartEditor::showPart(const StudyPart *part) {
    delete m_body;
    m_body = nullptr;
    m_fields = nullptr;
    m_connection = nullptr;
    m_rods = nullptr;
    m_kind.reset();
    m_fieldList.clear();
    setMessage(QString());
    m_heading->setText(part ? LoadLanguageString(StudyPart::nameId(part->kind)) : QString());
    if (!part)
        return;
    m_kind = part->kind;
    m_fieldList = StudyPart::fields(part->kind);
    m_body = new QWidget(this);
    auto *form = new QFormLayout(m_body);
    form->setContentsMargins(0, 0, 0, 0);
    m_connection = new QComboBox(m_body);
    m_connection->setObjectName(QStringLiteral("connection"));
    m_connection->addItems({LoadLanguageString(kEnergised), LoadLanguageString(kFloating)});
    m_connection->setCurrentIndex(part->floating() ? 1 : 0);
    form->addRow(LoadLanguageString(kConnection), m_connection);
    connect(m_connection, &QComboBox::activated, this,
            [this](int index) { Q_EMIT floatingChosen(index == 1); });
    m_fields = new JsonFieldEdits(m_body);
    for (const StudyPart::Field &f : std::as_const(m_fieldList)) {
        if (f.path == QLatin1String("rods/count")) {
            m_rods = new QComboBox(m_body);
            m_rods->setObjectName(QStringLiteral("gridRods"));
            m_rods->addItems({LoadLanguageString(kNoRods), LoadLanguageString(kRodsOnEdge),
                              LoadLanguageString(kRodsAtCorners)});
            form->addRow(LoadLanguageString(kGridRods), m_rods);
        }
        m_fields->add(form, f.path, f.label, f.type);
    }
    m_fields->load(part->json);
    connect(m_fields, &JsonFieldEdits::edited, this, &PartEditor::edited);
    if (m_rods) {
        const QJsonObject rods = part->json.value(QStringLiteral("rods")).toObject();
        const Rods mode = !part->json.contains(QStringLiteral("rods"))          ? Rods::None
                          : rods.value(QStringLiteral("corners")).toBool(false) ? Rods::Corners
                                                                                : Rods::Edge;
        m_rods->setCurrentIndex(int(mode));
        chooseRods(int(mode));
        connect(m_rods, &QComboBox::activated, this, [this](int index) {
            // Rods just asked for start as the common ones rather than as blanks.
            const std::pair<const char *, const char *> typical[] = {
                {"rods/count", "8"}, {"rods/length", "3"}, {"rods/diameter", "0.016"}};
            for (const auto &[path, text] : typical)
                if (QLineEdit *edit = m_fields->field(QLatin1String(path)); edit->text().isEmpty())
                    edit->setText(QLatin1String(text));
            chooseRods(index);
            Q_EMIT edited();
        });
    }
    qobject_cast<QVBoxLayout *>(layout())->insertWidget(1, m_body);
}

void PartEditor::chooseRods(int index) {
    const Rods mode = Rods(index);
    m_fields->field(QStringLiteral("rods/count"))->setEnabled(mode == Rods::Edge);
    m_fields->field(QStringLiteral("rods/length"))->setEnabled(mode != Rods::None);
    m_fields->field(QStringLiteral("rods/diameter"))->setEnabled(mode != Rods::None);
}

void PartEditor::write(StudyPart &part) const {
    if (!m_fields)
        return;
    m_fields->write(part.json);
    if (!m_rods)
        return;
    const Rods mode = Rods(m_rods->currentIndex());
    if (mode == Rods::None) {
        part.json.remove(QStringLiteral("rods"));
        return;
    }
    QJsonObject rods = part.json.value(QStringLiteral("rods")).toObject();
    if (mode == Rods::Corners) {
        rods[QStringLiteral("corners")] = true;
        rods.remove(QStringLiteral("count"));
    } else {
        rods.remove(QStringLiteral("corners"));
    }
    part.json[QStringLiteral("rods")] = rods;
}

void PartEditor::clearMarks() {
    if (m_fields)
        m_fields->clearMarks();
    setMessage(QString());
}

bool PartEditor::mark(const QString &path, const QString &why) {
    return m_fields && m_fields->mark(path, why);
}

void PartEditor::mark(StudyPart::Role role, std::optional<double> value, const QString &why) {
    if (!m_fields)
        return;
    QStringList ofRole;
    QStringList holding;
    for (const StudyPart::Field &f : std::as_const(m_fieldList)) {
        const QLineEdit *edit = m_fields->field(f.path);
        if (f.role != role || !edit->isEnabled())
            continue;
        ofRole.append(f.path);
        if (value && StudyNumber::read(edit->text()) == value)
            holding.append(f.path);
    }
    for (const QString &path : holding.isEmpty() ? ofRole : holding)
        m_fields->mark(JsonFieldEdits::documentPath(path), why);
}

void PartEditor::setMessage(const QString &text) {
    m_message->setText(text);
    m_message->setVisible(!text.isEmpty());
}

QString PartEditor::label(const QString &path) const {
    if (!m_fields)
        return QString();
    for (const StudyPart::Field &f : std::as_const(m_fieldList))
        if (JsonFieldEdits::overlaps(JsonFieldEdits::documentPath(f.path), path))
            return m_fields->label(f.path);
    return QString();
}
