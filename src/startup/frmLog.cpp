#include "startup/frmLog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "chit/pair_commit.h"
#include "core/application.h"
#include "core/connections.h"
#include "core/daily_log.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "core/web_clock.h"
#include "display/PcAnyFrm.h"
#include "platform/clock.h"
#include "platform/coin_changer.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/keys.h"
#include "platform/settings_store.h"
#include "print/basPrinter.h"
#include "sale/frmMain.h"
#include "chit/pos_event.h"
#include "schema/schema.h"
#include "settings/frmSetup.h"
#include "startup/frmDBSet.h"
#include "startup/instance_guard.h"
#include "startup/start_settings.h"
#include "sync/basCC.h"
#include "sync/basSync.h"

using namespace orv;
using namespace orv::keys;

namespace {

// Hourglass while the login road runs; restored on every way out.
struct BusyCursor {
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

QString trimBlanks(const QString &s) {
  int b = 0, e = int(s.size());
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return s.mid(b, e - b);
}

}  // namespace

namespace orv::login {

QString LoginSql(const QString &id, const QString &pwd) {
  // The ID compares without regard to case, as the account table's collation did; both
  // texts go in through the literal helper, never as typed.
  db::Dialect d = goDbMain.IsOpen() ? goDbMain.dialect() : db::Dialect(db::Engine::SQLite);
  return " Select  A.*, B.PcdNo, B.PcdName, B.PcdMbTele "
         " From    LogOn A LEFT JOIN PsnCode B ON A.LogPsnKey = B.PcdKey "
         " Where   " +
         d.CiEquals("rtrim(A.LogID)", db::SqlText(id)) +
         "   And   rtrim(A.LogPwd)=" + db::SqlText(pwd) + " ";
}

QStringList SettingsSheetLines() {
  auto pick = [](int v, std::initializer_list<const char *> texts) -> QString {
    if (v < 0 || v >= int(texts.size())) return {};
    return QString::fromUtf8(*(texts.begin() + v));
  };
  QStringList lines;
  lines << gsSetMainDB << gsSetPosDB
        << QStringLiteral("계산대 번호:") + QString::number(giSetPosNo).rightJustified(4, '0');
  lines << pick(giSetPos, {"포스기종:일반피씨", "포스기종:TPS-57II", "포스기종:VPS-7700",
                           "포스기종:CPT-1000", "포스기종:PT-1120", "포스기종:PT-1110"});
  lines << pick(giSetKey, {"키보드종류:일반키보드", "키보드종류:삼보-84키", "키보드종류:삼성-80키",
                           "키보드종류:삼성-98키", "키보드종류:삼성-111키"});
  lines << pick(giSetPrint, {"프린터기종:없음", "프린터기종:TPS-200", "프린터기종:TMU-T88II",
                             "프린터기종:STP-131", "프린터기종:WTP-100", "프린터기종:Princhi-III"});
  lines << QStringLiteral("프린터포트:") + gsSetPrnPort;
  lines << QStringLiteral("프린터장치:") + gsSetPrnDevice;
  lines << pick(giSetDisp, {"디스플레이:없음", "디스플레이:CD-7220", "디스플레이:CD-8240",
                            "디스플레이:CD-2532", "디스플레이:USB-COM3", "디스플레이:LCD모니터",
                            "디스플레이:삼보"});
  lines << QStringLiteral("디스플레이포트:") + QString::number(giSetDisPortNo);
  lines << pick(giSetCoin, {"동전계수기:없음", "동전계수기:CM-1(구형)", "동전계수기:Cm-1(신형)"});
  lines << QStringLiteral("동전계수기포트:") + QString::number(giSetCoinPortNo);
  lines << pick(giSetVan, {"밴사업자: (주)엔씨밴", "밴사업자: KICC", "밴사업자: 금융결제원",
                           "밴사업자: 사용않함", "밴사업자: KMPOS", "밴사업자: 스마트로",
                           "밴사업자: KS-NET", "밴사업자: 스타밴", "밴사업자: KOCES",
                           "밴사업자: 나이스"});
  lines << QStringLiteral("단말기번호:") + gsSetDanId << QStringLiteral("스캐너셋팅:") + gsSetScan
        << QStringLiteral("스캐너포트:") + QString::number(giSetScanPort)
        << QStringLiteral("사인패드사용여부:") + QString::number(giSetSignPad)
        << QStringLiteral("사인패드포트번호:") + QString::number(giSetSignPortNo);
  lines.removeAll(QString());  // a value without an entry prints no line
  return lines;
}

}  // namespace orv::login

frmLog::frmLog(QWidget *parent) : QDialog(parent) {
  setObjectName("frmLog");
  setWindowTitle(QStringLiteral("로그인"));
  setModal(true);

  auto make = [this](auto *w, const char *name) {
    w->setObjectName(name);
    return w;
  };
  lblDate = make(new QLabel("Ver 0000.00.00", this), "lblDate");
  Label3 = make(new QLabel(QStringLiteral("아 이 디:"), this), "Label3");
  Label4 = make(new QLabel(QStringLiteral("패스워드:"), this), "Label4");
  txtID = make(new QLineEdit("1", this), "txtID");
  txtPwd = make(new QLineEdit(this), "txtPwd");
  dialogs::SetPasswordEcho(*txtPwd);
  optOnline = make(new QRadioButton(QStringLiteral("온라인( F1 )"), this), "optOnline");
  optOffline = make(new QRadioButton(QStringLiteral("오프라인( F2 )"), this), "optOffline");
  optOnline->setChecked(true);
  cmdOk = make(new QPushButton(QStringLiteral("확인(&F3)"), this), "cmdOk");
  cmdCancel = make(new QPushButton(QStringLiteral("취소(&F4)"), this), "cmdCancel");
  SetupCmd = make(new QPushButton("S", this), "SetupCmd");
  CMDSET = make(new QPushButton("?", this), "CMDSET");
  PcAnyCmd = make(new QPushButton(QStringLiteral("원격"), this), "PcAnyCmd");
  cmdSetPrn = make(new QPushButton(QStringLiteral("설정"), this), "cmdSetPrn");
  chkCcBcp = make(new QCheckBox("CC+", this), "chkCcBcp");
  SendMsgLbl = make(new QLabel(this), "SendMsgLbl");
  Prs = make(new QProgressBar(this), "Prs");
  Prs->setValue(0);
  Prs->setTextVisible(false);

  QFont big = font();
  big.setPointSize(big.pointSize() + 4);
  for (QWidget *w : {static_cast<QWidget *>(txtID), static_cast<QWidget *>(txtPwd),
                     static_cast<QWidget *>(Label3), static_cast<QWidget *>(Label4)})
    w->setFont(big);

  auto *grid = new QGridLayout;
  grid->addWidget(Label3, 0, 0);
  grid->addWidget(txtID, 0, 1);
  grid->addWidget(Label4, 1, 0);
  grid->addWidget(txtPwd, 1, 1);
  auto *opts = new QHBoxLayout;
  opts->addWidget(optOnline);
  opts->addWidget(optOffline);
  opts->addStretch();
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(cmdOk);
  buttons->addWidget(cmdCancel);
  auto *tools = new QHBoxLayout;
  tools->addWidget(SetupCmd);
  tools->addWidget(CMDSET);
  tools->addWidget(PcAnyCmd);
  tools->addWidget(cmdSetPrn);
  tools->addWidget(chkCcBcp);
  tools->addStretch();
  tools->addWidget(lblDate);
  auto *main = new QVBoxLayout(this);
  main->addLayout(grid);
  main->addLayout(opts);
  main->addLayout(buttons);
  main->addWidget(SendMsgLbl);
  main->addWidget(Prs);
  main->addLayout(tools);
  resize(460, 300);

  for (QPushButton *b : findChildren<QPushButton *>()) b->setAutoDefault(false);
  connect(cmdOk, &QPushButton::clicked, this, &frmLog::cmdOk_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmLog::cmdCancel_Click);
  connect(SetupCmd, &QPushButton::clicked, this, &frmLog::SetupCmd_Click);
  connect(CMDSET, &QPushButton::clicked, this, &frmLog::CMDSET_Click);
  connect(PcAnyCmd, &QPushButton::clicked, this, &frmLog::PcAnyCmd_Click);
  connect(cmdSetPrn, &QPushButton::clicked, this, &frmLog::cmdSetPrn_Click);
  connect(optOnline, &QRadioButton::toggled, this, [this](bool on) {
    if (on) optOnline_Click();
  });
  connect(optOffline, &QRadioButton::toggled, this, [this](bool on) {
    if (on) optOffline_Click();
  });
  connect(chkCcBcp, &QCheckBox::toggled, this, [this] { chkCcBcp_Click(); });
  connect(txtID, &QLineEdit::textChanged, this, [this] { CleanBox(txtID); });
  connect(txtPwd, &QLineEdit::textChanged, this, [this] { CleanBox(txtPwd); });
  for (QWidget *w : findChildren<QWidget *>()) w->installEventFilter(this);
  PaintOptions();
}

frmLog::~frmLog() { delete mainWindow_; }

QWidget *frmLog::TakeMainWindow() {
  QWidget *w = mainWindow_;
  mainWindow_ = nullptr;
  return w;
}

void frmLog::RequestEnd() {
  endRequested_ = true;
  reject();
}

void frmLog::Form_Load() {
  lblDate->setText(QString(login::kVersionText) + " (IC)");
  giMainShown = 0;
  giCstTsMode = 0;

  GetWebDateTime();

  const QDate today = clock::Now().date();
  giWrkYear = int16_t(today.year());
  giWrkMonth = int16_t(today.month());
  giWrkDay = int16_t(today.day());

  switch (instance::TryAcquireSingleInstance()) {
    case instance::LockResult::Acquired:
      break;
    case instance::LockResult::OtherCopy:
      dialogs::Info(QStringLiteral("이미 프로그램이 실행중입니다 !"), QStringLiteral("실행오류"));
      RequestEnd();
      return;
    case instance::LockResult::FolderProblem: {
      QString why = instance::DataFolderProblem();
      if (why.isEmpty())  // writable after all, yet no lock could be made in it
        why = QStringLiteral("데이터 폴더에 쓸 수 없습니다 : ") + datafolder::Root();
      dialogs::Info(why, QStringLiteral("실행오류"));
      RequestEnd();
      return;
    }
  }

  LoadStartPosSettings();
  if (const QString missing = formkeys::MissingKoreanCatalogue(); !missing.isEmpty())
    WriteLog(0, QStringLiteral("Korean catalogue missing, standard buttons in English: ") + missing);

  settings_store::SaveSetting("gsSetVerInfo", QCoreApplication::applicationVersion().isEmpty()
                                                  ? QStringLiteral("1.0.0")
                                                  : QCoreApplication::applicationVersion());
  InitPrnCodes();
  giOnLine = 1;

  if (!gsSetID.isEmpty() && !gsSetPWD.isEmpty()) {
    txtID->setText(gsSetID);
    txtPwd->setText(gsSetPWD);
    txtID->setEnabled(false);
    txtPwd->setEnabled(false);
  }

  // A serial printer is opened once at load to check it; its failures do not matter here.
  if (gsSetPrnPort.left(3) == "COM" && (giSetPrint == 4 || giSetPrint == 5)) {
    orv::RunLogged(QStringLiteral("CheckComPrinter"), [] { CheckComPrinter(); });
  }

  ShowCcBcpSet();

  QDir().mkpath(datafolder::Path("OrvBackup/Print"));
  gsPosPcIp = "192.168.0." + QString::number(int(giSetPosNo) + 10);
}

void frmLog::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  Form_Activate();
}

