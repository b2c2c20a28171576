#include "OrvantaError.h"
#include "PropertyBag.h"
#include "RtbSyntax.h"

#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace {

QPlainTextEdit *innerOf(RtbSyntax &box)
{
    return box.findChild<QPlainTextEdit *>(QStringLiteral("rtb"));
}

struct TabCase
{
    const char *name;
    std::function<void(int &keyCode)> host;
    QString after;
};

void PrintTo(const TabCase &row, std::ostream *out)
{
    *out << row.name;
}

class TabKey : public ::testing::TestWithParam<TabCase>
{
};

TEST_P(TabKey, InsertsATabUnlessTheHostChangedTheKey)
{
    RtbSyntax box;
    box.show();
    box.setText(QStringLiteral("abcd"));
    box.setSelStart(1);
    box.setSelLength(2);
    QObject::connect(
        &box, &RtbSyntax::KeyDown, [&](int &keyCode, int &) { GetParam().host(keyCode); });
    QTest::keyClick(innerOf(box), Qt::Key_Tab);
    EXPECT_EQ(box.Text(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Hosts, TabKey,
    ::testing::Values(TabCase {"leavesIt", [](int &) {}, QStringLiteral("a\td")},
        TabCase {"cancelsIt", [](int &keyCode) { keyCode = 0; }, QStringLiteral("abcd")},
        TabCase {
            "turnsItIntoAnotherKey", [](int &keyCode) { keyCode = 65; }, QStringLiteral("abcd")}));

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

struct GuardCase
{
    const char *name;
    std::function<void(RtbSyntax &)> access;
    int error;
};

void PrintTo(const GuardCase &row, std::ostream *out)
{
    *out << row.name;
}

class DesignModeGuard : public ::testing::TestWithParam<GuardCase>
{
};

TEST_P(DesignModeGuard, RefusesRunTimeOnlyPropertiesAndLeavesTheBoxAlone)
{
    RtbSyntax box;
    box.setText(QStringLiteral("Len(x)"));
    box.setSelStart(2);
    box.setDesignMode(true);
    try {
        GetParam().access(box);
        ADD_FAILURE() << "no error raised";
    } catch (const OrvantaError &error) {
        EXPECT_EQ(error.number(), GetParam().error);
        EXPECT_EQ(error.description(),
            GetParam().error == 394 ? QStringLiteral("Get not supported (write-only property)")
                                    : QStringLiteral("Set not supported (read-only property)"));
    }
    box.setDesignMode(false);
    EXPECT_EQ(box.Text(), QStringLiteral("Len(x)"));
    EXPECT_EQ(box.SelStart(), 2);
    EXPECT_EQ(box.SelLength(), 0);
    EXPECT_FALSE(box.SelBold());
    EXPECT_NO_THROW(GetParam().access(box));
}

INSTANTIATE_TEST_SUITE_P(Reads, DesignModeGuard,
    ::testing::Values(GuardCase {"SelStart", [](RtbSyntax &b) { b.SelStart(); }, 394},
        GuardCase {"SelLength", [](RtbSyntax &b) { b.SelLength(); }, 394},
        GuardCase {"SelText", [](RtbSyntax &b) { b.SelText(); }, 394},
        GuardCase {"SelColor", [](RtbSyntax &b) { b.SelColor(); }, 394},
        GuardCase {"SelBold", [](RtbSyntax &b) { b.SelBold(); }, 394},
        GuardCase {"SelAlignment", [](RtbSyntax &b) { b.SelAlignment(); }, 394},
        GuardCase {"SelRTF", [](RtbSyntax &b) { b.SelRTF(); }, 394},
        GuardCase {"SelTabCount", [](RtbSyntax &b) { b.SelTabCount(); }, 394},
        GuardCase {"SelIndent", [](RtbSyntax &b) { b.SelIndent(); }, 394},
        GuardCase {"SelProtected", [](RtbSyntax &b) { b.SelProtected(); }, 394},
        GuardCase {"TextRTF", [](RtbSyntax &b) { b.TextRTF(); }, 394}));

INSTANTIATE_TEST_SUITE_P(Writes, DesignModeGuard,
    ::testing::Values(GuardCase {"SelStart", [](RtbSyntax &b) { b.setSelStart(2); }, 383},
        GuardCase {"SelLength", [](RtbSyntax &b) { b.setSelLength(0); }, 383},
        GuardCase {"SelColor", [](RtbSyntax &b) { b.setSelColor(0); }, 383},
        GuardCase {"SelItalic", [](RtbSyntax &b) { b.setSelItalic(false); }, 383},
        GuardCase {"SelBullet", [](RtbSyntax &b) { b.setSelBullet(false); }, 383},
        GuardCase {"SelCharOffset", [](RtbSyntax &b) { b.setSelCharOffset(0); }, 383},
        GuardCase {"SelRightIndent", [](RtbSyntax &b) { b.setSelRightIndent(0); }, 383},
        GuardCase {"SelText", [](RtbSyntax &b) { b.setSelText(QString()); }, 383}));

const QStringList savedOrder = {QStringLiteral("AutoVerbMenu"), QStringLiteral("BackColor"),
    QStringLiteral("ForeColor"), QStringLiteral("BorderStyle"), QStringLiteral("BulletIndent"),
    QStringLiteral("Enabled"), QStringLiteral("FileName"), QStringLiteral("Font"),
    QStringLiteral("HideSelection"), QStringLiteral("hWnd"), QStringLiteral("Locked"),
    QStringLiteral("MaxLength"), QStringLiteral("MouseIcon"), QStringLiteral("MousePointer"),
    QStringLiteral("RightMargin"), QStringLiteral("Text")};

TEST(PropertyBagRoundTrip, NewControlStoresNothingButWritesEveryNameInOrder)
{
    RtbSyntax box;
    box.InitProperties();
    PropertyBag bag;
    box.WriteProperties(bag);
    EXPECT_EQ(bag.writtenNames(), savedOrder);
    for (const QString &name : savedOrder) {
        if (name != QStringLiteral("Font") && name != QStringLiteral("MouseIcon")) {
            EXPECT_FALSE(bag.contains(name)) << name.toStdString();
        }
    }
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
    box.resize(50, 400);
    EXPECT_EQ(innerOf(box)->geometry(), QRect(0, 0, 50, 400));
}

} // namespace
