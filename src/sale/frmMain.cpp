// Start-up, activation, window-level keys and the two ways out of the sale screen.
#include "core/application.h"
#include "core/connections.h"
#include "sale/frmMain.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "core/web_clock.h"
#include "platform/clock.h"
#include "platform/colors.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/process.h"
#include "platform/serial_port.h"
#include "platform/settings_store.h"
#include "lookup/help_globals.h"
#include "sale/key_rows.h"
#include "chit/pos_event.h"
#include "sale/sale_globals.h"
#include "sale/sale_text.h"
#include "schema/purge.h"
#include "sync/go_offline.h"
#include "customer/pos_server.h"
#include "sync/basCC.h"

using namespace orv;

namespace {

// Key preview: the window sees each key before the focused control does.
class KeyPreview : public QObject {
 public:
  explicit KeyPreview(frmMain *form) : QObject(form), form_(form) {}

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto *w = qobject_cast<QWidget *>(watched);
    // The first delivery goes to the focus widget; its parents see the same key later.
    if (!w || w != QApplication::focusWidget() || w->window() != form_) return false;
    auto *ke = static_cast<QKeyEvent *>(event);
    int vk = keys::ToVirtualKey(ke);
    if (vk == 0) return false;
    form_->Form_KeyDown(vk, keys::ToShift(ke->modifiers()));
    return vk == 0;
  }

 private:
  frmMain *form_;
};

constexpr char kVersionCaption[] = "Ver 2024.01.30";

// One step of the load: an unexpected error is reported and the load goes on.
void Step(const std::function<void()> &fn) {
  try {
    fn();
  } catch (const db::DbError &e) {
    dialogs::Plain(ErrorBoxText(e));
  } catch (const std::exception &e) {
    dialogs::Plain(QString::fromUtf8(e.what()));
  }
}

// Runs a step of the screen's start or end that may fail: its error goes to the daily
// log and the next step runs.
void Quietly(const std::function<void()> &fn) { orv::RunLogged(QStringLiteral("frmMain"), fn); }

int16_t RegFlag(const QString &key) {
  return NzCur(settings_store::GetSetting(key)) == Currency::Won(1) ? 1 : 0;
}

}  // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent),
      scanner(new orv::sale::Scanner(this)),
      miScanMode(scanner->miScanMode),
      miScanPortFail(scanner->miScanPortFail),
      msScanBuffer(scanner->msScanBuffer) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("POS 판매 for Windows (IC) "));
  setAttribute(Qt::WA_DeleteOnClose, false);
  BuildControls();
  BuildCstBlock();
  HookSaleDialogs();
  BuildChitPanels();
  MSComm1 = new serial::Port(this);
  MSComm1->setObjectName(QStringLiteral("MSComm1"));
  MSComm3 = new serial::Port(this);
  MSComm3->setObjectName(QStringLiteral("MSComm3"));
  ConnectControls();
  SetUpGridKeys();
  SetUpScanner();
  SetUpNumberEditors();
  resize(1024, 740);

  // Creation: a voice program left over from an earlier run ends, a new one starts.
  Quietly([this] { StopTtsSaveWav(); });
  QCoreApplication::processEvents();
  const QString tts = VoiceProgramPath();
  if (QFileInfo(tts).isExecutable()) process::StartDetached(tts, {}, datafolder::Root());
  tmrScan->setInterval(giSetinterval != 0 ? giSetinterval : 50);
  vaSpread1->SetMaxRows(kSaleLines);
  vaSpread2->SetMaxRows(kSaleLines);
  // Locked against editing, also the columns its later owner lays out.
  vaSpread2->SetRow(-1);
  vaSpread2->SetCol(-1);
  vaSpread2->SetLock(true);
  vaSpread2->table()->setEditTriggers(QAbstractItemView::NoEditTriggers);

  SetLineLabelHook([this](const QString &caption, long bgr) { SetLineLabel(caption, bgr); });
  SetPointLabelHook([this](const QString &caption, long bgr) {
    TotPointLbl->setText(caption);
    SetLabelColor(TotPointLbl, bgr, true);
    CstCcCmd->setEnabled(false);
  });
  SetMainFormWindow(this);
  qApp->installEventFilter(new KeyPreview(this));
}