void frmLog::Form_Activate() {
  if (txtID->isEnabled())
    txtID->setFocus();
  else
    cmdOk->setFocus();
}

void frmLog::ShowCcBcpSet() {
  int16_t v = int16_t(NzCur(settings_store::GetSetting("giSetCcBcp")).RoundToInt());
  if (v != 0 && v != 1) v = 0;
  giSetCcBcp = v;
  QSignalBlocker block(chkCcBcp);
  chkCcBcp->setChecked(v == 1);
}

void frmLog::chkCcBcp_Click() {
  giSetCcBcp = chkCcBcp->isChecked() ? 1 : 0;
  settings_store::SaveSetting("giSetCcBcp", QString::number(giSetCcBcp));
}

void frmLog::CleanBox(QLineEdit *box) {
  QString t = trimBlanks(box->text());
  t.remove('\'');
  if (!t.isEmpty() && t != box->text()) {
    QSignalBlocker block(box);
    box->setText(t);
  }
}

void frmLog::PaintOptions() {
  auto paint = [](QRadioButton *b, bool chosen) {
    b->setAutoFillBackground(true);
    QPalette p = b->palette();
    p.setColor(QPalette::Window, chosen ? QColor(206, 208, 213) : QColor(243, 243, 243));
    b->setPalette(p);
  };
  paint(optOnline, optOnline->isChecked());
  paint(optOffline, optOffline->isChecked());
}

