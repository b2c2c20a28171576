// The last batch of a run is committed as the run's last step: when the host cannot keep
// it, the run says so, and what it says matches what the host holds.
#include "EndToEnd.h"
#include "RunFixture.h"
#include "SqliteConnection.h"
#include "SqliteHostApplication.h"

namespace {

class FinalCommit : public EndToEnd
{
protected:
    // Runs the calculation on the current contact in this process, against the host
    // database, with the environment the cases set.
    void runInProcess(const QString &calculation, const std::function<void()> &beforeCommit)
    {
        for (auto it = m_extraEnvironment.cbegin(); it != m_extraEnvironment.cend(); ++it)
            qputenv(it.key().toUtf8().constData(), it.value().toUtf8());
        {
            const auto application = SqliteHostApplication::attach(dbPath());
            ForwardingHost host(*application, beforeCommit);
            RunState state;
            state.commandLine = calculation;
            state.hostApplication = &host;
            state.viewCollection = &host.Views();
            state.activeViewType = HostViewType::Contacts;
            state.calculationView = host.Views().Create(HostViewType::Contacts, "CV");
            RunDialogs runDialogs(dialogs);
            Evaluator evaluator(QLocale(QLocale::English, QLocale::UnitedStates), runDialogs);
            Settings settings;
            ConsoleRunWindows windows(dialogs);
            SilentProgress progress;
            CalculationRun(state, evaluator, runDialogs, settings, windows, progress).Start_Calc();
            exitStatus = state.exitStatus;
            state.calculationView.reset();
        }
        for (auto it = m_extraEnvironment.cbegin(); it != m_extraEnvironment.cend(); ++it)
            qunsetenv(it.key().toUtf8().constData());
    }

    RecordingDialogs dialogs;
    ExitStatus exitStatus = ExitStatus::Written;
};

} // namespace

TEST_F(FinalCommit, AFailedLastCommitIsReportedAndNothingOfItIsKept)
{
    const QString longText(20000, QLatin1Char('x'));
    struct Case
    {
        const char *name;
        QMap<QString, QString> environment;
        QString calculation;
        const char *reported; // nothing when the commit succeeds
    } cases[] = {
        {"locked past the busy timeout", {{"ORVANTA_HOST_BUSY_TIMEOUT_MS", "200"}},
            "[25]=5\\/[26]=6", "kept the database locked for more than 0.2 seconds"},
        {"full", {{"ORVANTA_HOST_MAX_PAGES", "1"}}, "[25]=\"" + longText + "\"\\/[26]=6",
            "database or disk is full"},
        {"committed", {}, "[25]=5\\/[26]=6", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString before25 = field(25);
        const QString before26 = field(26);
        dialogs.clear();
        m_extraEnvironment = c.environment;
        std::unique_ptr<SqliteConnection> locker;
        runInProcess(c.calculation, [&] {
            if (!c.environment.contains("ORVANTA_HOST_BUSY_TIMEOUT_MS"))
                return;
            locker = std::make_unique<SqliteConnection>(
                dbPath(), SqliteConnection::OpenMode::ExistingOnly);
            locker->execScript("BEGIN IMMEDIATE");
        });
        locker.reset();
        m_extraEnvironment.clear();
        if (!c.reported) {
            EXPECT_TRUE(dialogs.texts().isEmpty());
            EXPECT_EQ(exitStatus, ExitStatus::Written);
            EXPECT_EQ(field(25), "5");
            EXPECT_EQ(field(26), "6");
            continue;
        }
        ASSERT_EQ(dialogs.texts().size(), 1);
        EXPECT_TRUE(dialogs.texts().first().contains(c.reported))
            << dialogs.texts().first().toStdString();
        EXPECT_TRUE(dialogs.texts().first().contains("Start_Calc - Line # 11"));
        EXPECT_EQ(exitStatus, ExitStatus::HostFailed);
        EXPECT_EQ(field(25), before25);
        EXPECT_EQ(field(26), before26);
    }
}
