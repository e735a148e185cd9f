// The printer program fed 100 MiB over TCP: zeros (one problem at every byte) and random
// bytes (every kind of command, garbage parameters). Reports the rate it reads at, the size
// of printer.log and the program's peak memory, and fails the run when the log reaches
// 1 MB or the memory 300 MB.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kStreamBytes = std::size_t{100} << 20;
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
constexpr double kMaxLogBytes = 1e6;
constexpr double kMaxMemoryBytes = 300e6;
constexpr const char* kAddress = "127.0.91.1";
constexpr int kPort = 9100;

// The program's peak resident memory in bytes, from /proc; 0 when it cannot be read.
double PeakMemory(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() * 1024;
    }
    return 0;
}

// The program's processor time so far in seconds (user and system), from /proc: on a
// shared machine the rate per processor second says more than the rate per second.
double ProcessorSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return 0;
    const QByteArray text = stat.readAll();
    // Fields after the command's closing parenthesis: utime and stime are the 12th and 13th.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) return 0;
    return (fields[11].toDouble() + fields[12].toDouble()) /
           static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// Sends the stream on one connection, closes its sending side and waits until the program
// has read everything (it closes too). Returns false on a failed send.
bool Send(bool random) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(kPort);
    ::inet_pton(AF_INET, kAddress, &to.sin_addr);
    bool sent = ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
    std::vector<char> block(kBlockBytes, 0);
    std::mt19937 generator(22);  // the same bytes every run
    for (std::size_t done = 0; sent && done < kStreamBytes; done += block.size()) {
        if (random) {
            for (char& byte : block) byte = static_cast<char>(generator());
        }
        for (std::size_t at = 0; sent && at < block.size();) {
            const ssize_t count = ::send(fd, block.data() + at, block.size() - at, MSG_NOSIGNAL);
            sent = count > 0;
            at += sent ? static_cast<std::size_t>(count) : 0;
        }
    }
    ::shutdown(fd, SHUT_WR);
    char rest[256];
    while (::read(fd, rest, sizeof rest) > 0) {
    }
    ::close(fd);
    return sent;
}

void StreamOverTcp(benchmark::State& state, bool random) {
    for (auto _ : state) {
        QTemporaryDir out;
        QProcess printer;
        printer.setStandardOutputFile(QProcess::nullDevice());
        printer.setStandardErrorFile(QProcess::nullDevice());
        printer.start(QStringLiteral(VPRINTER_BINARY),
                      {QStringLiteral("--tcp"), QStringLiteral("%1:%2").arg(kAddress).arg(kPort),
                       QStringLiteral("--out"), out.path()});
        QFile log(out.filePath(QStringLiteral("printer.log")));
        const QDeadlineTimer ready(20000);
        while (!(log.open(QIODevice::ReadOnly) && log.readAll().contains("ready:")) &&
               !ready.hasExpired()) {
            log.close();
            QThread::msleep(20);
        }
        const auto start = std::chrono::steady_clock::now();
        const bool sent = Send(random);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double memory = PeakMemory(printer.processId());
        const double processor = ProcessorSeconds(printer.processId());
        printer.terminate();
        printer.waitForFinished(120000);
        const double logBytes = static_cast<double>(QFileInfo(log.fileName()).size());
        state.SetIterationTime(seconds);
        state.counters["MB/s"] = static_cast<double>(kStreamBytes) / 1e6 / seconds;
        state.counters["MB/cpu_s"] = static_cast<double>(kStreamBytes) / 1e6 / processor;
        state.counters["log_bytes"] = logBytes;
        state.counters["peak_MB"] = memory / 1e6;
        // An error hides the counters: the figures go into its text.
        const std::string figures = " (log " + std::to_string(logBytes / 1e6) + " MB, peak " +
                                    std::to_string(memory / 1e6) + " MB)";
        if (!sent) state.SkipWithError(("the stream was not taken" + figures).c_str());
        if (logBytes >= kMaxLogBytes) {
            state.SkipWithError(("printer.log reached 1 MB" + figures).c_str());
        }
        if (memory == 0 || memory >= kMaxMemoryBytes) {
            state.SkipWithError(("memory not under 300 MB" + figures).c_str());
        }
    }
}

void BM_HundredMebibytesOfZerosOverTcp(benchmark::State& state) {
    StreamOverTcp(state, false);
}
BENCHMARK(BM_HundredMebibytesOfZerosOverTcp)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kSecond);

void BM_HundredMebibytesOfRandomBytesOverTcp(benchmark::State& state) {
    StreamOverTcp(state, true);
}
BENCHMARK(BM_HundredMebibytesOfRandomBytesOverTcp)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
