#include "goods/frmGdsNew.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/globals.h"
#include "core/helpers.h"
#include "core/text_format.h"
#include "core/values.h"
#include "goods/goods_form.h"
#include "goods/XgsViewFrm.h"
#include "goods/goods_rules.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/keys.h"

using namespace orv;
using colors::Rgb;

namespace orv::goods {

void InsertBarCode(db::Connection &conn, const QString &code, int kind, Currency gdsKey) {
  const QString c = TrimBlanks(code);
  if (c.isEmpty() || kind < 0 || kind > 3 || gdsKey.IsZero()) return;
  db::Statement st = conn.Prepare(QStringLiteral("Insert into BarCode (BarBarCode, BarGubun, BarGdsKey) Values (?, ?, ?)"));
  st.Bind(0, c);
  st.Bind(1, kind);
  st.Bind(2, BindCur(gdsKey));
  st.Execute();
}

void InsertGdsName(db::Connection &conn, const QString &name, const QString &kyg, Currency meipKey, Currency bmn1,
                   Currency bmn2, Currency bmn3, Currency gdsKey) {
  const QString n = TrimBlanks(name);
  if (n.isEmpty() || gdsKey.IsZero()) return;
  db::Statement st = conn.Prepare(QStringLiteral(
      "Insert into GdsName (GnaGdsName, GnaMeipKey, GnaBmn1Key, GnaBmn2Key, GnaBmn3Key, GnaGdsKey) "
      "Values (?, ?, ?, ?, ?, ?)"));
  st.Bind(0, TrimBlanks(n + ' ' + TrimBlanks(kyg)));
  st.Bind(1, BindCur(meipKey));
  st.Bind(2, BindCur(bmn1));
  st.Bind(3, BindCur(bmn2));
  st.Bind(4, BindCur(bmn3));
  st.Bind(5, BindCur(gdsKey));
  st.Execute();
}

int32_t NextGcdNo(db::Connection &conn, int class1, int class2, int32_t start) {
  if (class1 == 0) class1 = 99;
  if (class2 == 0) class2 = 99;
  const qint64 base = qint64(class1 % 1000) * 10000000 + qint64(class2 % 1000) * 10000;
  db::Statement st =
      conn.Prepare(QStringLiteral("Select GcdNo From GdsCode Where GcdNo Between ? And ? Order by GcdNo"));
  st.Bind(0, base + start % 10000);
  st.Bind(1, base + 9999);
  const db::Recordset rs = st.Query();
  QVector<int32_t> taken;
  taken.reserve(rs.RecordCount());
  for (int r = 0; r < rs.RecordCount(); ++r) taken << int32_t(NzCur(rs.Value(r, 0)).RoundToInt() % 10000);
  return FirstFreeSequence(start, taken);
}

}  // namespace orv::goods

namespace {

constexpr long kOff = Rgb(224, 224, 224);
constexpr long kIn = Rgb(255, 255, 192);

int Bytes(const QString &text) { return int(codepage::Encode(text).size()); }

}  // namespace