void frmLog::optOnline_Click() {
  giOnLine = 1;
  PaintOptions();
  if (txtID->isEnabled()) txtID->setFocus();
}

void frmLog::optOffline_Click() {
  giOnLine = 2;
  PaintOptions();
  if (txtID->isEnabled()) txtID->setFocus();
}

void frmLog::cmdCancel_Click() {
  if (goDbMain.IsOpen()) goDbMain.Close();
  RequestEnd();
}

void frmLog::closeEvent(QCloseEvent *event) {
  if (!mainWindow_) endRequested_ = true;
  QDialog::closeEvent(event);
}

void frmLog::SetupCmd_Click() {
  auto answer = dialogs::PasswordBox(QStringLiteral("* 인증번호를 입력하세요...... ?"),
                                  QStringLiteral("인증번호"));
  if (answer && *answer == login::kSettingsPassword) {
    frmSetup form(this);
    dialogs::ShowModal(form);
    // A save (or a copy from the main database) takes effect at the next start.
    if (form.EndRequested()) {
      goDbMain.Close();
      goDbPos.Close();
      instance::ReleaseSingleInstance();
      RequestEnd();
    }
  } else {
    dialogs::Info(QStringLiteral("인증번호 오류...... !"), QStringLiteral("인증실패"));
  }
}

