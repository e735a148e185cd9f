#pragma once

#include "cli/CliOptions.h"

namespace quillora::cli {

// Whether the run draws pages: a catalogue test that prints through the spooler, or the
// receipts of --preview and --port none. quillora-cli leaves those to quillora-cli-full, so
// that a port run loads neither Qt Gui nor the spooler's libraries.
bool NeedsPageDrawing(const CliOptions& options);

// Replaces this process by quillora-cli-full, found beside this program as the package
// installs it, with the same arguments. Returns only when that failed, with kExitUsage,
// after saying why on standard error.
int HandOverToFullProgram(char* const argv[]);

}  // namespace quillora::cli