frmGdsNew::frmGdsNew(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmGdsNew"));
  setWindowTitle(QStringLiteral("신규상품등록"));
  resize(397, 496);  // 5955 × 7440 twips

  txtGcdBarCode = goods::ValueBox("txtGcdBarCode", this, kOff, false);
  txtGcdNo1 = goods::ValueBox("txtGcdNo1", this, kOff, true);
  txtGcdNo2 = goods::ValueBox("txtGcdNo2", this, kOff, true);
  txtGcdNo3 = goods::ValueBox("txtGcdNo3", this, kOff, true);
  txtGcdNo1->setText(QStringLiteral("99"));
  txtGcdNo2->setText(QStringLiteral("99"));
  txtGcdNo3->setText(QStringLiteral("1"));
  txtGcdName = goods::ValueBox("txtGcdName", this, kIn, false, false);
  txtGcdName->setText(QStringLiteral("$"));
  txtGcdKyg = goods::ValueBox("txtGcdKyg", this, kIn, false, false);
  txtGcdBoxSu = goods::ValueBox("txtGcdBoxSu", this, kIn, true, false);
  txtGcdTax = goods::ValueBox("txtGcdTax", this, kIn, true, false);
  txtGcdMeip = goods::ValueBox("txtGcdMeip", this, kIn, true, false);
  txtGcdDanga = goods::ValueBox("txtGcdDanga", this, kIn, true, false);
  for (QLineEdit *b : {txtGcdBoxSu, txtGcdMeip, txtGcdDanga}) b->setMaxLength(10);
  txtGcdTax->setMaxLength(1);
  ViewPrisCmd = new QPushButton(QStringLiteral("가격"), this);
  ViewPrisCmd->setObjectName(QStringLiteral("ViewPrisCmd"));
  ViewNameCmd = new QPushButton(QStringLiteral("이름"), this);
  ViewNameCmd->setObjectName(QStringLiteral("ViewNameCmd"));

  auto *grid = new QGridLayout;
  auto label = [this](const char *name, const QString &text) {
    auto *l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    return l;
  };
  grid->addWidget(label("Label1", QStringLiteral("바 코 드:")), 0, 0);
  grid->addWidget(txtGcdBarCode, 0, 1, 1, 5);
  grid->addWidget(label("Label2", QStringLiteral("상품코드:")), 1, 0);
  grid->addWidget(txtGcdNo1, 1, 1);
  grid->addWidget(txtGcdNo2, 1, 2);
  grid->addWidget(txtGcdNo3, 1, 3);
  grid->addWidget(ViewPrisCmd, 1, 4);
  grid->addWidget(ViewNameCmd, 1, 5);
  const std::pair<const char *, QString> rows[] = {
      {"Label3", QStringLiteral("상 품 명:")}, {"Label4", QStringLiteral("규    격:")},
      {"Label5", QStringLiteral("박스수량:")}, {"Label6", QStringLiteral("과세구분:")},
      {"Label8", QStringLiteral("매입단가:")}, {"Label9", QStringLiteral("판매금액:")}};
  QLineEdit *boxes[] = {txtGcdName, txtGcdKyg, txtGcdBoxSu, txtGcdTax, txtGcdMeip, txtGcdDanga};
  for (int i = 0; i < 6; ++i) {
    grid->addWidget(label(rows[i].first, rows[i].second), i + 2, 0);
    grid->addWidget(boxes[i], i + 2, 1, 1, i == 3 ? 1 : 5);
  }
  grid->addWidget(label("Label7", QStringLiteral("[0-과세 : 1-면세]")), 5, 2, 1, 4);

  cmdSave = goods::LegendButton(QStringLiteral("cmdSave"), QStringLiteral("F1:저장"), this);
  cmdExit = goods::LegendButton(QStringLiteral("cmdExit"), QStringLiteral("ESC:취소"), this);
  auto *legend = new QHBoxLayout;
  legend->addStretch();
  legend->addWidget(cmdSave);
  legend->addWidget(cmdExit);
  auto *lay = new QVBoxLayout(this);
  lay->addWidget(goods::TitleBanner(QStringLiteral("신규상품등록"), this));
  lay->addLayout(grid);
  lay->addStretch();
  lay->addLayout(legend);

  setTabOrder(txtGcdName, txtGcdKyg);
  setTabOrder(txtGcdKyg, txtGcdBoxSu);
  setTabOrder(txtGcdBoxSu, txtGcdTax);
  setTabOrder(txtGcdTax, txtGcdMeip);
  setTabOrder(txtGcdMeip, txtGcdDanga);
  setTabOrder(txtGcdDanga, ViewPrisCmd);
  setTabOrder(ViewPrisCmd, ViewNameCmd);
  for (QLineEdit *b : boxes) b->installEventFilter(this);
  for (QLineEdit *b : {txtGcdBoxSu, txtGcdMeip, txtGcdDanga})
    connect(b, &QLineEdit::textChanged, this, [this, b] { AmountFilter(b); });
  connect(txtGcdTax, &QLineEdit::textChanged, this, [this](const QString &t) {
    if (!t.isEmpty() && t[0] != '0' && t[0] != '1') txtGcdTax->clear();
  });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
  connect(ViewPrisCmd, &QPushButton::clicked, this, [this] { ViewXgs(1); });
  connect(ViewNameCmd, &QPushButton::clicked, this, [this] { ViewXgs(2); });

  // F1 saves as the legend says; Esc closes without saving.
  formkeys::InstallKeyPreview(this, {[this](int &vk, int) {
                                       if (vk == keys::vbKeyEscape) {
                                         vk = 0;
                                         reject();
                                       } else if (vk == keys::vbKeyF1) {
                                         vk = 0;
                                         cmdSave_Click();
                                       }
                                     },
                                     {},
                                     {}});
  txtGcdName->setFocus();
  txtGcdName->selectAll();
}

