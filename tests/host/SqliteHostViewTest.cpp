#include "HostApplication.h"
#include "HostNumbers.h"
#include "HostSession.h"
#include "HostView.h"
#include "HostViews.h"
#include "OrvantaError.h"
#include "SqliteHostApplication.h"
#include "TemporaryHost.h"

#include <QThread>
#include <gtest/gtest.h>

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

QStringList walkKeys(HostView &view)
{
    QStringList keys;
    const qint32 count = view.GetCount();
    view.MoveFirst();
    for (qint32 i = 0; i < count; ++i) {
        keys.append(view.getField(1));
        view.MoveNext();
    }
    return keys;
}

int errorNumberOf(const std::function<void()> &call, QString *description = nullptr)
{
    try {
        call();
    } catch (const OrvantaError &error) {
        if (description)
            *description = error.description();
        return error.number();
    }
    return 0;
}

} // namespace

TEST(SqliteHostView, WalksTheLookupInItsOrder)
{
    TemporaryHost host;
    host.createContacts(4);
    ASSERT_EQ(host.cli({"lookup", "C0003", "C0001", "C0004"}).exitCode, 0);
    auto [app, view] = attach(host);
    EXPECT_EQ(view->GetCount(), 3);
    EXPECT_EQ(walkKeys(*view), QStringList({"C0003", "C0001", "C0004"}));
}

TEST(SqliteHostView, Command701MakesTheLookupHoldEveryContact)
{
    TemporaryHost host;
    host.createContacts(5);
    ASSERT_EQ(host.cli({"lookup", "C0002"}).exitCode, 0);
    auto [app, view] = attach(host);
    EXPECT_EQ(walkKeys(*view), QStringList({"C0002"}));
    app->Command(HostCommand::LookupAllContacts);
    EXPECT_EQ(walkKeys(*view), QStringList({"C0001", "C0002", "C0003", "C0004", "C0005"}));
}

TEST(SqliteHostView, StartsOnTheCurrentRecordAndLeavesNoneAfterTheEnd)
{
    TemporaryHost host;
    host.createContacts(2);
    ASSERT_EQ(host.cli({"goto", "C0002"}).exitCode, 0);
    auto [app, view] = attach(host);
    EXPECT_EQ(view->getField(3), "2");
    view->MoveNext();
    QString description;
    EXPECT_EQ(errorNumberOf([&] { view->getField(3); }, &description), 5);
    EXPECT_EQ(description, "No current record");
    view->MoveFirst();
    EXPECT_EQ(view->getField(1), "C0001");
}

TEST(SqliteHostView, EveryCommandNumberIsLogged)
{
    TemporaryHost host;
    host.createContacts(1);
    {
        auto app = SqliteHostApplication::attach(host.path());
        app->Command(HostCommand::BeforeRun);
        app->Command(HostCommand::HostRestart);
        app->Command(HostCommand::LookupAllContacts);
    }
    const QStringList lines = host.cli({"log"}).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith("\t104"));
    EXPECT_TRUE(lines[1].endsWith("\t150"));
    EXPECT_TRUE(lines[2].endsWith("\t701"));
}

TEST(SqliteHostView, GoToFindsTheRecordByItsKeyAndMoveNextGoesOnFromThere)
{
    TemporaryHost host;
    host.createContacts(3);
    auto [app, view] = attach(host);
    view->GoTo("C0002");
    EXPECT_EQ(view->getField(4), "20");
    view->MoveNext();
    EXPECT_EQ(view->getField(1), "C0003");
    QString description;
    EXPECT_EQ(errorNumberOf([&] { view->GoTo("C9999"); }, &description), 5);
    EXPECT_TRUE(description.contains("C9999")) << description.toStdString();
}

TEST(SqliteHostView, GroupFieldDanceReturnsToTheSameGroup)
{
    TemporaryHost host;
    host.createDemo();
    auto [app, view] = attach(host, 3);
    ASSERT_EQ(view->Type(), 3);
    view->MoveFirst();
    view->MoveNext();
    view->SetField(25, "done");
    app->Command(HostCommand::BeforeRun);
    const QString key = view->getField(1);
    view->MoveNext();
    view->GoTo(key);
    EXPECT_EQ(view->getField(1), "G002");
    EXPECT_EQ(view->getField(25), "done");
    EXPECT_EQ(view->getField(2), "West Coast Prospects");
}

TEST(SqliteHostView, FieldIdsAsIntegerOrDigitsText)
{
    TemporaryHost host;
    host.createDemo();
    auto [app, view] = attach(host);
    struct Row
    {
        QString text;
        qint32 id;
    };
    for (const Row &row :
        {Row {"2", 2}, Row {"3", 3}, Row {" 4 ", 4}, Row {"1", 1}, Row {"26", 26}})
        EXPECT_EQ(view->getField(row.text), view->getField(row.id)) << row.text.toStdString();
    EXPECT_EQ(view->getField(2), "Brightwater Logistics");
    EXPECT_EQ(view->getField(26), "");
}

