#pragma once

#include <span>

namespace quillora::texts {

struct TextEntry {
    const char* context;
    const char* source;
    const char* translation;
};

// Every translated text of the translation source, ordered by context then source text
// (bytewise), as the build's text-table tool writes it.
std::span<const TextEntry> EnglishTexts();

}  // namespace quillora::texts
