#include "FrmSyntax.h"
#include "HostDatabaseProcess.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
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

// Spaces go from a calculation; in a file named at the start they become "?".
TEST(FrmSyntax, TreatSyntaxMakesTheArgumentOfATrigger)
{
    const std::pair<const char *, const char *> rows[] = {
        {"File:C:\\My Calcs\\total.ocs", "File:C:\\My?Calcs\\total.ocs"},
        {"/File:C:\\a b.ocs", "/File:C:\\a?b.ocs"},
        {"  File:x y", "File:xy"},
        {"file:C:\\a b.ocs", "file:C:\\ab.ocs"},
    };
    for (const auto &[prompt, argument] : rows)
        EXPECT_EQ(FrmSyntax::Treat_Syntax(QString::fromUtf8(prompt)), QString::fromUtf8(argument))
            << prompt;
}

// Each Copy takes what its box holds, typing included; Enter closes.
TEST(FrmSyntax, BoxesHoldPathArgumentAndFullSyntaxAndCopyPutsThemOnTheClipboard)
{
    FrmSyntax window("[25] = [3] * 2");
    window.show();
    box(window, 1)->end(false);
    QTest::keyClicks(box(window, 1), QStringLiteral("x"));
    const QString copied[] = {ownPath(), "[25]=[3]*2x", ownPath() + " /[25]=[3]*2"};
    for (int index = 0; index < 3; ++index) {
        QApplication::clipboard()->clear();
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdCopy%1").arg(index)),
            Qt::LeftButton);
        EXPECT_EQ(QApplication::clipboard()->text(), copied[index]) << index;
    }
    QTest::keyClick(box(window, 1), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
}

// The builder's full syntax set as the trigger of a field of the stand-in host: orvanta
// is built beside this test program, so only the program's name differs.
TEST(FrmSyntax, TheFullSyntaxRunsAsAFieldTrigger)
{
    HostDatabaseProcess host;
    ASSERT_TRUE(host.host({"init", "--demo"}));
    qputenv("ORVANTA_APP_DIR", host.folder().toUtf8());
    ASSERT_TRUE(QDir().mkpath(host.folder() + QStringLiteral("/My Calcs")));
    QFile file(host.folder() + QStringLiteral("/My Calcs/double it.ocs"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("' twice the revenue\r\n[25]=[3]*2\r\n");
    file.close();
    ASSERT_EQ(
        QFileInfo(QStringLiteral(ORVANTA_EXE)).absolutePath(), QApplication::applicationDirPath());

    // The prompt, the revenue set, the field it changes and its value.
    const std::tuple<QString, const char *, int, const char *> rows[] = {
        {QStringLiteral("File:") + file.fileName(), "50", 25, "100"},
        // Orvanta's own write of the field fires nothing: no loop.
        {QStringLiteral("[3] = [3] + 1"), "7", 3, "8"},
    };
    for (const auto &[prompt, revenue, field, expected] : rows) {
        FrmSyntax builder(prompt);
        const QString commandLine = QApplication::applicationDirPath() + QStringLiteral("/orvanta")
            + box(builder, 2)->text().mid(FrmSyntax::programPath().size());
        ASSERT_TRUE(host.host({"trigger", "3", commandLine}));
        EXPECT_TRUE(host.host({"set", "3", revenue}));
        EXPECT_EQ(host.field(QStringLiteral("C0001"), field), expected) << qPrintable(commandLine);
    }
    qunsetenv("ORVANTA_APP_DIR");
}

} // namespace
