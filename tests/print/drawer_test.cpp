#include <gtest/gtest.h>

#include <QFile>

#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/datafolder.h"
#include "print/drawer.h"

TEST(Drawer, PulseGoesToTheReceiptPrintersPort) {
  gsSetPrnPort = "LPT1";
  QFile::remove(orv::datafolder::Path("LPT1.prn"));
  OpenDrawer();
  QFile out(orv::datafolder::Path("LPT1.prn"));
  ASSERT_TRUE(out.open(QIODevice::ReadOnly));
  EXPECT_EQ(out.readAll(), QByteArray("\x1bp\x00\x40\x50\r\n", 7));
  orv::state::ResetProgramState();
}
