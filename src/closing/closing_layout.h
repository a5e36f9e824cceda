#pragma once
// The closing report's lines, made from what was read: the head data, the closing figures,
// the sections' rows and the drawer count. Pure: the four reports differ only in the
// options their kind selects. Printing is the caller's.
#include <QString>
#include <array>
#include <vector>

#include "closing/closing_figures.h"
#include "closing/coin_counts.h"
#include "core/currency.h"

namespace orv::closing {

enum class ReportKind { Standard, ByTender, TemStandard, TemByTender };

enum class SectionKind {
  Supplier, Bmn1, Bmn2, Bmn3, Returns, Card, CardDetail, Credit, Collections, Coupon
};

struct SectionRow {
  QString code;  // card sections: the four-character company code
  QString name;  // supplier, department, goods, partner or company name
  orv::Currency su, amount, count;
};

struct ReportSection {
  SectionKind kind;
  std::vector<SectionRow> rows;
};

struct ReportLine {
  bool wide = false;  // printed in double width
  QString text;
  friend bool operator==(const ReportLine &, const ReportLine &) = default;
};

struct ReportInput {
  ReportKind kind = ReportKind::Standard;
  int16_t posNo = 0;
  orv::Currency pcdNo;
  QString pcdName;
  QString workDate;  // yyyymmdd
  QString nowTime;   // hh:mm:ss
  ClosingFigures figures;
  std::vector<ReportSection> sections;  // in print order; empty ones print nothing
  int16_t van = 0;                      // card network, for the BC card total
  bool coinTable = false;
  std::array<orv::Currency, kCoinKinds> coinCounts{};
};

std::vector<ReportLine> LayoutClosingReport(const ReportInput &in);

// The BC card company's code under a card network.
QString BcCardCode(int van);

// x right-aligned in n characters; a number wider than that drops its separators, and
// when still wider prints whole, so no digit is ever lost.
QString RNum(int n, const QString &x);

}  // namespace orv::closing
