#pragma once

#include <cstdint>
#include <string>

namespace quillora {

// A connection name in 8-bit text: "COM%d", "LPT%d", "USB%d" or a dotted IPv4 address;
// empty when nothing is selected.
using PortName = std::string;

// The seven operations through which every printer byte passes. A driver never shows a
// dialog for an error: it returns the counts defined here and keeps the OS error text,
// and the caller decides what the user sees. Safe to call from the UI thread and the
// continuous-print worker.
class PortDriver {
public:
    virtual ~PortDriver() = default;

    // Ports present, numbered from 1 in the connection list.
    virtual int GetCOMMax() = 0;
    virtual int GetLPTMax() = 0;
    virtual int GetUSBPort() = 0;

    // Parity is a letter code ('N' = 78). The flow-control codes are the driver's own.
    virtual int SetComParam(const PortName& port, int baudRate, int dataBits, int parity,
                            int stopBits, int flowControl) = 0;

    // The driver's own modal serial-settings dialog; returns when it closes.
    virtual int ShowCOMSettingDlg(const PortName& port) = 0;

    // Blocks until the bytes are handed to the connection; returns how many were taken
    // (0 when none were). The buffer is not kept after the call.
    virtual int SendData(const PortName& port, const std::uint8_t* data, int length) = 0;

    // Waits a bounded time for `count` bytes; returns how many arrived.
    virtual int ReadData(const PortName& port, std::uint8_t* buffer, int count) = 0;

    // The last OS error met on `port`, for a caller or a log ("" when none).
    virtual std::string LastErrorText(const PortName& port) const = 0;

    // For a caller on another thread than the one in SendData on `port`: that call stops
    // waiting within a fraction of a second and returns the count taken so far (the bytes
    // taken stay sent). A SendData that starts afterwards is not affected. Drivers that
    // cannot abandon a send ignore it.
    virtual void CancelSend(const PortName& port) { (void)port; }
    // Bytes taken so far by the SendData running on `port`; 0 when none runs and from
    // drivers that cannot tell. It drops to 0 before SendData returns its count.
    virtual std::int64_t SendProgress(const PortName& port) const {
        (void)port;
        return 0;
    }
    // True when a SendData of `length` bytes on `port`, made now, would hand every byte over
    // without waiting: the connection is open, idle and has room for them. A caller may then
    // make a short send on its own thread instead of handing it to another. False from
    // drivers that cannot tell.
    virtual bool TakesAtOnce(const PortName& port, int length) {
        (void)port, (void)length;
        return false;
    }
};

}  // namespace quillora
