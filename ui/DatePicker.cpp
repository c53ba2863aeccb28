#include "ui/DatePicker.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr int kWindowStart = 1930; // the first year of the two-digit window

} // namespace

DatePicker::DatePicker(QWidget *parent) : QDateEdit(parent) {
    setCalendarPopup(true);
}

int DatePicker::windowedYear(int twoDigits) {
    const int century = kWindowStart / 100 * 100;
    const int year = century + twoDigits;
    return year < kWindowStart ? year + 100 : year;
}

void DatePicker::setCalendarAlignedRight(bool right) {
    m_alignRight = right;
    if (QCalendarWidget *calendar = calendarWidget())
        calendar->window()->installEventFilter(this);
}

bool DatePicker::showsTwoDigitYear() const {
    return displayFormat().contains(QLatin1String("yy")) &&
           !displayFormat().contains(QLatin1String("yyy"));
}

// Tab leaves the picker, as it leaves any other control; the fields are reached with
// the arrow keys.
bool DatePicker::focusNextPrevChild(bool next) {
    return QWidget::focusNextPrevChild(next);
}

void DatePicker::selectSection(int index) {
    if (index < 0 || index >= sectionCount())
        return;
    setCurrentSectionIndex(index);
    const int start = lineEdit()->cursorPosition();
    lineEdit()->setSelection(start, sectionText(sectionAt(index)).size());
}

void DatePicker::keyPressEvent(QKeyEvent *event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        selectSection(currentSectionIndex() + (event->key() == Qt::Key_Right ? 1 : -1));
        event->accept();
        return;
    }
    QDateEdit::keyPressEvent(event);
}

QDateTime DatePicker::dateTimeFromText(const QString &text) const {
    const QDateTime parsed = QDateEdit::dateTimeFromText(text);
    if (!parsed.isValid() || !showsTwoDigitYear())
        return parsed;
    const int digits = parsed.date().year() % 100;
    // The same two digits as the date shown: the year stays as it is (a file's 2050 stays
    // 2050 while its day is changed). New digits are read in the window.
    const int year = digits == date().year() % 100 ? date().year() : windowedYear(digits);
    const QDate day(year, parsed.date().month(), parsed.date().day());
    return day.isValid() ? QDateTime(day, parsed.time()) : parsed;
}

bool DatePicker::eventFilter(QObject *watched, QEvent *event) {
    QCalendarWidget *calendar = calendarWidget();
    if (m_alignRight && event->type() == QEvent::Show && calendar != nullptr &&
        watched == calendar->window()) {
        // Placed below (or above) the picker by Qt; moved so that the right edges meet.
        QWidget *popup = calendar->window();
        const int right = mapToGlobal(QPoint(width(), 0)).x();
        popup->move(right - popup->width(), popup->y());
    }
    return QDateEdit::eventFilter(watched, event);
}
