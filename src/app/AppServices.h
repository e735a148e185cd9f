#pragma once

namespace quillora {

class PortDriver;
class MessageService;
class FileDialogService;
class TickClock;
class Spooler;

// What the main window needs from outside itself. Start-up hands it the real ones; tests
// hand it fakes that record and answer.
struct AppServices {
    PortDriver& ports;
    MessageService& messages;
    FileDialogService& files;
    TickClock& clock;
    Spooler& spooler;
};

}  // namespace quillora
