#include "lookup/frmCust.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

#include "chit/records.h"
#include "core/byte_text.h"
#include "core/globals.h"
#include "lookup/help_globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "lookup/help_forms.h"
#include "lookup/lookup_common.h"
#include "lookup/touch_common.h"
#include "platform/keys.h"
#include "platform/grid.h"
#include "platform/list_grid.h"

using namespace orv;
using namespace orv::lookup;

namespace {
enum Field { kNo, kBar, kName, kEmail, kTel, kHp, kJuso, kKey, kSss1, kSss5 };
const char *kColumns =
    "CcdNo, CcdBarcode, CcdName, CcdEMail, CcdTel, CcdHp, CcdJuso, CcdKey, CcdSss1, CcdSss5";
}  // namespace

PagedQuery CstTouchQuery(const db::Dialect &d, int option, int range, const QString &handedSql,
                         const QVariantList &handedArgs) {
  PagedQuery q;
  q.columns = kColumns;
  if (!handedSql.trimmed().isEmpty()) {
    q.from = "(" + handedSql + ") Z";
    q.args = handedArgs;
    q.where = {};
    // The handed-in values bind before any of ours: keep them in the FROM's place.
    q.where = "1 = 1";
  } else {
    q.from = "CstCode";
    q.where = "1 = 1" + NameRangeSql(d, "CcdName", range, q.args);
  }
  const QString key = "CcdKey";
  switch (option) {
    case 1: q.order = {{d.Fold("CcdBarcode"), true, true}, {key, true}}; break;
    case 2: q.order = {{d.Fold("CcdName"), true}, {key, true}}; break;
    case 4: q.order = {{d.Fold("CcdHp"), true, true}, {key, true}}; break;
    case 5: q.order = {{"CcdNo", true}, {key, true}}; break;
    default: q.order = {{d.Fold("CcdTel"), true, true}, {key, true}}; break;
  }
  return q;
}

ListCell CstTouchCell(const ListFields &f, int col) {
  ListCell c;
  switch (col) {
    case 1: c.text = NzCur(f.value(kNo)).ToPlainText(); break;
    case 2: c.text = CurStr(NzCur(f.value(kSss1)), 1); break;
    case 3: c.text = NzStr(f.value(kBar)); break;
    case 4: c.text = NzStr(f.value(kName)); break;
    case 5: c.text = NzStr(f.value(kTel)); break;
    case 6: c.text = NzStr(f.value(kHp)); break;
    case 7: c.text = NzStr(f.value(kJuso)); break;
    case 8: c.text = NzStr(f.value(kEmail)); break;
    case 9: c.text = NzCur(f.value(kKey)).ToPlainText(); break;
    default: break;
  }
  if ((col == 2 || col == 4) && giSupTrsNo != 0 &&
      NzCur(f.value(kSss1)) == *Currency::FromWhole(giSupTrsNo))
    c.bold = true;
  const int64_t mark = NzCur(f.value(kSss5)).raw() / Currency::kScale;
  if (mark == 1) c.fore = 0xC0C0FF;
  if (mark == 2) c.fore = 0xFFC0C0;
  if (mark == 3) c.fore = 0xFFFFC0;
  return c;
}

