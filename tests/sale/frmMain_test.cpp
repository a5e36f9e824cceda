#include <QFontMetrics>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QTableWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/options.h"
#include "core/pos_settings.h"
#include "platform/grid.h"
#include "sale_screen_fixture.h"

using namespace orv;
using dialogs::Script;
using saletest::SaleScreenTest;

namespace {

const QStringList kKinds = {"",           "판매#A가격(정상)", "판매#B가격(할인)", "판매#C가격",
                            "특판#A가격", "특판#B가격",       "특판#C가격",       "지정#A가격(지정)"};

}  // namespace

TEST_F(SaleScreenTest, LoadShowsTheCashierTheGridAndThePartner) {
  Login();
  frmMain &m = *main_;
  EXPECT_TRUE(m.Loaded());
  EXPECT_EQ(m.lblSaName->text(), QStringLiteral("김계산"));
  EXPECT_EQ(m.lblLine->text(), QStringLiteral("온 라 인"));
  EXPECT_EQ(m.lblDate->text(), "Ver 2024.01.30");
  EXPECT_EQ(m.txtPosNo->text(), "1");
  EXPECT_TRUE(m.windowTitle().startsWith(QStringLiteral("POS 판매 for Windows (IC) [V.")));
  EXPECT_EQ(giPosProgram, 1);
  EXPECT_EQ(giMainShown, 1);  // the first activation ran from the queued call

  // Grid: 150 lines of 22 columns; 8 to 22 hidden; 2, 6, 7 locked.
  EXPECT_EQ(m.vaSpread1->MaxRows(), 150);
  EXPECT_EQ(m.vaSpread1->MaxCols(), 22);
  EXPECT_EQ(m.vaSpread2->MaxRows(), 150);
  for (int c = 1; c <= 22; ++c) EXPECT_EQ(m.vaSpread1->ColHidden(c), c >= ColGdsKey) << c;
  for (int c = 1; c <= 7; ++c) {
    m.vaSpread1->SetRow(40);
    m.vaSpread1->SetCol(c);
    EXPECT_EQ(m.vaSpread1->Lock(), c == ColName || c == ColDc || c == ColKind) << c;
  }
  EXPECT_EQ(m.vaSpread2->table()->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(m.vaSpread1->table()->horizontalHeaderItem(ColMultiCardNo - 1)->text(),
            QStringLiteral("멀티카드No"));
  // A 13-digit barcode shows whole in the code column.
  const QFontMetrics fm(m.vaSpread1->table()->font());
  EXPECT_GT(m.vaSpread1->table()->columnWidth(ColCode - 1),
            fm.horizontalAdvance(QStringLiteral("8801043014809")));

  // Partner 88000, no price kind shown.
  EXPECT_EQ(m.txtTrsNo->text(), "88000");
  EXPECT_EQ(m.lblTrsName->text(), QStringLiteral("일반소매"));
  EXPECT_EQ(gcTcdKey, Currency::Won(88000));
  QStringList items;
  for (int i = 0; i < m.Combo1->count(); ++i) items << m.Combo1->itemText(i);
  EXPECT_EQ(items, kKinds);
  EXPECT_EQ(glGaSel, 0);
  EXPECT_EQ(glHalSel, 1);

  // Work date today, picker closed; the boxes share one place, only the partner box shows.
  const QDate today = clock::Now().date();
  EXPECT_EQ(m.dtpWrkDate->date(), today);
  EXPECT_FALSE(m.dtpWrkDate->isEnabled());
  EXPECT_EQ(giWrkDay, today.day());
  EXPECT_TRUE(m.Timer1->isActive());
  EXPECT_EQ(m.fraTrs->parentWidget(), m.fraCST->parentWidget());
  EXPECT_FALSE(m.fraCST->isVisibleTo(&m));
  EXPECT_FALSE(m.fraNumber->isVisibleTo(&m));
  EXPECT_TRUE(m.fraTrs->isVisibleTo(&m));
  // The option read as 0 is written as 1000.
  EXPECT_EQ(GetRegInt("PosCstJumsu"), 1000);
}

TEST_F(SaleScreenTest, LoadFollowsTheTerminalSettings) {
  Login();
  struct Case {
    int16_t van, signPad;
    const char *label;
  } cases[] = {{0, 0, "미지정"},        {1, 1, "KiCC(S)"}, {3, 1, "카드사용안함"}, {4, 0, "FDK"},
               {5, 1, "SMARTRO(S)"},    {9, 0, "NiCE"},    {10, 0, "KiS"},          {11, 1, "?"}};
  for (const Case &c : cases) {
    giSetVan = c.van;
    giSetSignPad = c.signPad;
    frmMain m;
    m.Form_Load();
    EXPECT_EQ(m.lblVan->text(), QString::fromUtf8(c.label)) << c.van;
  }

  // No printer: printing off and its button disabled; a coin changer: coins on.
  giSetVan = 0;
  giSetPrint = 0;
  giSetCoin = 1;
  settings_store::SaveSetting("giSetDangaStop", "1");
  settings_store::SaveSetting("giSetPrintBarcode", " 1x");
  settings_store::SaveSetting("giSetMisuNotPrn", "2");
  settings_store::SaveSetting("giSetCstAll", "7");
  giSetOiPrnSu = -3;
  giSetHandScaner = 1;
  goDbMain.Execute("DELETE FROM OrvRegistry WHERE RegKey = 'PosJulRound'");
  goDbMain.Execute("INSERT INTO OrvRegistry (RegKey, RegInt, RegChar) VALUES ('PosJulRound', 1, '')");
  goDbMain.Execute("INSERT INTO OrvRegistry (RegKey, RegInt, RegChar) VALUES ('OneMoaClientCode', 0, 'C77')");
  frmMain m;
  m.Form_Load();
  EXPECT_EQ(giPrintOn, 0);
  EXPECT_FALSE(m.cmdPrint->isEnabled());
  EXPECT_EQ(giCoinOn, 1);
  EXPECT_TRUE(m.cmdCoin->isEnabled());
  EXPECT_TRUE(m.chkDanga->isChecked());
  EXPECT_TRUE(m.chkPrintBar->isChecked());  // the leading number is 1
  EXPECT_EQ(giSetPrintBarcode, 1);
  EXPECT_FALSE(m.chkMisuNotPrn->isChecked());
  EXPECT_FALSE(m.chkCstAll->isChecked());
  EXPECT_EQ(giSetCstAll, 0);
  EXPECT_EQ(m.lblOIPrnSu->text(), "0");
  EXPECT_EQ(giSetJulsa, 5);
  EXPECT_EQ(m.miScanMode, 0);
  EXPECT_FALSE(m.tmrScan->isActive());
  EXPECT_FALSE(m.OneMoaCmd->isHidden());
  EXPECT_EQ(gsOneMoaClientCode, "C77");
}

TEST_F(SaleScreenTest, OfflineLoadDisablesTheCodeCopy) {
  Login(/*offline=*/true);
  EXPECT_EQ(main_->lblLine->text(), QStringLiteral("오프라인"));
  EXPECT_FALSE(main_->CmdCC->isEnabled());
}

TEST_F(SaleScreenTest, ExitButtonAsksThenWritesTheExitRowAndClosesBothConnections) {
  Login();
  {
    Script s;
    s.No();
    main_->cmdExit->click();
    ASSERT_EQ(s.Log().size(), 1);
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("종료확인"));
    EXPECT_EQ(s.Log()[0].text, QStringLiteral("정말 종료하시겠습니까 ?"));
    EXPECT_EQ(s.Log()[0].icon, dialogs::Icon::Information);
    EXPECT_EQ(EventRows(92), 0);
    EXPECT_TRUE(goDbMain.IsOpen());
  }
  db::Connection probe;
  probe.Open(gsSetMainDB);
  Script s;
  s.Yes();
  main_->cmdExit->click();
  EXPECT_EQ(EventRows(probe, 92), 1);
  EXPECT_FALSE(goDbMain.IsOpen());
  EXPECT_FALSE(goDbPos.IsOpen());
  EXPECT_FALSE(main_->isVisible());
  // Closing afterwards writes no second row.
  main_->close();
  EXPECT_EQ(EventRows(probe, 92), 1);
}

