#include "SqliteHostDatabase.h"
#include "TemporaryHost.h"

#include <gtest/gtest.h>

TEST(SqliteHostDatabase, ListsTheStandardFieldsByPosition)
{
    TemporaryHost host;
    host.createDemo();
    SqliteHostDatabase database;
    database.OpenEx(host.path());
    HostFields &contacts = database.ContactFields();
    ASSERT_EQ(contacts.Count(), 45);
    struct Row
    {
        qint16 position;
        qint32 id;
        QString label;
        QString type;
    };
    for (const Row &row : {Row {0, 1, "Contact ID", "1"}, Row {2, 3, "Revenue", "2"},
             Row {39, 40, "Notes", "7"}, Row {44, 203, "Merge Date", "3"}}) {
        EXPECT_EQ(contacts.Id(row.position), row.id) << row.position;
        EXPECT_EQ(contacts.Label(row.position), row.label) << row.position;
        EXPECT_EQ(contacts.Type(row.position), row.type) << row.position;
    }
    EXPECT_EQ(contacts.Type(QStringLiteral("125")), "11");
    EXPECT_EQ(contacts.Id(QStringLiteral("202")), 202);
    EXPECT_EQ(database.GroupFields().Label(1), "Group Name");
    EXPECT_EQ(thrownError([&] { contacts.Id(qint16(45)); }).first, 9);
    EXPECT_EQ(thrownError([&] { contacts.Type(QStringLiteral("41")); }).first, 5);
}

TEST(SqliteHostDatabase, RefusesWhatIsNotThere)
{
    TemporaryHost host;
    SqliteHostDatabase database;
    EXPECT_EQ(thrownError([&] { database.ContactFields(); }).first, 91);
    EXPECT_EQ(thrownError([&] { database.OpenEx(host.path()); }).first, 53);
}
