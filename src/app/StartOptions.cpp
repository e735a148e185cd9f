#include "app/StartOptions.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "resources/AppIdentity.h"

namespace quillora {

StartOptions ParseStartOptions(int argc, char* argv[]) {
    StartOptions options;
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i];
        if (i > 0 && (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0)) {
            options.action = StartOptions::Action::Help;
        } else if (i > 0 && std::strcmp(argument, "--version") == 0) {
            // Help wins over version when both are given, as usage is the larger answer.
            if (options.action == StartOptions::Action::Run)
                options.action = StartOptions::Action::Version;
        } else if (i > 0 && std::strcmp(argument, "--data-home") == 0) {
            options.dataHome = true;
        } else if (i > 0 && std::strncmp(argument, "--lang=", 7) == 0) {
            options.language = argument + 7;
        } else if (i > 0 && std::strcmp(argument, "--lang") == 0) {
            if (i + 1 < argc) {
                options.language = argv[++i];
            } else {
                options.problem = "--lang needs a value: zh or en";
            }
        } else {
            options.qtArguments.push_back(argv[i]);
        }
    }
    options.qtArguments.push_back(nullptr);
    return options;
}

std::string UsageText() {
    return R"(Usage: quillora [--data-home] [Qt options]
A test utility for ESC/POS receipt printers: each of a printer's functions is tried
from one window, over a serial, parallel, USB or network connection, or through the
system's spooler.

Options:
  --data-home   Run in $XDG_DATA_HOME/quillora (~/.local/share/quillora when
                XDG_DATA_HOME is unset), created when missing. The menu entry starts
                the program so. Without it the program runs in the current folder.
  --lang zh|en  The window's language: Chinese or English. Without it, QUILLORA_LANG
                decides, else the locale: Chinese for zh* and for C, POSIX or none,
                English for any other language. Printed bytes never change.
  -h, --help    Show this text and exit.
  --version     Show the version and exit.
Qt's own options (-platform NAME, -display NAME, -style NAME, ...) are passed on.

Files, in the folder the program runs in:
  Option.ini    settings: the chosen connection, the network printer's address,
                serial settings
  Print.txt     read at start, if present, to fill the text box
  Print.doc     printed through the spooler by the driver test, if present
  XPCorona.ssk  a Qt style sheet for every window, if present

Environment:
  QUILLORA_PORTS  maps connection names to device paths, for example
                  'COM1=/dev/pts/4;LPT1=./lp1.out'; see quillora(1).
  QUILLORA_LANG   zh or en, as --lang.
  XDG_DATA_HOME   where --data-home looks.

Serial devices need the group dialout, printer devices the group lp:
  sudo usermod -aG dialout,lp "$USER"   (then log in again)
)";
}

std::string VersionText() {
    return std::string(kAppDisplayName) + " " + kFileVersion + "\n";
}

std::string DataHomeFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/')
        return std::string(xdgDataHome) + "/quillora";
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/share/quillora";
    return {};
}

std::error_code EnterFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return error;
    if (::chdir(folder.c_str()) != 0) return {errno, std::generic_category()};
    return {};
}

}  // namespace quillora
