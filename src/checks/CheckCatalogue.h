#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "checks/CheckHost.h"

namespace quillora {

// What a check takes after its command-line name ("name=VALUE").
enum class CheckArgument {
    None,        // nothing: "=..." is refused
    SampleText,  // optional: the text itself, or @FILE; the sample text without it
    Queue,       // optional: a spooler queue; the default printer without it
    Setting,     // "on" or "off"
    File,        // required: a path
    Count,       // required: a number of copies
    Text,        // optional: the text itself; the check's own text without it
};

// The control id of a check that has no button in the window's template: the window reaches
// it from its context menu, by its caption.
inline constexpr int kNoButton = 0;

// Reads and checks a check's inputs through the host; nothing when the user cancelled or an
// input was refused (the host has been told).
using PrepareCheck = std::optional<ReadyCheck> (*)(CheckHost& host);

// One printer check, for the window and for quillora-cli alike.
struct Check {
    const char* commandLineName;  // "full-cut"
    const char* argumentHelp;     // what --help shows after the name ("=BMP"); "" for none
    CheckArgument argument;
    const char* caption;  // the window button's caption (UTF-8)
    int controlId;        // that button's control id, or kNoButton
    bool serialOnly;      // needs a connection that carries replies back
    // The continuous run: the window's start/stop button runs it on a thread of its own.
    bool runsUntilStopped;
    // Prints through the spooler (DriverPrinting): only a host whose program links driver
    // printing runs it.
    bool printsThroughSpooler;
    PrepareCheck prepare;
};

// Every check, in the order --help lists them. A new check is one entry here.
std::span<const Check> CheckCatalogue();

const Check* FindCheckByName(std::string_view commandLineName);
// Nothing for kNoButton.
const Check* FindCheckByControl(int controlId);

// Prepares and, unless the user cancelled or an input was refused, runs `check`.
void RunCheck(const Check& check, CheckHost& host);

}  // namespace quillora
