// The payment screen offscreen: keys, boxes, card paths, the limit, the chooser and the
// commit from the screen, with the dialogs layer scripted.
#include "cash_form_fixture.h"

namespace {

using namespace cashtest;

TEST_P(CashFormTest, TypingFormatsAndTheTotalsFollow) {
  frmCash &f = Open();
  EXPECT_EQ(f.lblHabGum->text(), "4,500");
  Type(f.txtPayGum, "12345");
  EXPECT_EQ(f.txtPayGum->text(), "12,345");
  EXPECT_EQ(f.txtPayGum->cursorPosition(), 6);
  EXPECT_EQ(f.lblRGum->text(), "12,345");
  EXPECT_EQ(f.lblReGum->text(), "7,845");
  EXPECT_EQ(gcDspCashPayGum, W(12345));
  EXPECT_EQ(gcDspCGum, W(7845));
  // Key 190 appends a thousand.
  Type(f.txtPayGum, "12");
  Key(Qt::Key_Period, f.txtPayGum);
  EXPECT_EQ(f.txtPayGum->text(), "12,000");
  {
    dlg::Script s;
    f.txtPayGum->setText("12,345,678,901");
    ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("입력된 숫자가 범위를 넘었습니다.")});
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("입력오류"));
  }
  EXPECT_EQ(f.txtPayGum->text(), "0");
}

TEST_P(CashFormTest, KeyTable) {
  struct Case {
    const char *what;
    int key;
    int online;  // giOnLine
    const char *preset;  // box text typed into txtCSobi first
    int bramo;  // BramoMart switch of the key's kind set to 1
    int kind;   // current kind after the key
    const char *focus;
  } cases[] = {
      {"F2 cash", Qt::Key_F2, 1, "", 0, 2, "txtPayGum"},
      {"F4 in-house", Qt::Key_F4, 1, "", 0, 4, "txtCSobi"},
      {"F5 credit", Qt::Key_F5, 1, "", 0, 5, "txtOisang"},
      {"F5 offline is cash", Qt::Key_F5, 2, "", 0, 2, "txtPayGum"},
      {"F6 own vouchers", Qt::Key_F6, 1, "", 0, 6, "txtJaSangPum"},
      {"F7 off by switch", Qt::Key_F7, 1, "", 7, 0, ""},
      {"F8 without customer", Qt::Key_F8, 1, "", 0, 0, ""},
      {"F2 blocked by 5 won", Qt::Key_F2, 1, "5", 0, 0, ""},
  };
  for (const Case &c : cases) {
    giOnLine = int16_t(c.online);
    chittest::SetOption("BramoMart7", c.bramo == 7 ? 1 : 0);
    frmCash &f = Open();
    if (*c.preset) {
      f.txtCSobi->setText(c.preset);
      f.txtNo->setFocus();
      QApplication::processEvents();
    }
    dlg::Script s;
    Key(c.key, f.txtNo);
    EXPECT_EQ(f.CurrentKind(), c.kind) << c.what;
    if (*c.focus) {
      ASSERT_NE(QApplication::focusWidget(), nullptr) << c.what;
      EXPECT_EQ(QApplication::focusWidget()->objectName(), c.focus) << c.what;
    }
    EXPECT_TRUE(s.Log().isEmpty()) << c.what;
  }
}

TEST_P(CashFormTest, DiscountRate) {
  gtPanChit.PctHab = W(12250);
  frmCash &f = Open();
  {
    dlg::Script s;
    s.Input("10");
    Key(Qt::Key_F1, f.txtPayGum);
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("전체할인"));
  }
  EXPECT_EQ(f.lblDcGum->text(), "1,220");
  EXPECT_EQ(gtPanChit.PctSss4, W(1220));
  EXPECT_EQ(f.lblRGum->text(), "1,220");
  {
    dlg::Script s;
    s.Input("150");
    Key(Qt::Key_F1, f.txtPayGum);
    ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("할인율은 0~100 사이로 입력하세요.")});
    EXPECT_EQ(s.Log()[1].title, QStringLiteral("입력오류"));
  }
  EXPECT_EQ(f.lblDcGum->text(), "1,220");
}

TEST_P(CashFormTest, SavesACashSaleAndClosesTheScreen) {
  frmCash &f = Open();
  Type(f.txtPayGum, "5000");
  dlg::Script s;
  f.cmdSave->click();
  QApplication::processEvents();
  EXPECT_TRUE(f.Closed());
  EXPECT_EQ(giCashSaved, 1);
  EXPECT_EQ(gcCashHab, W(4500));
  EXPECT_EQ(Count(goDbMain, "PanChit2403", "PctMoney=5000 And PctCGum=500"), 1);
  EXPECT_EQ(Count(goDbPos, "PanChitT2403"), 1);
  EXPECT_EQ(gtPanChit.PctHab, W(0));  // the records are empty for the next sale
  EXPECT_EQ(Count(goDbMain, "PosLogs2403", "PlgSel=9"), 1);
  EXPECT_FALSE(orv::settings_store::GetSetting("goSetBFChtNo").isEmpty());
}

