#include "goods/XgsViewFrm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/connections.h"
#include "core/globals.h"
#include "core/options.h"
#include "core/state.h"
#include "core/text_format.h"
#include "core/values.h"
#include "goods/goods_form.h"
#include "platform/colors.h"
#include "platform/form_keys.h"
#include "platform/keys.h"
#include "platform/list_grid.h"

using namespace orv;
using colors::Rgb;

int16_t giXgsViewMode = 0;
QString gsXgsViewKey;
Currency gcXgsViewMeip;
Currency gcXgsViewDanga;
QString gsXgsViewName;
QString gsXgsViewKyg;
QString gsSupTrsName;

namespace {

void ResetXgsView() {
  giXgsViewMode = 0;
  gsXgsViewKey.clear();
  gcXgsViewMeip = {};
  gcXgsViewDanga = {};
  gsXgsViewName.clear();
  gsXgsViewKyg.clear();
  gsSupTrsName.clear();
}
const bool kResetRegistered = state::RegisterReset(&ResetXgsView);

int g_timeoutMs = 60000;

constexpr long kOwn = Rgb(255, 0, 255);
constexpr long kBelow = Rgb(255, 128, 0);
// Four question marks and four dashes (built, so that no compiler reads a trigraph).
const QString kNoShop = QString(4, QChar('?')) + QStringLiteral("----");

// The price grid's row: shop text, purchase, sale, the two rates, date, second purchase,
// sort key, then the colour marks.
enum PriceField { PShop, PMeip, PDanga, PRate1, PRate2, PDate, PMeip2, PSort, POwn, PMeipLow, PDangaLow };
// The name grid's row.
enum NameField { NShop, NName, NKyg, NBox, NTaxFree, NDate, NSort, NOwn };

QVariant Money(Currency c) { return QVariant::fromValue<qlonglong>(c.raw()); }
Currency MoneyOf(const QVariant &v) { return Currency::FromRaw(v.toLongLong()); }

ListCell PriceCell(const ListFields &f, int col) {
  ListCell c;
  c.fore = f[POwn].toBool() ? kOwn : -1;
  switch (col) {
    case 1:
      c.text = f[PShop].toString();
      break;
    case 2:
      c.text = FmtAmt2(MoneyOf(f[PMeip]), 0);
      if (f[PMeipLow].toBool()) c.fore = kBelow;
      break;
    case 3:
      c.text = FmtAmt(MoneyOf(f[PDanga]), 0);
      if (f[PDangaLow].toBool()) c.fore = kBelow;
      break;
    case 4:
      c.text = FmtAmt2(MoneyOf(f[PRate1]), 0);
      break;
    case 5:
      c.text = FmtAmt2(MoneyOf(f[PRate2]), 0);
      break;
    case 6:
      c.text = f[PDate].toString();
      break;
    case 7:
      c.text = FmtAmt2(MoneyOf(f[PMeip2]), 1);
      break;
    case 8:
      c.text = kNoShop;
      break;
    case 9:
      c.text = f[PSort].toString();
      break;
  }
  return c;
}

ListCell NameCell(const ListFields &f, int col) {
  ListCell c;
  c.fore = f[NOwn].toBool() ? kOwn : -1;
  switch (col) {
    case 1:
      c.text = f[NShop].toString();
      break;
    case 2:
      c.text = f[NName].toString();
      break;
    case 3:
      c.text = f[NKyg].toString();
      break;
    case 4:
      c.text = FmtAmt(MoneyOf(f[NBox]), 0);
      break;
    case 5:
      c.text = f[NTaxFree].toInt() != 0 ? QStringLiteral("면세") : QString();
      break;
    case 6:
      c.text = f[NDate].toString();
      break;
    case 7:
      c.text = kNoShop;
      break;
    case 8:
      c.text = f[NSort].toString();
      break;
  }
  return c;
}

ListCell PlainCell(const ListFields &f, int col) { return ListCell{f.value(col - 1).toString()}; }

ListGrid *MakeGrid(const char *name, const QStringList &heads, ListGrid::Formatter format, QWidget *parent) {
  auto *g = new ListGrid(parent);
  g->setObjectName(QString::fromLatin1(name));
  g->SetMaxCols(int(heads.size()));
  for (int c = 1; c <= heads.size(); ++c) g->SetColHeaderText(c, heads[c - 1]);
  g->SetFormatter(std::move(format));
  return g;
}

QPushButton *Button(const char *name, const QString &text, QWidget *parent) {
  auto *b = new QPushButton(text, parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

}  // namespace

void XgsViewFrm::SetTimeoutMs(int ms) { g_timeoutMs = ms; }

XgsViewFrm::XgsViewFrm(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("XgsViewFrm"));
  setWindowTitle(QStringLiteral("상품가격,이름 찾기.."));
  resize(720, 460);

  SSTab1 = new QTabWidget(this);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  Frame1 = new QWidget;
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Frame2 = new QWidget;
  Frame2->setObjectName(QStringLiteral("Frame2"));
  SSTab1->addTab(Frame1, QStringLiteral("상품가격(F1,F2,F3)"));
  SSTab1->addTab(Frame2, QStringLiteral("상품이름(F1)"));

  vaSpread1 = MakeGrid("vaSpread1",
                       {QStringLiteral("상호"), QStringLiteral("매입가"), QStringLiteral("판매가"),
                        QStringLiteral("매익율"), QStringLiteral("이익율"), QStringLiteral("날짜"),
                        QStringLiteral("매입가2"), QStringLiteral("상호"), QStringLiteral("S")},
                       PriceCell, Frame1);
  vaSpread2 = MakeGrid("vaSpread2",
                       {QStringLiteral("업체"), QStringLiteral("상품명"), QStringLiteral("규격"),
                        QStringLiteral("박스"), QStringLiteral("과세"), QStringLiteral("날짜"),
                        QStringLiteral("상호"), QStringLiteral("S")},
                       NameCell, Frame2);
  vaSpread3 = MakeGrid("vaSpread3",
                       {QStringLiteral("거래처No"), QStringLiteral("전체공개"), QStringLiteral("그룹공개"),
                        QStringLiteral("그룹No"), QStringLiteral("본인그룹"), QStringLiteral("본인상품")},
                       PlainCell, this);
  vaSpread3->hide();
  const double priceWidths[] = {14, 13, 10, 9, 9, 12, 13, 11, 3};
  for (int c = 1; c <= 9; ++c) vaSpread1->SetColWidth(c, priceWidths[c - 1]);
  const double nameWidths[] = {14, 30, 12, 7, 7, 12, 11, 3};
  for (int c = 1; c <= 8; ++c) vaSpread2->SetColWidth(c, nameWidths[c - 1]);

  Command1 = Button("Command1", QStringLiteral("매입"), Frame1);
  Command2 = Button("Command2", QStringLiteral("매출"), Frame1);
  Command3 = Button("Command3", QStringLiteral("전체"), Frame1);
  Command4 = Button("Command4", QStringLiteral("취소"), Frame1);
  Command5 = Button("Command5", QStringLiteral("품명"), Frame2);
  Command6 = Button("Command6", QStringLiteral("취소"), Frame2);

  auto frame = [](QWidget *f, ListGrid *grid, std::initializer_list<QPushButton *> buttons) {
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton *b : buttons) row->addWidget(b);
    auto *lay = new QVBoxLayout(f);
    lay->addWidget(grid);
    lay->addLayout(row);
  };
  frame(Frame1, vaSpread1, {Command1, Command2, Command3, Command4});
  frame(Frame2, vaSpread2, {Command5, Command6});

