#include "settings/frmSetup.h"

#include <QButtonGroup>
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

#include "core/application.h"
#include "core/connections.h"
#include "core/pos_settings.h"
#include "customer/onemoa.h"
#include "display/PcAnyFrm.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "print/basPrinter.h"
#include "settings/setup_parts.h"
#include "settings/van_defaults.h"

using namespace orv;

QList<DeviceKey> DeviceKeys() {
  return {
      {kPrnDeviceKey, "프린터 장치"},
      {web::kWebServerKey, "웹서버"},
      {kUpdaterPathKey, "업데이트 프로그램"},
      {"gsSetVanAgent", "카드 에이전트"},
      {display::kRemoteTvKey, "원격지원 TeamViewer"},
      {display::kRemoteTvSetupKey, "원격지원 TV13 설치"},
      {display::kRemoteZookKey, "원격지원 Zook"},
      {onemoa::kServerKey, "원모아 서버"},
  };
}

namespace {

QLineEdit *edit(QWidget *parent, const char *name) {
  auto *e = new QLineEdit(parent);
  e->setObjectName(name);
  return e;
}

QCheckBox *check(QWidget *parent, const QString &caption, const char *name) {
  auto *c = new QCheckBox(caption, parent);
  c->setObjectName(name);
  return c;
}

QPushButton *button(QWidget *parent, const QString &caption, const char *name) {
  auto *b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

QGroupBox *frame(QWidget *parent, const QString &caption, int index) {
  auto *g = new QGroupBox(caption, parent);
  g->setObjectName(QStringLiteral("Frame1_%1").arg(index));
  return g;
}

// An option array as a button group whose ids are the Indexes; laid out in `order`,
// `perRow` to a row.
QButtonGroup *options(QWidget *parent, QGridLayout *grid, const char *name,
                      const QStringList &captions, int perRow, QList<int> order = {}) {
  auto *g = new QButtonGroup(parent);
  g->setObjectName(name);
  if (order.isEmpty())
    for (int i = 0; i < captions.size(); ++i) order << i;
  int at = 0;
  for (int i : order) {
    auto *r = new QRadioButton(captions[i], parent);
    r->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
    g->addButton(r, i);
    grid->addWidget(r, at / perRow, at % perRow);
    ++at;
  }
  return g;
}

}  // namespace

frmSetup::frmSetup(QWidget *parent) : QDialog(parent) {
  setObjectName("frmSetup");
  setWindowTitle(QStringLiteral("포스 설정 작업"));
  BuildForm();
}

frmSetup::~frmSetup() { CloseMainDb(); }

void frmSetup::BuildForm() {
  // Connection groups.
  auto driver = [this](const char *name) {
    auto *c = new QComboBox(this);
    c->setObjectName(name);
    c->addItems({"SQLite", "PostgreSQL"});
    return c;
  };
  cboMainDriver = driver("cboMainDriver");
  cboPosDriver = driver("cboPosDriver");
  txtMainServer = edit(this, "txtMainServer");
  txtMainDB = edit(this, "txtMainDB");
  txtMainUID = edit(this, "txtMainUID");
  txtMainPWD = edit(this, "txtMainPWD");
  txtPosServer = edit(this, "txtPosServer");
  txtPosDB = edit(this, "txtPosDB");
  txtPosUID = edit(this, "txtPosUID");
  txtPosPWD = edit(this, "txtPosPWD");
  OrvMainCmd = button(this, "?", "OrvMainCmd");
  OrvPosCmd = button(this, "?", "OrvPosCmd");
  auto connFrame = [this](const QString &caption, int index, QComboBox *drv, QLineEdit *server,
                          QLineEdit *db, QLineEdit *uid, QLineEdit *pwd, QPushButton *test) {
    QGroupBox *g = frame(this, caption, index);
    auto *f = new QFormLayout(g);
    f->addRow(QStringLiteral("종류"), drv);
    f->addRow(QStringLiteral("컴퓨터명"), server);
    f->addRow(QStringLiteral("데이타명"), db);
    f->addRow(QStringLiteral("사용자명"), uid);
    f->addRow(QStringLiteral("비밀번호"), pwd);
    f->addRow(QString(), test);
    return g;
  };
  QGroupBox *mainFrame = connFrame(QStringLiteral("메인 DB"), 0, cboMainDriver, txtMainServer,
                                   txtMainDB, txtMainUID, txtMainPWD, OrvMainCmd);
  QGroupBox *posFrame = connFrame(QStringLiteral("POS DB"), 1, cboPosDriver, txtPosServer,
                                  txtPosDB, txtPosUID, txtPosPWD, OrvPosCmd);

  // Basics.
  QGroupBox *basic = frame(this, QStringLiteral("기본 설정"), 2);
  txtPosNo = edit(basic, "txtPosNo");
  txtOrvID = edit(basic, "txtOrvID");
  txtOrvPwd = edit(basic, "txtOrvPwd");
  txtScan = edit(basic, "txtScan");
  txtScanPort = edit(basic, "txtScanPort");
  txtInterVal = edit(basic, "txtInterVal");
  chkScanXonOff = check(basic, QStringLiteral("양방향"), "chkScanXonOff");
  chkHandScaner = check(basic, QStringLiteral("주걱스캐너만 사용"), "chkHandScaner");
  chkKeyCheck = check(basic, QStringLiteral("키보드문제 발생시"), "chkKeyCheck");
  {
    auto *f = new QFormLayout(basic);
    f->addRow(QStringLiteral("계산대번호"), txtPosNo);
    f->addRow(QStringLiteral("아이디"), txtOrvID);
    f->addRow(QStringLiteral("비밀번호"), txtOrvPwd);
    f->addRow(QStringLiteral("스캐너설정"), txtScan);
    f->addRow(QStringLiteral("포트"), txtScanPort);
    auto *sets = new QGridLayout;
    ScanSetsGrp = options(basic, sets, "chkScanSets", {"Timer", "Events"}, 2, {1, 0});
    sets->addWidget(chkScanXonOff, 0, 2);
    f->addRow(QStringLiteral("방식"), sets);
    f->addRow(QStringLiteral("Timer :"), txtInterVal);
    f->addRow(chkHandScaner);
    f->addRow(chkKeyCheck);
  }

  // POS devices.
  QGroupBox *pos = frame(this, QStringLiteral("포스 설정"), 4);
  auto *posGrid = new QVBoxLayout(pos);
  auto group = [&](const QString &caption, int index) {
    auto *g = new QGroupBox(caption, pos);
    g->setObjectName(QStringLiteral("Frame1_%1").arg(index));
    auto *grid = new QGridLayout(g);
    posGrid->addWidget(g);
    return std::pair{g, grid};
  };
  {
    auto [g, grid] = group(QStringLiteral("포스"), 6);
    SetPosOpt = options(g, grid, "SetPosOpt",
                        {"일반 PC", "TPS-75II", "VPS-7700", "CPT-1000", "PT-1120", "PT-1110"}, 3);
  }
  {
    auto [g, grid] = group(QStringLiteral("키보드"), 7);
    SetKeyOpt = options(g, grid, "SetKeyOpt",
                        {QStringLiteral("일반 키보드"), QStringLiteral("삼보-84키"),
                         QStringLiteral("청원-80/98키"), QStringLiteral("삼성-98키"),
                         QStringLiteral("삼성-111키")},
                        3);
  }
  txtPrnPort = edit(pos, "txtPrnPort");
  txtPrnWait = edit(pos, "txtPrnWait");
  PrnPortLbl = new QLabel(QStringLiteral("포트"), pos);
  PrnPortLbl->setObjectName("PrnPortLbl");
  PrnPortLbl->setCursor(Qt::PointingHandCursor);
  {
    auto [g, grid] = group(QStringLiteral("프린터"), 8);
    SetPrintOpt = options(g, grid, "SetPrintOpt",
                          {QStringLiteral("없음"), "TPS-200", "TMU-T88II", "STP-131", "WTP-100",
                           "Prinche-III"},
                          3);
    auto *row = new QHBoxLayout;
    row->addWidget(PrnPortLbl);
    row->addWidget(txtPrnPort);
    row->addWidget(new QLabel("Wait", g));
    row->addWidget(txtPrnWait);
    grid->addLayout(row, 2, 0, 1, 3);
  }
  txtDisPortNo = edit(pos, "txtDisPortNo");
  {
    auto [g, grid] = group(QStringLiteral("디스플레이"), 9);
    SetDispOpt = options(g, grid, "SetDispOpt",
                         {QStringLiteral("없음"), "CD-7220", "CD-8240", "CD-2532", "USB-COM3",
                          QStringLiteral("LCD 모니터"), QStringLiteral("삼보"), "SD-2000"},
                         3);
    grid->addWidget(new QLabel(QStringLiteral("포트"), g), 3, 0);
    grid->addWidget(txtDisPortNo, 3, 1);
  }
  txtCoinPortNo = edit(pos, "txtCoinPortNo");
  {
    auto [g, grid] = group(QStringLiteral("동전계수기"), 10);
    SetCoinOpt = options(g, grid, "SetCoinOpt",
                         {QStringLiteral("없음"), QStringLiteral("CM-1 (구형)"),
                          QStringLiteral("CM-1 (신형)")},
                         3);
    grid->addWidget(new QLabel(QStringLiteral("포트"), g), 1, 0);
    grid->addWidget(txtCoinPortNo, 1, 1);
  }
  {
    auto [g, grid] = group(QStringLiteral("돈통"), 11);
    SetDrawOpt = options(g, grid, "SetDrawOpt",
                         {QStringLiteral("없음"), QStringLiteral("직접 연결"),
                          QStringLiteral("프린터 연결")},
                         3);
  }
  SetDrawAutoChk = check(pos, QStringLiteral("돈통(자동)"), "SetDrawAutoChk");
  chkCcNot = check(pos, QStringLiteral("자동 CC 안함"), "chkCcNot");
  posGrid->addWidget(SetDrawAutoChk);
  posGrid->addWidget(chkCcNot);

  // The card network.
  QGroupBox *card = frame(this, QStringLiteral("카드 설정"), 5);
  auto *cardLayout = new QVBoxLayout(card);
  {
    auto *g = new QGroupBox(card);
    g->setObjectName("Frame1_12");
    g->setFlat(true);
    auto *grid = new QGridLayout(g);
    SetVanOpt = options(g, grid, "SetVanOpt",
                        {"?", "KiCC", "?", QStringLiteral("사용 안함"), QStringLiteral("퍼스트데이터"),
                         QStringLiteral("스마트로"), "?", "?", "?", QStringLiteral("나이스"), "KIS"},
                        4, {3, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10});
    SetVanDanChk = check(g, "KiS-SP100", "SetVanDanChk");
    SetVanDanChk->setToolTip(QStringLiteral("외부서명용 ( 사용안함 )"));
    grid->addWidget(SetVanDanChk, 2, 3);
    cardLayout->addWidget(g);
  }
  txtCDCount = edit(card, "txtCDCount");
  txtDanNo = edit(card, "txtDanNo");
  txtDanNo->setToolTip(QStringLiteral("제품일련번호"));
  txtServerIP = edit(card, "txtServerIP");
  txtPortNo = edit(card, "txtPortNo");
  chkSignPad = check(card, QStringLiteral("싸인패드사용"), "chkSignPad");
  chkSignPad->setToolTip(QStringLiteral("현금영수증-KeyIn용 ( KiS-SP100 )"));
  txtSignPortNo = edit(card, "txtSignPortNo");
  chkSign0 = check(card, "Sign0", "chkSign0");
  IpPortCmd = button(card, "IP,Port", "IpPortCmd");
  CardTableCmd = button(card, QStringLiteral("카드사 테이블생성"), "CardTableCmd");
  {
    auto *f = new QFormLayout;
    auto *cd = new QHBoxLayout;
    cd->addWidget(txtCDCount);
    auto *warn = new QLabel(QStringLiteral("* 임의 변경시 카드승인 문제발생 !"), card);
    warn->setObjectName("lblCdWarn");
    warn->setStyleSheet(QStringLiteral("color: red"));
    cd->addWidget(warn);
    f->addRow(QStringLiteral("카드전문번호"), cd);
    f->addRow(QStringLiteral("단말기"), txtDanNo);
    auto *ip = new QHBoxLayout;
    ip->addWidget(txtServerIP);
    ip->addWidget(new QLabel("PORT", card));
    ip->addWidget(txtPortNo);
    ip->addWidget(IpPortCmd);
    f->addRow("IP", ip);
    auto *sign = new QHBoxLayout;
    sign->addWidget(chkSignPad);
    sign->addWidget(new QLabel(QStringLiteral("포트"), card));
    sign->addWidget(txtSignPortNo);
    sign->addWidget(chkSign0);
    f->addRow(sign);
    f->addRow(CardTableCmd);
    cardLayout->addLayout(f);
  }
  FdwFme = new QGroupBox(QStringLiteral("퍼스트데이터"), card);
  FdwFme->setObjectName("FdwFme");
  FdwStartCmd = button(FdwFme, QStringLiteral("Win4POS구동"), "FdwStartCmd");
  FdwEndCmd = button(FdwFme, QStringLiteral("Win4POS종료"), "FdwEndCmd");
  FdwSetsCmd = button(FdwFme, QStringLiteral("장치설정"), "FdwSetsCmd");
  FdwPosCmd = button(FdwFme, QStringLiteral("POS인증"), "FdwPosCmd");
  FdwReaderCmd = button(FdwFme, QStringLiteral("리더기무결성"), "FdwReaderCmd");
  {
    auto *l = new QGridLayout(FdwFme);
    QPushButton *all[] = {FdwStartCmd, FdwEndCmd, FdwSetsCmd, FdwPosCmd, FdwReaderCmd};
    for (int i = 0; i < 5; ++i) l->addWidget(all[i], i / 3, i % 3);
  }
  cardLayout->addWidget(FdwFme);

  // Others.
  QGroupBox *other = frame(this, QStringLiteral("기타 설정"), 3);
  txtSaupNo = edit(other, "txtSaupNo");
  chkCcBcp = check(other, "CC+", "chkCcBcp");
  chkCstAll = check(other, QStringLiteral("전체고객"), "chkCstAll");
  {
    auto *f = new QFormLayout(other);
    f->addRow(QStringLiteral("사업자등록번호"), txtSaupNo);
    auto *row = new QHBoxLayout;
    row->addWidget(chkCcBcp);
    row->addWidget(chkCstAll);
    f->addRow(row);
  }

  // This PC's devices.
  auto *devices = new QGroupBox(QStringLiteral("이 PC 장치"), this);
  devices->setObjectName("DeviceFme");
  {
    auto *f = new QFormLayout(devices);
    for (const DeviceKey &d : DeviceKeys()) {
      QLineEdit *e = edit(devices, d.key);
      DeviceBoxes << e;
      f->addRow(QString::fromUtf8(d.label), e);
    }
  }

  // Printer-port panel, device help, buttons.
  PrnPortPnl = new QFrame(this);
  PrnPortPnl->setObjectName("PrnPortPnl");
  PrnPortPnl->setAutoFillBackground(true);
  PrnPortPnl->setStyleSheet(QStringLiteral("QFrame#PrnPortPnl { background: rgb(255,255,128); }"));
  {
    auto *l = new QVBoxLayout(PrnPortPnl);
    const char *ports[] = {"LPT1", "LPT2", "COM1", "COM2", "COM3", "COM4",
                           "COM5", "COM6", "COM7", "COM8"};
    for (int i = 1; i <= 10; ++i) {
      QPushButton *b = button(PrnPortPnl, ports[i - 1],
                              QStringLiteral("PrnLptComBtn_%1").arg(i).toLatin1().constData());
      connect(b, &QPushButton::clicked, this, [this, i] { PrnLptComBtn_Click(i); });
      l->addWidget(b);
    }
    QPushButton *close = button(PrnPortPnl, QStringLiteral("닫기"), "PrnLptComBtn_0");
    connect(close, &QPushButton::clicked, this, [this] { PrnLptComBtn_Click(0); });
    l->addWidget(close);
  }
  PrnPortPnl->hide();

  JangbiFme = new QGroupBox(QStringLiteral("장비정보"), this);
  JangbiFme->setObjectName("JangbiFme");
  JangbiLbl = new QLabel(JangbiFme);
  JangbiLbl->setObjectName("JangbiLbl");
  JangbiLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
  (new QVBoxLayout(JangbiFme))->addWidget(JangbiLbl);
  JangbiFme->hide();
  JangbiCmd = button(this, "?", "JangbiCmd");

  cmdExit = button(this, QStringLiteral("취소"), "cmdExit");
  cmdSave = button(this, QStringLiteral("저장후 종료"), "cmdSave");
  PcSaveCmd = button(this, QStringLiteral("메인DB로저장"), "PcSaveCmd");
  PcLoadCmd = button(this, QStringLiteral("메인DB에서가져옴"), "PcLoadCmd");
  PcDeltCmd = button(this, QStringLiteral("메인DB삭제"), "PcDeltCmd");

  auto *grid = new QGridLayout;
  grid->addWidget(basic, 0, 0, 2, 1);
  grid->addWidget(mainFrame, 0, 1);
  grid->addWidget(posFrame, 1, 1);
  grid->addWidget(pos, 0, 2, 3, 1);
  grid->addWidget(PrnPortPnl, 0, 3, 3, 1);
  grid->addWidget(card, 0, 4, 2, 1);
  grid->addWidget(other, 2, 0);
  grid->addWidget(devices, 2, 1);
  grid->addWidget(JangbiFme, 2, 4);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(JangbiCmd);
  buttons->addWidget(PcSaveCmd);
  buttons->addWidget(PcLoadCmd);
  buttons->addWidget(PcDeltCmd);
  buttons->addStretch();
  buttons->addWidget(cmdSave);
  buttons->addWidget(cmdExit);
  auto *main = new QVBoxLayout(this);
  main->addLayout(grid);
  main->addLayout(buttons);

  // Entry properties (the leave rules are in the field rules' file).
  for (QLineEdit *pwd : {txtMainPWD, txtPosPWD}) {
    pwd->setEchoMode(QLineEdit::Password);
    pwd->setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhHiddenText);
  }
  for (QLineEdit *latin : {txtOrvID, txtOrvPwd, txtCDCount})
    latin->setInputMethodHints(Qt::ImhLatinOnly);
  txtPosNo->setMaxLength(3);
  for (QLineEdit *e : findChildren<QLineEdit *>()) e->installEventFilter(this);
  PrnPortLbl->installEventFilter(this);

