// The spooler on CUPS, through libcups and its IPP requests. Every call uses the calling
// thread's default connection to the scheduler (libcups keeps one per thread), so the
// continuous-print worker may use it as well.
#include <cups/cups.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <memory>

#include "driverprint/DeviceEntry.h"
#include "driverprint/Spooler.h"
#include "platform/InputFile.h"

namespace quillora {
namespace {

struct IppDeleter {
    void operator()(ipp_t* message) const { ippDelete(message); }
};
using IppMessage = std::unique_ptr<ipp_t, IppDeleter>;

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
using Dest = std::unique_ptr<cups_dest_t, DestDeleter>;

// The destination list of cupsGetDests2, freed as one block.
class DestList {
public:
    DestList() : count_(cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_)) {}
    ~DestList() { cupsFreeDests(count_, dests_); }
    DestList(const DestList&) = delete;
    DestList& operator=(const DestList&) = delete;

    cups_dest_t* Find(const std::string& name) const {
        return cupsGetDest(name.c_str(), nullptr, count_, dests_);
    }
    void MakeOnlyDefault(cups_dest_t* chosen) {
        for (int i = 0; i < count_; ++i) dests_[i].is_default = 0;
        chosen->is_default = 1;
    }
    int Save() const { return cupsSetDests2(CUPS_HTTP_DEFAULT, count_, dests_); }

private:
    cups_dest_t* dests_ = nullptr;
    int count_;
};

SpoolerStatus LastStatus() {
    return {static_cast<int>(cupsLastError()), cupsLastErrorString()};
}

// A failure that libcups answered without a status of its own still reads as "not found".
SpoolerStatus FailureStatus() {
    SpoolerStatus status = LastStatus();
    if (status.Ok()) status = {static_cast<int>(IPP_STATUS_ERROR_NOT_FOUND), "not found"};
    return status;
}

std::string DestOption(const cups_dest_t& dest, const char* name) {
    const char* value = cupsGetOption(name, dest.num_options, dest.options);
    return value ? value : "";
}

bool MayNotAdminister(ipp_status_t status) {
    return status == IPP_STATUS_ERROR_FORBIDDEN || status == IPP_STATUS_ERROR_NOT_AUTHENTICATED ||
           status == IPP_STATUS_ERROR_NOT_AUTHORIZED;
}

class CupsSpooler final : public Spooler {
public:
    PrinterList LocalPrinters() const override {
        IppMessage request(ippNewRequest(IPP_OP_CUPS_GET_PRINTERS));
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                     nullptr, "printer-name");
        // Queues that this scheduler only relays for another one are not local.
        ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_ENUM, "printer-type", 0);
        ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_ENUM, "printer-type-mask",
                      CUPS_PRINTER_REMOTE);
        // cupsDoRequest takes the request over.
        const IppMessage response(cupsDoRequest(CUPS_HTTP_DEFAULT, request.release(), "/"));
        PrinterList list;
        list.status = LastStatus();
        if (!response) return list;
        for (ipp_attribute_t* attribute =
                 ippFindAttribute(response.get(), "printer-name", IPP_TAG_NAME);
             attribute;
             attribute = ippFindNextAttribute(response.get(), "printer-name", IPP_TAG_NAME)) {
            list.names.emplace_back(ippGetString(attribute, 0, nullptr));
        }
        return list;
    }

    PrinterName DefaultPrinterName() const override {
        const Dest dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
        if (!dest) return {{}, FailureStatus()};
        return {dest->name, {}};
    }

    SetDefaultResult SetDefaultPrinter(const std::string& name) override {
        char uri[HTTP_MAX_URI];
        httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                         "/printers/%s", name.c_str());
        IppMessage request(ippNewRequest(IPP_OP_CUPS_SET_DEFAULT));
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name",
                     nullptr, cupsUser());
        ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, request.release(), "/admin/"));
        if (!MayNotAdminister(cupsLastError())) return {LastStatus(), DefaultScope::Server};
        return {SetUserDefault(name), DefaultScope::User};
    }

    std::string DefaultDeviceEntry() const override {
        const Dest dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
        if (!dest) return ",,,";
        return FormatDeviceEntry(dest->name, DestOption(*dest, "printer-make-and-model"),
                                 DestOption(*dest, "device-uri"));
    }

    SpoolerStatus CheckPrinter(const std::string& name) const override {
        if (name.empty()) return {static_cast<int>(IPP_STATUS_ERROR_NOT_FOUND), "no printer name"};
        const Dest dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr));
        if (!dest) return FailureStatus();
        return {};
    }

    PrintFileResult PrintFile(const std::string& path) override {
        const PrinterName printer = DefaultPrinterName();
        if (!printer.status.Ok()) return {printer.status, 0};
        // A named pipe without a writer reads as empty rather than holding the window.
        const OpenedInput file = OpenInput(path);
        if (file.error) {
            return {{static_cast<int>(IPP_STATUS_ERROR_NOT_FOUND),
                     "cannot read " + path + ": " + file.error.message()},
                    0};
        }
        if (file.seekable && file.length > kMaxDocumentBytes) return {DocumentTooLarge(path), 0};
        const char* queue = printer.name.c_str();
        const std::string title = std::filesystem::path(path).filename().string();
        const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue, title.c_str(), 0, nullptr);
        if (job == 0) return {FailureStatus(), 0};
        bool tooLarge = false;
        if (!SendDocument(queue, job, file.fd.Get(), tooLarge)) {
            const SpoolerStatus status = tooLarge ? DocumentTooLarge(path) : FailureStatus();
            // A job left without its document would wait for one forever.
            cupsCancelJob2(CUPS_HTTP_DEFAULT, queue, job, 0);
            return {status, job};
        }
        return {{}, job};
    }

