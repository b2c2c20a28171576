#include "EditCommands.h"

#include "ErrorReport.h"
#include "OrvantaError.h"
#include "RtbSyntax.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>

namespace {

constexpr int RightButton = 2;

void enable(const QList<QAction *> &actions, bool enabled)
{
    for (QAction *action : actions)
        action->setEnabled(enabled);
}

} // namespace

EditCommands::EditCommands(RtbSyntax &text, Controls controls, Dialogs &dialogs)
    : m_text(text)
    , m_controls(std::move(controls))
    , m_dialogs(dialogs)
{
    connect(&m_text, &RtbSyntax::KeyDown, this, &EditCommands::rtfSyntax_KeyDown);
    connect(&m_text, &RtbSyntax::KeyUp, this, [this](int &, int &) {
        guarded(QStringLiteral("rtfSyntax_KeyUp"), [this] { Update_CutCopy(); });
    });
    connect(&m_text, &RtbSyntax::MouseUp, this, [this](int &, int &, float &, float &) {
        guarded(QStringLiteral("rtfSyntax_MouseUp"), [this] { Update_CutCopy(); });
    });
    connect(&m_text, &RtbSyntax::DblClick, this,
        [this] { guarded(QStringLiteral("rtfSyntax_DblClick"), [this] { Update_CutCopy(); }); });
    connect(&m_text, &RtbSyntax::MouseDown, this, &EditCommands::rtfSyntax_MouseDown);
}

void EditCommands::Cut(const QString &procedure)
{
    guarded(procedure, [this] {
        QApplication::clipboard()->setText(m_text.SelText());
        m_text.setSelText(QString());
        Enable_Paste();
        Update_CutCopy();
    });
}

void EditCommands::Copy(const QString &procedure)
{
    guarded(procedure, [this] {
        QApplication::clipboard()->setText(m_text.SelText());
        Enable_Paste();
        Update_CutCopy();
    });
}

void EditCommands::Paste(const QString &procedure)
{
    guarded(procedure, [this] {
        m_text.setSelText(QApplication::clipboard()->text());
        m_controls.pasteButton->setEnabled(true);
        Update_CutCopy();
    });
}

// The text box's own undo does the work, reached by the keystroke a user would press.
// Menus do not take the focus, so it is normally in the text already; from anywhere else
// in the window the keystroke goes to the text, the only control with something to undo.
void EditCommands::mnuUndo_Click()
{
    guarded(QStringLiteral("mnuUndo_Click"), [this] {
        QWidget *target = QApplication::focusWidget();
        if (!target || !m_text.isAncestorOf(target))
            target = m_text.innerBox();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Z, Qt::ControlModifier);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    });
}

void EditCommands::Update_CutCopy()
{
    enable(m_controls.cutCopy, !m_text.SelText().isEmpty());
}

void EditCommands::Enable_Paste()
{
    enable(m_controls.paste, true);
}

void EditCommands::Select_Red()
{
    if (!atPlaceholder() || m_text.SelLength() != 0)
        return;
    m_text.Span(placeholderDelimiters(), false, true);
    m_text.Span(placeholderDelimiters(), true, true);
}

void EditCommands::GetRid_Red()
{
    Select_Red();
    m_text.setSelColor(0);
}

void EditCommands::textChanged()
{
    m_controls.mnuUndo->setEnabled(true);
}

bool EditCommands::atPlaceholder() const
{
    const QVariant colour = m_text.SelColor();
    return colour.isValid() && colour.toUInt() == PlaceholderColour;
}

void EditCommands::rtfSyntax_KeyDown(int &keyCode, int &)
{
    guarded(QStringLiteral("rtfSyntax_KeyDown"), [&] {
        if (keyCode >= FirstTypingKey && atPlaceholder())
            GetRid_Red();
    });
}

void EditCommands::rtfSyntax_MouseDown(int &button, int &, float &, float &)
{
    if (button != RightButton)
        return;
    guarded(QStringLiteral("rtfSyntax_MouseDown"), [this] {
        Update_CutCopy();
        m_controls.mnuPopup->popup(QCursor::pos());
    });
}

void EditCommands::guarded(const QString &procedure, const std::function<void()> &command)
{
    try {
        command();
    } catch (const OrvantaError &error) {
        report(error, procedure);
    }
}

void EditCommands::report(const OrvantaError &error, const QString &procedure)
{
    ErrorReport(QStringLiteral("frmEditor"), ErrorReport::Kind::Sub, procedure)
        .show(m_dialogs, error, 1);
}
