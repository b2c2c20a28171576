#pragma once

#include "HostStore.h"

#include <QFileSystemWatcher>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class HostEvents;
class SqliteConnection;

// Raises the host's record events when another program commits a change to the current
// contact or group, to one of their fields or to the contact lookup. A commit appends
// to the write-ahead log, so the log and the database file are watched by the system's
// file notifications: nothing runs while nothing changes. A notification is checked a
// moment later, once the commit is complete: the connection's data version tells
// whether anything was committed at all, and a comparison of what the events describe
// tells which events, so the program's own reads and writes of other things raise none.
class HostChangeWatcher
{
public:
    // beforeEvents runs before the first event of a change, so that the program's own
    // reads see the change.
    HostChangeWatcher(const QString &path, HostEvents &events, std::function<void()> beforeEvents);
    ~HostChangeWatcher();

    // How long a notification waits for the commit to complete.
    static constexpr int SettleMs = 20;

private:
    struct Snapshot
    {
        QString contact;
        QString group;
        QString contactValues;
        QString groupValues;
        QString lookup;
    };

    void fileChanged();
    void watchFiles();
    void check();
    Snapshot readSnapshot();
    QString recordValues(const QString &key);
    void raiseEvents(const Snapshot &now);

    QString m_path;
    HostEvents &m_events;
    std::function<void()> m_beforeEvents;
    std::unique_ptr<SqliteConnection> m_connection;
    QFileSystemWatcher m_files;
    QTimer m_settle;
    qint64 m_dataVersion = 0;
    bool m_gone = false;
    Snapshot m_last;
};
