#pragma once

#include "FieldDefinition.h"
#include "RecordKind.h"

#include <QList>
#include <functional>
#include <memory>

class HostStore;
class SqliteConnection;

// The tables of the stand-in host and the standard field set of every new database.
//
// Field types are the host's numbers: 1 Character, 2 Currency, 3 Date, 4 Initial-Caps,
// 5 Lowercase, 6 Numeric, 7 Memo, 8 Phone, 9 Time, 10 Uppercase, 11 Yes/No, 14 URL,
// 15 E-mail.
//
// Contact fields (ID label type):
//   1 Contact ID 1 (the record's key)    21 Zip 1
//   2 Company 1                          22 Country 1
//   3 Revenue 2                          23 ID/Status 1
//   4 Order Total 2                      24 Last Results 1
//   5 Contact 1                          25..34 User 1..User 10 1
//   6 First Name 1                       35 Referred By 1
//   7 Last Name 1                        36 Employees 6
//   8 Salutation 1                       37 Birth Date 3
//   9 Title 1                            38 Last Meeting 3
//   10 Department 1                      39 Last Reach 3
//   11 Phone 8                           40 Notes 7
//   12 Phone Ext. 1                      90 Record Manager 1
//   13 Mobile Phone 8                    125 Private 11
//   14 Fax 8                             201 Create Date 3
//   15 E-mail 15                         202 Edit Date 3
//   16 Web Site 14                       203 Merge Date 3
//   17 Address 1 1, 18 Address 2 1, 19 City 4, 20 State 10
//
// Group fields: 1 Group ID 1 (the key), 2 Group Name 1, 3 Revenue 2, 4 Order Total 2,
// 5 Description 1, 6 Address 1 1, 7 Address 2 1, 8 City 4, 9 State 10, 10 Zip 1,
// 11 Country 1, 12 Phone 8, 13 Fax 8, 14 Web Site 14, 15 Region 1, 16 Industry 1,
// 17 Members 6, 18 Status 1, 19 Last Results 1, 20 Parent Group 1, 21 Account Manager 1,
// 22 Meeting Day 1, 23 Start Date 3, 24 Renewal Date 3, 25..34 User 1..User 10 1,
// 35 Target Revenue 2, 36 Discount 6, 37 Priority 1, 38 Last Review 3, 39 Territory 1,
// 40 Notes 7, and 90, 125, 201, 202, 203 as for contacts.
class HostSchema
{
public:
    // Opens an existing host database; error 429 when the file is missing or is not
    // a host database (a text file, another program's SQLite file).
    static std::unique_ptr<SqliteConnection> openExisting(const QString &path);
    // Creates a new file with the tables, the standard fields, the initial state and
    // whatever fill adds, all in one transaction; no file is left behind on failure.
    static std::unique_ptr<SqliteConnection> createNew(const QString &path,
        const QString &windowTitle, const std::function<void(HostStore &)> &fill = {});

    // The database file with its write-ahead log and shared-memory index.
    static void removeDatabaseFiles(const QString &path);

    static const QList<FieldDefinition> &standardFields(RecordKind kind);
    // "Character", "Currency"...; the number itself for a type without a name.
    static QString typeName(int type);

private:
    static bool isHostDatabase(SqliteConnection &connection);
};
