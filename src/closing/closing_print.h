#pragma once
// The closing screen's print key: the report selection, then one report by the mode
// (open or a loaded saved closing) and the layout setting PosSalePrn8. PosSalePrnOK is
// back at "0" on every way out.
#include "closing/closing_figures.h"

class QWidget;

namespace orv::closing {
void RunClosingPrint(QWidget *parent, const ClosingFigures &f, const ClosingContext &ctx);
}
