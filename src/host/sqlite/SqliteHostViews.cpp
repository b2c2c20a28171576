#include "SqliteHostViews.h"

#include "HostSession.h"
#include "HostStateKeys.h"
#include "OrvantaError.h"
#include "SqliteHostView.h"

SqliteHostViews::SqliteHostViews(std::weak_ptr<HostSession> session)
    : m_session(std::move(session))
{
}

std::shared_ptr<HostView> SqliteHostViews::GetActive()
{
    const auto host = m_session.lock();
    if (!host)
        throw OrvantaError(OrvantaError::ObjectNotSet);
    const qint16 type = qint16(host->reader().state(HostStateKeys::ActiveView).toShort());
    return std::make_shared<SqliteHostView>(m_session, type);
}

std::shared_ptr<HostView> SqliteHostViews::Create(qint16 viewType, const QString &name)
{
    // The name ("CV") only labels the view for the host.
    Q_UNUSED(name);
    return std::make_shared<SqliteHostView>(m_session, viewType);
}
