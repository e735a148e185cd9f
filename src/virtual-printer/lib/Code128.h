#pragma once

#include <QImage>
#include <QString>
#include <string>
#include <vector>

namespace vprinter {

// CODE128 as the printer reads GS k 73 data: "{A", "{B", "{C" select a code set anywhere
// ("{C" takes one byte 0..99 per pair of digits), "{S" shifts one character between A and
// B, "{1" to "{4" are the function characters (FNC1 makes GS1-128), "{{" is a brace.
struct Code128Symbol {
    std::vector<int> values;  // start character first; without check character and stop
    QString humanReadable;    // the characters encoded, digits for code set C
    std::string problem;      // why the data cannot be encoded; "" when it can
};

// The symbol for `data`, which starts with a code set selector.
Code128Symbol EncodeCode128Sets(const std::string& data);

// The modules of the whole symbol, '1' a bar and '0' a space: the values, the check
// character and the stop pattern.
std::string Code128Modules(const std::vector<int>& values);

// The modules drawn `moduleDots` wide and `heightDots` tall (Grayscale8, black bars).
QImage DrawModules(const std::string& modules, int moduleDots, int heightDots);

}  // namespace vprinter
