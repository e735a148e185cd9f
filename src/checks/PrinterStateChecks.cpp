#include "checks/PrinterStateChecks.h"

#include <string>
#include <vector>

#include "commands/PrinterQueries.h"
#include "status/StatusLights.h"
#include "texts/Texts.h"

namespace quillora {
namespace {

// The result line takes the report in one line.
std::string OnOneLine(const std::vector<std::string>& parts) {
    std::string line;
    for (const std::string& part : parts) line += (line.empty() ? "" : ", ") + part;
    return line;
}

}  // namespace

std::optional<ReadyCheck> PreparePrinterStatus(CheckHost&) {
    return [](CheckHost& host) {
        std::string reply;
        const std::optional<PrinterState> state =
            QueryRealTimeStatus(host.Ports(), host.Port(), &reply);
        CheckMessage message{CheckOutcome::Failed,
                             texts::translate("PrinterStateChecks", "读取数据失败!"),
                             MessageIcon::Information};
        message.reply = reply;
        if (state) {
            std::vector<std::string> lines;
            for (const Light& light : LightsOf({true, false, *state})) {
                lines.push_back(LightLine(light));
            }
            message.text = OnOneLine(lines);
            message.status = FieldsOf(*state);
            if (!ReportsFault(*state)) message.outcome = CheckOutcome::Ok;
        }
        host.Report(message);
    };
}

std::optional<ReadyCheck> PreparePrinterInformation(CheckHost&) {
    return [](CheckHost& host) {
        const PrinterInformation information = QueryPrinterInformation(host.Ports(), host.Port());
        CheckMessage message{CheckOutcome::Failed,
                             texts::translate("PrinterStateChecks", "打印机没有回答!"),
                             MessageIcon::Information};
        if (information.Answered()) {
            std::vector<std::string> lines;
            for (const auto& [caption, value] : InformationFields(information)) {
                lines.push_back(caption + ": " + value);
            }
            message.text = OnOneLine(lines);
            message.outcome = CheckOutcome::Ok;
        }
        host.Report(message);
    };
}

}  // namespace quillora