TEST_F(SaleScreenTest, ClosingTheWindowWritesTheExitRowWithoutAskingAndClosesTheConnections) {
  Login();
  db::Connection probe;
  probe.Open(gsSetMainDB);
  Script s;
  main_->close();
  EXPECT_TRUE(s.Log().isEmpty());
  EXPECT_EQ(EventRows(probe, 92), 1);
  // Before the application object goes, whichever way the window closed.
  EXPECT_FALSE(goDbMain.IsOpen());
  EXPECT_FALSE(goDbPos.IsOpen());
}

TEST_F(SaleScreenTest, ClosingGoesOnWhenTheExitRowCannotBeWritten) {
  Login();
  goDbMain.Close();
  Script s;
  main_->close();
  EXPECT_FALSE(main_->isVisible());
  EXPECT_EQ(settings_store::GetSetting("giSetWavStart"), "0");
}

TEST_F(SaleScreenTest, VoiceProgramOfTheProgramFolderIsEndedAndItsFlagsCleared) {
  Login();
  // A copy of a long-running program under the voice program's name, and the same program
  // elsewhere, which is not ours.
  const QString sleep = "/bin/sleep";
  ASSERT_TRUE(QFile::copy(sleep, dir_->filePath("tts")));
  QFile::setPermissions(dir_->filePath("tts"), QFile::ExeOwner | QFile::ReadOwner);
  auto other = orvtest::MakeTempDir();
  ASSERT_TRUE(QFile::copy(sleep, other->filePath("tts")));
  QFile::setPermissions(other->filePath("tts"), QFile::ExeOwner | QFile::ReadOwner);
  QProcess ours, theirs;
  ours.start(dir_->filePath("tts"), {"30"});
  theirs.start(other->filePath("tts"), {"30"});
  ASSERT_TRUE(ours.waitForStarted());
  ASSERT_TRUE(theirs.waitForStarted());
  settings_store::SaveSetting("giSetWavCard", "1");
  main_->StopTtsSaveWav();
  EXPECT_TRUE(ours.waitForFinished(3000));
  EXPECT_EQ(theirs.state(), QProcess::Running);
  theirs.kill();
  theirs.waitForFinished();
  for (const char *k : {"giSetWavStart", "giSetWavEnd", "giSetWavCard", "giSetWavAmt"})
    EXPECT_EQ(settings_store::GetSetting(k), "0") << k;
}

