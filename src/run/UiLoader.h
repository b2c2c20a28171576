#pragma once

#include "ConsoleDialogs.h"
#include "ConsoleRunWindows.h"
#include "Dialogs.h"
#include "RunWindows.h"

#include <QLibrary>

// The entry point of the window library: the Qt message boxes and windows, creating the
// QApplication on first use; null pointers when widgets cannot run in this process.
extern "C" Q_DECL_EXPORT void orvanta_ui_create(Dialogs **dialogs, RunWindows **windows);

// The program's dialogs and windows. A run that shows nothing never loads the window
// library (and so never pays for QtGui and QtWidgets); the first message or window loads
// it from the program's folder and forwards to it. Without a display, with
// ORVANTA_UI=console, or when the library cannot be loaded, the console stands in.
class UiLoader : public Dialogs, public RunWindows
{
public:
    UiLoader(std::FILE *in = stdin, std::FILE *out = stderr);

    Answer message(const QString &text, const QString &caption, Buttons buttons, Icon icon,
        Answer defaultAnswer) override;
    bool showMainWindow(RunState &state) override;
    void showContactListWarning(Settings &settings) override;
    void showEditor(const QString &path) override;

    // True once the window library answers; loads it on the first call.
    bool windowsAvailable();

    // ORVANTA_UI=console, or no display to show windows on.
    static bool consoleRequested();
    // ORVANTA_UI_MODULE, else orvanta-ui.so beside the running executable.
    static QString modulePath();

private:
    Dialogs &dialogs();
    RunWindows &windows();
    void load();

    ConsoleDialogs m_consoleDialogs;
    ConsoleRunWindows m_consoleWindows;
    std::FILE *m_out;
    QLibrary m_library;
    bool m_loadTried = false;
    Dialogs *m_qtDialogs = nullptr;
    RunWindows *m_qtWindows = nullptr;
};
