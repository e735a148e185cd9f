#pragma once

namespace quillora::cli {

class PageDrawing;

// The whole program after start-up: reads the arguments after the program's name, writes
// results to standard output and problems to standard error, returns the exit status.
// `pages`: what draws pages, in quillora-cli-full; without it, a run that draws pages is
// handed over to that program with the same `argv`.
int CliProgram(int argc, char* argv[], PageDrawing* pages);

}  // namespace quillora::cli
