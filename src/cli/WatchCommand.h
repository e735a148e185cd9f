#pragma once

#include "cli/CliOptions.h"
#include "port/PortDriver.h"

namespace quillora::cli {

// quillora-cli watch: the printer's status kept live on `port`, each change printed once as
// it comes ("09:05:03 上盖: 打开", or one JSON object a line with --json). Returns 0 after
// --seconds, 1 as soon as the printer stops answering.
int Watch(const CliOptions& options, PortDriver& driver, const PortName& port);

}  // namespace quillora::cli
