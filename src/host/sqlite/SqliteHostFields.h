#pragma once

#include "FieldDefinition.h"
#include "HostFields.h"
#include "RecordKind.h"

#include <QList>

// The field list of one record kind as the database held it when it was opened.
// A position without a field has the ID -1; a position past the last one is error 9.
class SqliteHostFields : public HostFields
{
public:
    SqliteHostFields(RecordKind kind, QList<FieldDefinition> fields);

    qint16 Count() override;
    qint32 Id(qint16 position) override;
    QString Label(qint16 position) override;
    QString Type(qint16 position) override;
    qint32 Id(const QString &fieldId) override;
    QString Type(const QString &fieldId) override;

private:
    const FieldDefinition *atPosition(qint16 position) const;
    const FieldDefinition &byId(const QString &fieldId) const;

    RecordKind m_kind;
    QList<FieldDefinition> m_fields;
    int m_lastPosition = -1;
};
