#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Texts here are UTF-8, as the text box holds them; the printer's bytes are GBK.
namespace quillora {

// The text box's contents when "Print.txt" cannot be opened: two paragraphs of Chinese
// prose, each opened by four spaces, a line break after the first only (601 GBK bytes).
std::string BuiltInSampleText();

// The longest "Print.txt" (or text file named on the command line) that is taken: far
// more than a receipt holds, and a device such as /dev/zero stops here.
inline constexpr std::int64_t kMaxTextFileBytes = std::int64_t{1} << 20;

// A text file read as "Print.txt" is: the text, or why not ("no such file", "cannot be
// read: ...", "longer than 1048576 bytes").
struct TextFile {
    std::optional<std::string> text;
    std::string problem;
};
TextFile ReadTextFile(const std::string& path);

// The text box's contents from "Print.txt": its bytes up to the first zero byte, taken as
// GBK. Nothing when the file cannot be opened or read, or is over kMaxTextFileBytes.
std::optional<std::string> LoadStartupText(const std::string& path);

// What the text box holds when the window opens: "Print.txt" at `printTxtPath`, or the
// built-in text when that cannot be opened.
std::string StartupText(const std::string& printTxtPath);

// The text as the printer gets it: GBK with CR LF line breaks.
std::string PrinterTextBytes(const std::string& text);

// Widgets keep line breaks as '\n'; the printer and the file want CR LF.
std::string ToWidgetLineBreaks(std::string_view text);
std::string ToCrLfLineBreaks(std::string_view text);

}  // namespace quillora
