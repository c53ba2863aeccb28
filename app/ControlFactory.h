#pragma once

#include "DialogLayout.h"

class DialogUnits;
class LanguageModule;
class QWidget;

// Makes the widget for one control of a layout, placed in pixels, with the control's
// id in its "controlId" property. Null for a kind it does not know.
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
    QWidget *picture(const ControlTemplate &control, QWidget *parent) const;

    const DialogUnits &m_units;
    const LanguageModule &m_module;
};
