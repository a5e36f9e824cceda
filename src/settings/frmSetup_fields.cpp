// The entry boxes of the full settings screen (focus colours, the rules run when a box is
// left) and the two connection tests.
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "core/connections.h"
#include "core/text_format.h"
#include "platform/colors.h"
#include "platform/wait_cursor.h"
#include "settings/frmSetup.h"
#include "settings/setup_parts.h"

using namespace orv;

namespace {

constexpr long kFocusBack = colors::Rgb(255, 255, 128);
constexpr long kTesting = colors::Rgb(255, 0, 255);
constexpr long kOpened = colors::Rgb(0, 128, 0);
constexpr long kFailed = colors::Rgb(192, 64, 0);

void setColor(QLineEdit *box, QPalette::ColorRole role, long bgr) {
  QPalette p = box->palette();
  p.setColor(role, colors::FromBgr(bgr));
  box->setPalette(p);
}

}  // namespace

namespace orv::settings {

QString BoxConnectionText(const QString &driver, const QString &server, const QString &uid,
                          const QString &pwd, const QString &database) {
  return db::BuildConnectionText(server, driver, uid.trimmed(), pwd.trimmed(), database.trimmed());
}

}  // namespace orv::settings

bool frmSetup::eventFilter(QObject *watched, QEvent *event) {
  if (watched == PrnPortLbl && event->type() == QEvent::MouseButtonPress) {
    PrnPortLbl_Click();
    return true;
  }
  if (auto *box = qobject_cast<QLineEdit *>(watched)) {
    if (event->type() == QEvent::FocusIn) setColor(box, QPalette::Base, kFocusBack);
    if (event->type() == QEvent::FocusOut) {
      setColor(box, QPalette::Base, colors::kWhite);
      LeaveBox(box);
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmSetup::LeaveBox(QLineEdit *box) {
  if (DeviceBoxes.contains(box)) return;  // paths keep their quotes
  // The database passwords are the server's: only blanks around them go.
  if (box == txtMainPWD || box == txtPosPWD) {
    box->setText(box->text().trimmed());
    return;
  }
  box->setText(SqlStr(box->text()));
  struct NumberBox {
    QLineEdit *box;
    int fallback;
  };
  const NumberBox numbers[] = {{txtPosNo, 1},      {txtScanPort, 1},  {txtSignPortNo, 0},
                               {txtDisPortNo, 0}, {txtCoinPortNo, 2}};
  for (const NumberBox &n : numbers) {
    if (n.box != box) continue;
    int64_t v = ValCur(box->text()).RoundToInt();
    if (v < 1 || v > 9999) v = n.fallback;
    box->setText(QString::number(v));
  }
}

void frmSetup::LeaveFocusedBox() {
  if (auto *box = qobject_cast<QLineEdit *>(focusWidget())) LeaveBox(box);
}

int16_t frmSetup::TestDbConnect(int group) {
  const bool main = group == 0;
  const QString server = main ? ResolveServerHost(txtMainServer->text().trimmed(), 0)
                              : txtPosServer->text().trimmed();
  const QString text =
      main ? settings::BoxConnectionText(cboMainDriver->currentText(), server, txtMainUID->text(),
                                         txtMainPWD->text(), txtMainDB->text())
           : settings::BoxConnectionText(cboPosDriver->currentText(), server, txtPosUID->text(),
                                         txtPosPWD->text(), txtPosDB->text());
  try {
    db::Connection test;
    test.Open(text, settings::kMainDbTimeoutSeconds);
    return 1;
  } catch (const db::DbError &) {
    return 0;  // the colour says it; the error itself is not shown
  }
}

void frmSetup::TestButton(int group) {
  QPushButton *b = group == 0 ? OrvMainCmd : OrvPosCmd;
  QLineEdit *boxes[4] = {txtMainServer, txtMainDB, txtMainUID, txtMainPWD};
  if (group != 0) {
    boxes[0] = txtPosServer;
    boxes[1] = txtPosDB;
    boxes[2] = txtPosUID;
    boxes[3] = txtPosPWD;
  }
  WaitCursor wait;
  settings::ButtonBusy busy(b);
  for (QLineEdit *box : boxes) setColor(box, QPalette::Text, kTesting);
  const long outcome = TestDbConnect(group) == 1 ? kOpened : kFailed;
  for (QLineEdit *box : boxes) setColor(box, QPalette::Text, outcome);
}
