#include "platform/Clock.h"

#include <stdexcept>

#include <QTimer>

#include <gtest/gtest.h>

#include "platform/LocalDateTime.h"
#include "platform/QtClock.h"
#include "support/FakeClock.h"

namespace polvane {
namespace {

TEST(LocalDateTime, OleDateCountsDaysFrom30December1899)
{
    EXPECT_DOUBLE_EQ((LocalDateTime{1899, 12, 30, 0, 0, 0}.ToOleDate()), 0.0);
    EXPECT_DOUBLE_EQ((LocalDateTime{1900, 1, 1, 12, 0, 0}.ToOleDate()), 2.5);
    EXPECT_DOUBLE_EQ((LocalDateTime{1899, 12, 29, 6, 0, 0}.ToOleDate()), -1.25);
    EXPECT_DOUBLE_EQ((LocalDateTime{2026, 3, 7, 14, 5, 9}.ToOleDate()),
                     46088.0 + (14 * 3600 + 5 * 60 + 9) / 86400.0);
    EXPECT_DOUBLE_EQ((LocalDateTime{2024, 2, 29, 0, 0, 0}.ToOleDate()), 45351.0);
    EXPECT_THROW((LocalDateTime{2026, 2, 29, 0, 0, 0}.ToOleDate()), std::invalid_argument);
    EXPECT_THROW((LocalDateTime{2026, 13, 1, 0, 0, 0}.ToOleDate()), std::invalid_argument);
    EXPECT_THROW((LocalDateTime{2026, 1, 1, 24, 0, 0}.ToOleDate()), std::invalid_argument);
}

TEST(FakeClock, MovesOnlyByWhatItIsAskedToWait)
{
    FakeClock clock;
    clock.SetTickCount(1000);
    int clicks = 0;
    clock.SetOnMessages([&] { ++clicks; });

    clock.Delay(1500, true);
    clock.Delay(200, false);
    clock.Delay(0, true);
    clock.Sleep(15);
    EXPECT_EQ(clock.TickCount(), 1000 + 1500 + 200 + 15);
    EXPECT_EQ(clicks, 1) << "only the responsive wait lets messages run";
    EXPECT_EQ(clock.Delays(), (std::vector<FakeClock::DelayCall>{{1500, true}, {200, false}, {0, true}}));
}

// The polling wait of the interface, for clocks that have no better one.
class SteppingClock : public Clock {
public:
    std::int64_t TickCount() override { return ticks; }
    LocalDateTime Now() override { return {}; }
    void Sleep(std::int64_t ms) override { ticks += ms, slept += ms; }
    void LetMessagesRun() override { ticks += 7, ++runs; }
    std::int64_t ticks = 0;
    std::int64_t slept = 0;
    int runs = 0;
};

TEST(Clock, ResponsiveDelayLetsMessagesRunUntilTheTimeIsUp)
{
    SteppingClock clock;
    clock.Delay(20, true);
    EXPECT_EQ(clock.runs, 3);
    EXPECT_EQ(clock.slept, 0);
    clock.Delay(0, true);
    clock.Delay(-5, true);
    clock.Delay(30, false);
    EXPECT_EQ(clock.runs, 3);
    EXPECT_EQ(clock.slept, 30);
}

TEST(QtClock, ResponsiveWaitsRunEventsAndPlainWaitsDoNot)
{
    QtClock clock;
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    clock.Delay(0, true); // returns at once
    EXPECT_FALSE(ran);
    clock.Delay(1, false);
    EXPECT_FALSE(ran);

    const std::int64_t start = clock.TickCount();
    clock.Delay(20, true);
    EXPECT_TRUE(ran);
    EXPECT_GE(clock.TickCount() - start, 20);
}

} // namespace
} // namespace polvane
