#include "settings/frmConfig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/connections.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "settings/setup_parts.h"
#include "settings/van_defaults.h"

using namespace orv;

namespace {

QLineEdit *edit(QWidget *parent, const char *name) {
  auto *e = new QLineEdit(parent);
  e->setObjectName(name);
  return e;
}

QComboBox *list(QWidget *parent, const char *name) {
  auto *c = new QComboBox(parent);
  c->setObjectName(name);
  return c;
}

QPushButton *button(QWidget *parent, const QString &caption, const char *name) {
  auto *b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

// A stored value outside the list shows its first entry.
void showPosition(QComboBox *c, int16_t value) {
  c->setCurrentIndex(value >= 0 && value < c->count() ? value : 0);
}

}  // namespace

frmConfig::frmConfig(QWidget *parent) : QDialog(parent) {
  setObjectName("frmConfig");
  setWindowTitle(QStringLiteral("설정작업"));
  txtPosNo = edit(this, "txtPosNo");
  txtJulsa = edit(this, "txtJulsa");
  txtPosJumsu = edit(this, "txtPosJumsu");
  txtPosJumsu->setReadOnly(true);
  txtPosJumsu->setFocusPolicy(Qt::NoFocus);
  txtPosJumsu->setStyleSheet(QStringLiteral("background: lightgray"));
  cboPos = list(this, "cboPos");
  cboKeyboard = list(this, "cboKeyboard");
  cboPrint = list(this, "cboPrint");
  cboDisplay = list(this, "cboDisplay");
  cboCoin = list(this, "cboCoin");
  cboDraw = list(this, "cboDraw");
  ComVan = list(this, "ComVan");
  txtPrnPort = edit(this, "txtPrnPort");
  txtPrnWait = edit(this, "txtPrnWait");
  txtDisPortNo = edit(this, "txtDisPortNo");
  txtCoinPortNo = edit(this, "txtCoinPortNo");
  txtDanNo = edit(this, "txtDanNo");
  txtServerIP = edit(this, "txtServerIP");
  txtPortNo = edit(this, "txtPortNo");
  txtScan = edit(this, "txtScan");
  txtScanPort = edit(this, "txtScanPort");
  txtSignPortNo = edit(this, "txtSignPortNo");
  txtSaupNo = edit(this, "txtSaupNo");
  txtSerialNo = edit(this, "txtSerialNo");
  chkScanXonOff = new QCheckBox(QStringLiteral("양방향"), this);
  chkScanXonOff->setObjectName("chkScanXonOff");
  chkSignPad = new QCheckBox(QStringLiteral("싸인패드사용"), this);
  chkSignPad->setObjectName("chkSignPad");
  chkBarCd = new QCheckBox(QStringLiteral("단순영수증(전체)"), this);
  chkBarCd->setObjectName("chkBarCd");
  chkCard = new QCheckBox(QStringLiteral("단순영수증(카드)"), this);
  chkCard->setObjectName("chkCard");
  for (QCheckBox *c : {chkBarCd, chkCard}) {
    c->setEnabled(false);
    c->hide();
  }
  optG1 = new QRadioButton(QStringLiteral("소매"), this);
  optG1->setObjectName("optG1");
  optG2 = new QRadioButton(QStringLiteral("도매"), this);
  optG2->setObjectName("optG2");
  optG1->setChecked(true);
  Command1 = button(this, "S", "Command1");
  Command2 = button(this, QStringLiteral("카드사 테이블생성"), "Command2");
  cmdOk = button(this, QStringLiteral("완료"), "cmdOk");
  cmdExit = button(this, QStringLiteral("취소"), "cmdExit");

  auto *f = new QFormLayout;
  auto pair = [this](QWidget *a, const QString &label, QWidget *b) {
    auto *h = new QHBoxLayout;
    h->addWidget(a);
    if (!label.isEmpty()) h->addWidget(new QLabel(label, this));
    if (b) h->addWidget(b);
    return h;
  };
  f->addRow(QStringLiteral("계산대번호"), txtPosNo);
  f->addRow(QStringLiteral("절사"),
            pair(txtJulsa, QStringLiteral("*.절사-->0:무조건절사, 1:6원부터 올림"), nullptr));
  f->addRow(QStringLiteral("고객점수"), txtPosJumsu);
  f->addRow(QStringLiteral("포    스"),
            pair(cboPos, QStringLiteral("*.Tps-75ii셋팅시 Cdp->Com6(Irq=11,리소스=548-54F)"), nullptr));
  f->addRow(QStringLiteral("키  보  드"), cboKeyboard);
  f->addRow(QStringLiteral("프  린  터"), pair(cboPrint, QString(), txtPrnPort));
  f->addRow(QStringLiteral("Wait"), txtPrnWait);
  f->addRow(QStringLiteral("디스플레이"), pair(cboDisplay, QStringLiteral("포트"), txtDisPortNo));
  f->addRow(QStringLiteral("동전계수기"), pair(cboCoin, QStringLiteral("포트"), txtCoinPortNo));
  f->addRow(QStringLiteral("돈     통"), cboDraw);
  f->addRow(QStringLiteral("밴업체"), pair(ComVan, QString(), Command1));
  f->addRow(QStringLiteral("단말기"), txtDanNo);
  f->addRow("IP", pair(txtServerIP, "PORT", txtPortNo));
  f->addRow(QStringLiteral("스캐너 설정"), pair(txtScan, QStringLiteral("포트"), txtScanPort));
  f->addRow(chkScanXonOff);
  f->addRow(pair(chkSignPad, QString(), txtSignPortNo));
  f->addRow(QStringLiteral("사업번호"), txtSaupNo);
  f->addRow(QStringLiteral("시 리 얼"),
            pair(txtSerialNo, QStringLiteral("(KOCES사용시 시리얼입력)"), nullptr));
  auto *kind = new QGroupBox(QStringLiteral("도소매 구분"), this);
  auto *kindLayout = new QHBoxLayout(kind);
  kindLayout->addWidget(optG1);
  kindLayout->addWidget(optG2);
  kindLayout->addWidget(new QLabel(QStringLiteral("*.주문전표 사용시 도매로 세팅"), kind));
  f->addRow(kind);
  f->addRow(chkBarCd);
  f->addRow(chkCard);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(Command2);
  buttons->addWidget(new QLabel(QStringLiteral("* ESC:취소"), this));
  buttons->addStretch();
  buttons->addWidget(cmdOk);
  buttons->addWidget(cmdExit);
  auto *main = new QVBoxLayout(this);
  main->addLayout(f);
  main->addLayout(buttons);

  connect(ComVan, &QComboBox::currentIndexChanged, this, &frmConfig::ComVan_Click);
  connect(chkSignPad, &QCheckBox::toggled, this, &frmConfig::chkSignPad_Click);
  connect(Command1, &QPushButton::clicked, this, &frmConfig::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &frmConfig::Command2_Click);
  connect(cmdOk, &QPushButton::clicked, this, &frmConfig::cmdOk_Click);
  connect(cmdExit, &QPushButton::clicked, this, &frmConfig::cmdExit_Click);
}

frmConfig::~frmConfig() { mainDb_.Close(); }

void frmConfig::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (!loaded_) Form_Load();
  Form_Activate();
}