frmMain::~frmMain() {
  orv::DisconnectChildSignals(*this);
  delete frmDisplay;
  SetLineLabelHook({});
  SetPointLabelHook({});
  if (MainFormWindow() == this) SetMainFormWindow(nullptr);
}

void frmMain::ConnectControls() {
  connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
  connect(cmdPrint, &QPushButton::clicked, this, &frmMain::cmdPrint_Click);
  connect(cmdCoin, &QPushButton::clicked, this, &frmMain::cmdCoin_Click);
  connect(cmdHalin, &QPushButton::clicked, this, &frmMain::cmdHalin_Click);
  connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
  connect(chkDanga, &QCheckBox::toggled, this, [this] { chkDanga_Click(); });
  connect(chkMisuNotPrn, &QCheckBox::toggled, this, [this] { chkMisuNotPrn_Click(); });
  connect(chkPrintBar, &QCheckBox::toggled, this, [this] { chkPrintBar_Click(); });
  connect(chkCstAll, &QCheckBox::toggled, this, [this] { chkCstAll_Click(); });
  connect(cmdOIPrnSu, &QPushButton::clicked, this, &frmMain::cmdOIPrnSu_Click);
  connect(cmdTerMinate, &QPushButton::clicked, this, &frmMain::cmdTerMinate_Click);
  connect(cmdTrsMast, &QPushButton::clicked, this, &frmMain::cmdTrsMast_Click);
  connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
  connect(Command4, &QPushButton::clicked, this, &frmMain::Command4_Click);
  connect(cmdRebuild, &QPushButton::clicked, this, &frmMain::cmdRebuild_Click);
  connect(CmdCC, &QPushButton::clicked, this, &frmMain::CmdCC_Click);
  connect(CstCcCmd, &QPushButton::clicked, this, &frmMain::CstCcCmd_Click);
  connect(OneMoaCmd, &QPushButton::clicked, this, &frmMain::OneMoaCmd_Click);
  connect(cmdHelp, &QPushButton::clicked, this, &frmMain::cmdHelp_Click);
  connect(fraExitCmd, &QPushButton::clicked, this, &frmMain::fraExitCmd_Click);
  connect(cmdDateSet, &QPushButton::clicked, this, &frmMain::cmdDateSet_Click);
  connect(dtpWrkDate, &QDateEdit::dateChanged, this, [this] {
    if (!settingDate_) dtpWrkDate_Change();
  });
  connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
  connect(TrsHelpCmd, &QPushButton::clicked, this, &frmMain::TrsHelpCmd_Click);
  for (int i = 1; i <= 5; ++i)
    connect(CstSeltOpt[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) CstSeltOpt_Click(i);
    });
  connect(vaSpread1, &Grid::KeyDown, this, [this](int &key, int &shift) { vaSpread1_KeyDown(key, shift); });
  connect(vaSpread1, &Grid::GotFocus, this, &frmMain::vaSpread1_GotFocus);
  connect(vaSpread1, &Grid::LostFocus, this, &frmMain::vaSpread1_LostFocus);

  // Keys, focus and clicks of the boxes and labels.
  for (QObject *o : std::initializer_list<QObject *>{
           txtTrsNo, txtTcdNo, txtCstNo, txtNumber, cmdTerMinate, cmdDateSet, dtpWrkDate,
           Command4, Command1, cmdExit, cmdHelp, Image1, Label7, lblLine, lblHabGum,
           TotPointLbl})
    o->installEventFilter(this);
}

// ---------------------------------------------------------------------------- events

