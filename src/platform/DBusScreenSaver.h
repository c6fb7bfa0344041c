#pragma once

#include <optional>

#include <QDBusConnection>
#include <QString>

#include "platform/ScreenSaver.h"

namespace polvane {

// The desktop's screen saver over the session bus: the freedesktop.org inhibit call of
// the service "org.freedesktop.ScreenSaver" (at "/org/freedesktop/ScreenSaver", or at
// "/ScreenSaver" where a desktop offers only that). Deactivate takes an inhibition and
// Activate lifts it, so the user's own setting is never written; the bus also lifts it
// when the program ends without doing so.
//
// Without a session bus, or without the service, the screen saver counts as not active
// and nothing is done. Every call waits at most kCallTimeoutMs, and nothing here throws.
class DBusScreenSaver : public ScreenSaver {
public:
    static constexpr int kCallTimeoutMs = 500;
    static constexpr const char* kService = "org.freedesktop.ScreenSaver";
    static constexpr const char* kInterface = "org.freedesktop.ScreenSaver";
    static constexpr const char* kPaths[] = {"/org/freedesktop/ScreenSaver", "/ScreenSaver"};
    static constexpr const char* kReason = "Auto-Configure is running";

    // The session bus, reached at the first call rather than at start-up.
    DBusScreenSaver() = default;
    explicit DBusScreenSaver(const QDBusConnection& bus) : bus_(bus) {}
    DBusScreenSaver(const DBusScreenSaver&) = delete;
    DBusScreenSaver& operator=(const DBusScreenSaver&) = delete;
    // Lifts an inhibition still held.
    ~DBusScreenSaver() override;

    // True when the service is on the bus and this program holds no inhibition.
    bool IsActive() override;
    void Deactivate() override;
    void Activate() override;

private:
    QDBusConnection& Bus();

    std::optional<QDBusConnection> bus_;
    QString path_;                  // where the inhibition was taken
    std::optional<unsigned> cookie_; // the inhibition held, if any
};

} // namespace polvane
