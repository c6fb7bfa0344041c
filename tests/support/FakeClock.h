#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "platform/Clock.h"

namespace polvane {

// A clock for tests that moves only when told to, or by the waits it is asked for.
class FakeClock : public Clock {
public:
    struct DelayCall {
        std::int64_t ms;
        bool responsive;
        bool operator==(const DelayCall&) const = default;
    };

    void SetTickCount(std::int64_t ticks) { ticks_ = ticks; }
    void Advance(std::int64_t ms) { ticks_ += ms; }
    void SetNow(const LocalDateTime& now) { now_ = now; }
    // Run at every LetMessagesRun, as if the user acted while the program waited.
    void SetOnMessages(std::function<void()> action) { onMessages_ = std::move(action); }

    std::int64_t TickCount() override { return ticks_; }
    LocalDateTime Now() override { return now_; }
    // Moves the tick count on by ms.
    void Sleep(std::int64_t ms) override;
    void LetMessagesRun() override;
    // Recorded; lets messages run once when responsive, then moves the tick count on by ms.
    void Delay(std::int64_t ms, bool responsive) override;

    std::int64_t SleptMs() const { return slept_; }
    int MessageRuns() const { return messageRuns_; }
    const std::vector<DelayCall>& Delays() const { return delays_; }

private:
    std::int64_t ticks_ = 0;
    LocalDateTime now_;
    std::function<void()> onMessages_;
    std::int64_t slept_ = 0;
    int messageRuns_ = 0;
    std::vector<DelayCall> delays_;
};

} // namespace polvane
