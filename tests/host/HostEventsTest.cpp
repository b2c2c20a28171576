// The stand-in host's record events, raised for changes that orvanta-host makes as
// another process.
#include "HostEvents.h"
#include "HostApplication.h"
#include "HostNumbers.h"
#include "HostSchema.h"
#include "HostView.h"
#include "HostViews.h"
#include "SqliteHostApplication.h"
#include "TemporaryHost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

class EventLog : public HostEvents
{
public:
    void OnContactChange(const QString &record) override { events << "contact " + record; }
    void OnGroupChange(const QString &record) override { events << "group " + record; }
    void OnContactPosChange(const QString &record) override { events << "contact moved " + record; }
    void OnGroupPosChange(const QString &record) override { events << "group moved " + record; }
    void OnContactLookupChange() override { events << QStringLiteral("lookup"); }
    void OnHostGone() override { events << QStringLiteral("gone"); }

    QStringList events;
};

class HostEventsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char *argv[] = {const_cast<char *>("test_host"), nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
    }

    void SetUp() override
    {
        host.createDemo();
        application = SqliteHostApplication::attach(host.path());
        application->AdviseEvents(&log);
    }
    void TearDown() override { application->AdviseEvents(nullptr); }

    // The events of the next half second (ample for those that come), or the first of
    // the next three seconds.
    QStringList eventsWithin(bool untilFirst = false)
    {
        QElapsedTimer timer;
        timer.start();
        while (untilFirst ? log.events.isEmpty() && timer.elapsed() < 3000 : timer.elapsed() < 500)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return std::exchange(log.events, {});
    }
    QStringList eventsAfter(const QStringList &command)
    {
        const TemporaryHost::CliResult result = host.cli(command);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return eventsWithin();
    }

    TemporaryHost host;
    std::unique_ptr<HostApplication> application;
    EventLog log;
};

TEST_F(HostEventsTest, RaisedForChangesByAnotherProcessOnlyWhichTheViewsThenRead)
{
    const auto view
        = [&] { return application->Views().Create(HostViewType::Contacts, QStringLiteral("CV")); };
    EXPECT_NE(view()->getField(3), QStringLiteral("4242"));
    // A reader that then waits lets other programs write, as the preview does.
    application->Commit();
    host.cli({"set", "3", "4242"});
    ASSERT_EQ(eventsWithin(true), QStringList {"contact C0001"});
    EXPECT_EQ(view()->getField(3), QStringLiteral("4242"));
    application->Command(HostCommand::BeforeRun);
    application->Commit();
    EXPECT_EQ(eventsWithin(), QStringList());
    EXPECT_EQ(eventsAfter({"lookup", "20=CA"}), QStringList {"lookup"});
    EXPECT_EQ(eventsAfter({"goto", "C0002"}), QStringList {"contact moved C0002"});
    EXPECT_EQ(eventsAfter({"set", "3", "99"}), QStringList {"contact C0002"});
    EXPECT_EQ(eventsAfter({"set", "3", "99", "--record", "C0001"}), QStringList());
    EXPECT_EQ(eventsAfter({"goto", "G002", "--group"}), QStringList {"group moved G002"});
    EXPECT_EQ(eventsAfter({"set", "2", "Renamed", "--group"}), QStringList {"group G002"});
    EXPECT_EQ(eventsAfter({"title", "ACT! - Other"}), QStringList());
    application->AdviseEvents(nullptr);
    EXPECT_EQ(eventsAfter({"goto", "C0003"}), QStringList());
    application->AdviseEvents(&log);
    HostSchema::removeDatabaseFiles(host.path());
    EXPECT_EQ(eventsWithin(), QStringList {"gone"});
}

} // namespace
