#pragma once

namespace quillora {

class PortDriver;
class MessageService;
class FileDialogService;
class TickClock;
class Spooler;
class TrafficLog;

// What the main window needs from outside itself. Start-up hands it the real ones; tests
// hand it fakes that record and answer.
struct AppServices {
    PortDriver& ports;
    MessageService& messages;
    FileDialogService& files;
    TickClock& clock;
    Spooler& spooler;
    // What the port driver has carried, for the traffic monitor; none without a record.
    TrafficLog* traffic = nullptr;
};

}  // namespace quillora