TEST(SqliteHostView, RefusalsSayWhatIsWrong)
{
    TemporaryHost host;
    host.createContacts(1);
    auto [app, view] = attach(host);
    struct Row
    {
        const char *name;
        std::function<void()> call;
        int number;
        QString description;
    };
    const Row rows[] = {
        {"unknown field", [&] { view->getField(999); }, 5, "Field 999 does not exist for contacts"},
        {"unknown field text", [&] { view->getField("999"); }, 5,
            "Field 999 does not exist for contacts"},
        {"set unknown field", [&] { view->SetField(41, "x"); }, 5,
            "Field 41 does not exist for contacts"},
        {"field not a number", [&] { view->getField("abc"); }, 13,
            "Field ID 'abc' is not a number"},
    };
    for (const Row &row : rows) {
        QString description;
        EXPECT_EQ(errorNumberOf(row.call, &description), row.number) << row.name;
        EXPECT_EQ(description, row.description) << row.name;
    }
}

TEST(SqliteHostView, MissingOrForeignDatabaseIsError429)
{
    TemporaryHost host;
    EXPECT_EQ(errorNumberOf([&] { SqliteHostApplication::attach(host.path()); }), 429);
    EXPECT_EQ(SqliteHostApplication::readForegroundWindowTitle(host.path()), std::nullopt);
    QFile text(host.path());
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a database, just text\n");
    text.close();
    QString description;
    EXPECT_EQ(
        errorNumberOf([&] { SqliteHostApplication::attach(host.path()); }, &description), 429);
    EXPECT_TRUE(description.endsWith("is not an Orvanta host database"));
}

TEST(SqliteHostView, ReadsTheWindowTitleAndTheActiveView)
{
    TemporaryHost host;
    host.createDemo();
    EXPECT_EQ(SqliteHostApplication::readForegroundWindowTitle(host.path()), "ACT! - Demo");
    ASSERT_EQ(host.cli({"view", "2"}).exitCode, 0);
    auto app = SqliteHostApplication::attach(host.path());
    EXPECT_EQ(app->Views().GetActive()->Type(), 2);
    EXPECT_EQ(app->GetOpenDBName(), QFileInfo(host.path()).absoluteFilePath());
}

TEST(SqliteHostView, ReadsSeePendingWritesAndWritesSurviveTheApplication)
{
    TemporaryHost host;
    host.createContacts(3);
    {
        auto [app, view] = attach(host);
        view->MoveFirst();
        for (int i = 0; i < 3; ++i) {
            view->SetField(25, QString::number(view->getField(3).toInt() * 2));
            EXPECT_EQ(view->getField(25), QString::number((i + 1) * 2));
            view->MoveNext();
        }
        view->GoTo("C0002");
    }
    EXPECT_EQ(host.cli({"get", "25", "--record", "C0003"}).out, "6\n");
    EXPECT_EQ(host.cli({"get", "25", "--record", "C0001"}).out, "2\n");
    EXPECT_EQ(host.cli({"current"}).out, "C0002\n");
}

TEST(SqliteHostView, EmptyValueClearsTheFieldAndKeyChangesAreChecked)
{
    TemporaryHost host;
    host.createContacts(2);
    auto [app, view] = attach(host);
    view->SetField(3, "");
    EXPECT_EQ(view->getField(3), "");
    view->SetField(1, "ACME-1");
    EXPECT_EQ(view->getField(1), "ACME-1");
    EXPECT_EQ(errorNumberOf([&] { view->SetField(1, "C0002"); }), 5);
    app.reset(); // the view loses its connection with the application
    EXPECT_EQ(errorNumberOf([&] { view->getField(3); }), 91);
    EXPECT_EQ(errorNumberOf([&] { view->MoveNext(); }), 91);
    EXPECT_EQ(host.cli({"get", "4", "--record", "ACME-1"}).out, "10\n");
}

TEST(SqliteHostView, AWriterThatStopsAfterABatchKeepsIt)
{
    TemporaryHost host;
    const int written = HostSession::BatchWrites + HostSession::BatchWrites / 8;
    host.createContacts(2 * HostSession::BatchWrites);
    auto app = SqliteHostApplication::attach(host.path());
    auto view = app->Views().Create(HostViewType::Contacts, "CV");
    view->MoveFirst();
    for (int i = 0; i < written; ++i) {
        view->SetField(25, "x");
        view->MoveNext();
    }
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
        for (qint32 i = view->GetCount(); i > 0; --i) {
            view->SetField(field, view->getField(1));
            view->MoveNext();
        }
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
    auto [app, view] = attach(host);
    view->MoveFirst();
    int complete = 0;
    for (int i = 0; i < 2000; ++i) {
        const QString key = view->getField(1);
        complete += view->getField(25) == key && view->getField(26) == key;
        view->MoveNext();
    }
    EXPECT_EQ(complete, 2000);
    view->GoTo("C1000");
    EXPECT_EQ(view->getField(27), "cli");
}
