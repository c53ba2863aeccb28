#pragma once

#include <QString>

#include <memory>

class LanguageModule;

// Loads a language module as the program's own for the life of this object.
class ModuleScope {
public:
    explicit ModuleScope(const QString &dir);
    ~ModuleScope();
    ModuleScope(const ModuleScope &) = delete;
    ModuleScope &operator=(const ModuleScope &) = delete;

    bool loaded() const { return m_module != nullptr; }
    // Why the module was refused, when it was.
    const QString &error() const { return m_error; }

private:
    QString m_error;
    std::unique_ptr<LanguageModule> m_module;
};
