// The customer display form offscreen over a stub of the sale screen and a small options
// table.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>

#include "checkout/checkout_globals.h"
#include "core/connections.h"
#include "core/state.h"
#include "display/clsMonitors.h"
#include "display/frmDisplay.h"
#include "sale/display_source.h"
#include "platform/datafolder.h"
#include "platform/settings_store.h"
#include "sale/sale_globals.h"
#include "test_support.h"
#include "van/card_state.h"

using orv::Currency;

namespace {

struct StubView : SaleDisplaySource {
  QString NowText() const override { return "2024-01-31"; }
  QString TimeText() const override { return "09:30:00"; }
  int RowCount() const override { return 150; }
  QString Cell(int row, int col) const override {
    if (row > int(lines.size())) return {};
    return lines[size_t(row - 1)][size_t(col - 2)];
  }
  std::vector<std::array<QString, 4>> lines;
};

class DisplayFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    orv::state::ResetSaleGlobals();
    saved_ = orv::datafolder::Root();
    orv::datafolder::SetRoot(dir_->path());
    orv::settings_store::SetFilePath(dir_->filePath("OrvZerdo.ini"));
    goDbMain.Open(orvtest::NewSqliteDatabase(dir_->path()));
    goDbMain.Execute(
        "CREATE TABLE OrvRegistry (RegKey char(50), RegInt int, RegChar char(50), RegText text)");
    for (int i = 1; i <= 5; ++i)
      goDbMain.Execute(QString("INSERT INTO OrvRegistry VALUES ('PosPrnMsg%1', 0, ' 안내%1 ', '')").arg(i));
    auto view = std::make_unique<StubView>();
    view_ = view.get();
    f = std::make_unique<frmDisplay>(std::move(view));
  }
  void TearDown() override {
    f.reset();
    goDbMain.Close();
    orv::settings_store::SetFilePath({});
    orv::datafolder::SetRoot(saved_);
    orv::state::ResetProgramState();
    orv::state::ResetSaleGlobals();
  }
  std::unique_ptr<QTemporaryDir> dir_ = orvtest::MakeTempDir();
  QString saved_;
  StubView *view_ = nullptr;
  std::unique_ptr<frmDisplay> f;
};

}  // namespace

TEST_F(DisplayFormTest, TickMirrorsTheSaleAndReadsTheMessagesEachTime) {
  view_->lines = {{QStringLiteral("새우깡"), "2", "1200", "2400"}};
  gcDspHab = Currency::Won(2400);
  f->Form_Load();
  f->Timer1_Timer();
  EXPECT_EQ(f->lblNow2->text(), "2024-01-31");
  EXPECT_EQ(f->vaSpread1->rowCount(), 150);
  EXPECT_EQ(f->vaSpread1->item(0, 3)->text(), "2,400");
  EXPECT_EQ(f->vaSpread1->currentRow(), 1);  // the first empty row
  EXPECT_EQ(f->lblHabGum->text(), "2,400");
  EXPECT_EQ(f->lblMsg[2]->text(), QStringLiteral("안내3"));
  goDbMain.Execute("UPDATE OrvRegistry SET RegChar = 'new' WHERE RegKey = 'PosPrnMsg3'");
  f->Timer1_Timer();
  EXPECT_EQ(f->lblMsg[2]->text(), "new");
  goDbMain.Execute("DELETE FROM OrvRegistry WHERE RegKey = 'PosPrnMsg3'");
  f->Timer1_Timer();
  EXPECT_EQ(f->lblMsg[2]->text(), "");
  // Without the options row the amounts show, the points not.
  EXPECT_FALSE(f->lblCcdZerdo->isHidden());
  EXPECT_TRUE(f->lblCcdJumsu->isHidden());
}

TEST_F(DisplayFormTest, ANewSaleWritesTheVoiceFlagsOnce) {
  giDspNewSale = 1;
  gcDspRGum = Currency::Won(10000);
  f->Timer1_Timer();
  EXPECT_EQ(orv::settings_store::GetSetting("giSetWavStart"), "1");
  EXPECT_EQ(orv::settings_store::GetSetting("giSetWavCard"), "1");
  EXPECT_EQ(giDspNewSale, 0);
  EXPECT_EQ(gcDspRGum, Currency());
  orv::settings_store::SaveSetting("giSetWavStart", "0");  // the voice program took it
  f->Timer1_Timer();
  EXPECT_EQ(orv::settings_store::GetSetting("giSetWavStart"), "0");
}