frmCust::frmCust(QWidget *parent) : LookupDialog(parent) {
  setObjectName("frmCust");
  setWindowTitle("고객정보조회");
  auto *lay = new QVBoxLayout(this);
  auto *ranges = new QGridLayout;
  RangeCmds = MakeRangeButtons(this, ranges, [this](int n) { SeekCstHelp(n); });
  lay->addLayout(ranges);
  auto *opts = new QHBoxLayout;
  const char *names[] = {"optBarcd", "optName", "optTel", "optMobile", "optJuso"};
  const char *caps[] = {"바코드", "고객명", "전화번호", "핸드폰", "고객번호"};
  for (int i = 0; i < 5; ++i) {
    auto *o = new QRadioButton(QString::fromUtf8(caps[i]), this);
    o->setObjectName(names[i]);
    o->setFocusPolicy(Qt::NoFocus);
    o->setAutoFillBackground(true);
    opts->addWidget(o);
    Opts << o;
    connect(o, &QRadioButton::toggled, this, [this, i](bool on) {
      if (!on) return;
      option_ = i + 1;
      for (int j = 0; j < 5; ++j) SetOnOffColor(Opts[j], j == i ? 1 : 0);
      SetEnvironment(gsLogID, "PosCstFrm", option_);
      SeekCstHelp(0);
    });
  }
  lay->addLayout(opts);
  vaSpread1 = new ListGrid(this);
  vaSpread1->setObjectName("vaSpread1");
  vaSpread1->SetMaxCols(9);
  const char *heads[] = {"번호", "S", "바코드", "고객명", "전화번호", "핸드폰", "주소", "회사명", ""};
  const double widths[] = {7, 3, 14, 12, 14, 14, 30, 14, 8};
  for (int c = 1; c <= 9; ++c) {
    vaSpread1->SetColHeaderText(c, QString::fromUtf8(heads[c - 1]));
    vaSpread1->SetColWidth(c, widths[c - 1]);
  }
  vaSpread1->SetFormatter(CstTouchCell);
  lay->addWidget(vaSpread1, 1);
  CstInfoLbl = new QLabel(this);
  CstInfoLbl->setObjectName("CstInfoLbl");
  CstInfo2Lbl = new QLabel(this);
  CstInfo2Lbl->setObjectName("CstInfo2Lbl");
  lay->addWidget(CstInfoLbl);
  lay->addWidget(CstInfo2Lbl);
  auto *bottom = new QHBoxLayout;
  bottom->addWidget(new QLabel("찾아보기", this));
  txtSerCh = new QLineEdit(this);
  txtSerCh->setObjectName("txtSerCh");
  bottom->addWidget(txtSerCh, 1);
  KeyBoarCmd = new QPushButton("KBD", this);
  KeyBoarCmd->setObjectName("KeyBoarCmd");
  KeyBoarCmd->setAutoDefault(false);
  KeyBoarCmd->setFocusPolicy(Qt::NoFocus);
  bottom->addWidget(KeyBoarCmd);
  for (const char *hint : {"☞ 바로가기 ( 1 ~ 0 )", "Spc", "F12"})
    bottom->addWidget(new QLabel(QString::fromUtf8(hint), this));
  lay->addLayout(bottom);
  resize(900, 640);

  connect(KeyBoarCmd, &QPushButton::clicked, this, [this] {
    ShowKeyPad();
    if (giKeyPadOk == 1) {
      vaSpread1->SetActiveCell(1, 1);
      txtSerCh->setText(gsKeyPadText);
      SearchText();
    } else {
      txtSerCh->clear();
      txtSerCh->setFocus();
    }
  });
  connect(vaSpread1, &ListGrid::GotFocus, this, &frmCust::ShowCstRowInfo);
  connect(vaSpread1, &ListGrid::Click, this, [this](int, int) { ShowCstRowInfo(); });
  connect(vaSpread1, &ListGrid::KeyUp, this, [this](int, int) { ShowCstRowInfo(); });
  connect(vaSpread1, &ListGrid::DblClick, this, [this](int row, int) { TakeCstRow(row); });
  connect(vaSpread1, &ListGrid::KeyDown, this, [this](int &k, int &shift) {
    if (k == keys::vbKeyReturn) {
      k = 0;
      TakeCstRow(vaSpread1->ActiveRow());
    } else if (k == keys::vbKeySpace) {
      k = 0;
      txtSerCh->setFocus();
    } else if (k >= keys::vbKey0 && k <= keys::vbKey0 + 9 && shift == 0) {
      const int n = k == keys::vbKey0 ? 10 : k - keys::vbKey0;
      k = 0;
      GoToCstRow(n);
    } else if (option_ == 2 && shift == 0 && k >= keys::vbKeyA && k <= keys::vbKeyA + 25) {
      static const char letters[] = "QWERTASDFGZXCV";
      static const char *syll[] = {"바", "자", "다", "가", "사", "마", "나", "아", "라", "하", "카", "타", "차", "파"};
      const char *p = strchr(letters, char('A' + (k - keys::vbKeyA)));
      if (p) {
        k = 0;
        SeekCstNameInGrid(QString::fromUtf8(syll[p - letters]));
      }
    } else if (k == keys::vbKeyPageDown || k == keys::vbKeyDown || k == keys::vbKeyEnd) {
      loadRest();
    }
  });
  installEventFilter(this);
  for (QWidget *w : findChildren<QWidget *>()) w->installEventFilter(this);
  vaSpread1->view()->installEventFilter(this);

  // Opening.
  vaSpread1->SetColHidden(9, true);
  vaSpread1->SetRowHeight(20);
  const int stored = GetEnvInt(gsLogID, "PosCstFrm");
  const int option = stored >= 1 && stored <= 5 ? stored : 3;
  Opts[option - 1]->setChecked(true);
  giHelpRet = 0;
  gcHelpNo = {};
  gsCstHelpNo.clear();
}

frmCust::~frmCust() { orv::DisconnectChildSignals(*this); }

