#include "LaunchCommandStore.h"

#include "SqliteConnection.h"
#include "SqliteStatement.h"

namespace {

QString placeName(LaunchPlace place)
{
    return place == LaunchPlace::Toolbar ? QStringLiteral("toolbar") : QStringLiteral("tools");
}

LaunchCommand commandFromRow(const SqliteStatement &row)
{
    return {row.columnText(0), row.columnText(1), row.columnText(2), row.columnText(3),
        row.columnText(4), row.columnText(5), row.columnText(6), row.columnInt(7)};
}

} // namespace

LaunchCommandStore::LaunchCommandStore(SqliteConnection &connection)
    : m_connection(connection)
{
}

std::optional<LaunchCommand> LaunchCommandStore::command(const QString &name)
{
    std::optional<LaunchCommand> found;
    m_connection
        .statement("SELECT name, command_line, folder, title, tooltip, icon, large_icon, flags "
                   "FROM launch_commands WHERE name = ?1")
        .bind(1, name)
        .forEachRow([&](const SqliteStatement &row) { found = commandFromRow(row); });
    return found;
}

QList<LaunchCommand> LaunchCommandStore::commands()
{
    QList<LaunchCommand> all;
    m_connection
        .statement("SELECT name, command_line, folder, title, tooltip, icon, large_icon, flags "
                   "FROM launch_commands ORDER BY name")
        .forEachRow([&](const SqliteStatement &row) { all.append(commandFromRow(row)); });
    return all;
}

void LaunchCommandStore::define(const LaunchCommand &command)
{
    m_connection
        .statement("INSERT OR REPLACE INTO launch_commands(name, command_line, folder, title, "
                   "tooltip, icon, large_icon, flags) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)")
        .bind(1, command.name)
        .bind(2, command.executable)
        .bind(3, command.folder)
        .bind(4, command.title)
        .bind(5, command.tooltip)
        .bind(6, command.icon)
        .bind(7, command.largeIcon)
        .bind(8, command.flags)
        .exec();
}

bool LaunchCommandStore::isPlaced(const QString &name, LaunchPlace place, qint16 view)
{
    return m_connection
        .statement("SELECT 1 FROM launch_views WHERE name = ?1 AND place = ?2 AND view = ?3")
        .bind(1, name)
        .bind(2, placeName(place))
        .bind(3, view)
        .queryInt()
        .has_value();
}

void LaunchCommandStore::place(const QString &name, LaunchPlace place, qint16 view)
{
    m_connection
        .statement("INSERT OR IGNORE INTO launch_views(name, place, view) VALUES(?1, ?2, ?3)")
        .bind(1, name)
        .bind(2, placeName(place))
        .bind(3, view)
        .exec();
}

void LaunchCommandStore::unplace(const QString &name, LaunchPlace place, qint16 view)
{
    m_connection.statement("DELETE FROM launch_views WHERE name = ?1 AND place = ?2 AND view = ?3")
        .bind(1, name)
        .bind(2, placeName(place))
        .bind(3, view)
        .exec();
}

QList<qint16> LaunchCommandStore::views(const QString &name, LaunchPlace place)
{
    QList<qint16> found;
    m_connection
        .statement("SELECT view FROM launch_views WHERE name = ?1 AND place = ?2 ORDER BY view")
        .bind(1, name)
        .bind(2, placeName(place))
        .forEachRow([&](const SqliteStatement &row) { found.append(qint16(row.columnInt(0))); });
    return found;
}