bool frmMain::eventFilter(QObject *watched, QEvent *event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress) {
    auto *ke = static_cast<QKeyEvent *>(event);
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || w->window() != this) return false;
    int vk = keys::ToVirtualKey(ke);
    const int shift = keys::ToShift(ke->modifiers());
    if (vk == 0) return false;
    using namespace keys;
    if (watched == txtTcdNo) {
      txtTcdNo_KeyDown(vk, shift);
      return vk == 0;
    }
    if (watched == txtCstNo) {
      txtCstNo_KeyDown(vk, shift);
      return vk == 0;
    }
    if (watched == txtNumber) {
      txtNumber_KeyDown(vk, shift);
      return vk == 0;
    }
    if (watched == txtTrsNo) {
      if (vk == vbKeyF1) {
        TrsHelpCmd_Click();
        return true;
      }
      if (vk == vbKeyReturn) {
        FocusGrid();
        return true;
      }
      return false;
    }
    if (watched == cmdTerMinate) {
      cmdTerMinate_KeyDown(vk, shift);
      return vk == 0;
    }
    if (watched == cmdDateSet && (vk == vbKeyEscape || vk == vbKeyTab)) {
      FocusGrid();
      return true;
    }
    // The lower button row: Esc and Tab to the grid, the arrows walk along it.
    if (watched == Command4 || watched == Command1 || watched == cmdExit || watched == cmdHelp) {
      if (vk == vbKeyEscape || vk == vbKeyTab) {
        FocusGrid();
        return true;
      }
      QPushButton *next = nullptr;
      if (vk == vbKeyRight) next = watched == Command4 ? Command1 : watched == Command1 ? cmdExit : nullptr;
      if (vk == vbKeyLeft) next = watched == Command1 ? Command4 : watched == cmdExit ? Command1 : nullptr;
      if (vk == vbKeyLeft || vk == vbKeyRight) {
        if (next) next->setFocus();
        return true;
      }
    }
    return false;
  }
  if (type == QEvent::FocusIn) {
    if (watched == txtTrsNo) {
      QPalette p = txtTrsNo->palette();
      p.setColor(QPalette::Base, colors::FromBgr(0xC0FFFF));
      txtTrsNo->setPalette(p);
      QTimer::singleShot(0, txtTrsNo, [this] { txtTrsNo->selectAll(); });
    } else if (watched == txtCstNo) {
      QTimer::singleShot(0, txtCstNo, [this] { txtCstNo->selectAll(); });
    }
    return false;
  }
  if (type == QEvent::FocusOut) {
    auto *fe = static_cast<QFocusEvent *>(event);
    // A modal chooser taking the focus is not the end of the entry.
    if (fe->reason() != Qt::PopupFocusReason && fe->reason() != Qt::ActiveWindowFocusReason) {
      if (watched == txtTrsNo) QTimer::singleShot(0, this, [this] { txtTrsNo_LostFocus(); });
      if (watched == dtpWrkDate) dtpWrkDate_LostFocus();
    }
    return false;
  }
  if (type == QEvent::MouseButtonRelease) {
    if (watched == TotPointLbl) {
      TotPointLbl_Click();
      return true;
    }
    if (watched == Image1 || watched == Label7 || watched == lblLine || watched == lblHabGum) {
      FocusGrid();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void frmMain::showEvent(QShowEvent *event) {
  if (!loaded_) Form_Load();
  QWidget::showEvent(event);
  // The first activation's work runs once the window is on the screen.
  QTimer::singleShot(0, this, &frmMain::Form_Activate);
}

void frmMain::changeEvent(QEvent *event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && loaded_)
    QTimer::singleShot(0, this, &frmMain::Form_Activate);
  QWidget::changeEvent(event);
}

void frmMain::Form_KeyDown(int &keyCode, int shift) {
  Q_UNUSED(shift);
  // Only the recalled-chit panel takes keys here (F1 rewrite, F2 cancel); it comes with the
  // chit recall.
  QWidget *panel = findChild<QWidget *>(QStringLiteral("fraChtNoX"));
  if (!panel || !panel->isVisible()) return;
  const char *option = keyCode == keys::vbKeyF1   ? "ChtWrite0Opt"
                       : keyCode == keys::vbKeyF1 + 1 ? "ChtWrite1Opt"
                                                  : nullptr;
  if (!option) return;
  if (auto *opt = panel->findChild<QRadioButton *>(QString::fromLatin1(option))) {
    opt->setChecked(true);
    keyCode = 0;
  }
}

// ---------------------------------------------------------------------------- load

void frmMain::Form_Load() {
  if (loaded_) return;
  loaded_ = true;

  giHelpOpen = 0;
  giPosProgram = 1;
  lblDate->setText(QString::fromLatin1(kVersionCaption));
  giMsgBoxOpen = 0;
  giWrkDateChanged = 0;
  miCstSource = 1;

  const QStringList v = QCoreApplication::applicationVersion().split('.');
  setWindowTitle(QStringLiteral("POS 판매 for Windows (IC) [V.") + v.value(0, "0") + "." +
                 v.value(1, "0") + "." + v.value(2, "0") + "]");
  Step([] { GetWebDateTime(); });

  // Calendar colours of the work-date picker.
  if (QWidget *cal = dtpWrkDate->calendarWidget()) {
    QPalette p = cal->palette();
    p.setColor(QPalette::Base, colors::FromBgr(0x00CAE2C7));
    cal->setPalette(p);
  }

  // Sale grid: 2, 6, 7 locked; 8 to 22 hold the line's data and are hidden.
  vaSpread1->SetRow(-1);
  for (int c : {int(ColName), int(ColDc), int(ColKind)}) {
    vaSpread1->SetCol(c);
    vaSpread1->SetLock(true);
  }
  vaSpread1->SetRow(1);
  vaSpread1->SetCol(1);
  for (int c = ColGdsKey; c <= kSaleGridCols; ++c) vaSpread1->SetColHidden(c, true);

  miGridFocus = 0;
  Timer1->start();
  Timer1_Timer();
  scanner->LoadMode();

  // Devices: their failures never stop the load.
  giDspSignPlease = 0;
  Quietly([this] {
    if (giSetDisp == 5)
      ShowCustomerDisplay();
    else
      OpenCdpPort();
  });
  Quietly([this] { OpenScanPortAtLoad(); });

  Step([this] {
    static const char16_t *const kKinds[] = {u"",           u"판매#A가격(정상)", u"판매#B가격(할인)",
                                             u"판매#C가격", u"특판#A가격",       u"특판#B가격",
                                             u"특판#C가격", u"지정#A가격(지정)"};
    Combo1->clear();
    for (const char16_t *k : kKinds) Combo1->addItem(QString::fromUtf16(k));
    Combo1->setCurrentIndex(0);
    glGaSel = 0;
    glHalSel = 1;
  });
  Step([this] {
    lblSaName->setText(gsPcdName);
    txtPosNo->setText(QString::number(giLogPosNo));
    if (giOnLine == 1)
      SetLineLabel(QStringLiteral("온 라 인"), colors::kBlack);
    else
      SetLineLabel(QStringLiteral("오프라인"), kOfflineLineColor);
    giPrintOn = 1;
    giCoinOn = 0;
    glHalSel = 1;
  });
  Step([this] { SetWorkDateToday(); });
  Step([this] {
    txtTrsNo->setText(QStringLiteral("88000"));
    txtTrsNo_LostFocus();
  });
  Step([this] {
    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen && screen->size().width() != 1024 && screen->size().height() != 768)
      SizeMainForm(0);
  });
  Step([this] {
    if (giSetPrint == 0) {
      giPrintOn = 0;
      SetOnOffColor(cmdPrint, 0);
      cmdPrint->setEnabled(false);
    } else {
      SetOnOffColor(cmdPrint, 1);
    }
    if (giSetCoin != 0) {
      giCoinOn = 1;
      SetOnOffColor(cmdCoin, 1);
    } else {
      giCoinOn = 0;
      SetOnOffColor(cmdCoin, 0);
      cmdCoin->setEnabled(false);
    }
  });
  Step([this] { ReadSleDate(); });
  Step([this] {
    if (giOnLine != 1) CmdCC->setEnabled(false);
    QString van;
    switch (giSetVan) {
      case 0: case 2: case 6: case 7: case 8: van = QStringLiteral("미지정"); break;
      case 1: van = QStringLiteral("KiCC"); break;
      case 3: van = QStringLiteral("카드사용안함"); break;
      case 4: van = QStringLiteral("FDK"); break;
      case 5: van = QStringLiteral("SMARTRO"); break;
      case 9: van = QStringLiteral("NiCE"); break;
      case 10: van = QStringLiteral("KiS"); break;
      default: break;
    }
    if (!van.isEmpty()) {
      if (giSetSignPad == 1 && giSetVan != 3) van += QStringLiteral("(S)");
      lblVan->setText(van);
    }
  });
  Step([this] {
    if (GetRegInt(QStringLiteral("PosCstJumsu")) == 0) SetRegistry(QStringLiteral("PosCstJumsu"), 1000);
    giSetJulsa = GetRegInt(QStringLiteral("PosJulRound")) != 0 ? 5 : 10;
    gcJumsuGum = {};
    giOrvSetCstIrt = int16_t(GetRegInt(QStringLiteral("OrvSetCstIrt")));
    lblPosSpeedWait->setVisible(GetRegInt(QStringLiteral("PosSpeedWait")) == 1);
  });
  Step([this] {
    chkDanga->setChecked(RegFlag(QStringLiteral("giSetDangaStop")) == 1);
    chkMisuNotPrn->setChecked(RegFlag(QStringLiteral("giSetMisuNotPrn")) == 1);
    giSetPrintBarcode = RegFlag(QStringLiteral("giSetPrintBarcode"));
    chkPrintBar->setChecked(giSetPrintBarcode == 1);
    if (giSetOiPrnSu < 0) giSetOiPrnSu = 0;
    lblOIPrnSu->setText(QString::number(giSetOiPrnSu));
    gtSaleTotals = {};
  });
  Quietly([this] { TestPrinterPort(); });
  Step([this] { ShowCstAllSet(); });
  Step([this] {
    gsOneMoaClientTel = GetRegChar(QStringLiteral("OneMoaClientTel"));
    gsOneMoaClientCode = GetRegChar(QStringLiteral("OneMoaClientCode"));
    const bool oneMoa = !gsOneMoaClientCode.isEmpty();
    for (QWidget *w : std::initializer_list<QWidget *>{OneMoaCmd, OneMoaNoLbl, OneMoaPointLbl})
      w->setVisible(oneMoa);
    gsOneMoaFindKey.clear();
    gsOneMoaPersonCode.clear();
    gsOneMoaPersonName.clear();
    giOneMoaCardKey = 0;
    gcOneMoaUsingPoint = {};
  });
  Step([this] { SetChtEditMode(0); });
  Step([this] {
    if (giSetVan == 4) StartWin4Pos();
  });
  Step([] {
    const int32_t tax = GetRegInt(QStringLiteral("PosCardTaxSelt"));
    giPosCardTaxSelt = (tax < 0 || tax > 2) ? 0 : int16_t(tax);
  });
  Step([this] { ShowPriceKind(int(glGaSel)); });
}

