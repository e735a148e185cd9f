#include "cli/RunDrawing.h"

#include <QString>
#include <algorithm>
#include <cstdio>
#include <map>

#include "monitor/TrafficReading.h"
#include "preview/DrawnStream.h"
#include "virtual-printer/lib/ReceiptFolder.h"

namespace quillora::cli {
namespace {

void Say(const std::string& line) {
    std::fprintf(stderr, "quillora-cli: %s\n", line.c_str());
    std::fflush(stderr);
}

}  // namespace

void RunDrawing::Record(const TrafficEvent& event) {
    if (event.direction != TrafficDirection::Sent || event.port != port_) return;
    const std::span<const std::uint8_t> taken = TakenBytes(event);
    const std::lock_guard lock(mutex_);
    bytes_.insert(bytes_.end(), taken.begin(), taken.end());
}

std::vector<PreparedTest> RunDrawing::Wrap(const std::vector<PreparedTest>& tests) {
    std::vector<PreparedTest> wrapped;
    for (const PreparedTest& test : tests) {
        wrapped.push_back(
            {test.name, [this, run = test.run](PortDriver& driver, const PortName& port) {
                 {
                     const std::lock_guard lock(mutex_);
                     testStarts_.push_back(bytes_.size());
                 }
                 return run(driver, port);
             }});
    }
    return wrapped;
}

std::size_t RunDrawing::TestAt(std::size_t offset) const {
    const auto after = std::upper_bound(testStarts_.begin(), testStarts_.end(), offset);
    return after == testStarts_.begin() ? 0 : std::size_t(after - testStarts_.begin()) - 1;
}

bool RunDrawing::Finish(const std::optional<std::string>& directory, bool judge,
                        std::vector<TestResult>& results) {
    const DrawnStream drawn = DrawStream(bytes_);
    std::map<std::size_t, int> problemsOfTest;  // commands left undone, by test
    for (const DrawnProblem& problem : drawn.problems) {
        const std::size_t test = TestAt(problem.offset);
        if (!problem.carriedOut) ++problemsOfTest[test];
        const std::string name = test < results.size() ? results[test].name : "?";
        Say(name + ": offset " + std::to_string(problem.offset) + " of the bytes sent to " + port_ +
            ": " + problem.text);
    }
    if (judge) {
        for (const auto& [test, count] : problemsOfTest) {
            if (test >= results.size()) continue;
            results[test].outcome = Outcome::Failed;
            results[test].message +=
                "; " + std::to_string(count) + " command(s) a printer would not carry out";
        }
    }
    if (!directory) return true;
    vprinter::ReceiptFolder folder(QString::fromStdString(*directory), nullptr);
    bool written = true;
    for (const vprinter::Receipt& receipt : drawn.receipts) {
        if (folder.Save(receipt, "quillora-cli " + port_).isEmpty()) {
            Say("--preview: cannot write a picture in " + *directory);
            written = false;
        }
    }
    return written;
}

}  // namespace quillora::cli
