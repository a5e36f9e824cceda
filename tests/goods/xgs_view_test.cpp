#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "core/globals.h"
#include "core/values.h"
#include "fake_web_server.h"
#include "goods/XgsViewFrm.h"
#include "goods/frmGdsNew.h"
#include "goods_fixture.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/list_grid.h"
#include "platform/settings_store.h"

using namespace orv;
using goodstest::GoodsDb;
using orvtest::FakeWebServer;

namespace {

const QString kKey = "8801234567890";
const QString kPage = "/orvprisgp.php?Bar=" + kKey + "&Tna=SHOP0001";
// code, name, kyg, purchase, second purchase, sale, tax-free, box, date, public name
QByteArray Line(const char *code, const char *name, const char *meip, const char *meip2, const char *danga,
                const char *date, const char *publicName = "") {
  // The server answers in the code page.
  return codepage::Encode(QString::fromUtf8(QByteArray("~>'") + code + "'" + name + "'1kg'" + meip + "'" + meip2 +
                                            "'" + danga + "'0'20'" + date + "'" + publicName + "''0'0"));
}

class XgsView : public GoodsDb {
 protected:
  void SetUp() override {
    GoodsDb::SetUp();
    dir_ = orvtest::MakeTempDir();
    settings_store::SetFilePath(dir_->filePath("OrvZerdo.ini"));
    settings_store::SaveSetting("gsSetWebServer", web_.BaseUrl());
    Exec("INSERT INTO OrvRegistry (RegKey, RegInt, RegChar) VALUES ('SupTrsName', 0, 'SHOP0001')");
    giXgsViewMode = 1;
    gsXgsViewKey = " " + kKey + " ";
    gcXgsViewMeip = Currency::Won(750);
    gcXgsViewDanga = Currency::Won(1100);
    XgsViewFrm::SetTimeoutMs(20000);
  }
  void TearDown() override {
    XgsViewFrm::SetTimeoutMs(60000);
    settings_store::SetFilePath({});
    GoodsDb::TearDown();
  }
  static QStringList Column(ListGrid *g, int col) {
    QStringList out;
    for (int r = 1; r <= g->MaxRows(); ++r) out << g->CellValue(r, col);
    return out;
  }

  std::unique_ptr<QTemporaryDir> dir_;
  FakeWebServer web_;
};

}  // namespace

