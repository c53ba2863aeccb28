#include "DataExchange.h"

#include "LanguageString.h"
#include "LayoutDialog.h"
#include "MessageBox.h"
#include "NumericText.h"

#include <QLineEdit>

#include <limits>

namespace {

constexpr unsigned kPromptInteger = 61712;
constexpr unsigned kPromptNumber = 61713;

std::string Read(const QLineEdit *edit, std::size_t limit) {
    return edit->text().left(static_cast<int>(limit)).toStdString();
}

} // namespace

QLineEdit *DataExchange::field(int controlId) const {
    if (m_failed)
        return nullptr;
    return m_dialog.item<QLineEdit>(controlId);
}

void DataExchange::write(QLineEdit *edit, const std::string &text) {
    const QString shown = QString::fromStdString(text);
    if (edit->text() != shown)
        edit->setText(shown);
}

void DataExchange::fail(QLineEdit *edit, unsigned promptId) {
    AfxMessageBox(LoadLanguageString(promptId), &m_dialog);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    m_failed = true;
}

void DataExchange::Text(int controlId, std::string &value) {
    QLineEdit *edit = field(controlId);
    if (edit == nullptr)
        return;
    if (m_bSaveAndValidate)
        value = edit->text().toStdString();
    else
        write(edit, value);
}

void DataExchange::Text(int controlId, int &value) {
    QLineEdit *edit = field(controlId);
    if (edit == nullptr)
        return;
    if (!m_bSaveAndValidate) {
        write(edit, tav::NumericText::FormatInteger(value));
        return;
    }
    const auto scanned =
        tav::NumericText::ScanInteger(Read(edit, tav::NumericText::kIntegerReadLimit));
    if (scanned)
        value = *scanned;
    else
        fail(edit, kPromptInteger);
}

void DataExchange::Text(int controlId, float &value) {
    QLineEdit *edit = field(controlId);
    if (edit == nullptr)
        return;
    if (!m_bSaveAndValidate) {
        write(edit, tav::NumericText::FormatReal(value, tav::NumericText::kSingleDigits));
        return;
    }
    const auto scanned = tav::NumericText::ScanReal(Read(edit, tav::NumericText::kRealReadLimit));
    if (scanned)
        value = tav::NumericText::NarrowToSingle(*scanned);
    else
        fail(edit, kPromptNumber);
}

void DataExchange::Text(int controlId, double &value) {
    QLineEdit *edit = field(controlId);
    if (edit == nullptr)
        return;
    if (!m_bSaveAndValidate) {
        write(edit, tav::NumericText::FormatReal(value, tav::NumericText::kDoubleDigits));
        return;
    }
    const std::string text = Read(edit, tav::NumericText::kRealReadLimit);
    // A result without a finite value reads back as one; it is recomputed anyway.
    if (tav::NumericText::IsNoValueMark(text)) {
        value = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    const auto scanned = tav::NumericText::ScanReal(text);
    if (scanned)
        value = *scanned;
    else
        fail(edit, kPromptNumber);
}
