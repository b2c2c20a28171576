#include "SqliteError.h"
#include "TemporaryHost.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// A raw connection that gives up at once instead of waiting for a lock.
struct ImpatientConnection
{
    explicit ImpatientConnection(const QString &path)
    {
        sqlite3_open(path.toUtf8().constData(), &db);
        sqlite3_extended_result_codes(db, 1);
    }
    ~ImpatientConnection() { sqlite3_close(db); }

    QString failureOf(const char *sql)
    {
        if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
            return QStringLiteral("(no failure)");
        return thrownError([&] { throwSqliteError(db); }).second;
    }

    sqlite3 *db = nullptr;
};

} // namespace

TEST(SqliteError, SaysALockedDatabaseInWordsAndOtherFailuresAsTheDatabaseDoes)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("locked.db"));
    ImpatientConnection holder(path);
    ASSERT_EQ(
        sqlite3_exec(holder.db, "PRAGMA journal_mode=WAL; CREATE TABLE t(x); BEGIN IMMEDIATE;",
            nullptr, nullptr, nullptr),
        SQLITE_OK);
    ImpatientConnection other(path);

    EXPECT_EQ(other.failureOf("BEGIN IMMEDIATE"),
        "Host database error: another program has kept the database locked for more than 10 "
        "seconds; try again when it is done");
    EXPECT_EQ(
        other.failureOf("SELECT * FROM missing"), "Host database error: no such table: missing");
}
