#pragma once

#include <QList>
#include <QString>
#include <optional>

class SqliteConnection;

// One launch command as the host keeps it.
struct LaunchCommand
{
    QString name;
    QString executable;
    QString folder;
    QString title;
    QString tooltip;
    QString icon;
    QString largeIcon;
    qint64 flags = 0;
};

// Where a launch command shows in a view.
enum class LaunchPlace { Toolbar, ToolsMenu };

// The statements on the launch-command tables. Callers own the transactions.
class LaunchCommandStore
{
public:
    explicit LaunchCommandStore(SqliteConnection &connection);

    std::optional<LaunchCommand> command(const QString &name);
    QList<LaunchCommand> commands();
    void define(const LaunchCommand &command);

    bool isPlaced(const QString &name, LaunchPlace place, qint16 view);
    void place(const QString &name, LaunchPlace place, qint16 view);
    void unplace(const QString &name, LaunchPlace place, qint16 view);
    // The views whose toolbar (or Tools menu) holds the command, in order.
    QList<qint16> views(const QString &name, LaunchPlace place);

private:
    SqliteConnection &m_connection;
};
