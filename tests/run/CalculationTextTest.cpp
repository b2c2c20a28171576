// Syntax files saved by other editors: a byte-order mark tells the encoding and is no part
// of the calculation; a line feed alone ends no line. The preview's window is in tests/ui.
#include "ArgumentFile.h"
#include "StatementPreview.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

TEST(ArgumentFile, AByteOrderMarkGivesTheEncoding)
{
    const QString text = QStringLiteral("' Größe\r\n[25]=Len(\"äöü\")\\/\r\n[26]=1\r\n");
    for (const auto encoding : {QStringConverter::Utf8, QStringConverter::Utf16BE}) {
        QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
        EXPECT_EQ(ArgumentFile::calculationText(encoder.encode(text)),
            QStringLiteral("[25]=Len(\"äöü\")\\/[26]=1"))
            << encoder.name();
    }
    EXPECT_EQ(ArgumentFile::calculationText("[25]=1 ' comment\n\\/[26]=2\n"), "[25]=1");
}

TEST(StatementPreview, CutsAtTheLastCharacterOfTheSign)
{
    const std::pair<const char *, qint32> rows[]
        = {{"[25]=[3]*2", 5}, {"[25]==[3]*2", 6}, {"[3]*2", 0}, {"a=b==c", 5}};
    for (const auto &[statement, position] : rows)
        EXPECT_EQ(StatementPreview::signPositionOf(statement), position) << statement;
}
