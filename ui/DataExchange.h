#pragma once

#include <string>

class LayoutDialog;
class QDate;
class QLineEdit;
class QWidget;

// One walk over a form's fields, in the order its DoDataExchange names them. Reading
// stops at the first field that does not hold a number: its prompt is shown, the field
// gets the focus with its text selected, and that member and every later one keep
// their values. Writing replaces a field's text only where it differs.
//
// An id that the layout lacks, or that names a control of another kind, is a fault of
// the program, not of the user: it throws std::logic_error naming the layout and id.
class DataExchange {
public:
    DataExchange(LayoutDialog &dialog, bool saveAndValidate)
        : m_dialog(dialog), m_saveAndValidate(saveAndValidate) {}

    bool saving() const { return m_saveAndValidate; }
    bool failed() const { return m_failed; }

    // A one-line or a multi-line text field. The bytes are shown as UTF-8 where they are
    // valid UTF-8 and as Windows-1252 otherwise, and read back unchanged while the field
    // still shows them.
    void Text(int controlId, std::string &value);
    void Text(int controlId, int &value);
    void Text(int controlId, float &value);
    void Text(int controlId, double &value);
    // The selected entry of a drop-down list; -1 for none.
    void ListIndex(int controlId, int &index);
    // The day of a date picker. Writing a date that is not valid leaves the picker as it is.
    void Date(int controlId, QDate &date);
    // 1 when a radio button or check box is checked, else 0.
    void Check(int controlId, int &state);

private:
    template <class Widget> Widget *control(int controlId, const char *kind) const;
    QLineEdit *field(int controlId) const;
    void write(QLineEdit *edit, const std::string &text);
    void writeReal(QLineEdit *edit, double value, int significantDigits);
    bool readReal(QLineEdit *edit, double &value);
    void fail(QWidget *field, unsigned promptId);

    LayoutDialog &m_dialog;
    bool m_saveAndValidate;
    bool m_failed = false;
};
