#pragma once

#include <QString>
#include <string>
#include <variant>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/TestResult.h"

namespace quillora::cli {

// What every test may need besides its own argument.
struct TestContext {
    FatigueOptions fatigue;
    std::string printTxtPath;  // the window's "Print.txt", for the sample text
};

// Reads and checks every test's input (texts, files, pictures, counts) before anything is
// sent; the first problem met refuses the whole run.
std::variant<std::vector<PreparedTest>, UsageError> PrepareTests(const QStringList& specs,
                                                                 const TestContext& context);

}  // namespace quillora::cli
