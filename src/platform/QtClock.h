#pragma once

#include <QElapsedTimer>

#include "platform/Clock.h"

namespace polvane {

// The system's monotonic clock and local time; waits run the Qt event loop of the
// calling thread when there is an application object.
class QtClock : public Clock {
public:
    QtClock();

    std::int64_t TickCount() override;
    LocalDateTime Now() override;
    void Sleep(std::int64_t ms) override;
    void LetMessagesRun() override;
    // Responsive waits sleep in a local event loop rather than polling.
    void Delay(std::int64_t ms, bool responsive) override;

private:
    QElapsedTimer timer_;
};

} // namespace polvane
