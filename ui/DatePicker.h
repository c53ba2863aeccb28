#pragma once

#include <QDateEdit>

// A date picker that behaves as the platform's: one Tab stop for the whole date, the
// arrow keys Left and Right (and typing a whole field) moving between day, month and
// year, a two-digit year typed read in the hundred years from 1930 to 2029, and the
// drop-down calendar aligned with the left or the right edge of the picker.
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr);

    void setCalendarAlignedRight(bool right);
    bool calendarAlignedRight() const { return m_alignRight; }

    // The year that two typed digits name: 30 to 99 are 1930 to 1999, 0 to 29 are 2000
    // to 2029, as the platform reads two-digit years by default.
    static int windowedYear(int twoDigits);

protected:
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent *event) override;
    QDateTime dateTimeFromText(const QString &text) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool showsTwoDigitYear() const;
    void selectSection(int index);

    bool m_alignRight = false;
};
