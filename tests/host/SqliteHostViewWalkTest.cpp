#include "HostApplication.h"
#include "HostNumbers.h"
#include "HostView.h"
#include "HostViews.h"
#include "SqliteHostApplication.h"
#include "TemporaryHost.h"

#include <gtest/gtest.h>

// Walks as a run does, over lookups of every shape: the values each record shows must
// be its own whichever way the host reads ahead.
namespace {

QString keyOf(int number)
{
    return QStringLiteral("C%1").arg(number, 4, 10, QLatin1Char('0'));
}

// "key 3 4" for each record of the lookup, in walk order.
QStringList walkFieldsThreeAndFour(HostView &view)
{
    QStringList seen;
    const qint32 count = view.GetCount();
    view.MoveFirst();
    for (qint32 i = 0; i < count; ++i) {
        seen.append(view.getField(1) + ' ' + view.getField(3) + ' ' + view.getField(4));
        view.MoveNext();
    }
    return seen;
}

struct LookupRow
{
    const char *name;
    QList<int> numbers;
};

QList<int> numbersFrom(int first, int last)
{
    QList<int> numbers;
    for (int n = first; first <= last ? n <= last : n >= last; n += first <= last ? 1 : -1)
        numbers.append(n);
    return numbers;
}

} // namespace

TEST(SqliteHostViewWalk, EveryRecordShowsItsOwnValuesInAnyLookup)
{
    TemporaryHost host;
    host.createContacts(300);
    const LookupRow rows[] = {
        {"record order over several blocks", numbersFrom(1, 300)},
        {"reversed", numbersFrom(200, 1)},
        {"scattered", {1, 300, 150, 2, 299, 77}},
        {"a record twice", {5, 5, 6, 5}},
        {"a block in order, then far away", numbersFrom(1, 64) + QList<int> {290, 3}},
    };
    for (const LookupRow &row : rows) {
        QStringList keys;
        QStringList expected;
        for (int n : row.numbers) {
            keys.append(keyOf(n));
            expected.append(QStringLiteral("%1 %2 %3").arg(keyOf(n)).arg(n).arg(n * 10));
        }
        ASSERT_EQ(host.cli(QStringList {"lookup"} + keys).exitCode, 0) << row.name;
        auto app = SqliteHostApplication::attach(host.path());
        auto view = app->Views().Create(HostViewType::Contacts, "CV");
        EXPECT_EQ(walkFieldsThreeAndFour(*view), expected) << row.name;
    }
}

TEST(SqliteHostViewWalk, FieldsFirstReadMidWalkAndManyFieldsAreRead)
{
    TemporaryHost host;
    host.createContacts(150);
    const QList<qint32> userFields = {25, 26, 27, 28, 29, 30, 31, 32, 33, 34};
    {
        auto app = SqliteHostApplication::attach(host.path());
        auto view = app->Views().Create(HostViewType::Contacts, "CV");
        view->MoveFirst();
        for (int n = 1; n <= 150; ++n) {
            for (qint32 field : userFields)
                view->SetField(field, QStringLiteral("%1-%2").arg(field).arg(n));
            view->MoveNext();
        }
    }
    auto app = SqliteHostApplication::attach(host.path());
    auto view = app->Views().Create(HostViewType::Contacts, "CV");
    view->MoveFirst();
    QStringList wrong;
    for (int n = 1; n <= 150; ++n) {
        const auto expect = [&](qint32 field, const QString &value) {
            if (view->getField(field) != value)
                wrong.append(QStringLiteral("%1 of %2").arg(field).arg(n));
        };
        expect(3, QString::number(n));
        // From the middle of the second block on, ten fields more than the first.
        if (n >= 70) {
            for (qint32 field : userFields)
                expect(field, QStringLiteral("%1-%2").arg(field).arg(n));
            expect(40, QString());
        }
        view->MoveNext();
    }
    EXPECT_EQ(wrong, QStringList());
}

TEST(SqliteHostViewWalk, WritesInAnyOrderAreReadBackAndKept)
{
    TemporaryHost host;
    host.createContacts(3);
    struct Cell
    {
        QString key;
        qint32 field;
        QString value;
    };
    const Cell writes[] = {
        {"C0003", 25, "c"},
        {"C0001", 25, "a"},
        {"C0002", 25, "b"},
        {"C0001", 25, "a again"},
        {"C0002", 3, ""},
        {"C0001", 26, "z"},
    };
    const Cell expected[] = {
        {"C0001", 25, "a again"},
        {"C0002", 25, "b"},
        {"C0003", 25, "c"},
        {"C0002", 3, ""},
        {"C0001", 26, "z"},
        {"C0003", 4, "30"},
    };
    {
        auto app = SqliteHostApplication::attach(host.path());
        auto view = app->Views().Create(HostViewType::Contacts, "CV");
        for (const Cell &write : writes) {
            view->GoTo(write.key);
            view->SetField(write.field, write.value);
        }
        for (const Cell &row : expected) {
            view->GoTo(row.key);
            EXPECT_EQ(view->getField(row.field), row.value) << row.key.toStdString();
        }
    }
    for (const Cell &row : expected)
        EXPECT_EQ(host.cli({"get", QString::number(row.field), "--record", row.key}).out,
            row.value + '\n')
            << row.key.toStdString();
}
