#pragma once

#include <Qt>

class QKeyEvent;

// Key codes, shift states and mouse buttons as the control's events report them.
namespace VbKeys {

constexpr int Tab = 9;
constexpr int ShiftMask = 1;
constexpr int CtrlMask = 2;
constexpr int AltMask = 4;
constexpr int LeftButton = 1;
constexpr int RightButton = 2;
constexpr int MiddleButton = 4;

int keyCode(const QKeyEvent *event);
int shiftState(Qt::KeyboardModifiers modifiers);
int buttons(Qt::MouseButtons buttons);

} // namespace VbKeys
