#include "ui/DataExchange.h"

#include "core/NumericText.h"
#include "core/TextEncoding.h"
#include "ui/LanguageString.h"
#include "ui/LayoutDialog.h"
#include "ui/MessageBox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

constexpr unsigned kPromptInteger = 61712;
constexpr unsigned kPromptNumber = 61713;
// Where a field that shows the no-value mark keeps the value it stands for.
constexpr char kNoValueProperty[] = "tavNoValue";
// Where a text field keeps the bytes it was given and the text it showed for them.
constexpr char kBytesProperty[] = "tavBytes";
constexpr char kShownProperty[] = "tavShown";

std::string read(const QLineEdit *edit, std::size_t limit) {
    return edit->text().left(static_cast<int>(limit)).toStdString();
}

// A text longer than its field shows its beginning, the leading digits of a number: Qt
// would leave the cursor at the end and show the tail.
void showFromTheStart(QLineEdit *edit, const QString &text) {
    edit->setText(text);
    edit->setCursorPosition(0);
}

} // namespace

template <class Widget> Widget *DataExchange::control(int controlId, const char *kind) const {
    QWidget *widget = m_dialog.GetDlgItem(controlId);
    auto *typed = qobject_cast<Widget *>(widget);
    if (typed == nullptr) {
        throw std::logic_error("layout " + std::to_string(m_dialog.layoutId()) +
                               (widget == nullptr ? " has no control " : " has no ") +
                               (widget == nullptr ? "" : std::string(kind) + " as control ") +
                               std::to_string(controlId));
    }
    return typed;
}

QLineEdit *DataExchange::field(int controlId) const {
    QLineEdit *edit = control<QLineEdit>(controlId, "entry field");
    return m_failed ? nullptr : edit;
}

void DataExchange::write(QLineEdit *edit, const std::string &text) {
    const QString shown = QString::fromStdString(text);
    if (edit->text() != shown)
        showFromTheStart(edit, shown);
}

void DataExchange::writeReal(QLineEdit *edit, double value, int significantDigits) {
    // The mark hides which value it stands for; keep it, so that reading the field back
    // gives the value written, never a prompt.
    edit->setProperty(kNoValueProperty, std::isfinite(value) ? QVariant() : QVariant(value));
    write(edit, tav::NumericText::formatReal(value, significantDigits));
}

bool DataExchange::readReal(QLineEdit *edit, double &value) {
    const std::string text = read(edit, tav::NumericText::kRealReadLimit);
    if (tav::NumericText::isNoValueMark(text)) {
        const QVariant kept = edit->property(kNoValueProperty);
        value = kept.isValid() ? kept.toDouble() : std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    const auto scanned = tav::NumericText::scanReal(text);
    if (!scanned) {
        fail(edit, kPromptNumber);
        return false;
    }
    value = *scanned;
    return true;
}

void DataExchange::fail(QWidget *field, unsigned promptId) {
    showMessage(LoadLanguageString(promptId), &m_dialog);
    field->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        edit->selectAll();
    m_failed = true;
}

void DataExchange::Text(int controlId, std::string &value) {
    QWidget *widget = m_dialog.GetDlgItem(controlId);
    auto *note = qobject_cast<QPlainTextEdit *>(widget);
    QLineEdit *edit = note != nullptr ? nullptr : field(controlId);
    if (m_failed || (note == nullptr && edit == nullptr))
        return;
    const auto shown = [note, edit] {
        return note != nullptr ? note->toPlainText() : edit->text();
    };
    if (m_saveAndValidate) {
        // Text the user left as it was shown goes back as the bytes it came from, whatever
        // their encoding; what the user typed is UTF-8, with a note's line breaks as CR LF.
        if (widget->property(kShownProperty).toString() == shown() &&
            widget->property(kBytesProperty).isValid()) {
            value = widget->property(kBytesProperty).toByteArray().toStdString();
        } else {
            QString typed = shown();
            if (note != nullptr)
                typed.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
            value = typed.toStdString();
        }
        return;
    }
    const QString text = QString::fromStdString(tav::displayUtf8(value));
    if (shown() != text) {
        if (note != nullptr)
            note->setPlainText(text);
        else
            showFromTheStart(edit, text);
    }
    widget->setProperty(kBytesProperty, QByteArray::fromStdString(value));
    widget->setProperty(kShownProperty, shown());
}

void DataExchange::Text(int controlId, int &value) {
    QLineEdit *edit = field(controlId);
    if (edit == nullptr)
        return;
    if (!m_saveAndValidate) {
        write(edit, tav::NumericText::formatInteger(value));
        return;
    }
    const auto scanned =
        tav::NumericText::scanInteger(read(edit, tav::NumericText::kIntegerReadLimit));
    if (scanned)
        value = *scanned;
    else
        fail(edit, kPromptInteger);
}

void DataExchange::Text(int controlId, float &value) {
    QLineEdit *edit = field(controlId);
    if (edit == nullptr)
        return;
    if (!m_saveAndValidate) {
        writeReal(edit, value, tav::NumericText::kSingleDigits);
        return;
    }
    double read = 0;
    if (readReal(edit, read))
        value = tav::NumericText::narrowToSingle(read);
}

void DataExchange::Text(int controlId, double &value) {
    QLineEdit *edit = field(controlId);
    if (edit == nullptr)
        return;
    if (!m_saveAndValidate)
        writeReal(edit, value, tav::NumericText::kDoubleDigits);
    else
        readReal(edit, value);
}

void DataExchange::ListIndex(int controlId, int &index) {
    auto *list = control<QComboBox>(controlId, "drop-down list");
    if (m_failed)
        return;
    if (m_saveAndValidate)
        index = list->currentIndex();
    else
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void DataExchange::Date(int controlId, QDate &date) {
    auto *picker = control<QDateEdit>(controlId, "date picker");
    if (m_failed)
        return;
    if (m_saveAndValidate)
        date = picker->date();
    else if (date.isValid())
        picker->setDate(date);
}

void DataExchange::Check(int controlId, int &state) {
    auto *button = control<QAbstractButton>(controlId, "check box or radio button");
    if (m_failed)
        return;
    if (m_saveAndValidate)
        state = button->isChecked() ? 1 : 0;
    else
        button->setChecked(state != 0);
}
