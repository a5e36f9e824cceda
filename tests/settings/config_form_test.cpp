#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "core/globals.h"
#include "platform/dialogs.h"
#include "settings/frmConfig.h"
#include "settings_fixture.h"

using namespace orv;
using orvtest::SettingsFormTest;
namespace dialogs = orv::dialogs;

namespace {

class ConfigForm : public SettingsFormTest {
 protected:
  std::unique_ptr<frmConfig> Open() { return Loaded<frmConfig>(); }
  static std::string Card(frmConfig &f) {
    return (f.txtDanNo->text() + "|" + f.txtServerIP->text() + "|" + f.txtPortNo->text())
        .toStdString();
  }
};

TEST_F(ConfigForm, NetworkListFillsTheNetworksDefaults) {
  Store("gsSetDanId", "D");
  Store("gsSetServerIp", "I");
  Store("gsSetServerPort", "P");
  auto f = Open();
  const struct {
    int pos;
    bool sign;
    const char *shown;
  } cases[] = {
      {1, false, "|127.0.0.1|5500"},  {1, true, "|127.0.0.1|15700"},
      {5, false, "X|127.0.0.1|5801"}, {5, true, "X|127.0.0.1|5500"},
      {8, false, "|127.0.0.1|10015"}, {9, false, "|127.0.0.1|7704"},
      {10, false, "X|Y|Z"},           {2, false, "X|Y|Z"},  // still loading
  };
  for (const auto &c : cases) {
    const QSignalBlocker block(f->chkSignPad);
    f->chkSignPad->setChecked(c.sign);
    f->txtDanNo->setText("X");
    f->txtServerIP->setText("Y");
    f->txtPortNo->setText("Z");
    f->ComVan->setCurrentIndex(0);
    f->ComVan->setCurrentIndex(c.pos);
    EXPECT_EQ(Card(*f), c.shown) << c.pos << " sign " << c.sign;
  }
  f->Form_Activate();
  f->ComVan->setCurrentIndex(0);
  f->ComVan->setCurrentIndex(2);
  EXPECT_EQ(Card(*f), "D|I|P");
}

TEST_F(ConfigForm, SignPadFollowsTheNetworkStoredAtOpening) {
  Store("giSetVan", "1");
  Store("giSetSignPad", "1");
  Store("gsSetServerIp", "10.0.0.1");
  Store("gsSetServerPort", "1");
  Store("gsDeSet", "merchant");
  auto f = Open();
  // Opened with KICC and the sign pad: KICC's server and its sign-pad port.
  EXPECT_EQ(f->txtServerIP->text(), "127.0.0.1");
  EXPECT_EQ(f->txtPortNo->text(), "15700");
  EXPECT_EQ(gsDeSet, "");
  f->ComVan->setCurrentIndex(10);
  f->chkSignPad->setChecked(false);
  EXPECT_EQ(f->txtPortNo->text(), "5500");  // still KICC's rule

  Store("giSetVan", "10");
  auto g = Open();
  EXPECT_EQ(g->txtServerIP->text(), "10.0.0.1");
  g->chkSignPad->setChecked(false);
  EXPECT_EQ(g->txtServerIP->text(), "10.0.0.1");
}

TEST_F(ConfigForm, PasswordDecidesTheSave) {
  Store("giSetVan", "5");
  Store("gsGMDown", "x");
  Store("gsSetPrnPort", "COM2");
  const struct {
    std::optional<const char *> answer;
    bool saved;
  } cases[] = {{"27158306426", true}, {"27158306426 ", false}, {"0", false}, {std::nullopt, false}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.answer.value_or("cancelled"));
    Store("gsSetPrnPort", "COM2");
    auto f = Open();
    f->txtPrnPort->setText(" ");
    f->txtSignPortNo->setText("COM");
    f->txtScanPort->setText("");
    dialogs::Script s;
    if (c.answer)
      s.Input(*c.answer);
    else
      s.InputCancel();
    s.StrictOk().Ok();
    f->cmdOk_Click();
    ASSERT_EQ(s.Texts().size(), 1);
    EXPECT_EQ(s.Texts()[0], c.saved ? QStringLiteral("설정을 적용하려면 프로그램을 다시 시작해야 합니다.")
                                    : QStringLiteral("설정이 적용되지 않았습니다."));
    EXPECT_EQ(Stored("gsSetPrnPort"), c.saved ? "LPT1" : "COM2");
    if (c.saved) {
      EXPECT_EQ(Stored("giSetSignPortNo"), "0");
      EXPECT_EQ(Stored("giSetScanPort"), "1");
      EXPECT_EQ(Stored("gsGMDown"), "");
    }
  }
}

TEST_F(ConfigForm, OutOfRangeNumberIsRefusedAndTheWorkingConnectionStaysOpen) {
  goDbMain.Open(mainText_);
  {
    auto f = Open();
    EXPECT_TRUE(f->MainDb().IsOpen());
    f->txtCoinPortNo->setText("99999");
    dialogs::Script s;
    s.Input("27158306426").StrictOk().Ok();
    f->cmdOk_Click();
    ASSERT_EQ(s.Texts().size(), 1);
    EXPECT_TRUE(s.Texts()[0].contains(QStringLiteral("동전계수기")));
    EXPECT_EQ(Stored("giSetCoinPortNo"), "0");
  }
  EXPECT_TRUE(goDbMain.IsOpen());
  goDbMain.Close();
}

TEST_F(ConfigForm, ClosedMainDatabaseShowsItsErrorAndTheCardButtonToo) {
  Store("gsSetMainDB", "");
  gsSetMainDB = "server=;driver={SQLite};uid=;pwd=;database=" + dir_->filePath("missing.db");
  SavePosSettingsOf({&gsSetMainDB});
  dialogs::Script s;
  s.StrictOk().Ok().Ok();
  auto f = Open();
  EXPECT_EQ(f->txtPosJumsu->text(), "0");
  f->Command2_Click();
  ASSERT_EQ(s.Texts().size(), 2);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("DB연결실패"));
  EXPECT_EQ(s.Texts()[1], s.Texts()[0]);
}

TEST_F(ConfigForm, EscClosesWithoutSavingOrAskingAndCancelSays) {
  auto f = Open();
  f->show();
  f->txtPrnPort->setText("COM9");
  {
    dialogs::Script s;  // no box may come
    QTest::keyClick(f.get(), Qt::Key_Escape);
  }
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(Stored("gsSetPrnPort"), "");
  auto g = Open();
  dialogs::Script s;
  s.StrictOk().Ok();
  g->cmdExit_Click();
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("프로그램 재시작"));
}

TEST_F(ConfigForm, CardButtonUsesTheNetworkStoredAtOpening) {
  Store("giSetVan", "9");
  auto f = Open();
  f->ComVan->setCurrentIndex(10);
  f->Command2_Click();
  db::Connection c;
  c.Open(mainText_);
  EXPECT_EQ(c.OpenRecordset("Select * From ExtCode Where EcdIO=401").RecordCount(), 23);
}

}  // namespace
