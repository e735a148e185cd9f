#include "checks/SendChecks.h"

#include <memory>

#include "commands/OneShotTexts.h"
#include "commands/PortExchange.h"
#include "commands/SendReport.h"
#include "commands/WholeFile.h"

namespace quillora {

SendTally SendBlocksThrough(CheckHost& host, const PortName& port,
                            const std::vector<CommandBlock>& blocks) {
    return host.Send(port, TotalLength(blocks),
                     [&](SendChannel& channel) { SendBlocks(channel, blocks); });
}

std::optional<ReadyCheck> PrepareBlocks(std::vector<CommandBlock> blocks) {
    return [blocks = std::move(blocks)](CheckHost& host) {
        const PortName port = host.Port();
        host.ReportSend({port, SendBlocksThrough(host, port, blocks), {}, {}, {}});
    };
}

std::optional<ReadyCheck> PrepareSinglePrint(CheckHost& host) {
    const std::optional<std::string> text = host.SampleText();
    if (!text) return std::nullopt;
    return [block = SinglePrintBlock(*text)](CheckHost& host) {
        const PortName port = host.Port();
        const SendTally tally = SendBlocksThrough(host, port, {block});
        host.ReportSend({port, tally, PartialSendText(int(tally.taken), int(tally.total)), {}, {}});
    };
}

std::optional<ReadyCheck> PreparePrintFile(CheckHost& host) {
    const std::optional<std::string> path = host.ChooseFile(FileKind::Any);
    if (!path) return std::nullopt;
    auto file = std::make_shared<const WholeFile>(ReadWholeFile(*path));
    if (file->outcome == WholeFile::Outcome::TooLarge) {
        host.Refuse({FileTooLargeText(), MessageIcon::Information, FileTooLargeText()});
        return std::nullopt;
    }
    if (file->outcome != WholeFile::Outcome::Read) {
        host.Refuse({FileUnreadableText(*path, file->error), MessageIcon::Exclamation,
                     "cannot be read: " + file->error.message()});
        return std::nullopt;
    }
    return [file](CheckHost& host) {
        // Raw, in pieces read as they go out: never the whole of a large file in memory.
        const PortName port = host.Port();
        const SendTally tally = host.Send(
            port, file->Length(), [&](SendChannel& channel) { SendWholeFile(channel, *file); });
        host.ReportSend({port, tally, {}, {}, {}});
    };
}

std::optional<ReadyCheck> PrepareSwitchOf(CheckHost& host, const FunctionSwitch& function) {
    const std::optional<bool> on = host.SwitchOn(function);
    if (!on) return std::nullopt;
    return PrepareBlocks({FunctionSwitchBlock(*on ? function.onByte : function.offByte)});
}

}  // namespace quillora
