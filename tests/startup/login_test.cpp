#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QLockFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <tuple>

#include "core/globals.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/scrambler.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "sale/frmMain.h"
#include "schema/schema.h"
#include "startup/demo_shop.h"
#include "startup/frmDBSet.h"
#include "startup/frmLog.h"
#include "startup/instance_guard.h"
#include "login_fixture.h"
#include "test_support.h"

using namespace orv;
using dialogs::Script;
using orvtest::LoginTest;
using orvtest::shopFile;


TEST_F(LoginTest, FirstRunWritesTheDefaults) {
  auto f = Load();
  EXPECT_FALSE(f->EndRequested());
  EXPECT_TRUE(settings_store::HasSetting("Update"));
  EXPECT_EQ(settings_store::GetSetting("gsSetPosVersion"), "Ver 2024.01.30");
  EXPECT_EQ(settings_store::GetSetting("giSetPosNo"), "1");
  EXPECT_EQ(settings_store::GetSetting("gsSetPrnPort"), "LPT1");
  EXPECT_EQ(f->lblDate->text(), "Ver 2024.01.30 (IC)");
  EXPECT_EQ(f->txtID->text(), "1");
  EXPECT_TRUE(f->optOnline->isChecked());
  EXPECT_TRUE(QDir(dir_->filePath("OrvBackup/Print")).exists());
  EXPECT_EQ(gsPosPcIp, "192.168.0.11");
}

TEST_F(LoginTest, TheDemoPaysCardsThroughTheFirstDataSimulator) {
  MakeDemo();
  const struct {
    const char *key, *value;
  } settings[] = {{"giSetVan", "4"},
                  {"gsSetDanId", "DEMO0001"},
                  {"gsSaupNo", "1234567890"},  // the shop's ComCode row
                  {"gsSetVanAgent", "orvvansim-fdk"}};
  for (const auto &c : settings) EXPECT_EQ(settings_store::GetSetting(c.key), c.value) << c.key;
}

TEST_F(LoginTest, WrongPasswordIsRefusedAndTheFormStays) {
  MakeDemo();
  auto f = Load();
  Script s;
  Login(*f, "1", "9999");
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("로그인실패"));
  EXPECT_EQ(s.Log()[0].text, QStringLiteral("사용자ID 또는 비밀번호를 확인하세요"));
  EXPECT_EQ(mainWindow_, nullptr);
  EXPECT_FALSE(f->EndRequested());
  EXPECT_TRUE(gsLogID.isEmpty());
}

TEST_F(LoginTest, TypedQuotesCannotReachTheQuery) {
  MakeDemo();
  auto f = Load();
  f->txtID->setText("a'b");
  EXPECT_EQ(f->txtID->text(), "ab");
  f->txtID->setText(" 1");
  EXPECT_EQ(f->txtID->text(), "1");
  // Even text that bypassed the box cannot break the statement.
  EXPECT_TRUE(login::LoginSql("1' OR '1'='1", "x").contains("'1'' OR ''1''=''1'"));
}

TEST_F(LoginTest, RightPasswordCreatesTablesWritesTheLoginRowAndOpensTheMainWindow) {
  MakeDemo();
  auto f = Load();
  Login(*f, "1", "1234");
  ASSERT_NE(mainWindow_, nullptr);
  EXPECT_TRUE(qobject_cast<frmMain *>(mainWindow_));
  EXPECT_EQ(gsLogID, "1");
  EXPECT_EQ(gcLogPsnKey, Currency::Won(1));
  EXPECT_EQ(gsPcdName, QStringLiteral("김계산"));
  EXPECT_EQ(giLogPosNo, 1);
  EXPECT_TRUE(goDbPos.TableExists("GdsCode"));
  EXPECT_EQ(PosLogRows(goDbMain, 91), 1);
  // The daily code copy went through, so its day is kept.
  const QString today = clock::Now().date().toString("yyyyMMdd");
  EXPECT_EQ(gsCodeDate, today);
  EXPECT_EQ(settings_store::GetSetting("gsCodeDate"), today);

  // The exit button asks, writes the exit row and closes both connections.
  Script s;
  s.Yes();
  auto *frm = qobject_cast<frmMain *>(mainWindow_);
  db::Connection probe;
  probe.Open(gsSetMainDB);
  frm->cmdExit->click();
  EXPECT_EQ(PosLogRows(probe, 92), 1);
  EXPECT_FALSE(goDbMain.IsOpen());
}

