#include "HostSchema.h"

#include "HostStateKeys.h"
#include "HostStore.h"
#include "OrvantaError.h"
#include "SqliteConnection.h"
#include "SqliteStatement.h"
#include "SqliteTransaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

// 'ORVN': marks a file as ours, so a foreign SQLite file is never taken for a host.
constexpr qint64 ApplicationId = 0x4F52564E;

const char *const SchemaSql = R"(
CREATE TABLE fields(kind INTEGER NOT NULL, id INTEGER NOT NULL, label TEXT NOT NULL,
    type INTEGER NOT NULL, position INTEGER NOT NULL,
    PRIMARY KEY(kind, id), UNIQUE(kind, position)) WITHOUT ROWID;
CREATE TABLE records(id INTEGER PRIMARY KEY, kind INTEGER NOT NULL, key TEXT NOT NULL UNIQUE);
CREATE INDEX records_by_kind ON records(kind, id);
CREATE TABLE field_values(record INTEGER NOT NULL, field INTEGER NOT NULL,
    value TEXT NOT NULL, PRIMARY KEY(record, field)) WITHOUT ROWID;
CREATE TABLE lookup(kind INTEGER NOT NULL, position INTEGER NOT NULL,
    record INTEGER NOT NULL, PRIMARY KEY(kind, position)) WITHOUT ROWID;
CREATE INDEX lookup_by_record ON lookup(kind, record);
CREATE TABLE state(key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;
CREATE TABLE log(id INTEGER PRIMARY KEY, time TEXT NOT NULL, command INTEGER NOT NULL);
CREATE TABLE launch_commands(name TEXT PRIMARY KEY, command_line TEXT NOT NULL,
    folder TEXT NOT NULL, title TEXT NOT NULL, tooltip TEXT NOT NULL, icon TEXT NOT NULL,
    large_icon TEXT NOT NULL, flags INTEGER NOT NULL) WITHOUT ROWID;
CREATE TABLE launch_views(name TEXT NOT NULL, place TEXT NOT NULL, view INTEGER NOT NULL,
    PRIMARY KEY(name, place, view)) WITHOUT ROWID;
PRAGMA user_version = 1;
)";

struct FieldRow
{
    qint32 id;
    const char *label;
    int type;
};

QList<FieldDefinition> numbered(std::initializer_list<FieldRow> rows)
{
    QList<FieldDefinition> fields;
    for (const FieldRow &row : rows)
        fields.append({row.id, QString::fromUtf8(row.label), row.type, int(fields.size())});
    return fields;
}

QList<FieldDefinition> withUserAndSystemFields(
    std::initializer_list<FieldRow> first, std::initializer_list<FieldRow> last)
{
    QList<FieldDefinition> fields = numbered(first);
    for (int user = 1; user <= 10; ++user)
        fields.append({24 + user, QStringLiteral("User %1").arg(user), 1, int(fields.size())});
    for (const FieldDefinition &field : numbered(last))
        fields.append({field.id, field.label, field.type, int(fields.size())});
    for (const FieldDefinition &field : numbered({{90, "Record Manager", 1}, {125, "Private", 11},
             {201, "Create Date", 3}, {202, "Edit Date", 3}, {203, "Merge Date", 3}}))
        fields.append({field.id, field.label, field.type, int(fields.size())});
    return fields;
}

void insertFields(SqliteConnection &connection, RecordKind kind)
{
    SqliteStatement &insert = connection.statement(
        "INSERT INTO fields(kind, id, label, type, position) VALUES(?1, ?2, ?3, ?4, ?5)");
    for (const FieldDefinition &field : HostSchema::standardFields(kind))
        insert.bind(1, qint64(kind))
            .bind(2, field.id)
            .bind(3, field.label)
            .bind(4, field.type)
            .bind(5, field.position)
            .exec();
}

void insertState(SqliteConnection &connection, const QString &key, const QString &value)
{
    connection.statement("INSERT INTO state(key, value) VALUES(?1, ?2)")
        .bind(1, key)
        .bind(2, value)
        .exec();
}

// Every use of the database writes, if only its journal beside it: a file or folder that
// cannot be written to is said so, rather than taken for a foreign file.
void requireWritable(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    for (const QString &place : {path, folder}) {
        if (::access(QFile::encodeName(place).constData(), W_OK) == 0)
            continue;
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        throw OrvantaError(OrvantaError::CantCreateObject,
            place == path
                ? QStringLiteral("Cannot open %1 for writing: %2").arg(path, why)
                : QStringLiteral("Cannot open %1 for writing: its folder %2 cannot be written "
                                 "to (%3), and the host keeps its journal there")
                      .arg(path, folder, why));
    }
}

} // namespace

std::unique_ptr<SqliteConnection> HostSchema::openExisting(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw OrvantaError(OrvantaError::CantCreateObject);
    requireWritable(path);
    auto connection
        = std::make_unique<SqliteConnection>(path, SqliteConnection::OpenMode::ExistingOnly);
    if (!isHostDatabase(*connection))
        throw OrvantaError(OrvantaError::CantCreateObject,
            QStringLiteral("%1 is not an Orvanta host database").arg(path));
    connection->useWriteAheadLog();
    return connection;
}

