#include "van/KzScanFrm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "core/pos_settings.h"
#include "core/text_format.h"
#include "platform/dialogs.h"
#include "platform/wait_cursor.h"
#include "platform/widget_colors.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/frmCardChk.h"
#include "van/van_approval.h"

namespace dlg = orv::dialogs;

KzScanFrm::KzScanFrm(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("KzScanFrm"));
  setWindowTitle(QStringLiteral("QR바코드스캔"));
  auto *lay = new QVBoxLayout(this);
  BarTitleLbl = new QLabel(this);
  BarTitleLbl->setObjectName("BarTitleLbl");
  BarScanTxt = new QLineEdit(this);
  BarScanTxt->setObjectName("BarScanTxt");
  BarDispLbl = new QLabel(this);
  BarDispLbl->setObjectName("BarDispLbl");
  BarEnterCmd = new QPushButton(QStringLiteral("확인"), this);
  BarEnterCmd->setObjectName("BarEnterCmd");
  BarExitCmd = new QPushButton(QStringLiteral("취소"), this);
  BarExitCmd->setObjectName("BarExitCmd");
  for (QPushButton *b : {BarEnterCmd, BarExitCmd}) {
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
  }
  for (QWidget *w : {static_cast<QWidget *>(BarTitleLbl), static_cast<QWidget *>(BarScanTxt),
                     static_cast<QWidget *>(BarDispLbl), static_cast<QWidget *>(BarEnterCmd),
                     static_cast<QWidget *>(BarExitCmd)})
    lay->addWidget(w);
  orv::colors::TintOnFocus(BarScanTxt, 0x0080FFFF);
  connect(BarEnterCmd, &QPushButton::clicked, this, [this] { BarEnterCmd_Click(); });
  connect(BarExitCmd, &QPushButton::clicked, this, [this] { BarExitCmd_Click(); });
  connect(BarScanTxt, &QLineEdit::returnPressed, this, [this] { BarEnterCmd_Click(); });

  BarTitleLbl->clear();
  if (giKzPayKind == 1) BarTitleLbl->setText(QStringLiteral("카카오페이 바코드 스캔"));
  else if (giKzPayKind == 2) BarTitleLbl->setText(QStringLiteral("제로페이 바코드 스캔"));
  BarScanTxt->clear();
  BarDispLbl->clear();
  gsKzBarcode.clear();
  gsKzKakaoGbn.clear();
  gcKzDcGum = {};
  BarEnterCmd->setEnabled(true);
  BarExitCmd->setEnabled(true);
  BarScanTxt->setFocus(Qt::OtherFocusReason);
}

void KzScanFrm::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape) {
    BarExitCmd_Click();
    return;
  }
  QDialog::keyPressEvent(event);
}

void KzScanFrm::BarExitCmd_Click() {
  BarExitCmd->setEnabled(false);
  reject();
}

QString KzScanFrm::ResolveKzBarcode() {
  if (giSetVan == 4) return RequestKakaoPayFdk(msKzScanText);
  return msKzScanText;
}

void KzScanFrm::BarEnterCmd_Click() {
  if (!BarEnterCmd->isEnabled()) return;
  std::optional<orv::WaitCursor> busy(std::in_place);
  BarEnterCmd->setEnabled(false);
  msKzScanText = BarScanTxt->text().trimmed();
  if (!msKzScanText.isEmpty()) {
    gsKzBarcode = giKzPayKind == 1 ? ResolveKzBarcode() : msKzScanText;
    BarDispLbl->setText(gsKzBarcode);
  }
  if (!gsKzBarcode.isEmpty()) {
    BarExitCmd_Click();
    return;
  }
  // A failed request empties the box for a new scan.
  if (giKzPayKind == 1 && giSetVan == 4 && !msKzScanText.isEmpty()) BarScanTxt->clear();
  BarEnterCmd->setEnabled(true);
  busy.reset();
  BarScanTxt->setFocus(Qt::OtherFocusReason);
}

QString RequestKakaoPayFdk(const QString &scanText) {
  const QList<QPair<QString, QString>> inputs = {
      {QStringLiteral("거래구분"), QStringLiteral("KAO")},
      {QStringLiteral("업무구분"), QStringLiteral("I")},
      {QStringLiteral("사업자번호"), gsSaupNo},
      {QStringLiteral("제품일련번호"), gsSetDanId},
      {QStringLiteral("요청금액"), gcKzReqGum.ToPlainText()},
      {QStringLiteral("바코드번호"), scanText},
  };
  const QString failure = FdkOpenTransaction(QStringLiteral("PAY"), inputs);
  if (!failure.isEmpty()) {
    gsFdkResCode = QStringLiteral("9998");
    gsFdkResMsg1 = failure;
    gsFdkResMsg2.clear();
  } else {
    const QString execFailure = FdkExecute();
    if (!execFailure.isEmpty()) {
      gsFdkResMsg1 = execFailure;
      gsFdkResCode = QStringLiteral("9999");
      gsFdkResMsg2.clear();
    } else {
      const std::pair<const char *, QString *> reply[] = {
          {"응답코드", &gsFdkResCode},   {"거래고유번호", &gsFdkTranUid},
          {"응답메시지1", &gsFdkResMsg1}, {"응답메시지2", &gsFdkResMsg2},
          {"알림1", &gsFdkNotice1},      {"알림2", &gsFdkNotice2},
          {"알림3", &gsFdkNotice3},      {"알림4", &gsFdkNotice4},
          {"카카오구분", &gsFdkKakaoGbn}, {"할인금액", &gsFdkDcGum}};
      for (const auto &[key, global] : reply) *global = FdkReadField(QString::fromUtf8(key));
    }
  }
  FDK_WIN4POS_Term();
  // Only a code of digits worth 0 approves: an empty or garbled one is a refusal.
  if (!FdkCodeApproves(gsFdkResCode)) {
    dlg::MsgBox(QStringLiteral("* 오류발생 !\r\nErrCode [ ") + gsFdkResCode + QStringLiteral(" ] - ") +
                    gsFdkResMsg1 + "\r\n" + gsFdkResMsg2,
                dlg::kCritical, QStringLiteral("카드재승인요청"));
    return {};
  }
  gsKzKakaoGbn = gsFdkKakaoGbn.trimmed();
  gcKzDcGum = gsKzKakaoGbn == QLatin1String("C") ? ValCur(gsFdkDcGum) : orv::Currency();
  return gsFdkTranUid;
}

void ShowKzScanFrm(QWidget *parent) {
  KzScanFrm form(parent);
  orv::dialogs::ShowModal(form);
}
