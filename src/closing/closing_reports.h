#pragma once
// The closing reports the closing screen hands over to: the section choice and the four
// reports (open chits or a loaded saved closing, standard layout or by tender). Each reads
// every section first and prints in one job at the end; a failure shows its box titled
// "마감출력" and sends nothing.
#include <QString>
#include <QStringList>
#include <array>

#include "closing/closing_figures.h"
#include "closing/closing_layout.h"

class QWidget;

namespace orv::closing {

// "출력조건 선택": its print button writes PosSalePrnOK = 1; Esc closes it without.
void ShowfrmSelPrint(QWidget *parent);

// They read the figures and the window as the screen shows them; the reprints take the
// saved closing from TemDate and TemChtNo and print nothing without one.
void PrintTerminate(const ClosingFigures &f, const ClosingContext &ctx);
void PrintTerminateByTender(const ClosingFigures &f, const ClosingContext &ctx);
void PrintTemTerminate(const ClosingFigures &f, const ClosingContext &ctx);
void PrintTemTerminateByTender(const ClosingFigures &f, const ClosingContext &ctx);

// The report's input as read from the POS database and the settings (no printing).
// Throws DbError when a statement fails.
ReportInput ReadClosingReport(ReportKind kind, const ClosingFigures &f, const ClosingContext &ctx);

// The drawer counts the denomination table prints.
std::array<orv::Currency, kCoinKinds> ReadCoinCounts();

// The reports run so far, by name, oldest first; taking them empties the list.
QStringList TakeReportCalls();

}  // namespace orv::closing
