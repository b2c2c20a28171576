#include "SqliteHostApplication.h"

#include "HostSchema.h"
#include "HostSession.h"
#include "HostStateKeys.h"
#include "HostStore.h"
#include "OrvantaError.h"
#include "SqliteConnection.h"

#include <QFileInfo>

namespace {
constexpr qint16 AllContactsCommand = 701;
}

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
        if (command == AllContactsCommand)
            store.setLookupAll(RecordKind::Contact);
    });
}

QString SqliteHostApplication::GetOpenDBName()
{
    return m_session->reader().state(HostStateKeys::OpenDatabase);
}

HostCommitListener *SqliteHostApplication::watchCommits(HostCommitListener *listener)
{
    return m_session->watchCommits(listener);
}

void SqliteHostApplication::commitWrites()
{
    m_session->flush();
}
