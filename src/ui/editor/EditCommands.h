#pragma once

#include <QList>
#include <QObject>
#include <functional>

class Dialogs;
class OrvantaError;
class QAction;
class QMenu;
class RtbSyntax;

// The editor's clipboard and undo commands with the rules that enable them, the text's
// context menu, and the selection of argument placeholders, which the colouring paints
// pure red.
class EditCommands : public QObject
{
    Q_OBJECT

public:
    struct Controls
    {
        // Enabled exactly while text is selected: toolbar Copy and Cut, mnuCut, mnuCopy,
        // mnuPopCut and mnuPopCopy.
        QList<QAction *> cutCopy;
        // Enabled by the first Cut or Copy in this window: toolbar Paste, mnuPaste and
        // mnuPopPaste.
        QList<QAction *> paste;
        QAction *pasteButton = nullptr;
        QAction *mnuUndo = nullptr;
        QMenu *mnuPopup = nullptr;
    };

    // The colour of a placeholder, red in the low byte.
    static constexpr quint32 PlaceholderColour = 255;
    // Key codes from Delete (46) and Insert (45) up type over a placeholder; Backspace,
    // Space, arrows and the modifier keys stay below.
    static constexpr int FirstTypingKey = 41;

    EditCommands(RtbSyntax &text, Controls controls, Dialogs &dialogs);

    void Cut(const QString &procedure);
    void Copy(const QString &procedure);
    void Paste(const QString &procedure);
    void mnuUndo_Click();

    void Update_CutCopy();
    void Enable_Paste();
    void Select_Red();
    void GetRid_Red();
    // A change of the text makes Undo available for the rest of the window's life.
    void textChanged();

    // The space, parentheses, semicolon, apostrophe, CR and LF around a placeholder.
    static QString placeholderDelimiters() { return QStringLiteral(" (;)'\r\n"); }

private:
    void rtfSyntax_KeyDown(int &keyCode, int &shift);
    void rtfSyntax_MouseDown(int &button, int &shift, float &x, float &y);
    bool atPlaceholder() const;
    void guarded(const QString &procedure, const std::function<void()> &command);
    void report(const OrvantaError &error, const QString &procedure);

    RtbSyntax &m_text;
    Controls m_controls;
    Dialogs &m_dialogs;
};
