// The payment hand-off, the chit edit modes and the recalls of saved, held and delivery
// chits on the sale screen, with the payment and chit-list screens scripted.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QDialog>
#include <QTimer>

#include "chit/etc_chits.h"
#include "chit/pan_money.h"
#include "chit/sale_savers.h"
#include "platform/colors.h"
#include "chit/read_back.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/card_ret.h"
#include "core/dates.h"
#include "core/helpers.h"
#include "platform/grid.h"
#include "schema/tables.h"
#include "checkout/checkout_globals.h"
#include "sale/frmPanCardSeek.h"
#include "sale/handoff_globals.h"
#include "platform/keys.h"
#include "sale_screen_fixture.h"

using orv::Currency;
using orv::dialogs::Script;
using saletest::SaleScreenTest;

namespace {

Currency W(int64_t won) { return Currency::Won(won); }

struct StoredLine {
  int seq;
  int64_t gdsKey, su, danga, gum;
};

QString WorkDate() { return FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0); }

class RecallTest : public SaleScreenTest {
 protected:
  void SetUp() override {
    SaleScreenTest::SetUp();
    Login();
  }

  QString Cell(int row, int col) const { return main_->vaSpread1->CellValue(row, col).trimmed(); }
  QString Label(const char *name) const {
    auto *l = main_->findChild<QLabel *>(QString::fromLatin1(name));
    return l ? l->text() : QStringLiteral("<none>");
  }

  // A saved sale chit of the work date in the month's tables.
  void SaveChit(int no, const std::vector<StoredLine> &lines, int64_t hab,
                const std::function<void(PanChitRec &)> &more = {}) {
    ClearPanChitRecord();
    ClearPanGodsRecords();
    PanChitRec &h = gtPanChit;
    h.PctYear = giWrkYear;
    h.PctMon = giWrkMonth;
    h.PctDay = giWrkDay;
    h.PctDate = WorkDate();
    h.PctChtNo = no;
    h.PctPosNo = 1;
    h.PctPsnKey = W(1);
    h.PctHab = W(hab);
    h.PctWrtdate = WorkDate();
    h.PctWrttime = "101010";
    h.PctCDGubun = "00";
    if (more) more(h);
    glSaveChtNo = no;
    goDbMain.Execute(gsPanChitInsSql());
    for (size_t k = 0; k < lines.size(); ++k) {
      PanGodsLine &g = gtPanGods[int(k) + 1];
      g.PcgYear = h.PctYear;
      g.PcgMon = h.PctMon;
      g.PcgDay = h.PctDay;
      g.PcgDate = h.PctDate;
      g.PcgSeqNo = lines[k].seq;
      g.PcgGdsKey = W(lines[k].gdsKey);
      g.PcgSu = W(lines[k].su);
      g.PcgDanga = W(lines[k].danga);
      g.PcgGum = W(lines[k].gum);
      goDbMain.Execute(gsPanGodsInsSql(int(k) + 1));
    }
    ClearPanChitRecord();
    ClearPanGodsRecords();
  }

  void SetOption(const QString &key, int value) {
    goDbMain.Execute("Delete From OrvRegistry Where RegKey=" + orv::db::SqlText(key));
    goDbMain.Execute("Insert Into OrvRegistry(RegKey, RegInt) Values(" +
                     orv::db::SqlText(key) + "," + QString::number(value) + ")");
  }

  QColor Back(QLabel *l) const { return l->palette().color(QPalette::Window); }
};

// ---------------------------------------------------------------------------- edit modes