void frmMain::ShowCstAllSet() {
  int32_t all = int32_t(NzCur(settings_store::GetSetting(QStringLiteral("giSetCstAll"))).RoundToInt());
  if (all < 0 || all > 1) all = 0;
  giSetCstAll = int16_t(all);
  chkCstAll->setChecked(all == 1);
  giPosCstDisplayNot = int16_t(GetRegInt(QStringLiteral("PosCstDisplayNot")));
}

// ---------------------------------------------------------------------------- activation

void frmMain::Form_Activate() {
  if (activating_) return;
  activating_ = true;
  if (giMainShown == 0) {
    giMainShown = 1;
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    PosWaitMsgLbl->setText(QStringLiteral("* 과거 데이타 삭제중 *"));
    PanDeltFme->move((width() - PanDeltFme->width()) / 2, (height() - PanDeltFme->height()) / 2);
    PanDeltFme->show();
    PanDeltFme->raise();
    PanDeltFme->repaint();
    Step([] { PurgeOldMonths(); });
    PanDeltFme->hide();
    QGuiApplication::restoreOverrideCursor();
    if (giOnLine == 1)
      Step([] { PutOrvKoreaRow(PosVersionKey(), QString::fromLatin1(kVersionCaption)); });
    giCstTsMode = 0;
    Step([] { LoadPosServerSettings(); });
    Step([this] { TotPointLbl_Click(); });
  }
  FocusGrid();
  activating_ = false;
}

