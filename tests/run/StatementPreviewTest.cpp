// What the preview shows and tests is checked through its window (tests/ui); here only
// where it cuts a statement into target and expression.
#include "StatementPreview.h"

#include <gtest/gtest.h>

TEST(StatementPreview, CutsAtTheLastCharacterOfTheSign)
{
    const std::pair<const char *, qint32> rows[]
        = {{"[25]=[3]*2", 5}, {"[25]==[3]*2", 6}, {"[3]*2", 0}, {"a=b==c", 5}};
    for (const auto &[statement, position] : rows)
        EXPECT_EQ(StatementPreview::signPositionOf(statement), position) << statement;
}
