#include "ErrorReport.h"
#include "FrmMainFixture.h"
#include "HostNumbers.h"
#include "OrvantaError.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>

namespace {

// Takes the place of the shell for the given URL schemes while it lives.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    explicit UrlCatcher(QStringList schemes)
        : m_schemes(std::move(schemes))
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    Q_INVOKABLE void open(const QUrl &url) { opened << url; }

    QList<QUrl> opened;

private:
    QStringList m_schemes;
};

using FrmMainCommands = FrmMainFixture;

TEST(FrmMainOpenFilter, ContactSyntaxOnlyInTheContactView)
{
    EXPECT_EQ(FrmMain::openFilter(1), QStringLiteral("Orvanta Contact Syntax (*.ocs)"));
    for (const qint16 viewType : {3, 2, 0, -1})
        EXPECT_EQ(FrmMain::openFilter(viewType), QStringLiteral("Orvanta Group Syntax (*.ogs)"));
}

TEST_F(FrmMainCommands, OpenStartsInTheProgramFolderAndPutsTheFileInThePrompt)
{
    const QString calc = appPath(QStringLiteral("Totals.ogs"));
    QFile(calc).open(QIODevice::WriteOnly);
    state.activeViewType = HostViewType::Groups;
    QString folder;
    QStringList filters;
    QString prompt;
    runWindow([&](FrmMain &window) {
        whenModal<QFileDialog>([&](QFileDialog &dialog) {
            folder = dialog.directory().absolutePath();
            filters = dialog.nameFilters();
            dialog.selectFile(calc);
            static_cast<QDialog &>(dialog).accept();
        });
        trigger(window, "mnuOpen");
        prompt = child<QComboBox>(window, "cboPrompt")->currentText();
        trigger(window, "mnuExit");
    });
    EXPECT_EQ(folder, appFolder());
    EXPECT_EQ(filters, QStringList({"Orvanta Group Syntax (*.ogs)"}));
    EXPECT_EQ(prompt, QStringLiteral("File:") + calc);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(FrmMainCommands, CancelledOpenChangesNothing)
{
    QString prompt;
    runWindow([&](FrmMain &window) {
        type(window, QStringLiteral("[25]=1"));
        whenModal<QFileDialog>([](QFileDialog &dialog) { dialog.reject(); });
        trigger(window, "mnuOpen");
        prompt = child<QComboBox>(window, "cboPrompt")->currentText();
        trigger(window, "mnuExit");
    });
    EXPECT_EQ(prompt, QStringLiteral("[25]=1"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(FrmMainCommands, ManualAndOnlineHelpGoThroughTheShell)
{
    const struct
    {
        const char *menuItem;
        QUrl expected;
    } rows[] = {
        {"mnuManual", QUrl::fromLocalFile(appPath(QStringLiteral("orvanta_manual.pdf")))},
        {"mnuOnline", QUrl(FrmMain::onlineHelpUrl())},
    };
    EXPECT_EQ(QUrl(FrmMain::onlineHelpUrl()).scheme(), QStringLiteral("https"));
    for (const auto &row : rows) {
        UrlCatcher shell({QStringLiteral("file"), QStringLiteral("https")});
        FrmMain window(state, dialogs);
        trigger(window, row.menuItem);
        EXPECT_EQ(shell.opened, QList<QUrl>({row.expected})) << row.menuItem;
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(FrmMainCommands, AboutShowsTheProgramTitle)
{
    QString title;
    runWindow([&](FrmMain &window) {
        whenModal<QDialog>([&](QDialog &about) {
            title = child<QLabel>(about, "lblTitle")->text();
            child<QPushButton>(about, "cmdOK")->click();
        });
        trigger(window, "mnuAbout");
        trigger(window, "mnuExit");
    });
    EXPECT_EQ(title, QStringLiteral("Orvanta"));
}

class FrmMainRestart : public FrmMainFixture
{
protected:
    void SetUp() override
    {
        FrmMainFixture::SetUp();
        window = std::make_unique<FrmMain>(state, dialogs);
        window->setProgramEnd([this] { ++ended; });
        window->show();
    }

    std::unique_ptr<FrmMain> window;
    int ended = 0;
};

TEST_F(FrmMainRestart, ClosingWithTheReopenFlagReopensTheDatabaseAndEndsOnTheSecondTick)
{
    UrlCatcher shell({QStringLiteral("file")});
    state.reopenFlag = true;
    child<QPushButton>(*window, "cmdCancel")->click();
    EXPECT_EQ(host.calls, QStringList({"GetOpenDBName", "Command 150"}));
    EXPECT_EQ(state.hostApplication, nullptr);
    EXPECT_EQ(shell.opened, QList<QUrl>({QUrl::fromLocalFile(host.databaseName)}));
    EXPECT_FALSE(window->isVisible());
    // One tick is not enough; the second ends the program, once.
    QTest::qWait(1300);
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return ended > 0; }, 3000));
    QTest::qWait(1200);
    EXPECT_EQ(ended, 1);
}

TEST_F(FrmMainRestart, WithoutTheReopenFlagUnloadAsksNothingOfTheHost)
{
    window->Form_Unload();
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FrmMainRestart, LostHostIsReportedAndTheWindowStays)
{
    UrlCatcher shell({QStringLiteral("file")});
    host.databaseLost = true;
    state.reopenFlag = true;
    window->Form_Unload();
    EXPECT_EQ(dialogs.texts(),
        QStringList({ErrorReport(
            QStringLiteral("frmMain"), ErrorReport::Kind::Sub, QStringLiteral("Form_Unload"))
                         .text(OrvantaError(OrvantaError::ObjectNotSet), 1)}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(shell.opened.isEmpty());
}

} // namespace

#include "FrmMainCommandsTest.moc"
