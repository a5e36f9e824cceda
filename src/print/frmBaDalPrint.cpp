#include "core/application.h"
#include "print/frmBaDalPrint.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "lookup/help_globals.h"
#include "lookup/name_readers.h"
#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/settings_store.h"
#include "print/delivery.h"
#include "print/frmDlvList.h"
#include "print/receipt.h"
#include "print/receipt_text.h"
#include "print/records_keeper.h"
#include "chit/sale_state.h"

namespace {
constexpr long kHeaderFocus = 0xFF8080;
constexpr long kHeaderGrey = 0x808080;
constexpr int kColName = 1, kColHab = 2, kColDate = 3, kColChtNo = 4, kColCstKey = 16, kColTime = 18;
constexpr int kRowHeight = 20 * 4 / 3;  // the grid's row-height unit is a point
namespace keys = orv::keys;
namespace store = orv::settings_store;

double settingValue(const char *key) {
  return NzCur(store::GetSetting(QString::fromLatin1(key))).ToDouble();
}

}  // namespace

frmBaDalPrint::~frmBaDalPrint() { orv::DisconnectChildSignals(*this); }

frmBaDalPrint::frmBaDalPrint(QWidget *parent) : QDialog(parent) {
  setObjectName("frmBaDalPrint");
  setWindowTitle(QStringLiteral("배달전표"));
  vaSpread1 = new orv::Grid(this);
  vaSpread1->setObjectName("vaSpread1");
  vaSpread2 = new orv::Grid(this);
  vaSpread2->setObjectName("vaSpread2");
  PrtCountLbl = new QLabel(this);
  PrtCountLbl->setObjectName("PrtCountLbl");
  BdlGdsChk = new QCheckBox(QStringLiteral("상품출력"), this);
  BdlGdsChk->setObjectName("BdlGdsChk");
  cmdSu = new QPushButton(QStringLiteral("인쇄매수 (F1)"), this);
  cmdSu->setObjectName("cmdSu");
  cmdOk = new QPushButton(QStringLiteral("출력 (F2)"), this);
  cmdOk->setObjectName("cmdOk");
  cmdCancel = new QPushButton(QStringLiteral("닫기 (ESC)"), this);
  cmdCancel->setObjectName("cmdCancel");
  DlvListCmd = new QPushButton(QStringLiteral("배달전표조회"), this);
  DlvListCmd->setObjectName("DlvListCmd");
  Label1 = new QLabel(QStringLiteral("위아래:F4, 출력:F2,Enter, 선택:F8"), this);
  Label1->setObjectName("Label1");
  for (QPushButton *b : {cmdSu, cmdOk, cmdCancel, DlvListCmd}) b->setAutoDefault(false);

  auto *top = new QHBoxLayout;
  top->addWidget(Label1);
  top->addStretch();
  top->addWidget(BdlGdsChk);
  top->addWidget(PrtCountLbl);
  top->addWidget(cmdSu);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(DlvListCmd);
  buttons->addStretch();
  buttons->addWidget(cmdOk);
  buttons->addWidget(cmdCancel);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(vaSpread1, 1);
  layout->addWidget(vaSpread2, 1);
  layout->addLayout(buttons);
  resize(760, 620);

  vaSpread1->SetMaxCols(18);
  vaSpread1->SetColHeaderText(kColName, QStringLiteral("고 객 명"));
  vaSpread1->SetColHeaderText(kColHab, QStringLiteral("합계"));
  vaSpread1->SetColHeaderText(kColTime, QStringLiteral("시  간"));
  vaSpread2->SetMaxCols(9);
  const char *const goodsHeaders[] = {"No", "S", "상품명", "규격", "수량", "단가", "금액", "바코드", "비고"};
  for (int c = 1; c <= 9; ++c) vaSpread2->SetColHeaderText(c, QString::fromUtf8(goodsHeaders[c - 1]));

  connect(vaSpread1->table(), &QTableWidget::cellClicked, this, [this](int, int) { ShowChitGoods(); });
  connect(vaSpread1, &orv::Grid::GotFocus, this, &frmBaDalPrint::ShowChitGoods);
  connect(vaSpread2, &orv::Grid::GotFocus, this, [this] { setGoodsHeader(kHeaderFocus); });
  connect(vaSpread2, &orv::Grid::LostFocus, this, [this] { setGoodsHeader(kHeaderGrey); });
  for (orv::Grid *g : {vaSpread1, vaSpread2}) {
    connect(g->table(), &QTableWidget::cellDoubleClicked, this, [this](int, int) {
      if (chosenRow_ >= 1) PrintBaDalChit();
    });
    g->table()->installEventFilter(this);
  }
  connect(cmdSu, &QPushButton::clicked, this, &frmBaDalPrint::cmdSu_Click);
  connect(cmdOk, &QPushButton::clicked, this, &frmBaDalPrint::cmdOk_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(DlvListCmd, &QPushButton::clicked, this, &frmBaDalPrint::DlvListCmd_Click);
  connect(BdlGdsChk, &QCheckBox::toggled, this,
          [](bool on) { store::SaveSetting(QStringLiteral("giBadalPrintGds"), on ? "1" : "0"); });

  // Loading.
  setGoodsHeader(kHeaderGrey);
  gsBdlPrnText.clear();
  for (orv::Grid *g : {vaSpread1, vaSpread2}) {
    g->SetRow(-1);
    g->SetCol(-1);
    g->SetBlockMode(true);
    g->SetLock(true);
    g->SetBlockMode(false);
  }
  workDate_ = FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0);
  vaSpread1->table()->verticalHeader()->setDefaultSectionSize(kRowHeight);
  for (int c = 3; c <= 17; ++c) vaSpread1->SetColHidden(c, true);
  PrtCountLbl->setText(QString::number(int(settingValue("giBadalPrintSu"))));
  BdlGdsChk->setChecked(settingValue("giBadalPrintGds") == 1);
  FillChitList();
  giHelpRet = 0;
}

