#pragma once

#include <cstddef>

// A window's static table from command id to handler.
template <class Window> struct CommandEntry {
    int id;
    void (Window::*handler)();
};

// Runs the handler the table binds to the id; false when it binds none.
template <class Window, std::size_t N>
bool DispatchCommand(Window &window, const CommandEntry<Window> (&table)[N], int id) {
    for (const CommandEntry<Window> &entry : table) {
        if (entry.id == id) {
            (window.*entry.handler)();
            return true;
        }
    }
    return false;
}