TEST_F(RecallTest, EditModeReadsTheRecalledChitFromItsLabels) {
  struct Case {
    int16_t mode;
    QString date, no, card;
    int16_t wantMode, year, month, day;
    int32_t chtNo;
    QString stat;
  };
  const Case cases[] = {
      {1, "2024.03.05", "123", "1,500", 1, 2024, 3, 5, 123, "수정작업"},
      {2, "2024.12.31", "7", "0", 2, 2024, 12, 31, 7, "삭제작업"},
      {1, "", "", "", 1, 0, 0, 0, 0, "수정작업"},
  };
  for (const Case &c : cases) {
    main_->PanelLabel("CwtChtDateLbl")->setText(c.date);
    main_->PanelLabel("CwtChtNoLbl")->setText(c.no);
    main_->PanelLabel("CwtChtCardLbl")->setText(c.card);
    main_->SetChtEditMode(c.mode);
    EXPECT_EQ(giChtEditMode, c.wantMode) << c.date.toStdString();
    EXPECT_EQ(giOldChtYear, c.year);
    EXPECT_EQ(giOldChtMon, c.month);
    EXPECT_EQ(giOldChtDay, c.day);
    EXPECT_EQ(glOldChtNo, c.chtNo);
    EXPECT_EQ(Label("CwtStatLbl"), c.stat);
  }
  EXPECT_EQ(gcOldChtCard, Currency());
  main_->PanelLabel("CwtChtDateLbl")->setText("2024.03.05");
  main_->PanelLabel("CwtChtCardLbl")->setText("1,500");
  main_->SetChtEditMode(1);
  EXPECT_EQ(gcOldChtCard, W(1500));
  // Any other mode changes nothing.
  main_->SetChtEditMode(3);
  EXPECT_EQ(giChtEditMode, 1);
  EXPECT_EQ(giOldChtYear, 2024);
  main_->SetChtEditMode(0);
  EXPECT_EQ(giChtEditMode, 0);
  EXPECT_EQ(giOldChtYear, 0);
  EXPECT_EQ(glOldChtNo, 0);
  EXPECT_EQ(Label("CwtStatLbl"), "");
}

TEST_F(RecallTest, InfoLabelsCopyTheScreenAndClearAgain) {
  SetCellText(main_->vaSpread1, 2, ColName, "라면");
  SetCellText(main_->vaSpread1, 2, ColAmt, "900");
  main_->PanelLabel("lblCcdBarcode")->setText(" 2900 0000 10019 ");
  main_->PanelLabel("lblCcdName")->setText(" 홍길동 ");
  main_->FillChitInfoLabels();
  EXPECT_EQ(Label("CwtCstBarLbl"), "2900000010019");
  EXPECT_EQ(Label("CwtCstNameLbl"), "홍길동");
  EXPECT_EQ(Label("CwtTrsNoLbl"), main_->txtTrsNo->text().trimmed());
  EXPECT_EQ(main_->vaSpread2->CellValue(2, ColName), "라면");
  EXPECT_EQ(main_->vaSpread2->CellValue(2, ColAmt), "900");
  main_->PanelLabel("CwtChtNoLbl")->setText("12");
  main_->ClearChitInfoLabels();
  EXPECT_EQ(Label("CwtChtNoLbl"), "");
  EXPECT_EQ(Label("CwtCstBarLbl"), "");
  EXPECT_EQ(main_->vaSpread2->CellValue(2, ColName), "");
  EXPECT_EQ(main_->vaSpread2->MaxRows(), main_->vaSpread1->MaxRows());
}

// ---------------------------------------------------------------------------- payment

TEST_F(RecallTest, PaymentNotSavedLeavesTheSaleAsItWas) {
  SetCellText(main_->vaSpread1, 1, ColCode, "8801043014809");
  main_->SetGridText(1, ColCode, orv::Grid::kActionActiveCell);
  int key = 13, shift = 0;
  main_->vaSpread1_KeyDown(key, shift);
  ASSERT_EQ(Cell(1, ColGdsKey), "1");
  giChtEditMode = 1;
  Script s;
  int shown = 0;
  s.OnForm("frmCash", [&](QWidget &f) {
    ++shown;
    static_cast<QDialog &>(f).reject();
  });
  main_->PayChit();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(giCashSaved, 0);
  EXPECT_EQ(giChtEditMode, 1);
  EXPECT_EQ(Cell(1, ColGdsKey), "1");
  auto *fme = main_->findChild<QFrame *>("CashTerminateFme");
  EXPECT_TRUE(!fme || !fme->isVisible());

  // A checkout that pays elsewhere never opens the payment screen.
  SetOption("PosMultiCardDanSelt", 1);
  main_->PayChit();
  EXPECT_EQ(shown, 1);
}

