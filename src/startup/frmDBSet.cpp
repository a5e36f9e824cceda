#include "startup/frmDBSet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/connections.h"
#include "core/globals.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/scrambler.h"
#include "core/values.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "schema/schema.h"
#include "settings/frmConfig.h"

using namespace orv;

namespace {

constexpr char kSettingsPassword[] = "27158306426";

using ConnParts = ConnectionFields;

ConnParts splitConnection(const QString &text) { return SplitConnectionFields(text); }

bool complete(const ConnParts &p) {
  if (p.driver == "SQLite") return !p.database.isEmpty();
  return !p.server.isEmpty() && !p.uid.isEmpty() && !p.database.isEmpty();
}

QComboBox *driverBox(QWidget *parent, const char *name) {
  auto *c = new QComboBox(parent);
  c->setObjectName(name);
  c->addItems({"SQLite", "PostgreSQL"});
  return c;
}

}  // namespace

frmDBSet::frmDBSet(QWidget *parent) : QDialog(parent) {
  setObjectName("frmDBSet");
  setWindowTitle(QStringLiteral("데이타베이스 설정"));
  auto edit = [this](const char *name) {
    auto *e = new QLineEdit(this);
    e->setObjectName(name);
    return e;
  };
  auto check = [this](const QString &caption, const char *name) {
    auto *c = new QCheckBox(caption, this);
    c->setObjectName(name);
    return c;
  };
  auto button = [this](const QString &caption, const char *name) {
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };

  cboMainDriver = driverBox(this, "cboMainDriver");
  txtMainServer = edit("txtMainServer");
  txtMainDB = edit("txtMainDB");
  txtMainUID = edit("txtMainUID");
  txtMainPWD = edit("txtMainPWD");
  cboPosDriver = driverBox(this, "cboPosDriver");
  txtPosServer = edit("txtPosServer");
  txtPosDB = edit("txtPosDB");
  txtPosUID = edit("txtPosUID");
  txtPosPWD = edit("txtPosPWD");
  txtOrvID = edit("txtOrvID");
  txtOrvPwd = edit("txtOrvPwd");
  txtInterVal = edit("txtInterVal");
  txtCDCount = edit("txtCDCount");
  CMDSET = button("SET", "CMDSET");
  CMDSET->setToolTip(QStringLiteral("카드전문번호저장"));
  chkCcBcp = check(QStringLiteral("CC - BCP 사용안함"), "chkCcBcp");
  chkKeyCheck = check(QStringLiteral("키보드문제 발생시"), "chkKeyCheck");
  chkHandScaner = check(QStringLiteral("주걱스캐너사용시"), "chkHandScaner");
  chkAutoUpdate = check(QStringLiteral("자동업데이트"), "chkAutoUpdate");
  chkNoDate = check(QStringLiteral("판매날짜변경불가"), "chkNoDate");
  chkJunPrnNone = check(QStringLiteral("전표번호해제"), "chkJunPrnNone");
  chkSale20 = check(QStringLiteral("요일 할인 설정(20%)"), "chkSale20");
  chkLog = check(QStringLiteral("로그사용"), "chkLog");
  chkSound = check(QStringLiteral("소리"), "chkSound");
  chkPrnCom = check(QStringLiteral("프린터(COM3) 사용"), "chkPrnCom");
  chkMultiTable = check(QStringLiteral("분할DB사용"), "chkMultiTable");
  optCst1 = new QRadioButton(QStringLiteral("올림"), this);
  optCst1->setObjectName("optCst1");
  optCst2 = new QRadioButton(QStringLiteral("반올림"), this);
  optCst2->setObjectName("optCst2");
  optCst3 = new QRadioButton(QStringLiteral("절사"), this);
  optCst3->setObjectName("optCst3");
  cmdSave = button(QStringLiteral("저장후 종료"), "cmdSave");
  cmdConfig = button(QStringLiteral("설정"), "cmdConfig");
  cmdCreateData = button(QStringLiteral("DB생성"), "cmdCreateData");

  auto connFrame = [this](const QString &title, QComboBox *drv, QLineEdit *server, QLineEdit *db,
                          QLineEdit *uid, QLineEdit *pwd) {
    auto *g = new QGroupBox(title, this);
    auto *f = new QFormLayout(g);
    f->addRow(QStringLiteral("종류"), drv);
    f->addRow(QStringLiteral("컴퓨터명"), server);
    f->addRow(QStringLiteral("데이타명"), db);
    f->addRow(QStringLiteral("사용자명"), uid);
    f->addRow(QStringLiteral("비밀번호"), pwd);
    return g;
  };
  auto *conns = new QHBoxLayout;
  conns->addWidget(connFrame(QStringLiteral("메인 컴퓨터"), cboMainDriver, txtMainServer,
                             txtMainDB, txtMainUID, txtMainPWD));
  conns->addWidget(connFrame(QStringLiteral("POS 설정"), cboPosDriver, txtPosServer, txtPosDB,
                             txtPosUID, txtPosPWD));

  auto *misc = new QFormLayout;
  misc->addRow(QStringLiteral("아이디"), txtOrvID);
  misc->addRow(QStringLiteral("비밀번호"), txtOrvPwd);
  misc->addRow(QStringLiteral("주걱스캐너 사용시 :"), txtInterVal);
  auto *cd = new QHBoxLayout;
  cd->addWidget(txtCDCount);
  cd->addWidget(CMDSET);
  cd->addWidget(new QLabel(QStringLiteral("-->사전동의없이 건들지 마세요.!!"), this));
  misc->addRow(QStringLiteral("카드전문번호"), cd);

  auto *checks = new QGridLayout;
  QCheckBox *all[] = {chkCcBcp, chkKeyCheck, chkHandScaner, chkAutoUpdate, chkNoDate, chkJunPrnNone,
                      chkSale20, chkLog, chkSound, chkPrnCom, chkMultiTable};
  int i = 0;
  for (QCheckBox *c : all) {
    checks->addWidget(c, i / 3, i % 3);
    ++i;
  }
  auto *cst = new QGroupBox(QStringLiteral("고객점수"), this);
  auto *cstLayout = new QHBoxLayout(cst);
  cstLayout->addWidget(optCst1);
  cstLayout->addWidget(optCst2);
  cstLayout->addWidget(optCst3);

  auto *buttons = new QHBoxLayout;
  buttons->addWidget(cmdCreateData);
  buttons->addWidget(cmdConfig);
  buttons->addStretch();
  buttons->addWidget(cmdSave);

  auto *main = new QVBoxLayout(this);
  main->addLayout(conns);
  main->addLayout(misc);
  main->addLayout(checks);
  main->addWidget(cst);
  main->addLayout(buttons);

  connect(cmdSave, &QPushButton::clicked, this, &frmDBSet::cmdSave_Click);
  connect(cmdConfig, &QPushButton::clicked, this, &frmDBSet::cmdConfig_Click);
  connect(cmdCreateData, &QPushButton::clicked, this, &frmDBSet::cmdCreateData_Click);
  connect(CMDSET, &QPushButton::clicked, this, &frmDBSet::CMDSET_Click);
  // A kind chosen while the database box still holds the other kind's default takes this
  // kind's default: a file name means nothing to a server, and an empty name nothing to SQLite.
  auto followKind = [](QComboBox *kind, QLineEdit *name, const QString &file) {
    connect(kind, &QComboBox::currentIndexChanged, name, [kind, name, file] {
      const bool sqlite = kind->currentText() == "SQLite";
      if (sqlite && name->text().trimmed().isEmpty()) name->setText(file);
      if (!sqlite && name->text().trimmed() == file) name->clear();
    });
  };
  followKind(cboMainDriver, txtMainDB, QStringLiteral("main.db"));
  followKind(cboPosDriver, txtPosDB, QStringLiteral("pos.db"));
  connect(optCst1, &QRadioButton::toggled, this, [](bool on) { if (on) giOrvSetCstIrt = 0; });
  connect(optCst2, &QRadioButton::toggled, this, [](bool on) { if (on) giOrvSetCstIrt = 1; });
  connect(optCst3, &QRadioButton::toggled, this, [](bool on) { if (on) giOrvSetCstIrt = 2; });
}

