// orvanta-host import: records added and updated in one step, refused whole when any part
// of the file is wrong, whatever the file's size.
#include "TemporaryHost.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(CsvImport, RefusesTheWholeFileForAnyWrongPart)
{
    TemporaryHost host;
    host.createDemo();
    const QString before = host.cli({"export"}).out;
    const QString file = host.filePath("bad.csv");
    const struct
    {
        const char *name;
        QByteArray content;
        QString err;
    } cases[] = {
        {"field named twice", "2,3,Company\nA,1,B\n",
            " line 1: the field 2 (Company) is named twice"},
        {"key twice", "1,3\nN1,1\nN2,2\nN1,3\n", " line 4: the key N1 is already on line 2"},
        {"key of a group", "1,3\nG001,1\n", " line 2: the key G001 belongs to one of the groups"},
        {"error on the last line", "1,3\nC0001,5\nN1,6\nN2,7,8\n",
            " line 4: 3 values where the header has 2"},
        {"quote not closed", "2,3\nA,1\nB,\"2\n", " line 3: a quoted value is not closed"},
        {"unknown field", "2,Shoe size\nA,1\n", " line 1: unknown field 'Shoe size'"},
    };
    for (const auto &c : cases) {
        TemporaryHost::writeFile(file, c.content);
        const TemporaryHost::CliResult result = host.cli({"import", file});
        EXPECT_EQ(result.exitCode, 2) << c.name;
        EXPECT_EQ(result.err, "orvanta-host: " + file + c.err + "\n") << c.name;
    }
    EXPECT_EQ(host.cli({"export"}).out, before);
}

TEST(CsvImport, UpdatesRecordsByKeyAndAddsTheOthers)
{
    TemporaryHost host;
    host.createDemo();
    TemporaryHost::writeFile(host.filePath("in.csv"),
        "Contact ID,Company,3\n"
        "C0002,,77\n" // an existing record: an empty value clears its field
        ",Keyless One,1\n"
        "NEW1,Keyed,2\n"
        ",Keyless Two,3\n");
    const TemporaryHost::CliResult result = host.cli({"import", host.filePath("in.csv")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "4 records imported\n");
    const struct
    {
        const char *key;
        const char *company;
        const char *revenue;
    } expected[] = {
        {"C0002", "", "77"},
        {"C0051", "Keyless One", "1"},
        {"NEW1", "Keyed", "2"},
        {"C0052", "Keyless Two", "3"},
    };
    for (const auto &e : expected) {
        EXPECT_EQ(host.cli({"get", "2", "--record", e.key}).out, QString(e.company) + "\n")
            << e.key;
        EXPECT_EQ(host.cli({"get", "3", "--record", e.key}).out, QString(e.revenue) + "\n")
            << e.key;
    }
    // New records join the lookup in the file's order; the host's numbering goes on.
    const QStringList list = host.cli({"list"}).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(list.size(), 3);
    EXPECT_TRUE(list.at(list.size() - 3).startsWith("C0051\t"));
    EXPECT_TRUE(list.at(list.size() - 2).startsWith("NEW1\t"));
    EXPECT_TRUE(list.last().startsWith("C0052\t"));
    EXPECT_EQ(host.cli({"add"}).out, "C0053\n");
}

TEST(CsvImport, AFileLongerThanWhatIsReadAtOnceArrivesWhole)
{
    TemporaryHost host;
    ASSERT_EQ(host.cli({"init"}).exitCode, 0);
    // Quoted values with line breaks and multi-byte characters fall across the reader's
    // chunks somewhere in these 3 MB.
    QByteArray csv = "2,25\n";
    const int rows = 20000;
    for (int i = 1; i <= rows; ++i)
        csv += "\"Größe " + QByteArray::number(i) + ",\nzwei\"," + QByteArray(140, 'x') + "\n";
    TemporaryHost::writeFile(host.filePath("big.csv"), csv);
    const TemporaryHost::CliResult result = host.cli({"import", host.filePath("big.csv")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QString("%1 records imported\n").arg(rows));
    for (int i : {1, 7777, rows}) {
        const QString key = QString("C%1").arg(i, 4, 10, QLatin1Char('0'));
        EXPECT_EQ(host.cli({"get", "2", "--record", key}).out, QString("Größe %1,\nzwei\n").arg(i));
        EXPECT_EQ(host.cli({"get", "25", "--record", key}).out, QString(140, 'x') + "\n");
    }
}

TEST(CsvImport, ViewAcceptsOnlyTheHostsViewTypes)
{
    TemporaryHost host;
    ASSERT_EQ(host.cli({"init"}).exitCode, 0);
    for (const char *type : {"1", "2", "3"})
        EXPECT_EQ(host.cli({"view", type}).exitCode, 0) << type;
    for (const char *type : {"0", "4", "-1"}) {
        const TemporaryHost::CliResult result = host.cli({"view", type});
        EXPECT_EQ(result.exitCode, 2) << type;
        EXPECT_TRUE(result.err.contains(QString("the host has no view type %1").arg(type)))
            << result.err.toStdString();
    }
}

TEST(CsvImport, ADatabaseInAFolderNobodyMayWriteToIsSaidSo)
{
    TemporaryHost host;
    ASSERT_EQ(host.cli({"init"}).exitCode, 0);
    const QString folder = QFileInfo(host.path()).absolutePath();
    QStringList command {TemporaryHost::cliProgram(), "--db", host.path(), "list"};
    if (geteuid() == 0) {
        // Root may write anywhere: the command runs as nobody instead.
        command
            = QStringList {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"} + command;
        ASSERT_EQ(::chown(QFile::encodeName(host.path()).constData(), 65534, 65534), 0);
    }
    QFile::setPermissions(
        folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QProcess process;
    process.start(command.takeFirst(), command);
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(err.contains("for writing: its folder " + folder)) << err.toStdString();
    EXPECT_TRUE(err.contains("Permission denied")) << err.toStdString();
}
