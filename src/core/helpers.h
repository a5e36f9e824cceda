#pragma once
// Small shared operations of the screens and data routines: recordsets, grid cells,
// locking a window's inputs, toggle colours, the main window's size, sounds, closing
// windows by title, resident-number check and the VAT in an amount.
#include <QSize>
#include <QString>
#include <cstdint>

#include "core/currency.h"
#include "platform/db.h"

class QWidget;
namespace orv {
class Grid;
}

// Opens sql on conn into rs (replacing what it held); the number of rows, 0 when none.
// Database errors reach the caller.
int OpenRs(orv::db::Connection &conn, orv::db::Recordset &rs, const QString &sql);
// Closes rs if open and leaves it empty.
void CloseRs(orv::db::Recordset &rs);

// One cell, 1-based; the grid's current cell moves there. The text comes back trimmed.
QString GetCellText(orv::Grid *grid, int row, int col);
void SetCellText(orv::Grid *grid, int row, int col, const QString &text);
// Empties every cell, unlocks it and makes it white; the cursor goes to row 1, column 1.
// The number of rows and columns stays.
void ClearGrid(orv::Grid *grid);

// Switch on or off every text box, button and grid of the window (option buttons are
// only switched on), except controls whose dynamic property "Tag" reads 1.
void EnableControls(QWidget *window);
void DisableControls(QWidget *window);

// Toggle buttons: on (state 1) &HDDC9DE, otherwise &HD5DFCF, as the background; controls
// that are not push buttons also get white text when on and black when off.
void SetOnOffColor(QWidget *control, int16_t state);

// The main window that SizeMainForm fits to its screen (the sale screen sets itself).
void SetMainFormWindow(QWidget *window);
QWidget *MainFormWindow();
// Flag 0: on a screen wider than 1024 or higher than 768 pixels the main window becomes a
// normal window of 15480 × 11200 twips, otherwise it is maximised. Other flags: nothing.
void SizeMainForm(int16_t flag);
// The same on a given window and screen size in pixels.
void SizeMainFormFor(QWidget *window, QSize screenPixels);
inline constexpr int kTwipsPerPixel = 15;

// Plays a wave file and returns when it has finished; silent without an audio output or
// when the file cannot be played.
void PlayWav(const QString &path);

// Closes this program's top-level windows whose title contains text (case-sensitive).
void CloseWindowByTitle(const QString &text);

// Resident registration number: trimmed in place, a dash after the sixth digit removed
// in place; true when 13 characters remain and the last is the check digit.
bool CheckJuminNo(QString &number);

// The 10 % VAT contained in a tax-inclusive amount, in whole won; halved (rounded down)
// when half is 1. A negative amount gives the negative VAT of its size.
orv::Currency CalcVat(orv::Currency amount, int16_t half);