TEST_F(RecallTest, RewriteReturnsTheOldChitAndShowsTheNewOnesAmounts) {
  SaveChit(41, {{1, 1, 2, 900, 1800}}, 1800, [](PanChitRec &h) { h.PctCard = W(1800); });
  main_->PanelLabel("CwtChtDateLbl")->setText(FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 1, 0));
  main_->PanelLabel("CwtChtNoLbl")->setText("41");
  main_->SetChtEditMode(1);
  ASSERT_EQ(glOldChtNo, 41);
  QPalette marked = main_->lblBdl->palette();  // a recalled delivery chit's mark
  marked.setColor(QPalette::Window, Qt::yellow);
  main_->lblBdl->setPalette(marked);

  Script s;
  int calls = 0;
  Currency returnHab;
  int16_t returnMode = -1;
  s.OnForm("frmCash", [&](QWidget &f) {
    ++calls;
    giCashSaved = 1;
    if (calls == 1) {
      gcCashHab = W(2700);
      gcCashCard = W(500);
    } else {
      returnMode = giChtEditMode;
      returnHab = gtPanChit.PctHab;
      gcCashHab = W(-1800);
      gcCashCard = W(-1800);
    }
    static_cast<QDialog &>(f).accept();
  });
  main_->PayChit();
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(returnMode, 2);
  EXPECT_EQ(returnHab, W(-1800));  // the records held the old chit's return
  EXPECT_EQ(giChtEditMode, 0);
  EXPECT_EQ(glOldChtNo, 0);
  EXPECT_EQ(Label("CashTerminateHabLbl"), "2,700");
  EXPECT_EQ(Label("CashTerminateCardLbl"), "500");
  EXPECT_EQ(main_->txtTrsNo->text(), "88000");
  EXPECT_TRUE(s.Texts().isEmpty());
  EXPECT_EQ(Back(main_->lblBdl), QColor(Qt::white));  // not into the next sale
  // The panel stands clear of the title and shows both amounts whole.
  auto *fme = main_->findChild<QFrame *>("CashTerminateFme");
  ASSERT_NE(fme, nullptr);
  main_->show();
  QApplication::processEvents();
  EXPECT_TRUE(fme->isVisible());
  const QRect panel(fme->mapTo(main_, QPoint()), fme->size());
  EXPECT_FALSE(panel.intersects(QRect(main_->Image1->mapTo(main_, QPoint()),
                                      main_->Image1->size())));
  for (const char *name : {"CashTerminateHabLbl", "CashTerminateCardLbl"}) {
    auto *l = main_->findChild<QLabel *>(name);
    EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(l->text())) << name;
  }
}

TEST_F(RecallTest, RewriteWhoseReturnIsNotSavedSaysBothChitsStand) {
  SaveChit(42, {{1, 1, 1, 900, 900}}, 900);
  main_->PanelLabel("CwtChtDateLbl")->setText(FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 1, 0));
  main_->PanelLabel("CwtChtNoLbl")->setText("42");
  main_->SetChtEditMode(1);
  Script s;
  int calls = 0;
  s.OnForm("frmCash", [&](QWidget &f) {
    giCashSaved = ++calls == 1 ? 1 : 0;
    if (calls == 1) gcCashHab = W(900);
    static_cast<QDialog &>(f).reject();
  });
  main_->PayChit();
  ASSERT_EQ(s.Texts().size(), 1);
  const QString text = s.Texts().front();
  EXPECT_TRUE(text.contains(FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 1, 0) + " - 42"))
      << text.toStdString();
  EXPECT_EQ(giChtEditMode, 0);
  // The new chit's payment is what the panel shows.
  EXPECT_EQ(Label("CashTerminateHabLbl"), "900");
}

// ---------------------------------------------------------------------------- saved chits

