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

TEST(ForeColorAndHwnd, AreStoredWithoutTouchingTheBox)
{
    RtbSyntax box;
    box.setText(QStringLiteral("x"));
    QStringList notified;
    QObject::connect(
        &box, &RtbSyntax::PropertyChanged, [&](const QString &name) { notified << name; });
    box.setForeColor(0x0000FF);
    box.setHwnd(1234);
    EXPECT_EQ(box.ForeColor(), 0x0000FFu);
    EXPECT_EQ(box.hwnd(), 1234);
    EXPECT_NE(box.hwnd(), int(innerOf(box)->winId()));
    box.setSelStart(0);
    box.setSelLength(1);
    EXPECT_EQ(box.SelColor().toUInt(), 0u);
    EXPECT_EQ(notified, (QStringList {QStringLiteral("ForeColor"), QStringLiteral("hWnd")}));
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
    {"SelLength", [](RtbSyntax &b) { b.SelLength(); }, 394},
    {"SelText", [](RtbSyntax &b) { b.SelText(); }, 394},
    {"SelColor", [](RtbSyntax &b) { b.SelColor(); }, 394},
    {"SelBold", [](RtbSyntax &b) { b.SelBold(); }, 394},
    {"SelAlignment", [](RtbSyntax &b) { b.SelAlignment(); }, 394},
    {"SelRTF", [](RtbSyntax &b) { b.SelRTF(); }, 394},
    {"SelTabCount", [](RtbSyntax &b) { b.SelTabCount(); }, 394},
    {"SelIndent", [](RtbSyntax &b) { b.SelIndent(); }, 394},
    {"SelProtected", [](RtbSyntax &b) { b.SelProtected(); }, 394},
    {"TextRTF", [](RtbSyntax &b) { b.TextRTF(); }, 394},
    {"setSelStart", [](RtbSyntax &b) { b.setSelStart(2); }, 383},
    {"setSelLength", [](RtbSyntax &b) { b.setSelLength(0); }, 383},
    {"setSelColor", [](RtbSyntax &b) { b.setSelColor(0); }, 383},
    {"setSelItalic", [](RtbSyntax &b) { b.setSelItalic(false); }, 383},
    {"setSelBullet", [](RtbSyntax &b) { b.setSelBullet(false); }, 383},
    {"setSelCharOffset", [](RtbSyntax &b) { b.setSelCharOffset(0); }, 383},
    {"setSelRightIndent", [](RtbSyntax &b) { b.setSelRightIndent(0); }, 383},
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

TEST(PropertyBagRoundTrip, NewControlStoresNothingButItsFontAndMouseIcon)
{
    RtbSyntax box;
    box.InitProperties();
    PropertyBag bag;
    box.WriteProperties(bag);
    EXPECT_TRUE(bag.writtenNames().contains(QStringLiteral("Text")));
    for (const QString &name : bag.writtenNames())
        EXPECT_EQ(bag.contains(name), name == u"Font" || name == u"MouseIcon")
            << name.toStdString();
}

TEST(PropertyBagRoundTrip, RestoresEveryPropertyButTheFont)
{
    RtbSyntax saved;
    saved.setAutoVerbMenu(true);
    saved.setBackColor(0x00FFFF);
    saved.setForeColor(0x0000FF);
    saved.setBorderStyle(0);
    saved.setBulletIndent(2.5f);
    saved.setEnabled(false);
    saved.setFileName(QStringLiteral("C:/calc.ocs"));
    saved.setFont(QFont(QStringLiteral("Serif"), 20));
    saved.setHideSelection(false);
    saved.setHwnd(77);
    saved.setLocked(true);
    saved.setMaxLength(500);
    saved.setMousePointer(11);
    saved.setRightMargin(3000.0f);
    saved.setText(QStringLiteral("[1]=Now\r\n' c"));
    PropertyBag bag;
    saved.WriteProperties(bag);

    RtbSyntax loaded;
    loaded.ReadProperties(bag);
    EXPECT_TRUE(loaded.AutoVerbMenu());
    EXPECT_EQ(loaded.BackColor(), 0x00FFFFu);
    EXPECT_EQ(loaded.ForeColor(), 0x0000FFu);
    EXPECT_EQ(loaded.BorderStyle(), 0);
    EXPECT_FLOAT_EQ(loaded.BulletIndent(), 2.5f);
    EXPECT_FALSE(loaded.Enabled());
    EXPECT_EQ(loaded.FileName(), QStringLiteral("C:/calc.ocs"));
    EXPECT_FALSE(loaded.HideSelection());
    EXPECT_EQ(loaded.hwnd(), 77);
    EXPECT_TRUE(loaded.Locked());
    EXPECT_EQ(loaded.MaxLength(), 500);
    EXPECT_EQ(loaded.MousePointer(), 11);
    EXPECT_FLOAT_EQ(loaded.RightMargin(), 3000.0f);
    EXPECT_EQ(loaded.Text(), QStringLiteral("[1]=Now\r\n' c"));
    EXPECT_TRUE(bag.contains(QStringLiteral("Font")));
    EXPECT_EQ(loaded.Font().pointSizeF(), 9.75);
    loaded.setSelStart(5);
    EXPECT_EQ(loaded.SelColor().toUInt(), 0xFF0000u);
}

TEST(Layout, TheInnerBoxFillsTheControl)
{
    RtbSyntax box;
    box.show();
    box.resize(321, 123);
    EXPECT_EQ(innerOf(box)->geometry(), QRect(0, 0, 321, 123));
}

} // namespace
