#include "lookup/frmGdsHelp.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "chit/sale_state.h"
#include "core/globals.h"
#include "lookup/help_globals.h"
#include "core/options.h"
#include "core/values.h"
#include "lookup/help_forms.h"
#include "lookup/lookup_common.h"
#include "platform/colors.h"
#include "platform/keys.h"
#include "platform/grid.h"
#include "platform/list_grid.h"

using namespace orv;
using namespace orv::lookup;

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

enum Field { kKey, kNo, kBar, kName, kKyg, kMech, kMech2, kTrsName };

}  // namespace

void ParseGdsHelpInput(const QString &input) {
  const QString trimmed = TrimBlanks(input);
  bool textFlag = false;
  for (QChar c : trimmed)
    if (!isDigit(c) && c != u' ') textFlag = true;
  QString core = trimmed;
  while (!core.isEmpty() && (isDigit(core.front()) || core.front() == u'\'')) core.remove(0, 1);
  while (!core.isEmpty() && (isDigit(core.back()) || core.back() == u'\'')) core.chop(1);
  core = TrimBlanks(core);
  int kind = textFlag ? 1 : 0;
  if (trimmed.size() >= 5 && !textFlag) kind = 2;
  giGdsHelpRet = 0;
  gsGdsHelpText.clear();
  if (kind == 1) {
    giGdsHelpRet = 1;
    gsGdsHelpText = core;
    if (core.size() > 1) {
      if (core.startsWith('+')) giGdsHelpRet = 3, gsGdsHelpText = core.mid(1);
      if (core.endsWith('+')) giGdsHelpRet = 3, gsGdsHelpText = core.left(core.size() - 1);
      if (core.startsWith('-')) giGdsHelpRet = 4, gsGdsHelpText = core.mid(1);
      if (core.endsWith('-')) giGdsHelpRet = 4, gsGdsHelpText = core.left(core.size() - 1);
    }
  } else if (kind == 2) {
    giGdsHelpRet = 2;
    gsGdsHelpText = trimmed;
  }
}

PagedQuery GdsPopupQuery(const db::Dialect &d, const QString &number) {
  PagedQuery q;
  q.columns =
      "A.GcdKey, A.GcdNo, A.GcdBarcode, A.GcdName, A.GcdKyg, A.GcdMech, A.GcdMech2, B.TcdName";
  q.from = "GdsCode A LEFT JOIN TrsCode B ON A.GcdMeipKey = B.TcdKey";
  QString where = "1 = 1";
  const int n = number.toInt();
  where += NameRangeSql(d, "A.GcdName", n, q.args);
  if (number.size() >= 3) {
    where += " AND A.GcdBarcode LIKE ? ESCAPE '\\'";
    q.args << ContainsPattern(number);
  }
  q.where = where;
  q.order = {{d.Fold("A.GcdName"), true, true}, {d.Fold("A.GcdKyg"), true, true}, {"A.GcdNo", true}};
  return q;
}

ListCell GdsPopupCell(const ListFields &f, int col) {
  switch (col) {
    case 1: {
      const QString bar = NzStr(f.value(kBar));
      return {bar.isEmpty() ? NzStr(f.value(kNo)) : bar};
    }
    case 2: return {NzStr(f.value(kName))};
    case 3: return {NzStr(f.value(kKyg))};
    case 4: return {NzCur(f.value(kMech)).ToPlainText()};
    case 5: return {NzCur(f.value(kMech2)).ToPlainText()};
    case 6: return {NzStr(f.value(kTrsName))};
    default: return {};
  }
}