  lblStatus = new QLabel(this);
  lblStatus->setObjectName(QStringLiteral("lblStatus"));
  auto *lay = new QVBoxLayout(this);
  lay->addWidget(goods::TitleBanner(windowTitle(), this));
  lay->addWidget(SSTab1);
  lay->addWidget(lblStatus);

  connect(Command1, &QPushButton::clicked, this, [this] { PickXgsPrice(1); });
  connect(Command2, &QPushButton::clicked, this, [this] { PickXgsPrice(2); });
  connect(Command3, &QPushButton::clicked, this, [this] { PickXgsPrice(3); });
  connect(Command4, &QPushButton::clicked, this, &XgsViewFrm::CloseXgsView);
  connect(Command5, &QPushButton::clicked, this, &XgsViewFrm::PickXgsName);
  connect(Command6, &QPushButton::clicked, this, &XgsViewFrm::CloseXgsView);
  connect(vaSpread1, &ListGrid::KeyDown, this, [this](int &vk, int &) {
    if (vk >= keys::vbKeyF1 && vk <= keys::vbKeyF1 + 2) {
      const int kind = vk - keys::vbKeyF1 + 1;
      vk = 0;
      PickXgsPrice(kind);
    }
  });
  connect(vaSpread2, &ListGrid::KeyDown, this, [this](int &vk, int &) {
    if (vk == keys::vbKeyF1) {
      vk = 0;
      PickXgsName();
    }
  });
  connect(vaSpread1, &ListGrid::DblClick, this, [this](int, int) { PickXgsPrice(0); });
  connect(vaSpread2, &ListGrid::DblClick, this, [this](int, int) { PickXgsName(); });
  formkeys::InstallKeyPreview(this, {[this](int &vk, int) {
                                       if (vk != keys::vbKeyEscape) return;
                                       vk = 0;
                                       CloseXgsView();
                                     },
                                     {},
                                     {}});

