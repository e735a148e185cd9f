#pragma once

#include <QString>
#include <optional>
#include <string>

namespace quillora {

// The text box's contents when "Print.txt" cannot be opened: two paragraphs of Chinese
// prose, each opened by four spaces, a line break after the first only (601 GBK bytes).
QString BuiltInSampleText();

// The text box's contents from "Print.txt": its bytes up to the first zero byte, taken as
// GBK. Nothing when the file cannot be opened.
std::optional<QString> LoadStartupText(const std::string& path);

// What the text box holds when the window opens: "Print.txt" at `printTxtPath`, or the
// built-in text when that cannot be opened.
QString StartupText(const std::string& printTxtPath);

// The text as the printer gets it: GBK with CR LF line breaks.
std::string PrinterTextBytes(const QString& text);

// Widgets keep line breaks as '\n'; the printer and the file want CR LF.
QString ToWidgetLineBreaks(QString text);
QString ToCrLfLineBreaks(QString text);

}  // namespace quillora