void frmConfig::Form_Load() {
  loaded_ = true;
  {
    const QSignalBlocker block(ComVan);
    const QList<std::pair<QComboBox *, QStringList>> lists = {
        {ComVan,
         {"0", "KiCC", "2", QStringLiteral("사용안함"), "FDK", "SMARTRO", "6", "7", "8", "NiCE",
          "KiS"}},
        {cboPos, {QStringLiteral("일반PC"), "TPS-75II", "VPS-7700", "CPT-1000", "PT-1120", "PT-1110"}},
        {cboKeyboard,
         {QStringLiteral("일반키보드"), QStringLiteral("삼보-84키"), QStringLiteral("삼성-80키"),
          QStringLiteral("삼성-98키"), QStringLiteral("삼성-111키")}},
        {cboPrint,
         {QStringLiteral("없음"), "TPS-200", "TMU-T88II", "STP-131", "WTP-100", "Prinche-III"}},
        {cboDisplay,
         {QStringLiteral("없음"), "CD-7220", "CD-8240", "CD-2532", "USB-COM3",
          QStringLiteral("LCD모니터"), QStringLiteral("삼보"), "SD2000"}},
        {cboCoin, {QStringLiteral("없음"), QStringLiteral("CM1(구형)"), QStringLiteral("CM1(신형)")}},
        {cboDraw, {QStringLiteral("없음"), QStringLiteral("직접연결"), QStringLiteral("프린터연결")}},
    };
    for (const auto &[box, items] : lists) {
      box->clear();
      box->addItems(items);
    }
  }
  LoadPosSettings();
  txtPosNo->setText(QString::number(giSetPosNo));
  txtJulsa->setText(QString::number(giSetJulsa));
  showPosition(cboPos, giSetPos);
  showPosition(cboKeyboard, giSetKey);
  showPosition(cboPrint, giSetPrint);
  if (gsSetPrnPort.isEmpty()) gsSetPrnPort = QStringLiteral("LPT1");
  if (giSetPrnWait == 0) giSetPrnWait = 1;
  txtPrnPort->setText(gsSetPrnPort);
  txtPrnWait->setText(QString::number(giSetPrnWait));
  showPosition(cboDisplay, giSetDisp);
  txtDisPortNo->setText(QString::number(giSetDisPortNo));
  showPosition(cboCoin, giSetCoin);
  txtCoinPortNo->setText(QString::number(giSetCoinPortNo));
  showPosition(cboDraw, giSetDraw);
  // The list runs its click whether or not the position moves.
  const int before = ComVan->currentIndex();
  showPosition(ComVan, giSetVan);
  if (ComVan->currentIndex() == before) ComVan_Click();
  txtDanNo->setText(gsSetDanId);
  txtServerIP->setText(gsSetServerIp);
  txtPortNo->setText(gsSetServerPort);
  txtScan->setText(gsSetScan);
  if (giSetScanPort == 0) giSetScanPort = 1;
  txtScanPort->setText(QString::number(giSetScanPort));
  chkScanXonOff->setChecked(giSetScanXonOff == 1);
  chkSignPad->setChecked(giSetSignPad == 1);  // a stored 1 runs the sign-pad click
  txtSignPortNo->setText(QString::number(giSetSignPortNo));
  txtSaupNo->setText(gsSaupNo);
  txtSerialNo->setText(gsSetSerialNo);
  mainDbError_.clear();
  OpenDbConnection(mainDb_, 0, &mainDbError_);
  txtPosJumsu->setText(QString::number(GetRegIntOn(mainDb_, "PosCstJumsu")));
  chkCard->setChecked(GetRegIntOn(mainDb_, "PosPrnFreeze") == 1);
  chkBarCd->setChecked(GetRegIntOn(mainDb_, "PosCardFreeze") == 1);
}