void frmBaDalPrint::setGoodsHeader(long bgr) {
  goodsHeader_ = bgr;
  vaSpread2->table()->horizontalHeader()->setStyleSheet(
      QStringLiteral("QHeaderView::section { background-color: %1; }").arg(orv::colors::FromBgr(bgr).name()));
}

void frmBaDalPrint::showError(const std::exception &e) {
  orv::dialogs::MsgBox(orv::ErrorBoxText(e), orv::dialogs::kCritical, windowTitle());
}

void frmBaDalPrint::FillChitList() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  vaSpread1->SetMaxRows(0);
  try {
    orv::db::Statement st = goDbMain.Prepare(
        QStringLiteral("SELECT A.PctWrtTime, B.CcdName, A.PctCstKey AS CcdKey, A.PctHab, A.PctDate, A.PctChtNo "
                       "FROM PanChit") +
        orv::print::MonthOf(workDate_) +
        " A LEFT JOIN CstCode B ON A.PctCstKey = B.CcdKey WHERE A.PctDate = ? AND A.PctPosNo = ?"
        " ORDER BY A.PctWrtTime DESC, A.PctChtNo DESC LIMIT 20");
    st.Bind(0, workDate_);
    st.Bind(1, int(giSetPosNo));
    orv::db::Recordset rs = st.Query();
    vaSpread1->SetMaxRows(rs.RecordCount());
    for (int r = 1; !rs.Eof(); rs.MoveNext(), ++r) {
      const orv::Currency key = NzCur(rs.Field(QStringLiteral("CcdKey")));
      QString name = NzStr(rs.Field(QStringLiteral("CcdName")));
      if (!key.IsZero() && giCstTsMode == 1 && !SeekCstCodeTs(key).IsZero()) name = gsCdName;
      if (!key.IsZero() && giCstTsMode == 2 && !SeekCstOnTsServer(key).IsZero()) name = gsCdName;
      SetCellText(vaSpread1, r, kColName, name);
      SetCellText(vaSpread1, r, kColHab, NzCur(rs.Field(QStringLiteral("PctHab"))).ToPlainText());
      SetCellText(vaSpread1, r, kColDate, NzStr(rs.Field(QStringLiteral("PctDate"))));
      SetCellText(vaSpread1, r, kColChtNo, NzCur(rs.Field(QStringLiteral("PctChtNo"))).ToPlainText());
      SetCellText(vaSpread1, r, kColCstKey, key.ToPlainText());
      SetCellText(vaSpread1, r, kColTime,
                  orv::print::FormatAt(NzStr(rs.Field(QStringLiteral("PctWrtTime"))), "@@:@@:@@"));
    }
  } catch (const std::exception &e) {
    QApplication::restoreOverrideCursor();
    showError(e);
    return;
  }
  QApplication::restoreOverrideCursor();
}

