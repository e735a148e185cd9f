#include "virtual-printer/app/CommandLine.h"

#include <QCommandLineParser>
#include <cstdio>

#include "virtual-printer/app/TcpEndpoint.h"

namespace vprinter {
namespace {

constexpr const char* kDescription =
    R"(A receipt printer that exists only in software. It listens on a loopback TCP
address and, if asked, on a pseudo-terminal standing in for a serial printer; it
reads ESC/POS commands, answers status queries, and writes every receipt as a
576-dot-wide PNG of the paper with the raw bytes beside it.

A receipt ends at a cut (ESC m, ESC i, GS V), when its sender disconnects and
does not come back within --join-ms, or after --idle-ms without data, and only
if something was printed on it: feeds after a cut carry into the next receipt.

What it carries out:
  text        ESC @, ESC !, ESC E/ESC G, ESC -, GS B, ESC M, ESC SP, ESC V, GS !,
              ESC r (second colour, red in the PNG), FS !, FS -, FS S, FS W
  lines       LF, CR, ESC 2/ESC 3, ESC J, ESC d, ESC a, ESC $/ESC \, HT with
              ESC D, GS L/GS W, ESC {
  characters  ESC t (every table iconv renders), ESC R 0-15, FS &/FS . (GBK),
              FS ( C (UTF-8)
  barcodes    GS h, GS w, GS H, GS f; GS k: UPC-A, UPC-E, EAN13, EAN8, CODE39,
              ITF, CODABAR, CODE93, CODE128 ({A {B {C {S {1-{4 {{)
  2D codes    GS ( k: QR and PDF417
  pictures    ESC *, GS v 0, GS ( L/GS 8 L, FS q/FS p
  paper       GS V, ESC m, ESC i, ESC p, ESC 9 (drawer), BEL and ESC B (buzzer)
  status      DLE EOT, GS r, GS I, GS a, GS F
Skipped with one log line: clone printers' ESC 4, ESC 5, GS x, GS Z, ESC Z.

TCP senders are served one at a time, the others waiting; one that has sent
nothing for --idle-ms while another waits is closed. At most %1 connections
are held at once (the one served and the others waiting); more are reset as
they come. The log keeps at most %2 problem lines per receipt (a problem
repeated is one line with a count) and %3 lines per connection; a receipt
shows at most %4 problem marks and ends at %5 MiB of data. SIGTERM and SIGINT close every connection
at once (senders still writing see it reset), then the receipts under way are
written.

How it prints, where real printers may differ:
  - ESC * bit images (8-dot and 24-dot) are printed at once: consecutive bands
    are placed one below the other without gaps, and each data column is one
    dot wide, whatever the density. A real printer may put consecutive bands
    side by side until a line feed, and widen single-density columns.
  - Text is a 12 x 24 dot cell per single-byte character and 24 x 24 per GBK
    character, scaled by GS !; lines are 30 dots apart or as tall as their
    tallest character.
  - Barcodes are 162 dots high (GS h) with 3-dot modules (GS w; narrower if
    too wide) and their text under them (GS H). A JAN13/JAN8/UPC-A check
    digit that is wrong is replaced by the right one in the bars, and the
    receipt says so. QR model 1 is drawn as model 2; PDF417 rows are as
    libzint makes them.
  - It starts in GBK double-byte mode; FS . or ESC t leave it, FS & returns.
  - "ESC p m" sent without its two pulse times (some client libraries do)
    is taken as a pulse when an ESC, GS or FS follows at once.
  - FS q NV images stay for the life of this process (up to 1 MiB).
  - GS r n and GS I n are answered at once, like DLE EOT n; GS I names the
    model "QUILLORA VP-80".
  - GS a n (automatic status back) sends its 4 bytes when enabled and whenever
    an enabled item changes, on the connection that enabled it, until that
    connection closes.
  - With --control, sensors change while it runs: each line written to the
    FIFO (cover-open, cover-closed, paper-out, paper-near-end, paper-ok) takes
    effect at once, for example: echo paper-out > /tmp/vp.ctl
    paper-out and paper-near-end each replace the other, as the flags alone.
  - DLE EOT n and GS F 01 are answered at once; GS F n switches are kept and
    logged. Bytes it does not understand are logged with their offset in the
    receipt's .bin file and printed as a black box with their hex value.)";

// A day: longer waits are surely a mistake, and the timers count in int milliseconds.
constexpr int kLongestWaitMs = 86'400'000;

}  // namespace

std::optional<Options> ParseCommandLine(const QStringList& arguments, int& exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(kDescription)
                                         .arg(TcpEndpoint::kMaxConnections)
                                         .arg(Journal::kLinesPerReceipt)
                                         .arg(EndpointSession::kLinesPerConnection)
                                         .arg(Journal::kMarksPerReceipt)
                                         .arg(kMaxReceiptBytes >> 20));
    parser.addHelpOption();
    // An option; a value name makes it take a value.
    const auto option = [](const char* name, const char* help, const char* valueName = "") {
        return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(help),
                                  QString::fromLatin1(valueName));
    };
    const QCommandLineOption tcp = option(
        "tcp", "Listen on ADDRESS:PORT, a 127.x.y.z address (default 127.0.0.1:9100), or \"off\".",
        "ADDRESS:PORT");
    const QCommandLineOption pty = option(
        "pty-link",
        "Offer a serial line: create a pseudo-terminal and a symbolic link to it at PATH.", "PATH");
    const QCommandLineOption out =
        option("out", "Folder for receipts and printer.log (default virtual-printer-out).", "DIR");
    const QCommandLineOption cover = option("cover-open", "Report the cover as open.");
    const QCommandLineOption paperOut = option("paper-out", "Report no paper.");
    const QCommandLineOption nearEnd =
        option("paper-near-end", "Report the paper roll near its end.");
    const QCommandLineOption control =
        option("control",
               "While listening, create a FIFO at PATH (removed at exit); each line written to "
               "it changes the sensors at once: cover-open, cover-closed, paper-out, "
               "paper-near-end, paper-ok.",
               "PATH");
    const QCommandLineOption join = option(
        "join-ms", "A reconnection within MS continues the same receipt (default 300).", "MS");
    const QCommandLineOption idle =
        option("idle-ms",
               "End a receipt after MS without data on an open connection, and close a TCP "
               "connection silent that long while another sender waits (default 2000; at "
               "most 86400000).",
               "MS");
    const QCommandLineOption replay = option(
        "replay",
        "Print the bytes of FILE as one connection, then exit (may be repeated; no listening).",
        "FILE");
    parser.addOptions({tcp, pty, out, cover, paperOut, nearEnd, control, join, idle, replay});
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        exitCode = 2;
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::printf("%s", qPrintable(parser.helpText()));
        exitCode = 0;
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "unexpected argument: %s (see --help)\n",
                     qPrintable(parser.positionalArguments().first()));
        exitCode = 2;
        return std::nullopt;
    }

    Options options;
    exitCode = 2;
    if (parser.isSet(tcp)) {
        const QString value = parser.value(tcp);
        if (value == QStringLiteral("off")) {
            options.tcp = false;
        } else {
            const int colon = value.lastIndexOf(QLatin1Char(':'));
            bool portOk = false;
            const uint port = value.mid(colon + 1).toUInt(&portOk);
            options.tcpAddress = QHostAddress(value.left(colon));
            // Only loopback: this printer is for this machine, never for the network.
            if (colon < 0 || !portOk || port == 0 || port > 65535 ||
                options.tcpAddress.protocol() != QHostAddress::IPv4Protocol ||
                !options.tcpAddress.isLoopback()) {
                std::fprintf(stderr, "--tcp wants 127.x.y.z:PORT or off, not %s\n",
                             qPrintable(value));
                return std::nullopt;
            }
            options.tcpPort = static_cast<quint16>(port);
        }
    }
    const auto milliseconds = [&](const QCommandLineOption& option, int& target) {
        if (!parser.isSet(option)) return true;
        bool ok = false;
        const qlonglong value = parser.value(option).toLongLong(&ok);
        if (ok && value > 0 && value <= kLongestWaitMs) {
            target = static_cast<int>(value);
            return true;
        }
        std::fprintf(stderr, "--%s wants a number of milliseconds from 1 to %d, not %s\n",
                     qPrintable(option.names().first()), kLongestWaitMs,
                     qPrintable(parser.value(option)));
        return false;
    };
    if (!milliseconds(join, options.joinMilliseconds) ||
        !milliseconds(idle, options.idleMilliseconds)) {
        return std::nullopt;
    }
    options.ptyLink = parser.value(pty);
    options.controlPath = parser.value(control);
    if (parser.isSet(out)) options.outputDirectory = parser.value(out);
    options.sensors.coverOpen = parser.isSet(cover);
    options.sensors.paperOut = parser.isSet(paperOut);
    options.sensors.paperNearEnd = parser.isSet(nearEnd);
    options.replayFiles = parser.values(replay);
    exitCode = 0;
    return options;
}

}  // namespace vprinter
