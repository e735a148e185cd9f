#include "texts/Texts.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <tuple>

#include "texts/EnglishTexts.h"

namespace quillora::texts {
namespace {

std::atomic<UiLanguage> languageInUse{UiLanguage::Chinese};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void UseLanguage(UiLanguage language) { languageInUse.store(language); }

UiLanguage LanguageInUse() { return languageInUse.load(); }

std::string translate(const char* context, const char* source) {
    if (LanguageInUse() == UiLanguage::English) {
        const auto entries = EnglishTexts();
        const auto before = [](const TextEntry& entry, std::pair<const char*, const char*> key) {
            const int byContext = std::strcmp(entry.context, key.first);
            return byContext != 0 ? byContext < 0 : std::strcmp(entry.source, key.second) < 0;
        };
        const auto found = std::lower_bound(entries.begin(), entries.end(),
                                            std::pair{context, source}, before);
        if (found != entries.end() && std::strcmp(found->context, context) == 0 &&
            std::strcmp(found->source, source) == 0) {
            return found->translation;
        }
    }
    return source;
}

std::string Joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (const std::string& part : parts) {
        if (&part != &parts.front()) text += separator;
        text += part;
    }
    return text;
}

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t at = 0; at < pattern.size();) {
        std::size_t end = at + 1;
        if (pattern[at] == '%' && end < pattern.size() && IsDigit(pattern[end])) {
            std::size_t number = std::size_t(pattern[end++] - '0');
            if (end < pattern.size() && IsDigit(pattern[end])) {
                number = number * 10 + std::size_t(pattern[end++] - '0');
            }
            if (number >= 1 && number <= arguments.size()) {
                text += *(arguments.begin() + (number - 1));
                at = end;
                continue;
            }
        }
        text += pattern[at++];
    }
    return text;
}

}  // namespace quillora::texts
