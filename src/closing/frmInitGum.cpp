#include "closing/frmInitGum.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "closing/closing_records.h"
#include "closing/closing_ui.h"
#include "core/globals.h"
#include "core/money_ops.h"
#include "core/text_format.h"
#include "platform/busy_pointer.h"
#include "platform/form_keys.h"
#include "platform/keys.h"
#include "platform/widget_colors.h"

namespace orv::closing {

using namespace orv::money;

frmInitGum::frmInitGum(QWidget *parent) : QDialog(parent) {
  setObjectName("frmInitGum");
  setWindowTitle(QStringLiteral("초기잔액 입력!"));
  auto *root = new QVBoxLayout(this);
  Label1 = new QLabel(QStringLiteral("* 초기잔액을 입력하세요 *"), this);
  Label1->setObjectName("Label1");
  Label1->setAlignment(Qt::AlignCenter);
  colors::SetBack(Label1, 0xFFC0C0);
  root->addWidget(Label1);
  auto *row = new QHBoxLayout;
  txtInitGum = new QLineEdit(this);
  txtInitGum->setObjectName("txtInitGum");
  txtInitGum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  cmdOk = new QPushButton(QStringLiteral("확 인"), this);
  cmdOk->setObjectName("cmdOk");
  colors::SetBack(cmdOk, 0x80C0FF);
  row->addWidget(txtInitGum, 1);
  row->addWidget(cmdOk);
  root->addLayout(row);
  setFixedSize(360, 110);
  connect(txtInitGum, &QLineEdit::textChanged, this, &frmInitGum::txtInitGum_Change);
  connect(cmdOk, &QPushButton::clicked, this, &frmInitGum::cmdOk_Click);
  formkeys::InstallKeyPreview(this, {[this](int &k, int) {
                                       if (k == keys::vbKeyEscape) {
                                         k = 0;
                                         reject();
                                       } else if (k == keys::vbKeyReturn &&
                                                  focusWidget() == txtInitGum) {
                                         k = 0;
                                         cmdOk_Click();
                                       }
                                     },
                                     {},
                                     {}});
  txtInitGum->setFocus();
}

void frmInitGum::txtInitGum_Change() {
  const QString shown = FmtAmt(ValCur(txtInitGum->text()), 0);
  if (shown != txtInitGum->text()) txtInitGum->setText(shown);
  txtInitGum->setCursorPosition(int(shown.size()));
}

void frmInitGum::cmdOk_Click() {
  SaveInitGum();
  accept();
}

bool frmInitGum::SaveInitGum() {
  BusyPointer busy;
  const InitGumRec keepGum = gtInitGum;
  const InitGumLogRec keepLog = gtInitGumLog;
  try {
    const Currency amount = ValCur(txtInitGum->text());
    gtInitGum.IntNGum = gtInitGum.IntNGum - gtInitGum.IntInitGum + amount;
    gtInitGum.IntInitGum = amount;
    gtInitGumLog.IntNGum = gtInitGumLog.IntNGum - gtInitGumLog.IntInitGum + amount;
    gtInitGumLog.IntInitGum = amount;
    db::Transaction tx(goDbPos);
    goDbPos.Execute(gsInitGumDelSql());
    goDbPos.Execute(gsInitGumInsSql());
    gtInitGumLog.IntSeqNo = NextInitGumLogSeq(gtInitGumLog.IntDate, gtInitGumLog.IntPosNo);
    goDbPos.Execute(gsInitGumLogInsSql());
    tx.Commit();
    return true;
  } catch (const std::exception &e) {
    gtInitGum = keepGum;
    gtInitGumLog = keepLog;
    ShowSaveFailed(e);
    return false;
  }
}

}  // namespace orv::closing