TEST_F(RecallTest, ChitByNumberInEachFormLoadsTheStoredLines) {
  SaveChit(12, {{1, 1, 3, 800, 2400}, {2, 3, 1, 1800, 1800}}, 4200,
           [](PanChitRec &h) {
             h.PctCard = W(1000);
             h.PctOisang = W(200);
             h.PctCSobi = W(300);
           });
  const QString ymd = WorkDate().mid(2);
  struct Case {
    QString text;
    bool found;
  };
  const Case cases[] = {
      {"12", true},
      {ymd + "-12", true},
      {ymd + "000012" + "99", true},  // check digits are not verified
      {"0", false},
      {"1234567", false},
      {ymd + "-1234567", false},
      {"13", false},
      {"1' Or '1'='1", false},
  };
  for (const Case &c : cases) {
    Script s;
    ClearGrid(main_->vaSpread1);
    main_->ClearChitInfoLabels();
    main_->ReadPanChitNo(c.text);
    SCOPED_TRACE(c.text.toStdString());
    EXPECT_TRUE(s.Texts().isEmpty());
    if (!c.found) {
      EXPECT_EQ(Cell(1, ColGdsKey), "");
      EXPECT_EQ(main_->vaSpread1->ActiveRow(), 1);
      continue;
    }
    EXPECT_EQ(Cell(1, ColGdsKey), "1");
    EXPECT_EQ(Cell(1, ColQty), "3");
    EXPECT_EQ(Cell(1, ColPrice), "800");
    EXPECT_EQ(Cell(2, ColGdsKey), "3");
    EXPECT_EQ(main_->vaSpread1->ActiveRow(), 3);
    EXPECT_EQ(Label("CwtChtNoLbl"), "12");
    EXPECT_EQ(Label("CwtChtHabLbl"), "4,200");
    EXPECT_EQ(Label("CwtChtMoneyLbl"), "2,700");
    EXPECT_TRUE(main_->txtTrsNo->isEnabled());
  }
  EXPECT_EQ(gtPanChit.PctChtNo, 0);  // only the grid carries the chit afterwards
  EXPECT_GE(EventRows(104), 3);
}

TEST_F(RecallTest, ReturnModeLoadsNegativesAndStaysOn) {
  SaveChit(15, {{1, 1, 2, 900, 1800}}, 1800);
  main_->miReturnMode = 1;
  int16_t modeDuring = -1;
  bool runningDuring = false, controlsDuring = true;
  QTimer::singleShot(0, main_, [&] {
    modeDuring = main_->miReturnMode;
    runningDuring = main_->mbRecallRunning;
    controlsDuring = main_->txtTrsNo->isEnabled();
  });
  main_->ReadPanChitNo("15");
  EXPECT_EQ(Cell(1, ColQty), "-2");
  EXPECT_EQ(Cell(1, ColAmt), "-1800");
  EXPECT_EQ(main_->miReturnMode, 1);
  // Events ran during the replay, with the return mode held at 0 and the scanner kept out.
  EXPECT_EQ(modeDuring, 0);
  EXPECT_TRUE(runningDuring);
  EXPECT_FALSE(controlsDuring);
  EXPECT_FALSE(main_->mbRecallRunning);
}

TEST_F(RecallTest, LinesComeInStoredOrderAndGoneGoodsAreNamed) {
  // Stored out of order; the goods of line 2 are gone since.
  SaveChit(16, {{3, 4, 1, 1700, 1700}, {1, 1, 1, 900, 900}, {2, 2, 1, 850, 850}}, 3450);
  goDbMain.Execute("Delete From GdsCode Where GcdKey=2");
  gtGdsCode.GcdKey = W(7);  // a stale record must not stand in for the gone goods
  Script s;
  main_->ReadPanChitNo("16");
  EXPECT_EQ(Cell(1, ColGdsKey), "1");
  EXPECT_EQ(Cell(2, ColGdsKey), "");
  EXPECT_EQ(Cell(2, ColCode), "");
  EXPECT_EQ(Cell(3, ColGdsKey), "4");
  ASSERT_EQ(s.Texts().size(), 1);
  EXPECT_TRUE(s.Texts().front().contains("2줄")) << s.Texts().front().toStdString();
  EXPECT_EQ(main_->vaSpread1->ActiveRow(), 2);  // where the cashier goes on
}

