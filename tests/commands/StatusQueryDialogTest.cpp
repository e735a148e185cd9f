#include "commands/CommandDialogFixture.h"

namespace quillora::test {
namespace {

struct Exchange {
    std::string sentHex;
    int countAsked;
};

class StatusQueryExchange : public CommandDialogTest {
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
    // The calls of the last click: one send, then one read.
    Exchange Calls() const {
        const auto calls = h.ports.Calls();
        EXPECT_EQ(calls.size(), 2u);
        if (calls.size() != 2u) return {};
        EXPECT_EQ(calls[0].operation, "SendData");
        EXPECT_EQ(calls[1].operation, "ReadData");
        return {ToHex(calls[0].bytes), calls[1].args.at(0)};
    }
    static QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
};

TEST_F(StatusQueryExchange, NonSerialConnectionsAreRefusedBeforeAnythingIsSent) {
    for (Entry entry : {kLpt1, kUsb1, kIp}) {
        Open(entry);
        for (int id : {ctl::NearEndQuery, ctl::PaperTakenQuery, ctl::SerialStatus}) {
            EXPECT_EQ(Ask(id, "\x12"), Text("目前仅支持串口打印机!")) << entry << " " << id;
            EXPECT_TRUE(h.ports.Calls().empty()) << entry << " " << id;
        }
    }
}

TEST_F(StatusQueryExchange, NearEndQueryReadsOneByte) {
    Open(kCom2);
    EXPECT_EQ(Ask(ctl::NearEndQuery, "\x0C"), Text("纸将尽"));
    const Exchange exchange = Calls();
    EXPECT_EQ(exchange.sentHex, "10 04 04");
    EXPECT_EQ(exchange.countAsked, 1);
    EXPECT_EQ(PortsUsed(), std::vector<PortName>(2, "COM2"));
    EXPECT_EQ(Ask(ctl::NearEndQuery, "\x73"), Text("纸ok"));
    EXPECT_EQ(Ask(ctl::NearEndQuery, ""), Text("读取数据失败!"));
}

TEST_F(StatusQueryExchange, PaperTakenQueryReadsOneByte) {
    Open();
    EXPECT_EQ(Ask(ctl::PaperTakenQuery, "\x32"), Text("无纸!"));
    const Exchange exchange = Calls();
    EXPECT_EQ(exchange.sentHex, "1D 46 01");
    EXPECT_EQ(exchange.countAsked, 1);
    EXPECT_EQ(Ask(ctl::PaperTakenQuery, "\x12"), Text("有纸!"));
    EXPECT_EQ(Ask(ctl::PaperTakenQuery, "\x9A"), Text("返回数据不正确:0x9a"));
    EXPECT_EQ(Ask(ctl::PaperTakenQuery, ""), Text("读取返回数据失败!"));
}

TEST_F(StatusQueryExchange, SerialStatusSendsBothQueriesInOneCallAndReadsTwoBytes) {
    Open();
    EXPECT_EQ(Ask(ctl::SerialStatus, "\x36\x1E"), Text("返回值:0x36,0x1e,盖打开,缺纸,纸将尽"));
    const Exchange exchange = Calls();
    EXPECT_EQ(exchange.sentHex, "10 04 02 10 04 04");
    EXPECT_EQ(exchange.countAsked, 2);
    EXPECT_EQ(Ask(ctl::SerialStatus, "\x12\x12"), Text("返回值:0x12,0x12,盖关好,有纸,"));
    // The printer answered only the first of the two queries.
    EXPECT_EQ(Ask(ctl::SerialStatus, "\x12"), Text("读取数据失败!"));
}

}  // namespace
}  // namespace quillora::test