void frmConfig::ComVan_Click() {
  const int pos = ComVan->currentIndex();
  const QString server = settings::VanServerAddress(int16_t(pos));
  const bool sign = chkSignPad->isChecked();
  switch (pos) {
    case 1:
      gsDeSet.clear();
      gsGMDown.clear();
      txtDanNo->clear();
      txtServerIP->setText(server);
      txtPortNo->setText(sign ? "15700" : "5500");
      break;
    case 2:
      if (activated_) Command1_Click();
      break;
    case 5:
      gsDeSet.clear();
      gsGMDown.clear();
      txtServerIP->setText(server);
      txtPortNo->setText(sign ? "5500" : "5801");
      break;
    case 8:
      txtDanNo->clear();
      txtServerIP->setText(server);
      txtPortNo->setText("10015");
      break;
    case 9:
      txtDanNo->clear();
      txtServerIP->setText(server);
      txtPortNo->setText("7704");
      break;
    default:
      break;
  }
}

void frmConfig::chkSignPad_Click() {
  // By the network stored when the screen opened, not the list's choice.
  const bool sign = chkSignPad->isChecked();
  if (giSetVan == 1) {
    txtServerIP->setText(settings::VanServerAddress(1));
    txtPortNo->setText(sign ? "15700" : "5500");
  } else if (giSetVan == 5) {
    gsDeSet.clear();
    gsGMDown.clear();
    txtServerIP->setText(settings::VanServerAddress(5));
    txtPortNo->setText(sign ? "5500" : "5801");
  }
}

