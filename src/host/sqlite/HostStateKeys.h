#pragma once

#include "RecordKind.h"

#include <QString>

// Keys of the host's state table.
namespace HostStateKeys {
inline const QString ActiveView = QStringLiteral("active_view");
inline const QString WindowTitle = QStringLiteral("window_title");
inline const QString OpenDatabase = QStringLiteral("open_database");
inline const QString CurrentContact = QStringLiteral("current_contact");
inline const QString CurrentGroup = QStringLiteral("current_group");
inline const QString NextContactNumber = QStringLiteral("next_contact_number");
inline const QString NextGroupNumber = QStringLiteral("next_group_number");

// Where the database's current record of a kind is kept.
inline const QString &currentRecord(RecordKind kind)
{
    return kind == RecordKind::Contact ? CurrentContact : CurrentGroup;
}
} // namespace HostStateKeys