  connect(cmdSave, &QPushButton::clicked, this, &frmSetup::cmdSave_Click);
  connect(cmdExit, &QPushButton::clicked, this, &frmSetup::cmdExit_Click);
  connect(SetVanOpt, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) SetVanOpt_Click(id);
  });
  connect(SetVanDanChk, &QCheckBox::toggled, this,
          [](bool on) { giSetVanDan = on ? 1 : 0; });
  connect(IpPortCmd, &QPushButton::clicked, this, &frmSetup::IpPortCmd_Click);
  connect(CardTableCmd, &QPushButton::clicked, this, &frmSetup::CardTableCmd_Click);
  connect(OrvMainCmd, &QPushButton::clicked, this, &frmSetup::OrvMainCmd_Click);
  connect(OrvPosCmd, &QPushButton::clicked, this, &frmSetup::OrvPosCmd_Click);
  connect(JangbiCmd, &QPushButton::clicked, this, &frmSetup::JangbiCmd_Click);
  connect(FdwStartCmd, &QPushButton::clicked, this, &frmSetup::FdwStartCmd_Click);
  connect(FdwEndCmd, &QPushButton::clicked, this, &frmSetup::FdwEndCmd_Click);
  connect(FdwSetsCmd, &QPushButton::clicked, this, &frmSetup::FdwSetsCmd_Click);
  connect(FdwPosCmd, &QPushButton::clicked, this, &frmSetup::FdwPosCmd_Click);
  connect(FdwReaderCmd, &QPushButton::clicked, this, &frmSetup::FdwReaderCmd_Click);
  connect(PcSaveCmd, &QPushButton::clicked, this, &frmSetup::PcSaveCmd_Click);
  connect(PcLoadCmd, &QPushButton::clicked, this, &frmSetup::PcLoadCmd_Click);
  connect(PcDeltCmd, &QPushButton::clicked, this, &frmSetup::PcDeltCmd_Click);
}

