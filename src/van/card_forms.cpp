#include "van/card_forms.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "chit/pan_money.h"
#include "chit/pos_logs.h"
#include "chit/records.h"
#include "core/card_ret.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "van/card_log.h"

namespace {
const QString kTestMark = QStringLiteral("TEST");
}

CardStandIn::CardStandIn(const QString &name, const QString &caption, QWidget *parent)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(caption + QStringLiteral(" (시험용)"));
  auto *lay = new QVBoxLayout(this);
  lblMsg = new QLabel(QStringLiteral("카드망 연결 전의 시험용 화면입니다. 승인은 시험 승인으로 기록됩니다."), this);
  lblMsg->setObjectName("lblMsg");
  lblMsg->setWordWrap(true);
  txtiGum = new QLineEdit(this);
  txtiGum->setObjectName("txtiGum");
  txtiGum->setText(FmtAmt(gtCardRet.Gum, 0));
  cmdOk = new QPushButton(QStringLiteral("시험 승인"), this);
  cmdOk->setObjectName("cmdOk");
  cmdCancel = new QPushButton(QStringLiteral("취소(Esc)"), this);
  cmdCancel->setObjectName("cmdCancel");
  for (QPushButton *b : {cmdOk, cmdCancel}) b->setAutoDefault(false);
  lay->addWidget(lblMsg);
  lay->addWidget(txtiGum);
  lay->addWidget(cmdOk);
  lay->addWidget(cmdCancel);
  connect(cmdOk, &QPushButton::clicked, this, [this] {
    Approve();
    accept();
  });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  giCardOk = 0;
}

void CardStandIn::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape) reject();
}

void CardStandIn::FillTestApproval() {
  const QDateTime now = orv::clock::Now();
  gtCardRet.CardName = kTestMark;
  gtCardRet.MeipCode = "00";
  gtCardRet.MeipName = kTestMark;
  gtCardRet.CardNo = "0000-00**-****-0000";
  gtCardRet.CardDate = "0000";
  gtCardRet.Gum = NzCur(DelChar(txtiGum->text(), ","));
  gtCardRet.CmitNo = kTestMark + now.toString("HHmmss");
  gtCardRet.CmitDate = now.toString("yyyyMMdd");
  gtCardRet.GamyNo = kTestMark;
  giCardOk = 1;
}

frmMoneyChk::frmMoneyChk(QWidget *parent)
    : CardStandIn(QStringLiteral("frmMoneyChk"), QStringLiteral("현금영수증"), parent) {
  ClearPanMoneyRecord();
  txtiGum->setText(FmtAmt(gcMoneyChkGum, 0));
  txtNo = new QLineEdit(this);
  txtNo->setObjectName("txtNo");
  layout()->addWidget(txtNo);
  cmdOk->setText(QStringLiteral("시험 발급"));
}
void frmMoneyChk::Approve() {
  const QDateTime now = orv::clock::Now();
  PanMoneyRec &m = gtPanMoney;
  m.PmoYear = giWrkYear;
  m.PmoMon = giWrkMonth;
  m.PmoDay = giWrkDay;
  m.PmoDate = FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0);
  m.PmoPosNo = giSetPosNo;
  m.PmoNo = 0;
  m.PmoChtNo = 0;
  m.PmoPsnKey = gcLogPsnKey;
  m.PmoCardNo = txtNo->text().trimmed();
  m.PmoWrtDate = now.toString("yyyyMMdd");
  m.PmoWrtTime = now.toString("HHmmss");
  m.PmoCmitNo = kTestMark + now.toString("HHmmss");
  m.PmoCmitDate = now.toString("yyyyMMdd");
  m.PmoHab = NzCur(DelChar(txtiGum->text(), ","));
  try {
    // The last saved chit, as the payment screen stored it.
    const int32_t lastChit =
        int32_t(NzCur(orv::settings_store::GetSetting(QStringLiteral("goSetBFChtNo"))).RoundToInt());
    WritePosLogsRow(goDbMain, lastChit, 1, 108, m.PmoCardNo, m.PmoHab.ToPlainText(),
                    m.PmoCmitNo, 0);
  } catch (const orv::db::DbError &e) {
    // The receipt is issued: a missing event row must not lose it.
    orv::dialogs::Plain(QStringLiteral("오류내용 : ") + e.Description);
  }
  gtPanChit.PctSss5 = 1;
  gsCashRcptNo = m.PmoCardNo;
  gsCashRcptCmitNo = m.PmoCmitNo;
  giHelpRet = 1;
}

frmSupyoChk::frmSupyoChk(QWidget *parent)
    : CardStandIn(QStringLiteral("frmSupyoChk"), QStringLiteral("수표 조회"), parent) {
  txtiGum->clear();
  cmdOk->setText(QStringLiteral("조회"));
}
void frmSupyoChk::Approve() {}

QString gsMsgBoxTitle;
QString gsMsgBoxText;

KzScanFrm::KzScanFrm(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("KzScanFrm"));
  gsKzBarcode.clear();
  gsKzKakaoGbn.clear();
  gcKzDcGum = {};
  setWindowTitle(giKzPayKind == 2 ? QStringLiteral("제로페이 바코드 스캔")
                                  : QStringLiteral("카카오페이 바코드 스캔"));
  auto *lay = new QVBoxLayout(this);
  txtBarcode = new QLineEdit(this);
  txtBarcode->setObjectName("txtBarcode");
  cmdOk = new QPushButton(QStringLiteral("확인"), this);
  cmdOk->setObjectName("cmdOk");
  lay->addWidget(new QLabel(QStringLiteral("요청금액 ") + FmtAmt(gcKzReqGum, 0), this));
  lay->addWidget(txtBarcode);
  lay->addWidget(cmdOk);
  auto take = [this] {
    if (txtBarcode->text().trimmed().isEmpty()) return;
    gsKzBarcode = txtBarcode->text().trimmed();
    accept();
  };
  connect(cmdOk, &QPushButton::clicked, this, take);
  connect(txtBarcode, &QLineEdit::returnPressed, this, take);
}

void ShowKzScanFrm(QWidget *parent) {
  KzScanFrm form(parent);
  orv::dialogs::ShowModal(form);
}

frmMsgBox::frmMsgBox(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmMsgBox"));
  setWindowTitle(gsMsgBoxTitle);
  auto *lay = new QVBoxLayout(this);
  lblMsg = new QLabel(gsMsgBoxText, this);
  lblMsg->setObjectName("lblMsg");
  lblMsg->setWordWrap(true);
  auto *ok = new QPushButton(QStringLiteral("확인"), this);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  lay->addWidget(lblMsg);
  lay->addWidget(ok);
  giMsgBoxOpen = 1;
}

frmMsgBox::~frmMsgBox() { giMsgBoxOpen = 0; }

void ShowVanMessage(QWidget *parent, const QString &title, const QString &text) {
  if (giMsgBoxOpen != 0) return;
  gsMsgBoxTitle = title;
  gsMsgBoxText = text;
  frmMsgBox form(parent);
  orv::dialogs::ShowModal(form);
}
