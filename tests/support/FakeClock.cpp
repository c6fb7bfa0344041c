#include "support/FakeClock.h"

namespace polvane {

void FakeClock::Sleep(std::int64_t ms)
{
    if (ms <= 0)
        return;
    ticks_ += ms;
    slept_ += ms;
}

void FakeClock::LetMessagesRun()
{
    ++messageRuns_;
    if (onMessages_)
        onMessages_();
}

void FakeClock::Delay(std::int64_t ms, bool responsive)
{
    delays_.push_back({ms, responsive});
    if (ms <= 0)
        return;
    if (responsive)
        LetMessagesRun();
    ticks_ += ms;
}

} // namespace polvane
