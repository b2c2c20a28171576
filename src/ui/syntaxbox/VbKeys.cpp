#include "VbKeys.h"

#include <QKeyEvent>
#include <unordered_map>

namespace {

const std::unordered_map<int, int> &specialKeys()
{
    static const std::unordered_map<int, int> keys = {
        {Qt::Key_Backspace, 8},
        {Qt::Key_Tab, 9},
        {Qt::Key_Backtab, 9},
        {Qt::Key_Clear, 12},
        {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13},
        {Qt::Key_Shift, 16},
        {Qt::Key_Control, 17},
        {Qt::Key_Alt, 18},
        {Qt::Key_Pause, 19},
        {Qt::Key_CapsLock, 20},
        {Qt::Key_Escape, 27},
        {Qt::Key_Space, 32},
        {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34},
        {Qt::Key_End, 35},
        {Qt::Key_Home, 36},
        {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},
        {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},
        {Qt::Key_Print, 42},
        {Qt::Key_Insert, 45},
        {Qt::Key_Delete, 46},
        {Qt::Key_Help, 47},
        {Qt::Key_NumLock, 144},
        {Qt::Key_ScrollLock, 145},
        {Qt::Key_Semicolon, 186},
        {Qt::Key_Equal, 187},
        {Qt::Key_Comma, 188},
        {Qt::Key_Minus, 189},
        {Qt::Key_Period, 190},
        {Qt::Key_Slash, 191},
        {Qt::Key_QuoteLeft, 192},
        {Qt::Key_BracketLeft, 219},
        {Qt::Key_Backslash, 220},
        {Qt::Key_BracketRight, 221},
        {Qt::Key_Apostrophe, 222},
    };
    return keys;
}

} // namespace

int VbKeys::keyCode(const QKeyEvent *event)
{
    const int key = event->key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key; // the letters and digits share their codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F16)
        return 112 + (key - Qt::Key_F1);
    const auto found = specialKeys().find(key);
    return found != specialKeys().end() ? found->second : 0;
}

int VbKeys::shiftState(Qt::KeyboardModifiers modifiers)
{
    int state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= ShiftMask;
    if (modifiers & Qt::ControlModifier)
        state |= CtrlMask;
    if (modifiers & Qt::AltModifier)
        state |= AltMask;
    return state;
}

int VbKeys::buttons(Qt::MouseButtons buttons)
{
    int state = 0;
    if (buttons & Qt::LeftButton)
        state |= LeftButton;
    if (buttons & Qt::RightButton)
        state |= RightButton;
    if (buttons & Qt::MiddleButton)
        state |= MiddleButton;
    return state;
}