TEST_F(LoginTest, OfflineLoginUsesThePosDatabaseAlone) {
  MakeDemo();
  // Offline the accounts come from the POS copy the demo filled.
  {
    auto f = Load();
    // The main database is gone.
    QFile::remove(dir_->filePath("main.db"));
    f->optOffline->setChecked(true);
    EXPECT_EQ(giOnLine, 2);
    Login(*f, "1", "1234");
    ASSERT_NE(mainWindow_, nullptr);
    EXPECT_TRUE(goDbMain.SharesSessionWith(goDbPos));
    EXPECT_EQ(PosLogRows(goDbPos, 91), 1);
  }
}

TEST_F(LoginTest, MissingMainDatabaseEndsTheProgramWithTheConnectionBox) {
  MakeDemo();
  QFile::remove(dir_->filePath("main.db"));
  auto f = Load();
  Script s;
  Login(*f, "1", "1234");
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("DB연결실패"));
  EXPECT_TRUE(s.Log()[0].text.startsWith(QStringLiteral("오류번호 : ")));
  EXPECT_TRUE(f->EndRequested());
}

TEST_F(LoginTest, SingleTableModeAsksForTheSettingsPassword) {
  MakeDemo();
  LoadPosSettings();
  goDbMain.Open(gsSetMainDB);
  SetRegistry("OrvMultiTable", 0);
  goDbMain.Close();
  {
    auto f = Load();
    Script s;
    s.Input("wrong");
    Login(*f, "1", "1234");
    EXPECT_TRUE(f->EndRequested());
    EXPECT_EQ(s.Log().last().text, QStringLiteral("인증번호 오류...... !"));
    EXPECT_EQ(s.Log()[1].echo, dialogs::Echo::Password);
  }
  state::ResetProgramState();
  auto f = Load();
  Script s;
  s.Input(login::kSettingsPassword);
  Login(*f, "1", "1234");
  EXPECT_NE(mainWindow_, nullptr);
}

TEST_F(LoginTest, MaintenanceLoginOpensTheConnectionSettings) {
  MakeDemo();
  auto f = Load();
  bool shown = false;
  Script s;
  s.OnForm("frmDBSet", [&](QWidget &w) {
    shown = true;
    auto &form = static_cast<frmDBSet &>(w);
    EXPECT_EQ(form.txtMainDB->text(), "main.db");
    EXPECT_EQ(form.txtPosDB->text(), "pos.db");
    form.reject();
  });
  Login(*f, login::kMaintenanceId, login::kSettingsPassword);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(f->EndRequested());
  EXPECT_EQ(mainWindow_, nullptr);
}

TEST_F(LoginTest, SecondCopyIsRefused) {
  QLockFile other(dir_->filePath("orvpos.lock"));
  ASSERT_TRUE(other.tryLock(0));
  Script s;
  auto f = Load();
  EXPECT_TRUE(f->EndRequested());
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].text, QStringLiteral("이미 프로그램이 실행중입니다 !"));
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("실행오류"));
}

TEST_F(LoginTest, KeysOfTheForm) {
  MakeDemo();
  auto f = Load();
  f->show();
  QTest::keyClick(f->txtID, Qt::Key_F2);
  EXPECT_TRUE(f->optOffline->isChecked());
  EXPECT_EQ(giOnLine, 2);
  QTest::keyClick(f->txtID, Qt::Key_F1);
  EXPECT_EQ(giOnLine, 1);
  // CMDSET fills in the maintenance login after the settings password.
  Script s;
  s.Input(login::kSettingsPassword);
  f->CMDSET->click();
  EXPECT_EQ(f->txtID->text(), login::kMaintenanceId);
  EXPECT_EQ(f->txtPwd->text(), login::kSettingsPassword);
  f->hide();
}

TEST_F(LoginTest, SettingsSheetPrintsToThePrinterPort) {
  MakeDemo();
  auto f = Load();
  Script s;
  s.Input(login::kSheetPassword);
  f->cmdSetPrn->click();
  QFile out(dir_->filePath("LPT1.prn"));
  ASSERT_TRUE(out.open(QIODevice::ReadOnly));
  const QByteArray bytes = out.readAll();
  EXPECT_TRUE(bytes.startsWith(gsSetMainDB.toUtf8()));
  EXPECT_TRUE(bytes.contains("0001"));
  EXPECT_TRUE(bytes.endsWith("\x1bi\r\n"));
}