TEST_P(CashFormTest, ShortPaymentKeepsTheScreenOpen) {
  frmCash &f = Open();
  Key(Qt::Key_F2, f.txtNo);
  Type(f.txtPayGum, "4000");
  dlg::Script s;
  f.cmdSave->click();
  QApplication::processEvents();
  ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("* 받은금액이 판매금액보다 작습니다 !")});
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("다시입력요망!"));
  EXPECT_FALSE(f.Closed());
  EXPECT_TRUE(f.txtPayGum->isEnabled());
  EXPECT_EQ(f.miSaveBusy, 0);
  EXPECT_EQ(Count(goDbMain, "PanChit2403"), 0);
}

TEST_P(CashFormTest, CardApprovalCommitsAtOnceAndEscLeavesTheSale) {
  {
    frmCash &f = Open();
    Type(f.txtPayGum, "1500");
    dlg::Script s;
    NoReceipt(s);
    QString amount;
    s.OnForm("frmCardChk", [&](QWidget &w) {
      amount = static_cast<frmCardChk &>(w).txtiGum->text();
      Approve(w);
    });
    Key(Qt::Key_F3, f.txtNo);
    EXPECT_EQ(amount, "3,000");
    EXPECT_TRUE(f.Closed());
    EXPECT_EQ(giCashSaved, 1);
    EXPECT_EQ(gcCashCard, W(3000));
    EXPECT_EQ(Count(goDbMain, "PanChit2403", "PctCard=3000 And PctCmitNo='1234'"), 1);
  }
  chittest::FillSale(3, "T2");
  {
    frmCash &f = Open();
    dlg::Script s;
    s.OnForm("frmCardChk", [](QWidget &w) { static_cast<QDialog &>(w).reject(); });
    Key(Qt::Key_F3, f.txtNo);
    EXPECT_TRUE(f.Closed());
    EXPECT_EQ(giCashSaved, 0);
    EXPECT_EQ(Count(goDbMain, "PanChit2403"), 1);
  }
}

TEST_P(CashFormTest, CardMinimum) {
  gtPanChit.PctHab = W(99);
  frmCash &f = Open();
  dlg::Script s;
  Key(Qt::Key_F3, f.txtNo);
  ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("카드최소금액 오류입니다.")});
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("카드금액오류"));
  EXPECT_TRUE(f.Closed());
}

TEST_P(CashFormTest, ReceivablesLimitRefusesTheSaveAndTheCardPath) {
  chittest::SetOption("TrsMisuLimit", 1);
  gcTcdKey = W(9);
  goDbMain.Execute("Insert Into TrsCode(TcdKey, TcdNo, TcdName, TcdSss5, TcdZerdo) "
                   "Values(9, 900, 'P', 1, 100000)");
  goDbMain.Execute("Insert Into TrsMast2403(TmsYear, TmsMon, TmsTrsKey, TmsDay, TmsDate, "
                   "TmsMcMisu, TmsMiMiji) Values(2024, 3, 9, 1, '20240301', 98000, 0)");
  frmCash &f = Open();
  ASSERT_TRUE(f.TrsMisuFme->isVisibleTo(&f));
  EXPECT_EQ(f.TrsNowLbl->text(), "98,000");
  Type(f.txtOisang, "2001");
  const QString refused = QStringLiteral("미수한도 초과로 저장불가 (100,001/100,000) ..... !");
  {
    dlg::Script s;
    f.cmdSave->click();
    ASSERT_EQ(s.Texts(), QStringList{refused});
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("저장실패"));
  }
  {
    // The card path would commit at once: it checks the limit before the card form.
    dlg::Script s;
    Key(Qt::Key_F3, f.txtNo);
    ASSERT_EQ(s.Texts(), QStringList{refused});
  }
  EXPECT_FALSE(f.Closed());
  Type(f.txtOisang, "2000");
  Type(f.txtPayGum, "2500");
  dlg::Script s;
  f.cmdSave->click();
  EXPECT_EQ(giCashSaved, 1);
}

TEST_P(CashFormTest, AFailedSaveKeepsTheCardApprovalForTheRetry) {
  frmCash &f = Open();
  orv::chit::SetPairStepHook([](const char *step) {
    if (QLatin1String(step) == QLatin1String("main-commit"))
      throw orv::db::DbError(orv::db::kErrGeneric, "disk full");
  });
  {
    dlg::Script s;
    s.OnForm("frmCardChk", [](QWidget &w) { Approve(w, "A77"); });
    Key(Qt::Key_F3, f.txtNo);
    ASSERT_EQ(s.Texts().size(), 1);
    EXPECT_TRUE(s.Texts()[0].contains(QStringLiteral("[저장오류:")));
    EXPECT_TRUE(s.Texts()[0].contains("A77"));
    EXPECT_TRUE(s.Texts()[0].contains("4,500"));
  }
  EXPECT_EQ(giCashSaved, 0);
  EXPECT_EQ(Count(goDbMain, "PanChit2403"), 0);
  EXPECT_EQ(gtCardRet.CmitNo, "A77");
  orv::chit::SetPairStepHook({});
  // The retry commits with the kept approval: no second card form.
  frmCash &g = Open();
  dlg::Script s;
  NoReceipt(s);
  s.OnForm("frmCardChk", [](QWidget &w) {
    ADD_FAILURE() << "charged twice";
    static_cast<QDialog &>(w).reject();
  });
  Key(Qt::Key_F3, g.txtNo);
  EXPECT_EQ(giCashSaved, 1);
  EXPECT_EQ(Count(goDbMain, "PanChit2403", "PctCmitNo='A77' And PctCard=4500"), 1);
  EXPECT_TRUE(gtCardRet.CmitNo.isEmpty());
}

