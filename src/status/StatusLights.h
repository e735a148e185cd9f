#pragma once

#include <string>
#include <utility>
#include <vector>

#include "commands/PrinterQueries.h"
#include "commands/StatusDecoding.h"

namespace quillora {

// What the live status knows of the printer.
struct StatusReading {
    bool responding = false;  // the last question was answered; false before the first
    bool automatic = false;   // kept live by automatic status back rather than polling
    PrinterState state;       // as last answered
};

enum class LightColour { Grey, Green, Yellow, Red };

// One light of the status window and one field of `watch`: the key is the script's name; the
// texts are UTF-8.
struct Light {
    const char* key;    // "cover"
    std::string name;   // "上盖"
    std::string value;  // "打开"
    LightColour colour;
};

// The eight lights in the window's order; all grey with "无响应" while the printer does not
// answer.
std::vector<Light> LightsOf(const StatusReading& reading);

// What changed from `before` to `after`, each once: the printer ceasing to answer is one
// entry (key "responding"); answering again is that entry and then every light.
std::vector<Light> ChangesBetween(const StatusReading& before, const StatusReading& after);

// "上盖: 打开"
std::string LightLine(const Light& light);

std::string NoResponseText();  // "无响应"

// What the printer said of itself, as (caption, value) in the window's order; only what it
// answered. Texts are read as GBK, which
// covers ASCII.
std::vector<std::pair<std::string, std::string>> InformationFields(
    const PrinterInformation& information);

// Those fields as "caption: value", with `separator` between them; "" when none answered.
std::string InformationText(const PrinterInformation& information, std::string_view separator);

}  // namespace quillora
