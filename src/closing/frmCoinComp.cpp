#include "closing/frmCoinComp.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text_format.h"
#include "core/values.h"
#include "platform/form_keys.h"
#include "platform/keys.h"
#include "platform/settings_store.h"
#include "platform/widget_colors.h"

namespace orv::closing {

namespace {
const char *const kCaptions[kCoinKinds] = {"10만원 : ", "5만원 : ", "1만원 : ",
                                           "5,000원 : ", "1.000원 : ", "500원 : ",
                                           "100원 : ",  "50원 : ",   "10원 : "};
}  // namespace

frmCoinComp::frmCoinComp(QWidget *parent) : QDialog(parent) {
  setObjectName("frmCoinComp");
  setWindowTitle(QStringLiteral("잔돈계산기!!"));
  auto *root = new QVBoxLayout(this);
  auto *g = new QGridLayout;
  int row = 0;
  auto total = [&](const char *name, const QString &text) {
    auto *l = new QLabel(text, this);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
  };
  for (int i = 0; i < kCoinKinds; ++i) {
    const QString face = QString::number(kCoinFaces[size_t(i)]);
    auto *box = new QLineEdit(this);
    box->setObjectName("txt" + face);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setMaxLength(4);
    colors::SetBack(box, 0xC0FFFF);
    txt[size_t(i)] = box;
    lbl[size_t(i)] = total(("lbl" + face.toLatin1()).constData(), {});
    g->addWidget(new QLabel(QString::fromUtf8(kCaptions[i]), this), row, 0);
    g->addWidget(box, row, 1);
    g->addWidget(lbl[size_t(i)], row, 2);
    ++row;
    if (i == kCoinGroup1 - 1) {
      lblTotal1 = total("lblTotal1", {});
      g->addWidget(new QLabel(QStringLiteral("소      계"), this), row, 0);
      g->addWidget(lblTotal1, row++, 2);
    }
  }
  lblTotal2 = total("lblTotal2", {});
  g->addWidget(new QLabel(QStringLiteral("소      계"), this), row, 0);
  g->addWidget(lblTotal2, row++, 2);
  lblTotal = total("lblTotal", QStringLiteral("0"));
  g->addWidget(lblTotal, row++, 2);
  root->addLayout(g);
  auto *bottom = new QHBoxLayout;
  lblCancel = new QPushButton(this);
  lblCancel->setObjectName("lblCancel");
  lblCancel->setFlat(true);
  lblDelete = new QPushButton(QStringLiteral("삭제:F4"), this);
  lblDelete->setObjectName("lblDelete");
  lblDelete->setFlat(true);
  for (QPushButton *b : {lblCancel, lblDelete}) b->setFocusPolicy(Qt::NoFocus);
  bottom->addWidget(lblCancel);
  bottom->addStretch(1);
  bottom->addWidget(lblDelete);
  root->addLayout(bottom);
  setFixedSize(340, 420);

  // Tab order 5,000 … 10, then 50,000, 10,000, 100,000.
  const int order[kCoinKinds] = {3, 4, 5, 6, 7, 8, 1, 2, 0};
  for (int i = 0; i + 1 < kCoinKinds; ++i)
    setTabOrder(txt[size_t(order[i])], txt[size_t(order[i + 1])]);
  for (int i = 0; i < kCoinKinds; ++i) {
    connect(txt[size_t(i)], &QLineEdit::textChanged, this, [this, i] { Count_Change(i); });
  }
  connect(lblCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(lblDelete, &QPushButton::clicked, this, &frmCoinComp::lblDelete_Click);
  formkeys::InstallKeyPreview(this, {[this](int &k, int) {
                                       const int at = int(std::find(txt.begin(), txt.end(),
                                                                    focusWidget()) -
                                                          txt.begin());
                                       if (k == keys::vbKeyEscape) {
                                         k = 0;
                                         reject();
                                       } else if (k == keys::vbKeyF1 + 3) {
                                         k = 0;
                                         lblDelete_Click();
                                       } else if (at < kCoinKinds &&
                                                  (k == keys::vbKeyReturn || k == keys::vbKeyTab ||
                                                   k == keys::vbKeyDown)) {
                                         k = 0;
                                         txt[size_t((at + 1) % kCoinKinds)]->setFocus();
                                       } else if (at < kCoinKinds && k == keys::vbKeyUp) {
                                         k = 0;
                                         txt[size_t((at + kCoinKinds - 1) % kCoinKinds)]->setFocus();
                                       }
                                     },
                                     {},
                                     {}});
  LoadCoinCounts();
  txt[3]->setFocus();
}

void frmCoinComp::LoadCoinCounts() {
  const auto counts = StoredCoinCounts();
  for (int i = 0; i < kCoinKinds; ++i) txt[size_t(i)]->setText(CurStr(counts[size_t(i)], 1));
}

void frmCoinComp::SaveCoinCounts() {
  QList<QPair<QString, QString>> values;
  for (int i = 0; i < kCoinKinds; ++i) values.append({CoinKey(i), txt[size_t(i)]->text()});
  settings_store::SaveSettings(values);
}

void frmCoinComp::Count_Change(int index) {
  QLineEdit *box = txt[size_t(index)];
  // The nearest whole count (halves to even), empty for zero.
  const std::optional<Currency> v = Currency::FromText(box->text());
  const int64_t n = v ? v->RoundToInt() : 0;
  const QString shown = FmtLng2(int32_t(n), 1);
  if (shown != box->text()) {
    box->setText(shown);  // runs this handler again, which then finds nothing to change
    return;
  }
  CalcCoinTotal();
}

void frmCoinComp::CalcCoinTotal() {
  std::array<Currency, kCoinKinds> counts{};
  for (int i = 0; i < kCoinKinds; ++i) counts[size_t(i)] = NzCur(txt[size_t(i)]->text());
  const CoinTotals t = CountCoins(counts);
  for (int i = 0; i < kCoinKinds; ++i) lbl[size_t(i)]->setText(FmtAmt(t.amounts[size_t(i)], 1));
  lblTotal1->setText(FmtAmt(t.total1, 1));
  lblTotal2->setText(FmtAmt(t.total2, 1));
  lblTotal->setText(FmtAmt(t.total, 1));
}

void frmCoinComp::lblDelete_Click() {
  for (QLineEdit *box : txt) box->clear();
}

void frmCoinComp::done(int result) {
  SaveCoinCounts();
  QDialog::done(result);
}

}  // namespace orv::closing
