#pragma once

class LayoutDialog;

// The main window's way into the study windows, in a menu bar above its layout (whose
// buttons keep their places): a new or an existing earthing study, the studies opened
// last, and the soil model over readings typed, pasted or opened there.
class MainWindowMenu {
public:
    static void attach(LayoutDialog &window);
};
