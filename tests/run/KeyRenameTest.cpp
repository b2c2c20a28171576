// Field 1 holds a record's key: when it changes, the current record follows it.
#include "EndToEnd.h"

TEST_F(EndToEnd, ARenamedKeyStaysTheCurrentRecordForTheNextRun)
{
    const QString key = host({"current"}).trimmed();
    const struct
    {
        const char *name;
        std::function<void()> rename;
    } ways[] = {
        {"by a run", [&] { EXPECT_EQ(orvanta({"[1]=\"RUN1\""}).exitCode, 0); }},
        {"by orvanta-host set",
            [&] {
                host({"set", "1", "CLI1"});
            }},
    };
    for (const auto &way : ways) {
        way.rename();
        const QString renamed = host({"current"}).trimmed();
        EXPECT_NE(renamed, key) << way.name;
        const Result second = orvanta({"[25]=[1]"});
        EXPECT_EQ(second.exitCode, 0) << way.name << ": " << second.err.toStdString();
        EXPECT_EQ(field(25), renamed) << way.name;
    }
}

TEST_F(EndToEnd, AKeyThatAnotherRecordHoldsIsRefused)
{
    const QStringList keys = lookupKeys();
    ASSERT_GE(keys.size(), 2);
    host({"goto", keys.at(0)});
    const Result r = orvanta({"[1]=\"" + keys.at(1) + "\""});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Field 1 (the key) cannot become " + keys.at(1)))
        << r.err.toStdString();
    EXPECT_EQ(host({"current"}).trimmed(), keys.at(0));
}

TEST_F(EndToEnd, ALookupWalkFollowsKeysItRenames)
{
    host({"lookup", "all"});
    const qsizetype count = lookupKeys().size();
    const Result r = orvanta({"--lookup", "[1]=\"K\"&[1]\\/[25]=[1]"}, "y\n");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList renamed = lookupKeys();
    ASSERT_EQ(renamed.size(), count);
    for (const QString &key : renamed) {
        EXPECT_TRUE(key.startsWith("K")) << key.toStdString();
        EXPECT_EQ(field(25, key), key);
    }
}
