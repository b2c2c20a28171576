#include "RecentList.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList numbered(int count)
{
    QStringList entries;
    for (int i = 1; i <= count; ++i)
        entries << QStringLiteral("[25]=%1").arg(i);
    return entries;
}

TEST(RecentListRewrite, PutsTheCurrentTextFirstAndKeepsNineOthersAtMost)
{
    const struct
    {
        const char *name;
        QString current;
        QStringList entries;
        QStringList expected;
    } rows[] = {
        {"EmptyList", "[25]=1", {}, {"[25]=1"}},
        {"SameCalculationTwiceKeptOnceAtTheTop", "[25]=2", {"[25]=2", "[25]=1"},
            {"[25]=2", "[25]=1"}},
        {"RunAgainMovesToTheTop", "[25]=1", {"[25]=2", "[25]=1"}, {"[25]=1", "[25]=2"}},
        {"TenEntriesLoseTheOldest", "new", numbered(10), QStringList {"new"} + numbered(9)},
        {"CurrentAmongTheFirstNineLeavesEight", "[25]=3", numbered(10),
            {"[25]=3", "[25]=1", "[25]=2", "[25]=4", "[25]=5", "[25]=6", "[25]=7", "[25]=8",
                "[25]=9"}},
        {"TenthEntryIsNotLookedAt", "[25]=10", numbered(12), QStringList {"[25]=10"} + numbered(9)},
        {"CaseCounts", "[25]=a", {"[25]=A"}, {"[25]=a", "[25]=A"}},
        {"EmptyPromptGivesAnEmptyFirstLine", "", {"[25]=1"}, {"", "[25]=1"}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(RecentList::rewritten(row.current, row.entries), row.expected) << row.name;
}

class RecentListFile : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("Recent.txt")); }
    void write(const QByteArray &bytes)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

TEST_F(RecentListFile, LoadSkipsEmptyLinesAndAcceptsEveryLineEnd)
{
    const struct
    {
        QByteArray bytes;
        QStringList expected;
    } rows[] = {
        {"[25]=1\r\n\r\n[26]=2\r\n", {"[25]=1", "[26]=2"}},
        {"\r\n[25]=1", {"[25]=1"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"[25]=\"\xc3\xa9t\xc3\xa9\"\r\n", {QString::fromUtf8("[25]=\"\xc3\xa9t\xc3\xa9\"")}},
        {"", {}},
    };
    for (const auto &row : rows) {
        write(row.bytes);
        EXPECT_EQ(RecentList(path()).load(), row.expected) << row.bytes.constData();
    }
}

TEST_F(RecentListFile, SaveReplacesTheFileWithUtf8CrLfLines)
{
    write("old 1\r\nold 2\r\nold 3\r\nold 4\r\n");
    RecentList(path()).save(QString::fromUtf8("[25]=\"\xc3\xa9\""), {"[25]=1", ""});
    EXPECT_EQ(read(), QByteArray("[25]=\"\xc3\xa9\"\r\n[25]=1\r\n\r\n"));
}

TEST_F(RecentListFile, DefaultPathIsInTheProgramFolder)
{
    qputenv("ORVANTA_APP_DIR", m_dir.path().toUtf8());
    EXPECT_EQ(RecentList().path(), path());
    qunsetenv("ORVANTA_APP_DIR");
}

} // namespace
