#include "AppPath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Points the program folder and the user's data folder at scratch places for one test.
class AppPathTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        qputenv("XDG_DATA_HOME", scratch.filePath(QStringLiteral("data")).toUtf8());
    }
    void TearDown() override
    {
        qunsetenv("ORVANTA_APP_DIR");
        qunsetenv("XDG_DATA_HOME");
    }
    void useProgramFolder(const QString &dir) { qputenv("ORVANTA_APP_DIR", dir.toUtf8()); }

    QTemporaryDir scratch;
};

TEST_F(AppPathTest, WritesIntoTheProgramFolderOnlyWhenItMayBeWritten)
{
    const QString writable = scratch.filePath(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(writable));
    const QString userData = scratch.filePath(QStringLiteral("data/orvanta"));
    const struct
    {
        QString programFolder;
        QString expected;
    } rows[] = {
        {writable, writable},
        {writable + u'/', writable},
        // An installed program's folder that is not there to write into.
        {scratch.filePath(QStringLiteral("missing/bin")), userData},
    };
    for (const auto &row : rows) {
        useProgramFolder(row.programFolder);
        EXPECT_EQ(WritableAppPath(), row.expected) << row.programFolder.toStdString();
    }
    EXPECT_TRUE(QDir(userData).exists()) << "the data folder is created on first use";
}

TEST_F(AppPathTest, ARunFromTheBuildFolderWritesBesideTheProgram)
{
    qunsetenv("ORVANTA_APP_DIR");
    EXPECT_EQ(WritableAppPath(), ExecutableDir());
}

TEST_F(AppPathTest, ReadsDataFilesFromTheProgramFolderFirst)
{
    const QString program = scratch.path();
    useProgramFolder(program);
    QFile manual(scratch.filePath(QStringLiteral("orvanta_manual.pdf")));
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.close();
    const struct
    {
        const char *name;
        QString expected;
    } rows[] = {
        {"orvanta_manual.pdf", program + QStringLiteral("/orvanta_manual.pdf")},
        // Found nowhere: named in the program folder, so a message can say where.
        {"no-such-file.png", program + QStringLiteral("/no-such-file.png")},
    };
    for (const auto &row : rows)
        EXPECT_EQ(AppDataFile(QString::fromLatin1(row.name)), row.expected) << row.name;
}

} // namespace
