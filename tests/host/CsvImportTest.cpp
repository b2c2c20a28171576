// orvanta-host import and export: records added and updated in one step, refused whole
// when any part of the file is wrong, whatever the file's size.
#include "TemporaryHost.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(CsvImport, RefusesTheWholeFileForAnyWrongPartElseUpdatesByKeyAndAddsTheOthers)
{
    TemporaryHost host;
    host.createDemo();
    const QString before = host.cli({"export"}).out;
    const QString file = host.filePath("bad.csv");
    const auto expectRefused = [&](const QByteArray &content, const QString &message) {
        TemporaryHost::writeFile(file, content);
        host.expectRefused({"import", file}, file + ' ' + message);
    };
    expectRefused("2,3,Company\nA,1,B\n", "line 1: the field 2 (Company) is named twice");
    expectRefused("1,3\nN1,1\nN2,2\nN1,3\n", "line 4: the key N1 is already on line 2");
    expectRefused("1,3\nG001,1\n", "line 2: the key G001 belongs to one of the groups");
    expectRefused("1,3\nC0001,5\nN1,6\nN2,7,8\n", "line 4: 3 values where the header has 2");
    expectRefused("2,3\nA,1\nB,\"2\n", "line 3: a quoted value is not closed");
    expectRefused("2,Shoe size\nA,1\n", "line 1: unknown field 'Shoe size'");
    EXPECT_EQ(host.cli({"export"}).out, before);

    TemporaryHost::writeFile(host.filePath("in.csv"),
        "Contact ID,Company,3\n"
        "C0002,,77\n" // an existing record: an empty value clears its field
        ",Keyless One,1\n"
        "NEW1,Keyed,2\n"
        ",Keyless Two,3\n");
    host.expectOut({"import", host.filePath("in.csv")}, "4 records imported\n");
    // New records join the lookup in the file's order; the host's numbering goes on.
    EXPECT_TRUE(host.cli({"list"}).out.endsWith(
        "C0051\tKeyless One\t\t1\t\nNEW1\tKeyed\t\t2\t\nC0052\tKeyless Two\t\t3\t\n"));
    host.expectOut({"get", "2", "--record", "C0002"}, "\n");
    host.expectOut({"get", "3", "--record", "C0002"}, "77\n");
    host.expectOut({"add"}, "C0053\n");
}

TEST(CsvImport, AFileLongerThanWhatIsReadAtOnceArrivesWholeAndExportReadsBack)
{
    TemporaryHost host;
    host.expectOut({"init"}, "");
    // Quoted values with line breaks and multi-byte characters fall across the reader's
    // chunks somewhere in these 3 MB.
    QByteArray csv = "2,25\n";
    const int rows = 20000;
    for (int i = 1; i <= rows; ++i)
        csv += "\"Größe " + QByteArray::number(i) + ",\nzwei\"," + QByteArray(140, 'x') + "\n";
    TemporaryHost::writeFile(host.filePath("big.csv"), csv);
    host.expectOut(
        {"import", host.filePath("big.csv")}, QString("%1 records imported\n").arg(rows));
    for (int i : {1, 7777, rows}) {
        const QString key = QString("C%1").arg(i, 4, 10, QLatin1Char('0'));
        host.expectOut({"get", "2", "--record", key}, QString("Größe %1,\nzwei\n").arg(i));
        host.expectOut({"get", "25", "--record", key}, QString(140, 'x') + "\n");
    }
    host.expectOut({"export", host.filePath("out.csv")}, "");
    TemporaryHost copy;
    copy.expectOut({"init"}, "");
    copy.expectOut(
        {"import", host.filePath("out.csv")}, QString("%1 records imported\n").arg(rows));
    EXPECT_EQ(copy.cli({"export"}).out, host.cli({"export"}).out);
}

TEST(CsvImport, ADatabaseInAFolderNobodyMayWriteToIsSaidSo)
{
    TemporaryHost host;
    host.expectOut({"init"}, "");
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
