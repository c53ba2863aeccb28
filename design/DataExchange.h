#pragma once

#include <string>

class LayoutDialog;
class QLineEdit;

// One walk over a form's fields, in the order its DoDataExchange names them. Reading
// stops at the first field that does not hold a number: its prompt is shown, the field
// gets the focus with its text selected, and that member and every later one keep
// their values. Writing replaces a field's text only where it differs.
class DataExchange {
public:
    DataExchange(LayoutDialog &dialog, bool saveAndValidate)
        : m_dialog(dialog), m_bSaveAndValidate(saveAndValidate) {}

    bool saving() const { return m_bSaveAndValidate; }
    bool failed() const { return m_failed; }

    void Text(int controlId, std::string &value);
    void Text(int controlId, int &value);
    void Text(int controlId, float &value);
    void Text(int controlId, double &value);

private:
    QLineEdit *field(int controlId) const;
    void write(QLineEdit *edit, const std::string &text);
    void fail(QLineEdit *edit, unsigned promptId);

    LayoutDialog &m_dialog;
    bool m_bSaveAndValidate;
    bool m_failed = false;
};
