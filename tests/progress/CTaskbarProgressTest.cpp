#include "progress/CTaskbarProgress.h"

#include "GuiTestApp.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

namespace {

RunProgress running(int percent, int errors, int threads)
{
    RunProgress p;
    p.state = RunProgress::Running;
    p.percent = percent;
    p.errorCount = errors;
    p.threadCount = threads;
    p.jobCount = 4;
    p.jobNumber = 2;
    return p;
}

struct PropertyRow {
    const char *name;
    RunProgress progress;
    bool progressVisible;
    double progressValue;
    bool countVisible;
    qint64 count;
    bool urgent;
};

void PrintTo(const PropertyRow &row, std::ostream *os)
{
    *os << row.name;
}

class LauncherRows : public ::testing::TestWithParam<PropertyRow> {};

RunProgress over()
{
    RunProgress p = running(80, 3, 1);
    p.state = RunProgress::Over;
    return p;
}

// Receives the launcher entry's signals on a second connection.
class SignalCatcher : public QObject {
    Q_OBJECT
public:
    QList<QVariantList> received;
public slots:
    void update(const QDBusMessage &message) { received.push_back(message.arguments()); }
};

// A private message bus for the duration of a test.
class PrivateBus {
public:
    PrivateBus()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            return;
        m_daemon.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted() || !m_daemon.waitForReadyRead(10000))
            return;
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    const QString &Address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

} // namespace

TEST_P(LauncherRows, PropertiesOfTheLauncherEntry)
{
    const PropertyRow &row = GetParam();
    const QVariantMap p = LauncherEntryProperties(row.progress);
    EXPECT_EQ(p.value(QStringLiteral("progress-visible")).toBool(), row.progressVisible);
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("progress")).toDouble(), row.progressValue);
    EXPECT_EQ(p.value(QStringLiteral("count-visible")).toBool(), row.countVisible);
    EXPECT_EQ(p.value(QStringLiteral("count")).toLongLong(), row.count);
    EXPECT_EQ(p.value(QStringLiteral("urgent")).toBool(), row.urgent);
    EXPECT_EQ(p.value(QStringLiteral("progress")).metaType(), QMetaType::fromType<double>());
    EXPECT_EQ(p.value(QStringLiteral("count")).metaType(), QMetaType::fromType<qint64>());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LauncherRows,
    ::testing::Values(PropertyRow{"OneThreadNoErrors", running(42, 0, 1), true, 0.42, false, 0, false},
                      PropertyRow{"OneThreadWithErrors", running(10, 2, 1), true, 0.10, true, 2, true},
                      PropertyRow{"ThreeThreadsNoErrors", running(42, 0, 3), false, 0.0, false, 0, false},
                      PropertyRow{"ThreeThreadsWithErrors", running(42, 5, 3), false, 0.0, false, 0, true},
                      PropertyRow{"RunOverClearsAll", over(), false, 0.0, false, 0, false}),
    [](const ::testing::TestParamInfo<PropertyRow> &info) { return std::string(info.param.name); });

TEST(CTaskbarProgress, SendsTheUpdateSignalOnTheBus)
{
    GuiTestApp();
    PrivateBus bus;
    if (bus.Address().isEmpty())
        GTEST_SKIP() << "no dbus-daemon to start a private bus";
    QDBusConnection sender = QDBusConnection::connectToBus(bus.Address(), QStringLiteral("sender"));
    QDBusConnection listener = QDBusConnection::connectToBus(bus.Address(), QStringLiteral("listener"));
    ASSERT_TRUE(sender.isConnected());
    ASSERT_TRUE(listener.isConnected());
    SignalCatcher catcher;
    ASSERT_TRUE(listener.connect(QString(), CTaskbarProgress::ObjectPath(),
                                 QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"),
                                 &catcher, SLOT(update(QDBusMessage))));

    CTaskbarProgress taskbar(sender, QStringLiteral("zelvaron.desktop"));
    taskbar.Show(running(25, 1, 1));
    RunProgress end;
    end.state = RunProgress::Over;
    taskbar.Show(end);

    EXPECT_TRUE(QTest::qWaitFor([&] { return catcher.received.size() == 2; }, 10000));
    ASSERT_EQ(catcher.received.size(), 2);
    EXPECT_EQ(catcher.received[0].value(0).toString(), QStringLiteral("application://zelvaron.desktop"));
    const QVariantMap first = qdbus_cast<QVariantMap>(catcher.received[0].value(1));
    EXPECT_DOUBLE_EQ(first.value(QStringLiteral("progress")).toDouble(), 0.25);
    EXPECT_TRUE(first.value(QStringLiteral("urgent")).toBool());
    const QVariantMap last = qdbus_cast<QVariantMap>(catcher.received[1].value(1));
    EXPECT_FALSE(last.value(QStringLiteral("progress-visible")).toBool());
    EXPECT_FALSE(last.value(QStringLiteral("urgent")).toBool());

    QDBusConnection::disconnectFromBus(QStringLiteral("sender"));
    QDBusConnection::disconnectFromBus(QStringLiteral("listener"));
}

// The session bus named by the environment does not exist: showing progress must neither
// fail nor wait.
TEST(CTaskbarProgress, WithoutASessionBusNothingHappens)
{
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/zelvaron-bus");
    GuiTestApp();
    CTaskbarProgress taskbar = CTaskbarProgress::ForSession();
    taskbar.Show(running(50, 0, 1));
    RunProgress end;
    end.state = RunProgress::Over;
    taskbar.Show(end);
    EXPECT_FALSE(QDBusConnection::sessionBus().isConnected());
}

#include "CTaskbarProgressTest.moc"