TEST_F(LoginTest, MainDatabaseOnPostgres) {
  ORV_REQUIRE_PG();
  const QString pg = orvtest::NewPgDatabase();
  // The shop's main database on the server, the checkout's own in a file.
  QString error;
  ASSERT_TRUE(demo::LoadDemoInto(pg, shopFile(), &error)) << error.toStdString();
  state::ResetProgramState();
  auto f = Load();
  // The checkout's own database got the demo's code tables for offline work.
  const QString pos = db::BuildConnectionText("", "SQLite", "", "", "pos.db");
  {
    db::Connection c;
    c.Open(pos);
    EXPECT_EQ(c.OpenRecordset("SELECT * FROM LogOn").RecordCount(), 1);
  }
  gsSetMainDB = pg;
  gsSetPosDB = pos;
  gsSetScan.clear();  // no scanner: the first-run settings name the machine's own COM1
  SavePosSettings();
  Login(*f, "1", "1234");
  EXPECT_TRUE(gsScanSettings.isEmpty());
  ASSERT_NE(mainWindow_, nullptr);
  EXPECT_EQ(goDbMain.engine(), db::Engine::PostgreSQL);
  EXPECT_EQ(goDbPos.engine(), db::Engine::SQLite);
  EXPECT_EQ(gsPcdName, QStringLiteral("김계산"));
  EXPECT_EQ(PosLogRows(goDbMain, 91), 1);
  EXPECT_TRUE(goDbPos.TableExists("PanChit"));
}

TEST_F(LoginTest, ConnectionSettingsSurviveSaveAndLoad) {
  MakeDemo();
  {
    frmDBSet form;
    form.Form_Load();
    EXPECT_EQ(form.txtInterVal->text(), "50");
    EXPECT_TRUE(form.chkMultiTable->isChecked());
    EXPECT_TRUE(form.optCst1->isChecked());
    form.cboMainDriver->setCurrentText("PostgreSQL");
    form.txtMainServer->setText("db.shop,5432");
    form.txtMainUID->setText("pos");
    form.txtMainPWD->setText("a;b=c");
    form.txtMainDB->setText("shop");
    form.txtInterVal->clear();
    form.optCst3->setChecked(true);
    form.cmdSave_Click();
  }
  EXPECT_EQ(settings_store::GetSetting("giSetInterVal"), "0");
  state::ResetProgramState();
  frmDBSet form;
  Script s;  // the server in the text does not exist: the connection box, then the form
  form.Form_Load();
  EXPECT_EQ(form.txtMainPWD->text(), "a;b=c");
  EXPECT_EQ(form.txtMainServer->text(), "db.shop,5432");
  EXPECT_EQ(form.cboMainDriver->currentText(), "PostgreSQL");
  EXPECT_EQ(DecodeSetting(settings_store::GetSetting("gsSetMainDB")), gsSetMainDB);
}

TEST_F(LoginTest, CreatingAPosDatabaseMakesTheFileAndItsTables) {
  MakeDemo();
  frmDBSet form;
  form.Form_Load();
  form.cboPosDriver->setCurrentText("SQLite");
  form.txtPosDB->setText(dir_->filePath("new.db"));
  {
    Script s;
    s.Input("0");  // the pre-filled 0 is a wrong password
    form.cmdCreateData_Click();
    EXPECT_EQ(s.Log().last().text, QStringLiteral("설정 비밀번호가 일치하지 않습니다."));
    EXPECT_EQ(s.Log()[0].echo, dialogs::Echo::Password);
    EXPECT_FALSE(QFile::exists(dir_->filePath("new.db")));
  }
  {
    Script s;
    s.Input(login::kSettingsPassword);
    form.cmdCreateData_Click();
  }
  db::Connection c;
  c.Open(form.PosText());
  EXPECT_TRUE(c.TableExists("SetupCode"));
  {
    Script s;
    s.Input(login::kSettingsPassword);
    form.cmdCreateData_Click();
    EXPECT_EQ(s.Log().last().text, QStringLiteral("해당파일이 존재합니다..확인후 다시하세요!"));
  }
}

