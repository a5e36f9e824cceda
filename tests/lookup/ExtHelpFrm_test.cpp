#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFrame>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "core/options.h"
#include "lookup/ExtHelpFrm.h"
#include "lookup_fixture.h"
#include "platform/list_grid.h"

using namespace orv;
using namespace orv::lookup;

namespace {

TEST(ExtHelp, KeptRowAfterAViewChange) {
  const struct {
    const char *row, *kept;
    int to, from;
    bool match;
  } cases[] = {
      {"1002000000", "1002003000", 1, 0, true},  {"1000000000", "1002003000", 2, 0, true},
      {"1000000000", "1000000000", 0, 2, true},  {"1002000000", "1002000000", 1, 2, true},
      {"1003000000", "1002003000", 1, 0, false}, {"1002003000", "1002003000", 0, 0, false},
  };
  for (const auto &c : cases)
    EXPECT_EQ(ExtKeptRowMatches(c.row, c.kept, c.to, c.from), c.match) << c.row << " " << c.to;
  EXPECT_EQ(ExtKindCaption(101), QString::fromUtf8("상품:부문1"));
  EXPECT_EQ(ExtKindCaption(205), "");
}

TEST(ExtHelp, NumbersAndColours) {
  auto row = [](qlonglong no) { return ListFields{1, no, "n", QVariant(), 3, "b"}; };
  EXPECT_EQ(ExtHelpCell(row(1002000), 1, true).text, "0001002000");
  EXPECT_EQ(ExtHelpCell(row(12), 1, false).text, "    12");
  EXPECT_EQ(ExtHelpCell(row(1234567), 1, false).text, "1234567");  // shown whole
  EXPECT_EQ(ExtHelpCell(row(1002000), 1, true).back, -1);
  EXPECT_EQ(ExtHelpCell(row(1002000000), 1, true).back, 0xFFFFC0);
  EXPECT_EQ(ExtHelpCell(row(1000000000), 1, true).back, 0xC0C0FF);
  EXPECT_EQ(ExtHelpCell(row(20000), 1, false).back, 0xFFFFC0);
}

class ExtHelpTest : public lookuptest::LookupDb {};

TEST_P(ExtHelpTest, ViewsStandOnANumberAndTake) {
  if (IsSkipped()) return;
  int key = 1;
  for (qlonglong no : {1000000000LL, 1002000000LL, 1002003000LL, 2000000000LL})
    Exec("INSERT INTO ExtCode (EcdIO, EcdKey, EcdNo, EcdName) VALUES (101, ?, ?, ?)",
         {key++, no, "c" + QString::number(no)});
  Exec("INSERT INTO ExtCode (EcdIO, EcdKey, EcdNo, EcdName) VALUES (102, 9, 1, 'other')");
  giHelpEcdIO = 101;
  giHelpNo1 = 100;
  giHelpNo2 = 200;
  giHelpNo3 = 1;
  ExtHelpFrm f;
  EXPECT_TRUE(f.windowTitle().endsWith(QString::fromUtf8("(상품:부문1)")));
  EXPECT_EQ(f.vaSpread1->MaxRows(), 4);
  EXPECT_EQ(f.vaSpread1->CellValue(f.vaSpread1->ActiveRow(), 1), "1002003000");
  EXPECT_EQ(giHelpNo1, 0);
  f.show();
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_F4);  // coarser: 중
  EXPECT_EQ(f.View(), 1);
  EXPECT_EQ(f.vaSpread1->MaxRows(), 3);
  EXPECT_EQ(f.vaSpread1->CellValue(f.vaSpread1->ActiveRow(), 1), "1002000000");
  EXPECT_EQ(GetEnvInt(gsLogID, "ExtHelpBmnView"), 1);
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_Return);
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_EQ(gcHelpNo, *Currency::FromWhole(1002000000));
  EXPECT_EQ(giHelpNo1, 100);
  EXPECT_EQ(giHelpNo2, 200);
  EXPECT_EQ(giHelpNo3, 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, ExtHelpTest, ORV_BOTH_ENGINES);

}  // namespace