void frmDBSet::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (!loaded_) {
    // The load may stop at a box about a failed connection: the form must have its size
    // before that, not the few pixels it has before its first layout.
    if (QLayout *l = layout()) l->activate();
    resize(size().expandedTo(sizeHint()));
    Form_Load();
  }
}

void frmDBSet::Form_Load() {
  loaded_ = true;
  LoadPosSettings();
  ConnParts work;
  if (!gsSetMainDB.isEmpty()) {
    work = splitConnection(gsSetMainDB);
    cboMainDriver->setCurrentText(work.driver);
    txtMainServer->setText(work.server);
    txtMainDB->setText(work.database);
    txtMainUID->setText(work.uid);
    txtMainPWD->setText(work.pwd);
  }
  if (!gsSetPosDB.isEmpty()) work = splitConnection(gsSetPosDB);
  if (complete(work) && !gsSetMainDB.isEmpty()) OpenDbConnection(goDbMain, 0);
  cboPosDriver->setCurrentText(work.driver);
  txtPosServer->setText(work.server);
  txtPosDB->setText(work.database);
  txtPosUID->setText(work.uid);
  txtPosPWD->setText(work.pwd);

  chkCcBcp->setChecked(giSetCcBcp != 0);
  txtOrvID->setText(gsSetID);
  txtOrvPwd->setText(gsSetPWD);
  chkKeyCheck->setChecked(giSetKeyCheck == 1);
  chkHandScaner->setChecked(giSetHandScaner == 1);
  txtInterVal->setText(giSetinterval == 0 ? QStringLiteral("50") : QString::number(giSetinterval));
  txtCDCount->setText(gcSetCdCount.ToPlainText());
  chkAutoUpdate->setChecked(giSetAutoUpdate == 1);
  chkNoDate->setChecked(giSetNoDate == 1);
  chkJunPrnNone->setChecked(giSetJunPrnNone == 1);
  chkSale20->setChecked(giSetSale20 == 1);
  chkLog->setChecked(giSetLog == 1);
  chkSound->setChecked(giSetSound == 1);
  chkPrnCom->setChecked(giSetPrnCom == 1);

  chkMultiTable->setChecked(GetRegInt("OrvMultiTable") == 1);
  giOrvSetCstIrt = int16_t(GetRegInt("OrvSetCstIrt"));
  QRadioButton *opts[] = {optCst1, optCst2, optCst3};
  if (giOrvSetCstIrt >= 0 && giOrvSetCstIrt <= 2) opts[giOrvSetCstIrt]->setChecked(true);
}