TEST_P(XgsView, ListsTheShopsOwnRowFirstThenTheLatestAndTakesAPrice) {
  web_.SetPage(kPage, "<html>\n" + Line("SHOP0002", "라면 B", "800", "0", "1000", "20241130") + "<P>" +
                          Line("SHOP0001", "라면", "700.5", "650", "1200", "20241101") + "\r\n" +
                          Line("SHOP0003", "라면 C", "0", "0", "0", "20241202", "한빛마트") + "\n</html>");
  XgsViewFrm f;
  f.LoadXgsView();
  EXPECT_EQ(web_.Requests(), QStringList{kPage});
  ASSERT_EQ(f.vaSpread1->MaxRows(), 3);
  const QString none = QString(4, '?') + "----";
  EXPECT_EQ(Column(f.vaSpread1, 1), QStringList({none, "한빛마트", none}));
  EXPECT_EQ(Column(f.vaSpread1, 6), QStringList({"20241101", "20241202", "20241130"}));
  EXPECT_EQ(Column(f.vaSpread1, 9), QStringList({"0", "2", "2"}));
  EXPECT_EQ(Column(f.vaSpread1, 2), QStringList({"700.50", "0.00", "800.00"}));
  EXPECT_EQ(Column(f.vaSpread1, 7), QStringList({"650.00", "", ""})) << "a second price of 0 shows nothing";
  EXPECT_EQ(Column(f.vaSpread1, 4), QStringList({"41.63", "0.00", "20.00"})) << "sale 0: 0";
  EXPECT_EQ(Column(f.vaSpread1, 5), QStringList({"71.31", "0.00", "25.00"})) << "purchase 0: 0";
  EXPECT_EQ(Column(f.vaSpread2, 2), QStringList({"라면", "라면 C", "라면 B"}));
  EXPECT_EQ(f.vaSpread3->MaxRows(), 3);
  EXPECT_TRUE(f.vaSpread3->isHidden());

  // The own row is magenta in both grids; prices below the opener's are orange.
  constexpr long kMagenta = colors::Rgb(255, 0, 255), kOrange = colors::Rgb(255, 128, 0);
  EXPECT_EQ(f.vaSpread1->Cell(1, 1).fore, kMagenta);
  EXPECT_EQ(f.vaSpread2->Cell(1, 2).fore, kMagenta);
  EXPECT_EQ(f.vaSpread1->Cell(1, 2).fore, kOrange) << "700.5 is below 750";
  EXPECT_EQ(f.vaSpread1->Cell(1, 3).fore, kMagenta) << "1,200 is not below 1,100";
  EXPECT_EQ(f.vaSpread1->Cell(3, 1).fore, -1);
  EXPECT_EQ(f.SSTab1->tabBar()->tabTextColor(0), QColor(0, 0, 0));

  // F1 on the price grid takes the purchase price of the active row only.
  f.vaSpread1->SetActiveCell(1, 1);
  int vk = 0x70, shift = 0;
  emit f.vaSpread1->KeyDown(vk, shift);
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_EQ(gcXgsViewMeip, NzCur("700.5"));
  EXPECT_TRUE(gcXgsViewDanga.IsZero());
  EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST_P(XgsView, PicksAndCloses) {
  web_.SetPage(kPage, Line("SHOP0002", " 라면 B ", "800", "0", "1000", "20241130") + "\n");
  struct {
    const char *what;
    std::function<void(XgsViewFrm &)> act;
    int ret;
    int meip, danga;
    const char *name;
  } cases[] = {
      {"매출", [](XgsViewFrm &f) { f.Command2->click(); }, 1, 0, 1000, ""},
      {"전체", [](XgsViewFrm &f) { f.Command3->click(); }, 1, 800, 1000, ""},
      {"double click", [](XgsViewFrm &f) { emit f.vaSpread1->DblClick(1, 1); }, 1, 0, 0, ""},
      {"품명", [](XgsViewFrm &f) { f.Command5->click(); }, 2, 0, 0, "라면 B"},
      {"취소", [](XgsViewFrm &f) { f.Command4->click(); }, 0, 0, 0, ""},
      {"Esc", [](XgsViewFrm &f) { QTest::keyClick(f.vaSpread2, Qt::Key_Escape); }, 0, 0, 0, ""},
  };
  for (const auto &c : cases) {
    gcXgsViewMeip = gcXgsViewDanga = {};
    gsXgsViewName.clear();
    giXgsViewMode = 2;
    XgsViewFrm f;
    EXPECT_EQ(f.SSTab1->currentIndex(), 1) << "mode 2: the name tab in front";
    f.show();
    f.LoadXgsView();
    c.act(f);
    EXPECT_EQ(giHelpRet, c.ret) << c.what;
    EXPECT_EQ(gcXgsViewMeip, Currency::Won(c.meip)) << c.what;
    EXPECT_EQ(gcXgsViewDanga, Currency::Won(c.danga)) << c.what;
    EXPECT_EQ(gsXgsViewName, QString::fromUtf8(c.name)) << c.what;
    if (c.ret == 2) {
      EXPECT_EQ(gsXgsViewKyg, "1kg");
    }
  }

  // Without rows a pick leaves the dialog open with the prices at 0.
  web_.SetPage(kPage, "nothing here\n");
  gcXgsViewMeip = Currency::Won(5);
  XgsViewFrm f;
  f.show();
  f.LoadXgsView();
  f.Command3->click();
  EXPECT_TRUE(f.isVisible());
  EXPECT_TRUE(gcXgsViewMeip.IsZero());
  EXPECT_EQ(giHelpRet, 0);
}

TEST_P(XgsView, MalformedLinesAskSixTimesAndFailuresOnce) {
  // A line of 13 parts ends each pass; after the sixth the captions are red.
  const QByteArray good = Line("SHOP0002", "라면", "800", "0", "1000", "20241130");
  web_.SetPage(kPage, good + "\n" + good.left(good.lastIndexOf('\'')) + "\n" + good + "\n");
  {
    XgsViewFrm f;
    f.LoadXgsView();
    EXPECT_EQ(web_.Requests().size(), 6);
    EXPECT_EQ(f.vaSpread1->MaxRows(), 1) << "the rows before the bad line stay";
    EXPECT_EQ(f.SSTab1->tabBar()->tabTextColor(1), QColor(255, 0, 0));
  }

  // A failed request is an empty reply, asked once, named in the status line.
  struct {
    const char *what;
    QString base;
    const char *status;
  } cases[] = {
      {"404", web_.BaseUrl() + "/none", "웹 서버가 오류로 답했습니다 (HTTP 404)"},
      {"refused", orvtest::ClosedPortUrl(), "웹 서버에 묻지 못했습니다: "},
      {"no server", "", "웹 서버가 설정되지 않았습니다"},
  };
  for (const auto &c : cases) {
    settings_store::SaveSetting("gsSetWebServer", c.base);
    const int before = int(web_.Requests().size());
    XgsViewFrm f;
    f.LoadXgsView();
    EXPECT_LE(web_.Requests().size(), before + 1) << c.what;
    EXPECT_TRUE(f.lblStatus->text().startsWith(QString::fromUtf8(c.status))) << c.what << " "
                                                                               << f.lblStatus->text().toStdString();
    EXPECT_EQ(f.vaSpread1->MaxRows(), 0) << c.what;
    EXPECT_EQ(f.SSTab1->tabBar()->tabTextColor(0), QColor(0, 0, 0)) << c.what;
  }
}

TEST_P(XgsView, TheQueryCarriesEachValuesBytesEncoded) {
  Exec("UPDATE OrvRegistry SET RegChar = '한빛마트' WHERE RegKey = 'SupTrsName'");
  Exec("INSERT INTO OrvRegistry (RegKey, RegInt) VALUES ('XgsViewSelt', 1)");
  gsXgsViewKey = "A&B#1";
  XgsViewFrm f;
  f.LoadXgsView();
  EXPECT_EQ(web_.Requests(), QStringList{"/orvprisdn.php?Bar=A%26B%231&Tna=%C7%D1%BA%FB%B8%B6%C6%AE"});
  EXPECT_EQ(gsSupTrsName, "한빛마트");

  Exec("UPDATE OrvRegistry SET RegChar = 'SHOP001' WHERE RegKey = 'SupTrsName'");
  XgsViewFrm seven;
  seven.LoadXgsView();
  EXPECT_TRUE(web_.Requests().last().endsWith("&Tna=")) << "7 bytes send no shop code";
}

TEST_P(XgsView, EscEndsARequestTheServerNeverAnswers) {
  web_.SetSilent(true);
  XgsViewFrm f;
  QString shown;
  QTimer esc;
  esc.setInterval(10);
  QObject::connect(&esc, &QTimer::timeout, [&] {
    if (web_.Requests().size() != 1 || !f.isVisible()) return;
    shown = f.lblStatus->text();
    QTest::keyClick(f.vaSpread1, Qt::Key_Escape);
  });
  esc.start();
  QElapsedTimer t;
  t.start();
  f.show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !f.isVisible(); }, 15000));
  EXPECT_LT(t.elapsed(), 15000);
  EXPECT_EQ(shown, "조회 중…");
  EXPECT_EQ(giHelpRet, 0);
  EXPECT_EQ(web_.Requests().size(), 1);
}

