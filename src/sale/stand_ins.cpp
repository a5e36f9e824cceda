#include "sale/stand_ins.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/dialogs.h"
#include "sale/sale_globals.h"

StandInForm::StandInForm(const QString &name, const QString &caption, const QString &note,
                         QWidget *parent)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(caption);
  auto *l = new QVBoxLayout(this);
  auto *text = new QLabel(caption + QStringLiteral("\n\n") + note +
                              QStringLiteral("\n\n(Esc: 닫기)"),
                          this);
  text->setWordWrap(true);
  l->addWidget(text);
  auto *close = new QPushButton(QStringLiteral("닫기"), this);
  close->setObjectName(QStringLiteral("cmdClose"));
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  l->addWidget(close);
  resize(360, 180);
}

int ShowStandIn(const QString &name, const QString &caption, const QString &note,
                QWidget *parent) {
  StandInForm form(name, caption, note, parent);
  return orv::dialogs::ShowModal(form);
}

void ShowfrmTrsHelp(QWidget *parent) {
  giHelpRet = 0;
  ShowStandIn(QStringLiteral("frmTrsHelp"), QStringLiteral("거래처 조회"),
              QStringLiteral("거래처 조회창은 조회 화면 작업에서 만들어집니다."), parent);
}

void ShowfrmCust(QWidget *parent) {
  giHelpRet = 0;
  gcHelpNo = {};
  gsCstHelpNo.clear();
  ShowStandIn(QStringLiteral("frmCust"), QStringLiteral("고객 조회"),
              QStringLiteral("고객 조회창은 조회 화면 작업에서 만들어집니다."), parent);
}