private:
    static SpoolerStatus DocumentTooLarge(const std::string& path) {
        return {static_cast<int>(IPP_STATUS_ERROR_REQUEST_ENTITY),
                path + " is longer than " + std::to_string(kMaxDocumentBytes) + " bytes"};
    }

    // Sends the file as the job's only document without a document name, so that the
    // scheduler types it by its content rather than by a ".doc" name that no filter takes.
    // A stream longer than kMaxDocumentBytes (a device in the file's place) stops there.
    static bool SendDocument(const char* queue, int job, int fd, bool& tooLarge) {
        if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue, job, nullptr, CUPS_FORMAT_AUTO, 1) !=
            HTTP_STATUS_CONTINUE) {
            return false;
        }
        std::array<char, 8192> buffer;
        std::int64_t sent = 0;
        bool failed = false;
        for (;;) {
            const ssize_t got = ::read(fd, buffer.data(), buffer.size());
            if (got < 0 && errno == EINTR) continue;
            if (got == 0) break;
            sent += got;
            tooLarge = sent > kMaxDocumentBytes;
            failed = got < 0 || tooLarge ||
                     cupsWriteRequestData(CUPS_HTTP_DEFAULT, buffer.data(), std::size_t(got)) !=
                         HTTP_STATUS_CONTINUE;
            if (failed) break;
        }
        return cupsFinishDocument(CUPS_HTTP_DEFAULT, queue) == IPP_STATUS_OK && !failed;
    }

    // The user's own default, kept by libcups in the user's options file.
    static SpoolerStatus SetUserDefault(const std::string& name) {
        DestList dests;
        cups_dest_t* chosen = dests.Find(name);
        if (!chosen) return FailureStatus();
        dests.MakeOnlyDefault(chosen);
        if (dests.Save() != 0) return FailureStatus();
        return {};
    }
};

}  // namespace

std::unique_ptr<Spooler> CreateCupsSpooler() {
    return std::make_unique<CupsSpooler>();
}

}  // namespace quillora
