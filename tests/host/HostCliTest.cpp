#include "SqliteHostApplication.h"
#include "TemporaryHost.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

TEST(HostCli, DemoDatabaseAnswersTheCommands)
{
    TemporaryHost host;
    ASSERT_EQ(host.cli({"init", "--demo"}).exitCode, 0);
    struct Row
    {
        QStringList arguments;
        QString out;
    };
    const Row rows[] = {
        {{"current"}, "C0001\n"},
        {{"current", "--group"}, "G001\n"},
        {{"get", "2"}, "Brightwater Logistics\n"},
        {{"get", "3"}, "10000\n"},
        {{"get", "1", "--record", "C0002"}, "C0002\n"},
        {{"get", "Company", "--record", "C0002"}, "Cedar & Stone Architects\n"},
        {{"get", "2", "--group"}, "Key Accounts\n"},
        {{"set", "25", "  spaced  "}, ""},
        {{"get", "25"}, "  spaced  \n"},
        {{"title", "ACT!", "-", "Other"}, ""},
        {{"goto", "C0050"}, ""},
        {{"current"}, "C0050\n"},
        {{"lookup", "C0007", "C0003"}, ""},
    };
    for (const Row &row : rows) {
        const TemporaryHost::CliResult result = host.cli(row.arguments);
        EXPECT_EQ(result.exitCode, 0)
            << row.arguments.join(' ').toStdString() << ": " << result.err.toStdString();
        EXPECT_EQ(result.out, row.out) << row.arguments.join(' ').toStdString();
    }
    const QStringList listed = host.cli({"list"}).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(listed.size(), 2);
    EXPECT_TRUE(listed[0].startsWith("C0007\t"));
    EXPECT_TRUE(listed[1].startsWith("C0003\t"));
    EXPECT_EQ(host.cli({"list", "--group"}).out.count('\n'), 5);
    EXPECT_EQ(
        host.cli({"fields"}).out.split('\n', Qt::SkipEmptyParts).value(2), "3\tRevenue\tCurrency");
}

TEST(HostCli, BadInputGivesOneLineAndStatus2)
{
    TemporaryHost host;
    ASSERT_EQ(host.cli({"init"}).exitCode, 0);
    struct Row
    {
        QStringList arguments;
        QString err;
    };
    const Row rows[] = {
        {{"frobnicate"}, "orvanta-host: unknown command 'frobnicate' (see --help)\n"},
        {{}, "orvanta-host: no command given (see --help)\n"},
        {{"get", "999"}, "orvanta-host: unknown field '999' for contacts\n"},
        {{"get", "3"}, "orvanta-host: there is no current contact (use goto or --record)\n"},
        {{"goto", "C0042"}, "orvanta-host: no contact has the key 'C0042'\n"},
        {{"set", "3"}, "orvanta-host: wrong number of arguments for set (see --help)\n"},
        {{"view", "three"}, "orvanta-host: the view type 'three' is not a number\n"},
        {{"list", "--bogus"}, "orvanta-host: unknown option --bogus (see --help)\n"},
        {{"init"}, "orvanta-host: " + host.path() + " already exists (--force replaces it)\n"},
        {{"import", host.filePath("none.csv")},
            "orvanta-host: cannot read " + host.filePath("none.csv")
                + ": No such file or directory\n"},
    };
    for (const Row &row : rows) {
        const TemporaryHost::CliResult result = host.cli(row.arguments);
        EXPECT_EQ(result.exitCode, 2) << row.arguments.join(' ').toStdString();
        EXPECT_EQ(result.err, row.err) << row.arguments.join(' ').toStdString();
        EXPECT_EQ(result.out, "");
    }
}

TEST(HostCli, MissingOrForeignDatabasesAreRefused)
{
    TemporaryHost host;
    EXPECT_EQ(host.cli({"list"}).err,
        "orvanta-host: no host database at " + host.path() + " (create one with init)\n");
    TemporaryHost::writeFile(host.path(), "id,name\n1,not a database\n");
    const TemporaryHost::CliResult result = host.cli({"list"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "orvanta-host: " + host.path() + " is not an Orvanta host database\n");
}

TEST(HostCli, InitCreatesTheFolderAndForceReplaces)
{
    TemporaryHost host;
    const QString nested = host.filePath("a/b/c.db");
    ASSERT_EQ(QProcess::execute(TemporaryHost::cliProgram(), {"--db", nested, "init"}), 0);
    EXPECT_EQ(SqliteHostApplication::readForegroundWindowTitle(nested), "ACT! - c.db");
    ASSERT_EQ(host.cli({"init", "--demo"}).exitCode, 0);
    ASSERT_EQ(host.cli({"init", "--force"}).exitCode, 0);
    EXPECT_EQ(host.cli({"list"}).out, "");
}

TEST(HostCli, CsvRoundTripKeepsCommasQuotesAndLineBreaks)
{
    TemporaryHost host;
    ASSERT_EQ(host.cli({"init"}).exitCode, 0);
    TemporaryHost::writeFile(host.filePath("in.csv"),
        "Company,3,User 1\r\n"
        "\"Smith, Jones & Co\",100,\"said \"\"yes\"\"\"\r\n"
        "Plain,7,\"two\nlines\"\r\n");
    const TemporaryHost::CliResult imported = host.cli({"import", host.filePath("in.csv")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, "2 records imported\n");
    EXPECT_EQ(host.cli({"get", "2", "--record", "C0001"}).out, "Smith, Jones & Co\n");
    EXPECT_EQ(host.cli({"get", "25", "--record", "C0002"}).out, "two\nlines\n");

    ASSERT_EQ(host.cli({"export", host.filePath("out.csv")}).exitCode, 0);
    const QString exported = host.cli({"export"}).out;
    TemporaryHost copy;
    ASSERT_EQ(copy.cli({"init"}).exitCode, 0);
    ASSERT_EQ(copy.cli({"import", host.filePath("out.csv")}).exitCode, 0);
    EXPECT_EQ(copy.cli({"export"}).out, exported);
    EXPECT_TRUE(exported.contains("C0001,\"Smith, Jones & Co\",100,"));
    EXPECT_TRUE(exported.contains("\"said \"\"yes\"\"\""));
}

TEST(HostCli, AddLookupAndCurrent)
{
    TemporaryHost host;
    ASSERT_EQ(host.cli({"init"}).exitCode, 0);
    EXPECT_EQ(host.cli({"add", "2=Acme", "3=5"}).out, "C0001\n");
    EXPECT_EQ(host.cli({"add", "Company=Beta", "3=5"}).out, "C0002\n");
    EXPECT_EQ(host.cli({"add", "2=Gamma", "3=6"}).out, "C0003\n");
    EXPECT_EQ(host.cli({"add", "2=Team", "--group"}).out, "G001\n");
    EXPECT_EQ(host.cli({"current"}).out, "C0003\n");
    ASSERT_EQ(host.cli({"lookup", "3=5"}).exitCode, 0);
    EXPECT_EQ(host.cli({"list"}).out, "C0001\tAcme\t\t5\t\nC0002\tBeta\t\t5\t\n");
    ASSERT_EQ(host.cli({"lookup", "all"}).exitCode, 0);
    EXPECT_EQ(host.cli({"list"}).out.count('\n'), 3);
}