  // Form_Load: what the lookup asks with, and the opener's prices to compare with.
  giHelpRet = 0;
  gsSupTrsName = goods::OwnShopCode(GetRegChar(QStringLiteral("SupTrsName")));
  key_ = TrimBlanks(gsXgsViewKey);
  meip_ = gcXgsViewMeip;
  danga_ = gcXgsViewDanga;
  SSTab1->setCurrentIndex(giXgsViewMode == 2 ? 1 : 0);
  selt_ = GetRegInt(QStringLiteral("XgsViewSelt"));
}

void XgsViewFrm::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (loaded_) return;
  loaded_ = true;
  // The dialog shows first, with empty grids, and asks the server afterwards.
  lblStatus->setText(QStringLiteral("조회 중…"));
  QTimer::singleShot(0, this, &XgsViewFrm::LoadXgsView);
}

void XgsViewFrm::LoadXgsView() {
  loaded_ = true;
  SetCaptionColour(false);
  if (web::WebServerBase().isEmpty()) {
    lblStatus->setText(QStringLiteral("웹 서버가 설정되지 않았습니다"));
    return;
  }
  lblStatus->setText(QStringLiteral("조회 중…"));
  // A malformed line asks again, six times in all; a failed request does not.
  for (int pass = 0; pass < 6; ++pass) {
    if (!FetchXgsPrice() || abort_.Aborted() || !miXgsBadLine) break;
  }
  if (abort_.Aborted()) return;
  SetCaptionColour(miXgsBadLine == 1);
}