TEST_P(CashFormTest, ReturnModeOpensTheCancellationAtOnce) {
  giChtEditMode = 2;
  chittest::FillSale(3);
  gtPanChit.PctHab = W(-4500);
  gtPanChit.PctCard = W(-4500);
  gtPanChit.PctMoney = {};
  gtCardRet.CmitNo = "OLD1";
  gtCardRet.Gum = W(-4500);
  gcOldChtCard = W(-4500);
  dlg::Script s;
  NoReceipt(s);
  int shown = 0;
  s.OnForm("frmDisCard", [&](QWidget &w) {
    ++shown;
    Approve(w, "OLD1");
  });
  frmCash &f = Open();
  QApplication::processEvents();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(giCashSaved, 1);
  EXPECT_TRUE(f.Closed());
  EXPECT_EQ(Count(goDbMain, "PanChit2403", "PctCard=-4500"), 1);
}

TEST_P(CashFormTest, CustomerMoneyKindWithEmptyBoxesIsChecked) {
  gtCstCode.CcdKey = W(7);
  goDbMain.Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdJumsu, CcdZerdo) "
                   "Values(7, 7, 'M', 10, 0)");
  for (auto [k, v] : {std::pair{"PosBnsMnySel", 1}, {"PosBnsJumsu", 100}, {"PosBnsGum", 10000},
                      {"PosBnsMoney", 1000}, {"PosCstPanPrt", 1}})
    chittest::SetOption(k, v);
  frmCash &f = Open();
  ASSERT_TRUE(f.txtCustJum->isEnabled());
  Key(Qt::Key_F8, f.txtNo);
  ASSERT_EQ(f.CurrentKind(), 8);
  f.txtCustJum->clear();
  dlg::Script s;
  s.ExpectAllUsed(false);
  f.cmdSave->click();
  ASSERT_FALSE(s.Texts().isEmpty());
  EXPECT_EQ(s.Texts()[0], QStringLiteral("사용할수있는 점수가 부족합니다."));
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("[잔액부족]"));
  EXPECT_FALSE(f.Closed());
  EXPECT_EQ(Count(goDbMain, "PanChit2403"), 0);
}

TEST_P(CashFormTest, PrintChooserKeys) {
  struct Case {
    std::vector<int> keys;
    int answer;
  } cases[] = {{{Qt::Key_Return}, 0},
               {{Qt::Key_PageUp}, 1},
               {{Qt::Key_Up, Qt::Key_Return}, 1},
               {{Qt::Key_Up, Qt::Key_Escape, Qt::Key_Return}, 0},
               {{Qt::Key_Up, Qt::Key_Down, Qt::Key_Up, Qt::Key_PageUp}, 1}};
  for (const Case &c : cases) {
    giPrintOnOffRet = -1;
    frmPrintOnOff p;
    p.show();
    QApplication::processEvents();
    for (int k : c.keys) {
      QWidget *w = QApplication::focusWidget();
      ASSERT_NE(w, nullptr);
      QTest::keyClick(w, Qt::Key(k));
    }
    EXPECT_EQ(giPrintOnOffRet, c.answer);
  }
  // Asked only when the commit set 0.
  frmCash &f = Open();
  dlg::Script s;
  giPrintOnOffRet = 1;
  f.AskPrintCopy();
  EXPECT_TRUE(s.Log().isEmpty());
}

TEST_P(CashFormTest, ACardSaleAsksAndPrintsTheReceiptFile) {
  frmCash &f = Open();
  dlg::Script s;
  s.OnForm("frmCardChk", [](QWidget &w) { Approve(w); });
  bool asked = false;
  s.OnForm("frmPrintOnOff", [&](QWidget &w) {
    asked = true;
    static_cast<frmPrintOnOff &>(w).ChoosePrintOff();
  });
  Key(Qt::Key_F3, f.txtNo);
  EXPECT_TRUE(asked);
  EXPECT_EQ(giPrintOnOffRet, 0);
  EXPECT_EQ(giCashSaved, 1);
}

INSTANTIATE_TEST_SUITE_P(Setups, CashFormTest,
                         ::testing::Values(chittest::Setup{orv::db::Engine::SQLite, true}),
                         chittest::SetupName);

}  // namespace
