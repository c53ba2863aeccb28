#pragma once

#include "ui/DialogLayout.h"

class DialogUnits;
class LanguageModule;
class QWidget;

// Makes the widget for one control of a layout, placed in pixels.
class ControlFactory {
public:
    ControlFactory(const DialogUnits &units, const LanguageModule &module)
        : m_units(units), m_module(module) {}

    QWidget *create(const ControlTemplate &control, QWidget *parent) const;

private:
    QWidget *button(const ControlTemplate &control, QWidget *parent) const;
    QWidget *groupBox(const ControlTemplate &control, QWidget *parent) const;
    QWidget *staticText(const ControlTemplate &control, QWidget *parent) const;
    QWidget *edit(const ControlTemplate &control, QWidget *parent) const;
    QWidget *note(const ControlTemplate &control, QWidget *parent) const;
    QWidget *dropDownList(const ControlTemplate &control, QWidget *parent, QRect &place) const;
    QWidget *datePicker(const ControlTemplate &control, QWidget *parent) const;
    QWidget *radioButton(const ControlTemplate &control, QWidget *parent) const;
    QWidget *picture(const ControlTemplate &control, QWidget *parent) const;

    const DialogUnits &m_units;
    const LanguageModule &m_module;
};
