#pragma once

#include <QString>
#include <optional>

namespace quillora {

// A decimal integer with an optional sign, optionally surrounded by spaces or tabs, that
// fits in 32 signed bits. Anything else (the empty text included) gives nothing.
std::optional<int> ParseDialogInteger(const QString& text);

// The prompts of the data exchange.
QString EnterIntegerPrompt();
QString EnterIntegerInRangePrompt(int low, int high);

}  // namespace quillora
