#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "texts/UiLanguage.h"

// The texts a person reads, without Qt: quillora-cli runs its tests without loading Qt Core,
// and the window shows the same texts. Chinese is the source text; English comes from the
// translation source, compiled into a table at build time.
namespace quillora::texts {

// Process-wide, as one program speaks one language: set once at start, before any worker.
void UseLanguage(UiLanguage language);
UiLanguage LanguageInUse();

// `source` of `context`, UTF-8, in the language in use; the source text itself when it has no
// translation. Named as lupdate looks for it, so that the translation source stays complete.
std::string translate(const char* context, const char* source);

// Marks `source` of `context` for the translation source where the text is kept as it is (in
// a table, or to compare with what a printer holds) and handed to translate() later. lupdate
// is told to read it as Qt's no-op mark, so that the texts behind it stay translated.
constexpr const char* TranslateLater(const char* /*context*/, const char* source) {
    return source;
}

// `parts` with `separator` between each two; "" for none.
std::string Joined(const std::vector<std::string>& parts, std::string_view separator);

// `pattern` with each place marker %1 to %99 replaced by that argument, in one pass: an
// argument's own '%' is never read as a marker. A marker without an argument stays as it is.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments);

}  // namespace quillora::texts