void frmGdsNew::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (activated_) return;
  activated_ = 1;
  // The alert sound once the form shows, as the offline switch plays it.
  QTimer::singleShot(0, this, [] {
    const QString wav = datafolder::Path(QStringLiteral("eMedal.wav"));
    if (QFile::exists(wav)) PlayWav(wav);
  });
}

void frmGdsNew::ViewXgs(int16_t mode) {
  giXgsViewMode = mode;
  gsXgsViewKey = TrimBlanks(txtGcdBarCode->text());
  gcXgsViewMeip = ValCurDec(txtGcdMeip->text());
  gcXgsViewDanga = ValCur(txtGcdDanga->text());
  if (!gsXgsViewKey.isEmpty()) {
    {
      XgsViewFrm view(this);
      dialogs::ShowModal(view);
    }
    // A price comes as whole won (halves to even) before the amount filter sees it; a price
    // of 0 leaves its box as it was.
    auto take = [](QLineEdit *box, Currency price) {
      if (price <= Currency()) return;
      box->selectAll();
      box->setText(QString::number(price.RoundToInt()));
    };
    if (giHelpRet == 1) {
      take(txtGcdMeip, gcXgsViewMeip);
      take(txtGcdDanga, gcXgsViewDanga);
    } else if (giHelpRet == 2 && !gsXgsViewName.isEmpty()) {
      txtGcdName->setText(TrimBlanks(gsXgsViewName));
      txtGcdKyg->setText(TrimBlanks(gsXgsViewKyg));
    }
  }
  txtGcdName->setFocus();
}

void frmGdsNew::AmountFilter(QLineEdit *box) {
  if (box->text().isEmpty()) return;
  const QString shown = goods::AmountFilter(box->text());
  if (shown == box->text()) return;
  const QSignalBlocker block(box);
  box->setText(shown);
  box->setCursorPosition(int(shown.size()));
}

bool frmGdsNew::CheckWidths() {
  struct Width {
    QLineEdit *box;
    QString label, text;
    int width;
  } widths[] = {
      {txtGcdBarCode, QStringLiteral("바 코 드:"), TrimBlanks(txtGcdBarCode->text()), 13},
      {txtGcdName, QStringLiteral("상 품 명:"), txtGcdName->text(), 50},
      {txtGcdKyg, QStringLiteral("규    격:"), txtGcdKyg->text(), 20},
  };
  for (const Width &w : widths) {
    if (Bytes(w.text) <= w.width) continue;
    dialogs::MsgBox(QStringLiteral("%1 은(는) %2바이트까지 입력할 수 있습니다").arg(w.label).arg(w.width),
                    dialogs::kExclamation, windowTitle());
    if (w.box->isEnabled()) w.box->setFocus();
    return false;
  }
  return true;
}