bool XgsViewFrm::FetchXgsPrice() {
  miXgsBadLine = 0;
  const QString url = goods::XgsLookupUrl(web::WebServerBase(), selt_, key_, gsSupTrsName);
  const http::Reply reply = http::Get(url, g_timeoutMs, {}, &abort_);
  for (ListGrid *g : {vaSpread1, vaSpread2, vaSpread3}) g->Clear();
  if (abort_.Aborted()) return false;
  if (!reply.Success()) {
    lblStatus->setText(reply.ok ? QStringLiteral("웹 서버가 오류로 답했습니다 (HTTP %1)").arg(reply.status)
                                : QStringLiteral("웹 서버에 묻지 못했습니다: %1").arg(reply.error));
    return false;
  }
  const goods::XgsReply parsed = goods::ParseXgsReply(reply.Text(), selt_ == 0 ? 14 : 10, gsSupTrsName);
  for (ListGrid *g : {vaSpread1, vaSpread2, vaSpread3}) g->SetReDraw(false);
  for (const goods::XgsRow &row : parsed.rows) FillXgsGrid(row);
  miXgsBadLine = parsed.badLine ? 1 : 0;
  if (!miXgsBadLine) {
    // The shop's own row first, then the others, latest date first.
    vaSpread1->SortRows({{9, true}, {6, false}});
    vaSpread2->SortRows({{8, true}, {6, false}});
  }
  for (ListGrid *g : {vaSpread1, vaSpread2, vaSpread3}) {
    g->SetReDraw(true);
    if (g->MaxRows() > 0) g->SetActiveCell(1, 1);
  }
  lblStatus->setText(miXgsBadLine ? QStringLiteral("%1건 (읽을 수 없는 줄이 있습니다)").arg(vaSpread1->MaxRows())
                                  : QStringLiteral("%1건").arg(vaSpread1->MaxRows()));
  return true;
}

void XgsViewFrm::FillXgsGrid(const goods::XgsRow &r) {
  QString shop = kNoShop;
  if (selt_ == 0 && !r.own && !r.publicName.isEmpty()) shop = r.publicName;
  const QString sort = r.own ? QStringLiteral("0") : QStringLiteral("2");
  const ListFields price{shop,
                         Money(r.meip),
                         Money(r.danga),
                         Money(goods::MarginPercent(r.danga, r.meip, r.danga)),
                         Money(goods::MarginPercent(r.danga, r.meip, r.meip)),
                         r.date,
                         Money(r.meip2),
                         sort,
                         r.own,
                         r.meip < meip_,
                         r.danga < danga_};
  const ListFields name{shop, r.name, r.kyg, Money(r.boxSu), r.taxFree, r.date, sort, r.own};
  const ListFields hidden{r.shopCode,
                          r.publicName,
                          r.groupName,
                          r.groupNo,
                          r.ownGroupNo,
                          r.own ? 1 : 0};
  vaSpread1->AppendRows({price});
  vaSpread2->AppendRows({name});
  vaSpread3->AppendRows({hidden});
}

void XgsViewFrm::SetCaptionColour(bool bad) {
  const QColor c = bad ? QColor(255, 0, 0) : QColor(0, 0, 0);
  for (int i = 0; i < SSTab1->count(); ++i) SSTab1->tabBar()->setTabTextColor(i, c);
}

void XgsViewFrm::PickXgsPrice(int kind) {
  gcXgsViewMeip = {};
  gcXgsViewDanga = {};
  const int row = vaSpread1->ActiveRow();
  if (row < 1) return;
  const ListFields &f = vaSpread1->Fields(row);
  if (kind == 1 || kind == 3) gcXgsViewMeip = MoneyOf(f[PMeip]);
  if (kind == 2 || kind == 3) gcXgsViewDanga = MoneyOf(f[PDanga]);
  giHelpRet = 1;
  accept();
}

void XgsViewFrm::PickXgsName() {
  gsXgsViewName.clear();
  gsXgsViewKyg.clear();
  const int row = vaSpread2->ActiveRow();
  if (row < 1) return;
  gsXgsViewName = TrimBlanks(vaSpread2->Fields(row)[NName].toString());
  gsXgsViewKyg = TrimBlanks(vaSpread2->Fields(row)[NKyg].toString());
  giHelpRet = 2;
  accept();
}

void XgsViewFrm::CloseXgsView() {
  giHelpRet = 0;
  reject();
}

void XgsViewFrm::done(int r) {
  // However the dialog closes, a request still waiting ends with it.
  abort_.Abort();
  QDialog::done(r);
}
