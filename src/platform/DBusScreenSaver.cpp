#include "platform/DBusScreenSaver.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusMessage>
#include <QVariant>

namespace polvane {

namespace {

QString Text(const char* text) { return QString::fromLatin1(text); }

// Another path may still answer when this one does not exist; a service that is hung or
// gone will not answer at any path, so waiting for it twice only doubles the delay.
bool WorthAnotherPath(const QDBusMessage& reply)
{
    switch (QDBusError(reply).type()) {
    case QDBusError::UnknownObject:
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownInterface:
        return true;
    default:
        return false;
    }
}

} // namespace

DBusScreenSaver::~DBusScreenSaver() { Activate(); }

QDBusConnection& DBusScreenSaver::Bus()
{
    if (!bus_)
        bus_.emplace(QDBusConnection::sessionBus());
    return *bus_;
}

bool DBusScreenSaver::IsActive()
{
    if (cookie_ || !Bus().isConnected())
        return false;
    QDBusMessage ask = QDBusMessage::createMethodCall(
        Text("org.freedesktop.DBus"), Text("/org/freedesktop/DBus"), Text("org.freedesktop.DBus"),
        Text("NameHasOwner"));
    ask << Text(kService);
    const QDBusMessage reply = Bus().call(ask, QDBus::Block, kCallTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1 &&
           reply.arguments().constFirst().toBool();
}

void DBusScreenSaver::Deactivate()
{
    if (cookie_ || !Bus().isConnected())
        return;
    QString application = QCoreApplication::applicationName();
    if (application.isEmpty())
        application = Text("Polvane");
    for (const char* path : kPaths) {
        QDBusMessage inhibit = QDBusMessage::createMethodCall(Text(kService), Text(path),
                                                              Text(kInterface), Text("Inhibit"));
        inhibit << application << Text(kReason);
        const QDBusMessage reply = Bus().call(inhibit, QDBus::Block, kCallTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1) {
            bool ok = false;
            const unsigned cookie = reply.arguments().constFirst().toUInt(&ok);
            if (ok) {
                cookie_ = cookie;
                path_ = Text(path);
            }
            return;
        }
        if (!WorthAnotherPath(reply))
            return;
    }
}

void DBusScreenSaver::Activate()
{
    if (!cookie_)
        return;
    QDBusMessage uninhibit = QDBusMessage::createMethodCall(Text(kService), path_,
                                                            Text(kInterface), Text("UnInhibit"));
    uninhibit << *cookie_;
    cookie_.reset();
    // The answer is not looked at: nothing could be done about a failure, and the bus
    // lifts the inhibition when the program ends in any case.
    Bus().call(uninhibit, QDBus::Block, kCallTimeoutMs);
}

} // namespace polvane
