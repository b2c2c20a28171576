#include "SqliteHostView.h"

#include "HostNumbers.h"
#include "HostSession.h"
#include "OrvantaError.h"

SqliteHostView::SqliteHostView(std::weak_ptr<HostSession> session, qint16 type)
    : m_session(std::move(session))
    , m_type(type)
    , m_kind(type == HostViewType::Groups ? RecordKind::Group : RecordKind::Contact)
{
    m_record = this->session()->currentRecord(m_kind);
}

qint16 SqliteHostView::Type()
{
    session();
    return m_type;
}

QString SqliteHostView::getField(qint32 fieldId)
{
    const auto host = session();
    checkField(*host, fieldId);
    const qint64 record = currentRecord();
    if (fieldId != HostField::Key)
        return host->value(m_kind, record, fieldId);
    std::optional<QString> key = host->walkedKey(record);
    if (!key)
        key = host->batchStore().recordKey(record);
    if (!key)
        throw OrvantaError(
            OrvantaError::ObjectNotSet, QStringLiteral("The view has lost its record"));
    return *key;
}

QString SqliteHostView::getField(const QString &fieldId)
{
    bool isNumber = false;
    const qint32 id = fieldId.trimmed().toInt(&isNumber);
    if (!isNumber)
        throw OrvantaError(OrvantaError::TypeMismatch,
            QStringLiteral("Field ID '%1' is not a number").arg(fieldId));
    return getField(id);
}

void SqliteHostView::SetField(qint32 fieldId, const QString &value)
{
    const auto host = session();
    checkField(*host, fieldId);
    host->setValue(m_kind, currentRecord(), fieldId, value);
}

qint32 SqliteHostView::GetCount()
{
    return session()->batchStore().lookupCount(m_kind);
}

void SqliteHostView::MoveFirst()
{
    const auto host = session();
    host->recordBoundary();
    // An empty lookup leaves the current record where it is.
    if (const auto first = host->lookupAfter(m_kind, -1))
        moveTo(*host, *first);
}

void SqliteHostView::MoveNext()
{
    const auto host = session();
    host->recordBoundary();
    if (!m_record)
        return;
    if (!m_position)
        m_position = host->batchStore().lookupPositionOf(m_kind, *m_record);
    if (!m_position) {
        // A record outside the lookup has no next one.
        m_record.reset();
        return;
    }
    moveToLookupEntryAfter(*host, *m_position);
}

void SqliteHostView::GoTo(const QString &key)
{
    const auto host = session();
    host->recordBoundary();
    const std::optional<qint64> record = host->batchStore().recordByKey(m_kind, key);
    if (!record)
        throw OrvantaError(OrvantaError::InvalidProcedureCall,
            QStringLiteral("No record of %1 has the key '%2'").arg(recordKindPlural(m_kind), key));
    m_record = record;
    m_position.reset();
    host->setCurrentRecord(m_kind, *record);
}

std::shared_ptr<HostSession> SqliteHostView::session() const
{
    auto host = m_session.lock();
    if (!host)
        throw OrvantaError(OrvantaError::ObjectNotSet,
            QStringLiteral("The view has lost its connection to the host"));
    return host;
}

qint64 SqliteHostView::currentRecord() const
{
    if (!m_record)
        throw OrvantaError(OrvantaError::InvalidProcedureCall, QStringLiteral("No current record"));
    return *m_record;
}

void SqliteHostView::checkField(const HostSession &session, qint32 fieldId) const
{
    if (!session.hasField(m_kind, fieldId))
        throw OrvantaError(OrvantaError::InvalidProcedureCall,
            QStringLiteral("Field %1 does not exist for %2")
                .arg(fieldId)
                .arg(recordKindPlural(m_kind)));
}

void SqliteHostView::moveToLookupEntryAfter(HostSession &session, qint64 position)
{
    const std::optional<HostStore::LookupEntry> entry = session.lookupAfter(m_kind, position);
    if (!entry) {
        m_record.reset();
        m_position.reset();
        return;
    }
    moveTo(session, *entry);
}

void SqliteHostView::moveTo(HostSession &session, const HostStore::LookupEntry &entry)
{
    m_record = entry.record;
    m_position = entry.position;
    session.setCurrentRecord(m_kind, entry.record);
}
