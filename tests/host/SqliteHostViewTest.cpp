#include "HostApplication.h"
#include "HostNumbers.h"
#include "HostSession.h"
#include "HostView.h"
#include "HostViews.h"
#include "OrvantaError.h"
#include "SqliteHostApplication.h"
#include "SqliteHostDatabase.h"
#include "TemporaryHost.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>
#include <numeric>

namespace {

struct Attached
{
    std::unique_ptr<HostApplication> app;
    std::shared_ptr<HostView> view;
};

Attached attach(const TemporaryHost &host, qint16 viewType = HostViewType::Contacts)
{
    Attached attached {SqliteHostApplication::attach(host.path()), nullptr};
    attached.view = attached.app->Views().Create(viewType, QStringLiteral("CV"));
    return attached;
}

// The fields of each record of the lookup, space-separated, in walk order.
QStringList walk(HostView &view, const QList<qint32> &fields = {1})
{
    QStringList seen;
    const qint32 count = view.GetCount();
    view.MoveFirst();
    for (qint32 i = 0; i < count; ++i) {
        QStringList values;
        for (qint32 field : fields)
            values.append(view.getField(field));
        seen.append(values.join(' '));
        view.MoveNext();
    }
    return seen;
}

} // namespace

// The second walk also shows that a walk which reached the end does not answer for 701.
TEST(SqliteHostView, WalksTheLookupInItsOrderAndCommand701HoldsEveryContact)
{
    TemporaryHost host;
    host.createContacts(4);
    ASSERT_EQ(host.cli({"lookup", "C0003", "C0001", "C0004"}).exitCode, 0);
    {
        auto [app, view] = attach(host);
        EXPECT_EQ(walk(*view), QStringList({"C0003", "C0001", "C0004"}));
        app->Command(HostCommand::BeforeRun);
        app->Command(HostCommand::HostRestart);
        EXPECT_EQ(view->GetCount(), 3);
        app->Command(HostCommand::LookupAllContacts);
        EXPECT_EQ(walk(*view), QStringList({"C0001", "C0002", "C0003", "C0004"}));
    }
    QStringList logged;
    for (const QString &line : host.cli({"log"}).out.split('\n', Qt::SkipEmptyParts))
        logged.append(line.section('\t', -1));
    EXPECT_EQ(logged, QStringList({"104", "150", "701"}));
}

TEST(SqliteHostView, StartsOnTheCurrentRecordMovesOnFromGoToAndKeepsWritesInAnyOrder)
{
    TemporaryHost host;
    host.createContacts(3);
    ASSERT_EQ(host.cli({"goto", "C0002"}).exitCode, 0);
    {
        auto [app, view] = attach(host);
        EXPECT_EQ(view->getField(4), "20");
        view->MoveNext();
        view->MoveNext();
        EXPECT_EQ(
            thrownError([&] { view->getField(3); }), std::pair(5, QString("No current record")));
        view->MoveFirst();
        EXPECT_EQ(view->getField(1), "C0001");
        view->GoTo("C0002");
        view->MoveNext();
        EXPECT_EQ(view->getField(1), "C0003");
        EXPECT_EQ(thrownError([&] { view->GoTo("C9999"); }),
            std::pair(5, QString("No record of contacts has the key 'C9999'")));
        for (const QStringList &write :
            QList<QStringList> {{"C0003", "25", "c"}, {"C0001", "25", "a"}, {"C0002", "25", "b"},
                {"C0001", "25", "a again"}, {"C0002", "3", ""}, {"C0001", "26", "z"}}) {
            view->GoTo(write[0]);
            view->SetField(write[1].toInt(), write[2]);
        }
        view->GoTo("C0002");
    }
    host.expectOut({"current"}, "C0002\n");
    EXPECT_EQ(walk(*attach(host).view, {1, 25, 3, 26, 4}),
        QStringList({"C0001 a again 1 z 10", "C0002 b   20", "C0003 c 3  30"}));
}

TEST(SqliteHostView, FieldIdsKeyChangesAndRefusals)
{
    TemporaryHost host;
    host.createContacts(2);
    auto [app, view] = attach(host);
    EXPECT_EQ(view->getField(" 4 "), "10");
    EXPECT_EQ(view->getField(26), "");
    EXPECT_EQ(thrownError([&] { view->getField("999"); }),
        std::pair(5, QString("Field 999 does not exist for contacts")));
    EXPECT_EQ(thrownError([&] { view->SetField(41, "x"); }),
        std::pair(5, QString("Field 41 does not exist for contacts")));
    EXPECT_EQ(thrownError([&] { view->getField("abc"); }),
        std::pair(13, QString("Field ID 'abc' is not a number")));
    view->SetField(1, "ACME-1");
    EXPECT_EQ(view->getField(1), "ACME-1");
    EXPECT_EQ(thrownError([&] { view->SetField(1, "C0002"); }).first, 5);
    app.reset(); // the view outlives its application
    EXPECT_EQ(thrownError([&] { view->getField(3); }).first, 91);
    EXPECT_EQ(thrownError([&] { view->MoveNext(); }).first, 91);
    EXPECT_EQ(host.cli({"get", "4", "--record", "ACME-1"}).out, "10\n");
}

