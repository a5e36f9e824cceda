// The copy between the settings globals and the controls of the full settings screen.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "core/connections.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "settings/frmSetup.h"
#include "settings/setup_parts.h"

using namespace orv;

namespace orv::settings {

std::optional<int16_t> WholeNumber16(const QString &text) {
  const std::optional<Currency> c = NzCurChecked(QVariant(text));
  if (!c) return std::nullopt;
  const int64_t v = c->RoundToInt();
  if (v < INT16_MIN || v > INT16_MAX) return std::nullopt;
  return int16_t(v);
}

}  // namespace orv::settings

namespace {

enum class Kind {
  Number,    // a 16-bit number in a box; `fallback` replaces a stored 0 (when not 0)
  Interval,  // a number shown as "50" while 0
  Text,      // `text` replaces a stored empty value (when given)
  Money,
  Check,     // ticked only at exactly 1; a range of 0..1 first corrects the global
  Group,     // option group: ids lo..hi, outside the global becomes `fallback` first
  ScanSets,  // "Events" for any value but 0
};

struct Row {
  const PosSettingKey *key;
  QObject *control;
  Kind kind;
  int lo = 0, hi = 0, fallback = 0;
  const char *text = nullptr;
  const char *label = nullptr;  // named when its number is refused
};

int16_t &Int(const Row &r) { return *std::get<int16_t *>(r.key->target); }
QString &Text(const Row &r) { return *std::get<QString *>(r.key->target); }

const PosSettingKey *K(const void *global) {
  const PosSettingKey *k = PosSettingKeyOf(global);
  Q_ASSERT(k);
  return k;
}

// In the order of the load and the read.
QList<Row> Rows(frmSetup &f) {
  return {
      {K(&giSetPosNo), f.txtPosNo, Kind::Number, 0, 0, 0, nullptr, "계산대번호"},
      {K(&gsSetID), f.txtOrvID, Kind::Text},
      {K(&gsSetPWD), f.txtOrvPwd, Kind::Text},
      {K(&giSetCcBcp), f.chkCcBcp, Kind::Check},
      {K(&giSetCcNot), f.chkCcNot, Kind::Check},
      {K(&giSetCstAll), f.chkCstAll, Kind::Check},
      {K(&giSetKeyCheck), f.chkKeyCheck, Kind::Check},
      {K(&giSetHandScaner), f.chkHandScaner, Kind::Check},
      {K(&giSetinterval), f.txtInterVal, Kind::Interval, 0, 0, 0, nullptr, "Timer"},
      {K(&gsSetScan), f.txtScan, Kind::Text},
      {K(&giSetScanPort), f.txtScanPort, Kind::Number, 0, 0, 1, nullptr, "스캐너 포트"},
      {K(&giSetScanSets), f.ScanSetsGrp, Kind::ScanSets},
      {K(&giSetScanXonOff), f.chkScanXonOff, Kind::Check},
      {K(&gsSaupNo), f.txtSaupNo, Kind::Text},
      {K(&giSetPos), f.SetPosOpt, Kind::Group, 0, 5, 0},
      {K(&giSetKey), f.SetKeyOpt, Kind::Group, 0, 4, 0},
      {K(&giSetPrint), f.SetPrintOpt, Kind::Group, 0, 5, 0},
      {K(&gsSetPrnPort), f.txtPrnPort, Kind::Text, 0, 0, 0, "LPT1"},
      {K(&giSetPrnWait), f.txtPrnWait, Kind::Number, 0, 0, 1, nullptr, "Wait"},
      {K(&giSetDisp), f.SetDispOpt, Kind::Group, 0, 7, 0},
      {K(&giSetDisPortNo), f.txtDisPortNo, Kind::Number, 0, 0, 0, nullptr, "디스플레이 포트"},
      {K(&giSetCoin), f.SetCoinOpt, Kind::Group, 0, 2, 0},
      {K(&giSetCoinPortNo), f.txtCoinPortNo, Kind::Number, 0, 0, 0, nullptr, "동전계수기 포트"},
      {K(&giSetDraw), f.SetDrawOpt, Kind::Group, 0, 2, 0},
      {K(&giSetVan), f.SetVanOpt, Kind::Group, 0, 10, 3},
      {K(&giSetVanDan), f.SetVanDanChk, Kind::Check, 0, 1, 0},
      {K(&gcSetCdCount), f.txtCDCount, Kind::Money},
      {K(&gsSetDanId), f.txtDanNo, Kind::Text},
      {K(&gsSetServerIp), f.txtServerIP, Kind::Text},
      {K(&gsSetServerPort), f.txtPortNo, Kind::Text},
      {K(&giSetSignPad), f.chkSignPad, Kind::Check},
      {K(&giSetSignPortNo), f.txtSignPortNo, Kind::Number, 0, 0, 0, nullptr, "싸인패드 포트"},
      {K(&giSetSign0), f.chkSign0, Kind::Check},
      {K(&giSetDrawAuto), f.SetDrawAutoChk, Kind::Check},
  };
}

void showGroup(QComboBox *driver, QLineEdit *server, QLineEdit *db, QLineEdit *uid,
               QLineEdit *pwd, const ConnectionFields &f) {
  driver->setCurrentText(f.driver);
  server->setText(f.server);
  db->setText(f.database);
  uid->setText(f.uid);
  pwd->setText(f.pwd);
}

}  // namespace