TEST_P(XgsView, TheRegistrationTakesWhatWasPicked) {
  web_.SetPage("/orvprisgp.php?Bar=" + kKey + "&Tna=SHOP0001",
               Line("SHOP0002", "새 라면", "900", "0", "0", "20241130") + "\n" +
                   Line("SHOP0003", "라면", "1234.5", "0", "1500.5", "20241101") + "\n");
  frmGdsNew g;
  g.txtGcdBarCode->setText(kKey);
  g.txtGcdDanga->setText("1300");
  int row = 0;
  auto pick = [&](QWidget &w) {
    auto &f = static_cast<XgsViewFrm &>(w);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.vaSpread1->MaxRows() == 2; }, 10000));
    f.vaSpread1->SetActiveCell(1, row);
    f.Command3->click();
  };
  dialogs::Script s;
  s.OnForm("XgsViewFrm", pick);
  row = 1;  // 900 and 0: only the purchase box changes
  g.ViewPrisCmd->click();
  EXPECT_EQ(g.txtGcdMeip->text(), "900");
  EXPECT_EQ(g.txtGcdDanga->text(), "1,300");
  row = 2;  // decimals become whole won, halves to even
  g.ViewPrisCmd->click();
  EXPECT_EQ(g.txtGcdMeip->text(), "1,234");
  EXPECT_EQ(g.txtGcdDanga->text(), "1,500");

  dialogs::Script names;
  names.OnForm("XgsViewFrm", [](QWidget &w) {
    auto &f = static_cast<XgsViewFrm &>(w);
    EXPECT_EQ(f.SSTab1->currentIndex(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.vaSpread2->MaxRows() == 2; }, 10000));
    f.vaSpread2->SetActiveCell(1, 1);
    f.Command5->click();
  });
  g.ViewNameCmd->click();
  EXPECT_EQ(g.txtGcdName->text(), "새 라면");
  EXPECT_EQ(g.txtGcdKyg->text(), "1kg");

  // No barcode: nothing is asked.
  g.txtGcdBarCode->clear();
  const int asked = int(web_.Requests().size());
  g.ViewPrisCmd->click();
  EXPECT_EQ(web_.Requests().size(), asked);
}

