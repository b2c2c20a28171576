#pragma once

#include <QtGlobal>

// The numbers through which the host and a run understand each other: the commands a
// run sends, the types of the host's views and the field that holds a record's key.

namespace HostCommand {
// Sent before every run and every test of a calculation.
inline constexpr qint16 BeforeRun = 104;
// Sent before the host is closed to be started again.
inline constexpr qint16 HostRestart = 150;
// Makes the current lookup hold every contact, before an all-contacts run.
inline constexpr qint16 LookupAllContacts = 701;
} // namespace HostCommand

namespace HostViewType {
inline constexpr qint16 Contacts = 1;
// Lists contacts in rows; no calculation runs there.
inline constexpr qint16 ContactList = 2;
inline constexpr qint16 Groups = 3;
// Types above this are views in which nothing is calculated.
inline constexpr qint16 LastCalculationView = Groups;
} // namespace HostViewType

namespace HostField {
// Field 1 of a contact or a group identifies the record: GoTo takes its value.
inline constexpr qint32 Key = 1;
} // namespace HostField
