#include <gtest/gtest.h>

#include "chit/records.h"
#include "core/globals.h"
#include "core/values.h"
#include "goods/goods_rules.h"
#include "platform/keys.h"

using namespace orv::goods;
using orv::Currency;

namespace {
Currency W(int v) { return Currency::Won(v); }

GdsCodeRec Event(int sel, const char *from, const char *to, std::array<const char *, 6> w) {
  GdsCodeRec g;
  g.GcdSaleSel = int16_t(sel);
  g.GcdStdtsale = from;
  g.GcdEddtsale = to;
  g.GcdSttmsale1 = w[0];
  g.GcdEdtmsale1 = w[1];
  g.GcdSttmsale2 = w[2];
  g.GcdEdtmsale2 = w[3];
  g.GcdSttmsale3 = w[4];
  g.GcdEdtmsale3 = w[5];
  return g;
}
}  // namespace

TEST(GoodsRules, EventInForce) {
  const auto allDay = Event(1, "20240105", "20240131", {"0", "0", "0", "0", "", ""});
  const auto morning = Event(1, "20240105", "20240131", {"1000", "1200", "0", "0", "0", "0"});
  struct Case {
    const char *name;
    GdsCodeRec g;
    int ymd, hhmm;
    bool inForce;
  } cases[] = {
      {"all windows 0, any hour", allDay, 20240115, 2359, true},
      {"first day", allDay, 20240105, 900, true},
      {"last day", allDay, 20240131, 900, true},
      {"work date after the period", allDay, 20240201, 900, false},
      {"no event price", Event(0, "20240105", "20240131", {"", "", "", "", "", ""}), 20240115, 900, false},
      {"window start", morning, 20240115, 1000, true},
      {"window end", morning, 20240115, 1200, true},
      {"after the window", morning, 20240115, 1201, false},
      {"0-0 window holds only midnight", morning, 20240115, 0, true},
      {"before the window", morning, 20240115, 959, false},
      {"no dates", Event(1, "", "", {"", "", "", "", "", ""}), 20240115, 900, false},
  };
  for (const auto &c : cases) EXPECT_EQ(EventInForce(c.g, c.ymd, c.hhmm), c.inForce) << c.name;
  EXPECT_EQ(EventPeriodText("20240105", "20240131"), "2024.01.05~2024.01.31");
  EXPECT_EQ(EventPeriodText("", ""), "    .  .  ~    .  .  ");
}

TEST(GoodsRules, MarginsAndGoodsNumbers) {
  EXPECT_EQ(MarginPercent(W(1250), W(1000), W(1250)), W(20));
  EXPECT_EQ(MarginPercent(W(1250), W(1000), W(1000)), W(25));
  EXPECT_EQ(MarginPercent(W(1250), W(0), W(0)), W(0)) << "purchase price 0";
  EXPECT_EQ(MarginPercent(W(0), W(1000), W(0)), W(0)) << "second sale price 0";
  EXPECT_EQ(MarginPercent(Currency::FromRaw(INT64_MIN), Currency::FromRaw(INT64_MAX), W(1)), W(0))
      << "overflow";
  EXPECT_EQ(MarginPercent(NzCur("900000000000"), W(0), Currency::FromRaw(1)), W(0)) << "out of range";

  const auto no = SplitGoodsNo(W(12345));
  EXPECT_EQ(no[0], "000");
  EXPECT_EQ(no[1], "001");
  EXPECT_EQ(no[2], "2345");

  for (int vk : {48, 57, 43, 45, 46, 96, 105, 111}) EXPECT_TRUE(FirstKeyEmpties(vk)) << vk;
  for (int vk : {int(orv::keys::vbKeyLeft), int(orv::keys::vbKeyRight), int(orv::keys::vbKeyBack), 65, 112})
    EXPECT_FALSE(FirstKeyEmpties(vk)) << vk;
}

