#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "core/connections.h"
#include "core/scrambler.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "settings/device_help.h"
#include "settings/frmSetup.h"
#include "settings_fixture.h"
#include "startup/frmLog.h"

using namespace orv;
using orvtest::SettingsFormTest;
namespace dialogs = orv::dialogs;

namespace {

class SetupForm : public SettingsFormTest {
 protected:
  std::unique_ptr<frmSetup> Open() { return Loaded<frmSetup>(); }
  static QColor TextColor(QLineEdit *e) { return e->palette().color(QPalette::Text); }
};

TEST_F(SetupForm, StoredValuesAreCorrectedShownAndSavedBack) {
  const struct {
    const char *key, *stored, *saved;
  } cases[] = {
      {"giSetVan", "12", "3"},      {"giSetVan", "-1", "3"},      {"giSetPos", "9", "0"},
      {"giSetinterval", "0", "50"}, {"giSetPrnWait", "0", "1"},   {"gsSetPrnPort", "", "LPT1"},
      {"giSetScanPort", "0", "1"},  {"giSetCcBcp", "2", "0"},     {"giSetScanSets", "5", "1"},
      {"giSetVanDan", "7", "0"},    {"gcSetCdCount", "12.5", "12.5"}, {"gsSaupNo", "1234", "1234"},
      {"giSetDisp", "5", "5"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
    orv::state::ResetProgramState();
    Store(c.key, c.stored);
    auto f = Open();
    f->cmdSave_Click();
    EXPECT_TRUE(f->EndRequested());
    const PosSettingKey *k = PosSettingKeyNamed(c.key);
    EXPECT_EQ(Stored(k->Written()), c.saved);
  }
}

TEST_F(SetupForm, CardNetworkOptionDrivesTheFirstDataFrame) {
  Store("giSetVan", "4");
  auto f = Open();
  EXPECT_EQ(f->SetVanOpt->checkedId(), 4);
  EXPECT_TRUE(f->FdwFme->isEnabled());
  f->SetVanOpt->button(9)->setChecked(true);
  EXPECT_FALSE(f->FdwFme->isEnabled());
  EXPECT_EQ(giSetVan, 9);
  f->cmdExit_Click();  // the registry keeps the old network, memory the click
  EXPECT_FALSE(f->EndRequested());
  EXPECT_EQ(Stored("giSetVan"), "4");
  EXPECT_EQ(giSetVan, 9);

  Store("giSetVan", "12");
  auto g = Open();
  EXPECT_EQ(g->SetVanOpt->checkedId(), 3);
  EXPECT_FALSE(g->FdwFme->isEnabled());
}

TEST_F(SetupForm, IpPortFillsTheNetworksDefaults) {
  auto f = Open();
  auto fill = [&](int van) {
    f->txtDanNo->setText("D");
    f->txtServerIP->setText("I");
    f->txtPortNo->setText("P");
    f->SetVanOpt->button(van)->setChecked(true);
    f->IpPortCmd_Click();
    return (f->txtDanNo->text() + "|" + f->txtServerIP->text() + "|" + f->txtPortNo->text())
        .toStdString();
  };
  EXPECT_EQ(fill(1), "|127.0.0.1|80");
  EXPECT_EQ(fill(3), "||");
  EXPECT_EQ(fill(4), "D|127.0.0.1|2003");
  EXPECT_EQ(fill(5), "|127.0.0.1|13855");
  EXPECT_EQ(fill(9), "||");
  EXPECT_EQ(fill(10), "|127.0.0.1|1515");
  for (int unknown : {0, 2, 6, 7, 8}) EXPECT_EQ(fill(unknown), "D|I|P") << unknown;
}

TEST_F(SetupForm, BoxesFollowTheirLeaveRules) {
  auto f = Open();
  const struct {
    QLineEdit *box;
    const char *typed, *left;
  } cases[] = {
      {f->txtScanPort, "COM3", "3"},  {f->txtScanPort, "0", "1"},     {f->txtScanPort, "", "1"},
      {f->txtScanPort, "10000", "1"}, {f->txtSignPortNo, "", "0"},    {f->txtDisPortNo, "", "0"},
      {f->txtCoinPortNo, "10000", "2"}, {f->txtPosNo, "7.9", "7"},    {f->txtServerIP, " 1.2.3.4 ", "1.2.3.4"},
      {f->txtOrvID, "a'b\"c", "a`b`c"}, {f->txtMainPWD, " p'w=\" ", "p'w=\""},
      {f->txtPosPWD, "x'", "x'"},
  };
  f->show();
  QApplication::setActiveWindow(f.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
  for (const auto &c : cases) {
    c.box->setText(QString::fromUtf8(c.typed));
    c.box->setFocus();
    f->cmdExit->setFocus();  // the box is left
    EXPECT_EQ(c.box->text().toStdString(), c.left) << c.box->objectName().toStdString() << " " << c.typed;
  }
  // Left by the save itself: the rule runs before the values are taken.
  f->txtScanPort->setText("0");
  f->txtScanPort->setFocus();
  f->cmdSave_Click();
  EXPECT_EQ(Stored("giSetScanPort"), "1");
  f->hide();
}

TEST_F(SetupForm, NumberBeyondSixteenBitsRefusesTheSave) {
  auto f = Open();
  f->txtPrnWait->setText("40000");
  dialogs::Script s;
  s.StrictOk().Ok();
  f->cmdSave_Click();
  EXPECT_FALSE(f->EndRequested());
  ASSERT_EQ(s.Texts().size(), 1);
  EXPECT_TRUE(s.Texts()[0].contains("Wait"));
  EXPECT_EQ(Stored("giSetPrnWait"), "0");  // as the set-up wrote it
}

TEST_F(SetupForm, UnwritableSettingsFileKeepsTheScreenOpen) {
  auto f = Open();
  QFile blocker(dir_->filePath("blocker"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  settings_store::SetFilePath(dir_->filePath("blocker/OrvZerdo.ini"));
  dialogs::Script s;
  s.StrictOk().Ok();
  f->cmdSave_Click();
  EXPECT_FALSE(f->EndRequested());
  ASSERT_EQ(s.Texts().size(), 1);
  EXPECT_TRUE(s.Texts()[0].startsWith(QStringLiteral("설정 파일에 쓸 수 없습니다 : ")));
}

TEST_F(SetupForm, ConnectionGroupsSplitAndBuildBack) {
  // An empty POS text takes the main values; a password with "=" and ";" survives.
  gsSetMainDB = db::BuildConnectionText("srv", "PostgreSQL", "u", "p=w;x", "shop");
  gsSetPosDB.clear();
  SavePosSettingsOf({&gsSetMainDB, &gsSetPosDB});
  auto f = Open();
  EXPECT_EQ(f->txtMainPWD->text(), "p=w;x");
  EXPECT_EQ(f->txtPosServer->text(), "srv");
  EXPECT_EQ(f->txtPosDB->text(), "shop");
  EXPECT_EQ(f->cboPosDriver->currentText(), "PostgreSQL");
  f->cmdSave_Click();
  LoadPosSettings();
  EXPECT_EQ(db::ParseConnectionText(gsSetPosDB).pwd, "p=w;x");
  EXPECT_EQ(gsSetMainDB, gsSetPosDB);
}

TEST(ConnectionFields, StoredTextsOfEveryAgeSplitIntoTheBoxes) {
  const struct {
    const char *text, *driver, *server, *uid, *pwd, *db;
  } cases[] = {
      {"server=a;driver={PostgreSQL};uid=u;pwd={p;w=};database=d", "PostgreSQL", "a", "u", "p;w=", "d"},
      {"server=a;driver={SQL Server};uid=u;pwd=p=q;database=d", "SQLite", "a", "u", "p=q", "d"},
      {"server=;driver={SQLite};uid=;pwd=;database=", "SQLite", "", "", "", ""},
      {"server=a;driver={SQLite}", "SQLite", "a", "", "", ""},
      {"garbage", "SQLite", "", "", "", ""},
      {"server=a;;uid", "SQLite", "a", "", "", ""},
  };
  for (const auto &c : cases) {
    const ConnectionFields f = SplitConnectionFields(QString::fromUtf8(c.text));
    const std::string got = (f.driver + "|" + f.server + "|" + f.uid + "|" + f.pwd + "|" +
                             f.database).toStdString();
    EXPECT_EQ(got, std::string(c.driver) + "|" + c.server + "|" + c.uid + "|" + c.pwd + "|" + c.db)
        << c.text;
  }
}

TEST_F(SetupForm, TestButtonColoursTheGroup) {
  auto f = Open();
  f->OrvMainCmd_Click();
  EXPECT_EQ(TextColor(f->txtMainServer), QColor(0, 128, 0));
  EXPECT_TRUE(f->OrvMainCmd->isEnabled());
  // A missing file is not made by a test.
  f->txtPosDB->setText(dir_->filePath("missing.db"));
  f->OrvPosCmd_Click();
  EXPECT_EQ(TextColor(f->txtPosDB), QColor(192, 64, 0));
  EXPECT_FALSE(QFile::exists(dir_->filePath("missing.db")));
  // A server that is not listening.
  f->cboPosDriver->setCurrentText("PostgreSQL");
  f->txtPosServer->setText("127.0.0.1,1");
  f->txtPosUID->setText("postgres");
  f->txtPosDB->setText("x");
  f->OrvPosCmd_Click();
  EXPECT_EQ(TextColor(f->txtPosUID), QColor(192, 64, 0));
}

TEST_F(SetupForm, PrinterPortPanelAndDeviceHelp) {
  auto f = Open();
  f->show();
  QApplication::setActiveWindow(f.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
  EXPECT_FALSE(f->PrnPortPnl->isVisible());
  QTest::mouseClick(f->PrnPortLbl, Qt::LeftButton);
  EXPECT_TRUE(f->PrnPortPnl->isVisible());
  QTest::mouseClick(f->PrnPortLbl, Qt::LeftButton);
  EXPECT_FALSE(f->PrnPortPnl->isVisible());
  f->PrnPortLbl_Click();
  f->findChild<QPushButton *>("PrnLptComBtn_7")->click();
  EXPECT_EQ(f->txtPrnPort->text(), "COM5");
  EXPECT_FALSE(f->PrnPortPnl->isVisible());
  EXPECT_EQ(f->focusWidget(), f->txtPrnPort);

  const QString help = f->JangbiLbl->text();
  EXPECT_EQ(settings::DeviceHelpLines().size(), 27);
  EXPECT_TRUE(help.startsWith("\r\n< KIS >\r\n"));
  EXPECT_TRUE(help.endsWith("\r\n\r\n\r\n\r\n"));
  for (const char *heading : {"< KICC >", "< SMARTRO >", "< 퍼스트데이터 >"})
    EXPECT_TRUE(help.contains(QString::fromUtf8(heading))) << heading;
  EXPECT_TRUE(help.contains(QString::fromUtf8("- 설정비번8153")));
  f->JangbiCmd_Click();
  EXPECT_TRUE(f->JangbiFme->isVisible());
  f->SetVanOpt->button(5)->setChecked(true);
  EXPECT_EQ(f->JangbiLbl->text(), help);
  f->JangbiCmd_Click();
  EXPECT_FALSE(f->JangbiFme->isVisible());
  EXPECT_EQ(f->JangbiLbl->text(), help);
  f->hide();
}

TEST_F(SetupForm, DeviceRowsAreSavedWithTheSettings) {
  Store("gsSetPrnDevice", "/dev/usb/lp0");
  auto f = Open();
  ASSERT_EQ(f->DeviceBoxes.size(), DeviceKeys().size());
  auto *web = f->findChild<QLineEdit *>("gsSetWebServer");
  ASSERT_NE(web, nullptr);
  EXPECT_EQ(f->findChild<QLineEdit *>("gsSetPrnDevice")->text(), "/dev/usb/lp0");
  web->setText(" http://10.0.0.5:8080 ");
  f->findChild<QLineEdit *>("gsSetVanAgent")->setText("kis-agent");
  f->cmdSave_Click();
  EXPECT_EQ(Stored("gsSetWebServer"), "http://10.0.0.5:8080");
  EXPECT_EQ(Stored("gsSetVanAgent"), "kis-agent");
  EXPECT_EQ(gsSetVanAgent, "kis-agent");
}

TEST_F(SetupForm, CardTableButtonRebuildsOnTheBoxesConnection) {
  Store("giSetVan", "10");
  auto f = Open();
  {
    dialogs::Script s;
    s.Yes();
    f->CardTableCmd_Click();
  }
  db::Connection c;
  c.Open(mainText_);
  EXPECT_EQ(c.OpenRecordset("Select * From ExtCode Where EcdIO=401").RecordCount(), 20);
  EXPECT_FALSE(f->MainDb().IsOpen());
  // A database that is not there: the error is shown, the button comes back.
  f->txtMainDB->setText(dir_->filePath("missing.db"));
  dialogs::Script s;
  s.Yes().StrictOk().Ok();
  f->CardTableCmd_Click();
  ASSERT_EQ(s.Texts().size(), 2);
  EXPECT_TRUE(s.Texts()[1].startsWith(QStringLiteral("오류번호 : ")));
  EXPECT_TRUE(f->CardTableCmd->isEnabled());
}

TEST_F(SetupForm, SnapshotButtonsSaveLoadAndDelete) {
  Store("giSetPosNo", "3");
  Store("giSetVan", "10");
  auto f = Open();
  {
    dialogs::Script s;
    s.Yes();
    f->PcSaveCmd_Click();
    ASSERT_EQ(s.Texts().size(), 1);
    EXPECT_EQ(s.Texts()[0], QStringLiteral("* 설정값을 저장후 PC[3]로 저장할까요 ?"));
  }
  EXPECT_EQ(f->RestartFlag(), 1);
  db::Connection c;
  c.Open(mainText_);
  EXPECT_EQ(c.OpenRecordset("Select * From OrvKorea").RecordCount(), 55);

  // A number never saved is refused; this PC's settings file stays as it was.
  f->txtPosNo->setText("4");
  Store("giSetVan", "5");
  {
    dialogs::Script s;
    s.Yes().StrictOk().Ok();
    f->PcLoadCmd_Click();
    ASSERT_EQ(s.Texts().size(), 2);
    EXPECT_EQ(s.Texts()[1], QStringLiteral("PC[4]의 저장된 설정값이 없습니다"));
  }
  EXPECT_EQ(Stored("giSetVan"), "5");
  EXPECT_EQ(f->SetVanOpt->checkedId(), 5);

  f->txtPosNo->setText("3");
  {
    dialogs::Script s;
    s.Yes();
    f->PcLoadCmd_Click();
  }
  EXPECT_EQ(Stored("giSetVan"), "10");
  EXPECT_EQ(f->SetVanOpt->checkedId(), 10);
  {
    dialogs::Script s;
    s.Yes();
    f->PcDeltCmd_Click();
  }
  EXPECT_EQ(c.OpenRecordset("Select * From OrvKorea").RecordCount(), 1);
  f->cmdExit_Click();
  EXPECT_TRUE(f->EndRequested());
}

TEST_F(SetupForm, CancelEndsOnlyAfterASnapshotAndNoToLoadDropsEdits) {
  Store("giSetPosNo", "3");
  auto f = Open();
  f->txtSaupNo->setText("edited");
  {
    dialogs::Script s;
    s.No();
    f->PcLoadCmd_Click();
  }
  EXPECT_EQ(f->txtSaupNo->text(), "");
  EXPECT_EQ(f->RestartFlag(), 0);
  f->txtPosNo->setText("0");  // nothing happens, not even a question
  f->PcSaveCmd_Click();
  f->cmdExit_Click();
  EXPECT_FALSE(f->EndRequested());
}

}  // namespace

namespace {

// The login opens the screen after its password; a save ends the program through it.
TEST_F(SetupForm, SaveAndCancelAfterACopyEndTheLogin) {
  const struct {
    const char *button;
    bool ends;
  } cases[] = {{"cmdSave", true}, {"cmdExit", false}};
  for (const auto &c : cases) {
    frmLog login;
    dialogs::Script s;
    s.Input("27158306426").OnForm("frmSetup", [&](QWidget &w) {
      w.findChild<QPushButton *>(c.button)->click();
    });
    login.SetupCmd_Click();
    EXPECT_EQ(login.EndRequested(), c.ends) << c.button;
  }
  Store("giSetPosNo", "2");
  frmLog login;
  dialogs::Script s;
  s.Input("27158306426").OnForm("frmSetup", [&](QWidget &w) {
    auto &f = static_cast<frmSetup &>(w);
    dialogs::Script inner;
    inner.Yes();
    f.PcSaveCmd_Click();
    f.cmdExit->click();
  });
  login.SetupCmd_Click();
  EXPECT_TRUE(login.EndRequested());
}

}  // namespace
