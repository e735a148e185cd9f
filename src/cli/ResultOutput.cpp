#include "cli/ResultOutput.h"

#include "cli/JsonText.h"
#include "escpos/HexBytes.h"

namespace quillora::cli {
namespace {

const char* OutcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::Ok:
            return "ok";
        case Outcome::Failed:
            return "failed";
        case Outcome::Refused:
            return "refused";
    }
    return "";
}

json::Object StatusObject(const std::optional<StatusFields>& status) {
    json::Object object;
    if (!status) return object;
    const auto put = [&](const char* key, const std::optional<bool>& value) {
        if (value) object.emplace_back(key, *value);
    };
    put("paperNearEnd", status->paperNearEnd);
    put("coverOpen", status->coverOpen);
    put("paperOut", status->paperOut);
    put("paperPresent", status->paperPresent);
    if (status->unrecognised) object.emplace_back("unrecognised", true);
    return object;
}

std::string ReplyHex(const std::string& reply) {
    return escpos::HexBytes(reinterpret_cast<const std::uint8_t*>(reply.data()), reply.size());
}

}  // namespace

std::string ResultLines(const std::vector<TestResult>& results) {
    std::string lines;
    for (const TestResult& result : results) {
        lines += result.name + ": " + OutcomeName(result.outcome) + ": " + result.message + '\n';
    }
    return lines;
}

std::string ResultJson(const PortName& port, const std::vector<TestResult>& results,
                       int exitStatus) {
    json::Array tests;
    for (const TestResult& result : results) {
        tests.emplace_back(json::Object{
            {"name", result.name},
            {"outcome", OutcomeName(result.outcome)},
            {"bytesExpected", result.tally.total},
            {"bytesSent", result.tally.taken},
            {"reply", ReplyHex(result.reply)},
            {"status", StatusObject(result.status)},
            {"message", result.message},
            {"durationMs", result.durationMs},
        });
    }
    const json::Object document{{"port", port}, {"exitStatus", exitStatus}, {"tests", tests}};
    return json::Write(document, json::Layout::Indented);
}

std::string PortLines(const std::vector<PortListing>& ports) {
    std::string lines;
    for (const PortListing& port : ports) {
        lines += port.entry + '\t' + (port.target.empty() ? "(no device)" : port.target) + '\n';
    }
    return lines;
}

std::string PortJson(const std::vector<PortListing>& ports) {
    json::Array array;
    for (const PortListing& port : ports) {
        array.emplace_back(json::Object{{"name", port.entry}, {"target", port.target}});
    }
    return json::Write(array, json::Layout::Indented);
}

}  // namespace quillora::cli
