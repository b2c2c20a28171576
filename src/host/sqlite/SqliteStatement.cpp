#include "SqliteStatement.h"

#include "SqliteError.h"

#include <sqlite3.h>

namespace {
// Resets the statement when the call leaves, also by an exception, and drops its
// parameters, so that none is left pointing at text bound without a copy.
class ResetOnExit
{
public:
    explicit ResetOnExit(sqlite3_stmt *statement)
        : m_statement(statement)
    {
    }
    ~ResetOnExit()
    {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }

private:
    sqlite3_stmt *m_statement;
};
} // namespace

SqliteStatement::SqliteStatement(sqlite3 *db, const char *sql)
    : m_db(db)
{
    const int code
        = sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr);
    if (code != SQLITE_OK)
        fail();
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

SqliteStatement &SqliteStatement::bind(int index, qint64 value)
{
    const int code = sqlite3_bind_int64(m_statement, index, value);
    if (code != SQLITE_OK)
        fail();
    return *this;
}

SqliteStatement &SqliteStatement::bind(int index, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    const int code = sqlite3_bind_text(
        m_statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    if (code != SQLITE_OK)
        fail();
    return *this;
}

SqliteStatement &SqliteStatement::bindNull(int index)
{
    if (sqlite3_bind_null(m_statement, index) != SQLITE_OK)
        fail();
    return *this;
}

SqliteStatement &SqliteStatement::bindUtf8(int index, QByteArrayView utf8)
{
    const int code
        = sqlite3_bind_text(m_statement, index, utf8.data(), int(utf8.size()), SQLITE_STATIC);
    if (code != SQLITE_OK)
        fail();
    return *this;
}

int SqliteStatement::exec()
{
    ResetOnExit resetter(m_statement);
    while (step()) { }
    return sqlite3_changes(m_db);
}

std::optional<qint64> SqliteStatement::queryInt()
{
    ResetOnExit resetter(m_statement);
    if (!step())
        return std::nullopt;
    return columnInt(0);
}

std::optional<QString> SqliteStatement::queryText()
{
    ResetOnExit resetter(m_statement);
    if (!step())
        return std::nullopt;
    return columnText(0);
}

void SqliteStatement::forEachRow(const std::function<void(const SqliteStatement &)> &row)
{
    ResetOnExit resetter(m_statement);
    while (step())
        row(*this);
}

qint64 SqliteStatement::columnInt(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString SqliteStatement::columnText(int column) const
{
    const QByteArrayView utf8 = columnUtf8(column);
    return QString::fromUtf8(utf8.data(), utf8.size());
}

QByteArrayView SqliteStatement::columnUtf8(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QByteArrayView(text, sqlite3_column_bytes(m_statement, column));
}

bool SqliteStatement::step()
{
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    fail();
}

void SqliteStatement::fail() const
{
    throwSqliteError(m_db);
}
