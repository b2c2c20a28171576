#pragma once

#include <QString>

// The two kinds of records the host keeps; stored as the number in the database.
enum class RecordKind { Contact = 0, Group = 1 };

// "contacts" or "groups", as error descriptions name them.
inline QString recordKindPlural(RecordKind kind)
{
    return kind == RecordKind::Contact ? QStringLiteral("contacts") : QStringLiteral("groups");
}
