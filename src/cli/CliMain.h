#pragma once

#include <QStringList>

namespace quillora::cli {

// The whole program after start-up: reads `arguments` (without the program's name),
// writes results to standard output and problems to standard error, returns the exit
// status.
int CliMain(const QStringList& arguments);

}  // namespace quillora::cli