void frmSetup::ShowSetupValues() {
  const ConnectionFields main =
      gsSetMainDB.isEmpty() ? ConnectionFields{} : SplitConnectionFields(gsSetMainDB);
  const ConnectionFields pos = gsSetPosDB.isEmpty() ? main : SplitConnectionFields(gsSetPosDB);
  showGroup(cboMainDriver, txtMainServer, txtMainDB, txtMainUID, txtMainPWD, main);
  showGroup(cboPosDriver, txtPosServer, txtPosDB, txtPosUID, txtPosPWD, pos);

  for (const Row &r : Rows(*this)) {
    switch (r.kind) {
      case Kind::Number:
        if (Int(r) == 0 && r.fallback != 0) Int(r) = int16_t(r.fallback);
        static_cast<QLineEdit *>(r.control)->setText(QString::number(Int(r)));
        break;
      case Kind::Interval:
        static_cast<QLineEdit *>(r.control)
            ->setText(Int(r) == 0 ? QStringLiteral("50") : QString::number(Int(r)));
        break;
      case Kind::Text:
        if (Text(r).isEmpty() && r.text) Text(r) = QString::fromLatin1(r.text);
        static_cast<QLineEdit *>(r.control)->setText(Text(r));
        break;
      case Kind::Money:
        static_cast<QLineEdit *>(r.control)
            ->setText(std::get<Currency *>(r.key->target)->ToPlainText());
        break;
      case Kind::Check:
        if (r.hi > r.lo && (Int(r) < r.lo || Int(r) > r.hi)) Int(r) = int16_t(r.fallback);
        static_cast<QCheckBox *>(r.control)->setChecked(Int(r) == 1);
        break;
      case Kind::Group: {
        if (Int(r) < r.lo || Int(r) > r.hi) Int(r) = int16_t(r.fallback);
        auto *g = static_cast<QButtonGroup *>(r.control);
        g->button(Int(r))->setChecked(true);
        break;
      }
      case Kind::ScanSets:
        static_cast<QButtonGroup *>(r.control)->button(Int(r) != 0 ? 1 : 0)->setChecked(true);
        break;
    }
  }
  // Qt runs no handler when the option was selected already.
  SetVanOpt_Click(giSetVan);
}

bool frmSetup::ReadSetupValues() {
  const QList<Row> rows = Rows(*this);
  // Refuse before anything is taken, so that a refusal leaves every global as it was.
  for (const Row &r : rows) {
    if (r.kind != Kind::Number && r.kind != Kind::Interval) continue;
    auto *box = static_cast<QLineEdit *>(r.control);
    if (!settings::WholeNumber16(box->text())) {
      dialogs::Info(QStringLiteral("* %1 : -32768 에서 32767 사이의 숫자를 입력하세요 !")
                        .arg(QString::fromUtf8(r.label)),
                    QStringLiteral("입력오류"));
      box->setFocus();
      return false;
    }
  }
  gsSetMainDB = db::BuildConnectionText(txtMainServer->text(), cboMainDriver->currentText(),
                                        txtMainUID->text(), txtMainPWD->text(), txtMainDB->text());
  gsSetPosDB = db::BuildConnectionText(txtPosServer->text(), cboPosDriver->currentText(),
                                       txtPosUID->text(), txtPosPWD->text(), txtPosDB->text());
  for (const Row &r : rows) {
    switch (r.kind) {
      case Kind::Number:
      case Kind::Interval:
        Int(r) = *settings::WholeNumber16(static_cast<QLineEdit *>(r.control)->text());
        break;
      case Kind::Text:
        Text(r) = static_cast<QLineEdit *>(r.control)->text();
        break;
      case Kind::Money:
        *std::get<Currency *>(r.key->target) = NzCur(static_cast<QLineEdit *>(r.control)->text());
        break;
      case Kind::Check:
        Int(r) = static_cast<QCheckBox *>(r.control)->isChecked() ? 1 : 0;
        break;
      case Kind::Group: {
        const int id = static_cast<QButtonGroup *>(r.control)->checkedId();
        if (id >= 0) Int(r) = int16_t(id);
        break;
      }
      case Kind::ScanSets:
        Int(r) = static_cast<QButtonGroup *>(r.control)->checkedId() == 1 ? 1 : 0;
        break;
    }
  }
  return true;
}