TEST_F(RecallTest, CardChitByApprovalLoadsItsReturn) {
  SaveChit(21, {{1, 3, 2, 1800, 3600}}, 3600, [](PanChitRec &h) {
    h.PctCard = W(3600);
    h.PctCmitNo = "A'1";
    h.PctCmitDate = "240315";
    h.PctCardNo = "9410-****";
    h.PctCDGubun = "03";
  });
  SaveChit(22, {{1, 1, 1, 900, 900}}, -900, [](PanChitRec &h) { h.PctCmitNo = "B2"; });
  Script s;
  main_->ReadPanChitCmit("B2");  // a return is never found by its approval
  EXPECT_EQ(Cell(1, ColGdsKey), "");
  main_->ReadPanChitCmit("A'1");
  EXPECT_TRUE(s.Texts().isEmpty());
  EXPECT_EQ(Cell(1, ColGdsKey), "3");
  EXPECT_EQ(Cell(1, ColQty), "-2");
  EXPECT_EQ(Cell(1, ColAmt), "-3600");
  EXPECT_EQ(gtCardRet.CmitNo, "A'1");
  EXPECT_EQ(gtCardRet.Halbu, 3);
  EXPECT_EQ(Back(main_->lblCard), orv::colors::FromBgr(0x0080C0FF));
  EXPECT_EQ(EventRows(105), 1);
}

TEST_F(RecallTest, SeveralChitsOfOneApprovalOpenTheChooser) {
  auto card = [](PanChitRec &h) { h.PctCmitNo = "77'1"; };
  SaveChit(31, {{1, 1, 1, 900, 900}}, 900, card);
  SaveChit(32, {{1, 3, 2, 1800, 3600}}, 3600, card);
  struct Case {
    int row;  // the chooser's row taken with Enter, 0 for Esc
    QString gdsKey, qty;
  };
  for (const Case &c : {Case{2, "3", "-2"}, Case{1, "1", "-1"}, Case{0, "", ""}}) {
    SCOPED_TRACE(c.row);
    ClearCardRet();
    int listed = 0;
    Script s;
    s.OnForm("frmPanCardSeek", [&](QWidget &w) {
      auto &f = static_cast<frmPanCardSeek &>(w);
      listed = f.vaSpread1->MaxRows();
      if (c.row > 0) f.vaSpread1->SetActiveCell(1, c.row);
      int key = c.row > 0 ? orv::keys::vbKeyReturn : orv::keys::vbKeyEscape, shift = 0;
      f.vaSpread1_KeyDown(key, shift);
    });
    main_->txtCommitNo->setText("77'1");
    int enter = orv::keys::vbKeyReturn;
    main_->txtCommitNo_KeyDown(enter, 0);
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(s.Log().size(), 1);  // the chooser, and no box
    EXPECT_EQ(Cell(1, ColGdsKey), c.gdsKey);
    EXPECT_EQ(Cell(1, ColQty), c.qty);
    EXPECT_EQ(Cell(2, ColGdsKey), "");
    EXPECT_EQ(gtCardRet.CmitNo, c.row > 0 ? "77'1" : "");
  }
  EXPECT_EQ(EventRows(105), 2);
}

// ---------------------------------------------------------------------------- held chits

class HeldRecallTest : public RecallTest {
 protected:
  // A held chit in memory, as the held-chit list loads it.
  void LoadHeld(const std::vector<StoredLine> &lines) {
    ClearWatChitRecord();
    ClearWatGodsRecords();
    ClearWatGodsSpeedRecords();
    gtWatChit.ChtNo = 5;
    gtWatChit.TrsKey = W(1002);
    gtWatChit.GaSel = W(7);
    for (const StoredLine &l : lines) {
      gtWatGods.GdsKey[l.seq] = W(l.gdsKey);
      gtWatGods.Su[l.seq] = W(l.su);
      gtWatGods.Danga[l.seq] = W(l.danga);
      gtWatGods.Gum[l.seq] = W(l.gum);
    }
  }
};