void frmBaDalPrint::ShowChitGoods() {
  vaSpread2->SetMaxRows(0);
  gsBdlPrnText.clear();
  chosenRow_ = vaSpread1->ActiveRow();
  if (chosenRow_ <= 0) return;
  const QString date = GetCellText(vaSpread1, chosenRow_, kColDate);
  try {
    orv::db::Statement st = goDbMain.Prepare(
        QStringLiteral("SELECT B.GcdName, B.GcdKyg, A.PcgSeqNo, A.PcgSu, A.PcgDanga, A.PcgGum, B.GcdBarcode "
                       "FROM PanGods") +
        orv::print::MonthOf(date) +
        " A LEFT JOIN GdsCode B ON A.PcgGdsKey = B.GcdKey"
        " WHERE A.PcgYear = ? AND A.PcgMon = ? AND A.PcgDay = ? AND A.PcgChtNo = ? ORDER BY A.PcgSeqNo");
    st.Bind(0, date.left(4).toInt());
    st.Bind(1, date.mid(4, 2).toInt());
    st.Bind(2, date.mid(6, 2).toInt());
    st.Bind(3, qlonglong(NzCur(GetCellText(vaSpread1, chosenRow_, kColChtNo)).RoundToInt()));
    orv::db::Recordset rs = st.Query();
    vaSpread2->SetMaxRows(rs.RecordCount());
    for (int r = 1; !rs.Eof(); rs.MoveNext(), ++r) {
      auto text = [&](const char *f) { return NzStr(rs.Field(QString::fromLatin1(f))).trimmed(); };
      auto amount = [&](const char *f) { return orv::print::F(NzCur(rs.Field(QString::fromLatin1(f)))); };
      SetCellText(vaSpread2, r, 1, NzCur(rs.Field(QStringLiteral("PcgSeqNo"))).ToPlainText());
      SetCellText(vaSpread2, r, 2, QString());
      SetCellText(vaSpread2, r, 3, text("GcdName"));
      SetCellText(vaSpread2, r, 4, text("GcdKyg"));
      SetCellText(vaSpread2, r, 5, amount("PcgSu"));
      SetCellText(vaSpread2, r, 6, amount("PcgDanga"));
      SetCellText(vaSpread2, r, 7, amount("PcgGum"));
      SetCellText(vaSpread2, r, 8, text("GcdBarcode"));
    }
  } catch (const std::exception &e) {
    showError(e);
  }
}

void frmBaDalPrint::ToggleMark() {
  gsBdlPrnText.clear();
  const int row = vaSpread2->ActiveRow();
  if (row <= 0) return;
  const bool marked = GetCellText(vaSpread2, row, 2) == QLatin1String("1");
  SetCellText(vaSpread2, row, 2, marked ? QString() : QStringLiteral("1"));
  QStringList lines;
  for (int r = 1; r <= vaSpread2->MaxRows(); ++r)
    if (GetCellText(vaSpread2, r, 2) == QLatin1String("1"))
      lines << orv::print::BdlPrnLine(GetCellText(vaSpread2, r, 3), GetCellText(vaSpread2, r, 4),
                                      GetCellText(vaSpread2, r, 5));
  gsBdlPrnText = lines.join('\'');
}

