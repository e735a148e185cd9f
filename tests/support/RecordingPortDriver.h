#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "port/PortDriver.h"

namespace quillora::test {

// A port driver that records every call in order and answers from a script.
class RecordingPortDriver : public PortDriver {
public:
    struct Call {
        std::string operation;  // "SetComParam", "SendData", "ReadData", ...
        PortName port;
        std::string bytes;      // SendData: the bytes sent; ReadData: the bytes handed back
        std::vector<int> args;  // SetComParam: baud, data bits, parity, stop bits, flow
    };

    int comCount = 0, lptCount = 0, usbCount = 0;
    // SendData's result for a call of `length` bytes; by default every byte is taken.
    std::function<int(const PortName&, int length)> sendResult = [](const PortName&, int length) {
        return length;
    };
    // ReadData hands out queued replies, one per call, trimmed to the count asked for.
    std::deque<std::string> replies;
    // What LastErrorText gives for every port.
    std::string lastError;

    int GetCOMMax() override { return Record("GetCOMMax"), comCount; }
    int GetLPTMax() override { return Record("GetLPTMax"), lptCount; }
    int GetUSBPort() override { return Record("GetUSBPort"), usbCount; }
    int SetComParam(const PortName& port, int baud, int dataBits, int parity, int stopBits,
                    int flow) override {
        std::lock_guard lock(mutex_);
        calls_.push_back({"SetComParam", port, {}, {baud, dataBits, parity, stopBits, flow}});
        return 1;
    }
    int ShowCOMSettingDlg(const PortName& port) override {
        std::lock_guard lock(mutex_);
        calls_.push_back({"ShowCOMSettingDlg", port, {}, {}});
        return 1;
    }
    int SendData(const PortName& port, const std::uint8_t* data, int length) override {
        const int result = sendResult(port, length);
        std::lock_guard lock(mutex_);
        calls_.push_back({"SendData",
                          port,
                          std::string(reinterpret_cast<const char*>(data), size_t(length)),
                          {length}});
        return result;
    }
    int ReadData(const PortName& port, std::uint8_t* buffer, int count) override {
        std::lock_guard lock(mutex_);
        std::string reply;
        if (!replies.empty()) {
            reply = replies.front().substr(0, size_t(count));
            replies.pop_front();
        }
        std::copy(reply.begin(), reply.end(), buffer);
        calls_.push_back({"ReadData", port, reply, {count}});
        return static_cast<int>(reply.size());
    }
    std::string LastErrorText(const PortName&) const override { return lastError; }

    std::vector<Call> Calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    // The calls of one operation only, in order.
    std::vector<Call> Calls(const std::string& operation) const {
        std::vector<Call> matching;
        for (const Call& call : Calls()) {
            if (call.operation == operation) matching.push_back(call);
        }
        return matching;
    }
    std::vector<std::string> SentBlocks() const {
        std::vector<std::string> blocks;
        for (const Call& call : Calls("SendData")) blocks.push_back(call.bytes);
        return blocks;
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        calls_.clear();
    }

private:
    void Record(const char* operation) {
        std::lock_guard lock(mutex_);
        calls_.push_back({operation, {}, {}, {}});
    }

    mutable std::mutex mutex_;
    std::vector<Call> calls_;
};

}  // namespace quillora::test
