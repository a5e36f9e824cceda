#pragma once
// The sixteen initial-consonant buttons of the touch lookups.
#include <QVector>
#include <functional>

class QPushButton;
class QWidget;
class QGridLayout;

namespace orv::lookup {

// Buttons cmdGa .. cmdSp for ranges 1..16, laid out in two rows; onRange gets the number.
QVector<QPushButton *> MakeRangeButtons(QWidget *parent, QGridLayout *into,
                                        const std::function<void(int)> &onRange);

}  // namespace orv::lookup
