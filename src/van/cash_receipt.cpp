#include "van/cash_receipt.h"

#include "core/money_ops.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "van/van_wire.h"

using orv::Currency;

namespace {
std::function<CashReceiptResult(CashReceiptInput &)> &Hook() {
  static std::function<CashReceiptResult(CashReceiptInput &)> hook;
  return hook;
}
QString Plain(Currency c) { return c.ToPlainText(); }
}  // namespace

namespace orv::van {
void SetCashReceiptBranchHook(std::function<CashReceiptResult(CashReceiptInput &)> hook) {
  Hook() = std::move(hook);
}
const std::function<CashReceiptResult(CashReceiptInput &)> &CashReceiptBranchHook() {
  return Hook();
}
}  // namespace orv::van

CashKind CashKindOf(Currency gum) {
  if (gum >= Currency::Won(10)) return CashKind::Issue;
  if (gum <= Currency::Won(-10)) return CashKind::Cancel;
  return CashKind::TooSmall;
}

Currency CashSendAmount(Currency value) { return orv::money::Abs(value); }

void ShowCashAmountTooSmall() {
  orv::dialogs::MsgBox(QStringLiteral("* 승인금액이 적습니다 !"), orv::dialogs::kInformation,
                       QStringLiteral("승인금액오류"));
}

bool KiccFieldSafe(const QString &text) {
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x20 || u >= 0x7F) return false;
    if (u == '^' || u == '&' || u == '#' || u == '%' || u == '+') return false;
  }
  return true;
}

QString KiccCashRequest(const CashReceiptInput &in) {
  const bool cancel = CashKindOf(in.gum) == CashKind::Cancel;
  QStringList f(13);
  f[0] = cancel ? QStringLiteral("B2") : QStringLiteral("B1");
  f[1] = in.saup == 0 ? QStringLiteral("00") : QStringLiteral("01");
  f[2] = Plain(CashSendAmount(in.gum));
  if (cancel) {
    const QString date = in.cancelDate.trimmed();
    f[4] = date.size() > 6 ? date.right(6) : (date + QString(6, ' ')).left(6);
    f[5] = (in.cancelNo.trimmed() + QString(9, ' ')).left(9);
  }
  f[11] = QStringLiteral("30");
  f[12] = QStringLiteral("M") + Plain(CashSendAmount(in.vat));
  return f.join('^');
}

QList<QPair<int, QString>> KisCashMembers(const CashReceiptInput &in) {
  const bool cancel = CashKindOf(in.gum) == CashKind::Cancel;
  QList<QPair<int, QString>> m;
  m.append({1, gsSetServerIp});
  m.append({2, gsSetServerPort});
  m.append({36, in.idNo.left(13).trimmed()});
  m.append({4, in.saup == 0 ? QStringLiteral("00") : QStringLiteral("01")});
  m.append({37, QStringLiteral("N")});
  m.append({38, QString()});
  m.append({3, cancel ? QStringLiteral("CR") : QStringLiteral("CC")});
  m.append({5, Plain(CashSendAmount(in.gum))});
  m.append({6, Plain(CashSendAmount(in.vat))});
  if (cancel) {
    m.append({8, (QString(6, ' ') + in.cancelDate.trimmed()).right(6)});
    m.append({9, in.cancelNo.trimmed()});
  }
  return m;
}

QString SmtCashReqKind(const CashReceiptInput &in) {
  const bool typed = !in.idNo.isEmpty();
  const bool cancel = CashKindOf(in.gum) == CashKind::Cancel;
  return QString(cancel ? "21" : "01") + (typed ? "11" : "01") + "02";
}

QList<QPair<int, QString>> SmtCashFields(const CashReceiptInput &in) {
  const bool typed = !in.idNo.isEmpty();
  const bool cancel = CashKindOf(in.gum) == CashKind::Cancel;
  QList<QPair<int, QString>> f;
  f.append({6, in.saup == 0 ? QStringLiteral("03") : QStringLiteral("13")});
  f.append({1, QString(cancel ? "21" : "01") + (typed ? "11" : "01")});
  f.append({2, QStringLiteral("02")});
  f.append({9, typed ? QStringLiteral("3") : QStringLiteral("1")});
  if (typed) f.append({68, in.idNo});
  if (cancel && in.cancelReason >= 1 && in.cancelReason <= 3)
    f.append({14, QString::number(in.cancelReason)});
  f.append({3, Plain(CashSendAmount(in.gum))});
  f.append({4, Plain(CashSendAmount(in.vat))});
  if (cancel) {
    f.append({13, in.cancelDate.trimmed()});
    f.append({12, in.cancelNo.trimmed()});
  }
  return f;
}

QString NiceCashRequest(const CashReceiptInput &in) {
  const bool cancel = CashKindOf(in.gum) == CashKind::Cancel;
  const QString id = in.idNo.left(13).trimmed();
  const QString kind = !id.isEmpty() ? QStringLiteral("P")
                       : in.signInputShown ? QStringLiteral("C")
                                           : QStringLiteral("K");
  QStringList f(14);
  f[0] = cancel ? QStringLiteral("0420") : QStringLiteral("0200");
  f[1] = QStringLiteral("21");
  f[2] = kind;
  f[3] = Plain(CashSendAmount(in.gum));
  f[4] = Plain(CashSendAmount(in.vat));
  f[5] = QStringLiteral("0");
  f[6] = in.saup == 0 ? QStringLiteral("01") : QStringLiteral("02");
  if (cancel) {
    f[7] = in.cancelNo.trimmed();
    f[8] = in.cancelDate.trimmed();
  }
  if (kind == QLatin1String("P")) f[12] = id;
  f[13] = QStringLiteral("0");
  QString out;
  for (const QString &x : f) out += x + QChar(orv::van::kFs);
  return out;
}

CashReceiptResult CashReceiptFdk(CashReceiptInput &) {
  // First Data's cash receipt comes with its own request; until then nothing is sent.
  return {};
}

CashReceiptBranch CashReceiptBranchOf(int16_t van) {
  switch (van) {
    case 4:
      return &CashReceiptFdk;
    default:
      return nullptr;
  }
}

namespace {
void ResetCashReceiptHook() { Hook() = nullptr; }
const bool kResetRegistered = orv::state::RegisterReset(&ResetCashReceiptHook);
}  // namespace
