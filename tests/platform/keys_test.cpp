#include <gtest/gtest.h>

#include "platform/keys.h"

using namespace orv::keys;

TEST(Keys, VirtualKeyCodesRoundTrip) {
  struct Case {
    Qt::Key qt;
    Qt::KeyboardModifiers mods;
    int vk;
  } cases[] = {
      {Qt::Key_F1, {}, 0x70},     {Qt::Key_F12, {}, 0x7B},        {Qt::Key_Return, {}, 13},
      {Qt::Key_Enter, Qt::KeypadModifier, 13}, {Qt::Key_Escape, {}, 27}, {Qt::Key_Down, {}, 40},
      {Qt::Key_A, {}, 65},        {Qt::Key_5, {}, 0x35},          {Qt::Key_5, Qt::KeypadModifier, 0x65},
      {Qt::Key_Plus, Qt::KeypadModifier, 0x6B}, {Qt::Key_Backtab, Qt::ShiftModifier, 9},
  };
  for (const auto &c : cases) {
    QKeyEvent e(QEvent::KeyPress, c.qt, c.mods);
    EXPECT_EQ(ToVirtualKey(&e), c.vk) << c.qt;
  }
  EXPECT_EQ(FromVirtualKey(0x70), Qt::Key_F1);
  EXPECT_EQ(FromVirtualKey(13), Qt::Key_Return);
  EXPECT_EQ(ToShift(Qt::ShiftModifier | Qt::AltModifier), 5);
}