bool frmGdsNew::cmdSave_Click() {
  if (giOnLine != 1) {
    dialogs::MsgBox(QStringLiteral("오프라인중에는 신규상품 등록이 되지 않습니다."), dialogs::kInformation,
                    QStringLiteral("오프라인 정보"));
    return false;
  }
  if (!CheckWidths()) return false;
  auto amount = [](QLineEdit *b) { return NzCur(QString(b->text()).remove(',')); };
  try {
    db::Transaction tx(goDbMain);
    // The key: today's yymmdd and the clock's hhmm, counted up past the keys taken.
    const QDateTime now = clock::Now();
    int counter = now.time().hour() * 100 + now.time().minute();
    db::Statement probe = goDbMain.Prepare(QStringLiteral("Select GcdKey From GdsCode Where GcdKey = ?"));
    Currency key;
    for (;;) {
      key = goods::GoodsKey(now.date().year(), now.date().month(), now.date().day(), counter);
      probe.Bind(0, BindCur(key));
      if (probe.Query().RecordCount() == 0) break;
      ++counter;
    }
    txtGcdNo1->setText(QStringLiteral("99"));
    txtGcdNo2->setText(QStringLiteral("99"));
    const int32_t seq = goods::NextGcdNo(goDbMain, int(NzCur(txtGcdNo1->text()).RoundToInt()),
                                         int(NzCur(txtGcdNo2->text()).RoundToInt()),
                                         int32_t(NzCur(txtGcdNo3->text()).RoundToInt()));
    txtGcdNo3->setText(QString::number(seq));
    const Currency gcdNo = NzCur(QStringLiteral("099099") + QString::number(seq).rightJustified(4, '0'));
    const Currency meip = amount(txtGcdMeip);
    const bool taxFree = amount(txtGcdTax) == Currency::Won(1);
    db::Statement ins = goDbMain.Prepare(QStringLiteral(
        "Insert Into GdsCode (GcdKey, GcdNo, GcdBarCode, GcdName, GcdKyg, GcdMeip, GcdDanga, GcdMech, GcdBoxSu, "
        "GcdTax) Values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    ins.Bind(0, BindCur(key));
    ins.Bind(1, BindCur(gcdNo));
    ins.Bind(2, txtGcdBarCode->text());
    ins.Bind(3, txtGcdName->text());
    ins.Bind(4, txtGcdKyg->text());
    ins.Bind(5, BindCur(meip));
    ins.Bind(6, BindCur(goods::VatPrice(meip, taxFree)));
    ins.Bind(7, BindCur(amount(txtGcdDanga)));
    ins.Bind(8, BindCur(amount(txtGcdBoxSu)));
    ins.Bind(9, int(amount(txtGcdTax).RoundToInt()));
    ins.Execute();
    goods::InsertBarCode(goDbMain, txtGcdBarCode->text(), 0, key);
    goods::InsertGdsName(goDbMain, txtGcdName->text(), txtGcdKyg->text(), {}, {}, {}, {}, key);
    tx.Commit();
  } catch (const std::exception &e) {
    goods::ShowError(this, e);
    return false;
  }
  accept();
  return true;
}

bool frmGdsNew::eventFilter(QObject *watched, QEvent *event) {
  auto *box = qobject_cast<QLineEdit *>(watched);
  if (!box) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::FocusIn) {
    QTimer::singleShot(0, box, [box] { box->selectAll(); });
  } else if (event->type() == QEvent::KeyPress) {
    const int vk = keys::ToVirtualKey(static_cast<QKeyEvent *>(event));
    QLineEdit *chain[] = {txtGcdName, txtGcdKyg, txtGcdBoxSu, txtGcdTax, txtGcdMeip, txtGcdDanga};
    const int i = int(std::find(std::begin(chain), std::end(chain), box) - std::begin(chain));
    if (vk == keys::vbKeyReturn || vk == keys::vbKeyDown) {
      if (i == 5)
        cmdSave_Click();
      else
        chain[i + 1]->setFocus();
      return true;
    }
    if (vk == keys::vbKeyUp) {
      if (i > 0) chain[i - 1]->setFocus();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ShowfrmGdsNew(const QString &code, QWidget *parent) {
  frmGdsNew form(parent);
  form.txtGcdBarCode->setText(code);
  dialogs::ShowModal(form);
}