void frmSetup::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (!loaded_) Form_Load();
}

void frmSetup::Form_Load() {
  loaded_ = true;
  restart_ = 0;
  LoadPosSettings();
  ShowSetupValues();
  for (int i = 0; i < DeviceBoxes.size(); ++i)
    DeviceBoxes[i]->setText(
        settings_store::GetSetting(QString::fromLatin1(DeviceKeys()[i].key)).trimmed());
  ShowDeviceHelp();
}

QList<QPair<QString, QString>> frmSetup::DeviceValues() const {
  QList<QPair<QString, QString>> out;
  for (int i = 0; i < DeviceBoxes.size(); ++i)
    out.append({QString::fromLatin1(DeviceKeys()[i].key), DeviceBoxes[i]->text().trimmed()});
  return out;
}

void frmSetup::TakeDeviceValues() {
  // A device key of the settings set goes into its global too, so that the save writes
  // the box and not the value loaded.
  for (const auto &[key, value] : DeviceValues())
    if (const PosSettingKey *k = PosSettingKeyNamed(key)) k->Load(value);
}

void frmSetup::cmdSave_Click() {
  LeaveFocusedBox();
  if (!ReadSetupValues()) return;
  TakeDeviceValues();
  if (!SavePosSettings(DeviceValues())) {
    dialogs::Info(QStringLiteral("설정 파일에 쓸 수 없습니다 : ") + settings_store::FilePath(),
                  windowTitle());
    return;
  }
  endRequested_ = true;
  accept();
}

