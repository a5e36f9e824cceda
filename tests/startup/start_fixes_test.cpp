// The start as a shop meets it: the demo offline, Enter on buttons, the login form's looks,
// the connection settings form's size and database kinds, an unwritable data folder.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

#include <unistd.h>

#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "schema/tables.h"
#include "startup/demo_shop.h"
#include "startup/frmDBSet.h"
#include "startup/frmLog.h"
#include "startup/instance_guard.h"
#include "login_fixture.h"
#include "test_support.h"

using namespace orv;
using dialogs::Script;

namespace {

// The login's fixture: its data folder, demo and form loading.
using StartTest = orvtest::LoginTest;

long long Rows(db::Connection &c, const QString &table) {
  return c.OpenRecordset("SELECT * FROM " + table).RecordCount();
}

}  // namespace

TEST_F(StartTest, TheDemoWorksOfflineAndItsPosDatabaseHoldsNothingToSend) {
  MakeDemo();
  {
    db::Connection pos;
    pos.Open(db::BuildConnectionText("", "SQLite", "", "", "pos.db"));
    EXPECT_GT(Rows(pos, "LogOn"), 0);
    EXPECT_GT(Rows(pos, "GdsCode"), 0);
    EXPECT_GT(Rows(pos, "OrvRegistry"), 0);
    for (const schema::TableDef &def : schema::LoginTables()) {
      if (!schema::CarriesSentFlag(def)) continue;
      EXPECT_EQ(Rows(pos, def.name), 0) << def.name;
    }
  }
  auto f = Load();
  f->optOffline->setChecked(true);
  f->txtID->setText("1");
  f->txtPwd->setText("1234");
  Script s;  // no box may come up
  s.StrictOk();
  f->cmdOk_Click();
  mainWindow_ = f->TakeMainWindow();
  EXPECT_NE(mainWindow_, nullptr);
  EXPECT_TRUE(s.Log().isEmpty()) << s.Texts().join(" | ").toStdString();
}

TEST_F(StartTest, SentTablesAreToldByTheirFlags) {
  for (const char *name : {"PosLogs", "TemData", "PanMoney"})
    EXPECT_TRUE(schema::CarriesSentFlag(*schema::FindTable(name))) << name;
  for (const char *name : {"GdsCode", "LogOn", "OrvRegistry", "TrsCode"}) {
    EXPECT_FALSE(schema::CarriesSentFlag(*schema::FindTable(name))) << name;
    EXPECT_TRUE(schema::IsPosCodeTable(*schema::FindTable(name))) << name;
  }
}

TEST_F(StartTest, EnterOnTheFocusedButtonLogsInAndInTheIdBoxMovesOn) {
  MakeDemo();
  LoadPosSettings();
  gsSetID = "1";
  gsSetPWD = "1234";
  SavePosSettings();
  state::ResetProgramState();
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto f = Load();
    ASSERT_FALSE(f->txtID->isEnabled());
    f->show();
    QApplication::setActiveWindow(f.get());
    f->Form_Activate();
    ASSERT_EQ(QApplication::focusWidget(), f->cmdOk);
    QTest::keyClick(f->cmdOk, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    mainWindow_ = f->TakeMainWindow();
    EXPECT_NE(mainWindow_, nullptr) << key;
    delete mainWindow_;
    mainWindow_ = nullptr;
    state::ResetProgramState();
    instance::ReleaseSingleInstance();
  }
  // With the boxes open, Enter in the ID box goes to the password, it logs nobody in.
  gsSetID.clear();
  gsSetPWD.clear();
  SavePosSettings();
  state::ResetProgramState();
  auto f = Load();
  f->show();
  QApplication::setActiveWindow(f.get());
  f->txtID->setFocus();
  QTest::keyClick(f->txtID, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), f->txtPwd);
  EXPECT_EQ(f->TakeMainWindow(), nullptr);
}

TEST_F(StartTest, OptionColoursFollowTheChoiceAndThePasswordShowsStars) {
  MakeDemo();
  auto f = Load();
  f->show();
  const QColor chosen(206, 208, 213), other(243, 243, 243);
  auto colours = [&] {
    return std::pair(f->optOnline->palette().color(QPalette::Window),
                     f->optOffline->palette().color(QPalette::Window));
  };
  EXPECT_EQ(colours(), std::pair(chosen, other));
  QTest::keyClick(f->txtID, Qt::Key_F2);
  EXPECT_EQ(colours(), std::pair(other, chosen));
  QTest::keyClick(f->txtID, Qt::Key_F1);
  EXPECT_EQ(colours(), std::pair(chosen, other));
  QTest::mouseClick(f->optOffline, Qt::LeftButton);
  EXPECT_EQ(colours(), std::pair(other, chosen));
  EXPECT_EQ(f->txtPwd->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                          f->txtPwd),
            int('*'));
}

