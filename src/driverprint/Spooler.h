#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillora {

// The outcome of a spooler request: code 0 on success, otherwise the spooler's own
// status code (an IPP status for CUPS) and its text.
struct SpoolerStatus {
    int code = 0;
    std::string text;
    bool Ok() const { return code == 0; }
};

// Where a new default printer was recorded.
enum class DefaultScope {
    Server,  // the scheduler's default, for every user (what the administration command sets)
    User,    // the user's own default: the scheduler refused the change to this user
};

struct SetDefaultResult {
    SpoolerStatus status;
    DefaultScope scope = DefaultScope::Server;
};

struct PrinterList {
    std::vector<std::string> names;
    SpoolerStatus status;
};

struct PrinterName {
    std::string name;  // "" when there is none
    SpoolerStatus status;
};

// The longest prepared document that is handed to the spooler; a device such as /dev/zero
// in its place stops there.
inline constexpr std::int64_t kMaxDocumentBytes = std::int64_t{64} << 20;

struct PrintFileResult {
    SpoolerStatus status;
    int jobId = 0;
};

// The system's print spooler, as driver printing needs it. Every call asks the spooler
// afresh; nothing is cached.
class Spooler {
public:
    virtual ~Spooler() = default;

    // Names of the locally defined queues, in the order the spooler reports them.
    virtual PrinterList LocalPrinters() const = 0;
    // The default printer's name; "" (and the spooler's status) when there is none.
    virtual PrinterName DefaultPrinterName() const = 0;
    // Makes `name` the default printer: the scheduler's default when this user may change
    // it, otherwise the user's own default.
    virtual SetDefaultResult SetDefaultPrinter(const std::string& name) = 0;
    // The system profile's "windows"/"device" entry: "printer,driver,port" for the default
    // destination (queue name, make and model, device URI), at most 79 characters; ",,,"
    // when there is no default.
    virtual std::string DefaultDeviceEntry() const = 0;
    // Whether `name` is a queue that can take jobs; the spooler's status when not.
    virtual SpoolerStatus CheckPrinter(const std::string& name) const = 0;
    // Sends the file to the default printer as a job of its own, without any window; a
    // file over kMaxDocumentBytes is refused (or its job cancelled when it is a stream).
    virtual PrintFileResult PrintFile(const std::string& path) = 0;
};

// The spooler of this machine: the CUPS scheduler that libcups is pointed at
// (CUPS_SERVER, client.conf).
std::unique_ptr<Spooler> CreateCupsSpooler();

}  // namespace quillora