frmGdsHelp::frmGdsHelp(QWidget *parent) : QDialog(parent) {
  setObjectName("frmGdsHelp");
  setWindowTitle("상품찾기!!");
  auto *lay = new QGridLayout(this);
  auto *inputLabel = new QLabel("입력번호", this);
  gdsTxt = new QLineEdit(this);
  gdsTxt->setObjectName("gdsTxt");
  ChtTgdsChk = new QCheckBox("지정가상품조회 (F8)", this);
  ChtTgdsChk->setObjectName("ChtTgdsChk");
  KeyBoarCmd = new QPushButton("KBD", this);
  KeyBoarCmd->setObjectName("KeyBoarCmd");
  KeyBoarCmd->setAutoDefault(false);
  auto *hint = new QLabel("상품:문자열, 거래:[+], 고객:[-]", this);
  lblSelect = new QLabel(this);
  lblSelect->setObjectName("lblSelect");
  vaSpread1 = new ListGrid(this);
  vaSpread1->setObjectName("vaSpread1");
  vaSpread1->SetMaxCols(7);
  const char *heads[] = {"바코드", "상품명", "규격", "정상판매가", "할인판매가", "매입처", "비고"};
  const double widths[] = {14, 22, 8, 10, 10, 10, 6};
  for (int c = 1; c <= 7; ++c) {
    vaSpread1->SetColHeaderText(c, heads[c - 1]);
    vaSpread1->SetColWidth(c, widths[c - 1]);
  }
  vaSpread1->SetFormatter(GdsPopupCell);
  lay->addWidget(inputLabel, 0, 0);
  lay->addWidget(gdsTxt, 0, 1);
  lay->addWidget(KeyBoarCmd, 0, 2);
  lay->addWidget(ChtTgdsChk, 1, 1, 1, 2);
  lay->addWidget(hint, 2, 0, 1, 3);
  lay->addWidget(lblSelect, 3, 0, 1, 1);
  lay->addWidget(vaSpread1, 3, 1, 1, 2);
  resize(820, 520);

  gdsTxt->installEventFilter(this);
  vaSpread1->view()->installEventFilter(this);
  ChtTgdsChk->installEventFilter(this);
  KeyBoarCmd->installEventFilter(this);
  connect(vaSpread1, &ListGrid::GotFocus, this, [this] { vaSpread1->SetHeaderBold(true); });
  connect(vaSpread1, &ListGrid::LostFocus, this, [this] { vaSpread1->SetHeaderBold(false); });
  connect(vaSpread1, &ListGrid::KeyDown, this, [this](int &k, int &shift) {
    if (k == keys::vbKeyReturn && shift == 0) {
      gsGdsHelpCode = vaSpread1->CellValue(vaSpread1->ActiveRow(), 1);
      k = 0;
      close();
    }
  });
  connect(KeyBoarCmd, &QPushButton::clicked, this, &frmGdsHelp::KeyBoarCmd_Click);

  // Load.
  giTrsHelpPrice = 0;
  giGdsHelpRet = 0;
  gsGdsHelpCode.clear();
  gsGdsHelpText.clear();
  vaSpread1->SetRowHeight(18);
  QString sel = "F1:선택창\r\n";
  const char *lines[] = {"  1 : ㄱ", "  2 : ㄴ", "  3 : ㄷ", "  4 : ㄹ", "  5 : ㅁ", "  6 : ㅂ",
                         "  7 : ㅅ", "  8 : ㅇ", "  9 : ㅈ", " 10 : ㅊ", " 11 : ㅋ", " 12 : ㅌ",
                         " 13 : ㅍ", " 14 : ㅎ", " 15 : 영문", " 16 : 기타"};
  for (const char *l : lines) sel += QString::fromUtf8(l) + "\r\n";
  sel += "\r\n*.번호를 입력하세요.(바코드조회는 3자리 이상임)";
  lblSelect->setText(sel);
  tgdsHelp_ = int16_t(GetEnvInt(gsLogID, "MchChitTgsHelp"));
  if (tgdsHelp_ == 0) ChtTgdsChk->setChecked(false);
  if (tgdsHelp_ == 1) ChtTgdsChk->setChecked(true);
  // Connected after the load's own setting, which must not store the option again.
  connect(ChtTgdsChk, &QCheckBox::toggled, this, [this](bool on) {
    tgdsHelp_ = on ? 1 : 0;
    SetEnvironment(gsLogID, "MchChitTgsHelp", tgdsHelp_);
    gdsTxt->setFocus();
  });
  loading_ = 1;
  keyF1();
  loading_ = 0;
}

frmGdsHelp::~frmGdsHelp() { orv::DisconnectChildSignals(*this); }

void frmGdsHelp::keyF1() {
  gdsTxt->clear();
  if (!loading_) gdsTxt->setFocus();
}

void frmGdsHelp::fcGdsSerch(const QString &number) {
  if (reader_) reader_->Cancel();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  vaSpread1->Clear();
  reader_ = std::make_unique<PagedReader>(
      goDbMain, GdsPopupQuery(goDbMain.dialect(), number),
      [this](QVector<ListFields> rows) { vaSpread1->AppendRows(std::move(rows)); }, this);
  connect(reader_.get(), &PagedReader::Failed, this, [](long n, const QString &d) {
    ShowDbError(db::DbError(n, d));
  });
  try {
    reader_->Start();
  } catch (const db::DbError &e) {
    QApplication::restoreOverrideCursor();
    ShowDbError(e);
    return;
  }
  QApplication::restoreOverrideCursor();
}