void frmMain::TotPointLbl_Click() {
  if (giCstTsMode != 1) return;
  TotPointLbl->show();
  TotPointLbl->setEnabled(false);
  CstCcCmd->show();
  CstCcCmd->setEnabled(false);
  CstCcLbl->show();
  CstCcLbl->setText(LayIntoPattern(gsCstTsDate, QStringLiteral("@@@@.@@.@@")));
  chkCstAll->show();
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  PosWaitMsgLbl->setText(QStringLiteral("* 통합 포인트 연결중 *"));
  PanDeltFme->show();
  PanDeltFme->raise();
  PanDeltFme->repaint();
  OpenTsConnection(goDbTs);
  PanDeltFme->hide();
  QGuiApplication::restoreOverrideCursor();
  if (giCstTsMode == 1) {
    TotPointLbl->setText(QStringLiteral("통합포인트오프라인"));
    SetLabelColor(TotPointLbl, kOfflinePointColor, true);
  } else if (giCstTsMode == 2) {
    TotPointLbl->setText(QStringLiteral("통합포인트온라인"));
    SetLabelColor(TotPointLbl, colors::kBlack, true);
    try {
      CreateTsTables(YyMmNum(giWrkYear, giWrkMonth));
    } catch (const db::DbError &e) {
      // The member-chit copy tries the month again and queues the chit when it fails.
      db::LogFailure(QStringLiteral("통합포인트 월 테이블: ") + e.Description);
    }
    CstCcCmd->setText(QStringLiteral("통합고객(") + QString::number(giSupTrsNo) + ")");
    CstCcCmd->setEnabled(true);
    ShowMsgSendCst(&CreateTsTables);
    const QDate today = clock::Now().date();
    const QString todayText = today.toString(QStringLiteral("yyyyMMdd"));
    // The day is kept once the copy went through: a failed one is tried at the next click.
    if (giSetCcNot == 0 && giSetCcBcp == 1 && gsCstTsDate != todayText && ShowMsgRecvCst()) {
      gsCstTsDate = todayText;
      settings_store::SaveSetting(QStringLiteral("gsCstTsDate"), gsCstTsDate);
      CstCcLbl->setText(LayIntoPattern(gsCstTsDate, QStringLiteral("@@@@.@@.@@")));
    }
  }
  TotPointLbl->setEnabled(true);
}