void frmLog::CMDSET_Click() {
  auto answer = dialogs::PasswordBox(QStringLiteral("설정비밀번호를입력하세요??"),
                                  QStringLiteral("설정번호"));
  if (answer && *answer == login::kSettingsPassword) {
    txtID->setText(login::kMaintenanceId);
    txtPwd->setText(login::kSettingsPassword);
  }
}

void frmLog::PcAnyCmd_Click() {
  orv::RunLogged(QStringLiteral("PcAnyFrm"), [this] {
    PcAnyFrm form(this);
    dialogs::ShowModal(form);
  });
}

void frmLog::cmdSetPrn_Click() {
  auto answer = dialogs::PasswordBox(QStringLiteral("비밀번호 입력??"), QStringLiteral("비밀번호#2"));
  if (!answer || *answer != login::kSheetPassword) return;
  try {
    PrnClear();
    for (const QString &line : login::SettingsSheetLines()) PrnAddLine(line);
    PrnFeedCut();
    PrnFlush();
  } catch (const std::exception &e) {
    dialogs::Plain(QString::fromStdString(e.what()));
  }
}

void frmLog::Form_KeyDown(int &keyCode, int shift) {
  Q_UNUSED(shift);
  switch (keyCode) {
    case vbKeyEscape:
    case vbKeyF1 + 3:  // F4
      keyCode = 0;
      cmdCancel_Click();
      break;
    case vbKeyF1:
      keyCode = 0;
      optOnline->setChecked(true);
      break;
    case vbKeyF1 + 1:  // F2
      keyCode = 0;
      optOffline->setChecked(true);
      break;
    case vbKeyF1 + 2:  // F3
      keyCode = 0;
      cmdOk_Click();
      break;
    default:
      break;
  }
}

bool frmLog::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
    if (auto *box = qobject_cast<QLineEdit *>(watched); box && (box == txtID || box == txtPwd)) {
      QPalette p = box->palette();
      const bool in = event->type() == QEvent::FocusIn;
      p.setColor(QPalette::Base, in ? QColor(255, 255, 0) : QColor(255, 255, 255));
      box->setPalette(p);
      if (in) QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
    }
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto *ke = static_cast<QKeyEvent *>(event);
  int key = ToVirtualKey(ke);
  const int shift = ToShift(ke->modifiers());
  if (key == 0) return false;
  Form_KeyDown(key, shift);
  if (key == 0) return true;
  const bool plain = !(shift & vbShiftMask);
  const bool backTab = ke->key() == Qt::Key_Backtab || (key == vbKeyTab && !plain);
  if (watched == txtID) {
    if ((key == vbKeyReturn || key == vbKeyDown || key == vbKeyTab) && plain && !backTab) {
      txtPwd->setFocus();
      return true;
    }
    if ((key == vbKeyUp && plain) || backTab) return true;
  } else if (watched == txtPwd) {
    if ((key == vbKeyReturn || key == vbKeyDown || key == vbKeyTab) && plain && !backTab) {
      cmdOk_Click();
      return true;
    }
    if ((key == vbKeyUp && plain) || backTab) {
      txtID->setFocus();
      return true;
    }
  }
  return false;
}

