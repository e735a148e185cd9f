#pragma once

#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace quillora {

// What the command line asks for. It is read before QApplication exists, so --help and
// --version need no display. Our own options are taken out; every other argument is left
// for Qt (-platform, -style, -display, ...), which reads it when QApplication is built.
struct StartOptions {
    enum class Action { Run, Help, Version };
    Action action = Action::Run;
    // --data-home: run in the per-user data folder instead of the current one (the menu
    // entry starts the program so).
    bool dataHome = false;
    // --lang zh|en (or --lang=en): the window's language, the environment's when absent.
    std::optional<std::string> language;
    // A malformed option of ours ("--lang" without a value); "" when none.
    std::string problem;
    // argv[0] and the arguments left for Qt, then a null pointer, as QApplication wants.
    std::vector<char*> qtArguments;
};

StartOptions ParseStartOptions(int argc, char* argv[]);

std::string UsageText();
// "Quillora 1.0.0.1" and a line break.
std::string VersionText();

// $XDG_DATA_HOME/quillora, or $HOME/.local/share/quillora when XDG_DATA_HOME is unset,
// empty or relative (the XDG base-directory rules say to ignore a relative one). Empty
// when neither names an absolute folder.
std::string DataHomeFolder(const char* xdgDataHome, const char* home);

// Creates `folder` and its parents when missing, then makes it the working folder.
std::error_code EnterFolder(const std::string& folder);

}  // namespace quillora
