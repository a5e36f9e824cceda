// The goods on the sale screen printed from the screen itself.
#include <QLabel>

#include "../sale/sale_screen_fixture.h"
#include "core/helpers.h"
#include "platform/grid.h"
#include "print_support.h"

using orv::dialogs::Script;
using printtest::Capture;
using printtest::Cp949;

namespace {

class ScreenGodsOnScreen : public saletest::SaleScreenTest {
 protected:
  void SetUp() override {
    SaleScreenTest::SetUp();
    Login();
    ASSERT_EQ(giSetPrint, 2);  // the demo prints
    orv::clock::SetFixed(QDateTime(QDate(2024, 12, 5), QTime(14, 30, 5)));
    frmMain &m = *main_;
    // Goods on rows 1, 2 and 4; row 4 tax-free and without points.
    const char *rows[][8] = {{"1", "88012346", "자일리톨껌 소", "2", "800", "1,600", "0", "0"},
                             {"2", "88000002", "바나나 1송이", "1", "3,000", "3,000", "0", "0"},
                             {"4", "88000004", "생수", "1", "500", "500", "1", "1"}};
    for (const auto &r : rows) {
      const int row = QString(r[0]).toInt();
      SetCellText(m.vaSpread1, row, ColCode, r[1]);
      SetCellText(m.vaSpread1, row, ColName, QString::fromUtf8(r[2]));
      SetCellText(m.vaSpread1, row, ColQty, r[3]);
      SetCellText(m.vaSpread1, row, ColPrice, r[4]);
      SetCellText(m.vaSpread1, row, ColAmt, r[5]);
      SetCellText(m.vaSpread1, row, ColGdsKey, QString::number(20 + row));
      SetCellText(m.vaSpread1, row, ColTaxFree, r[6]);
      SetCellText(m.vaSpread1, row, ColPointEx, r[7]);
    }
    m.lblHabGum->setText("5,100");
    m.lblSuSum->setText("4");
  }
};

TEST_F(ScreenGodsOnScreen, CopiesCarryOneNumberAndABadAnswerPrintsNothing) {
  struct Case {
    std::optional<QString> typed;
    int jobs;
  };
  const Case cases[] = {{QString("2"), 2}, {QString("0"), 1}, {QString("-3"), 1}, {QString("10"), 1},
                        {std::nullopt, 0}, {QString("abc"), 0}, {QString(""), 0}};
  int secs = 0;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.typed.value_or("(cancel)").toStdString());
    // Each list is stored under its time: a new second for each.
    orv::clock::SetFixed(QDateTime(QDate(2024, 12, 5), QTime(14, 30, 5).addSecs(secs += 5)));
    Capture cap;
    Script s;
    c.typed ? s.Input(*c.typed) : s.InputCancel();
    main_->PrintScreenGods();
    ASSERT_EQ(cap.jobs.size(), c.jobs);
    ASSERT_EQ(s.Log().size(), 1);  // the prompt only: no failure box for a bad answer
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("인쇄매수를 입력하세요"));
    EXPECT_EQ(s.Log()[0].defaultText, "1");
    QByteArray idLine;
    for (const auto &job : cap.jobs) {
      const QByteArray &b = job.bytes;
      // yymmdd hhmmss (the clock runs on from 14:30:05) and the POS number's last digit.
      const QByteArray mark = Cp949(QStringLiteral("식별번호: 2412051430"));
      const qsizetype at = b.indexOf(mark);
      ASSERT_GE(at, 0);
      const QByteArray line = b.mid(at, b.indexOf("\r\n", at) - at);
      EXPECT_EQ(line.size(), mark.size() + 3);
      EXPECT_TRUE(line.endsWith(QByteArray::number(giSetPosNo).right(1)));
      if (idLine.isEmpty()) idLine = line;
      EXPECT_EQ(line, idLine);  // one number on every copy of a call
      EXPECT_TRUE(b.contains(Cp949(QStringLiteral("  1: 자일리톨껌 소"))));
      EXPECT_TRUE(b.contains(Cp949(QStringLiteral("  4*@생수"))));
      EXPECT_TRUE(b.contains("88000002" + QByteArray(9, ' ') + "1" + QByteArray(5, ' ') + "3,000" + QByteArray(7, ' ') +
                             "3,000\r\n"));
      // 4,600 taxed: 4,181.81… + 0.5 gives 4,182.
      EXPECT_TRUE(b.contains(Cp949(QStringLiteral("[공급가    4182세액     418면세     500]"))));
      EXPECT_FALSE(b.contains(Cp949(QStringLiteral("  3:"))));
    }
  }
  // Every printed list is stored, with its goods lines.
  EXPECT_EQ(goDbPos.OpenRecordset("SELECT COUNT(*) FROM PanChitP").Field(0).toInt(), 4);
  EXPECT_EQ(goDbPos.OpenRecordset("SELECT COUNT(*) FROM PanGodsP").Field(0).toInt(), 12);
}

TEST_F(ScreenGodsOnScreen, APortFailureShowsTheBox) {
  Capture cap(1);
  Script s;
  s.Input("1");
  main_->PrintScreenGods();
  EXPECT_TRUE(cap.jobs.isEmpty());
  ASSERT_EQ(s.Log().size(), 2);
  EXPECT_EQ(s.Log()[1].title, QStringLiteral("프린트실패"));
  EXPECT_EQ(s.Log()[1].text, QStringLiteral("프린터 연결에 문제가 있습니다.\r\n용지가 떨어졌을수 있습니다."));
  EXPECT_EQ(goDbPos.OpenRecordset("SELECT COUNT(*) FROM PanChitP").Field(0).toInt(), 0);
}

}  // namespace
