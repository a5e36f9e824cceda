#pragma once
// Bundle promotions: whether a rule applies now, and the amounts of its lines. Pure: the
// caller reads the rule and the member lines, and writes every amount only after all of
// them are known, so a failed read changes no line.
#include <QString>
#include <array>
#include <span>
#include <vector>

#include "core/currency.h"

namespace orv::sale {

// The customer condition (a, b) of a special price or promotion: everybody with (0, 0);
// a customer on the sale of grade at least b with a = 1 and b 0 to 4; nobody otherwise.
bool CustomerCondition(int a, int b, Currency customerKey, int customerDegree);

struct BundleWindow {
  QString st, ed;  // hhmmss, trimmed
  int g1 = 0, g2 = 0;
};

struct BundleRule {
  Currency su;    // pieces per bundle
  Currency mech;  // price of one bundle
  int saleSel = 0;
  QString stDate, edDate;  // yyyymmdd, trimmed
  int yoil = 0;            // 0 every day, 1 Monday .. 7 Sunday
  int g1 = 0, g2 = 0;
  std::array<BundleWindow, 3> windows;
};

struct BundleContext {
  int halSel = 0;    // the sale's discount switch
  QString workDate;  // yyyymmdd
  int weekday = 1;   // of the work date, Monday 1
  QString clock;     // hhmmss
  Currency customerKey;
  int customerDegree = 0;
};

bool BundleApplies(const BundleRule &rule, const BundleContext &ctx);

// One grid line whose goods belong to the bundle, as the cells read.
struct BundleLine {
  int row = 0;
  Currency qty;
  Currency price;
};

struct BundleAmount {
  int row = 0;
  Currency amount;  // whole won
  friend bool operator==(const BundleAmount &, const BundleAmount &) = default;
};

// The new amounts of the lines: sale lines and return lines priced apart, each below one
// bundle back to quantity x price. Only whole quantities and prices count. Lines left
// unchanged (a list over the limits) are not in the result.
std::vector<BundleAmount> PriceBundle(const BundleRule &rule, std::span<const BundleLine> lines);

}  // namespace orv::sale
