#include "ui/LanguageString.h"

#include "ui/LanguageModule.h"

QString LoadLanguageString(unsigned id) {
    constexpr int kMaxLength = 255;
    const LanguageModule *module = LanguageModule::current();
    if (module == nullptr)
        return {};
    return module->string(id).value_or(QString()).left(kMaxLength);
}

QString LanguageText(unsigned id) {
    const LanguageModule *module = LanguageModule::current();
    return module == nullptr ? QString() : module->string(id).value_or(QString());
}

Wording languageWording() {
    return Wording(&LoadLanguageString);
}
