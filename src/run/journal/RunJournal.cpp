#include "RunJournal.h"

#include "JournalChanges.h"
#include "JournalError.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

enum Slot {
    AddRun,
    AddWrite,
    UpdateProgress,
    FinishRun,
    SelectRuns,
    SelectRun,
    SelectNewest,
    SelectWrites,
    SlotCount
};

constexpr const char *Schema = R"(
CREATE TABLE IF NOT EXISTS runs(
    id INTEGER PRIMARY KEY,
    started INTEGER NOT NULL,
    calculation TEXT NOT NULL,
    scope TEXT NOT NULL,
    host TEXT NOT NULL,
    view_type INTEGER NOT NULL,
    records INTEGER NOT NULL DEFAULT 0,
    fields INTEGER NOT NULL DEFAULT 0,
    first_write INTEGER NOT NULL DEFAULT 0,
    last_write INTEGER NOT NULL DEFAULT 0,
    confirmed INTEGER NOT NULL DEFAULT 0,
    finished INTEGER NOT NULL DEFAULT 0,
    process INTEGER NOT NULL DEFAULT 0,
    pruning INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS writes(
    id INTEGER PRIMARY KEY,
    run INTEGER NOT NULL,
    record TEXT NOT NULL,
    fields INTEGER NOT NULL,
    changes BLOB NOT NULL);
PRAGMA user_version = 1;
)";

constexpr const char *RunColumns
    = "id, started, calculation, scope, host, view_type, records, fields, confirmed, finished, "
      "process";

QString columnText(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

// The text must live until the statement has run.
void bindText(sqlite3_stmt *statement, int index, const QString &text)
{
    sqlite3_bind_text16(
        statement, index, text.utf16(), int(text.size() * sizeof(char16_t)), SQLITE_STATIC);
}

} // namespace

QString RunJournal::defaultPath()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return dataHome + QStringLiteral("/orvanta/journal.db");
}

RunJournal::RunJournal(const QString &path, Mode mode, int busyTimeoutMs)
    : m_path(path)
    , m_statements(SlotCount, nullptr)
{
    const bool exists = QFileInfo::exists(path);
    if (!exists && mode == Mode::ExistingOnly)
        throw JournalError(QStringLiteral("No run has been journaled yet."));
    if (!exists)
        QDir().mkpath(QFileInfo(path).absolutePath());
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw JournalError(QStringLiteral("The run journal %1 cannot be opened.").arg(path));
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, busyTimeoutMs);
    // A checkpoint when the run ends would wait for the disk; the next commit that finds
    // the log long does it instead.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    try {
        createOrCheckSchema();
    } catch (...) {
        sqlite3_close(m_db);
        throw;
    }
}

RunJournal::~RunJournal()
{
    for (sqlite3_stmt *statement : m_statements)
        sqlite3_finalize(statement);
    sqlite3_close(m_db);
}

void RunJournal::createOrCheckSchema()
{
    sqlite3_stmt *version = nullptr;
    if (sqlite3_prepare_v2(m_db, "PRAGMA user_version", -1, &version, nullptr) != SQLITE_OK)
        fail();
    const int step = sqlite3_step(version);
    const int found = step == SQLITE_ROW ? sqlite3_column_int(version, 0) : -1;
    sqlite3_finalize(version);
    if (step != SQLITE_ROW)
        fail();
    if (found > Version)
        throw JournalError(
            QStringLiteral("The run journal %1 was written by a newer version of Orvanta.")
                .arg(m_path));
    // NORMAL is safe with WAL: a killed process loses nothing it committed. The WAL mode
    // stays with the file once set.
    exec("PRAGMA synchronous=NORMAL");
    // The next program to open the journal reads the whole log: it is kept short.
    exec("PRAGMA wal_autocheckpoint=64");
    if (found < Version) {
        exec("PRAGMA journal_mode=WAL");
        exec(Schema);
    }
}

void RunJournal::fail() const
{
    const int code = sqlite3_errcode(m_db) & 0xff;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        throw JournalError(
            QStringLiteral("The run journal %1 is locked by another run.").arg(m_path));
    if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB)
        throw JournalError(QStringLiteral("The run journal %1 is damaged.").arg(m_path));
    throw JournalError(QStringLiteral("The run journal %1 cannot be used: %2")
                           .arg(m_path, QString::fromUtf8(sqlite3_errmsg(m_db))));
}

void RunJournal::exec(const char *sql)
{
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fail();
}

int RunJournal::execute(const char *sql, qint64 run, qint64 value)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK)
        fail();
    sqlite3_bind_int64(statement, 1, run);
    // A statement without ?2 refuses the second value, which is then simply not used.
    sqlite3_bind_int64(statement, 2, value);
    const int step = sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE)
        fail();
    return sqlite3_changes(m_db);
}

