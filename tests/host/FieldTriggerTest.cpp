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
    QString field(const QString &id, const QString &key = "C0001") const
    {
        return host.cli({"get", id, "--record", key}).out.trimmed();
    }

    TemporaryHost host;
};

} // namespace

TEST_F(FieldTriggerTest, ShowSetAndClear)
{
    const QString line = "/opt/orvanta/orvanta /[25]=[3]*2";
    const struct
    {
        QStringList arguments;
        QString out;
    } rows[] = {
        {{"trigger", "3"}, ""},
        {{"trigger", "3", line}, ""},
        {{"trigger", "Revenue"}, line + "\n"},
        {{"trigger", "3", "--group"}, ""},
        {{"trigger", "3", "other 'quoted arg'", "--group"}, ""},
        {{"trigger", "3", "--group"}, "other 'quoted arg'\n"},
        {{"trigger", "3"}, line + "\n"},
        {{"trigger", "3", ""}, ""},
        {{"trigger", "3"}, ""},
    };
    for (const auto &row : rows) {
        const TemporaryHost::CliResult result = host.cli(row.arguments);
        EXPECT_EQ(result.exitCode, 0)
            << row.arguments.join(' ').toStdString() << ": " << result.err.toStdString();
        EXPECT_EQ(result.out, row.out) << row.arguments.join(' ').toStdString();
    }
}

TEST_F(FieldTriggerTest, SetRunsTheTriggerAfterCommittingOnTheRecordAsCurrent)
{
    // The started program sees the committed value and the database through ORVANTA_HOST;
    // its path holds a space and is written unquoted.
    ASSERT_TRUE(QDir().mkpath(host.filePath("my programs")));
    const QString probe = script("my programs/probe.sh",
        "printf '%s|%s|%s|%s' \"$ORVANTA_HOST\" \"$1\" \"$2\" "
        "\"$(\"$0\".host --db \"$ORVANTA_HOST\" get 3)\" > \"$(dirname \"$0\")/seen\"");
    ASSERT_TRUE(QFile::link(TemporaryHost::cliProgram(), probe + ".host"));
    ASSERT_EQ(host.cli({"trigger", "3", probe + " /[25]=[3]*2\\/[26]=1 'two words'"}).exitCode, 0);

    const TemporaryHost::CliResult set = host.cli({"set", "3", "4321", "--record", "C0002"});
    EXPECT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(read("my programs/seen"), host.path() + "|/[25]=[3]*2\\/[26]=1|two words|4321");
    EXPECT_EQ(host.cli({"current"}).out, "C0002\n");
}

TEST_F(FieldTriggerTest, OnlySetOfThatFieldAndKindFiresIt)
{
    const QString touch = script("touch.sh", "echo fired >> \"$(dirname \"$0\")/fired\"");
    ASSERT_EQ(host.cli({"trigger", "3", touch}).exitCode, 0);
    const QString csv = host.filePath("people.csv");
    TemporaryHost::writeFile(csv, "1,3\nC0003,77\n");
    const QList<QStringList> quiet = {
        {"set", "4", "10"},
        {"set", "3", "10", "--group"},
        {"import", csv},
        {"add", "3=5"},
    };
    for (const QStringList &arguments : quiet)
        EXPECT_EQ(host.cli(arguments).exitCode, 0) << arguments.join(' ').toStdString();
    EXPECT_EQ(read("fired"), "");
    EXPECT_EQ(host.cli({"set", "3", "11"}).exitCode, 0);
    EXPECT_EQ(read("fired"), "fired\n");
}

TEST_F(FieldTriggerTest, BadTriggersGiveOneLineAndStatus2AndTheValueStays)
{
    qputenv("ORVANTA_TRIGGER_TIMEOUT", "1");
    const QString failing = script("fail.sh", "exit 3");
    const QString hanging = script("hang.sh", "exec sleep 30");
    const QString missing = host.filePath("missing");
    const struct
    {
        QStringList trigger;
        QString err;
    } rows[] = {
        {{"trigger", "99", "prog"}, "orvanta-host: unknown field '99' for contacts\n"},
        {{"trigger", "3", "prog 'open"},
            "orvanta-host: the command line has an unbalanced single quote\n"},
        {{"trigger", "3", "   "}, "orvanta-host: the command line names no program\n"},
        {{"trigger", "3", "prog", "x"},
            "orvanta-host: wrong number of arguments for trigger (see --help)\n"},
    };
    for (const auto &row : rows) {
        const TemporaryHost::CliResult result = host.cli(row.trigger);
        EXPECT_EQ(result.exitCode, 2) << row.trigger.join(' ').toStdString();
        EXPECT_EQ(result.err, row.err) << row.trigger.join(' ').toStdString();
    }
    EXPECT_EQ(host.cli({"trigger", "3"}).out, "");

    const struct
    {
        QString commandLine;
        QString value;
        QString err;
    } runs[] = {
        {failing, "101",
            "orvanta-host: the trigger of contact field 3: " + failing + " ended with status 3\n"},
        {hanging, "102",
            "orvanta-host: the trigger of contact field 3 did not end within 1 second and was "
            "stopped\n"},
        {missing, "103",
            "orvanta-host: the trigger of contact field 3: cannot start " + missing
                + ": execve: No such file or directory\n"},
    };
    for (const auto &run : runs) {
        ASSERT_EQ(host.cli({"trigger", "3", run.commandLine}).exitCode, 0);
        const TemporaryHost::CliResult result = host.cli({"set", "3", run.value});
        EXPECT_EQ(result.exitCode, 2) << run.commandLine.toStdString();
        EXPECT_EQ(result.err, run.err);
        EXPECT_EQ(field("3"), run.value);
    }
}

TEST_F(FieldTriggerTest, LaunchStartsACommandInItsFolderAndWaits)
{
    const QString program
        = script("launched.sh", "sleep 0.2; pwd > where; printf '%s' \"$ORVANTA_HOST\" > db");
    const QString folder = host.filePath("work");
    ASSERT_TRUE(QDir().mkpath(folder));
    {
        const auto application = SqliteHostApplication::attach(host.path());
        ASSERT_EQ(application->AuxCommands()->AddAuxCommand(
                      "Orvanta", program, folder, "Orvanta", "tip", "i.png", "i32.png", 1),
            0);
    }
    const TemporaryHost::CliResult launched = host.cli({"launch", "Orvanta"});
    EXPECT_EQ(launched.exitCode, 0) << launched.err.toStdString();
    EXPECT_EQ(read("work/where").trimmed(), QDir(folder).canonicalPath());
    EXPECT_EQ(read("work/db"), host.path());

    const struct
    {
        QStringList arguments;
        QString err;
    } rows[] = {
        {{"launch", "Other"}, "orvanta-host: no launch command is named 'Other' (see aux)\n"},
        {{"launch"}, "orvanta-host: wrong number of arguments for launch (see --help)\n"},
        {{"aux", "x"}, "orvanta-host: wrong number of arguments for aux (see --help)\n"},
    };
    for (const auto &row : rows) {
        const TemporaryHost::CliResult result = host.cli(row.arguments);
        EXPECT_EQ(result.exitCode, 2) << row.arguments.join(' ').toStdString();
        EXPECT_EQ(result.err, row.err) << row.arguments.join(' ').toStdString();
    }
}
