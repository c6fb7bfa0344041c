#include "platform/DBusScreenSaver.h"

#include <mutex>
#include <string>
#include <vector>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace polvane {
namespace {

// A screen-saver service that records the calls it gets and hands out cookie 42.
class ScreenSaverService : public QDBusVirtualObject {
public:
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.interface() != QLatin1String(DBusScreenSaver::kInterface))
            return false;
        std::string call = message.member().toStdString();
        for (const QVariant& argument : message.arguments())
            call.append(1, ' ').append(argument.toString().toStdString());
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            calls_.push_back(call);
        }
        if (message.member() == QLatin1String("Inhibit"))
            return connection.send(message.createReply(QVariant::fromValue(42u)));
        if (message.member() == QLatin1String("UnInhibit"))
            return connection.send(message.createReply());
        return false;
    }
    QString introspect(const QString&) const override { return {}; }

    std::vector<std::string> Calls() const
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }
    void Forget()
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        calls_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
};

// A bus of the test's own, so that neither the user's desktop nor its absence decides the
// outcome.
class PrivateBusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        ASSERT_TRUE(dir_.isValid());
        QFile config(dir_.filePath(QStringLiteral("bus.conf")));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral(
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig><type>session</type><listen>unix:dir=%1</listen>\n"
            "<auth>EXTERNAL</auth><policy context=\"default\"><allow send_destination=\"*\"/>"
            "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n").arg(dir_.path()).toUtf8());
        config.close();
        daemon_.start(daemon, {QStringLiteral("--config-file=") + config.fileName(),
                               QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        ASSERT_TRUE(daemon_.waitForStarted(5000));
        while (!daemon_.canReadLine())
            ASSERT_TRUE(daemon_.waitForReadyRead(5000))
                << "the bus did not start: " << daemon_.readAllStandardError().toStdString();
        const QString address = QString::fromUtf8(daemon_.readLine()).trimmed();
        service_ = QDBusConnection::connectToBus(address, QStringLiteral("polvane-test-service"));
        client_ = QDBusConnection::connectToBus(address, QStringLiteral("polvane-test-client"));
        ASSERT_TRUE(service_.isConnected());
        ASSERT_TRUE(client_.isConnected());
    }
    void TearDown() override
    {
        // Only the last reference's going closes a connection cleanly.
        client_ = QDBusConnection(QString());
        service_ = QDBusConnection(QString());
        QDBusConnection::disconnectFromBus(QStringLiteral("polvane-test-client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("polvane-test-service"));
        serviceThread_.quit();
        serviceThread_.wait();
        if (daemon_.state() != QProcess::NotRunning) {
            daemon_.terminate();
            daemon_.waitForFinished(5000);
        }
    }

    // The service answers from a thread of its own while the test waits for it.
    void Offer(const char* path)
    {
        if (!serviceThread_.isRunning()) {
            screenSaver_.moveToThread(&serviceThread_);
            serviceThread_.start();
        }
        ASSERT_TRUE(service_.registerVirtualObject(QString::fromLatin1(path), &screenSaver_));
        ASSERT_TRUE(service_.registerService(QString::fromLatin1(DBusScreenSaver::kService)));
    }

    // The bus's address may hold no blanks.
    QTemporaryDir dir_{QDir::tempPath() + QStringLiteral("/polvane-bus-XXXXXX")};
    QProcess daemon_;
    QDBusConnection service_{QString()};
    QDBusConnection client_{QString()};
    ScreenSaverService screenSaver_;
    QThread serviceThread_;
};

TEST(DBusScreenSaver, WithoutABusThereIsNoScreenSaverToSwitch)
{
    const QString name = QStringLiteral("polvane-test-nowhere");
    {
        DBusScreenSaver saver(QDBusConnection::connectToBus(
            QStringLiteral("unix:path=/nonexistent/polvane-bus"), name));
        EXPECT_FALSE(saver.IsActive());
        saver.Deactivate();
        saver.Activate();
        EXPECT_FALSE(saver.IsActive());
    }
    QDBusConnection::disconnectFromBus(name);
}

TEST_F(PrivateBusTest, WithoutTheServiceThereIsNoScreenSaverToSwitch)
{
    DBusScreenSaver saver(client_);
    EXPECT_FALSE(saver.IsActive());
    saver.Deactivate();
    saver.Activate();
    EXPECT_TRUE(screenSaver_.Calls().empty());
}

TEST_F(PrivateBusTest, InhibitsAndLiftsTheInhibitionAtEitherPath)
{
    for (const char* path : DBusScreenSaver::kPaths) {
        SCOPED_TRACE(path);
        Offer(path);
        const std::string inhibit = "Inhibit Polvane tests " + std::string(DBusScreenSaver::kReason);
        {
            DBusScreenSaver saver(client_);
            EXPECT_TRUE(saver.IsActive());
            saver.Deactivate();
            EXPECT_FALSE(saver.IsActive());
            saver.Deactivate(); // one inhibition at a time
            EXPECT_EQ(screenSaver_.Calls(), (std::vector<std::string>{inhibit}));
            saver.Activate();
            EXPECT_TRUE(saver.IsActive());
            saver.Activate(); // nothing left to lift
            EXPECT_EQ(screenSaver_.Calls(), (std::vector<std::string>{inhibit, "UnInhibit 42"}));

            // An inhibition still held when the program ends is lifted.
            saver.Deactivate();
        }
        EXPECT_EQ(screenSaver_.Calls().back(), "UnInhibit 42");
        service_.unregisterService(QString::fromLatin1(DBusScreenSaver::kService));
        service_.unregisterObject(QString::fromLatin1(path));
        screenSaver_.Forget();
    }
}

} // namespace
} // namespace polvane