TEST_F(SaleScreenTest, PoleDisplayPortThatDoesNotExistIsReportedAndTheLoadGoesOn) {
  Login();
  qputenv("ORVPOS_COM9", "/nonexistent/ttyPole");
  giCdpPort = 9;
  gsCdpSettings = "9600,N,8,1";
  {
    Script s;
    frmMain m;
    m.Form_Load();
    ASSERT_EQ(s.Log().size(), 1);
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("포트열기실패"));
    EXPECT_EQ(s.Log()[0].text,
              QStringLiteral("현재 포트:Com9가 잘못되었습니다.\r\nCDP가 제대로 작동될수 없습니다."));
    EXPECT_EQ(m.lblSaName->text(), QStringLiteral("김계산"));
  }
  {
    // The second-monitor display never opens the pole display's port; with one monitor
    // nothing is shown.
    giSetDisp = 5;
    Script s;
    frmMain m;
    m.Form_Load();
    EXPECT_TRUE(s.Log().isEmpty());
    EXPECT_EQ(m.frmDisplay, nullptr);
  }
  qunsetenv("ORVPOS_COM9");
}

TEST_F(SaleScreenTest, OneMoaMemberShowsMaskedAndClears) {
  Login();
  gsOneMoaPersonCode = "01012345678";
  gsOneMoaPersonName = QStringLiteral("회원");
  gcOneMoaUsingPoint = Currency::Won(300);
  main_->ShowOneMoaNo();
  EXPECT_EQ(main_->OneMoaNoLbl->text(), "010123456****");
  EXPECT_EQ(main_->OneMoaNameLbl->text(), QStringLiteral("회원"));
  EXPECT_EQ(main_->OneMoaPointLbl->text(), "300");
  main_->ClearOneMoa();
  EXPECT_TRUE(gsOneMoaPersonCode.isEmpty() && gsOneMoaPersonName.isEmpty());
  EXPECT_TRUE(gcOneMoaUsingPoint.IsZero());
  EXPECT_TRUE(main_->OneMoaNoLbl->text().isEmpty());
  EXPECT_TRUE(main_->OneMoaPointLbl->text().isEmpty());
  // Without a client code the shop does not use the service: nothing to send, nothing lost.
  EXPECT_TRUE(main_->WriteOneMoaChit());
}

// Without a window manager nothing else activates the sale screen: keys would go nowhere.
TEST_F(SaleScreenTest, TheSaleScreenActivatesItselfWhenItTakesTheKeysBack) {
  Login();
  ASSERT_TRUE(QTest::qWaitFor([&] { return main_->isActiveWindow(); }, 2000));
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return other.isActiveWindow(); }, 2000));
  main_->FocusGrid();  // what a screen closing back to the sale does
  EXPECT_TRUE(QTest::qWaitFor([&] { return main_->isActiveWindow(); }, 2000));
  EXPECT_TRUE(main_->vaSpread1->isAncestorOf(QApplication::focusWidget()));
}
