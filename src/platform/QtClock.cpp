#include "platform/QtClock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace polvane {

QtClock::QtClock() { timer_.start(); }

std::int64_t QtClock::TickCount() { return timer_.elapsed(); }

LocalDateTime QtClock::Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return LocalDateTime{date.year(), date.month(), date.day(),
                         time.hour(), time.minute(), time.second()};
}

void QtClock::Sleep(std::int64_t ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void QtClock::LetMessagesRun()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void QtClock::Delay(std::int64_t ms, bool responsive)
{
    if (ms <= 0)
        return;
    if (!responsive || !QCoreApplication::instance()) {
        Sleep(ms);
        return;
    }
    const std::int64_t end = TickCount() + ms;
    for (std::int64_t left = ms; left > 0; left = end - TickCount()) {
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(left), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace polvane
