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
        qunsetenv("ORVANTA_APP_DIR");
        qputenv("XDG_DATA_HOME", scratch.filePath("data").toUtf8());
    }
    void TearDown() override
    {
        qunsetenv("ORVANTA_APP_DIR");
        qunsetenv("XDG_DATA_HOME");
    }

    QTemporaryDir scratch;
};

TEST_F(AppPathTest, WritesIntoTheProgramFolderOnlyWhenItMayBeWritten)
{
    EXPECT_EQ(WritableAppPath(), ExecutableDir()) << "a run from the build folder";
    const QString writable = scratch.filePath("program");
    ASSERT_TRUE(QDir().mkpath(writable));
    const QString userData = scratch.filePath("data/orvanta");
    const std::pair<QString, QString> rows[] = {{writable + u'/', writable},
        // An installed program's folder that is not there to write into.
        {scratch.filePath("missing/bin"), userData}};
    for (const auto &[programFolder, expected] : rows) {
        qputenv("ORVANTA_APP_DIR", programFolder.toUtf8());
        EXPECT_EQ(WritableAppPath(), expected) << programFolder.toStdString();
    }
    EXPECT_TRUE(QDir(userData).exists()) << "the data folder is created on first use";
}

TEST_F(AppPathTest, ReadsDataFilesFromTheProgramFolderFirst)
{
    qputenv("ORVANTA_APP_DIR", scratch.path().toUtf8());
    QFile manual(scratch.filePath("orvanta_manual.pdf"));
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    EXPECT_EQ(AppDataFile("orvanta_manual.pdf"), manual.fileName());
    // Found nowhere: named in the program folder, so a message can say where.
    EXPECT_EQ(AppDataFile("no-such-file.png"), scratch.filePath("no-such-file.png"));
}

} // namespace
