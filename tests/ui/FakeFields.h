#pragma once

#include "FieldDefinition.h"
#include "HostFields.h"
#include "OrvantaError.h"

#include <QList>
#include <optional>

// A host field collection laid out by a test: fields at chosen positions, gaps between
// them, and calls that fail on request.
class FakeFields : public HostFields
{
public:
    FakeFields() = default;
    explicit FakeFields(QList<FieldDefinition> fields)
        : fields(std::move(fields))
    {
    }

    qint16 Count() override { return countOverride.value_or(qint16(fields.size())); }
    qint32 Id(qint16 position) override
    {
        ++positionsAsked;
        if (failFromPosition && position >= *failFromPosition)
            throw OrvantaError(OrvantaError::ObjectNotSet);
        const FieldDefinition *field = at(position);
        return field ? field->id : -1;
    }
    QString Label(qint16 position) override
    {
        const FieldDefinition *field = at(position);
        return field ? field->label : QString();
    }
    QString Type(qint16 position) override
    {
        const FieldDefinition *field = at(position);
        return field ? QString::number(field->type) : QString();
    }
    qint32 Id(const QString &fieldId) override { return byId(fieldId).id; }
    QString Type(const QString &fieldId) override
    {
        if (failTypeOf == fieldId.toInt())
            throw OrvantaError(OrvantaError::AutomationError);
        return QString::number(byId(fieldId).type);
    }

    QList<FieldDefinition> fields;
    std::optional<qint16> countOverride;
    std::optional<qint16> failFromPosition;
    qint32 failTypeOf = 0;
    int positionsAsked = 0;

private:
    const FieldDefinition &byId(const QString &fieldId) const
    {
        for (const FieldDefinition &field : fields) {
            if (field.id == fieldId.toInt())
                return field;
        }
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    }
    const FieldDefinition *at(qint16 position) const
    {
        for (const FieldDefinition &field : fields) {
            if (field.position == position)
                return &field;
        }
        return nullptr;
    }
};
