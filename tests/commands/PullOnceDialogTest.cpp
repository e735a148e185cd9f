#include "app/DataExchange.h"
#include "commands/CommandDialogFixture.h"

namespace quillora::test {
namespace {

using EveryCommandButton = CommandDialogTest;

// Every command button pulls the fields exactly once, before its first send, and carries
// on after the prompt of a failed pull.
TEST_F(EveryCommandButton, ClickWhileCopiesHoldLettersPromptsOnceThenRuns) {
    Open(kCom1);
    h.WriteFile("job.prn", "ABC");
    const std::vector<int> buttons{
        ctl::SinglePrint,     ctl::HalfCut,      ctl::FullCut,         ctl::Feed,
        ctl::CashDrawer,      ctl::Barcode,      ctl::Enlargement,     ctl::BlackMarkFeed,
        ctl::Alignment,       ctl::PrintFile,    ctl::BlackMarkSwitch, ctl::NearEndSwitch,
        ctl::PaperTakeSwitch, ctl::CutterSwitch, ctl::NearEndQuery,    ctl::PaperTakenQuery,
        ctl::SerialStatus,
    };
    size_t callsWhenPrompted = 0;
    h.messages.onShow = [&](const RecordingMessages::Shown& shown) {
        if (shown.icon == MessageIcon::Exclamation) callsWhenPrompted = h.ports.Calls().size();
    };
    for (int id : buttons) {
        callsWhenPrompted = 99;
        h.ports.Clear();
        h.messages.shown.clear();
        h.ports.replies = {std::string("\x12\x12", 2)};
        h.files.answers = {QString::fromStdString(h.Path("job.prn"))};
        SetCopies("abc");
        Click(id);
        ASSERT_FALSE(h.messages.shown.empty()) << id;
        EXPECT_EQ(h.messages.shown[0].text, EnterIntegerPrompt()) << id;
        EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Exclamation) << id;
        EXPECT_EQ(callsWhenPrompted, 0u) << id;
        size_t prompts = 0;
        for (const auto& shown : h.messages.shown)
            prompts += shown.icon == MessageIcon::Exclamation;
        EXPECT_EQ(prompts, 1u) << id;
        EXPECT_FALSE(h.ports.Calls("SendData").empty()) << id;
    }
    h.messages.onShow = nullptr;
}

}  // namespace
}  // namespace quillora::test