void frmGdsHelp::gdsTxt_Enter() {
  const QString input = TrimBlanks(gdsTxt->text());
  if (!input.isEmpty()) {
    ParseGdsHelpInput(input);
    if (giGdsHelpRet >= 1) {
      gdsTxt->clear();
      if (reader_) reader_->Cancel();
      hide();
      switch (giGdsHelpRet) {
        case 1: OpenGdsHelpFrm(0); break;
        case 2: OpenGdsHelpFrm(1); break;
        case 3: SelectTrsPrice(); break;
        case 4: OpenCstHelpFrm(); break;
        default: break;
      }
      close();
      return;
    }
  }
  const Currency n = NzCur(input);
  if (n.IsZero()) return;
  fcGdsSerch(n.ToPlainText());
}

void frmGdsHelp::OpenGdsHelpFrm(int wrap) {
  giHelpMode = 1;
  giHelpSubMode = tgdsHelp_ == 1 ? 12 : 2;
  gcHelpTrsKey = gcTcdKey;
  gsHelpStart = wrap == 1 ? "~" + gsGdsHelpText + "~" : gsGdsHelpText;
  OpenHelp(MakeGdsHelpFrm);
}

void frmGdsHelp::SelectTrsPrice() {
  giTrsHelpPrice = 0;
  giHelpMode = 1;
  giHelpSubMode = 2;
  gcHelpPsnKey = {};
  gsHelpStart = gsGdsHelpText;
  OpenHelp(MakeTrsHelpFrm);
  if (giHelpRet == 1) {
    if (GetEnvInt(gsLogID, "TrsHelpPriceAutoSelect_Pos") == 1) {
      const char *tiers[] = {"판매#A", "판매#B", "판매#C", "특판#A", "특판#B", "특판#C"};
      for (int i = 0; i < 6; ++i)
        if (gsHelpTrsPrice == QString::fromUtf8(tiers[i])) giTrsHelpPrice = int16_t(i + 1);
    } else if (GetEnvInt(gsLogID, "TrsHelpPricePrisSelect_Pos") == 1) {
      giTrsHelpPrice = 7;
    }
  }
}

void frmGdsHelp::OpenCstHelpFrm() {
  giHelpMode = 1;
  gsHelpStart = gsGdsHelpText;
  OpenHelp(MakeCstHelpFrm);
}

void frmGdsHelp::KeyBoarCmd_Click() {
  ShowKeyPad();
  if (giKeyPadOk == 1) {
    gdsTxt->setText(gsKeyPadText);
    gdsTxt_Enter();
  } else {
    gdsTxt->clear();
    gdsTxt->setFocus();
  }
}

bool frmGdsHelp::formKey(int vk, int shift, QObject *target) {
  Q_UNUSED(shift);
  switch (vk) {
    case keys::vbKeyF1:
      keyF1();
      return true;
    case keys::vbKeyF1 + 1:
      if (!loading_) vaSpread1->setFocus();
      return true;
    case keys::vbKeyF1 + 2:
      gdsTxt_Enter();
      return true;
    case keys::vbKeyEscape:
      close();
      return true;
    case keys::vbKeyF1 + 7:
      if (target == gdsTxt) {
        ChtTgdsChk->setChecked(!ChtTgdsChk->isChecked());
        return true;
      }
      return false;
    case keys::vbKeyReturn:
      if (target == gdsTxt) {
        gdsTxt_Enter();
        return true;
      }
      return false;
    default:
      return false;
  }
}

bool frmGdsHelp::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::KeyPress) {
    auto *ke = static_cast<QKeyEvent *>(event);
    if (formKey(keys::ToVirtualKey(ke), keys::ToShift(ke->modifiers()), watched)) return true;
  } else if (watched == gdsTxt && event->type() == QEvent::FocusIn) {
    gdsTxt->setStyleSheet("background: #FFFF80;");
  } else if (watched == gdsTxt && event->type() == QEvent::FocusOut) {
    gdsTxt->setStyleSheet("background: #FFFFFF;");
  }
  return QDialog::eventFilter(watched, event);
}
