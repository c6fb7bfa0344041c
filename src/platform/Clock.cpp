#include "platform/Clock.h"

namespace polvane {

void Clock::Delay(std::int64_t ms, bool responsive)
{
    if (ms <= 0)
        return;
    if (!responsive) {
        Sleep(ms);
        return;
    }
    const std::int64_t end = TickCount() + ms;
    while (TickCount() < end)
        LetMessagesRun();
}

} // namespace polvane