std::unique_ptr<SqliteConnection> HostSchema::createNew(
    const QString &path, const QString &windowTitle, const std::function<void(HostStore &)> &fill)
{
    const QFileInfo file(path);
    if (file.exists())
        throw OrvantaError(
            OrvantaError::PathFileAccessError, QStringLiteral("%1 already exists").arg(path));
    if (!QDir().mkpath(file.absolutePath()))
        throw OrvantaError(OrvantaError::PathFileAccessError,
            QStringLiteral("Cannot create the folder %1").arg(file.absolutePath()));
    auto connection
        = std::make_unique<SqliteConnection>(path, SqliteConnection::OpenMode::CreateIfMissing);
    try {
        connection->useWriteAheadLog();
        SqliteTransaction transaction(*connection);
        connection->execScript(SchemaSql);
        connection->execScript(
            QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId).toUtf8().constData());
        insertFields(*connection, RecordKind::Contact);
        insertFields(*connection, RecordKind::Group);
        insertState(*connection, HostStateKeys::ActiveView, QStringLiteral("1"));
        insertState(*connection, HostStateKeys::WindowTitle, windowTitle);
        insertState(*connection, HostStateKeys::OpenDatabase, file.absoluteFilePath());
        if (fill) {
            HostStore store(*connection);
            fill(store);
        }
        transaction.commit();
    } catch (...) {
        connection.reset();
        removeDatabaseFiles(path);
        throw;
    }
    return connection;
}

void HostSchema::removeDatabaseFiles(const QString &path)
{
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

const QList<FieldDefinition> &HostSchema::standardFields(RecordKind kind)
{
    static const QList<FieldDefinition> contactFields = withUserAndSystemFields(
        {{1, "Contact ID", 1}, {2, "Company", 1}, {3, "Revenue", 2}, {4, "Order Total", 2},
            {5, "Contact", 1}, {6, "First Name", 1}, {7, "Last Name", 1}, {8, "Salutation", 1},
            {9, "Title", 1}, {10, "Department", 1}, {11, "Phone", 8}, {12, "Phone Ext.", 1},
            {13, "Mobile Phone", 8}, {14, "Fax", 8}, {15, "E-mail", 15}, {16, "Web Site", 14},
            {17, "Address 1", 1}, {18, "Address 2", 1}, {19, "City", 4}, {20, "State", 10},
            {21, "Zip", 1}, {22, "Country", 1}, {23, "ID/Status", 1}, {24, "Last Results", 1}},
        {{35, "Referred By", 1}, {36, "Employees", 6}, {37, "Birth Date", 3},
            {38, "Last Meeting", 3}, {39, "Last Reach", 3}, {40, "Notes", 7}});
    static const QList<FieldDefinition> groupFields = withUserAndSystemFields(
        {{1, "Group ID", 1}, {2, "Group Name", 1}, {3, "Revenue", 2}, {4, "Order Total", 2},
            {5, "Description", 1}, {6, "Address 1", 1}, {7, "Address 2", 1}, {8, "City", 4},
            {9, "State", 10}, {10, "Zip", 1}, {11, "Country", 1}, {12, "Phone", 8}, {13, "Fax", 8},
            {14, "Web Site", 14}, {15, "Region", 1}, {16, "Industry", 1}, {17, "Members", 6},
            {18, "Status", 1}, {19, "Last Results", 1}, {20, "Parent Group", 1},
            {21, "Account Manager", 1}, {22, "Meeting Day", 1}, {23, "Start Date", 3},
            {24, "Renewal Date", 3}},
        {{35, "Target Revenue", 2}, {36, "Discount", 6}, {37, "Priority", 1},
            {38, "Last Review", 3}, {39, "Territory", 1}, {40, "Notes", 7}});
    return kind == RecordKind::Contact ? contactFields : groupFields;
}

QString HostSchema::typeName(int type)
{
    switch (type) {
    case 1:
        return QStringLiteral("Character");
    case 2:
        return QStringLiteral("Currency");
    case 3:
        return QStringLiteral("Date");
    case 4:
        return QStringLiteral("Initial-Caps");
    case 5:
        return QStringLiteral("Lowercase");
    case 6:
        return QStringLiteral("Numeric");
    case 7:
        return QStringLiteral("Memo");
    case 8:
        return QStringLiteral("Phone");
    case 9:
        return QStringLiteral("Time");
    case 10:
        return QStringLiteral("Uppercase");
    case 11:
        return QStringLiteral("Yes/No");
    case 14:
        return QStringLiteral("URL");
    case 15:
        return QStringLiteral("E-mail");
    default:
        return QString::number(type);
    }
}

bool HostSchema::isHostDatabase(SqliteConnection &connection)
{
    try {
        return connection.statement("PRAGMA application_id").queryInt() == ApplicationId;
    } catch (const OrvantaError &) {
        // "file is not a database": a text file or a damaged one.
        return false;
    }
}
