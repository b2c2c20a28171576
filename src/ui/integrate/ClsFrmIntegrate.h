#pragma once

#include <QDialog>
#include <QIcon>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class Dialogs;
class HostAuxCommands;
class OrvantaError;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The integration dialog ("frmIntegrate"): view by view, a toolbar button and a Tools
// menu entry of the host that launch this program. Each click takes effect in the host
// at once; Close after changes offers to restart the host. The boxes are "chkScreen0" to
// "chkScreen5" (toolbar, views 1 to 6) and "chkScreen6" to "chkScreen11" (Tools menu),
// each with its label "lblScreen<i>".
class ClsFrmIntegrate : public QDialog
{
    Q_OBJECT

public:
    using AuxCommandsFactory = std::function<std::unique_ptr<HostAuxCommands>()>;
    static constexpr int ViewCount = 6;
    static constexpr int TextCount = 17;

    // createAuxCommands reaches the host's launch commands (throwing when there is no
    // host); reopenFlag is the run's; mainUnload the main window's unload routine.
    ClsFrmIntegrate(AuxCommandsFactory createAuxCommands, Dialogs &dialogs, bool &reopenFlag,
        std::function<void()> mainUnload, QWidget *parent = nullptr);
    ~ClsFrmIntegrate() override;

    // Set by the opener before the dialog is shown.
    QString AppName;
    QIcon IntegrateIcon;
    qint16 Language = 0; // 0 English, 1 French; any other leaves every text empty
    bool ContactScreen = false;
    bool ContactListScreen = false;
    bool GroupScreen = false;
    bool TaskListScreen = false;
    bool CalendarsScreen = false;
    bool EmailScreen = false;

    // Loads the dialog from the host and shows it modally.
    void showModal();
    void Form_Load();

    bool changed() const { return m_bChanged; }
    qint32 lastResult() const { return m_lResult; }
    const QStringList &texts() const { return m_asText; }

    // The eight values that define the command, beside the running program.
    static QString programFolder();
    static QString programExecutable();
    static QString iconFile();
    static QString largeIconFile();
    // Both icon files, for the windows' icon.
    static QIcon programIcon();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    QGroupBox *buildFrame(int frame);
    QPushButton *addButton(const QString &name, const QString &text);
    void SetLanguage();
    void loadBoxes();
    void showTexts();
    std::array<bool, ViewCount> viewEnabled() const;

    void chkScreen_Click(int index);
    void lblScreen_Click(int index);
    void cmdOK_Click();
    void cmdCancel_Click();
    void CheckCommand();
    void Message();
    void MessAddFailed();
    qint32 placeOrRemove(int index, bool checked);
    HostAuxCommands &auxCommands() const;
    void report(const OrvantaError &error, const QString &procedure, int step);

    AuxCommandsFactory m_createAuxCommands;
    Dialogs &m_dialogs;
    bool &m_reopenFlag;
    std::function<void()> m_mainUnload;

    std::unique_ptr<HostAuxCommands> m_oAuxCmds;
    bool m_bChanged = false;
    qint32 m_lResult = 0;
    QStringList m_asText;

    std::array<QCheckBox *, 2 * ViewCount> m_chkScreen {};
    std::array<QLabel *, 2 * ViewCount> m_lblScreen {};
    std::array<QGroupBox *, 2> m_frame1 {};
    QLabel *m_lblRestart = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};
