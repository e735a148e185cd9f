#include "commands/CommandDialogFixture.h"

namespace quillora::test {
namespace {

class StatusQueryButtons : public CommandDialogTest {
protected:
    // Clicks `id` with `reply` queued; returns the one message shown.
    QString Ask(int id, const std::string& reply) {
        h.ports.Clear();
        h.messages.shown.clear();
        h.ports.replies = {reply};
        Click(id);
        EXPECT_EQ(h.messages.shown.size(), 1u);
        if (h.messages.shown.empty()) return {};
        EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Information);
        return h.messages.shown[0].text;
    }
};

TEST_F(StatusQueryButtons, NonSerialConnectionsAreRefusedBeforeAnythingIsSent) {
    for (Entry entry : {kLpt1, kUsb1, kIp}) {
        Open(entry);
        for (int id : {ctl::NearEndQuery, ctl::PaperTakenQuery, ctl::SerialStatus}) {
            EXPECT_EQ(Ask(id, "\x12"), QString::fromUtf8("目前仅支持串口打印机!"))
                << entry << " " << id;
            EXPECT_TRUE(h.ports.Calls().empty()) << entry << " " << id;
        }
    }
}

TEST_F(StatusQueryButtons, EachQuerySendsOnceReadsItsCountAndShowsTheDecodedReply) {
    Open(kCom2);
    struct Case {
        int id;
        std::string queryHex;
        int count;
        std::vector<std::pair<std::string, const char*>> replies;  // reply -> message
    };
    const std::vector<Case> cases{
        {ctl::NearEndQuery,
         "10 04 04",
         1,
         {{"\x0C", "纸将尽"}, {"\x73", "纸ok"}, {"", "读取数据失败!"}}},
        {ctl::PaperTakenQuery,
         "1D 46 01",
         1,
         {{"\x32", "无纸!"},
          {"\x12", "有纸!"},
          {"\x9A", "返回数据不正确:0x9a"},
          {"", "读取返回数据失败!"}}},
        {ctl::SerialStatus,
         "10 04 02 10 04 04",
         2,
         {{"\x36\x1E", "返回值:0x36,0x1e,盖打开,缺纸,纸将尽"},
          {"\x12\x12", "返回值:0x12,0x12,盖关好,有纸,"},
          // The printer answered only the first of the two queries.
          {"\x12", "读取数据失败!"}}},
    };
    for (const Case& c : cases) {
        for (const auto& [reply, message] : c.replies) {
            EXPECT_EQ(Ask(c.id, reply), QString::fromUtf8(message)) << c.id << " " << ToHex(reply);
            const auto calls = h.ports.Calls();
            ASSERT_EQ(calls.size(), 2u) << c.id;
            EXPECT_EQ(calls[0].operation, "SendData");
            EXPECT_EQ(ToHex(calls[0].bytes), c.queryHex);
            EXPECT_EQ(calls[1].operation, "ReadData");
            EXPECT_EQ(calls[1].args, std::vector<int>{c.count});
            EXPECT_EQ(PortsUsed(), std::vector<PortName>(2, "COM2"));
        }
    }
}

}  // namespace
}  // namespace quillora::test