TEST(GoodsRules, NewGoodsKeyPriceAndNumber) {
  EXPECT_EQ(GoodsKey(2026, 12, 9, 1530), NzCur("2612091530"));
  EXPECT_EQ(GoodsKey(2026, 12, 9, 12345), NzCur("2612092345")) << "the counter's last four digits";
  struct {
    int meip;
    bool taxFree;
    int danga;
  } vat[] = {{1000, false, 1100}, {1001, false, 1102}, {1010, false, 1112}, {1000, true, 1000},
             {1001, true, 1001}, {0, false, 0}};
  for (const auto &c : vat) EXPECT_EQ(VatPrice(W(c.meip), c.taxFree), W(c.danga)) << c.meip;

  struct {
    const char *typed, *shown;
  } amounts[] = {{"12a3", "123"}, {"1234567", "1,234,567"}, {"0", ""}, {"", ""}, {"0012", "12"},
                 {"1234.5", "12,345"}};
  for (const auto &c : amounts) EXPECT_EQ(AmountFilter(c.typed), c.shown) << c.typed;

  EXPECT_EQ(FirstFreeSequence(1, {1, 2, 3, 4, 6}), 5);
  EXPECT_EQ(FirstFreeSequence(1, {}), 1);
  EXPECT_EQ(FirstFreeSequence(3, {3, 4}), 5);
  EXPECT_EQ(FirstFreeSequence(1, {2, 3}), 1);
}

TEST(GoodsRules, WebReply) {
  const QString own = "SHOP0001";
  const QString line14 = "~>'SHOP0001'라면'120g'700.5'0'1000'0'40'20241201'공개'그룹'3'3";
  const QString other = "~>'SHOP0002'라면2'5입'800'650'1200'1'20'20241130'한빛''0'0";
  // One line without its line break shows nothing; with it, it is a row.
  EXPECT_TRUE(ParseXgsReply(line14, 14, own).rows.isEmpty());
  auto r = ParseXgsReply(line14 + "\n", 14, own);
  ASSERT_EQ(r.rows.size(), 1);
  EXPECT_TRUE(r.rows[0].own);
  EXPECT_EQ(r.rows[0].meip, NzCur("700.5"));
  EXPECT_EQ(r.rows[0].groupNo, 3);

  r = ParseXgsReply("<html>x<P>" + line14 + "<P>" + other + "<P>", 14, own);
  ASSERT_EQ(r.rows.size(), 2) << "<P> separates lines";
  EXPECT_FALSE(r.rows[1].own);
  EXPECT_EQ(r.rows[1].taxFree, 1);
  EXPECT_EQ(ParseXgsReply("x<p>" + line14 + "<p>", 14, own).rows.size(), 0) << "<p> is not <P>";

  // A line of 13 parts, or one more part from a trailing apostrophe, ends the pass.
  r = ParseXgsReply(line14 + "\r\n" + line14.left(line14.lastIndexOf('\'')) + "\n" + other + "\n", 14, own);
  EXPECT_TRUE(r.badLine);
  EXPECT_EQ(r.rows.size(), 1);
  EXPECT_TRUE(ParseXgsReply(line14 + "'\n", 14, own).badLine);
  EXPECT_FALSE(ParseXgsReply("~>'A'b'c'1'0'2'0'1'20240101\n", 10, own).badLine);
  EXPECT_TRUE(ParseXgsReply("~>'A'b'c'1'0'2'0'1'20240101\n", 14, own).badLine);

  EXPECT_EQ(OwnShopCode("SHOP0001"), "SHOP0001");
  EXPECT_EQ(OwnShopCode("SHOP001"), "");
  EXPECT_EQ(OwnShopCode("한빛마트"), "한빛마트") << "four syllables are eight bytes";
  EXPECT_EQ(OwnShopCode("한빛마트1"), "");

  // Each value's code-page bytes percent-encoded: "&" and "#" stay inside their value.
  struct {
    int selt;
    const char *key, *shop, *url;
  } urls[] = {
      {0, "8801234567890", "SHOP0001", "http://h:8080/orvprisgp.php?Bar=8801234567890&Tna=SHOP0001"},
      {1, "8801234567890", "", "http://h:8080/orvprisdn.php?Bar=8801234567890&Tna="},
      {0, "A&B#1 2", "한빛마트", "http://h:8080/orvprisgp.php?Bar=A%26B%231%202&Tna=%C7%D1%BA%FB%B8%B6%C6%AE"},
  };
  for (const auto &u : urls)
    EXPECT_EQ(XgsLookupUrl("http://h:8080", u.selt, QString::fromUtf8(u.key), QString::fromUtf8(u.shop)), u.url)
        << u.key;
}

