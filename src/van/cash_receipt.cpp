#include "van/cash_receipt.h"

#include "core/money_ops.h"
#include "platform/codepage.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "van/SmtSndRcvVCAT.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/frmCardChk.h"
#include "van/van_approval.h"
#include "van/frmMsgBox.h"
#include "van/kicc.h"
#include "van/kis.h"
#include "van/van_approval.h"
#include "van/van_error.h"
#include "van/van_nice.h"
#include "van/van_wait.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "van/van_wire.h"

using orv::Currency;

namespace {
std::function<CashReceiptResult(CashReceiptInput &)> &Hook() {
  static std::function<CashReceiptResult(CashReceiptInput &)> hook;
  return hook;
}
QString Plain(Currency c) { return c.ToPlainText(); }

const QString kAgain = QStringLiteral("* 승인을 다시 하세요 !");
const QString kAgainTitle = QStringLiteral("재승인요청");

// A silent agent's words for a cash receipt.
QString NoReceiptReply() {
  return QStringLiteral("응답이 없습니다. 단말기에서 발행 여부를 확인하세요");
}


// Lets pending events run five times before a refusal's message, as the branches do.
void BeforeRefusal() {
  for (int i = 0; i < 5; ++i) orv::van::Pause(0);
}

// The amount's kind; too small: the message, and false.
bool AmountSendable(const CashReceiptInput &in) {
  if (CashKindOf(in.gum) != CashKind::TooSmall) return true;
  ShowCashAmountTooSmall();
  return false;
}

// The amount and VAT made positive for a cancellation, as the network receives them.
void MakePositive(CashReceiptInput &in) {
  in.gum = CashSendAmount(in.gum);
  in.vat = CashSendAmount(in.vat);
}
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

QList<QPair<QString, QString>> FdkCashInputs(const CashReceiptInput &in) {
  const bool cancel = CashKindOf(in.gum) == CashKind::Cancel;
  QList<QPair<QString, QString>> f{{QStringLiteral("거래구분"), QStringLiteral("CSH")}};
  if (cancel) f.append({QStringLiteral("취소구분"), QStringLiteral("Y")});
  f.append({QStringLiteral("사업자번호"), gsSaupNo});
  f.append({QStringLiteral("제품일련번호"), gsSetDanId});
  f.append({QStringLiteral("요청금액"), Plain(CashSendAmount(in.gum))});
  f.append({QStringLiteral("봉사료"), QStringLiteral("0")});
  f.append({QStringLiteral("세금"), Plain(CashSendAmount(in.vat))});
  if (cancel) {
    f.append({QStringLiteral("원거래일자"), (QString(6, QLatin1Char(' ')) + in.cancelDate.trimmed()).right(6)});
    f.append({QStringLiteral("원승인번호"), in.cancelNo.trimmed()});
  }
  const bool withId = !in.idNo.isEmpty();
  f.append({QStringLiteral("사용구분"), withId ? (in.saup == 0 ? QStringLiteral("97") : QStringLiteral("98"))
                                                : (in.saup == 0 ? QStringLiteral("00") : QStringLiteral("01"))});
  if (withId) f.append({QStringLiteral("식별번호"), in.idNo.left(13).trimmed()});
  return f;
}

CashReceiptResult CashReceiptFdk(CashReceiptInput &in) {
  CashReceiptResult r;
  if (!AmountSendable(in)) return r;
  const QString failure = FdkOpenTransaction(QStringLiteral("PAY"), FdkCashInputs(in));
  if (!failure.isEmpty()) {
    gsFdkResCode = QStringLiteral("9998");
    gsFdkResMsg1 = failure;
    gsFdkResMsg2.clear();
  } else {
    // Nothing goes out before this row is written: its failure ends the attempt.
    CardLogRow(CardLogRequestText(QStringLiteral("FDK_WIN4POS"), Plain(CashSendAmount(in.gum))), 10);
    QString execFailure = FdkExecute();
    execFailure.replace(orv::van::NoReplyText(), NoReceiptReply());
    CardLogRowKept(QStringLiteral("FDK_WIN4POS_OutRet"), 11, r.notKept);
    if (!execFailure.isEmpty()) {
      gsFdkResCode = QStringLiteral("9999");
      gsFdkResMsg1 = execFailure;
      gsFdkResMsg2.clear();
    } else {
      for (QString *g : {&gsFdkPrintYn, &gsFdkResCode, &gsFdkCmitNo, &gsFdkCmitDate, &gsFdkGaMyNo,
                         &gsFdkResMsg1, &gsFdkResMsg2, &gsFdkNotice, &gsFdkNotice1, &gsFdkNotice2,
                         &gsFdkNotice3, &gsFdkNotice4, &gsFdkMaskCardNo})
        g->clear();
      const std::pair<const char *, QString *> outputs[] = {
          {"프린터출력유무", &gsFdkPrintYn}, {"응답코드", &gsFdkResCode},   {"승인번호", &gsFdkCmitNo},
          {"승인일자", &gsFdkCmitDate},      {"가맹점번호", &gsFdkGaMyNo}, {"응답메시지1", &gsFdkResMsg1},
          {"응답메시지2", &gsFdkResMsg2},    {"Notice", &gsFdkNotice},     {"알림1", &gsFdkNotice1},
          {"알림2", &gsFdkNotice2},          {"알림3", &gsFdkNotice3},     {"알림4", &gsFdkNotice4},
          {"마스킹카드번호", &gsFdkMaskCardNo}};
      for (const auto &[key, global] : outputs) *global = FdkReadField(QString::fromUtf8(key));
    }
  }
  FDK_WIN4POS_Term();
  if (!FdkCodeApproves(gsFdkResCode)) {
    CardLogRowKept(QStringLiteral("FDK_WIN4POS_Execute_Err"), 12, r.notKept);
    r.code = 9999;
    BeforeRefusal();
    orv::dialogs::MsgBox(kAgain + QStringLiteral("\r\nErrCode [ ") + gsFdkResCode + QStringLiteral(" ] - ") +
                             gsFdkResMsg1 + QStringLiteral("\r\n") + gsFdkResMsg2,
                         orv::dialogs::kCritical, kAgainTitle);
    return r;
  }
  r.termNo = gsSetDanId;
  r.memberNo = gsFdkMaskCardNo.trimmed();
  CardLogRowKept(QStringLiteral("FDK_WIN4POS_Execute_Ok"), 12, r.notKept);
  r.cmitDate = gsFdkCmitDate.trimmed();
  r.cmitNo = gsFdkCmitNo.trimmed();
  r.code = 0;
  return r;
}

CashReceiptResult CashReceiptSmt(CashReceiptInput &in) {
  CashReceiptResult r;
  SmtSndRcvVCAT &c = *in.smt->control();
  c.SmtClearRequest();
  const QList<QPair<int, QString>> fields = SmtCashFields(in);
  c.SmtSetField(int16_t(fields.first().first), fields.first().second);
  if (!AmountSendable(in)) return r;
  in.smt->SmtReqKind = SmtCashReqKind(in);
  for (qsizetype i = 1; i < fields.size(); ++i)
    c.SmtSetField(int16_t(fields[i].first), fields[i].second);
  const bool cancel = CashKindOf(in.gum) == CashKind::Cancel;
  MakePositive(in);
  if (cancel && in.cancelDate.trimmed().size() != 8) {
    orv::dialogs::MsgBox(QStringLiteral("* 기존 승인일자는 8자리 입니다 !"), orv::dialogs::kInformation,
                         QStringLiteral("승인일자오류"));
    return r;
  }
  CardLogRow(CardLogRequestText(QStringLiteral("SMT_SendToVCat"), Plain(in.gum)), 10);
  const QString code = in.smt->SendAndWait();
  CardLogRowKept(QStringLiteral("SMT_SendToVCat_OutRet"), 11, r.notKept);
  const QHash<int, QString> &reply = in.smt->SmtReplyFields;
  // An approval without its number is no approval the receipt can name.
  const bool ok = code == QLatin1String("00") && !reply.value(8).trimmed().isEmpty();
  if (ok) {
    r.termNo = reply.value(13);
    r.memberNo = reply.value(3).trimmed();
    CardLogRowKept(QStringLiteral("SMT_SendToVCat_OutRet_Ok"), 12, r.notKept);
    r.cmitDate = reply.value(9).trimmed();
    r.cmitNo = reply.value(8).trimmed();
    r.code = 0;
    return r;
  }
  CardLogRowKept(QStringLiteral("SMT_SendToVCat_OutRet_Err"), 12, r.notKept);
  r.code = 9999;
  BeforeRefusal();
  orv::dialogs::MsgBox(kAgain + QStringLiteral("\r\nErrCode [ ") + code + QStringLiteral(" ] - ") +
                           SmtResultText(code) + QStringLiteral("\r\n") + reply.value(18),
                       orv::dialogs::kCritical, kAgainTitle);
  return r;
}

CashReceiptResult CashReceiptKicc(CashReceiptInput &in) {
  CashReceiptResult r;
  if (!AmountSendable(in)) return r;
  // What the cashier typed must not shift or cut the request's fields.
  if (CashKindOf(in.gum) == CashKind::Cancel &&
      (!KiccFieldSafe(in.cancelNo.trimmed()) || !KiccFieldSafe(in.cancelDate.trimmed()))) {
    orv::dialogs::MsgBox(QStringLiteral("* 승인번호와 승인일자는 숫자만 입력하세요 !"),
                         orv::dialogs::kInformation, QStringLiteral("입력오류"));
    return r;
  }
  const QString req = KiccCashRequest(in);
  MakePositive(in);
  CardLogRow(CardLogRequestText(QStringLiteral("WinHttpOpenPOST"), Plain(in.gum)), 10);
  const orv::van::AgentAnswer answer = orv::van::KiccSendOrThrow(req);
  CardLogRowKept(QStringLiteral("WinHttpOpenPOST_OutRet"), 11, r.notKept);
  // A reply without its "({" part is no reply the receipt can be read from.
  const bool readable = answer.text.contains(QStringLiteral("({"));
  bool ok = false;
  if (readable && ParseKiccReply(answer.text) == QLatin1String("00")) {
    r.termNo = gsKiccRQ[2].trimmed();
    r.memberNo = gsKiccRQ[4].trimmed();
    CardLogRowKept(QStringLiteral("WinHttpOpenPOST_OutRet_Ok"), 12, r.notKept);
    ok = gsKiccRS[4] == QLatin1String("0000");
    if (!ok) gsKiccMSG = gsKiccRS[16];
  } else {
    if (!readable) ClearKiccReply();
    CardLogRowKept(QStringLiteral("WinHttpOpenPOST_OutRet_Err"), 12, r.notKept);
    if (!answer.replied) gsKiccMSG = NoReceiptReply();
  }
  if (!ok) {
    r.termNo.clear();
    r.memberNo.clear();
    r.code = 9999;
    BeforeRefusal();
    ShowCardMsgBox(in.owner, kAgainTitle, kAgain + QStringLiteral("\r\n") + gsKiccMSG);
    return r;
  }
  r.cmitDate = gsKiccRS[7].left(6).trimmed();
  r.cmitNo = gsKiccRS[9].trimmed();
  r.code = 0;
  // No click after it: the form closes, and a click could reach what lies under it.
  orv::van::Pause(0);
  return r;
}

CashReceiptResult CashReceiptKis(CashReceiptInput &in) {
  CashReceiptResult r;
  KisPosAgent agent;
  agent.Invoke(33);
  const QList<QPair<int, QString>> members = KisCashMembers(in);
  for (qsizetype i = 0; i < members.size() && i < 6; ++i) agent.Set(members[i].first, members[i].second);
  if (!AmountSendable(in)) return r;
  for (qsizetype i = 6; i < members.size(); ++i) agent.Set(members[i].first, members[i].second);
  MakePositive(in);
  CardLogRow(CardLogRequestText(QStringLiteral("KIS_Approval"), Plain(in.gum)), 10);
  agent.Invoke(34);
  CardLogRowKept(QStringLiteral("KIS_Approval_OutRet"), 11, r.notKept);
  const bool ok = agent.Get(12) == QLatin1String("0000") && agent.Get(30).trimmed().toInt() == 0 &&
                  !agent.Get(30).trimmed().isEmpty();
  if (ok) {
    r.termNo = agent.Get(11);
    r.memberNo = NzStr2(agent.Get(14));
    CardLogRowKept(QStringLiteral("KIS_Approval_OutRet_Ok"), 12, r.notKept);
    r.cmitDate = agent.Get(21).trimmed();
    r.cmitNo = agent.Get(20).trimmed();
    r.code = 0;
    return r;
  }
  CardLogRowKept(QStringLiteral("KIS_Approval_OutRet_Err"), 12, r.notKept);
  r.code = 9999;
  // An agent that never answered says so in the words of a cash receipt.
  const QString first = agent.Get(12).isEmpty() && agent.Get(30).trimmed() == QLatin1String("-1")
                            ? NoReceiptReply()
                            : agent.Get(31).trimmed();
  BeforeRefusal();
  orv::dialogs::MsgBox(kAgain + QStringLiteral("\r\n") + first + QStringLiteral("\r\n") +
                           agent.Get(32).trimmed(),
                       orv::dialogs::kCritical, kAgainTitle);
  return r;
}

CashReceiptResult CashReceiptNice(CashReceiptInput &in) {
  CashReceiptResult r;
  if (!AmountSendable(in)) return r;
  QByteArray request = orv::codepage::Encode(NiceCashRequest(in));
  MakePositive(in);
  CardLogRow(CardLogRequestText(QStringLiteral("NICE_NICEVCAT"), Plain(in.gum)), 10);
  QByteArray buffer(orv::van::kNiceReplyBytes, '\0');
  const int result = NICEVCAT(request, buffer);
  CardLogRowKept(QStringLiteral("NICE_NICEVCAT_OutRet"), 11, r.notKept);
  bool ok = false;
  if (result == 1) {
    CardLogRowKept(QStringLiteral("NICE_NICEVCAT_OutRet_Ok"), 12, r.notKept);
    const QString text = orv::codepage::Decode(buffer);
    const QString fs(QChar(orv::van::kFs));
    const QString code = SplitNiceReply(text, fs, 17);
    // A reply short of its seventeen fields cannot say what was issued.
    ok = code == QLatin1String("0000") && text.count(fs) >= 17;
    if (ok) {
      const QString id = in.idNo.left(13).trimmed();
      r.termNo = gsNiceRet15.trimmed();
      r.memberNo = (QStringLiteral("****") + id.right(4)).trimmed();
      r.cmitDate = NzStr(gsNiceRet09).left(6).trimmed();
      r.cmitNo = gsNiceRet08.trimmed();
    }
  } else {
    CardLogRowKept(QStringLiteral("NICE_NICEVCAT_OutRet_Err"), 12, r.notKept);
    gsNiceRet03 = QStringLiteral("-1");
    gsNiceRet17 = result == orv::van::kNiceNoReply ? NoReceiptReply()
                                                   : QStringLiteral("알수없는오류(통신,전문)!");
  }
  if (ok) {
    r.code = 0;
    return r;
  }
  r.code = 9999;
  BeforeRefusal();
  orv::dialogs::MsgBox(kAgain + QStringLiteral("\r\nErrCode [ ") + gsNiceRet03 + QStringLiteral(" ] - ") +
                           gsNiceRet17,
                       orv::dialogs::kCritical, kAgainTitle);
  return r;
}

CashReceiptBranch CashReceiptBranchOf(int16_t van) {
  switch (van) {
    case 10:
      return &CashReceiptKis;
    case 1:
      return &CashReceiptKicc;
    case 4:
      return &CashReceiptFdk;
    case 5:
      return &CashReceiptSmt;
    case 9:
      return &CashReceiptNice;
    default:
      return nullptr;
  }
}

namespace {
void ResetCashReceiptHook() { Hook() = nullptr; }
const bool kResetRegistered = orv::state::RegisterReset(&ResetCashReceiptHook);
}  // namespace
