#pragma once
// The statements of the closing report's sections, over the month window of a closing:
// the open chits of a cashier, or the chits a saved closing lists (the Tem twins). Each
// month's statement is joined by UNION ALL and grouped once more outside; values are
// bound ('?'), never written into the text. Without a flagged month there is no
// statement: the text is empty and the section is left out.
#include <QString>
#include <QVariantList>
#include <cstdint>

#include "closing/closing_figures.h"
#include "core/currency.h"
#include "platform/db.h"

namespace orv::closing {

struct SectionSql {
  QString text;
  QVariantList args;
  bool IsEmpty() const { return text.isEmpty(); }
};

// A saved closing: its date (yyyymmdd) and number.
struct SavedClosingKey {
  QString TemDate;
  int32_t TemChtNo = 0;
};

using Dialect = orv::db::Dialect;

SectionSql SqlSaleByTrs(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey);
SectionSql SqlSaleByBmn1(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey);
SectionSql SqlSaleByBmn2(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey);
SectionSql SqlSaleByBmn3(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey);
SectionSql SqlReturnGoods(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey);
SectionSql SqlCardByCom(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey);
SectionSql SqlCardByComName(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey);
SectionSql SqlOiSangByTrs(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey);
SectionSql SqlRGumByTrs(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey);
SectionSql SqlCouponGoods(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey);

SectionSql SqlTemSaleByTrs(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey,
                           const SavedClosingKey &tem);
SectionSql SqlTemSaleByBmn1(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey,
                            const SavedClosingKey &tem);
SectionSql SqlTemSaleByBmn2(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey,
                            const SavedClosingKey &tem);
SectionSql SqlTemSaleByBmn3(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey,
                            const SavedClosingKey &tem);
SectionSql SqlTemReturnGoods(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey,
                             const SavedClosingKey &tem);
SectionSql SqlTemCardByCom(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey,
                           const SavedClosingKey &tem);
SectionSql SqlTemCardByComName(const Dialect &d, const ClosingContext &ctx,
                               orv::Currency psnKey, const SavedClosingKey &tem);
SectionSql SqlTemOiSangByTrs(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey,
                             const SavedClosingKey &tem);
SectionSql SqlTemRGumByTrs(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey,
                           const SavedClosingKey &tem);
SectionSql SqlTemCouponGoods(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey,
                             const SavedClosingKey &tem);

}  // namespace orv::closing