TEST_F(HeldRecallTest, ReplayPutsStoredLinesAndLogsOneEvent) {
  LoadHeld({{1, 1, 2, 700, 1400}, {3, 3, 1, 1500, 1500}});
  main_->miReturnMode = 1;
  main_->RecallWatChit();
  EXPECT_EQ(Cell(1, ColGdsKey), "1");
  EXPECT_EQ(Cell(1, ColPrice), "700");
  EXPECT_EQ(Cell(3, ColGdsKey), "3");
  EXPECT_EQ(Cell(3, ColQty), "1");
  EXPECT_EQ(main_->txtTrsNo->text(), "1002");
  EXPECT_EQ(Back(main_->lblWait), orv::colors::FromBgr(0x0080C0FF));
  EXPECT_EQ(giPosLogOff, 0);
  EXPECT_EQ(main_->miReturnMode, 1);
  QString text;
  ASSERT_EQ(EventRows(5, &text), 1);
  EXPECT_EQ(text, "1,1,2,700,1400;3,3,1,1500,1500");
  // The one event stands for the lines: none of their own, entered or edited.
  EXPECT_EQ(EventRows(1), 0);
  EXPECT_EQ(EventRows(2), 0);
}

TEST_F(HeldRecallTest, SnapshotRestoresEveryCellWithoutLookup) {
  LoadHeld({{1, 99999, 1, 10, 10}});
  QStringList cells;
  for (int c = 1; c <= kSaleGridCols; ++c) cells << QString("c%1").arg(c);
  gtWatGodsSpeed.Text[1] = cells.join(';') + ";";
  main_->RecallWatChitSpeed();
  EXPECT_EQ(Cell(1, 1), "c1");
  EXPECT_EQ(Cell(1, kSaleGridCols), "c22");
  EXPECT_EQ(Cell(2, 1), "");
  EXPECT_EQ(main_->vaSpread1->ActiveRow(), 2);
  QString text;
  ASSERT_EQ(EventRows(5, &text), 1);
  EXPECT_EQ(text, "1,99999,1,10,10");
}

TEST_F(HeldRecallTest, AFullChitComesBackWithoutStartingThePayment) {
  std::vector<StoredLine> lines;
  for (int i = 1; i <= kSaleLines; ++i) lines.push_back({i, 3, 2, 1800, 3600});
  SaveChit(40, lines, 3600 * kSaleLines);
  LoadHeld(lines);
  Script s;
  int paid = 0;
  s.OnForm("frmCash", [&](QWidget &f) {
    ++paid;
    static_cast<QDialog &>(f).reject();
  });
  for (bool held : {false, true}) {
    SCOPED_TRACE(held);
    main_->ClearSaleScreen();
    main_->ResetForRecall();
    if (held) {
      LoadHeld(lines);
      main_->RecallWatChit();
    } else {
      main_->ReadPanChitNo("40");
    }
    EXPECT_EQ(paid, 0);
    EXPECT_EQ(Cell(kSaleLines, ColGdsKey), "3");
    EXPECT_EQ(Cell(kSaleLines, ColQty), "2");
    EXPECT_EQ(Cell(kSaleLines, ColAmt), "3600");
    EXPECT_EQ(main_->vaSpread1->ActiveRow(), kSaleLines);
  }
}

// ---------------------------------------------------------------------------- special codes

TEST_F(RecallTest, SpecialCodesOpenTheirFormsAndClearTheCell) {
  struct Case {
    QString code;
    QString form;  // shown, or empty for none
    bool stays;
    bool leave;
  };
  const Case cases[] = {
      {"1000", "", false, false},  {"2900", "frmGdsCode", false, false},
      {"4000", "frmMidInput", false, false},  {"8000", "frmCardCancel", false, false},
      {"7777", "frmMoneyChk", true, false},   {"2702", "", true, false},
      {"05", "", false, false},    {"0500", "", false, false},
      {"8888", "", false, true},   {"6000", "", false, true},
      {"4444", "frmBdlChit", true, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.code.toStdString());
    Script s;
    QString shown;
    for (const char *f : {"frmGdsCode", "frmMidInput", "frmCardCancel", "frmMoneyChk",
                          "frmBdlChit"})
      s.OnForm(f, [&](QWidget &w) {
        shown = w.objectName();
        static_cast<QDialog &>(w).reject();
      });
    SetCellText(main_->vaSpread1, 1, ColCode, c.code);
    const auto out = main_->EnterSpecialCode(1, c.code);
    EXPECT_EQ(shown, c.form);
    EXPECT_EQ(Cell(1, ColCode), c.stays ? c.code : QString());
    EXPECT_EQ(out.leave, c.leave);
    EXPECT_FALSE(out.recalled);
    main_->vaSpread1->setEnabled(true);
  }
}

