#pragma once

#include <memory>
#include <vector>

class LayoutDialog;
class QWidget;

// The windows the main window's buttons open, in one table: the button of layout 102,
// the layout of the window, and how to make the window. Every form is made afresh for
// each press and run modally, so nothing of it outlives the press.
struct FormEntry {
    int buttonId;
    int layoutId;
    std::unique_ptr<LayoutDialog> (*make)(QWidget *owner);
};

const std::vector<FormEntry> &mainWindowForms();

// The entry whose window has this layout; null for none.
const FormEntry *formWithLayout(int layoutId);
