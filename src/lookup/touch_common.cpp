#include "lookup/touch_common.h"

#include <QGridLayout>
#include <QPushButton>

namespace orv::lookup {

QVector<QPushButton *> MakeRangeButtons(QWidget *parent, QGridLayout *into,
                                        const std::function<void(int)> &onRange) {
  static const char *names[] = {"cmdGa", "cmdNa", "cmdDa", "cmdLa", "cmdMa", "cmdBa",
                                "cmdSa", "cmdAh", "cmdJa", "cmdCh", "cmdKa", "cmdTa",
                                "cmdPa", "cmdHa", "cmdAl", "cmdSp"};
  static const char *captions[] = {"가", "나", "다", "라", "마", "바", "사", "아",
                                   "자", "차", "카", "타", "파", "하", "A", "#"};
  QVector<QPushButton *> out;
  for (int i = 0; i < 16; ++i) {
    auto *b = new QPushButton(QString::fromUtf8(captions[i]), parent);
    b->setObjectName(names[i]);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    into->addWidget(b, i / 8, i % 8);
    QObject::connect(b, &QPushButton::clicked, parent, [onRange, i] { onRange(i + 1); });
    out << b;
  }
  return out;
}

}  // namespace orv::lookup
