#include "CommandLineWords.h"
#include "HostApplication.h"
#include "HostAuxCommands.h"
#include "SqliteHostApplication.h"
#include "TemporaryHost.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// A demo host and small shell programs in its folder for the triggers to start.
class FieldTriggerTest : public ::testing::Test
{
protected:
    void SetUp() override { host.createDemo(); }
    void TearDown() override { qunsetenv("ORVANTA_TRIGGER_TIMEOUT"); }

    QString script(const QString &name, const QByteArray &body) const
    {
        const QString path = host.filePath(name);
        TemporaryHost::writeFile(path, "#!/bin/sh\n" + body + "\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    QString read(const QString &name) const
    {
        QFile file(host.filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    TemporaryHost host;
};

} // namespace

TEST_F(FieldTriggerTest, OnlySetOfThatFieldAndKindRunsItAfterCommittingOnTheRecordAsCurrent)
{
    // The started program sees the committed value and the database through ORVANTA_HOST;
    // its path holds a space and is written unquoted.
    ASSERT_TRUE(QDir().mkpath(host.filePath("my programs")));
    const QString probe = script("my programs/probe.sh",
        "printf '%s|%s|%s|%s' \"$ORVANTA_HOST\" \"$1\" \"$2\" "
        "\"$(\"$0\".host --db \"$ORVANTA_HOST\" get 3)\" > \"$(dirname \"$0\")/seen\"");
    ASSERT_TRUE(QFile::link(TemporaryHost::cliProgram(), probe + ".host"));
    host.expectOut({"trigger", "3", probe + " /[25]=[3]*2\\/[26]=1 'two words'"}, "");
    const QString csv = host.filePath("people.csv");
    TemporaryHost::writeFile(csv, "1,3\nC0003,77\n");
    for (const QStringList &arguments : QList<QStringList> {
             {"set", "4", "10"}, {"set", "3", "10", "--group"}, {"import", csv}, {"add", "3=5"}})
        EXPECT_EQ(host.cli(arguments).exitCode, 0) << arguments.join(' ').toStdString();
    EXPECT_EQ(read("my programs/seen"), "");
    host.expectOut({"set", "3", "4321", "--record", "C0002"}, "");
    EXPECT_EQ(read("my programs/seen"), host.path() + "|/[25]=[3]*2\\/[26]=1|two words|4321");
    EXPECT_EQ(host.cli({"current"}).out, "C0002\n");
}

TEST_F(FieldTriggerTest, ShowSetClearAndRefuse)
{
    const QString line = "/opt/orvanta/orvanta /[25]=[3]*2";
    host.expectOut({"trigger", "3", line}, "");
    host.expectOut({"trigger", "Revenue"}, line + "\n");
    host.expectOut({"trigger", "3", "other 'quoted arg'", "--group"}, "");
    host.expectOut({"trigger", "3", "--group"}, "other 'quoted arg'\n");
    host.expectOut({"trigger", "3"}, line + "\n");
    host.expectOut({"trigger", "3", ""}, "");
    host.expectRefused({"trigger", "99", "prog"}, "unknown field '99' for contacts");
    host.expectRefused({"trigger", "3", "   "}, "the command line names no program");
    host.expectOut({"trigger", "3"}, "");
}

TEST_F(FieldTriggerTest, FailingTriggersGiveOneLineAndStatus2AndTheValueStays)
{
    qputenv("ORVANTA_TRIGGER_TIMEOUT", "1");
    const QString failing = script("fail.sh", "exit 3");
    const QString missing = host.filePath("missing");
    const struct
    {
        QString commandLine;
        QString value;
        QString err;
    } runs[] = {
        {failing, "101", ": " + failing + " ended with status 3"},
        {script("hang.sh", "exec sleep 30"), "102", " did not end within 1 second and was stopped"},
        {missing, "103", ": cannot start " + missing + ": execve: No such file or directory"},
    };
    for (const auto &run : runs) {
        host.expectOut({"trigger", "3", run.commandLine}, "");
        host.expectRefused({"set", "3", run.value}, "the trigger of contact field 3" + run.err);
        EXPECT_EQ(host.cli({"get", "3"}).out, run.value + '\n');
    }
}

// Then a command is defined whose program runs in its folder, and launched.
TEST_F(FieldTriggerTest, AuxCommandCallsAnswerTheHostsStatusesAndLaunchWaitsForTheProgram)
{
    const auto application = SqliteHostApplication::attach(host.path());
    const auto commands = application->AuxCommands();
    const auto define = [&](const QString &name) {
        return commands->AddAuxCommand(name, "/opt/orvanta/orvanta", "/opt/orvanta", name,
            "Click to launch " + name, "/opt/orvanta/orvanta.png", "/opt/orvanta/orvanta32.png", 1);
    };
    using S = HostAuxCommands::Status;
    EXPECT_FALSE(commands->AuxCommandExists("Orvanta"));
    EXPECT_EQ(commands->AddAuxCommandToToolbar(1, "Orvanta"), S::UnknownCommand);
    EXPECT_EQ(define(""), S::InvalidDefinition);
    EXPECT_EQ(define("Orvanta"), S::Done);
    EXPECT_TRUE(commands->AuxCommandExists("Orvanta"));
    EXPECT_FALSE(commands->AuxCommandExists("orvanta"));
    EXPECT_EQ(commands->AddAuxCommandToToolbar(1, "Orvanta"), S::Done);
    EXPECT_EQ(commands->AddAuxCommandToToolbar(1, "Orvanta"), S::Done);
    EXPECT_EQ(commands->AddAuxCommandToToolbar(3, "Orvanta"), S::Done);
    EXPECT_EQ(commands->AddAuxCommandToToolsMenu(3, "Orvanta"), S::Done);
    EXPECT_EQ(commands->AddAuxCommandToToolsMenu(6, "Orvanta"), S::Done);
    EXPECT_EQ(commands->AddAuxCommandToToolbar(0, "Orvanta"), S::UnknownView);
    EXPECT_EQ(commands->AddAuxCommandToToolsMenu(7, "Orvanta"), S::UnknownView);
    EXPECT_EQ(commands->RemoveAuxCommandFromToolbar(1, "Other"), S::UnknownCommand);
    EXPECT_EQ(commands->RemoveAuxCommandFromToolsMenu(9, "Orvanta"), S::UnknownView);
    EXPECT_EQ(commands->RemoveAuxCommandFromToolsMenu(6, "Orvanta"), S::Done);
    QString placed; // toolbar and tools menu of views 0 to 6
    for (qint16 view = 0; view <= 6; ++view)
        placed += QStringLiteral("%1%2 ")
                      .arg(commands->AuxCommandExistsInToolbar(view, "Orvanta"))
                      .arg(commands->AuxCommandExistsInToolsMenu(view, "Orvanta"));
    EXPECT_EQ(placed, "00 10 00 11 00 00 00 ");

    host.expectOut({"aux"},
        "Orvanta\n"
        "  executable: /opt/orvanta/orvanta\n"
        "  folder:     /opt/orvanta\n"
        "  tooltip:    Click to launch Orvanta\n"
        "  icons:      /opt/orvanta/orvanta.png, /opt/orvanta/orvanta32.png\n"
        "  toolbar:    1 Contacts, 3 Groups\n"
        "  tools menu: 3 Groups\n");

    const QString program
        = script("launched.sh", "sleep 0.2; pwd > where; printf '%s' \"$ORVANTA_HOST\" > db");
    const QString folder = host.filePath("work");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(
        commands->AddAuxCommand("Run", program, folder, "Run", "tip", "i", "i32", 1), S::Done);
    host.expectOut({"launch", "Run"}, "");
    EXPECT_EQ(read("work/where").trimmed(), QDir(folder).canonicalPath());
    EXPECT_EQ(read("work/db"), host.path());
    host.expectRefused({"launch", "Other"}, "no launch command is named 'Other' (see aux)");
}

TEST(CommandLineWords, CutsAsAShellWithoutExpansion)
{
    const struct
    {
        const char *line;
        QStringList words;
    } rows[] = {
        {"/opt/orvanta/orvanta /[25]=[3]*2", {"/opt/orvanta/orvanta", "/[25]=[3]*2"}},
        {"  prog   a\tb  ", {"prog", "a", "b"}},
        {"prog 'two words' \"and more\"", {"prog", "two words", "and more"}},
        {"prog it\\'s a\\ b", {"prog", "it's", "a b"}},
        {"prog [25]=[3]*2\\/[26]=1", {"prog", "[25]=[3]*2\\/[26]=1"}},
        {"prog 'lit\\eral $HOME'", {"prog", "lit\\eral $HOME"}},
        {"prog \"say \\\"hi\\\" \\/\"", {"prog", "say \"hi\" \\/"}},
        {"prog '' \"\"", {"prog", "", ""}},
        {"prog [26]=If([4]>1;\"Yes\";\"No\") [2]=\"O'Brien\"",
            {"prog", "[26]=If([4]>1;\"Yes\";\"No\")", "[2]=\"O'Brien\""}},
        {"prog 'a b'\"c\"", {"prog", "a b\"c\""}},
        {"prog end\\", {"prog", "end\\"}},
        {"   ", {}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(CommandLineWords::split(QString::fromUtf8(row.line)), row.words) << row.line;
}

TEST(CommandLineWords, UnbalancedQuotesAreRefusedByName)
{
    const struct
    {
        const char *line;
        const char *message;
    } rows[] = {
        {"prog 'open", "the command line has an unbalanced single quote"},
        {"prog \"open", "the command line has an unbalanced double quote"},
        {"prog \"it's\" 'x", "the command line has an unbalanced single quote"},
        {"prog \"escaped \\\"", "the command line has an unbalanced double quote"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(thrownError([&] { CommandLineWords::split(QString::fromUtf8(row.line)); }).second,
            QLatin1String(row.message))
            << row.line;
}
