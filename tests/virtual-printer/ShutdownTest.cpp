// The printer program ends on SIGTERM and SIGINT through a signalfd; when it cannot have
// one it says so and does not start, rather than run on unable to write its last receipt.
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <thread>
#include <vector>

#include "support/LoopbackAddress.h"
#include "virtual-printer/PrinterHarness.h"

namespace vprinter::test {
namespace {

// Runs in the forked child before exec: from there on signalfd fails with EMFILE, as it
// does when the process is out of descriptors. Nothing else is refused.
void RefuseSignalfd() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_signalfd4, 2, 0),
#ifdef __NR_signalfd
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_signalfd, 1, 0),
#else
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_signalfd4, 1, 0),
#endif
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EMFILE & SECCOMP_RET_DATA)),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
        const char* reason = std::strerror(errno);
        [[maybe_unused]] const auto written = ::write(STDERR_FILENO, reason, std::strlen(reason));
        ::_exit(125);
    }
}

TEST(PrinterShutdownTest, RefusedSignalfdIsReportedAndThePrinterDoesNotStart) {
    const QString address = QString::fromStdString(quillora::test::LoopbackAddress(8, 8));
    PrinterProcess printer({QStringLiteral("--tcp"), address + QStringLiteral(":9100")},
                           RefuseSignalfd);
    EXPECT_FALSE(printer.Ready());
    EXPECT_EQ(printer.Stop(), 1);
    EXPECT_TRUE(printer.StartOutput().contains("signals: Too many open files\n"))
        << printer.StartOutput().constData();
    EXPECT_FALSE(printer.Log().contains(QStringLiteral("ready:")));
}

TEST(PrinterShutdownTest, SigtermEndsItWithTheReceiptUnderWayWritten) {
    const QString address = QString::fromStdString(quillora::test::LoopbackAddress(8, 9));
    PrinterProcess printer({QStringLiteral("--tcp"), address + QStringLiteral(":9100")});
    ASSERT_TRUE(printer.Ready());
    // No cut, and the sender stays connected: only the end of the program ends this
    // receipt. The status reply shows that the printer has read the text before it is
    // stopped.
    const QByteArray sent = QByteArray::fromHex("41 42 0A 10 04 01");
    QTcpSocket sender;
    sender.connectToHost(address, 9100);
    ASSERT_TRUE(sender.waitForConnected(3000) && sender.write(sent) == sent.size());
    EXPECT_EQ(ReadSome(sender, 1), QByteArray::fromHex("12"));
    EXPECT_EQ(printer.Stop(), 0);
    QFile raw(printer.ReceiptPath(1, ".bin"));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.readAll(), sent);
    EXPECT_TRUE(QFile::exists(printer.ReceiptPath(1)));
}

// Writes NUL bytes to `fd` (non-blocking; a socket is written without SIGPIPE) until a
// write fails or a minute has passed; `started` is set once a mebibyte has gone. Returns
// the failing write's errno, 0 if none.
int WriteUntilRefused(int fd, bool socket, std::atomic<bool>& started) {
    const std::vector<char> block(4096, 0);
    std::size_t written = 0;
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        pollfd ready{fd, POLLOUT, 0};
        if (::poll(&ready, 1, 100) <= 0) continue;
        const ssize_t count = socket ? ::send(fd, block.data(), block.size(), MSG_NOSIGNAL)
                                     : ::write(fd, block.data(), block.size());
        if (count < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (count < 0) return errno;
        if ((written += static_cast<std::size_t>(count)) >= (1u << 20)) started = true;
    }
    return 0;
}

// Signals the printer once the writer has started, and returns what stopped the writer.
int SignalWhileWriting(PrinterProcess& printer, int fd, bool socket) {
    std::atomic<bool> started{false};
    int error = 0;
    std::thread writer([&] { error = WriteUntilRefused(fd, socket, started); });
    const QDeadlineTimer deadline(30000);
    while (!started && !deadline.hasExpired()) QThread::msleep(10);
    printer.Signal();
    writer.join();
    return error;
}

TEST(PrinterShutdownTest, SerialSenderStillWritingGetsAnErrorAfterSigterm) {
    const QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("COM1"));
    PrinterProcess printer(
        {QStringLiteral("--tcp"), QStringLiteral("off"), QStringLiteral("--pty-link"), link});
    ASSERT_TRUE(printer.Ready());
    const int fd = ::open(QFile::encodeName(link).constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(SignalWhileWriting(printer, fd, false), EIO);
    ::close(fd);
    EXPECT_EQ(printer.Stop(), 0);
}

TEST(PrinterShutdownTest, TcpSenderStillWritingIsResetAfterSigterm) {
    const auto octets = quillora::test::LoopbackOctets(8, 14);
    const QString address = QString::fromStdString(quillora::test::LoopbackAddress(8, 14));
    PrinterProcess printer({QStringLiteral("--tcp"), address + QStringLiteral(":9100")});
    ASSERT_TRUE(printer.Ready());
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(9100);
    to.sin_addr.s_addr = htonl(
        static_cast<std::uint32_t>(octets[0] << 24 | octets[1] << 16 | octets[2] << 8 | octets[3]));
    ASSERT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to), 0);
    ::fcntl(fd, F_SETFL, O_NONBLOCK);
    const int error = SignalWhileWriting(printer, fd, true);
    EXPECT_TRUE(error == ECONNRESET || error == EPIPE) << std::strerror(error);
    ::close(fd);
    EXPECT_EQ(printer.Stop(), 0);
}

}  // namespace
}  // namespace vprinter::test
