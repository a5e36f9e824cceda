#include "display/display_tick.h"

#include "core/text_format.h"
#include "core/values.h"

namespace orv::display {

namespace {

QString Amount(orv::Currency v) { return FmtAmt(v, 1); }  // "#,###": zero shows nothing

QString Contact(const QString &value, bool masked) {
  if (!masked) return value;
  if (value.trimmed().isEmpty()) return {};
  return value.left(5).trimmed() + QStringLiteral(" ********** ");
}

}  // namespace

DisplayView DisplayTick(const DisplayInputs &in) {
  DisplayView v;
  v.now = in.now.trimmed();
  v.time = in.time.trimmed();

  v.rows.reserve(in.lines.size());
  for (const auto &l : in.lines) {
    std::array<QString, 4> r;
    r[0] = l[0].trimmed();
    for (int c = 1; c < 4; ++c) r[size_t(c)] = FmtAmtDec(NzCur(l[size_t(c)].trimmed()), 1);
    v.rows.append(r);
  }
  for (int i = 1; i <= kDisplayRows; ++i) {
    if (i > v.rows.size() || v.rows[i - 1][0].isEmpty()) {
      v.activeRow = i;
      break;
    }
  }

  v.habGum = FmtAmt(in.hab, 0);
  v.rGum = FmtAmt(in.rGum, 0);
  v.cGum = FmtAmt(CurSub(in.cGum, in.pclGum06, 1), 0);

  const DisplayCustomer &c = in.customer;
  if (!c.key.IsZero()) {
    static const char *const kDegrees[] = {"우대고객", "특별고객", "우수고객", "VIP고객"};
    const bool mask = in.cstDisplayNot != 0;
    v.customer = {c.no.ToPlainText(),
                  c.name,
                  c.degree >= 1 && c.degree <= 4 ? QString::fromUtf8(kDegrees[c.degree - 1])
                                                 : QString(),
                  FormatAt(c.barcode, QStringLiteral("@@@ @@@@ @@@@@ @")),
                  Contact(c.tel, mask),
                  Contact(c.hp, mask),
                  Contact(c.juso, mask),
                  QString(),
                  Amount(c.zerdo),
                  Amount(c.jumsu),
                  FormatAt(c.lpDate, QStringLiteral("@@@@.@@.@@"))};
  }
  v.messages = in.messages;

  v.cashShown = in.cash == 1;
  v.clearCash = !v.cashShown;
  if (v.cashShown)
    for (size_t i = 0; i < 13; ++i) v.cash[i] = Amount(in.cashFields[i]);

  auto card = [](const CardTexts &t, orv::Currency gum, std::array<QString, 13> &out) {
    for (size_t i = 0; i < 12; ++i) out[i] = t[i];
    out[12] = Amount(gum);
  };
  v.cardShown = in.cardChk == 1;
  v.clearCard = !v.cardShown;
  if (v.cardShown) card(in.card, in.cardGum, v.card);
  v.disCardShown = in.disCard == 1;
  v.clearDisCard = !v.disCardShown;
  if (v.disCardShown) card(in.disCardTexts, in.disCardGum, v.disCard);

  v.moneyShown = in.moneyChk == 1;
  v.clearMoney = !v.moneyShown;
  if (v.moneyShown) {
    v.moneyCard = in.moneyCard;
    v.moneyGum = Amount(in.moneyGum);
    v.moneyNo = in.moneyNo;
    v.moneyDate = in.moneyDate;
    v.moneySaup = in.moneySaup != 0;
  }

  v.newSaleSeen = in.newSale == 1;
  v.signShown = in.signPlease == 1;

  v.oneMoa = QStringLiteral(" ");
  if (!in.oneMoaClient.isEmpty()) {
    v.oneMoa = QStringLiteral("원모아포인트: ");
    if (!in.oneMoaPerson.isEmpty())
      v.oneMoa += in.oneMoaName + " " + FmtAmt(in.oneMoaPoint, 0);
  }
  v.oneMoaColor = in.oneMoaCardKey == 1 ? QColor(0, 0, 255) : QColor(0, 0, 0);
  return v;
}

}  // namespace orv::display
