#include "ModuleScope.h"

#include "LanguageModule.h"

ModuleScope::ModuleScope(const QString &dir) {
    g_hLangModule = LanguageModule::Load({dir}).release();
}

ModuleScope::~ModuleScope() {
    delete g_hLangModule;
    g_hLangModule = nullptr;
}

bool ModuleScope::loaded() const {
    return g_hLangModule != nullptr;
}
