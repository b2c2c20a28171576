#include "FrmSyntax.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QLineEdit *box(FrmSyntax &window, int index)
{
    return window.findChild<QLineEdit *>(QStringLiteral("txtPath%1").arg(index));
}

QString ownPath()
{
    return QApplication::applicationDirPath() + QStringLiteral("/test_ui");
}

} // namespace

TEST(FrmSyntax, TreatSyntaxMakesTheArgumentOfATrigger)
{
    const struct
    {
        const char *prompt;
        const char *argument;
    } rows[] = {
        {"File:C:\\My Calcs\\total.ocs", "File:C:\\My?Calcs\\total.ocs"},
        {"/File:C:\\a b.ocs", "/File:C:\\a?b.ocs"},
        {"File:/home/ann/my calcs/a b.ocs", "File:/home/ann/my?calcs/a?b.ocs"},
        {"[25] = [3] * 2", "[25]=[3]*2"},
        {"[25]=\"File:\" & [2] ", "[25]=\"File:\"&[2]"},
        {"  File:x y", "File:xy"},
        {"file:C:\\a b.ocs", "file:C:\\ab.ocs"},
        {"[25]=[3]*2 \\/ [26]=1", "[25]=[3]*2\\/[26]=1"},
        {"", ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(
            FrmSyntax::Treat_Syntax(QString::fromUtf8(row.prompt)), QString::fromUtf8(row.argument))
            << row.prompt;
}

TEST(FrmSyntax, LoadsTheProgramPathTheArgumentAndTheFullSyntax)
{
    FrmSyntax window(QStringLiteral("[25] = [3] * 2"));
    EXPECT_EQ(box(window, 0)->text(), ownPath());
    EXPECT_EQ(box(window, 1)->text(), QStringLiteral("[25]=[3]*2"));
    EXPECT_EQ(box(window, 2)->text(), ownPath() + " /[25]=[3]*2");
}

TEST(FrmSyntax, CopyPutsWhatTheBoxHoldsOnTheClipboard)
{
    FrmSyntax window("[25] = [3] * 2");
    window.show();
    const struct
    {
        int index;
        const char *typed; // appended to the box before the click
        QString copied;
    } rows[] = {
        {0, "", ownPath()},
        {2, "\\/[26]=1", ownPath() + " /[25]=[3]*2\\/[26]=1"},
        {1, "x", "[25]=[3]*2x"},
    };
    for (const auto &row : rows) {
        QLineEdit *edit = box(window, row.index);
        edit->end(false);
        QTest::keyClicks(edit, QString::fromUtf8(row.typed));
        QApplication::clipboard()->clear();
        auto *copy = window.findChild<QPushButton *>(QStringLiteral("cmdCopy%1").arg(row.index));
        ASSERT_NE(copy, nullptr);
        QTest::mouseClick(copy, Qt::LeftButton);
        EXPECT_EQ(QApplication::clipboard()->text(), row.copied) << row.index;
    }
}

TEST(FrmSyntax, EnterInABoxCloses)
{
    FrmSyntax window("");
    window.show();
    QTest::keyClick(box(window, 1), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
}
