#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "continuous/ContinuousRun.h"
#include "support/ManualTickClock.h"

namespace quillora {
namespace {

// The loop on a clock that moves only by its sleeps and by what the copies take.
class ContinuousRunTest : public testing::Test {
protected:
    struct Copy {
        int mode;
        int number;
        std::uint32_t startTick;
        std::uint32_t endTick;
    };

    int Run() {
        const ContinuousRunFields fields{stop, interval, count, mode};
        const ContinuousRunSteps steps{
            [this](int printMode, int number) {
                const std::uint32_t start = clock.ticks;
                clock.ticks += jobMilliseconds;
                copies.push_back({printMode, number, start, clock.ticks});
                if (duringCopy) duringCopy(number);
            },
            [this] {
                ++ends;
                endTick = clock.ticks;
            }};
        return RunContinuousPrint(fields, clock, steps);
    }

    std::vector<int> Numbers() const {
        std::vector<int> numbers;
        for (const Copy& copy : copies) numbers.push_back(copy.number);
        return numbers;
    }

    std::atomic<int> stop{0}, interval{1}, count{1}, mode{0};
    test::ManualTickClock clock;
    std::uint32_t jobMilliseconds = 300;
    std::function<void(int)> duringCopy;
    std::vector<Copy> copies;
    int ends = 0;
    std::uint32_t endTick = 0;
};

TEST_F(ContinuousRunTest, CountOfOneOrLessPrintsOneCopyWithoutPause) {
    for (int copyCount : {1, 0, -5}) {
        copies.clear();
        ends = 0;
        count = copyCount;
        EXPECT_EQ(Run(), 101118);
        EXPECT_EQ(Numbers(), std::vector<int>{1}) << copyCount;
        EXPECT_EQ(ends, 1);
        EXPECT_EQ(endTick, copies.back().endTick) << "no pause after the last copy";
    }
}

TEST_F(ContinuousRunTest, ThreeCopiesAtTwoSecondsArePacedFromTheEndOfEachJob) {
    count = 3;
    interval = 2;
    Run();
    ASSERT_EQ(Numbers(), (std::vector<int>{1, 2, 3}));
    for (size_t i = 1; i < copies.size(); ++i) {
        const std::uint32_t pause = copies[i].startTick - copies[i - 1].endTick;
        EXPECT_GE(pause, 2000u);
        EXPECT_LT(pause, 2010u) << "the pause ends at the first 10 ms step past it";
    }
    EXPECT_EQ(endTick, copies.back().endTick);
}

TEST_F(ContinuousRunTest, PauseSurvivesTheWrapOfTheTickCounter) {
    clock.ticks = 0xFFFFFC00u;  // 1024 ms before the counter wraps
    count = 2;
    interval = 5;
    Run();
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(static_cast<std::uint32_t>(copies[1].startTick - copies[0].endTick), 5000u);
}

TEST_F(ContinuousRunTest, IntervalOfZeroOrLessMeansNoPause) {
    for (int seconds : {0, -3}) {
        copies.clear();
        count = 3;
        interval = seconds;
        Run();
        ASSERT_EQ(copies.size(), 3u);
        EXPECT_EQ(copies[2].startTick, copies[1].endTick) << seconds;
    }
}

TEST_F(ContinuousRunTest, PrintModeAndCountAreReadAfreshForEveryCopy) {
    count = 5;
    duringCopy = [this](int number) {
        if (number == 1) mode = 1;
        if (number == 2) count = 3;
    };
    Run();
    ASSERT_EQ(Numbers(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(copies[0].mode, 0);
    EXPECT_EQ(copies[1].mode, 1);
    EXPECT_EQ(copies[2].mode, 1);
}

TEST_F(ContinuousRunTest, StopBeforeTheFirstCopyPrintsNothing) {
    stop = 1;
    count = 3;
    EXPECT_EQ(Run(), 101118);
    EXPECT_TRUE(copies.empty());
    EXPECT_EQ(ends, 1);
}

TEST_F(ContinuousRunTest, StopDuringAPauseEndsWithinOneStep) {
    // Stops the run 1234 ms into the first pause, from inside a sleep.
    class StoppingClock : public test::ManualTickClock {
    public:
        explicit StoppingClock(std::atomic<int>& stop) : stop_(stop) {}
        void Sleep(std::uint32_t milliseconds) override {
            ticks += milliseconds;
            if (ticks >= stopAt && stop_ == 0) {
                stop_ = 1;
                stoppedAt = ticks;
            }
        }
        std::uint32_t stopAt = 0;
        std::uint32_t stoppedAt = 0;

    private:
        std::atomic<int>& stop_;
    } stopping(stop);
    stopping.stopAt = 300 + 1234;

    count = 5;
    interval = 60;
    const ContinuousRunFields fields{stop, interval, count, mode};
    int printed = 0;
    std::uint32_t lastTick = 0;
    RunContinuousPrint(fields, stopping,
                       {[&](int, int) {
                            ++printed;
                            stopping.ticks += 300;
                        },
                        [&] { lastTick = stopping.ticks; }});
    EXPECT_EQ(printed, 1);
    EXPECT_LE(lastTick - stopping.stoppedAt, 10u);
}

TEST_F(ContinuousRunTest, StopDuringACopyEndsRightAfterIt) {
    count = 5;
    interval = 60;
    duringCopy = [this](int number) {
        if (number == 2) stop = 1;
    };
    Run();
    EXPECT_EQ(Numbers(), (std::vector<int>{1, 2}));
    EXPECT_EQ(endTick, copies.back().endTick) << "no step of the pause is slept";
}

}  // namespace
}  // namespace quillora