TEST_F(DisplayFormTest, FramesShowWhileTheirFormsAreOpenAndClosedOnesZeroTheirGlobals) {
  giDspCash = 1;
  gcDspCashPayGum = Currency::Won(5000);
  giDspCardChk = 1;
  gsDspCardChkiNo = "12345678";
  giDspMoneyChk = 1;
  giDspMoneyChkSaup = 1;
  giDspSignPlease = 1;
  f->Timer1_Timer();
  EXPECT_FALSE(f->fraCash->isHidden());
  EXPECT_EQ(f->cashFields[2]->text(), "5,000");
  EXPECT_FALSE(f->fraCard->isHidden());
  EXPECT_EQ(f->cardFields[2]->text(), "12345678");
  EXPECT_TRUE(f->fraCard2->isHidden());
  EXPECT_TRUE(f->chkSaup->isChecked());
  EXPECT_FALSE(f->SignPleaseFme->isHidden());

  giDspCash = giDspCardChk = giDspMoneyChk = 0;
  giDspSignPlease = 2;
  f->Timer1_Timer();
  EXPECT_TRUE(f->fraCash->isHidden());
  EXPECT_TRUE(f->fraCard->isHidden());
  EXPECT_TRUE(f->SignPleaseFme->isHidden());
  EXPECT_EQ(gcDspCashPayGum, Currency());
  EXPECT_EQ(gsDspCardChkiNo, "");
  EXPECT_EQ(giDspMoneyChkSaup, 0);
}

// The placement runs in a child on the offscreen platform with screens from a file.
TEST(DisplayPlacement, TakesTheSecondMonitorButNeverThePrimary) {
  if (qEnvironmentVariableIsSet("ORVPOS_PLACEMENT_CHILD")) GTEST_SKIP() << "the child's run";
  struct Case {
    const char *what, *screens;
    const char *want;  // the geometry the display takes, or "none"
  } cases[] = {
      {"second right of the primary",
       R"([{"name":"a","x":0,"y":0,"width":1024,"height":768},
           {"name":"b","x":1024,"y":0,"width":800,"height":600}])", "1024,0 800x600"},
      {"second left of the primary",
       R"([{"name":"a","x":0,"y":0,"width":1024,"height":768},
           {"name":"b","x":-800,"y":0,"width":800,"height":600}])", "-800,0 800x600"},
      {"three, the primary third in the scan",
       R"([{"name":"a","x":2048,"y":0,"width":1024,"height":768},
           {"name":"b","x":0,"y":0,"width":1024,"height":768},
           {"name":"c","x":1024,"y":0,"width":1024,"height":768}])", "1024,0 1024x768"},
      {"one screen", R"([{"name":"a","x":0,"y":0,"width":1024,"height":768}])", "none"},
  };
  QTemporaryDir dir;
  for (const Case &c : cases) {
    const QString config = dir.filePath("screens.json");
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray("{\"screens\":") + c.screens + "}");
    file.close();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORVPOS_PLACEMENT_CHILD", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=DisplayPlacementChild.*"});
    ASSERT_TRUE(child.waitForFinished(30000));
    const QString out = QString::fromUtf8(child.readAll());
    EXPECT_TRUE(out.contains(QString("placed: ") + c.want)) << c.what << "\n" << out.toStdString();
  }
}

TEST(DisplayPlacementChild, Run) {
  if (!qEnvironmentVariableIsSet("ORVPOS_PLACEMENT_CHILD")) GTEST_SKIP() << "run by the test above";
  orv::display::clsMonitors monitors;
  const int i = orv::display::CustomerMonitorIndex(monitors.Monitors, monitors.PrimaryHandle());
  if (i < 0) {
    std::printf("placed: none\n");
    return;
  }
  frmDisplay f(std::make_unique<StubView>());
  f.ShowOn(monitors.ScreenOf(monitors.Monitors[i].Handle));
  const QRect g = f.screen()->geometry();
  std::printf("placed: %d,%d %dx%d\n", g.x(), g.y(), g.width(), g.height());
  EXPECT_NE(f.screen(), QGuiApplication::primaryScreen());
}
