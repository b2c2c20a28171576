// orvanta --explain as a user runs it, against a demo database made by orvanta-host.
#include "EndToEnd.h"

namespace {

class Explain : public EndToEnd
{
protected:
    // Everything printed, checking that the host's fields and command log are left alone.
    QString explain(const QString &calculation) const
    {
        const QString before = host({"export"}) + host({"log"});
        const Result r = orvanta({"--explain", calculation});
        EXPECT_EQ(host({"export"}) + host({"log"}), before);
        return r.out + r.err;
    }
};

TEST_F(Explain, PrintsEveryStatementOfAFileAndWritesNothing)
{
    host({"set", "3", "1250"});
    host({"set", "2", "Acme Corp"});
    writeAppFile(
        "explain.ocs", "[26]=Len(Left([2];4))>3\\/\r\n~[27]=[3]>100\\/\r\n[28]=If([3])\r\n");
    EXPECT_EQ(explain("File:" + appDir() + "/explain.ocs"),
        "Record: C0001\n"
        "Statement 1: [26]=Len(Left([2];4))>3\n"
        "  Target: [26]=\n"
        "  Expression: Len(Left(\"Acme Corp\";4))>3\n"
        "  Steps:\n"
        "      Left(\"Acme Corp\";4) = Acme\n"
        "    Len(Left(\"Acme Corp\";4)) = 4\n"
        "  Value: Yes\n"
        "Statement 2: ~[27]=[3]>100\n"
        "  Target: [27]=\n"
        "  Expression: \"1250\">100\n"
        "  Steps: none\n"
        "  Value: -1\n"
        "Statement 3: [28]=If([3])\n"
        "  Target: [28]=\n"
        "  Expression: If(\"1250\")\n"
        "  Steps:\n"
        "    If(\"1250\") =   <- error: The if function requires at least 2 arguments.\n"
        "  Not written: The if function requires at least 2 arguments.\n");
}

TEST_F(Explain, StopsWhereARunWouldStop)
{
    const std::pair<const char *, const char *> rows[] = {
        {"[25]=1\\/[26]",
            "Statement 2: [26]\n  Invalid Expression : missing =\n  (a run stops here)\n"},
        {"[25]=[x]\\/[26]=2", "  Invalid Field in Calculation\n  (a run stops here)\n"},
        {"File:/nowhere/at/all.ocs", "orvanta: Unable to locate the specified argument file\n"},
    };
    for (const auto &[calculation, lastLines] : rows) {
        const QString out = explain(calculation);
        EXPECT_TRUE(out.endsWith(lastLines)) << out.toStdString();
    }
}

} // namespace
