#include "EndToEnd.h"

TEST_F(EndToEnd, FieldTriggerFromTheCommandLine)
{
    host({"set", "3", "1250"});
    const Result r = orvanta({"/[25]=[3]*2"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(field(25), "2500");
    EXPECT_TRUE(host({"log"}).contains("104"));
}

TEST_F(EndToEnd, ArgumentFileWithCommentsLineBreaksAppPathAndSpaces)
{
    host({"set", "3", "40"});
    host({"set", "4", "150"});
    writeAppFile("My Calc.ocs",
        "' demo\r\n[25]=[3]*2\\/\r\n[26]=If([4]>100;\r\n  1;0) ' flag\r\n"
        "\\/[27]=[25]+[26]\r\n");
    const Result r = orvanta({"/File:AppPath/My?Calc.ocs"});
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(field(25), "80");
    EXPECT_EQ(field(26), "1");
    EXPECT_EQ(field(27), "81");
}

TEST_F(EndToEnd, LookupRunWritesTheLookupOnly)
{
    host({"lookup", "20=CA"});
    const QStringList keys = lookupKeys();
    ASSERT_GE(keys.size(), 2);

    const Result r = orvanta({"--lookup", "[25]=[3]+1"}, "y\n");
    EXPECT_TRUE(r.err.contains("Do you want to continue?"));
    for (const QString &key : keys)
        EXPECT_EQ(field(25, key).toDouble(), field(3, key).toDouble() + 1) << key.toStdString();
    host({"lookup", "all"});
    for (const QString &key : lookupKeys()) {
        if (!keys.contains(key)) {
            EXPECT_EQ(field(25, key), "") << key.toStdString();
        }
    }
}

TEST_F(EndToEnd, TruthWordsAndTilde)
{
    writeSettings("True=Ja\nFalse=Nein\n");
    host({"set", "3", "500"});
    orvanta({"[25]=[3]>100\\/[26]=[3]<100\\/~[27]=[3]>100"});
    EXPECT_EQ(field(25), "Ja");
    EXPECT_EQ(field(26), "Nein");
    EXPECT_EQ(field(27), "-1");
}

TEST_F(EndToEnd, ContactListViewShowsTheWarningAndRunsNothing)
{
    host({"view", "2"});
    const Result r = orvanta({"[25]=1"});
    EXPECT_TRUE(r.err.contains("Orvanta is unable to perform calculations in the Contact List "
                               "view."));
    EXPECT_EQ(field(25), "");
}

TEST_F(EndToEnd, NumbersAndDatesFollowTheLocaleAndAnUnconfiguredMachineIsUnitedStates)
{
    const struct
    {
        const char *lang;
        const char *calculation;
        const char *field25;
        const char *field26;
    } rows[] = {
        {"de_DE.UTF-8", "[25]=[3]*2\\/[26]=[3]/4", "5", "0,625"},
        {"C", "[25]=DateAdd(\"m\";1;\"1/31/2005\")\\/[26]=[3]/10", "2/28/2005", "0.25"},
    };
    host({"set", "3", "2.5"});
    for (const auto &row : rows) {
        SCOPED_TRACE(row.lang);
        m_lang = row.lang;
        orvanta({row.calculation});
        EXPECT_EQ(field(25), row.field25);
        EXPECT_EQ(field(26), row.field26);
    }
}
