#include "ConsoleRunWindows.h"
#include "HostDatabaseProcess.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// The program as installed, over the stand-in host's demo database.
class OrvantaProcess : public ::testing::Test
{
protected:
    struct Outcome
    {
        int exitCode = -1;
        QString errors;
    };

    void SetUp() override { ASSERT_TRUE(database.host({"init", "--demo"})); }
    Outcome orvanta(const QStringList &arguments, const QProcessEnvironment &environment)
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ORVANTA_EXE), arguments);
        process.closeWriteChannel();
        if (!process.waitForFinished(30000))
            return {}; // the QProcess ends it on leaving
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    }

    HostDatabaseProcess database;
};

// Without a display the main window and the editor say so, change nothing, and tell a
// script they did not open.
TEST_F(OrvantaProcess, ConsoleSaysAWindowNeedsADisplayAndChangesNothing)
{
    const std::pair<QStringList, QString> rows[] = {
        {{}, ConsoleRunWindows::mainWindowUnavailableText()},
        {{"--edit", "x.ocs"}, ConsoleRunWindows::editorUnavailableText()},
    };
    QProcessEnvironment environment = database.orvantaEnvironment();
    environment.insert(QStringLiteral("ORVANTA_UI"), QStringLiteral("console"));
    for (const auto &[arguments, said] : rows) {
        const Outcome outcome = orvanta(arguments, environment);
        EXPECT_EQ(outcome.exitCode, 1) << qPrintable(said);
        EXPECT_TRUE(outcome.errors.contains(said)) << qPrintable(outcome.errors);
    }
    EXPECT_FALSE(database.commandLog().contains(QStringLiteral("104")));
}

// A trigger run must not load the window library; an empty command line with a display
// opens it and waits in the main window, until the test ends the process.
TEST_F(OrvantaProcess, OnlyTheMainWindowLoadsTheWindowLibrary)
{
    QProcessEnvironment environment = database.orvantaEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("ORVANTA_UI"));
    environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    const Outcome outcome = orvanta({QStringLiteral("[25]=[3]*2")}, environment);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(database.field(QStringLiteral("C0001"), 25),
        QString::number(database.field(QStringLiteral("C0001"), 3).toLongLong() * 2));
    EXPECT_FALSE(outcome.errors.contains(QStringLiteral("orvanta-ui.so")));
    EXPECT_FALSE(outcome.errors.contains(QStringLiteral("libQt6Widgets")));

    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORVANTA_EXE), QStringList());
    QByteArray loaded;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return (loaded += process.readAllStandardError()).contains("orvanta-ui.so"); },
        15000));
    QTest::qWait(300);
    EXPECT_EQ(process.state(), QProcess::Running);
    process.kill();
    process.waitForFinished();
}

} // namespace