TEST_F(StartTest, SettingsFormHasItsSizeWhenTheConnectionFails) {
  auto sizeWith = [&](const QString &mainText, bool fails) {
    state::ResetProgramState();
    gsSetMainDB = mainText;
    gsSetPosDB = db::BuildConnectionText("", "SQLite", "", "", "pos.db");
    SavePosSettings();
    QSize atBox, after;
    frmDBSet form;
    Script s;
    s.StrictOk();
    s.ExpectAllUsed(false);
    auto previous = dialogs::SetFailureHook([&](const QString &) { atBox = form.size(); });
    form.show();
    after = form.size();
    dialogs::SetFailureHook(previous);
    EXPECT_EQ(!atBox.isEmpty(), fails);
    form.hide();
    return fails ? atBox : after;
  };
  MakeDemo();
  const QSize good = sizeWith(db::BuildConnectionText("", "SQLite", "", "", "main.db"), false);
  const QSize failed = sizeWith(
      "server=127.0.0.1,1;driver={PostgreSQL};uid=nobody;pwd=;database=nothing", true);
  EXPECT_EQ(failed, good);
  EXPECT_GE(good.width(), 300);
}

TEST_F(StartTest, DatabaseKindPutsItsOwnDefaultName) {
  MakeDemo();
  frmDBSet form;
  Script s;
  form.show();
  ASSERT_EQ(form.txtMainDB->text(), "main.db");
  form.cboMainDriver->setCurrentText("PostgreSQL");
  EXPECT_EQ(form.txtMainDB->text(), "");
  form.cboMainDriver->setCurrentText("SQLite");
  EXPECT_EQ(form.txtMainDB->text(), "main.db");
  form.txtPosDB->setText("shop");
  form.cboPosDriver->setCurrentText("PostgreSQL");
  EXPECT_EQ(form.txtPosDB->text(), "shop") << "a name of the user's own stays";
  form.hide();
}

// The program itself, as a user who may not write the folder.
TEST(UnwritableDataFolder, IsNamedAndNotTakenForAnotherCopy) {
  if (::access("/usr/bin/setpriv", X_OK) != 0) GTEST_SKIP() << "no setpriv";
  auto tmp = orvtest::MakeTempDir();
  QFile::setPermissions(tmp->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                         QFile::ReadOther | QFile::ExeOther |
                                         QFile::ReadGroup | QFile::ExeGroup);
  ASSERT_TRUE(QDir(tmp->path()).mkdir("ro"));
  QFile::setPermissions(tmp->path() + "/ro", QFile::ReadOwner | QFile::WriteOwner |
                                                 QFile::ExeOwner | QFile::ReadOther |
                                                 QFile::ExeOther);
  const QString user = ::geteuid() == 0 ? "65534" : "";
  for (const QString &folder : {tmp->path() + "/missing/data", tmp->path() + "/ro"}) {
    for (const QStringList &args : {QStringList{"--init-demo"}, QStringList{}}) {
      QProcess p;
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.insert("ORVPOS_HOME", folder);
      env.insert("QT_QPA_PLATFORM", "offscreen");
      env.insert("HOME", tmp->path());
      p.setProcessEnvironment(env);
      if (!user.isEmpty())
        p.start("/usr/bin/setpriv", QStringList{"--reuid=" + user, "--regid=" + user,
                                                "--clear-groups", ORVPOS_PROGRAM} + args);
      else
        p.start(ORVPOS_PROGRAM, args);
      ASSERT_TRUE(p.waitForStarted(10000));
      // The program's line may follow the toolkit's own warnings: wait for it, or the end.
      const QByteArray wanted = QStringLiteral("데이터 폴더에 쓸 수 없습니다").toUtf8();
      QByteArray err;
      for (int i = 0; i < 300 && !err.contains(wanted); ++i) {
        p.waitForReadyRead(100);
        err += p.readAllStandardError();
        if (p.state() == QProcess::NotRunning) break;
      }
      err += p.readAllStandardError();
      if (err.contains("Permission denied") && err.contains("setpriv"))
        GTEST_SKIP() << "cannot run the program as another user here";
      p.kill();
      p.waitForFinished(5000);
      const QString text = QString::fromUtf8(err);
      EXPECT_TRUE(text.contains(QStringLiteral("데이터 폴더에 쓸 수 없습니다 : ") + folder))
          << text.toStdString();
      EXPECT_FALSE(text.contains(QStringLiteral("이미 프로그램이 실행중입니다")));
      EXPECT_TRUE(QDir(folder).isEmpty()) << "wrote into " << folder.toStdString();
    }
  }
}