QString frmDBSet::MainText() const {
  return db::BuildConnectionText(txtMainServer->text(), cboMainDriver->currentText(),
                                 txtMainUID->text(), txtMainPWD->text(), txtMainDB->text());
}

QString frmDBSet::PosText() const {
  return db::BuildConnectionText(txtPosServer->text(), cboPosDriver->currentText(),
                                 txtPosUID->text(), txtPosPWD->text(), txtPosDB->text());
}

void frmDBSet::cmdSave_Click() {
  const qint64 interval = NzCur(txtInterVal->text()).RoundToInt();
  if (interval < 0 || interval > 32767) {
    dialogs::Info(QStringLiteral("* 스캐너 간격은 0 에서 32767 사이입니다 !"),
                  QStringLiteral("입력오류"));
    return;
  }
  gsSetMainDB = MainText();
  gsSetPosDB = PosText();
  giSetinterval = int16_t(interval);
  auto flag = [](QCheckBox *c) { return int16_t(c->isChecked() ? 1 : 0); };
  giSetSound = flag(chkSound);
  giSetAutoUpdate = flag(chkAutoUpdate);
  giSetKeyCheck = flag(chkKeyCheck);
  giSetSale20 = flag(chkSale20);
  gsSetID = txtOrvID->text();
  gsSetPWD = txtOrvPwd->text();
  giSetLog = flag(chkLog);
  giSetPrnCom = flag(chkPrnCom);
  giSetJunPrnNone = flag(chkJunPrnNone);
  giSetNoDate = flag(chkNoDate);
  giSetHandScaner = flag(chkHandScaner);
  giSetCcBcp = flag(chkCcBcp);
  SavePosSettingsOf({&gsSetMainDB, &gsSetPosDB, &giSetSound, &giSetAutoUpdate, &giSetKeyCheck,
                     &giSetSale20, &gsSetID, &gsSetPWD, &giSetLog, &giSetPrnCom, &giSetJunPrnNone,
                     &giSetNoDate, &giSetHandScaner, &giSetinterval, &giSetCcBcp});
  try {
    SetRegistry("OrvSetCstIrt", giOrvSetCstIrt);
    SetRegistry("OrvMultiTable", chkMultiTable->isChecked() ? 1 : 0);
  } catch (const db::DbError &e) {
    dialogs::Plain(e.Description);
  }
  accept();
}

