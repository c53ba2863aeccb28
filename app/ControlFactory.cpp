#include "ControlFactory.h"

#include "DialogUnits.h"
#include "LanguageModule.h"
#include "WrapButton.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

Qt::Alignment HorizontalAlignment(const ControlTemplate &control) {
    if (control.has("center"))
        return Qt::AlignHCenter;
    if (control.has("right"))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

// A control without a tab stop can still take the focus by a click, as on any desktop.
Qt::FocusPolicy FocusPolicy(const ControlTemplate &control) {
    return control.has("tabstop") ? Qt::StrongFocus : Qt::ClickFocus;
}

} // namespace

QWidget *ControlFactory::create(const ControlTemplate &control, QWidget *parent) const {
    QWidget *widget = nullptr;
    if (control.kind == QLatin1String("button"))
        widget = button(control, parent);
    else if (control.kind == QLatin1String("groupbox"))
        widget = groupBox(control, parent);
    else if (control.kind == QLatin1String("static"))
        widget = staticText(control, parent);
    else if (control.kind == QLatin1String("edit"))
        widget = edit(control, parent);
    else if (control.kind == QLatin1String("picture"))
        widget = picture(control, parent);
    if (widget == nullptr)
        return nullptr;
    widget->setProperty("controlId", control.id);
    if (control.id >= 0)
        widget->setObjectName(QStringLiteral("control%1").arg(control.id));
    if (control.kind != QLatin1String("picture"))
        widget->setGeometry(m_units.toPixels(control.rect));
    return widget;
}

QWidget *ControlFactory::button(const ControlTemplate &control, QWidget *parent) const {
    QPushButton *button = control.has("multiline") ? new WrapButton(control.text, parent)
                                                   : new QPushButton(control.text, parent);
    button->setDefault(control.has("default"));
    button->setFocusPolicy(FocusPolicy(control));
    return button;
}

QWidget *ControlFactory::groupBox(const ControlTemplate &control, QWidget *parent) const {
    auto *box = new QGroupBox(control.text, parent);
    box->setAlignment(HorizontalAlignment(control));
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QWidget *ControlFactory::staticText(const ControlTemplate &control, QWidget *parent) const {
    auto *label = new QLabel(control.text, parent);
    const Qt::Alignment vertical = control.has("vcenter") ? Qt::AlignVCenter : Qt::AlignTop;
    label->setAlignment(HorizontalAlignment(control) | vertical);
    label->setWordWrap(!control.has("nowrap"));
    label->setTextFormat(Qt::PlainText);
    if (control.has("sunken"))
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

QWidget *ControlFactory::edit(const ControlTemplate &control, QWidget *parent) const {
    auto *edit = new QLineEdit(control.text, parent);
    edit->setFrame(control.has("border") || control.has("staticedge"));
    edit->setReadOnly(control.has("readonly"));
    if (edit->isReadOnly()) {
        // A field the user cannot type into looks it: the window's colour, not paper white.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
    }
    edit->setAlignment(HorizontalAlignment(control) | Qt::AlignVCenter);
    edit->setFocusPolicy(FocusPolicy(control));
    if (control.has("number")) {
        static const QRegularExpression digits(QStringLiteral("[0-9]*"));
        edit->setValidator(new QRegularExpressionValidator(digits, edit));
    }
    return edit;
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
