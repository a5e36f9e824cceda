#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "display/KeyPadAllFrm.h"
#include "lookup/DirectGoFrm.h"
#include "lookup/help_forms.h"
#include "lookup/col_size.h"
#include "lookup_fixture.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/list_grid.h"

#include <QTableView>

using namespace orv;
using namespace orv::lookup;
using dialogs::Script;

namespace {

TEST(LookupText, FoldAndEscape) {
  EXPECT_EQ(FoldText(QString::fromUtf8("ＡＢｃ１　Zoo")), "abc1 zoo");
  EXPECT_EQ(FoldText(QString::fromUtf8("라면ABC")), QString::fromUtf8("라면abc"));
  EXPECT_EQ(LikeEscape("50%_a\\b"), "50\\%\\_a\\\\b");
  EXPECT_EQ(ContainsPattern("O'Neil"), "%O'Neil%");
  EXPECT_EQ(PrefixEnd("ab"), "ac");
  EXPECT_EQ(PrefixEnd(QString::fromUtf8("라면")), QString::fromUtf8("라멵"));
  EXPECT_EQ(PrefixEnd(""), "");
}

TEST(LookupText, SplitNumber334) {
  const struct {
    qlonglong no;
    int n1, n2, n3;
  } cases[] = {{12, 0, 0, 12}, {1234567890, 123, 456, 7890}, {0, 0, 0, 0}, {1230000, 0, 123, 0}};
  for (const auto &c : cases) {
    const No334 s = SplitNo334(*Currency::FromWhole(c.no));
    EXPECT_EQ(s.n1, c.n1) << c.no;
    EXPECT_EQ(s.n2, c.n2) << c.no;
    EXPECT_EQ(s.n3, c.n3) << c.no;
  }
}

// The edge cases of the sixteen ranges; each name lists the ranges it belongs to.
const struct {
  const char *name;
  QList<int> ranges;
} kRangeCases[] = {
    {"가", {1, 16}},       {"까치", {1}},   {"나무", {2}},      {"땅", {3}},
    {"빵", {6}},           {"쌀", {7}},     {"짜장", {9}},      {"하늘", {14}},
    {"힣", {14}},          {"힣힣", {}},    {"Z", {15, 16}},    {"Zoo", {16}},
    {"abc", {15, 16}},     {"123", {16}},   {"#1", {16}},       {"파", {13}},
};

TEST(NameRanges, InCpp) {
  for (const auto &c : kRangeCases)
    for (int n = 0; n <= 17; ++n)
      EXPECT_EQ(InNameRange(QString::fromUtf8(c.name), n), c.ranges.contains(n))
          << c.name << " range " << n;
}

class NameRangeSqlTest : public lookuptest::LookupDb {};

TEST_P(NameRangeSqlTest, TheDatabaseAgreesWithCpp) {
  if (IsSkipped()) return;
  qlonglong key = 1;
  for (const auto &c : kRangeCases) Goods(key, key, QString::fromUtf8(c.name), {}), ++key;
  for (int n = 0; n <= 17; ++n) {
    QVariantList args;
    const QString piece = NameRangeSql(goDbMain.dialect(), "GcdName", n, args);
    auto rs = QueryBound(goDbMain, "SELECT GcdName FROM GdsCode WHERE 1 = 1" + piece, args);
    QStringList got;
    for (; !rs.Eof(); rs.MoveNext()) got << rs.Field(0).toString();
    for (const auto &c : kRangeCases) {
      const bool expected = n == 0 || n == 17 || c.ranges.contains(n);
      EXPECT_EQ(got.contains(QString::fromUtf8(c.name)), expected) << c.name << " range " << n;
    }
  }
}

TEST_P(NameRangeSqlTest, FoldAndLikeEscapeOnTheEngine) {
  if (IsSkipped()) return;
  Goods(1, 1, "50% off", {});
  Goods(2, 2, "500 off", {});
  Goods(3, 3, "A_B", {});
  Goods(4, 4, "AxB", {});
  Goods(5, 5, "O'Neil", {});
  const db::Dialect d = goDbMain.dialect();
  auto names = [&](const QString &typed) {
    auto rs = QueryBound(goDbMain,
                         "SELECT GcdName FROM GdsCode WHERE " + d.Fold("GcdName") +
                             " LIKE ? ESCAPE '\\' ORDER BY GcdNo",
                         {ContainsPattern(FoldText(typed))});
    QStringList out;
    for (; !rs.Eof(); rs.MoveNext()) out << rs.Field(0).toString();
    return out;
  };
  EXPECT_EQ(names("0%"), QStringList{"50% off"});
  EXPECT_EQ(names("a_b"), QStringList{"A_B"});
  EXPECT_EQ(names("o'neil"), QStringList{"O'Neil"});
  EXPECT_EQ(names(QString::fromUtf8("ｏ'ｎｅｉｌ")), QStringList{"O'Neil"});
  // The dialect's own helpers fold both sides.
  EXPECT_EQ(Count("SELECT 1 FROM GdsCode WHERE " + d.CiLike("GcdName", "'%xb'")), 1);
  EXPECT_EQ(Count("SELECT 1 FROM GdsCode WHERE " + d.CiEquals("GcdName", "'axb'")), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, NameRangeSqlTest, ORV_BOTH_ENGINES);

TEST(ColSizeText, RoundTripAndMismatch) {
  EXPECT_EQ(ColSizeText({11.75, 8, 7.5, 0}), "11.75 8 7.5 0");
  auto w = ParseColSize("7  18.5 6", 3);
  ASSERT_TRUE(w);
  EXPECT_EQ(*w, (QList<double>{7, 18.5, 6}));
  EXPECT_FALSE(ParseColSize("1 2 3", 4));
  EXPECT_FALSE(ParseColSize("   ", 0));
}

class ColSizeTest : public lookuptest::LookupDb {};

TEST_P(ColSizeTest, PerLoginAndGrid) {
  if (IsSkipped()) return;
  ListGrid g;
  g.SetMaxCols(3);
  for (int c = 1; c <= 3; ++c) g.SetColWidth(c, 5);
  LoadColSize(&g, "TrsHelpFrm");  // no row: design widths
  EXPECT_DOUBLE_EQ(g.ColWidth(2), 5);
  g.SetColWidth(2, 12.5);
  SaveColSize(&g, "TrsHelpFrm");
  EXPECT_EQ(Count("SELECT 1 FROM ColSize"), 1);

  ListGrid h;
  h.SetMaxCols(3);
  LoadColSize(&h, "TrsHelpFrm");
  EXPECT_DOUBLE_EQ(h.ColWidth(2), 12.5);

  gsLogID = "O'Neil";  // another login keeps its own row, and a quote is a plain value
  ListGrid k;
  k.SetMaxCols(3);
  k.SetColWidth(2, 9);
  LoadColSize(&k, "TrsHelpFrm");
  EXPECT_DOUBLE_EQ(k.ColWidth(2), 9);
  SaveColSize(&k, "TrsHelpFrm");
  EXPECT_EQ(Count("SELECT 1 FROM ColSize"), 2);

  // A stored text for another column count is ignored.
  ListGrid four;
  four.SetMaxCols(4);
  four.SetColWidth(2, 8);
  LoadColSize(&four, "TrsHelpFrm");
  EXPECT_DOUBLE_EQ(four.ColWidth(2), 8);
}

TEST_P(ColSizeTest, AFailedReadKeepsTheDesignWidths) {
  if (IsSkipped()) return;
  goDbMain.Execute("DROP TABLE ColSize");
  ListGrid g;
  g.SetMaxCols(2);
  g.SetColWidth(1, 9);
  LoadColSize(&g, "CstHelpFrm");
  SaveColSize(&g, "CstHelpFrm");  // silently fails
  EXPECT_DOUBLE_EQ(g.ColWidth(1), 9);
}

INSTANTIATE_TEST_SUITE_P(Engines, ColSizeTest, ORV_BOTH_ENGINES);

TEST(DirectGo, ClosingWays) {
  lookuptest::ResetAll();
  struct Case {
    const char *typed;
    int how;  // 0 confirm, 1 Enter, 2 cancel, 3 Esc, 4 close box
    int helpRet, directRet;
    const char *text;
    qlonglong no;
  } cases[] = {
      {"123abc", 0, 1, 1, "123abc", 123},  {"", 0, 0, 1, "", 0},
      {"  ", 1, 0, 1, "", 0},              {"O'Neil", 1, 1, 1, "O`Neil", 0},
      {"abc", 2, 0, 0, "abc", 0},          {"77", 3, 0, 0, "77", 77},
      {"12345678901234", 4, 0, 0, "12345678901234", 1234567890},
  };
  for (const Case &c : cases) {
    giHelpOpen = 1;
    DirectGoFrm f;
    EXPECT_EQ(giHelpOpen, 0);
    f.show();
    f.InputTxt->setText(QString::fromUtf8(c.typed));
    switch (c.how) {
      case 0: f.Command1->click(); break;
      case 1: QTest::keyClick(f.InputTxt, Qt::Key_Return); break;
      case 2: f.Command2->click(); break;
      case 3: QTest::keyClick(f.InputTxt, Qt::Key_Escape); break;
      default: f.close(); break;
    }
    EXPECT_EQ(giHelpRet, c.helpRet) << c.typed;
    EXPECT_EQ(giDirectGoRet, c.directRet) << c.typed;
    EXPECT_EQ(gsDirectGoText, QString::fromUtf8(c.text));
    EXPECT_EQ(gcDirectGoNo, *Currency::FromWhole(c.no)) << c.typed;
  }
  EXPECT_EQ(gcDirectGoCode, *Currency::FromWhole(1234567890));
}

TEST(OpenHelp, GuardAndFailedShow) {
  lookuptest::ResetAll();
  // Busy guard: nothing is made.
  giHelpOpen = 1;
  giHelpRet = 1;
  bool made = false;
  EXPECT_FALSE(OpenHelp([&]() -> std::unique_ptr<QDialog> {
    made = true;
    return std::make_unique<DirectGoFrm>();
  }));
  EXPECT_FALSE(made);
  EXPECT_EQ(giHelpRet, 0);

  // A load that fails on the database: guard and result back to 0, the error shown.
  giHelpOpen = 0;
  Script s;
  s.Ok();
  s.StrictOk();
  EXPECT_FALSE(OpenHelp([]() -> std::unique_ptr<QDialog> {
    throw db::DbError(42, "lost");
  }));
  EXPECT_EQ(giHelpOpen, 0);
  EXPECT_EQ(giHelpRet, 0);
  ASSERT_EQ(s.Texts().size(), 1);
  EXPECT_EQ(s.Texts()[0], "오류번호 : 42\r\n오류내용 : lost");

  // A shown dialog: the guard was 1 until it loaded.
  s.OnForm("DirectGoFrm", [](QWidget &w) {
    EXPECT_EQ(giHelpOpen, 0);
    auto &f = static_cast<DirectGoFrm &>(w);
    f.InputTxt->setText("x");
    f.Command1->click();
  });
  EXPECT_TRUE(OpenHelp([] { return std::make_unique<DirectGoFrm>(); }));
  EXPECT_EQ(giHelpRet, 1);
}

// The keyboard hands its result back; the lookup that opened it puts it where the lookups
// read it, and the lookup guard is clear while it is up.
TEST(OpenHelp, KeyPadResultReachesTheLookup) {
  lookuptest::ResetAll();
  const struct {
    const char *what;
    bool ok;
    int16_t wantOk;
    const char *wantText;
  } cases[] = {{"OK", true, 1, "it`s"}, {"cancel", false, 0, ""}};
  for (const auto &c : cases) {
    giHelpOpen = 1;
    giKeyPadOk = 7;
    gsKeyPadText = "old";
    Script s;
    s.OnForm("KeyPadAllFrm", [&](QWidget &w) {
      EXPECT_EQ(giHelpOpen, 0) << c.what;
      auto &f = static_cast<KeyPadAllFrm &>(w);
      f.KeyGumTxt->setText("it's");
      c.ok ? f.KeyEnter_Click() : f.KeyExit_Click();
    });
    ShowKeyPad();
    EXPECT_EQ(giKeyPadOk, c.wantOk) << c.what;
    EXPECT_EQ(gsKeyPadText, c.wantText) << c.what;
  }
}

TEST(ListGridTest, ActiveRowSortAndFields) {
  ListGrid g;
  g.SetMaxCols(3);
  g.SetCheckCol(2);
  g.SetFormatter([](const ListFields &f, int col) {
    ListCell c;
    c.text = f.value(col == 1 ? 0 : 1).toString();
    if (col == 3 && f.value(1).toString().startsWith('b')) c.fore = 0xFF00FF;
    return c;
  });
  EXPECT_EQ(g.ActiveRow(), 0);
  g.AppendRows({{"3", "b"}, {"1", "B"}, {"2", "a"}, {"0", QString::fromUtf8("가")}});
  EXPECT_EQ(g.MaxRows(), 4);
  EXPECT_EQ(g.ActiveRow(), 1);
  EXPECT_EQ(g.CellValue(1, 3), "b");
  EXPECT_EQ(g.Cell(1, 3).fore, 0xFF00FF);
  g.SetChecked(2, true);
  EXPECT_EQ(g.CellValue(2, 2), "1");
  g.SetActiveCell(1, 2);
  // Stable, case-folded, code-point order: a, b, B (kept in place), 가.
  g.SortRows({{3, true}});
  EXPECT_EQ(g.CellValue(1, 1), "2");
  EXPECT_EQ(g.CellValue(2, 1), "3");
  EXPECT_EQ(g.CellValue(3, 1), "1");
  EXPECT_EQ(g.CellValue(4, 1), "0");
  EXPECT_TRUE(g.Checked(3));   // the check moved with its row
  EXPECT_EQ(g.ActiveRow(), 3);  // and so did the cursor
  g.SortRows({{3, false}, {1, true}});
  EXPECT_EQ(g.CellValue(1, 1), "0");
  EXPECT_EQ(g.CellValue(2, 1), "1");
  g.SetField(2, 0, "9");
  EXPECT_EQ(g.CellValue(2, 1), "9");
  g.Clear();
  EXPECT_EQ(g.ActiveRow(), 0);
}

TEST(ListGridTest, KeysInVirtualCodes) {
  ListGrid g;
  g.SetMaxCols(1);
  g.AppendRows({{"a"}, {"b"}});
  g.show();
  QList<int> seen;
  QObject::connect(&g, &ListGrid::KeyDown, [&](int &k, int &) {
    seen << k;
    if (k == (keys::vbKeyF1 + 1)) k = 0;
  });
  QTest::keyClick(g.view(), Qt::Key_Slash);
  QTest::keyClick(g.view(), Qt::Key_QuoteLeft);
  QTest::keyClick(g.view(), Qt::Key_Plus, Qt::KeypadModifier);
  QTest::keyClick(g.view(), Qt::Key_Minus);
  QTest::keyClick(g.view(), Qt::Key_F2);
  EXPECT_EQ(seen, (QList<int>{191, 192, keys::vbKeyAdd, 189, (keys::vbKeyF1 + 1)}));
}

}  // namespace