TEST_F(RecallTest, DeliveryCodeOnEmptyGridRecallsThePickedChit) {
  Script s;
  s.OnForm("frmBdlChit", [](QWidget &w) {
    gtBdlChit.ChtNo = 9;
    gtBdlGods.GdsKey[1] = W(3);
    gtBdlGods.Su[1] = W(2);
    gtBdlGods.Danga[1] = W(1500);
    gtBdlGods.Gum[1] = W(2990);
    static_cast<QDialog &>(w).accept();
  });
  SetCellText(main_->vaSpread1, 1, ColCode, "4444");
  const auto out = main_->EnterSpecialCode(1, "4444");
  EXPECT_TRUE(out.recalled);
  EXPECT_EQ(Cell(1, ColGdsKey), "3");
  EXPECT_EQ(Cell(1, ColAmt), "2990");  // the stored amount, as delivered
  EXPECT_EQ(gtBdlChit.ChtNo, 9);       // stays attached to the sale
  EXPECT_EQ(EventRows(302), 1);
}

TEST_F(RecallTest, CashReceiptWhoseRowFailsNamesTheApproval) {
  Script s;
  s.OnForm("frmMoneyChk", [](QWidget &w) {
    giHelpRet = 1;
    gtPanMoney.PmoHab = W(11000);
    gtPanMoney.PmoCmitNo = "778899";
    gtPanMoney.PmoCmitDate = "20240315";
    static_cast<QDialog &>(w).accept();
  });
  goDbMain.Execute("Drop Table PanMoney" + FmtYyMm(giWrkYear, giWrkMonth));
  SetCellText(main_->vaSpread1, 1, ColCode, "7777");
  main_->EnterSpecialCode(1, "7777");
  ASSERT_EQ(s.Texts().size(), 1);
  EXPECT_TRUE(s.Texts().front().contains("778899"));
  EXPECT_TRUE(s.Texts().front().contains("11,000"));
  EXPECT_EQ(gtPanMoney.PmoCmitNo, "");
}

// ---------------------------------------------------------------------------- hold and delivery save

class SaveOnScreenTest : public RecallTest {
 protected:
  // These count what the screen stores: the demo's own held and delivery chits go first.
  void SetUp() override {
    RecallTest::SetUp();
    for (const char *t : {"WatChitT", "WatGodsT", "WatGodsTSpeed", "BdlChit", "BdlGods", "BdlGodsSpeed"})
      goDbPos.Execute(QStringLiteral("Delete From ") + QLatin1String(t));
  }
  void Ring(int row, const QString &barcode) {
    SetCellText(main_->vaSpread1, row, ColCode, barcode);
    main_->SetGridText(row, ColCode, orv::Grid::kActionActiveCell);
    int key = 13, shift = 0;
    main_->vaSpread1_KeyDown(key, shift);
    ASSERT_FALSE(Cell(row, ColGdsKey).isEmpty()) << barcode.toStdString();
  }
  int Rows(const QString &table) {
    return goDbPos.OpenRecordset("Select * From " + table).RecordCount();
  }
  // The held-chit list as the real one loads a pick: header, lines and snapshots.
  static void LoadFirstHeld() {
    auto h = goDbPos.OpenRecordset("Select * From WatChitT Order By WctChtNo");
    if (h.RecordCount() == 0) return;
    ReadWatChitRecord(h);
    auto g = goDbPos.OpenRecordset("Select * From WatGodsT Where WcgChtNo=" +
                                   QString::number(gtWatChit.ChtNo) + " Order By WcgSeqNo");
    for (; !g.Eof(); g.MoveNext()) {
      const int seq = int(NzCur(g.Field("WcgSeqNo")).RoundToInt());
      ReadWatGodsRecord(g, seq);
    }
  }
};

