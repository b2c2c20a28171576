#include "EditorFixture.h"
#include "PopulateACTLists.h"

namespace {

class FieldPicker : public ::testing::Test
{
protected:
    QStringList fill(FakeFields &fields)
    {
        dialogs.clear();
        PopulateACTLists(fields, dialogs)
            .Populate_lvwFields(list, QStringLiteral("|1|2|3|4|5|6|8|9|10|14|15|"));
        return rows();
    }
    QStringList rows() const
    {
        QStringList result;
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            result << list.topLevelItem(i)->text(0) + QLatin1Char(' ')
                    + list.topLevelItem(i)->text(1);
        return result;
    }

    FieldList list;
    RecordingDialogs dialogs;
};

TEST_F(FieldPicker, ListsTheTypesAskedForInPositionOrderButNotTheInternalIds)
{
    FakeFields fields;
    int position = 0;
    for (int internalId : {203, 201, 202, 90, 125})
        fields.fields.append({internalId, QStringLiteral("internal"), 1, position++});
    for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 21}) {
        fields.fields.append({100 + type, QStringLiteral("T%1").arg(type), type, position});
        position += 2; // gaps between the positions
    }
    fields.fields.prepend({901, QStringLiteral("last"), 1, position});
    QStringList expected;
    for (int type : {1, 2, 3, 4, 5, 6, 8, 9, 10, 14, 15})
        expected << QStringLiteral("T%1 [%2]").arg(type).arg(100 + type);
    EXPECT_EQ(fill(fields), expected << QStringLiteral("last [901]"));
    // The walk ends at the last field instead of running on into empty positions.
    EXPECT_EQ(fields.positionsAsked, position + 1);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(FieldPicker, HostTroubleKeepsWhatWasListed)
{
    const QList<FieldDefinition> three = {{1, QStringLiteral("One"), 1, 0},
        {2, QStringLiteral("Two"), 1, 1}, {3, QStringLiteral("Three"), 1, 2}};
    // A failTypeOf of 0 fails nothing; an empty report stands for no message.
    const std::tuple<const char *, QList<FieldDefinition>, std::optional<qint16>, qint32,
        std::optional<qint16>, QStringList, int, const char *>
        rows[] = {
            {"empty host", {}, {}, 0, {}, {}, 1, ""},
            {"failing half way", three, 2, 0, {},
                {QStringLiteral("One [1]"), QStringLiteral("Two [2]")}, 3, ""},
            {"failing at zero", three, 0, 0, {}, {}, 1,
                "in modPopulateACTLists: Sub Populate_lvwFields - Line # "},
            {"type lookup failing", three, {}, 2, {},
                {QStringLiteral("One [1]"), QStringLiteral("Three [3]")}, 3,
                "in modPopulateACTLists: Function Include_Field - Line # 1"},
            // Stops at the last 16-bit position instead of hanging.
            {"count beyond the fields", {{7, QStringLiteral("Seven"), 1, 0}}, {}, 0, 2,
                {QStringLiteral("Seven [7]")}, 32768, ""},
        };
    for (const auto &[name, layout, failFromPosition, failTypeOf, countOverride, listed,
             positionsAsked, report] : rows) {
        SCOPED_TRACE(name);
        FakeFields fields(layout);
        fields.failFromPosition = failFromPosition;
        fields.failTypeOf = failTypeOf;
        fields.countOverride = countOverride;
        EXPECT_EQ(fill(fields), listed);
        EXPECT_EQ(fields.positionsAsked, positionsAsked);
        ASSERT_EQ(dialogs.shown().size(), *report ? 1 : 0);
        EXPECT_TRUE(dialogs.texts().join(QString()).contains(QLatin1String(report)));
    }
}

// Headings and the order after each click on a heading, starting from the position order.
TEST_F(FieldPicker, HeadingClicksToggleTheOrderAndMoveTheMarker)
{
    FakeFields fields({{25, QStringLiteral("Alpha"), 1, 0}, {100, QStringLiteral("Gamma"), 1, 1},
        {3, QStringLiteral("Beta"), 1, 2}});
    list.setFieldHeading(QStringLiteral("Contact Fields"));
    fill(fields);
    // IDs sort as text: [100] before [25] before [3].
    const std::tuple<int, const char *, const char *, const char *, const char *> clicks[] = {
        {0, "Contact Fields <<", "ID", "Gamma [100]", "Alpha [25]"},
        {0, "Contact Fields >>", "ID", "Alpha [25]", "Gamma [100]"},
        {1, "Contact Fields", "ID <<", "Beta [3]", "Gamma [100]"},
        {1, "Contact Fields", "ID >>", "Gamma [100]", "Beta [3]"},
    };
    for (const auto &[column, labelHeading, idHeading, firstRow, lastRow] : clicks) {
        SCOPED_TRACE(firstRow);
        list.ColumnClick(column);
        EXPECT_EQ(
            list.headings(), QStringList({QLatin1String(labelHeading), QLatin1String(idHeading)}));
        EXPECT_EQ(rows().constFirst(), QLatin1String(firstRow));
        EXPECT_EQ(rows().constLast(), QLatin1String(lastRow));
    }
}

} // namespace
