#include "SqliteHostDatabase.h"

#include "HostLocation.h"
#include "HostSchema.h"
#include "HostStore.h"
#include "OrvantaError.h"
#include "SqliteConnection.h"

#include <QFileInfo>

void SqliteHostDatabase::OpenEx(const QString &path)
{
    if (!path.isEmpty() && !QFileInfo(path).isFile())
        throw OrvantaError(OrvantaError::FileNotFound);
    const auto connection = HostSchema::openExisting(hostDatabasePath(path));
    HostStore store(*connection);
    m_contactFields = std::make_unique<SqliteHostFields>(
        RecordKind::Contact, store.fields(RecordKind::Contact));
    m_groupFields
        = std::make_unique<SqliteHostFields>(RecordKind::Group, store.fields(RecordKind::Group));
}

HostFields &SqliteHostDatabase::ContactFields()
{
    return opened(m_contactFields);
}

HostFields &SqliteHostDatabase::GroupFields()
{
    return opened(m_groupFields);
}

HostFields &SqliteHostDatabase::opened(const std::unique_ptr<SqliteHostFields> &fields) const
{
    if (!fields)
        throw OrvantaError(OrvantaError::ObjectNotSet);
    return *fields;
}
