#include "ui/ControlFactory.h"

#include "ui/DatePicker.h"
#include "ui/DialogUnits.h"
#include "ui/GroupBoxStyle.h"
#include "ui/LanguageModule.h"
#include "ui/WrapButton.h"

#include "ui/NoteEdit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include <limits>

namespace {

Qt::Alignment horizontalAlignment(const ControlTemplate &control) {
    if (control.has("center"))
        return Qt::AlignHCenter;
    if (control.has("right"))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

// A control without a tab stop can still take the focus by a click, as on any desktop.
Qt::FocusPolicy focusPolicy(const ControlTemplate &control) {
    return control.has("tabstop") ? Qt::StrongFocus : Qt::ClickFocus;
}

// Lines of a label that are taller together than its rectangle (two lines of Arial 11 pt in
// 15 dialog units) are moved up until the last line's descenders show: what is lost at the
// top is the room the font keeps above its capitals.
void keepWhole(QLabel *label) {
    const QRect room = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = label->fontMetrics().boundingRect(room, flags, label->text());
    if (needed.height() > room.height())
        label->setAlignment((label->alignment() & ~Qt::AlignVertical_Mask) | Qt::AlignBottom);
}

} // namespace

QWidget *ControlFactory::create(const ControlTemplate &control, QWidget *parent) const {
    // The kinds are those DialogLayout accepts; a layout of any other was refused on loading.
    QWidget *widget = nullptr;
    QRect place = m_units.toPixels(control.rect);
    if (control.kind == QLatin1String("button"))
        widget = button(control, parent);
    else if (control.kind == QLatin1String("groupbox"))
        widget = groupBox(control, parent);
    else if (control.kind == QLatin1String("static"))
        widget = staticText(control, parent);
    else if (control.kind == QLatin1String("edit"))
        widget = control.has("multiline") ? note(control, parent) : edit(control, parent);
    else if (control.kind == QLatin1String("picture"))
        widget = picture(control, parent);
    else if (control.kind == QLatin1String("combobox"))
        widget = dropDownList(control, parent, place);
    else if (control.kind == QLatin1String("datetime"))
        widget = datePicker(control, parent);
    else
        widget = radioButton(control, parent);
    widget->setObjectName(control.name);
    // A picture takes the size of its bitmap, whatever the layout gives.
    if (control.kind != QLatin1String("picture"))
        widget->setGeometry(place);
    if (auto *label = qobject_cast<QLabel *>(widget); label != nullptr && label->pixmap().isNull())
        keepWhole(label);
    widget->setEnabled(!control.has("disabled"));
    return widget;
}

QWidget *ControlFactory::button(const ControlTemplate &control, QWidget *parent) const {
    QPushButton *button = control.has("multiline") ? new WrapButton(control.text, parent)
                                                   : new QPushButton(control.text, parent);
    button->setDefault(control.has("default"));
    button->setFocusPolicy(focusPolicy(control));
    return button;
}

QWidget *ControlFactory::groupBox(const ControlTemplate &control, QWidget *parent) const {
    auto *box = new QGroupBox(control.text, parent);
    box->setStyle(GroupBoxStyle::instance());
    box->setAlignment(horizontalAlignment(control));
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QWidget *ControlFactory::staticText(const ControlTemplate &control, QWidget *parent) const {
    auto *label = new QLabel(control.text, parent);
    const Qt::Alignment vertical = control.has("vcenter") ? Qt::AlignVCenter : Qt::AlignTop;
    label->setAlignment(horizontalAlignment(control) | vertical);
    label->setWordWrap(!control.has("nowrap"));
    label->setTextFormat(Qt::PlainText);
    if (control.has("sunken"))
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

QWidget *ControlFactory::edit(const ControlTemplate &control, QWidget *parent) const {
    auto *edit = new QLineEdit(parent);
    // No limit of the field's own: a text read from a file is shown whole.
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setText(control.text);
    edit->setFrame(control.has("border") || control.has("staticedge"));
    edit->setReadOnly(control.has("readonly"));
    if (edit->isReadOnly()) {
        // A field the user cannot type into looks it: the window's colour, not paper white.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
    }
    edit->setAlignment(horizontalAlignment(control) | Qt::AlignVCenter);
    edit->setFocusPolicy(focusPolicy(control));
    if (control.has("number")) {
        static const QRegularExpression digits(QStringLiteral("[0-9]*"));
        edit->setValidator(new QRegularExpressionValidator(digits, edit));
    }
    return edit;
}

QWidget *ControlFactory::note(const ControlTemplate &control, QWidget *parent) const {
    auto *note = new NoteEdit(parent);
    note->setPlainText(control.text);
    note->setReadOnly(control.has("readonly"));
    note->setFrameStyle(control.has("border") || control.has("staticedge") ? QFrame::StyledPanel
                                                                           : QFrame::NoFrame);
    note->setVerticalScrollBarPolicy(control.has("vscroll") ? Qt::ScrollBarAsNeeded
                                                            : Qt::ScrollBarAlwaysOff);
    note->setFocusPolicy(focusPolicy(control));
    return note;
}

QWidget *ControlFactory::dropDownList(const ControlTemplate &control, QWidget *parent,
                                      QRect &place) const {
    auto *list = new QComboBox(parent);
    list->setEditable(false);
    list->setFocusPolicy(focusPolicy(control));
    // The layout's height takes in the open list; the closed box is as high as it needs.
    place.setHeight(list->sizeHint().height());
    return list;
}

QWidget *ControlFactory::datePicker(const ControlTemplate &control, QWidget *parent) const {
    auto *picker = new DatePicker(parent);
    picker->setMinimumDate(QDate(100, 1, 1));
    picker->setCalendarAlignedRight(control.has("right"));
    if (!control.format.isEmpty())
        picker->setDisplayFormat(control.format);
    picker->setFocusPolicy(focusPolicy(control));
    return picker;
}

QWidget *ControlFactory::radioButton(const ControlTemplate &control, QWidget *parent) const {
    auto *radio = new QRadioButton(control.text, parent);
    // Each button holds a state of its own; a form that wants them apart keeps them apart.
    radio->setAutoExclusive(false);
    radio->setFocusPolicy(focusPolicy(control));
    return radio;
}

QWidget *ControlFactory::picture(const ControlTemplate &control, QWidget *parent) const {
    auto *label = new QLabel(parent);
    label->setFocusPolicy(Qt::NoFocus);
    const QPixmap pixmap = m_module.bitmap(control.bitmap);
    const QRect place = m_units.toPixels(control.rect);
    // A picture control takes the size of its bitmap, whatever the layout gives.
    if (pixmap.isNull()) {
        label->setGeometry(place);
    } else {
        label->setPixmap(pixmap);
        label->setGeometry(QRect(place.topLeft(), pixmap.size()));
    }
    return label;
}