void frmDBSet::CMDSET_Click() {
  gcSetCdCount = NzCur(txtCDCount->text());
  SavePosSettingsOf({&gcSetCdCount});
}

bool frmDBSet::AskSettingsPassword() {
  auto answer = dialogs::PasswordBox(QStringLiteral("설정 비밀번호를 입력하세요"),
                                  QStringLiteral("설정 비밀번호 입력"), "0");
  if (answer && *answer == kSettingsPassword) return true;
  dialogs::Info(QStringLiteral("설정 비밀번호가 일치하지 않습니다."),
                QStringLiteral("설치비밀번호 불일치!"));
  return false;
}

void frmDBSet::cmdConfig_Click() {
  if (!AskSettingsPassword()) return;
  frmConfig form(this);
  dialogs::ShowModal(form);
}

void frmDBSet::cmdCreateData_Click() {
  if (!AskSettingsPassword()) return;
  const bool pg = cboPosDriver->currentText() == "PostgreSQL";
  struct Need {
    QLineEdit *box;
    QString message;
    bool needed;
  } needs[] = {
      {txtPosServer, QStringLiteral("컴퓨터명을 입력하세요"), pg},
      {txtPosUID, QStringLiteral("사용자명을 입력하세요"), pg},
      {txtPosDB, QStringLiteral("데이타베이스명을 입력하세요"), true},
  };
  for (const Need &n : needs) {
    if (n.needed && NzStr(n.box->text()).isEmpty()) {
      dialogs::MsgBox(n.message);
      return;
    }
  }
  const QString text = db::BuildConnectionText(
      txtPosServer->text().trimmed(), cboPosDriver->currentText(), txtPosUID->text().trimmed(),
      txtPosPWD->text().trimmed(), txtPosDB->text().trimmed());
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    if (db::Connection::DatabaseExists(text)) {
      QApplication::restoreOverrideCursor();
      dialogs::MsgBox(QStringLiteral("해당파일이 존재합니다..확인후 다시하세요!"));
      return;
    }
    db::Connection::CreateDatabase(text);
    // The new database gets its tables at once, the same way a login makes them.
    CreateSchemaOn(text);
    goDbMain.Close();
    goDbPos.Close();
    QApplication::restoreOverrideCursor();
  } catch (const db::DbError &e) {
    QApplication::restoreOverrideCursor();
    goDbMain.Close();
    goDbPos.Close();
    dialogs::MsgBox("Error: " + QString::number(e.Number) + " " + e.Description, dialogs::kOkOnly,
                    QStringLiteral("데이타베이스생성오류!"));
  }
}