sqlite3_stmt *RunJournal::prepared(int slot, const char *sql)
{
    sqlite3_stmt *&statement = m_statements[size_t(slot)];
    if (!statement && sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK)
        fail();
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    return statement;
}

void RunJournal::expectManyWrites()
{
    exec("PRAGMA wal_autocheckpoint=1000");
}

void RunJournal::emptyLog()
{
    exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

void RunJournal::transaction(const std::function<void()> &work)
{
    exec("BEGIN IMMEDIATE");
    try {
        work();
        exec("COMMIT");
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

qint64 RunJournal::addRun(const JournalRun &run)
{
    sqlite3_stmt *statement = prepared(AddRun,
        "INSERT INTO runs(started, calculation, scope, host, view_type, process) "
        "VALUES(?, ?, ?, ?, ?, ?)");
    sqlite3_bind_int64(statement, 1, run.started.toMSecsSinceEpoch());
    bindText(statement, 2, run.calculation);
    bindText(statement, 3, run.scope);
    bindText(statement, 4, run.host);
    sqlite3_bind_int(statement, 5, run.viewType);
    sqlite3_bind_int64(statement, 6, run.process);
    if (sqlite3_step(statement) != SQLITE_DONE)
        fail();
    return sqlite3_last_insert_rowid(m_db);
}

qint64 RunJournal::addWrites(qint64 run, const JournalWrite *first, int count)
{
    sqlite3_stmt *statement
        = prepared(AddWrite, "INSERT INTO writes(run, record, fields, changes) VALUES(?, ?, ?, ?)");
    const QByteArray changes = JournalChanges::encode(first, count);
    sqlite3_bind_int64(statement, 1, run);
    bindText(statement, 2, first->record);
    sqlite3_bind_int(statement, 3, JournalChanges::distinctFields(first, count));
    sqlite3_bind_blob(statement, 4, changes.constData(), int(changes.size()), SQLITE_STATIC);
    if (sqlite3_step(statement) != SQLITE_DONE)
        fail();
    return sqlite3_last_insert_rowid(m_db);
}

void RunJournal::updateProgress(qint64 run, qint64 records, qint64 fields, qint64 confirmed,
    qint64 firstWrite, qint64 lastWrite)
{
    sqlite3_stmt *statement = prepared(UpdateProgress,
        "UPDATE runs SET records = ?1, fields = ?2, confirmed = ?3, last_write = ?5, "
        "first_write = CASE first_write WHEN 0 THEN ?6 ELSE first_write END "
        "WHERE id = ?4");
    sqlite3_bind_int64(statement, 1, records);
    sqlite3_bind_int64(statement, 2, fields);
    sqlite3_bind_int64(statement, 3, confirmed);
    sqlite3_bind_int64(statement, 4, run);
    sqlite3_bind_int64(statement, 5, lastWrite);
    sqlite3_bind_int64(statement, 6, firstWrite);
    if (sqlite3_step(statement) != SQLITE_DONE)
        fail();
}

void RunJournal::finishRun(qint64 run, qint64 confirmed)
{
    sqlite3_stmt *statement
        = prepared(FinishRun, "UPDATE runs SET confirmed = ?, finished = 1 WHERE id = ?");
    sqlite3_bind_int64(statement, 1, confirmed);
    sqlite3_bind_int64(statement, 2, run);
    if (sqlite3_step(statement) != SQLITE_DONE)
        fail();
}

JournalRun RunJournal::readRun(sqlite3_stmt *statement) const
{
    JournalRun run;
    run.number = sqlite3_column_int64(statement, 0);
    run.started = QDateTime::fromMSecsSinceEpoch(sqlite3_column_int64(statement, 1));
    run.calculation = columnText(statement, 2);
    run.scope = columnText(statement, 3);
    run.host = columnText(statement, 4);
    run.viewType = qint16(sqlite3_column_int(statement, 5));
    run.records = sqlite3_column_int64(statement, 6);
    run.fields = sqlite3_column_int64(statement, 7);
    run.confirmed = sqlite3_column_int64(statement, 8);
    run.finished = sqlite3_column_int(statement, 9) != 0;
    run.process = sqlite3_column_int64(statement, 10);
    return run;
}

std::vector<JournalRun> RunJournal::runs()
{
    static const QByteArray sql
        = QByteArray("SELECT ") + RunColumns + " FROM runs WHERE pruning = 0 ORDER BY id DESC";
    sqlite3_stmt *statement = prepared(SelectRuns, sql.constData());
    std::vector<JournalRun> found;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW)
        found.push_back(readRun(statement));
    if (step != SQLITE_DONE)
        fail();
    return found;
}

std::optional<JournalRun> RunJournal::run(qint64 number)
{
    static const QByteArray sql
        = QByteArray("SELECT ") + RunColumns + " FROM runs WHERE id = ? AND pruning = 0";
    sqlite3_stmt *statement = prepared(SelectRun, sql.constData());
    sqlite3_bind_int64(statement, 1, number);
    return foundRun(statement);
}

std::optional<JournalRun> RunJournal::newestRun()
{
    static const QByteArray sql = QByteArray("SELECT ") + RunColumns
        + " FROM runs WHERE pruning = 0 ORDER BY id DESC LIMIT 1";
    return foundRun(prepared(SelectNewest, sql.constData()));
}

std::optional<JournalRun> RunJournal::foundRun(sqlite3_stmt *statement)
{
    const int step = sqlite3_step(statement);
    if (step == SQLITE_ROW)
        return readRun(statement);
    if (step != SQLITE_DONE)
        fail();
    return std::nullopt;
}

std::vector<JournalWrite> RunJournal::writes(qint64 run)
{
    sqlite3_stmt *statement = prepared(SelectWrites,
        "SELECT id, record, changes FROM writes WHERE run = ?1 AND id BETWEEN "
        "(SELECT first_write FROM runs WHERE id = ?1) AND (SELECT last_write FROM runs WHERE id = "
        "?1) ORDER BY id");
    sqlite3_bind_int64(statement, 1, run);
    std::vector<JournalWrite> found;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        const qint64 id = sqlite3_column_int64(statement, 0);
        const QString record = columnText(statement, 1);
        const auto *changes = static_cast<const char *>(sqlite3_column_blob(statement, 2));
        JournalChanges::decode(
            id, record, QByteArrayView(changes, sqlite3_column_bytes(statement, 2)), found);
    }
    if (step != SQLITE_DONE)
        fail();
    return found;
}

void RunJournal::dropWritesAfter(qint64 run, qint64 lastKept)
{
    const auto runOnce = [&](const char *sql) { execute(sql, run, lastKept); };
    transaction([&] {
        runOnce("DELETE FROM writes WHERE run = ?1 AND id > ?2 AND id <= "
                "(SELECT last_write FROM runs WHERE id = ?1)");
        runOnce("UPDATE runs SET finished = 1, confirmed = ?2, last_write = min(last_write, ?2) "
                "WHERE id = ?1");
        runOnce(
            "UPDATE runs SET "
            "fields = (SELECT total(fields) FROM writes WHERE run = ?1 AND id BETWEEN first_write "
            "AND last_write), "
            "records = (SELECT count(DISTINCT record) FROM writes WHERE run = ?1 AND id "
            "BETWEEN first_write AND last_write) WHERE id = ?1");
    });
}

void RunJournal::abandonRun(qint64 run)
{
    transaction([&] { execute("UPDATE runs SET pruning = 1 WHERE id = ?1", run); });
}

std::optional<qint64> RunJournal::oldestPrunableRun(int keepRuns, int keepDays)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(m_db,
            "SELECT id FROM runs WHERE pruning = 1 OR (started < ?1 AND id < coalesce("
            "(SELECT id FROM runs ORDER BY id DESC LIMIT 1 OFFSET ?2), 0)) ORDER BY id LIMIT 1",
            -1, &statement, nullptr)
        != SQLITE_OK)
        fail();
    const qint64 cutoff = QDateTime::currentDateTimeUtc().addDays(-keepDays).toMSecsSinceEpoch();
    sqlite3_bind_int64(statement, 1, cutoff);
    sqlite3_bind_int(statement, 2, std::max(keepRuns, 1) - 1);
    const int step = sqlite3_step(statement);
    std::optional<qint64> found;
    if (step == SQLITE_ROW)
        found = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    if (step != SQLITE_ROW && step != SQLITE_DONE)
        fail();
    return found;
}

void RunJournal::prune(int keepRuns, int keepDays, int budget)
{
    const std::optional<qint64> victim = oldestPrunableRun(keepRuns, keepDays);
    if (!victim)
        return;
    transaction([&] {
        // A slice of the oldest run at a time, so that no run pays for a large one.
        // The run's writes lie between its first and its last: no index on run is needed.
        const int deleted = execute("DELETE FROM writes WHERE id IN (SELECT id FROM writes "
                                    "WHERE id BETWEEN (SELECT first_write FROM runs WHERE id = ?1) "
                                    "AND (SELECT last_write FROM runs WHERE id = ?1) AND run = ?1 "
                                    "ORDER BY id LIMIT ?2)",
            *victim, budget);
        if (deleted < budget)
            execute("DELETE FROM runs WHERE id = ?1", *victim);
        else
            execute("UPDATE runs SET pruning = 1 WHERE id = ?1", *victim);
    });
}