void frmConfig::Command1_Click() {
  txtDanNo->setText(gsSetDanId);
  txtServerIP->setText(gsSetServerIp);
  txtPortNo->setText(gsSetServerPort);
}

bool frmConfig::TakeControls() {
  const auto blankTo = [](QLineEdit *box, const char *text) {
    if (box->text().trimmed().isEmpty()) box->setText(QString::fromLatin1(text));
  };
  blankTo(txtPrnPort, "LPT1");
  blankTo(txtPrnWait, "1");
  blankTo(txtScanPort, "1");
  struct Number {
    QLineEdit *box;
    int16_t *global;
    const char *label;
  };
  const Number numbers[] = {
      {txtPosNo, &giSetPosNo, "계산대번호"},   {txtPrnWait, &giSetPrnWait, "Wait"},
      {txtDisPortNo, &giSetDisPortNo, "디스플레이 포트"},
      {txtCoinPortNo, &giSetCoinPortNo, "동전계수기 포트"},
      {txtScanPort, &giSetScanPort, "스캐너 포트"},
      {txtSignPortNo, &giSetSignPortNo, "싸인패드 포트"},  // last, as it always was
  };
  for (const Number &n : numbers)
    if (!settings::WholeNumber16(n.box->text().trimmed())) {
      dialogs::Info(QStringLiteral("* %1 : -32768 에서 32767 사이의 숫자를 입력하세요 !")
                        .arg(QString::fromUtf8(n.label)),
                    QStringLiteral("입력오류"));
      n.box->setFocus();
      return false;
    }
  giSetJulsa = int16_t(GetRegIntOn(mainDb_, "PosJulRound"));
  giSetPos = int16_t(cboPos->currentIndex());
  giSetKey = int16_t(cboKeyboard->currentIndex());
  giSetPrint = int16_t(cboPrint->currentIndex());
  gsSetPrnPort = txtPrnPort->text().trimmed();
  giSetDisp = int16_t(cboDisplay->currentIndex());
  giSetCoin = int16_t(cboCoin->currentIndex());
  giSetDraw = int16_t(cboDraw->currentIndex());
  giSetVan = int16_t(ComVan->currentIndex());
  gsSetDanId = txtDanNo->text();
  gsSetServerIp = txtServerIP->text();
  gsSetServerPort = txtPortNo->text();
  gsSetScan = txtScan->text();
  giSetScanXonOff = chkScanXonOff->isChecked() ? 1 : 0;
  giSetSignPad = chkSignPad->isChecked() ? 1 : 0;
  gsSaupNo = txtSaupNo->text().trimmed();
  gsSetSerialNo = txtSerialNo->text().trimmed();
  for (const Number &n : numbers) *n.global = *settings::WholeNumber16(n.box->text().trimmed());
  return true;
}

void frmConfig::cmdOk_Click() {
  const std::optional<QString> answer =
      dialogs::InputBox(QStringLiteral("설정 비밀번호를 입력하세요"),
                        QStringLiteral("설정 비밀번호 입력"), QStringLiteral("0"));
  if (answer.value_or(QString()) != QLatin1String(settings::kSettingsPassword)) {
    dialogs::Info(QStringLiteral("설정이 적용되지 않았습니다."), QStringLiteral("설정적용 실패"));
    QDialog::reject();
    return;
  }
  if (!TakeControls()) return;
  if (!SavePosSettings()) {
    dialogs::Info(QStringLiteral("설정 파일에 쓸 수 없습니다 : ") + settings_store::FilePath(),
                  QStringLiteral("설정적용 실패"));
    return;
  }
  dialogs::Info(QStringLiteral("설정을 적용하려면 프로그램을 다시 시작해야 합니다."),
                QStringLiteral("프로그램 종료"));
  accept();
}

void frmConfig::cmdExit_Click() {
  dialogs::Info(QStringLiteral("설정이 적용되지 않았습니다."), QStringLiteral("프로그램 재시작"));
  QDialog::reject();
}
