#include "tests/support/ModuleScope.h"

#include "ui/LanguageModule.h"

ModuleScope::ModuleScope(const QString &dir) : m_module(LanguageModule::load({dir}, &m_error)) {
    LanguageModule::setCurrent(m_module.get());
}

ModuleScope::~ModuleScope() {
    LanguageModule::setCurrent(nullptr);
}
