#pragma once

#include <string>
#include <vector>

namespace quillora {

// Which printer the chooser's list preselects for the default printer `defaultName`.
// An empty name selects the first item. Otherwise an item equal to the name (letter case
// ignored) is chosen; failing that, the list's prefix search: the first item that begins
// with the name, letter case ignored, searching from the second item to the end and then
// the first. Returns `current` when nothing matches; -1 stands for no selection.
int PreselectedPrinter(const std::vector<std::string>& items, const std::string& defaultName,
                       int current);

}  // namespace quillora
