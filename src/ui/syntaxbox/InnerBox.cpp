#include "InnerBox.h"

#include "CrLfPositions.h"
#include "VbKeys.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <climits>

namespace {

constexpr float twipsPerPixel = 15.0f;

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

InnerBox::InnerBox(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("rtb"));
}

QPointF InnerBox::inTwips(const QPointF &viewportPosition) const
{
    // Positions are reported in the control's coordinates; the box fills the control.
    const QPointF inBox = viewport()->mapTo(const_cast<InnerBox *>(this), viewportPosition);
    return inBox * twipsPerPixel;
}

int InnerBox::roomLeft() const
{
    if (m_maxLength <= 0)
        return INT_MAX;
    const int length = CrLfPositions(document()).surfaceLength();
    const QTextCursor cursor = textCursor();
    const int selected = CrLfPositions::surfaceSizeOf(cursor.selectedText());
    return std::max(m_maxLength - length + selected, 0);
}

void InnerBox::insertTyped(const QString &text)
{
    if (CrLfPositions::surfaceSizeOf(text) <= roomLeft())
        textCursor().insertText(text);
}

void InnerBox::keyPressEvent(QKeyEvent *event)
{
    const int original = VbKeys::keyCode(event);
    int keyCode = original;
    int shift = VbKeys::shiftState(event->modifiers());
    Q_EMIT keyDown(keyCode, shift);
    if (keyCode == VbKeys::Tab && !isReadOnly()) {
        insertTyped(QStringLiteral("\t"));
        ensureCursorVisible();
        return;
    }
    if (keyCode != original || raiseKeyPress(event))
        return;
    if (isEnter(event) && event->modifiers() & Qt::ShiftModifier) {
        // Shift+Enter would make a line break inside a paragraph; make it a plain one.
        QKeyEvent plain(event->type(), event->key(), Qt::NoModifier, event->text());
        QPlainTextEdit::keyPressEvent(&plain);
        return;
    }
    if (!event->text().isEmpty() && event->text().front().isPrint() && roomLeft() == 0)
        return;
    QPlainTextEdit::keyPressEvent(event);
}

// Raises KeyPress for a key that types a character; true when the handler took the
// key over (cancelled it or typed another character instead).
bool InnerBox::raiseKeyPress(QKeyEvent *event)
{
    const QString text = event->text();
    if (text.size() != 1 || isReadOnly())
        return false;
    const int original = text.front().unicode();
    int keyAscii = original;
    Q_EMIT keyPress(keyAscii);
    if (keyAscii == original)
        return false;
    if (keyAscii >= 32 && keyAscii <= 0xFFFF)
        insertTyped(QString(QChar(char16_t(keyAscii))));
    return true;
}

void InnerBox::keyReleaseEvent(QKeyEvent *event)
{
    int keyCode = VbKeys::keyCode(event);
    int shift = VbKeys::shiftState(event->modifiers());
    Q_EMIT keyUp(keyCode, shift);
    QPlainTextEdit::keyReleaseEvent(event);
}

void InnerBox::mousePressEvent(QMouseEvent *event)
{
    QPlainTextEdit::mousePressEvent(event);
    int button = VbKeys::buttons(event->button());
    int shift = VbKeys::shiftState(event->modifiers());
    const QPointF at = inTwips(event->position());
    float x = float(at.x());
    float y = float(at.y());
    Q_EMIT mouseDown(button, shift, x, y);
}

void InnerBox::mouseMoveEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseMoveEvent(event);
    int button = VbKeys::buttons(event->buttons());
    int shift = VbKeys::shiftState(event->modifiers());
    const QPointF at = inTwips(event->position());
    float x = float(at.x());
    float y = float(at.y());
    Q_EMIT mouseMove(button, shift, x, y);
}

void InnerBox::mouseReleaseEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    int button = VbKeys::buttons(event->button());
    int shift = VbKeys::shiftState(event->modifiers());
    const QPointF at = inTwips(event->position());
    float x = float(at.x());
    float y = float(at.y());
    Q_EMIT mouseUp(button, shift, x, y);
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
}

void InnerBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    Q_EMIT doubleClicked();
}

void InnerBox::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_verbMenu)
        QPlainTextEdit::contextMenuEvent(event);
}

void InnerBox::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    insertTyped(CrLfPositions::toDocumentText(source->text()));
    ensureCursorVisible();
}
