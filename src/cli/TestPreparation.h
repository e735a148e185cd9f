#pragma once

#include <string>
#include <variant>
#include <vector>

#include "cli/CommandLineHost.h"
#include "cli/TestResult.h"

namespace quillora::cli {

// Reads and checks every test's input (texts, files, pictures, counts, queues) before
// anything is sent; the first problem met refuses the whole run. Each test is the
// catalogue's check of that command-line name. `arguments`: their bytes.
std::variant<std::vector<PreparedTest>, UsageError> PrepareTests(
    const std::vector<std::string>& arguments, const TestContext& context);

}  // namespace quillora::cli
