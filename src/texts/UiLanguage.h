#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillora {

// The language of the texts a person reads. Chinese is the source text; English comes from
// the translation embedded at build time. Printer bytes never depend on it.
enum class UiLanguage { Chinese, English };

// "zh" or "en", as --lang and QUILLORA_LANG take them; nothing for anything else.
std::optional<UiLanguage> LanguageNamed(std::string_view name);

// Reads one environment variable; nullptr when unset.
using EnvironmentReader = std::function<const char*(const char*)>;

// The language of the locale, as desktop programs read it: LC_ALL, then LC_MESSAGES, then
// LANG decide the locale; "C", "POSIX" or none keeps Chinese. Otherwise the first entry of
// LANGUAGE, when set, else the locale's own language: Chinese for "zh...", English for any
// other.
UiLanguage LanguageOfLocale(const EnvironmentReader& environment);

struct LanguageChoice {
    UiLanguage language = UiLanguage::Chinese;
    std::string problem;  // why a forced choice was not understood; "" when none
};

// --lang (nullptr when not given) wins over QUILLORA_LANG, which wins over the locale. An
// unknown --lang value is a problem the caller refuses; an unknown QUILLORA_LANG is a
// problem the caller reports before going on with the locale's language.
LanguageChoice ChooseLanguage(const char* langOption, const EnvironmentReader& environment);

// The process environment, for ChooseLanguage.
EnvironmentReader ProcessEnvironment();

}  // namespace quillora
