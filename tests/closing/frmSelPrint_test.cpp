#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "closing/frmSelPrint.h"
#include "core/state.h"
#include "platform/settings_store.h"
#include "test_support.h"

namespace {

using orv::settings_store::GetSetting;
using orv::settings_store::SaveSetting;

class SelPrint : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    dir_ = orvtest::MakeTempDir();
    orv::settings_store::SetFilePath(dir_->path() + "/pos.ini");
  }
  void TearDown() override { orv::settings_store::SetFilePath({}); }
  std::unique_ptr<QTemporaryDir> dir_;
};

TEST_F(SelPrint, BoxesShowOnlyAOneAsTickedAndLoadingRewritesNothing) {
  SaveSetting("PosSalePrn1", "1");
  SaveSetting("PosSalePrn2", "2");
  SaveSetting("PosSalePrn3", " 1 ");
  SaveSetting("PosSalePrn4", "abc");
  frmSelPrint f;
  EXPECT_TRUE(f.prt1Chk->isChecked());
  EXPECT_FALSE(f.prt2Chk->isChecked());
  EXPECT_TRUE(f.prt3Chk->isChecked());
  EXPECT_FALSE(f.prt4Chk->isChecked());
  EXPECT_FALSE(f.prt9Chk->isChecked());  // missing key
  EXPECT_EQ(GetSetting("PosSalePrn2"), "2");
  EXPECT_FALSE(orv::settings_store::HasSetting("PosSalePrn9"));
}

TEST_F(SelPrint, AClickSavesAtOnceAndEscLeavesTheRunUnconfirmed) {
  SaveSetting("PosSalePrnOK", "0");
  frmSelPrint f;
  f.show();
  QTest::mouseClick(f.prt7Chk, Qt::LeftButton, {}, QPoint(5, f.prt7Chk->height() / 2));
  EXPECT_EQ(GetSetting("PosSalePrn7"), "1");
  f.prt1Chk->setFocus();
  QTest::keyClick(f.prt1Chk, Qt::Key_Space);
  EXPECT_EQ(GetSetting("PosSalePrn1"), "1");
  QTest::keyClick(f.prt1Chk, Qt::Key_Return);  // no default button
  EXPECT_TRUE(f.isVisible());
  QTest::keyClick(f.prt1Chk, Qt::Key_Escape);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(GetSetting("PosSalePrnOK"), "0");
  EXPECT_EQ(GetSetting("PosSalePrn7"), "1");
}

TEST_F(SelPrint, PrintConfirmsTheRun) {
  frmSelPrint f;
  f.show();
  QTest::mouseClick(f.cmdPrint, Qt::LeftButton);
  EXPECT_EQ(GetSetting("PosSalePrnOK"), "1");
  EXPECT_EQ(f.result(), QDialog::Accepted);
}

}  // namespace
