#pragma once
// Windows virtual-key codes: the forms' key handlers work in these codes, whatever the
// toolkit's own key numbers are.
#include <QKeyEvent>

namespace orv::keys {

enum VirtualKey : int {
  vbKeyBack = 0x08,
  vbKeyTab = 0x09,
  vbKeyReturn = 0x0D,
  vbKeyShift = 0x10,
  vbKeyControl = 0x11,
  vbKeyMenu = 0x12,
  vbKeyEscape = 0x1B,
  vbKeySpace = 0x20,
  vbKeyPageUp = 0x21,
  vbKeyPageDown = 0x22,
  vbKeyEnd = 0x23,
  vbKeyHome = 0x24,
  vbKeyLeft = 0x25,
  vbKeyUp = 0x26,
  vbKeyRight = 0x27,
  vbKeyDown = 0x28,
  vbKeyInsert = 0x2D,
  vbKeyDelete = 0x2E,
  vbKey0 = 0x30,  // '0'..'9' are 0x30..0x39, 'A'..'Z' are 0x41..0x5A
  vbKeyA = 0x41,
  vbKeyNumpad0 = 0x60,  // .. 0x69
  vbKeyMultiply = 0x6A,
  vbKeyAdd = 0x6B,
  vbKeySubtract = 0x6D,
  vbKeyDecimal = 0x6E,
  vbKeyDivide = 0x6F,
  vbKeyF1 = 0x70,  // .. F24 = 0x87
  vbKeyOem1 = 186,       // ; :
  vbKeyOemPlus = 187,    // = +
  vbKeyOemComma = 188,   // , <
  vbKeyOemMinus = 189,   // - _
  vbKeyOemPeriod = 190,  // . >
  vbKeyOem2 = 191,       // / ?
  vbKeyOem3 = 192,       // ` ~
};

// Shift state as the forms receive it: 1 Shift, 2 Ctrl, 4 Alt.
enum ShiftMask : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// The virtual-key code of a key event; 0 for keys that have none.
int ToVirtualKey(const QKeyEvent *event);
int ToShift(Qt::KeyboardModifiers modifiers);
// The toolkit key for a virtual-key code (for tests and synthesised keys); Qt::Key_unknown
// when there is none.
Qt::Key FromVirtualKey(int vk);

}  // namespace orv::keys
