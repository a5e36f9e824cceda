#include "platform/keys.h"

namespace orv::keys {
namespace {

struct Pair {
  int qt;
  int vk;
};

constexpr Pair kPairs[] = {
    {Qt::Key_Backspace, vbKeyBack}, {Qt::Key_Tab, vbKeyTab},       {Qt::Key_Backtab, vbKeyTab},
    {Qt::Key_Return, vbKeyReturn},  {Qt::Key_Enter, vbKeyReturn},  {Qt::Key_Shift, vbKeyShift},
    {Qt::Key_Control, vbKeyControl}, {Qt::Key_Alt, vbKeyMenu},     {Qt::Key_Escape, vbKeyEscape},
    {Qt::Key_Space, vbKeySpace},    {Qt::Key_PageUp, vbKeyPageUp}, {Qt::Key_PageDown, vbKeyPageDown},
    {Qt::Key_End, vbKeyEnd},        {Qt::Key_Home, vbKeyHome},     {Qt::Key_Left, vbKeyLeft},
    {Qt::Key_Up, vbKeyUp},          {Qt::Key_Right, vbKeyRight},   {Qt::Key_Down, vbKeyDown},
    {Qt::Key_Insert, vbKeyInsert},  {Qt::Key_Delete, vbKeyDelete},
    // The punctuation keys of the main block (keypad ones are told apart above).
    {Qt::Key_Semicolon, vbKeyOem1},  {Qt::Key_Colon, vbKeyOem1},    {Qt::Key_Equal, vbKeyOemPlus},
    {Qt::Key_Plus, vbKeyOemPlus},    {Qt::Key_Comma, vbKeyOemComma}, {Qt::Key_Less, vbKeyOemComma},
    {Qt::Key_Minus, vbKeyOemMinus},  {Qt::Key_Underscore, vbKeyOemMinus},
    {Qt::Key_Period, vbKeyOemPeriod}, {Qt::Key_Greater, vbKeyOemPeriod},
    {Qt::Key_Slash, vbKeyOem2},      {Qt::Key_Question, vbKeyOem2},
    {Qt::Key_QuoteLeft, vbKeyOem3},  {Qt::Key_AsciiTilde, vbKeyOem3},
};

}  // namespace

int ToVirtualKey(const QKeyEvent *event) {
  const int key = event->key();
  const bool keypad = event->modifiers() & Qt::KeypadModifier;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vbKeyF1 + (key - Qt::Key_F1);
  if (key >= Qt::Key_0 && key <= Qt::Key_9)
    return keypad ? vbKeyNumpad0 + (key - Qt::Key_0) : vbKey0 + (key - Qt::Key_0);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return vbKeyA + (key - Qt::Key_A);
  if (keypad) {
    switch (key) {
      case Qt::Key_Asterisk: return vbKeyMultiply;
      case Qt::Key_Plus: return vbKeyAdd;
      case Qt::Key_Minus: return vbKeySubtract;
      case Qt::Key_Period: return vbKeyDecimal;
      case Qt::Key_Slash: return vbKeyDivide;
      default: break;
    }
  }
  for (const Pair &p : kPairs)
    if (p.qt == key) return p.vk;
  return 0;
}

int ToShift(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? vbShiftMask : 0) | (m & Qt::ControlModifier ? vbCtrlMask : 0) |
         (m & Qt::AltModifier ? vbAltMask : 0);
}

Qt::Key FromVirtualKey(int vk) {
  if (vk >= vbKeyF1 && vk <= vbKeyF1 + 23) return Qt::Key(Qt::Key_F1 + (vk - vbKeyF1));
  if (vk >= vbKey0 && vk <= vbKey0 + 9) return Qt::Key(Qt::Key_0 + (vk - vbKey0));
  if (vk >= vbKeyNumpad0 && vk <= vbKeyNumpad0 + 9) return Qt::Key(Qt::Key_0 + (vk - vbKeyNumpad0));
  if (vk >= vbKeyA && vk <= vbKeyA + 25) return Qt::Key(Qt::Key_A + (vk - vbKeyA));
  for (const Pair &p : kPairs)
    if (p.vk == vk) return Qt::Key(p.qt);
  return Qt::Key_unknown;
}

}  // namespace orv::keys
