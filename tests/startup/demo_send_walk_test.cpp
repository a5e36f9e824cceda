// The demo shop's exchange with the main database walked as a cashier walks it: starts of
// the program through the login form's keys, sales on the sale and payment screens, quits.
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "checkout/checkout_globals.h"
#include "chit/records.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/money_ops.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "sale/frmMain.h"
#include "startup/basMain.h"
#include "sync/frmDataRebuild.h"
#include "sync/frmMsgReceive.h"
#include "login_fixture.h"
#include "sale_keys.h"

using namespace orv;
using dialogs::Script;
using namespace orv::money;

namespace {

// Every text a label shows, as it is painted.
class PaintedTexts : public QObject {
 public:
  PaintedTexts(QLabel *label, QStringList *out) : label_(label), out_(out) {
    label_->installEventFilter(this);
  }
  ~PaintedTexts() override { label_->removeEventFilter(this); }
  bool eventFilter(QObject *, QEvent *e) override {
    if (e->type() == QEvent::Paint && !label_->text().isEmpty() &&
        (out_->isEmpty() || out_->last() != label_->text()))
      *out_ << label_->text();
    return false;
  }

 private:
  QLabel *label_;
  QStringList *out_;
};

class DemoSendWalkTest : public orvtest::LoginTest {
 protected:
  void SetUp() override {
    LoginTest::SetUp();
    MakeDemo();
  }

  // One start of the program: the login form, online (F1) or offline (F2), the demo
  // cashier's ID and password typed and Enter; returns what the send line showed.
  // copySteps: "CC+" ticked first, so the day's code copy shows its steps (kept there).
  QStringList Start(Qt::Key mode, QStringList *copySteps = nullptr) {
    QStringList sendLines;
    Script s;
    s.ExpectAllUsed(false);
    LetExchangeRun(s);
    if (copySteps) WatchCopy(s, copySteps);
    s.OnForm("frmLog", [&](QWidget &w) {
      auto &f = static_cast<frmLog &>(w);
      PaintedTexts watch(f.SendMsgLbl, &sendLines);
      QApplication::processEvents();
      if (copySteps && !f.chkCcBcp->isChecked()) QTest::mouseClick(f.chkCcBcp, Qt::LeftButton);
      QTest::keyClick(f.txtID, mode);
      QApplication::processEvents();  // the box selects its text when it takes the focus
      QTest::keyClicks(f.txtID, "1");
      QTest::keyClick(f.txtID, Qt::Key_Return);
      QTest::keyClicks(f.txtPwd, "1234");
      QTest::keyClick(f.txtPwd, Qt::Key_Return);
    });
    mainWindow_ = startup::Main();
    m = qobject_cast<frmMain *>(mainWindow_);
    EXPECT_NE(m, nullptr) << s.Texts().join(" | ").toStdString();
    if (!m) return sendLines;
    EXPECT_TRUE(s.Texts().isEmpty()) << s.Texts().join(" | ").toStdString();
    m->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(m));
    QApplication::processEvents();
    return sendLines;
  }

  // The code copy's dialog runs by itself and closes; each step's table and progress.
  static void WatchCopy(Script &s, QStringList *steps) {
    s.OnForm("frmMsgReceive", [steps](QWidget &w) {
      auto &f = static_cast<frmMsgReceive &>(w);
      *steps << f.DspTitleLbl->text();
      QStringList tables;
      {
        PaintedTexts watch(f.MsgTextLbl, &tables);
        for (int i = 0; i < 1000 && f.isVisible(); ++i) QTest::qWait(1);
      }
      EXPECT_FALSE(f.isVisible()) << "the copy closes its dialog";
      *steps << tables << QString::number(f.ProgressBar1->value());
    });
  }

  // The point server's wait dialogs run by themselves and close.
  static void LetExchangeRun(Script &s) {
    for (const char *form : {"frmMsgSendCst", "frmMsgRecvCst"})
      s.OnForm(form, [](QWidget &w) {
        for (int i = 0; i < 1000 && w.isVisible(); ++i) QTest::qWait(1);
        EXPECT_FALSE(w.isVisible()) << w.objectName().toStdString() << " closes by itself";
      });
  }

  // The exit button and its question; the next start is a new run of the program.
  void Quit() {
    {
      Script s;
      s.Yes();
      m->cmdExit->click();
    }
    delete mainWindow_;
    mainWindow_ = nullptr;
    m = nullptr;
    state::ResetProgramState();
    instance::ReleaseSingleInstance();
    // The exit asked the application to quit, which would end the next start's local
    // event loops at once; a new process would not carry that over.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
  }

  QWidget *Focus() { return orvtest::SaleFocus(m); }
  void Press(Qt::Key key) { orvtest::SalePress(m, key); }
  void Enter(const QString &code) { orvtest::SaleEnter(m, code); }