INSTANTIATE_TEST_SUITE_P(Sqlite, XgsView, ::testing::Values(orv::db::Engine::SQLite), orvtest::EngineName);

// The simulator of the shop system's web server that the demo uses, on its demo prices.
TEST_P(XgsView, TheWebSimulatorAnswersTheDemoPrices) {
  QProcess sim;
  sim.start(QFileInfo(QStringLiteral(ORVPOS_PROGRAM)).dir().filePath("orvwebsim"),
            {"0", QStringLiteral(ORVPOS_SOURCE_DATA) + "/demo/web_prices.txt"});
  ASSERT_TRUE(sim.waitForStarted(5000));
  ASSERT_TRUE(sim.waitForReadyRead(5000));
  const QString port = QString::fromLatin1(sim.readAllStandardOutput()).section(' ', 2).trimmed();
  settings_store::SaveSetting("gsSetWebServer", "http://127.0.0.1:" + port);
  Exec("UPDATE OrvRegistry SET RegChar = 'HANBIT01' WHERE RegKey = 'SupTrsName'");
  gsXgsViewKey = "8809990000012";
  for (int selt : {0, 1}) {
    if (selt) Exec("INSERT INTO OrvRegistry (RegKey, RegInt) VALUES ('XgsViewSelt', 1)");
    XgsViewFrm f;
    f.LoadXgsView();
    EXPECT_EQ(f.lblStatus->text(), "4건") << selt;
    ASSERT_EQ(f.vaSpread2->MaxRows(), 4);
    EXPECT_EQ(f.vaSpread2->CellValue(1, 2), QStringLiteral("보리차")) << "the shop's own row first";
    EXPECT_EQ(f.vaSpread2->Cell(1, 2).fore, colors::Rgb(255, 0, 255));
    EXPECT_EQ(f.vaSpread1->CellValue(2, 6), "20241203");
  }
  sim.kill();
  sim.waitForFinished(5000);
}
