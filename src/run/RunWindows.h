#pragma once

#include <QString>

struct RunState;
class Settings;

// The windows a run may need. The console implementation stands in where there is no
// display; the Qt one lives in the window library, loaded only when a window is needed.
class RunWindows
{
public:
    virtual ~RunWindows() = default;

    // Shows the main window modally. It writes the calculation text and the lookup flag
    // into the state; false when the run must stop (Close, or a host restart).
    virtual bool showMainWindow(RunState &state) = 0;
    // The Contact List warning; saves the "Warning" setting when it closes.
    virtual void showContactListWarning(Settings &settings) = 0;
    // The syntax editor alone on a syntax file (none: an empty text); returns when it
    // closes. Group fields for a ".ogs" file, contact fields otherwise.
    virtual void showEditor(const QString &path) = 0;
};
