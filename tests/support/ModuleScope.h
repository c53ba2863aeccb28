#pragma once

#include <QString>

// Loads a language module as the program's own for the life of this object.
class ModuleScope {
public:
    explicit ModuleScope(const QString &dir);
    ~ModuleScope();
    ModuleScope(const ModuleScope &) = delete;
    ModuleScope &operator=(const ModuleScope &) = delete;

    bool loaded() const;
};
