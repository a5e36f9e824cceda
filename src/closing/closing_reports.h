#pragma once
// The closing reports the closing screen hands over to: the report selection and the four
// printers. These are stand-ins: the selection shows what it will be and closes with Esc;
// the printers record the call and print nothing.
#include <QString>
#include <QStringList>

#include "closing/closing_figures.h"

class QWidget;

namespace orv::closing {

// "출력조건 선택": its print button writes PosSalePrnOK = 1; Esc closes it without.
void ShowfrmSelPrint(QWidget *parent);

// The open chits' closing, standard layout and by tender, and the same for the saved
// closing loaded on the screen (TemDate, TemChtNo). They read the figures and the window
// as the screen shows them.
void PrintTerminate(const ClosingFigures &f, const ClosingContext &ctx);
void PrintTerminateByTender(const ClosingFigures &f, const ClosingContext &ctx);
void PrintTemTerminate(const ClosingFigures &f, const ClosingContext &ctx);
void PrintTemTerminateByTender(const ClosingFigures &f, const ClosingContext &ctx);

// The printers called so far, by name, oldest first; taking them empties the list.
QStringList TakeReportCalls();

}  // namespace orv::closing
