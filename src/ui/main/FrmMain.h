#pragma once

#include "EditorServices.h"
#include "RecentList.h"

#include <QDialog>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>

class Dialogs;
class HostApplication;
class OrvantaError;
class QComboBox;
class QEventLoop;
class QGroupBox;
class QMenuBar;
class QPushButton;
class QRadioButton;
struct RunState;

// "frmMain", the window of a start without a calculation: the user types or picks a
// calculation, chooses the records it runs on and runs it. Controls carry the original
// names as objectName; the option buttons of the "optFor" array are "optFor0" (current
// contact), "optFor1" (current lookup) and "optFor2" (all contacts).
class FrmMain : public QDialog
{
    Q_OBJECT

public:
    enum Scope { CurrentContact = 0, CurrentLookup = 1, AllContacts = 2 };

    FrmMain(RunState &state, Dialogs &dialogs, QWidget *parent = nullptr);

    // Shows the window modally and returns once it is unloaded: false when the run must
    // stop (Close, or a host restart was asked for).
    bool showModal();

    // Restarts the host when the reopen flag is raised: the window hides and the program
    // ends two timer ticks later. Runs on unload, and from the integration dialog.
    void Form_Unload();

    // What ends the program on the second tick after a host restart; the default ends the
    // process at once.
    void setProgramEnd(std::function<void()> programEnd) { m_programEnd = std::move(programEnd); }

    // What the syntax editor opened from this window reaches: tests script its file
    // dialogs and host.
    void setEditorServices(EditorServices services) { m_editorServices = std::move(services); }

    static QString openFilter(qint16 activeViewType);
    // The file named by a prompt that begins "File:" (or "/File:"): every "File:" removed,
    // cut before "\/"; nothing for a prompt that is no file reference.
    static std::optional<QString> promptFile(const QString &prompt);
    static QString manualPath();
    static QString onlineHelpUrl();

    bool bCancel = false; // raised by Close; the run stops

protected:
    void closeEvent(QCloseEvent *event) override;
    // Escape acts as Close.
    void reject() override;

private:
    void buildControls();
    QMenuBar *buildMenus();
    QGroupBox *buildPromptFrame();
    QGroupBox *buildLookupFrame();
    QPushButton *addButton(const QString &name, const QString &text, bool enabled = true);

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    void mnuExit_Click();
    void mnuOpen_Click();
    void mnuNew_Click();
    void cmdEditor_Click();
    void showEditor(const QString &file, const QString &text);
    void mnuReset_Click();
    void mnuManual_Click();
    void mnuOnline_Click();
    void mnuAbout_Click();
    void mnuTriggerSyntax_Click();
    void mnuIntegrate_Click();
    void mnuUndoRun_Click();
    void tmr1_Timer();

    void saveRecentList();
    QStringList recentEntries() const;
    HostApplication &host() const;
    void report(const OrvantaError &error, const QString &procedure, int step);

    RunState &m_state;
    Dialogs &m_dialogs;
    RecentList m_recent;
    QComboBox *m_cboPrompt = nullptr;
    std::array<QRadioButton *, 3> m_optFor {};
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
    QPushButton *m_cmdEditor = nullptr;
    QPushButton *m_cmdTriggerSyntax = nullptr;
    QTimer m_tmr1;
    qint16 m_ticks = 0;
    bool m_restarting = false;
    QEventLoop *m_loop = nullptr;
    std::function<void()> m_programEnd;
    EditorServices m_editorServices;
};