void frmBaDalPrint::cmdSu_Click() {
  int n = int(settingValue("giBadalPrintSu"));
  if (n < 1 || n > 3) n = 2;
  const auto answer = orv::dialogs::InputBox(QStringLiteral("* 인쇄매수[1,2,3]를 입력하세요 !"),
                                             QStringLiteral("인쇄매수"), QString::number(n));
  const double v = answer ? NzCur(*answer).ToDouble() : 0;
  n = v < 1 ? 2 : v > 3 ? 3 : int(v);
  store::SaveSetting(QStringLiteral("giBadalPrintSu"), QString::number(n));
  PrtCountLbl->setText(QString::number(n));
}

void frmBaDalPrint::cmdOk_Click() {
  if (chosenRow_ >= 1) PrintBaDalChit();
}

void frmBaDalPrint::PrintBaDalChit() {
  if (giSetPrint == 0) return;
  if (chosenRow_ < 1 || chosenRow_ > vaSpread1->MaxRows()) return;
  const orv::Currency key = NzCur(GetCellText(vaSpread1, chosenRow_, kColCstKey));
  const QString date = GetCellText(vaSpread1, chosenRow_, kColDate);
  const int32_t no = int32_t(NzCur(GetCellText(vaSpread1, chosenRow_, kColChtNo)).RoundToInt());
  const orv::Currency total = NzCur(GetCellText(vaSpread1, chosenRow_, kColHab));
  try {
    // The printout loads the chit's customer; the sale screen's comes back on every way out.
    orv::print::RecordsKeeper keep;
    giBdlPrnCard = 0;
    PrintDeliveryChit(key, date, no, total, BdlGdsChk->isChecked() ? 1 : 0);
    SaveDlvChit(date, no, total);
  } catch (const std::exception &e) {
    showError(e);
    return;
  }
  giHelpRet = 1;
  accept();
}

void frmBaDalPrint::DlvListCmd_Click() {
  DlvListCmd->setEnabled(false);
  frmDlvList list(this);
  orv::dialogs::ShowModal(list);
  reject();
}

bool frmBaDalPrint::formKey(int key) {
  if (key != keys::vbKeyEscape && key != keys::vbKeyF1 && key != keys::vbKeyF1 + 1 && key != keys::vbKeyReturn)
    return false;
  if (busy_) return true;
  busy_ = true;
  if (key == keys::vbKeyEscape)
    reject();
  else if (key == keys::vbKeyF1)
    cmdSu_Click();
  else
    cmdOk_Click();
  busy_ = false;
  return true;
}

bool frmBaDalPrint::eventFilter(QObject *watched, QEvent *event) {
  const bool chits = watched == vaSpread1->table(), goods = watched == vaSpread2->table();
  if ((chits || goods) && event->type() == QEvent::KeyPress) {
    const int key = keys::ToVirtualKey(static_cast<QKeyEvent *>(event));
    if (formKey(key)) return true;
    if (key == keys::vbKeyF1 + 3) {
      (chits ? vaSpread2 : vaSpread1)->table()->setFocus();
      return true;
    }
    if (goods && key == keys::vbKeyF1 + 7) {
      ToggleMark();
      return true;
    }
  }
  if (chits && event->type() == QEvent::KeyRelease) ShowChitGoods();
  return QDialog::eventFilter(watched, event);
}

void frmBaDalPrint::keyPressEvent(QKeyEvent *event) {
  if (formKey(keys::ToVirtualKey(event))) return;
  QDialog::keyPressEvent(event);
}
