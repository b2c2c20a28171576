#include "SqliteHostApplication.h"
#include "TemporaryHost.h"

#include <QProcess>
#include <gtest/gtest.h>

TEST(HostCli, DemoDatabaseAnswersTheCommands)
{
    TemporaryHost host;
    host.expectOut({"init", "--demo"}, "");
    host.expectOut({"current", "--group"}, "G001\n");
    host.expectOut({"get", "3"}, "10000\n");
    host.expectOut({"get", "Company", "--record", "C0002"}, "Cedar & Stone Architects\n");
    host.expectOut({"get", "2", "--group"}, "Key Accounts\n");
    host.expectOut({"set", "25", "  spaced  "}, "");
    host.expectOut({"get", "25"}, "  spaced  \n");
    host.expectOut({"title", "ACT!", "-", "Other"}, "");
    EXPECT_EQ(SqliteHostApplication::readForegroundWindowTitle(host.path()), "ACT! - Other");
    EXPECT_EQ(host.cli({"list", "--group"}).out.count('\n'), 5);
    EXPECT_EQ(
        host.cli({"fields"}).out.split('\n', Qt::SkipEmptyParts).value(2), "3\tRevenue\tCurrency");
}

TEST(HostCli, BadInputGivesOneLineAndStatus2AndInitAddLookupAndCurrent)
{
    TemporaryHost host;
    host.expectRefused({"list"}, "no host database at " + host.path() + " (create one with init)");
    const QString nested = host.filePath("a/b/c.db");
    ASSERT_EQ(QProcess::execute(TemporaryHost::cliProgram(), {"--db", nested, "init"}), 0);
    EXPECT_EQ(SqliteHostApplication::readForegroundWindowTitle(nested), "ACT! - c.db");
    host.expectOut({"init"}, "");
    host.expectRefused({"frobnicate"}, "unknown command 'frobnicate' (see --help)");
    host.expectRefused({}, "no command given (see --help)");
    host.expectRefused({"get", "999"}, "unknown field '999' for contacts");
    host.expectRefused({"get", "3"}, "there is no current contact (use goto or --record)");
    host.expectRefused({"goto", "C0042"}, "no contact has the key 'C0042'");
    host.expectRefused({"set", "3"}, "wrong number of arguments for set (see --help)");
    host.expectRefused({"view", "three"}, "the view type 'three' is not a number");
    host.expectOut({"view", "3"}, "");
    for (const QString type : {"0", "4"})
        host.expectRefused({"view", type},
            "the host has no view type " + type + " (1 contacts, 2 contact list, 3 groups)");
    host.expectRefused({"list", "--bogus"}, "unknown option --bogus (see --help)");
    host.expectRefused({"init"}, host.path() + " already exists (--force replaces it)");
    host.expectRefused({"import", host.filePath("none.csv")},
        "cannot read " + host.filePath("none.csv") + ": No such file or directory");
    host.expectOut({"add", "2=Acme", "3=5"}, "C0001\n");
    host.expectOut({"add", "Company=Beta", "3=5"}, "C0002\n");
    host.expectOut({"add", "2=Gamma", "3=6"}, "C0003\n");
    host.expectOut({"add", "2=Team", "--group"}, "G001\n");
    host.expectOut({"current"}, "C0003\n");
    host.expectOut({"lookup", "3=5"}, "");
    host.expectOut({"list"}, "C0001\tAcme\t\t5\t\nC0002\tBeta\t\t5\t\n");
    host.expectOut({"lookup", "all"}, "");
    EXPECT_EQ(host.cli({"list"}).out.count('\n'), 3);
    host.expectOut({"init", "--force"}, "");
    host.expectOut({"list"}, "");
    TemporaryHost::writeFile(host.path(), "id,name\n1,not a database\n");
    host.expectRefused({"list"}, host.path() + " is not an Orvanta host database");
}
