#include "HostApplication.h"
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
    host.expectRefused(
        {"trigger", "3", "prog 'open"}, "the command line has an unbalanced single quote");
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

TEST_F(FieldTriggerTest, LaunchStartsACommandInItsFolderAndWaits)
{
    const QString program
        = script("launched.sh", "sleep 0.2; pwd > where; printf '%s' \"$ORVANTA_HOST\" > db");
    const QString folder = host.filePath("work");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(SqliteHostApplication::attach(host.path())
                  ->AuxCommands()
                  ->AddAuxCommand("Orvanta", program, folder, "Orvanta", "tip", "i", "i32", 1),
        0);
    host.expectOut({"launch", "Orvanta"}, "");
    EXPECT_EQ(read("work/where").trimmed(), QDir(folder).canonicalPath());
    EXPECT_EQ(read("work/db"), host.path());
    host.expectRefused({"launch", "Other"}, "no launch command is named 'Other' (see aux)");
}
