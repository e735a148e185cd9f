// quillora-cli: the printer tests from a terminal or a script, without a display. A run
// that draws pages is handed over to quillora-cli-full (full_main.cpp).
#include "cli/CliMain.h"

int main(int argc, char* argv[]) {
    return quillora::cli::CliProgram(argc, argv, nullptr);
}
