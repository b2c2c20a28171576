// The entry point of the window library that orvanta opens only when it needs a window.

#include "QtDialogs.h"
#include "QtRunWindows.h"
#include "SqliteHostDatabase.h"
#include "UiLoader.h"

#include <QApplication>

namespace {

// Widgets need a QApplication. orvanta itself creates none, so the first use makes one
// that lives until the process ends; a core-only application already there cannot host
// widgets, and the caller then falls back to the console.
bool ensureApplication()
{
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "orvanta";
        static char *argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

} // namespace

extern "C" Q_DECL_EXPORT void orvanta_ui_create(Dialogs **dialogs, RunWindows **windows)
{
    *dialogs = nullptr;
    *windows = nullptr;
    if (!ensureApplication())
        return;
    static QtDialogs qtDialogs;
    static QtRunWindows qtWindows(qtDialogs);
    qtWindows.setEditorServices(
        {.createDatabase = [] { return std::make_unique<SqliteHostDatabase>(); }});
    *dialogs = &qtDialogs;
    *windows = &qtWindows;
}