TEST(SqliteHostView, AttachReadsTheTitleAndViewRefusesForeignFilesAndGoesBackToAGroup)
{
    TemporaryHost host;
    EXPECT_EQ(thrownError([&] { SqliteHostApplication::attach(host.path()); }).first, 429);
    EXPECT_EQ(SqliteHostApplication::readForegroundWindowTitle(host.path()), std::nullopt);
    TemporaryHost::writeFile(host.path(), "not a database, just text\n");
    const auto [number, description]
        = thrownError([&] { SqliteHostApplication::attach(host.path()); });
    EXPECT_EQ(number, 429);
    EXPECT_TRUE(description.endsWith("is not an Orvanta host database"));

    TemporaryHost demo;
    demo.createDemo();
    EXPECT_EQ(SqliteHostApplication::readForegroundWindowTitle(demo.path()), "ACT! - Demo");
    ASSERT_EQ(demo.cli({"view", "2"}).exitCode, 0);
    auto [app, view] = attach(demo, HostViewType::Groups);
    EXPECT_EQ(app->Views().GetActive()->Type(), 2);
    EXPECT_EQ(app->GetOpenDBName(), QFileInfo(demo.path()).absoluteFilePath());
    // A group written, left and gone back to by its key.
    view->MoveFirst();
    view->MoveNext();
    view->SetField(25, "done");
    app->Command(HostCommand::BeforeRun);
    const QString key = view->getField(1);
    view->MoveNext();
    view->GoTo(key);
    EXPECT_EQ(view->getField(1) + '|' + view->getField(2) + '|' + view->getField(25),
        "G002|West Coast Prospects|done");
}

// The first walk reads ten fields more from the middle of its second block on; the others
// go through whole lookups in other orders.
TEST(SqliteHostView, FieldsFirstReadMidWalkAndEveryRecordShowsItsOwnValuesInAnyLookup)
{
    TemporaryHost host;
    host.createContacts(300);
    const QList<qint32> userFields = {25, 26, 27, 28, 29, 30, 31, 32, 33, 34};
    {
        auto [app, view] = attach(host);
        view->MoveFirst();
        for (int n = 1; n <= 150; ++n, view->MoveNext())
            for (qint32 field : userFields)
                view->SetField(field, QStringLiteral("%1-%2").arg(field).arg(n));
    }
    auto [app, view] = attach(host);
    view->MoveFirst();
    QStringList wrong;
    for (int n = 1; n <= 150; ++n, view->MoveNext()) {
        const auto expect = [&](qint32 field, const QString &value) {
            if (view->getField(field) != value)
                wrong.append(QStringLiteral("%1 of %2").arg(field).arg(n));
        };
        expect(3, QString::number(n));
        if (n >= 70) {
            for (qint32 field : userFields)
                expect(field, QStringLiteral("%1-%2").arg(field).arg(n));
            expect(40, QString());
        }
    }
    EXPECT_EQ(wrong, QStringList());
    app.reset();
    QList<int> inOrder(300);
    std::iota(inOrder.begin(), inOrder.end(), 1);
    const QList<int> reversed(inOrder.crbegin(), inOrder.crend());
    for (const QList<int> &numbers :
        {inOrder, reversed, inOrder.first(64) + QList<int> {290, 5, 5, 150}}) {
        QStringList keys;
        QStringList expected;
        for (int n : numbers) {
            keys.append(QStringLiteral("C%1").arg(n, 4, 10, QLatin1Char('0')));
            expected.append(QStringLiteral("%1 %2 %3").arg(keys.last()).arg(n).arg(n * 10));
        }
        ASSERT_EQ(host.cli(QStringList {"lookup"} + keys).exitCode, 0);
        EXPECT_EQ(walk(*attach(host).view, {1, 3, 4}), expected) << numbers.size();
    }
}

TEST(SqliteHostView, AWriterThatStopsAfterABatchKeepsIt)
{
    TemporaryHost host;
    const int written = HostSession::BatchWrites + HostSession::BatchWrites / 8;
    host.createContacts(2 * HostSession::BatchWrites);
    auto [app, view] = attach(host);
    view->MoveFirst();
    for (int i = 0; i < written; ++i, view->MoveNext())
        view->SetField(25, "x");
    // Without destroying anything, another process sees the first full batch.
    const QString out = host.cli({"export"}).out;
    EXPECT_GE(out.count(",x,"), HostSession::BatchWrites);
    EXPECT_LT(out.count(",x,"), written);
}

TEST(SqliteHostView, TwoWritersAtOnceLoseNothing)
{
    TemporaryHost host;
    host.createContacts(2000);
    const auto writeAll = [&](qint32 field) {
        auto [app, view] = attach(host);
        view->MoveFirst();
        for (qint32 i = view->GetCount(); i > 0; --i, view->MoveNext())
            view->SetField(field, view->getField(1));
    };
    std::unique_ptr<QThread> first(QThread::create(writeAll, 25));
    std::unique_ptr<QThread> second(QThread::create(writeAll, 26));
    first->start();
    second->start();
    // A third writer, another process, gets its turn in between.
    const TemporaryHost::CliResult cli = host.cli({"set", "27", "cli", "--record", "C1000"});
    first->wait();
    second->wait();
    EXPECT_EQ(cli.exitCode, 0) << cli.err.toStdString();
    const QStringList rows = walk(*attach(host).view, {1, 25, 26});
    EXPECT_EQ(rows.filter(QRegularExpression("^(\\S+) \\1 \\1$")).size(), 2000);
    EXPECT_EQ(host.cli({"get", "27", "--record", "C1000"}).out, "cli\n");
}

TEST(SqliteHostDatabase, ListsTheStandardFieldsByPositionAndRefusesWhatIsNotThere)
{
    TemporaryHost host;
    SqliteHostDatabase database;
    EXPECT_EQ(thrownError([&] { database.ContactFields(); }).first, 91);
    EXPECT_EQ(thrownError([&] { database.OpenEx(host.path()); }).first, 53);
    host.createDemo();
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
