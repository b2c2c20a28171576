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

// Lets the events of the next milliseconds arrive.
void processEventsFor(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

class HostEventsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "test_host";
            static char *argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
    }

    void SetUp() override
    {
        host.createDemo();
        application = SqliteHostApplication::attach(host.path());
        application->AdviseEvents(&log);
    }
    void TearDown() override { application->AdviseEvents(nullptr); }

    // The events that follow the command; half a second is ample for those that come.
    QStringList eventsAfter(const QStringList &command)
    {
        const TemporaryHost::CliResult result = host.cli(command);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        processEventsFor(500);
        return std::exchange(log.events, {});
    }

    TemporaryHost host;
    std::unique_ptr<HostApplication> application;
    EventLog log;
};

struct EventCase
{
    std::vector<const char *> command;
    std::vector<const char *> events;
};

class HostEventsRaised : public HostEventsTest, public ::testing::WithParamInterface<EventCase>
{
};

QStringList strings(const std::vector<const char *> &texts)
{
    QStringList out;
    for (const char *text : texts)
        out << QString::fromUtf8(text);
    return out;
}

TEST_P(HostEventsRaised, ForChangesByAnotherProcess)
{
    EXPECT_EQ(eventsAfter(strings(GetParam().command)), strings(GetParam().events));
}

INSTANTIATE_TEST_SUITE_P(Commands, HostEventsRaised,
    ::testing::Values(EventCase {{"goto", "C0002"}, {"contact moved C0002"}},
        EventCase {{"set", "3", "99"}, {"contact C0001"}},
        EventCase {{"set", "3", "99", "--record", "C0002"}, {}},
        EventCase {{"lookup", "20=CA"}, {"lookup"}},
        EventCase {{"goto", "G002", "--group"}, {"group moved G002"}},
        EventCase {{"set", "2", "Renamed", "--group"}, {"group G001"}},
        EventCase {{"get", "3"}, {}}, EventCase {{"title", "ACT! - Other"}, {}}));

TEST_F(HostEventsTest, NoneForTheWatchingProcesssOwnReadsAndCommands)
{
    const std::shared_ptr<HostView> view
        = application->Views().Create(HostViewType::Contacts, QStringLiteral("CV"));
    view->getField(3);
    view->GetCount();
    application->Command(HostCommand::BeforeRun);
    processEventsFor(500);
    EXPECT_TRUE(log.events.isEmpty()) << log.events.join(", ").toStdString();
}

TEST_F(HostEventsTest, TheViewsReadTheChangeWhenTheEventArrives)
{
    const std::shared_ptr<HostView> before
        = application->Views().Create(HostViewType::Contacts, QStringLiteral("CV"));
    const QString first = before->getField(3);
    // A reader that then waits lets other programs write, as the preview does.
    application->Commit();
    host.cli({"set", "3", "4242"});
    QElapsedTimer timer;
    timer.start();
    while (log.events.isEmpty() && timer.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(log.events, QStringList {"contact C0001"});
    EXPECT_NE(first, QStringLiteral("4242"));
    EXPECT_EQ(
        application->Views().Create(HostViewType::Contacts, QStringLiteral("CV"))->getField(3),
        QStringLiteral("4242"));
}

TEST_F(HostEventsTest, TellWhenTheDatabaseIsRemoved)
{
    HostSchema::removeDatabaseFiles(host.path());
    processEventsFor(500);
    EXPECT_EQ(log.events, QStringList {"gone"});
}

TEST_F(HostEventsTest, StopWhenNoOneListens)
{
    application->AdviseEvents(nullptr);
    EXPECT_TRUE(eventsAfter({"goto", "C0002"}).isEmpty());
}

} // namespace
