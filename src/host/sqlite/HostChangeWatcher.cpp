#include "HostChangeWatcher.h"

#include "HostEvents.h"
#include "HostSchema.h"
#include "HostStateKeys.h"
#include "OrvantaError.h"
#include "SqliteConnection.h"
#include "SqliteStatement.h"

#include <QFileInfo>

HostChangeWatcher::HostChangeWatcher(
    const QString &path, HostEvents &events, std::function<void()> beforeEvents)
    : m_path(path)
    , m_events(events)
    , m_beforeEvents(std::move(beforeEvents))
    , m_connection(HostSchema::openExisting(path))
{
    m_dataVersion = m_connection->statement("PRAGMA data_version").queryInt().value_or(0);
    m_last = readSnapshot();
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    QObject::connect(&m_settle, &QTimer::timeout, [this] { check(); });
    QObject::connect(&m_files, &QFileSystemWatcher::fileChanged, [this] { fileChanged(); });
    watchFiles();
}

HostChangeWatcher::~HostChangeWatcher() = default;

void HostChangeWatcher::fileChanged()
{
    if (m_gone)
        return;
    if (!QFileInfo::exists(m_path)) {
        m_gone = true;
        m_settle.stop();
        m_events.OnHostGone();
        return;
    }
    watchFiles();
    m_settle.start();
}

// A file replaced or created anew (the log after the last connection closed) is no
// longer the one watched; watching it again costs nothing when it still is.
void HostChangeWatcher::watchFiles()
{
    for (const QString &file : QStringList {m_path, m_path + QStringLiteral("-wal")}) {
        if (!m_files.files().contains(file) && QFileInfo::exists(file))
            m_files.addPath(file);
    }
}

void HostChangeWatcher::check()
{
    try {
        const qint64 version
            = m_connection->statement("PRAGMA data_version").queryInt().value_or(0);
        if (version == m_dataVersion)
            return;
        m_dataVersion = version;
        raiseEvents(readSnapshot());
    } catch (const OrvantaError &) {
        // The database is locked or gone: the program finds out on its next call.
    }
}

HostChangeWatcher::Snapshot HostChangeWatcher::readSnapshot()
{
    m_connection->statement("BEGIN").exec();
    Snapshot now;
    try {
        HostStore store(*m_connection);
        now.contact = store.state(HostStateKeys::CurrentContact);
        now.group = store.state(HostStateKeys::CurrentGroup);
        now.contactValues = recordValues(now.contact);
        now.groupValues = recordValues(now.group);
        now.lookup = m_connection
                         ->statement("SELECT count(*) || ':' || total(record * (position + 1)) "
                                     "FROM lookup WHERE kind = 0")
                         .queryText()
                         .value_or(QString());
    } catch (const OrvantaError &) {
        m_connection->statement("COMMIT").exec();
        throw;
    }
    m_connection->statement("COMMIT").exec();
    return now;
}

QString HostChangeWatcher::recordValues(const QString &key)
{
    return m_connection
        ->statement("SELECT group_concat(field || '=' || value, char(31)) FROM "
                    "(SELECT v.field, v.value FROM field_values v JOIN records r "
                    "ON r.id = v.record WHERE r.key = ?1 ORDER BY v.field)")
        .bind(1, key)
        .queryText()
        .value_or(QString());
}

void HostChangeWatcher::raiseEvents(const Snapshot &now)
{
    const Snapshot before = std::exchange(m_last, now);
    const bool contactMoved = now.contact != before.contact;
    const bool contactChanged = !contactMoved && now.contactValues != before.contactValues;
    const bool groupMoved = now.group != before.group;
    const bool groupChanged = !groupMoved && now.groupValues != before.groupValues;
    const bool lookupChanged = now.lookup != before.lookup;
    if (!(contactMoved || contactChanged || groupMoved || groupChanged || lookupChanged))
        return;
    m_beforeEvents();
    if (contactMoved)
        m_events.OnContactPosChange(now.contact);
    if (contactChanged)
        m_events.OnContactChange(now.contact);
    if (groupMoved)
        m_events.OnGroupPosChange(now.group);
    if (groupChanged)
        m_events.OnGroupChange(now.group);
    if (lookupChanged)
        m_events.OnContactLookupChange();
}
