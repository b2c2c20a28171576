#include "StatisticalFunctions.h"
#include "FunctionCaseFixture.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

class StatisticalFunctionsTest : public FunctionCaseFixture
{
protected:
    QString target;
    int targetReads = 0;

    void SetUp() override
    {
        ev.setTargetFieldReader([this] {
            ++targetReads;
            return target;
        });
    }

    Value callDirectly(QLatin1StringView name, const QString &argumentText)
    {
        const auto entries = statisticalFunctions();
        const auto entry = std::find_if(entries.begin(), entries.end(),
            [name](const FunctionEntry &e) { return e.name == name; });
        return entry->list(ev, argumentText);
    }
};

TEST_P(StatisticalFunctionsTest, IfChoosesABranch)
{
    expectResults({
        {"If(1=1;yes;no)", "yes"},
        {"If(1=2;yes;no)", "no"},
        {"if(2;3;4)", "3"},
        {"IF(0;3;4)", "4"},
        {"If(1{d}5;3;4)", "3"},
        {"If(\"TRUE\";3;4)", "3"},
        {"If(\"false\";3;4)", "4"},
        {"If(;3;4)", "4"},
        {"If(1=1;2+3;4)", "5"},
        {"If(1=1;Max(3\\;8);0)", "8"},
        {"If(1=1;\"a b\";0)", "a b"},
    });
}

TEST_P(StatisticalFunctionsTest, IfReadsTheTargetFieldForMissingBranches)
{
    target = u"42"_s;
    expectResults({
        {"If(1=2;5)", "42"},
        {"If(1=1;;5)", "42"},
        {"If(1=2;5;)", "42"},
        {"If(1=1;5)", "5"},
    });
    target = u"hello world"_s; // evaluated: only the last word survives
    expectResults({{"If(1=2;5)", "world"}});
    target.clear();
    expectResults({
        {"If(1=2;5;)", ""},
        {"If(1=1;;5)", "0"},
        {"If(1=2;5)", ""},
    });
}

TEST_P(StatisticalFunctionsTest, IfReadsTheTargetFieldOnlyWhenABranchIsMissing)
{
    target = u"7"_s;
    resultOf("If(1=1;2;3)");
    EXPECT_EQ(targetReads, 0);
    resultOf("If(1=1;;)");
    EXPECT_EQ(targetReads, 1);
}

TEST_P(StatisticalFunctionsTest, IfRejectsBadArguments)
{
    expectRejections({
        {"If(1)", "The if function requires at least 2 arguments."},
        {"If()", "The if function requires at least 2 arguments."},
        {"If(abc;1;2)", "abc is an invalid condition for the If function."},
        {"If( x y ;1;2)", " x y  is an invalid condition for the If function."},
        {"If(\"\";1;2)", "\"\" is an invalid condition for the If function."},
    });
}

TEST_P(StatisticalFunctionsTest, MinAndMaxTakeNumericValues)
{
    expectResults({
        {"Max(3;abc;7)", "7"},
        {"Min(5;2;9)", "2"},
        {"Min(5;;9)", "0"},
        {"Max(1{d}5;2{d}25;-3)", "2{d}25"},
        {"Min(1{d}5;2{d}25;-3)", "-3"},
        {"Max(\"\";\"\")", "-98347874{d}234234"},
        {"Min(a;b)", "-98347874{d}234234"},
        {"Min()", "0"},
        {"Max(-98347874{d}234234;-99999999)", "-99999999"},
        {"Max(2*3;10/4)", "6"},
    });
}

TEST_P(StatisticalFunctionsTest, MinCAndMaxCCompareCharacterCodes)
{
    expectResults({
        {"MaxC(apple;Banana;cherry)", "cherry"},
        {"MinC(apple;Banana;cherry)", "Banana"},
        {"MinC(b;\"\";c)", "c"},
        {"MinC(b;;c)", "0"},
        {"MaxC(9;10)", "9"},
        {"MinC(9;10)", "10"},
        {"MinC(Zeta;apple)", "Zeta"},
        {"MaxC(\"\";\"\")", ""},
    });
}