void frmCust::SeekCstHelp(int range) {
  if (reader_) reader_->Cancel();
  vaSpread1->Clear();
  db::Connection *conn = CstConnection();
  if (!conn) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  PagedQuery q = CstTouchQuery(conn->dialect(), option_, range, gsCstFindSql, gvCstFindArgs);
  const bool capped = giCstTsMode == 2;
  if (capped) q.pageSize = 100;
  reader_ = std::make_unique<PagedReader>(
      *conn, q, [this](QVector<ListFields> rows) { vaSpread1->AppendRows(std::move(rows)); },
      this);
  connect(reader_.get(), &PagedReader::Failed, this,
          [](long n, const QString &d) { ShowDbError(db::DbError(n, d)); });
  try {
    reader_->Start();
    if (capped) reader_->Cancel();  // the point server shows its first 100 rows only
  } catch (const db::DbError &e) {
    ShowDbError(e);
  }
  QApplication::restoreOverrideCursor();
}

void frmCust::loadRest() {
  if (!reader_ || reader_->Done()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    reader_->LoadAll();
  } catch (const db::DbError &e) {
    ShowDbError(e);
  }
  QApplication::restoreOverrideCursor();
}

void frmCust::TakeCstRow(int row) {
  // An empty list is no pick.
  if (row < 1 || row > vaSpread1->MaxRows()) return;
  giHelpRet = 1;
  gcHelpNo = NzCur(vaSpread1->Fields(row).value(kNo));
  gsCstHelpNo = NzStr(vaSpread1->Fields(row).value(kBar));
  accept();
}

void frmCust::GoToCstRow(int n) {
  if (n >= 1 && vaSpread1->MaxRows() >= n) vaSpread1->SetActiveCell(1, n);
  vaSpread1->setFocus();
}

void frmCust::SeekCstNameInGrid(const QString &syllable) {
  // The list is in the database's folded order: compare in that order too.
  loadRest();
  for (int r = 1; r <= vaSpread1->MaxRows(); ++r) {
    const QString cut = LeftByte(vaSpread1->CellValue(r, 4), LenH(syllable));
    if (FoldCompare(cut, syllable) >= 0) {
      vaSpread1->SetActiveCell(1, r);
      return;
    }
  }
}

void frmCust::SearchText() {
  const int cols[] = {3, 4, 5, 6, 7};
  const int col = cols[qBound(1, option_, 5) - 1];
  const bool phone = col == 5 || col == 6;
  QString needle = txtSerCh->text();
  if (phone) needle.remove('-');
  loadRest();
  for (int r = 1; r <= vaSpread1->MaxRows(); ++r) {
    QString cell = vaSpread1->CellValue(r, col);
    if (phone) cell.remove('-');
    if (cell.contains(needle, Qt::CaseInsensitive)) {
      vaSpread1->SetActiveCell(col, r);
      vaSpread1->setFocus();
      return;
    }
  }
}

void frmCust::ShowCstRowInfo() {
  CstInfoLbl->clear();
  CstInfo2Lbl->clear();
  const int r = vaSpread1->ActiveRow();
  if (r < 1) return;
  auto v = [&](int c) { return vaSpread1->CellValue(r, c); };
  CstInfoLbl->setText(QStringList{v(4), v(1), v(3), v(5), v(6)}.join(", "));
  CstInfo2Lbl->setText(QStringList{v(4), v(8), v(7)}.join(", "));
}

void frmCust::onActivated() {
  if (vaSpread1->MaxRows() == 1 && (!reader_ || reader_->Done())) TakeCstRow(1);
}

bool frmCust::eventFilter(QObject *watched, QEvent *event) {
  if (watched == txtSerCh && event->type() == QEvent::FocusIn) {
    txtSerCh->setStyleSheet("background: #FFFF80;");
    QTimer::singleShot(0, txtSerCh, [this] { txtSerCh->selectAll(); });
  }
  if (watched == txtSerCh && event->type() == QEvent::FocusOut) {
    txtSerCh->setStyleSheet("background: #FFFFFF;");
    if (txtSerCh->text() == "/" || txtSerCh->text() == "`") txtSerCh->clear();
  }
  if (event->type() == QEvent::KeyPress) {
    auto *ke = static_cast<QKeyEvent *>(event);
    const int vk = keys::ToVirtualKey(ke);
    const int shift = keys::ToShift(ke->modifiers());
    if (vk == keys::vbKeyEscape) {
      reject();
      return true;
    }
    if (vk >= keys::vbKeyF1 && vk <= keys::vbKeyF1 + 4) {
      Opts[vk - keys::vbKeyF1]->setChecked(true);
      return true;
    }
    if (watched == txtSerCh) {
      if (vk == keys::vbKeyReturn) {
        SearchText();
        return true;
      }
      if (vk == keys::vbKeyF1 + 11 || vk == keys::vbKeyDown) {
        vaSpread1->setFocus();
        return true;
      }
      if (vk == keys::vbKeyF1 + 9 && shift == 0 && giSetKey == 1) {
        txtSerCh->insert("-");
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}