void frmLog::cmdOk_Click() {
  BusyCursor busy;
  try {
    // Maintenance login: the connection settings, then the program ends.
    if (txtID->text() == login::kMaintenanceId && txtPwd->text() == login::kSettingsPassword) {
      QApplication::restoreOverrideCursor();
      {
        frmDBSet form(this);
        dialogs::ShowModal(form);
      }
      QApplication::setOverrideCursor(Qt::WaitCursor);
      RequestEnd();
      return;
    }

    if (OpenDbConnection(goDbMain, int16_t(giOnLine - 1)) != 0) {
      RequestEnd();
      return;
    }

    if (GetRegInt("OrvMultiTable") != 1) {
      dialogs::Info(QStringLiteral("* DB설정이 단일모드에서 실행할 수 없습니다 !"),
                    QStringLiteral("설정오류"));
      auto answer = dialogs::PasswordBox(QStringLiteral("* 계속하려면 인증번호를 입력하세요...... ?"),
                                      QStringLiteral("인증번호"));
      if (!answer || *answer != login::kSettingsPassword) {
        dialogs::Info(QStringLiteral("인증번호 오류...... !"), QStringLiteral("인증실패"));
        RequestEnd();
        return;
      }
    }

    // Ports of the pole display follow the POS hardware.
    if (giSetDisp != 0) {
      static const int kPorts[] = {0, 6, 4, 4, 6, 4};
      if (giSetPos >= 0 && giSetPos <= 5) {
        giCdpPort = giSetPos == 0 ? (giSetDisp == 5 ? 3 : 2) : int16_t(kPorts[giSetPos]);
        gsCdpSettings = "9600,n,8,1";
      }
      if (giSetDisPortNo != 0) giCdpPort = giSetDisPortNo;
    }
    giScanPort = giSetScanPort;
    gsScanSettings = gsSetScan;

    if (OpenDbConnection(goDbPos, 1) != 0) {
      RequestEnd();
      return;
    }
    CheckTodaysTables();

    if (GetRegInt("OrvMainVersion") < 200) {
      dialogs::Info(QStringLiteral("메인프로그램과 버전호환이 맞지 않습니다..메인프로그램을 "
                                   "업데이트하세요"),
                    QStringLiteral("버전정보"));
    }

    if (giSetPos != 0 && giSetCoin == 2) CoinOpen(giSetCoinPortNo == 0 ? 2 : giSetCoinPortNo);

    gsSql = login::LoginSql(txtID->text(), txtPwd->text());
    db::Recordset rs = goDbMain.OpenRecordset(gsSql);
    if (rs.RecordCount() == 0) {
      dialogs::Info(QStringLiteral("사용자ID 또는 비밀번호를 확인하세요"),
                    QStringLiteral("로그인실패"));
      if (txtID->isEnabled()) txtID->setFocus();
      return;
    }
    gsLogID = NzStr(rs.Field("LogID"));
    gsLogPwd = NzStr(rs.Field("LogPwd"));
    gcLogPsnKey = NzCur(rs.Field("LogPsnKey"));
    gcPcdNo = NzCur(rs.Field("PcdNo"));
    gsPcdName = NzStr(rs.Field("PcdName"));
    gsPcdMbTele = NzStr(rs.Field("PcdMbTele"));
    giLogPosNo = giSetPosNo;
    rs.Close();

    // A sale whose POS copy was lost between its two commits gets it now, before the
    // first sale and before the unsent data goes out.
    try {
      orv::chit::SettlePairJournal();
    } catch (const db::DbError &e) {
      dialogs::Plain(e.Description);
    }

    if (giOnLine == 1) SendUnsentData(SendMsgLbl, Prs);

    const QDate today = clock::Now().date();
    const QString todayText = FmtYmd(int16_t(today.year()), int16_t(today.month()),
                                     int16_t(today.day()), 0, 0);
    if (giSetCcNot == 0 && giOnLine == 1 && gsCodeDate != todayText && gsSetPosDB != gsSetMainDB) {
      // The date is kept only once the copy went through, so a failed copy is tried again
      // at the next login of the day.
      const bool copied = giSetCcBcp == 0 ? CopyCodesByBcp() : ShowMsgReceive();
      if (copied) {
        gsCodeDate = todayText;
        settings_store::SaveSetting("gsCodeDate", gsCodeDate);
      }
    }

    WriteLoginLog(1, 91, {}, {}, {});
    mainWindow_ = new frmMain;
    mainWindow_->show();
    accept();
  } catch (const db::DbError &e) {
    dialogs::Plain(e.Description);
    Prs->setValue(0);
  } catch (const std::exception &e) {
    dialogs::Plain(QString::fromStdString(e.what()));
    Prs->setValue(0);
  }
}

void frmLog::WriteLoginLog(int32_t plgNo, int16_t plgSel, const QString &text1,
                           const QString &text2, const QString &text3) {
  try {
    WritePosLogsRow(plgNo, plgSel, text1, text2, text3, 1);
  } catch (const db::DbError &e) {
    dialogs::Plain(e.Description);
  }
}
