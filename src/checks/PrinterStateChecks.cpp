#include "checks/PrinterStateChecks.h"

#include <string>
#include <vector>

#include "commands/PrinterQueries.h"
#include "status/StatusLights.h"
#include "texts/Texts.h"

namespace quillora {

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
            // The result line takes the report in one line.
            message.text = texts::Joined(lines, ", ");
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
            message.text = InformationText(information, ", ");
            message.outcome = CheckOutcome::Ok;
        }
        host.Report(message);
    };
}

}  // namespace quillora