TEST_F(LoginTest, DemoShopIsMadeOnceAndKept) {
  MakeDemo();
  db::Connection c;
  c.Open(db::BuildConnectionText("", "SQLite", "", "", "main.db"));
  EXPECT_EQ(c.OpenRecordset("SELECT * FROM GdsCode").RecordCount(), 45);
  EXPECT_EQ(c.OpenRecordset("SELECT * FROM CstCode").RecordCount(), 8);
  EXPECT_EQ(c.OpenRecordset("SELECT * FROM TrsCode WHERE TcdNo = 88000").RecordCount(), 1);
  // Held and delivery chits are the checkout's own; credit chits are sent rows, so they
  // are the main database's alone.
  db::Connection pos;
  pos.Open(db::BuildConnectionText("", "SQLite", "", "", "pos.db"));
  const QString yymm = QDate::currentDate().toString("yyMM");
  for (const auto &[table, inMain, inPos] :
       {std::tuple{"WatChitT", 0, 2}, {"BdlGods", 0, 4}, {"KeyCode", 6, 6}}) {
    EXPECT_EQ(c.OpenRecordset(QStringLiteral("SELECT * FROM ") + table).RecordCount(), inMain) << table;
    EXPECT_EQ(pos.OpenRecordset(QStringLiteral("SELECT * FROM ") + table).RecordCount(), inPos) << table;
  }
  EXPECT_EQ(c.OpenRecordset("SELECT * FROM PanChit" + yymm).RecordCount(), 5);
  EXPECT_FALSE(pos.TableExists("PanChit" + yymm) &&
               pos.OpenRecordset("SELECT * FROM PanChit" + yymm).RecordCount() > 0);
  c.Execute("DELETE FROM GdsCode WHERE GcdKey = 20");
  QString error;
  ASSERT_TRUE(demo::InitDemo(shopFile(), &error));
  EXPECT_EQ(c.OpenRecordset("SELECT * FROM GdsCode").RecordCount(), 44);
}

TEST(ShopFile, MalformedFilesAreRejectedWithTheLine) {
  auto dir = orvtest::MakeTempDir();
  struct Case {
    const char *text;
    const char *needle;
  } cases[] = {
      {"a|b\n", ":1:"},
      {"[T]\na|b\n1\n", ":3:"},
      {"[\n", ":1:"},
      {"[pos: ]\n", ":1:"},
  };
  for (const auto &c : cases) {
    QFile f(dir->filePath("shop.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(c.text);
    f.close();
    try {
      demo::ReadShopFile(f.fileName());
      ADD_FAILURE() << c.text;
    } catch (const std::runtime_error &e) {
      EXPECT_TRUE(QString(e.what()).contains(c.needle)) << e.what();
    }
  }
}

// A row the database refuses leaves none of the shop behind, so the next load starts clean.
TEST(ShopFile, RefusedRowLoadsNothingAndTheNextLoadWorks) {
  auto dir = orvtest::MakeTempDir();
  const QString db = orvtest::NewSqliteDatabase(dir->path(), "main.db");
  const QString file = dir->filePath("shop.txt");
  auto write = [&](const char *lastRow) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[LogOn]\nLogID|LogPwd|LogPsnKey\n1|1234|1\n"
            "[TrsCode]\nTcdKey|TcdIO|TcdNo|TcdName\n88000|1|88000|a\n");
    f.write(lastRow);
  };
  write("88000|0|1001|same key\n");
  QString error;
  EXPECT_FALSE(demo::LoadDemoInto(db, file, &error));
  EXPECT_FALSE(error.isEmpty());
  db::Connection c;
  c.Open(db);
  EXPECT_EQ(c.OpenRecordset("SELECT * FROM LogOn").RecordCount(), 0);
  EXPECT_EQ(c.TransLevel(), 0);

  write("1001|0|1001|b\n");
  ASSERT_TRUE(demo::LoadDemoInto(db, file, &error)) << error.toStdString();
  EXPECT_EQ(c.OpenRecordset("SELECT * FROM LogOn").RecordCount(), 1);
  EXPECT_EQ(c.OpenRecordset("SELECT * FROM TrsCode").RecordCount(), 2);
}