TEST_P(StatisticalFunctionsTest, CountFamilyCountsNumericNonEmptyAndEmptyValues)
{
    expectResults({
        {"Count(1;a;\"\";2)", "2"},
        {"CountC(1;a;\"\";2)", "3"},
        {"CountBlank(1;a;\"\";2)", "1"},
        {"Count(1;a;;2)", "3"},
        {"CountC(1;a;;2)", "4"},
        {"CountBlank(1;a;;2)", "0"},
        {"Count(1{d}5;x1)", "1"},
        {"CountBlank()", "0"},
    });
}

TEST_P(StatisticalFunctionsTest, CountIfCountsValuesPassingTheCriterion)
{
    expectResults({
        {"CountIf(\">5\";3;7;9)", "2"},
        {"CountIf(\"<=3\";3;7;9)", "1"},
        {"CountIf(\"=abc\";abc;xyz;\"abc\")", "2"},
        {"CountIf(\">100\";3;7)", "0"},
        {"CountIf(\">5\")", "0"},
    });
    resultOf("CountIf(\">5\";3;7;9)");
    EXPECT_TRUE(ev.state().TruthFlag);
}

TEST_P(StatisticalFunctionsTest, AvgIsTheMeanOfNumericValues)
{
    expectResults({
        {"Avg(2;4;x)", "3"},
        {"Avg(1;2)", "1{d}5"},
        {"Avg(1;;2)", "1"},
    });
}

TEST_P(StatisticalFunctionsTest, LargeAndSmallRankNumericValues)
{
    expectResults({
        {"Large(2;3;9;5)", "5"},
        {"Small(1;3;9;5)", "3"},
        {"Large(1;3;x;9;5)", "9"},
        {"Small(3;3;9;5)", "9"},
        {"Large(2{d}5;3;9;5;1)", "3"},
        {"Large(1{d}5;3;9;5)", "9"},
        {"Small(3{d}5;3;9;5;1)", "5"},
        {"Large(0{d}5;3;9)", "9"},
        {"Large( 2;3;9)", "3"},
        {"Small(2;1{d}5;-1;1{d}5)", "1{d}5"},
    });
}

TEST_P(StatisticalFunctionsTest, LargeAndSmallRejectBadPositions)
{
    expectRejections({
        {"Large(0;3;9)", "The specified position 0 does not exist!"},
        {"Large(4;3;9)", "The specified position 4 does not exist!"},
        {"Small(3;3;x;9)", "The specified position 3 does not exist!"},
        {"Large(-1;3)", "Invalid position specified: -1"},
        {"Large(1+1;3;9)", "Invalid position specified: 1+1"},
        {"Small(two;3;9)", "Invalid position specified: two"},
    });
}

TEST_P(StatisticalFunctionsTest, FailuresInsideFunctionsShowTheSyntaxErrorBox)
{
    expectSyntaxErrorBoxes({
        {"Avg(x;y)", OrvantaError::Overflow},
        {"Avg(\"\")", OrvantaError::Overflow},
        {"Large(1;a;b)", OrvantaError::SubscriptOutOfRange},
        {"Small(1)", OrvantaError::SubscriptOutOfRange},
        {"CountIf(abc;3;7)", OrvantaError::TypeMismatch},
        {"CountIf(\"abc\";3)", OrvantaError::TypeMismatch},
    });
}

TEST_P(StatisticalFunctionsTest, CountsAreSixteenBitIntegers)
{
    QStringList values(32767, u"1"_s);
    EXPECT_EQ(ev.locale().toText(callDirectly("count"_L1, values.join(u';'))), u"32767"_s);
    values.append(u"1"_s);
    try {
        callDirectly("countc"_L1, values.join(u';'));
        ADD_FAILURE() << "32768 values counted";
    } catch (const OrvantaError &e) {
        EXPECT_EQ(e.number(), OrvantaError::Overflow);
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, StatisticalFunctionsTest, testing::Values("en_US", "de_DE"));

} // namespace
