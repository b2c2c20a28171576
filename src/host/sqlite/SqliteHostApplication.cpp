#include "SqliteHostApplication.h"

#include "HostChangeWatcher.h"
#include "HostNumbers.h"
#include "HostSchema.h"
#include "HostSession.h"
#include "HostStateKeys.h"
#include "HostStore.h"
#include "OrvantaError.h"
#include "SqliteConnection.h"
#include "SqliteHostAuxCommands.h"

#include <QFileInfo>

std::unique_ptr<HostApplication> SqliteHostApplication::attach(const QString &path)
{
    return std::make_unique<SqliteHostApplication>(std::make_shared<HostSession>(path));
}

std::optional<QString> SqliteHostApplication::readForegroundWindowTitle(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    try {
        const auto connection = HostSchema::openExisting(path);
        return HostStore(*connection).state(HostStateKeys::WindowTitle);
    } catch (const OrvantaError &) {
        return std::nullopt;
    }
}

SqliteHostApplication::SqliteHostApplication(std::shared_ptr<HostSession> session)
    : m_session(std::move(session))
    , m_views(m_session)
{
}

// The session goes with the application: its last batch is committed now, and views
// still held elsewhere report a lost connection (error 91) from here on.
SqliteHostApplication::~SqliteHostApplication() = default;

void SqliteHostApplication::OpenFile(const QString &path)
{
    // Called with "" to bring the host forward; a path opens that database.
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isFile())
        throw OrvantaError(OrvantaError::FileNotFound);
    m_session->writeNow([&](HostStore &store) {
        store.setState(HostStateKeys::OpenDatabase, QFileInfo(path).absoluteFilePath());
    });
}

HostViews &SqliteHostApplication::Views()
{
    return m_views;
}

void SqliteHostApplication::Command(qint16 command)
{
    m_session->writeNow([&](HostStore &store) {
        store.logCommand(command);
        if (command == HostCommand::LookupAllContacts)
            store.setLookupAll(RecordKind::Contact);
    });
}

QString SqliteHostApplication::GetOpenDBName()
{
    return m_session->reader().state(HostStateKeys::OpenDatabase);
}

std::unique_ptr<HostAuxCommands> SqliteHostApplication::AuxCommands()
{
    return std::make_unique<SqliteHostAuxCommands>(m_session);
}

void SqliteHostApplication::AdviseEvents(HostEvents *events)
{
    m_watcher.reset();
    if (!events)
        return;
    const std::weak_ptr<HostSession> session = m_session;
    m_watcher = std::make_unique<HostChangeWatcher>(m_session->path(), *events, [session] {
        if (const auto live = session.lock())
            live->refreshReads();
    });
}

void SqliteHostApplication::Commit()
{
    m_session->commit();
}

HostCommitListener *SqliteHostApplication::watchCommits(HostCommitListener *listener)
{
    return m_session->watchCommits(listener);
}
