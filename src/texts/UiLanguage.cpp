#include "texts/UiLanguage.h"

#include <cstdlib>

namespace quillora {
namespace {

const char* NonEmpty(const EnvironmentReader& environment, const char* name) {
    const char* value = environment(name);
    return value != nullptr && value[0] != '\0' ? value : nullptr;
}

bool IsCLocale(std::string_view locale) {
    // "C.UTF-8" is the C locale too.
    const std::string_view name = locale.substr(0, locale.find('.'));
    return name == "C" || name == "POSIX";
}

UiLanguage LanguageOfName(std::string_view name) {
    return name.substr(0, 2) == "zh" ? UiLanguage::Chinese : UiLanguage::English;
}

}  // namespace

std::optional<UiLanguage> LanguageNamed(std::string_view name) {
    if (name == "zh") return UiLanguage::Chinese;
    if (name == "en") return UiLanguage::English;
    return std::nullopt;
}

UiLanguage LanguageOfLocale(const EnvironmentReader& environment) {
    const char* locale = NonEmpty(environment, "LC_ALL");
    if (locale == nullptr) locale = NonEmpty(environment, "LC_MESSAGES");
    if (locale == nullptr) locale = NonEmpty(environment, "LANG");
    if (locale == nullptr || IsCLocale(locale)) return UiLanguage::Chinese;
    if (const char* priority = NonEmpty(environment, "LANGUAGE")) {
        const std::string_view list(priority);
        return LanguageOfName(list.substr(0, list.find(':')));
    }
    return LanguageOfName(locale);
}

LanguageChoice ChooseLanguage(const char* langOption, const EnvironmentReader& environment) {
    if (langOption != nullptr) {
        if (const auto forced = LanguageNamed(langOption)) return {*forced, {}};
        return {LanguageOfLocale(environment),
                "--lang " + std::string(langOption) + ": the language is zh or en"};
    }
    if (const char* forced = NonEmpty(environment, "QUILLORA_LANG")) {
        if (const auto language = LanguageNamed(forced)) return {*language, {}};
        return {LanguageOfLocale(environment),
                "QUILLORA_LANG=" + std::string(forced) +
                    " ignored: the language is zh or en; the locale's is used"};
    }
    return {LanguageOfLocale(environment), {}};
}

EnvironmentReader ProcessEnvironment() {
    return [](const char* name) -> const char* { return std::getenv(name); };
}

}  // namespace quillora
