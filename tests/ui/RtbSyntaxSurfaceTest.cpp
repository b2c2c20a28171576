#include "OrvantaError.h"
#include "PropertyBag.h"
#include "SyntaxboxTestSupport.h"

#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using SyntaxboxTestSupport::innerOf;

namespace {

TEST(TabKey, InsertsATabUnlessTheHostChangedTheKey)
{
    const struct
    {
        const char *name;
        std::function<void(int &keyCode)> host;
        QString after;
    } rows[] = {
        {"leavesIt", [](int &) {}, QStringLiteral("a\td")},
        {"cancelsIt", [](int &keyCode) { keyCode = 0; }, QStringLiteral("abcd")},
        {"turnsItIntoAnotherKey", [](int &keyCode) { keyCode = 65; }, QStringLiteral("abcd")},
    };
    for (const auto &row : rows) {
        RtbSyntax box;
        box.show();
        box.setText(QStringLiteral("abcd"));
        box.setSelStart(1);
        box.setSelLength(2);
        QObject::connect(
            &box, &RtbSyntax::KeyDown, [&](int &keyCode, int &) { row.host(keyCode); });
        QTest::keyClick(innerOf(box), Qt::Key_Tab);
        EXPECT_EQ(box.Text(), row.after) << row.name;
    }
}

TEST(KeyEvents, ReportKeyCodesAndLetAHandlerChangeTheTypedCharacter)
{
    RtbSyntax box;
    box.show();
    QList<int> codes;
    QObject::connect(&box, &RtbSyntax::KeyDown, [&](int &keyCode, int &shift) {
        if (keyCode != 16) // QTest presses Shift on its own before Shift+Left
            codes << keyCode << shift;
    });
    QObject::connect(&box, &RtbSyntax::KeyPress, [](int &keyAscii) {
        if (keyAscii == 'a')
            keyAscii = 'b';
        else if (keyAscii == 'x')
            keyAscii = 0;
    });
    QTest::keyClick(innerOf(box), Qt::Key_A);
    QTest::keyClick(innerOf(box), Qt::Key_X);
    QTest::keyClick(innerOf(box), Qt::Key_C);
    EXPECT_EQ(box.Text(), QStringLiteral("bc"));
    QTest::keyClick(innerOf(box), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(innerOf(box), Qt::Key_Delete);
    EXPECT_EQ(box.Text(), QStringLiteral("b"));
    EXPECT_EQ(codes, (QList<int> {65, 0, 88, 0, 67, 0, 37, 1, 46, 0}));
}

TEST(ChangeEvent, IsRaisedForEveryWayTheTextChanges)
{
    RtbSyntax box;
    int changes = 0;
    QObject::connect(&box, &RtbSyntax::Change, [&] { ++changes; });
    const std::function<void()> edits[] = {
        [&] { box.setText(QStringLiteral("Now")); },
        [&] { box.setSelText(QStringLiteral("x")); },
        [&] { QTest::keyClick(innerOf(box), Qt::Key_Y); },
        [&] { box.HighlightRefresh(); },
        [&] { box.setTextRTF(QStringLiteral("<p>Len</p>")); },
    };
    for (const auto &edit : edits) {
        changes = 0;
        edit();
        EXPECT_GE(changes, 1);
    }
}

using Access = std::function<void(RtbSyntax &)>;

// Run-time-only reads (394) and writes (383) refused in design mode.
const struct
{
    const char *name;
    Access access;
    int error;
} guarded[] = {
    {"SelStart", [](RtbSyntax &b) { b.SelStart(); }, 394},
    {"SelText", [](RtbSyntax &b) { b.SelText(); }, 394},
    {"SelColor", [](RtbSyntax &b) { b.SelColor(); }, 394},
    {"TextRTF", [](RtbSyntax &b) { b.TextRTF(); }, 394},
    {"setSelStart", [](RtbSyntax &b) { b.setSelStart(2); }, 383},
    {"setSelColor", [](RtbSyntax &b) { b.setSelColor(0); }, 383},
    {"setSelText", [](RtbSyntax &b) { b.setSelText(QString()); }, 383},
};

TEST(DesignModeGuard, RefusesRunTimeOnlyPropertiesAndLeavesTheBoxAlone)
{
    for (const auto &row : guarded) {
        RtbSyntax box;
        box.setText(QStringLiteral("Len(x)"));
        box.setSelStart(2);
        box.setDesignMode(true);
        try {
            row.access(box);
            ADD_FAILURE() << row.name << ": no error raised";
        } catch (const OrvantaError &error) {
            EXPECT_EQ(error.number(), row.error) << row.name;
            EXPECT_EQ(error.description(),
                row.error == 394 ? QStringLiteral("Get not supported (write-only property)")
                                 : QStringLiteral("Set not supported (read-only property)"));
        }
        box.setDesignMode(false);
        EXPECT_EQ(box.Text(), QStringLiteral("Len(x)")) << row.name;
        EXPECT_EQ(box.SelStart(), 2) << row.name;
        EXPECT_EQ(box.SelLength(), 0) << row.name;
        EXPECT_FALSE(box.SelBold()) << row.name;
        EXPECT_NO_THROW(row.access(box)) << row.name;
    }
}

TEST(PropertyBagRoundTrip, RestoresEveryPropertyButTheFont)
{
    RtbSyntax saved;
    saved.setBackColor(0x00FFFF);
    saved.setForeColor(0x0000FF);
    saved.setBulletIndent(2.5f);
    saved.setFileName(QStringLiteral("C:/calc.ocs"));
    saved.setFont(QFont(QStringLiteral("Serif"), 20));
    saved.setLocked(true);
    saved.setMaxLength(500);
    saved.setText(QStringLiteral("[1]=Now\r\n' c"));
    PropertyBag bag;
    saved.WriteProperties(bag);

    RtbSyntax loaded;
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.BackColor(), 0x00FFFFu);
    EXPECT_EQ(loaded.ForeColor(), 0x0000FFu);
    EXPECT_FLOAT_EQ(loaded.BulletIndent(), 2.5f);
    EXPECT_EQ(loaded.FileName(), QStringLiteral("C:/calc.ocs"));
    EXPECT_TRUE(loaded.Locked());
    EXPECT_EQ(loaded.MaxLength(), 500);
    EXPECT_EQ(loaded.Text(), QStringLiteral("[1]=Now\r\n' c"));
    EXPECT_TRUE(bag.contains(QStringLiteral("Font")));
    EXPECT_EQ(loaded.Font().pointSizeF(), 9.75);
    loaded.setSelStart(5);
    EXPECT_EQ(loaded.SelColor().toUInt(), 0xFF0000u);
}

} // namespace