TEST_F(SaveOnScreenTest, HoldSavesClearsAndRecallsReplaceTheStoredChit) {
  Ring(1, "8801043014809");
  Ring(2, "8801094013007");
  Script s;
  EXPECT_FALSE(main_->HoldOrRecallWatChit());
  EXPECT_TRUE(s.Texts().isEmpty()) << s.Texts().join('|').toStdString();
  EXPECT_EQ(Rows("WatChitT"), 1);
  EXPECT_EQ(Rows("WatGodsT"), 2);
  EXPECT_EQ(Cell(1, ColGdsKey), "");
  // PgDn on the empty grid: the list, then the replay.
  s.OnForm("frmWait", [](QWidget &w) {
    LoadFirstHeld();
    static_cast<QDialog &>(w).accept();
  });
  EXPECT_TRUE(main_->HoldOrRecallWatChit());
  EXPECT_EQ(Cell(1, ColGdsKey), "1");
  EXPECT_EQ(Cell(2, ColGdsKey), "3");
  // Held again: the stored chit is replaced, not doubled.
  EXPECT_FALSE(main_->HoldOrRecallWatChit());
  EXPECT_EQ(Rows("WatChitT"), 1);
  EXPECT_EQ(Rows("WatGodsT"), 2);
}

TEST_F(SaveOnScreenTest, FailedHoldKeepsTheSaleAndTheStoredChit) {
  Ring(1, "8801043014809");
  ASSERT_FALSE(main_->HoldOrRecallWatChit());
  {
    Script s;
    s.OnForm("frmWait", [](QWidget &w) {
      LoadFirstHeld();
      static_cast<QDialog &>(w).accept();
    });
    ASSERT_TRUE(main_->HoldOrRecallWatChit());
  }
  const int32_t recalled = gtWatChit.ChtNo;
  goDbPos.Execute("Drop Table WatGodsTSpeed");
  Script s;
  EXPECT_FALSE(main_->HoldOrRecallWatChit());
  ASSERT_EQ(s.Texts().size(), 1);
  EXPECT_TRUE(s.Texts().front().startsWith("[")) << s.Texts().front().toStdString();
  EXPECT_EQ(Cell(1, ColGdsKey), "1");  // the sale stays
  EXPECT_EQ(gtWatChit.ChtNo, recalled);
  EXPECT_TRUE(main_->txtTrsNo->isEnabled());
  // The delete of the recalled held chit went back with the failed save.
  EXPECT_EQ(Rows("WatChitT"), 1);
  EXPECT_EQ(Rows("WatGodsT"), 1);
}

TEST_F(SaveOnScreenTest, DeliveryCodeSavesAfterTheCommitOrKeepsTheSale) {
  Ring(1, "8801043014809");
  goDbPos.Execute("Drop Table BdlGodsSpeed");
  {
    Script s;
    SetCellText(main_->vaSpread1, 2, ColCode, "4444");
    main_->EnterSpecialCode(2, "4444");
    ASSERT_EQ(s.Texts().size(), 1);
    EXPECT_EQ(Cell(1, ColGdsKey), "1");
    EXPECT_EQ(Cell(2, ColCode), "4444");
    EXPECT_EQ(Rows("BdlChit"), 0);
  }
  orv::schema::CreateTable(goDbPos, "BdlGodsSpeed");
  Script s;
  s.Input("1");  // the goods on screen print once the chit is saved
  main_->EnterSpecialCode(2, "4444");
  EXPECT_EQ(s.Remaining(), 0);
  EXPECT_FALSE(s.Texts().join('|').contains(QStringLiteral("오류"))) << s.Texts().join('|').toStdString();
  EXPECT_EQ(Rows("BdlChit"), 1);
  EXPECT_EQ(Rows("BdlGods"), 1);
  EXPECT_EQ(Cell(1, ColGdsKey), "");
  EXPECT_EQ(gtBdlChit.ChtNo, 0);
}

}  // namespace
