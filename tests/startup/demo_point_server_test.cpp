#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "customer/onemoa.h"
#include "customer/pos_server.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/settings_store.h"
#include "startup/demo_shop.h"
#include "startup/start_settings.h"
#include "test_support.h"

namespace {

class DemoSteps : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = orvtest::MakeTempDir();
    savedRoot_ = orv::datafolder::Root();
    orv::datafolder::SetRoot(dir_->path());
    orv::settings_store::SetFilePath(dir_->filePath("OrvZerdo.ini"));
    orv::state::ResetProgramState();
  }
  void TearDown() override {
    goDbTs.Close();
    orv::state::ResetProgramState();
    orv::settings_store::SetFilePath({});
    orv::datafolder::SetRoot(savedRoot_);
  }
  static QString Data(const char *file) {
    return QStringLiteral(ORVPOS_SOURCE_DATA "/demo/") + QLatin1String(file);
  }
  std::unique_ptr<QTemporaryDir> dir_;
  QString savedRoot_;
};

}  // namespace

// The point server of the demo: the shop starts in state 1 with its scrambled options and
// reaches ts.db, where 홍길동 is a member.
TEST_F(DemoSteps, PointServerAndLoyaltyService) {
  QString error;
  EXPECT_FALSE(orv::demo::MakeDemoPointServer(Data("points.txt"), &error)) << "no shop yet";
  ASSERT_TRUE(orv::demo::InitDemo(Data("shop.txt"), &error)) << error.toStdString();
  ASSERT_TRUE(orv::demo::MakeDemoPointServer(Data("points.txt"), &error)) << error.toStdString();
  ASSERT_TRUE(orv::demo::MakeDemoPointServer(Data("points.txt"), &error)) << "a second run keeps ts.db";
  ASSERT_TRUE(orv::demo::SetDemoOneMoa("http://127.0.0.1:18080/", &error)) << error.toStdString();
  EXPECT_FALSE(orv::demo::SetDemoOneMoa("127.0.0.1:18080", &error));

  LoadPosSettings();
  goDbMain.Open(gsSetMainDB);
  LoadPosServerSettings();
  EXPECT_EQ(giCstTsMode, 1);
  EXPECT_EQ(giSupTrsNo, 1);
  OpenTsConnection(goDbTs);
  ASSERT_EQ(giCstTsMode, 2);
  auto rs = goDbTs.OpenRecordset("Select CcdName From CstCode Where CcdBarcode='2900000010019'");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field(0).toString().trimmed(), "홍길동");
  EXPECT_EQ(GetRegChar("OneMoaClientCode"), "DEMO01");
  EXPECT_EQ(orv::onemoa::ServerAddress(), "http://127.0.0.1:18080");
  goDbPos.Open(gsSetPosDB);
  EXPECT_EQ(goDbPos.OpenRecordset("Select RegInt From OrvRegistry Where RegKey='SupTrsNo'")
                .Field(0)
                .toInt(),
            1);
}
