#include "LanguageString.h"

#include "LanguageModule.h"

QString LoadLanguageString(unsigned id) {
    constexpr int kMaxLength = 255;
    if (g_hLangModule == nullptr)
        return {};
    return g_hLangModule->string(id).value_or(QString()).left(kMaxLength);
}