  // Scans the codes, then Enter on the empty code cell opens the payment screen: F2 (cash),
  // Enter takes the amount due, Enter on the save button saves; no receipt.
  void Sell(const QStringList &codes) {
    Script s;
    s.ExpectAllUsed(false);
    s.OnForm("frmPrintOnOff", [](QWidget &w) {
      QApplication::processEvents();
      QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w,
                      Qt::Key_Return);
    });
    s.OnForm("frmCash", [](QWidget &w) {
      QApplication::processEvents();  // its first activation
      auto key = [&](Qt::Key k) {
        QWidget *at = QApplication::focusWidget();
        ASSERT_TRUE(at && at->window() == &w);
        QTest::keyClick(at, k);
        QApplication::processEvents();
      };
      key(Qt::Key_F2);      // cash
      key(Qt::Key_Return);  // the amount due, then the save button
      key(Qt::Key_Return);  // 저장
    });
    giCashSaved = 0;
    for (const QString &code : codes) Enter(code);
    Press(Qt::Key_Return);
    EXPECT_EQ(giCashSaved, 1) << s.Texts().join(" | ").toStdString();
    EXPECT_TRUE(s.Texts().isEmpty()) << s.Texts().join(" | ").toStdString();
  }

  static QString YyMm() {
    const QDate d = QDate::currentDate();
    return FmtYyMm(int16_t(d.year()), int16_t(d.month()));
  }
  static int Count(db::Connection &c, const QString &sql) {
    return int(NzCur(c.OpenRecordset(sql).Field(0)).RoundToInt());
  }
  // 홍길동's visits, purchase total and points in the main database.
  static QString HongTotals() {
    db::Recordset rs =
        goDbMain.OpenRecordset("Select CcdCnt, CcdZerdo, CcdJumsu From CstCode Where CcdKey = 1");
    return NzCur(rs.Field(0)).ToPlainText() + " " + NzCur(rs.Field(1)).ToPlainText() + " " +
           NzCur(rs.Field(2)).ToPlainText();
  }

  frmMain *m = nullptr;
};

}  // namespace

// Two offline sales, one of them to a member, go to the main database at the next online
// login, each once, with the member's totals grown once.
TEST_F(DemoSendWalkTest, OfflineSalesGoOutAtTheNextOnlineLogin) {
  Start(Qt::Key_F1);
  ASSERT_NE(m, nullptr);
  const QStringList before = HongTotals().split(' ');
  Quit();

  Start(Qt::Key_F2);
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(giOnLine, 2);
  Sell({"8801043014809"});                   // 신라면
  Sell({"2900000010019", "8801094013007"});  // 홍길동's card, 코카콜라
  Quit();

  const QString yymm = YyMm();
  const QStringList lines = Start(Qt::Key_F1);
  ASSERT_NE(m, nullptr);
  const int secondChit = int(lines.indexOf("* 1/2 PanChit" + yymm + " (2/2) *"));
  EXPECT_TRUE(lines.value(0) == "* Send Start *" && secondChit > 0 &&
              lines.value(lines.size() - 1) == "* Send End *")
      << lines.join(" | ").toStdString();

  // Both chits marked on the POS and in the main database under their own numbers.
  const QString chits = "Select Count(*) From PanChit" + yymm;
  EXPECT_EQ(Count(goDbPos, chits + " Where PctJunsong = 0"), 0);
  EXPECT_EQ(Count(goDbPos, chits + " Where PctJunsong = 1"), 2);
  db::Recordset sold = goDbPos.OpenRecordset(
      "Select PctChtNo, PctHab, PctCstKey From PanChit" + yymm + " Order By PctChtNo");
  ASSERT_EQ(sold.RecordCount(), 2);
  QString memberChit;
  Currency memberHab;
  for (; !sold.Eof(); sold.MoveNext()) {
    const QString no = NzStr(sold.Field(0));
    EXPECT_EQ(Count(goDbMain, chits + " Where PctJunsong = 1 And PctChtNo = " + no +
                                  " And PctHab = " + NzCur(sold.Field(1)).ToPlainText()),
              1)
        << no.toStdString();
    if (!NzCur(sold.Field(2)).IsZero()) {
      memberChit = no;
      memberHab = NzCur(sold.Field(1));
    }
  }
  ASSERT_FALSE(memberChit.isEmpty()) << "the card made the second sale 홍길동's";
  // 홍길동: one visit more, the purchase and the chit's points added once.
  const Currency points = NzCur(
      goDbPos.OpenRecordset("Select Sum(PclGum02) From PanList" + yymm + " Where PclChtNo = " + memberChit)
          .Field(0));
  EXPECT_EQ(HongTotals(), (Currency::Won(1) + NzCur(before[0])).ToPlainText() + " " +
                              (NzCur(before[1]) + memberHab).ToPlainText() + " " +
                              (NzCur(before[2]) + points).ToPlainText());
  const int inMain = Count(goDbMain, chits);
  Quit();

  // Nothing goes twice at a later login.
  Start(Qt::Key_F1);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(Count(goDbMain, chits), inMain);
}