// ---------------------------------------------------------------------------- exits

void frmMain::WriteExitRow() {
  Quietly([] { LogPosEvent(1, 92, {}, {}, {}); });
}

void frmMain::cmdExit_Click() {
  if (!dialogs::AskYesNo(QStringLiteral("정말 종료하시겠습니까 ?"), QStringLiteral("종료확인"),
                         dialogs::kInformation)) {
    FocusGrid();
    return;
  }
  WriteExitRow();
  Quietly([this] {
    if (giSetVan == 4) StopWin4Pos();
  });
  Quietly([this] {
    if (QFileInfo::exists(VoiceProgramPath())) StopTtsSaveWav();
  });
  Finish();
}

void frmMain::closeEvent(QCloseEvent *event) {
  // Closed any other way: the exit row without asking, the voice program ends.
  if (!leaving_) {
    WriteExitRow();
    Quietly([this] {
      if (QFileInfo::exists(VoiceProgramPath())) StopTtsSaveWav();
    });
    Finish();
  }
  event->accept();
}

void frmMain::Finish() {
  leaving_ = true;
  tmrScan->stop();
  Timer1->stop();
  CloseProgramConnections();
  hide();
  emit EndProgram();
  QCoreApplication::exit(0);
}

// ---------------------------------------------------------------------------- voice program

QString frmMain::VoiceProgramPath() const { return datafolder::Path(QStringLiteral("tts")); }

void frmMain::StopTtsSaveWav() {
  // Every process running the program folder's voice program, also one left by a crashed
  // run; a program of the same name elsewhere is not ours.
  process::EndProcessesOf(VoiceProgramPath());
  for (const char *key : {"giSetWavStart", "giSetWavEnd", "giSetWavCard", "giSetWavAmt"})
    settings_store::SaveSetting(QString::fromLatin1(key), QStringLiteral("0"));
}

// ---------------------------------------------------------------------------- helpers

void frmMain::SetLabelColor(QLabel *label, long bgr, bool fore) {
  if (!fore) label->setAutoFillBackground(true);
  QPalette p = label->palette();
  p.setColor(fore ? QPalette::WindowText : QPalette::Window, colors::FromBgr(bgr));
  label->setPalette(p);
}

void frmMain::SetLineLabel(const QString &caption, long bgr) {
  lblLine->setText(caption);
  SetLabelColor(lblLine, bgr, true);
}

void frmMain::FocusGrid() {
  Quietly([this] {
    // Without a window manager (a kiosk, xvfb) nothing activates the window for us, and
    // keys would go nowhere after the login or a closed screen; never over an open dialog.
    if (isVisible() && !isActiveWindow() && !QApplication::activeModalWidget()) {
      raise();
      activateWindow();
    }
    if (vaSpread1->isEnabled()) vaSpread1->setFocus();
  });
}
