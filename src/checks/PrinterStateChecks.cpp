#include "checks/PrinterStateChecks.h"

#include <QCoreApplication>
#include <QStringList>

#include "commands/PrinterQueries.h"
#include "status/StatusLights.h"

namespace quillora {
namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("PrinterStateChecks", text);
}

}  // namespace

std::optional<ReadyCheck> PreparePrinterStatus(CheckHost&) {
    return [](CheckHost& host) {
        std::string reply;
        const std::optional<PrinterState> state =
            QueryRealTimeStatus(host.Ports(), host.Port(), &reply);
        CheckMessage message{CheckOutcome::Failed,
                             Tr(QT_TRANSLATE_NOOP("PrinterStateChecks", "读取数据失败!")),
                             MessageIcon::Information};
        message.reply = reply;
        if (state) {
            QStringList lines;
            for (const Light& light : LightsOf({true, false, *state})) lines << LightLine(light);
            message.text = lines.join(QStringLiteral(", "));
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
                             Tr(QT_TRANSLATE_NOOP("PrinterStateChecks", "打印机没有回答!")),
                             MessageIcon::Information};
        if (information.Answered()) {
            QStringList lines;
            for (const auto& [caption, value] : InformationFields(information)) {
                lines << caption + QStringLiteral(": ") + value;
            }
            message.text = lines.join(QStringLiteral(", "));
            message.outcome = CheckOutcome::Ok;
        }
        host.Report(message);
    };
}

}  // namespace quillora
