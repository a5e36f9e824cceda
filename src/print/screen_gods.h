#pragma once
// The printed list of the goods standing on the sale screen: its layout and tax split as
// plain functions over what the screen shows, so they are tested without the screen.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <optional>

#include "core/currency.h"
#include "print/receipt_layout.h"

namespace orv::print {

struct ScreenGodsLine {
  int row = 0;  // the grid row: it numbers the line
  QString barcode, name;
  Currency su, danga, gum;
  bool taxFree = false, noPoints = false;
};

struct ScreenGodsSheet {
  std::optional<RcptShop> shop;  // none: no header
  QVector<ScreenGodsLine> lines;
  QString habText, suText;  // the total and quantity labels as shown
  QStringList msgs;         // the footer options, empty ones skipped
  int posNo = 0;
  Currency pcdNo;
  QString pcdName;
  QDate today;
  QString idNo;
  int printBarcode = 0, printModel = 0;
};

struct TaxSplit {
  Currency supply, tax;
};
// Supply value from (total − tax-free) / 1.1, halves to even; the tax is the rest.
TaxSplit ScreenTaxSplit(Currency total, Currency taxFree);
// yymmdd hhmmss and the last digit of the POS number: 13 characters.
QString ScreenGodsIdNo(const QDateTime &now, int posNo);
// One copy's job appended to the print buffer, feed and cut included.
void AddScreenGodsJob(const ScreenGodsSheet &sheet);

}  // namespace orv::print
