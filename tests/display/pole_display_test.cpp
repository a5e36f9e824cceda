// The pole display's writes, byte for byte, per routine and model.
#include <gtest/gtest.h>

#include "display/pole_display.h"

using orv::display::ChangeWrites;
using orv::display::GoodsLineFields;
using orv::display::GoodsLineWrites;
using orv::display::TotalWrites;
using Writes = QList<QByteArray>;

namespace {

// Bytes written out: hex for control codes and CP949 Hangul, text for ASCII, blanks by count.
QByteArray X(const char *hex) { return QByteArray::fromHex(hex); }
QByteArray A(const char *ascii) { return QByteArray(ascii); }
QByteArray S(int n) { return QByteArray(n, ' '); }
QByteArray Rep(const QByteArray &b, int n) { return b.repeated(n); }

const QByteArray FF = X("0C"), US = X("1F"), CLR = X("1B 7B 32 4A"), POS1 = X("1B 7B 31 3B 31 48"),
                 POS2 = X("1B 7B 32 3B 31 48");
const QByteArray Gae = X("B0B3");                     // 개
const QByteArray SumLine = X("C7D5 2020 B0E8");       // "합  계"
const QByteArray Sum = X("C7D5 20 B0E8");             // "합 계"
const QByteArray Sum6 = X("C7D5 B0E8 20");            // "합계 "
const QByteArray Got = X("B9DE C0BA B5B7");           // 받은돈
const QByteArray Back = X("B0C5 BDBA B8A7");          // 거스름
const QByteArray Ga = X("B0A1");                      // 가

const QString kName20 = QString(20, QChar(0xAC00));   // 20 × 가

struct Case {
  const char *what;
  Writes got, want;
};

void Check(const std::vector<Case> &cases) {
  for (const Case &c : cases) {
    ASSERT_EQ(c.got.size(), c.want.size()) << c.what;
    for (qsizetype i = 0; i < c.got.size(); ++i)
      EXPECT_EQ(c.got[i].toHex(' '), c.want[i].toHex(' ')) << c.what << " write " << i;
  }
}

}  // namespace

TEST(PoleDisplay, GoodsLinePerModel) {
  const GoodsLineFields two{"2", "1,000", "2,000", QStringLiteral("새우깡")};
  const GoodsLineFields long20{"1", "1,500", "1,500", kName20};
  Check({
      {"model 1: quantity, EA, price, T O T, amount in 40 characters",
       GoodsLineWrites(1, two),
       {FF, A("  2EA") + S(10) + A("1,000T O T") + S(10) + A("2,000")}},
      {"model 1: 1000 keeps its last three characters",
       GoodsLineWrites(1, {"1000", "1", "1,000", ""}),
       {FF, A("000EA") + S(14) + A("1T O T") + S(10) + A("1,000")}},
      {"model 1: 1.5 fills the three characters",
       GoodsLineWrites(1, {"1.5", "800", "1,200", ""}),
       {FF, A("1.5EA") + S(12) + A("800T O T") + S(10) + A("1,200")}},
      {"model 2: a 20-syllable name is cut to 15 syllables",
       GoodsLineWrites(2, long20),
       {FF, A("  1") + Gae + S(6) + A("1,500") + SumLine + S(6) + A("1,500") + Rep(Ga, 15)}},
      {"model 3: the whole name on line 2",
       GoodsLineWrites(3, long20),
       {CLR, POS1, A("  1") + Gae + S(22) + A("1,500"), POS2,
        SumLine + S(6) + A("1,500") + S(2) + Rep(Ga, 20)}},
      {"model 6: quantity and line total only",
       GoodsLineWrites(6, two), {US, A("  2") + Gae + S(7) + A("2,000")}},
      {"model 7: ten characters of price, the name cut to 15",
       GoodsLineWrites(7, long20),
       {FF, A("  1") + Gae + S(5) + A("1,500") + SumLine + S(6) + A("1,500") + Rep(Ga, 15)}},
      {"model 0", GoodsLineWrites(0, two), {}},
      {"model 4", GoodsLineWrites(4, two), {}},
      {"model 5", GoodsLineWrites(5, two), {}},
      {"model 8", GoodsLineWrites(8, two), {}},
      {"model -1", GoodsLineWrites(-1, two), {}},
  });
}

TEST(PoleDisplay, TotalPerModel) {
  Check({
      {"model 1: a zero total comes as an empty text: TOT and 37 blanks", TotalWrites(1, ""),
       {FF, A("TOT") + S(37)}},
      {"model 2: a 13-character total loses its leading 1", TotalWrites(2, "1,234,567,890"),
       {FF, S(15) + Sum + A(",234,567,890") + S(15)}},
      {"model 7 is model 2", TotalWrites(7, "12,000"),
       {FF, S(15) + Sum + S(6) + A("12,000") + S(15)}},
      {"model 3", TotalWrites(3, "12,000"), {CLR, POS1, S(9) + Sum + S(9) + A("12,000")}},
      {"model 6: the label with its trailing blank", TotalWrites(6, "12,000"),
       {US, Sum6 + S(7) + A("12,000")}},
      {"model 0", TotalWrites(0, "12,000"), {}},
      {"model 4", TotalWrites(4, "12,000"), {}},
      {"model 5", TotalWrites(5, "12,000"), {}},
      {"model 9", TotalWrites(9, "12,000"), {}},
  });
}

TEST(PoleDisplay, ChangePerModel) {
  Check({
      {"model 1", ChangeWrites(1, "20,000", "8,000", "12,000"),
       {FF, A("TOT") + S(11) + A("12,000-C-") + S(12) + A("8,000")}},
      {"model 1: an empty change shows blanks", ChangeWrites(1, "12,000", "", "12,000"),
       {FF, A("TOT") + S(11) + A("12,000-C-") + S(17)}},
      {"model 2", ChangeWrites(2, "20,000", "8,000", "12,000"),
       {FF, Sum + S(6) + A("12,000") + Got + S(6) + A("20,000") + Back + S(7) + A("8,000")}},
      {"model 3: an empty change shows 0", ChangeWrites(3, "12,000", "", "12,000"),
       {CLR, POS1, Got + S(7) + A("12,000"), POS2, Back + S(12) + A("0")}},
      {"model 6: an empty change shows 0", ChangeWrites(6, "12,000", "", "12,000"),
       {US, Back + S(12) + A("0")}},
      {"model 6", ChangeWrites(6, "20,000", "8,000", "12,000"), {US, Back + S(8) + A("8,000")}},
      {"model 7: an empty change shows blanks", ChangeWrites(7, "12,000", "", "12,000"),
       {FF, Sum + S(5) + A("12,000") + S(16) + Got + S(4) + A("12,000") + Back + S(10)}},
      {"model 0", ChangeWrites(0, "1", "1", "1"), {}},
      {"model 4", ChangeWrites(4, "1", "1", "1"), {}},
      {"model 5", ChangeWrites(5, "1", "1", "1"), {}},
  });
}
