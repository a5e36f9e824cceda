#include "van/frmMsgBox.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/keys.h"
#include "platform/mouse.h"
#include "platform/widget_colors.h"
#include "van/card_state.h"

QString gsMsgBoxTitle;
QString gsMsgBoxText;


frmMsgBox::frmMsgBox(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmMsgBox"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  // 5295 x 3855 twips at 15 twips a pixel.
  setFixedSize(353, 257);
  orv::colors::SetBack(this, orv::colors::Rgb(192, 192, 255));
  QFont bold;
  bold.setBold(true);
  bold.setPointSizeF(14.25);
  MeMsgLbl = new QLabel(this);
  MeMsgLbl->setObjectName(QStringLiteral("MeMsgLbl"));
  MeMsgLbl->setGeometry(16, 12, 321, 231 - 12 - 30);
  MeMsgLbl->setWordWrap(true);
  MeMsgLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  MeMsgLbl->setFont(bold);
  MeMsgLbl->setAutoFillBackground(true);
  orv::colors::SetBack(MeMsgLbl, orv::colors::Rgb(224, 224, 224));
  MeCloseCmd = new QPushButton(QStringLiteral("닫기"), this);
  MeCloseCmd->setObjectName(QStringLiteral("MeCloseCmd"));
  MeCloseCmd->setGeometry(278, 206, 57, 35);
  MeCloseCmd->setFont(bold);
  MeCloseCmd->setAutoDefault(false);
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  connect(MeCloseCmd, &QPushButton::clicked, this, [this] { MeCloseCmd_Click(); });
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  // Enter and Esc close the window whichever control has the focus.
  orv::formkeys::InstallKeyPreview(this, {[this](int &key, int) {
                                            if (key == orv::keys::vbKeyReturn ||
                                                key == orv::keys::vbKeyEscape) {
                                              key = 0;
                                              MeCloseCmd_Click();
                                            }
                                          },
                                          {},
                                          {}});

  giMsgBoxOpen = 1;
  Timer1->setInterval(1000);
  Timer1->start();
  setWindowTitle(gsMsgBoxTitle);
  MeMsgLbl->setText(gsMsgBoxText);
  // The hourglass of the form underneath must not hide that this window waits for a person.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  arrow_ = true;
  MeCloseCmd->setFocus(Qt::OtherFocusReason);
}

frmMsgBox::~frmMsgBox() {
  giMsgBoxOpen = 0;
  if (arrow_) QApplication::restoreOverrideCursor();
}

void frmMsgBox::MeCloseCmd_Click() { accept(); }

void frmMsgBox::Timer1_Timer() {
  if (!isVisible()) return;
  raise();
  activateWindow();
  // A pointer resting on the close button closes the window; elsewhere nothing happens.
  orv::mouse::MouseLeftClick(*this);
}

void frmMsgBox::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape) return MeCloseCmd_Click();
  QDialog::keyPressEvent(event);
}

void frmMsgBox::closeEvent(QCloseEvent *event) {
  Timer1->stop();
  giMsgBoxOpen = 0;
  QDialog::closeEvent(event);
}

void frmMsgBox::done(int r) {
  Timer1->stop();
  giMsgBoxOpen = 0;
  if (arrow_) {
    QApplication::restoreOverrideCursor();
    arrow_ = false;
  }
  QDialog::done(r);
}

void ShowCardMsgBox(QWidget *parent, const QString &title, const QString &text) {
  if (giMsgBoxOpen != 0) return;
  gsMsgBoxTitle = title;
  gsMsgBoxText = text;
  frmMsgBox form(parent);
  orv::dialogs::ShowModal(form);
}