// "CC" copies the codes again through its dialog with "CC+" ticked; the re-send button with
// its password opens the day's re-send, which posts the day's chits once more.
TEST_F(DemoSendWalkTest, CodeCopyAndTheDaysResend) {
  QStringList atLogin;
  Start(Qt::Key_F1, &atLogin);
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(giSetCcBcp, 1);
  EXPECT_EQ(gsCodeDate, QDate::currentDate().toString("yyyyMMdd")) << "the login copied the codes";
  Sell({"8801043014809"});

  QStringList steps;
  {
    Script s;
    s.Yes();
    WatchCopy(s, &steps);
    m->CmdCC->click();
    ASSERT_EQ(s.Texts(), QStringList({"* 코드 수신작업을 할까요 ?"}));
  }
  EXPECT_EQ(steps, atLogin);
  ASSERT_EQ(steps.size(), 1 + 23 + 1) << steps.join(" | ").toStdString();
  EXPECT_EQ(steps.first(), "* 코드 데이타 불러 오는 중 *");
  EXPECT_EQ(steps[1], "ComCode");
  EXPECT_EQ(steps[23], "TrsMast");
  EXPECT_EQ(steps.last(), "100");
  // The copy brought the main database's goods: the next sale prices from them.
  EXPECT_EQ(Count(goDbPos, "Select Count(*) From GdsCode"), Count(goDbMain, "Select Count(*) From GdsCode"));

  const QString chits = "Select Count(*) From PanChit" + YyMm();
  const int inMain = Count(goDbMain, chits);
  const int ofTheDay = Count(goDbPos, "Select Count(*) From PanChitT" + YyMm() + " Where PctDate = '" +
                                          QDate::currentDate().toString("yyyyMMdd") + "'");
  ASSERT_GT(ofTheDay, 0);
  QString title;
  {
    Script s;
    s.Input("36284019762").Yes();
    s.OnForm("frmDataRebuild", [&](QWidget &w) {
      auto &f = static_cast<frmDataRebuild &>(w);
      title = f.windowTitle();
      EXPECT_EQ(f.dtpFromDate->date(), QDate::currentDate());
      f.cmdOK->click();
      EXPECT_EQ(f.Prs->value(), 100);
      f.close();
    });
    m->cmdRebuild->click();
    EXPECT_EQ(s.Texts(), QStringList({"데이타 재전송 작업을 하시겠습니까 ?"}));
  }
  EXPECT_EQ(title, "데이타재전송~~");
  EXPECT_EQ(Count(goDbMain, chits), inMain + ofTheDay);
}

// The demo's point server: its members come down at an online start; without it the
// checkout works in state 1 and queues a member's chit, which goes up, once, when the
// cashier clicks the label after the point server is back.
TEST_F(DemoSendWalkTest, ThePointServerGoesAwayAndComesBack) {
  QString error;
  ASSERT_TRUE(demo::MakeDemoPointServer(
      QStringLiteral(ORVPOS_SOURCE_DATA) + "/demo/points.txt", &error))
      << error.toStdString();
  const QString ts = dir_->filePath("ts.db");
  const QString away = dir_->filePath("ts-away.db");
  db::Connection server;
  server.Open(db::BuildConnectionText("", "SQLite", "", "", ts));
  const QString before = NzCur(server.OpenRecordset(
                                   "Select CcdCnt From CstCode Where CcdBarcode = '2900000010019'")
                                   .Field(0))
                             .ToPlainText();
  server.Close();

  QStringList copySteps;  // "CC+" ticked: the start copies the members as well as the codes
  Start(Qt::Key_F1, &copySteps);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(giCstTsMode, 2);
  EXPECT_EQ(m->TotPointLbl->text(), "통합포인트온라인");
  EXPECT_EQ(Count(goDbPos, "Select Count(*) From CstCodeTs Where CcdBarcode = '2900000010019'"), 1)
      << "the members came down";
  Quit();

  ASSERT_TRUE(QFile::rename(ts, away));
  Start(Qt::Key_F1);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(giCstTsMode, 1);
  EXPECT_EQ(m->TotPointLbl->text(), "통합포인트오프라인");
  Sell({"2900000010019", "8801043014809"});  // 홍길동, 신라면
  EXPECT_EQ(Count(goDbPos, "Select Count(*) From PanChitOn Where PctCstKey = 1"), 1);

  ASSERT_TRUE(QFile::rename(away, ts));
  {
    Script s;
    LetExchangeRun(s);
    QTest::mouseClick(m->TotPointLbl, Qt::LeftButton);
  }
  EXPECT_EQ(giCstTsMode, 2);
  EXPECT_EQ(m->TotPointLbl->text(), "통합포인트온라인");
  EXPECT_EQ(Count(goDbPos, "Select Count(*) From PanChitOn"), 0);
  EXPECT_EQ(Count(goDbPos, "Select Count(*) From PanListOn"), 0);
  EXPECT_EQ(Count(goDbTs, "Select Count(*) From PanChitT" + YyMm() + " Where PctCstKey = 1"), 1);
  EXPECT_EQ(NzCur(goDbTs.OpenRecordset("Select CcdCnt From CstCode Where CcdBarcode = '2900000010019'")
                      .Field(0))
                .ToPlainText(),
            (NzCur(before) + Currency::Won(1)).ToPlainText())
      << "one visit more on the point server";
}
