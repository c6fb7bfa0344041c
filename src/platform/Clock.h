#pragma once

#include <cstdint>

#include "platform/LocalDateTime.h"

namespace polvane {

// Time as the program uses it: a millisecond tick count for deadlines, the local date and
// time for logs and the crash marker, and the two ways of waiting.
class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds from some fixed moment; never goes backwards.
    virtual std::int64_t TickCount() = 0;
    virtual LocalDateTime Now() = 0;

    // Waits without handling any window message.
    virtual void Sleep(std::int64_t ms) = 0;
    // Lets the window messages that are waiting run once, then returns.
    virtual void LetMessagesRun() = 0;

    // Waits ms milliseconds (none when ms is not positive). Responsive: window messages
    // run while waiting; otherwise a plain Sleep. This version polls LetMessagesRun until
    // the tick count reaches the end.
    virtual void Delay(std::int64_t ms, bool responsive);
};

} // namespace polvane
