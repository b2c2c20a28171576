#include "SqliteHostFields.h"

#include "OrvantaError.h"

#include <algorithm>

SqliteHostFields::SqliteHostFields(RecordKind kind, QList<FieldDefinition> fields)
    : m_kind(kind)
    , m_fields(std::move(fields))
{
    for (const FieldDefinition &field : m_fields)
        m_lastPosition = std::max(m_lastPosition, field.position);
}

qint16 SqliteHostFields::Count()
{
    return qint16(m_fields.size());
}

qint32 SqliteHostFields::Id(qint16 position)
{
    const FieldDefinition *field = atPosition(position);
    return field ? field->id : -1;
}

QString SqliteHostFields::Label(qint16 position)
{
    const FieldDefinition *field = atPosition(position);
    return field ? field->label : QString();
}

QString SqliteHostFields::Type(qint16 position)
{
    const FieldDefinition *field = atPosition(position);
    return field ? QString::number(field->type) : QString();
}

qint32 SqliteHostFields::Id(const QString &fieldId)
{
    return byId(fieldId).id;
}

QString SqliteHostFields::Type(const QString &fieldId)
{
    return QString::number(byId(fieldId).type);
}

const FieldDefinition *SqliteHostFields::atPosition(qint16 position) const
{
    if (position < 0 || position > m_lastPosition)
        throw OrvantaError(OrvantaError::SubscriptOutOfRange);
    const auto found = std::find_if(m_fields.cbegin(), m_fields.cend(),
        [&](const FieldDefinition &f) { return f.position == position; });
    return found == m_fields.cend() ? nullptr : &*found;
}

const FieldDefinition &SqliteHostFields::byId(const QString &fieldId) const
{
    bool isNumber = false;
    const qint32 id = fieldId.trimmed().toInt(&isNumber);
    const auto found = std::find_if(
        m_fields.cbegin(), m_fields.cend(), [&](const FieldDefinition &f) { return f.id == id; });
    if (!isNumber || found == m_fields.cend())
        throw OrvantaError(OrvantaError::InvalidProcedureCall,
            QStringLiteral("Field %1 does not exist for %2")
                .arg(fieldId, recordKindPlural(m_kind)));
    return *found;
}
