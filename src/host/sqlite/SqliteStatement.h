#pragma once

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement. Bind the parameters, then call one of the run methods: each
// steps and then resets the statement, also on failure, so that no statement is left
// half-run holding a read snapshot between calls.
class SqliteStatement
{
public:
    SqliteStatement(sqlite3 *db, const char *sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    SqliteStatement &bind(int index, qint64 value);
    SqliteStatement &bind(int index, const QString &value);
    SqliteStatement &bindNull(int index);
    // Text already in UTF-8, not copied: the bytes must outlive the run that follows.
    SqliteStatement &bindUtf8(int index, QByteArrayView utf8);

    // Runs to completion; returns the number of rows changed.
    int exec();
    // The first row's first column, nullopt when there is no row.
    std::optional<qint64> queryInt();
    std::optional<QString> queryText();
    // Calls row once per result row.
    void forEachRow(const std::function<void(const SqliteStatement &)> &row);

    qint64 columnInt(int column) const;
    QString columnText(int column) const;
    // Valid until the next step: for callers that keep only some of the text.
    QByteArrayView columnUtf8(int column) const;

private:
    bool step();
    void reset();
    [[noreturn]] void fail() const;

    sqlite3 *m_db;
    sqlite3_stmt *m_statement = nullptr;
};