TEST(GoodsRules, PriceCheckCompletion) {
  struct {
    const char *raw;
    CodeMatch match;
    const char *code;
  } cases[] = {
      {"123456", CodeMatch::Prefix8, "0123456"},
      {"012345", CodeMatch::Prefix8, "012345"},
      {"0123456", CodeMatch::Prefix8, "0123456"},
      {"1234567", CodeMatch::Exact, "01234567"},
      {"880-1234-5678\r", CodeMatch::Exact13, "0088012345678"},
      {"012345678901", CodeMatch::Exact13, "0012345678901"},
      {"880123456789", CodeMatch::Exact13, "0880123456789"},
      {"88012345678901", CodeMatch::Exact, "8801234567890"},
      {"12345678", CodeMatch::Exact, "12345678"},
      {"abc", CodeMatch::None, ""},
  };
  for (const auto &c : cases) {
    const CheckCode got = CompleteCheckCode(c.raw);
    EXPECT_EQ(got.match, c.match) << c.raw;
    EXPECT_EQ(got.code, c.code) << c.raw;
  }
}

TEST(GoodsRules, TotalsAndLedger) {
  EXPECT_EQ(HourBand(W(9)), "09:00 ~ 09:59");
  EXPECT_EQ(HourBand(W(23)), "23:00 ~ 23:59");
  EXPECT_EQ(HourBand(W(24)), "");
  EXPECT_EQ(HourBand(W(-1)), "");
  EXPECT_EQ(AveragePerChit(W(1500), W(2)), W(750));
  EXPECT_EQ(AveragePerChit(W(2001), W(2)), W(1000));
  EXPECT_EQ(AveragePerChit(W(2003), W(2)), W(1002));
  EXPECT_EQ(AveragePerChit(W(0), W(2)), W(0));
  EXPECT_EQ(CashSales(W(10000), W(9000), W(10000)), W(9000));
  EXPECT_EQ(CashSales(W(10000), W(0), W(10000)), W(10000));

  const ChitTotals t = SumChitLines({{W(3), W(1000), W(3000), 0}, {W(1), W(500), W(400), 1}});
  EXPECT_EQ(t.qty, W(4));
  EXPECT_EQ(t.total, W(3400));
  EXPECT_EQ(t.noTax, W(400));
  EXPECT_EQ(t.supply, W(2728));
  EXPECT_EQ(t.tax, W(272));
  EXPECT_EQ(t.gross, W(3500));
  EXPECT_EQ(SumChitLines({{W(1), W(1100), W(1100), 0}}).supply, W(1000));
  EXPECT_EQ(SumChitLines({{W(1), W(11), W(11), 0}}).supply, W(10));
  EXPECT_EQ(PayKinds(W(0), W(1), W(0), W(1)), "카드외상");
  EXPECT_EQ(PayKinds(W(1), W(1), W(1), W(0)), "현금카드사내");

  const auto ledger = BuildLedger({{2024, 1, 0, W(5), W(5), W(5), W(50000)},
                                   {2024, 1, 5, W(30000), W(0), W(20000), W(10000)},
                                   {2024, 1, 6, W(1000), W(100), W(900), W(0)}});
  ASSERT_EQ(ledger.size(), 4);
  EXPECT_EQ(ledger[0].date, "이      전");
  EXPECT_EQ(ledger[0].mech, W(0)) << "the carried-over row counts no sales";
  EXPECT_EQ(ledger[0].balance, W(50000));
  EXPECT_EQ(ledger[1].date, "2024.01.05");
  EXPECT_EQ(ledger[1].balance, W(60000));
  EXPECT_EQ(ledger[3].date, "합      계");
  EXPECT_EQ(ledger[3].mech, W(31000));
  EXPECT_EQ(ledger[3].sugum, W(20900));
  EXPECT_EQ(ledger[3].balance, W(60000));
  EXPECT_TRUE(BuildLedger({}).isEmpty());
}
