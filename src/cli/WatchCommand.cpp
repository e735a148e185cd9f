#include "cli/WatchCommand.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "status/StatusHistory.h"
#include "status/StatusMonitor.h"

namespace quillora::cli {
namespace {

QByteArray ChangeLine(const CliOptions& options, const TimeOfDay& time, const Light& light) {
    if (!options.json)
        return QByteArray::fromStdString(StatusHistory::Line({time, LightLine(light)}) + '\n');
    const QJsonObject object{
        {QStringLiteral("time"), QString::fromStdString(StatusHistory::TimeText(time))},
        {QStringLiteral("key"), QLatin1String(light.key)},
        {QStringLiteral("name"), QString::fromStdString(light.name)},
        {QStringLiteral("value"), QString::fromStdString(light.value)}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

}  // namespace

int Watch(const CliOptions& options, PortDriver& driver, const PortName& port) {
    SystemTickClock clock;
    ExchangeGate gate;  // this program's only caller, but the monitor passes it all the same
    StatusMonitor monitor(driver, gate, clock, port,
                          options.poll ? StatusMode::Polling : StatusMode::Automatic);
    const std::uint32_t start = clock.TickCount();
    const auto over = [&] {
        return options.watchSeconds &&
               clock.TickCount() - start >= std::uint32_t(*options.watchSeconds) * 1000u;
    };
    int status = kExitPassed;
    while (!over()) {
        const std::vector<Light> changes = monitor.Step();
        const TimeOfDay now = clock.LocalTime();
        for (const Light& light : changes) {
            const QByteArray line = ChangeLine(options, now, light);
            std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
        }
        std::fflush(stdout);
        if (!monitor.Reading().responding) {
            status = kExitFailed;
            break;
        }
    }
    monitor.Finish();
    return status;
}

}  // namespace quillora::cli