void frmSetup::cmdExit_Click() {
  if (restart_ != 0) endRequested_ = true;
  QDialog::reject();
}

void frmSetup::reject() { cmdExit_Click(); }

void frmSetup::SetVanOpt_Click(int index) {
  giSetVan = int16_t(index);
  FdwFme->setEnabled(SetVanOpt->checkedId() == 4);
}

void frmSetup::IpPortCmd_Click() {
  const settings::VanDefaults *d = settings::VanDefaultsOf(giSetVan);
  if (!d) return;
  auto fill = [](QLineEdit *box, const char *text) {
    if (text) box->setText(QString::fromLatin1(text));
  };
  fill(txtDanNo, d->danNo);
  fill(txtServerIP, d->ip);
  fill(txtPortNo, d->port);
}

void frmSetup::JangbiCmd_Click() { JangbiFme->setVisible(!JangbiFme->isVisible()); }

void frmSetup::PrnPortLbl_Click() { PrnPortPnl->setVisible(!PrnPortPnl->isVisible()); }

void frmSetup::PrnLptComBtn_Click(int index) {
  PrnPortPnl->hide();
  if (index < 1 || index > 10) return;
  static const char *kPorts[] = {"LPT1", "LPT2", "COM1", "COM2", "COM3",
                                 "COM4", "COM5", "COM6", "COM7", "COM8"};
  txtPrnPort->setText(QString::fromLatin1(kPorts[index - 1]));
  txtPrnPort->setFocus();
}

void frmSetup::ShowDbError(const db::DbError &e) {
  dialogs::Critical(ErrorBoxText(e.Number, e.Description), windowTitle());
}
