#include "closing/closing_sections.h"

#include <functional>
#include <vector>

#include "core/values.h"
#include "schema/month_tables.h"

namespace orv::closing {

namespace {

struct OrderCol {
  const char *expr;
  bool text;
};

using InnerFn = std::function<QString(const QString &suffix, QVariantList &args)>;

// The months' statements joined by UNION ALL inside the outer grouping, then an order of
// the group columns (texts folded, nulls first) so both engines list rows alike.
SectionSql Compose(const Dialect &d, const ClosingContext &ctx, const QString &outerSelect,
                   const InnerFn &inner, const QString &outerGroup,
                   const std::vector<OrderCol> &order) {
  SectionSql out;
  QString unionText;
  for (const QString &month : ctx.Months()) {
    const QString suffix = orv::schema::MonthSuffix(month.toInt());
    if (suffix.isEmpty()) continue;
    if (!unionText.isEmpty()) unionText += " UNION ALL ";
    unionText += inner(suffix, out.args);
  }
  if (unionText.isEmpty()) return {};
  QStringList keys;
  for (const OrderCol &c : order) {
    const QString e = QString::fromLatin1(c.expr);
    keys << "CASE WHEN " + e + " IS NULL THEN 0 ELSE 1 END" << (c.text ? d.Fold(e) : e);
  }
  out.text = outerSelect + " From      (" + unionText + ") A " + outerGroup + " Order by  " +
             keys.join(", ");
  return out;
}

QString TemLines(const QString &alias, const SavedClosingKey &tem, orv::Currency psnKey,
                 QVariantList &args) {
  args << tem.TemDate << tem.TemChtNo << BindCur(psnKey);
  return " And       " + alias + ".TmdDate=?" + " And       " + alias + ".TmdChtNo=?" +
         " And       " + alias + ".TmdPsnKey=?";
}

// The goods-line statements: supplier, the three department levels, returns and coupons.
struct GoodsSection {
  const char *innerSelect;
  const char *tablePiece;  // after the PanChitT suffix, without TemDetail
  const char *ownLines;
  const char *tail;
  const char *innerGroup;
  const char *outerSelect;
  const char *outerGroup;
  std::vector<OrderCol> order;
};

SectionSql Goods(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey,
                 const GoodsSection &s, const SavedClosingKey *tem) {
  auto inner = [&](const QString &sfx, QVariantList &args) {
    QString t = QString::fromUtf8(s.innerSelect) + " From      GdsCode A, PanGodsT" + sfx +
                " B, PanChitT" + sfx + s.tablePiece + (tem ? ", TemDetail E" : "") +
                " Where     B.PcgDate=C.PctDate" + " And       B.PcgChtNo=C.PctChtNo";
    if (tem) {
      t += QStringLiteral(" And       B.PcgDate=E.TmdPctDate") +
           " And       B.PcgChtNo=E.TmdPctChtNo" + TemLines("E", *tem, psnKey, args);
    }
    t += QStringLiteral(" And       B.PcgGdsKey=A.GcdKey") + s.ownLines +
         " And       C.PctPsnKey=?";
    args << BindCur(psnKey);
    if (!tem) t += " And       C.PctSss3=0";
    return t + s.tail + s.innerGroup;
  };
  return Compose(d, ctx, s.outerSelect, inner, s.outerGroup, s.order);
}

const GoodsSection kSaleByTrs{" Select    D.TcdNo, D.TcdName, Sum(B.PcgGum) As PcgGum ",
                              " C, TrsCode D",
                              " And       A.GcdMeipKey=D.TcdKey",
                              "",
                              " Group By  D.TcdNo, D.TcdName",
                              " Select    A.TcdNo, A.TcdName, Sum(A.PcgGum) As PcgGum ",
                              " Group by  A.TcdNo, A.TcdName",
                              {{"A.TcdNo", false}, {"A.TcdName", true}}};

GoodsSection Bmn(const char *ownLines) {
  return {" Select    D.EcdNo, D.EcdName, Sum(B.PcgGum) As PcgGum ",
          " C, ExtCode D",
          ownLines,
          "",
          " Group By  D.EcdNo, D.EcdName",
          " Select    A.EcdNo, A.EcdName, Sum(A.PcgGum) As PcgGum ",
          " Group by  A.EcdNo, A.EcdName",
          {{"A.EcdNo", false}, {"A.EcdName", true}}};
}
const GoodsSection kBmn1 = Bmn(" And       A.GcdBmn1Key=D.EcdKey And       D.EcdIO=101");
const GoodsSection kBmn2 = Bmn(" And       A.GcdBmn2Key=D.EcdKey And       D.EcdIO=102");
const GoodsSection kBmn3 = Bmn(" And       A.GcdBmn3Key=D.EcdKey And       D.EcdIO=103");

GoodsSection Lines(const char *ownLine) {
  return {" Select    B.PcgGdsKey, A.GcdName, Sum(B.PcgSu) As PcgSu, Sum(B.PcgGum) As PcgGum ",
          " C",
          ownLine,
          " And       B.PcgGum<0",
          " Group By  B.PcgGdsKey, A.GcdName",
          " Select    A.PcgGdsKey, A.GcdName, Sum(A.PcgSu) As PcgSu, Sum(A.PcgGum) As PcgGum ",
          " Group by  A.PcgGdsKey, A.GcdName",
          {{"A.PcgGdsKey", false}, {"A.GcdName", true}}};
}
// Goods filed without the coupon mark (null) are ordinary goods, as the closing screen counts them.
const GoodsSection kReturns = Lines(" And       Coalesce(A.GcdSel1,0)<>9 ");
const GoodsSection kCoupons = Lines(" And       A.GcdSel1=9 ");

// Credit sales and collections by partner: every chit stays, a partner without TrsCode
// under a null name.
SectionSql Partner(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey,
                   const char *column, bool collections, const SavedClosingKey *tem) {
  const QString col = QString::fromLatin1(column);
  auto inner = [&](const QString &sfx, QVariantList &args) {
    QString t = " Select    B.PctTrsKey, A.TcdName, Sum(B." + col + ") As " + col + " " +
                " From      PanChitT" + sfx + " B";
    if (tem) t += " Join TemDetail C On B.PctDate=C.TmdPctDate And B.PctChtNo=C.TmdPctChtNo";
    t += " Left Join TrsCode A On B.PctTrsKey=A.TcdKey Where     B.PctPsnKey=?";
    args << BindCur(psnKey);
    if (tem) {
      t += TemLines("C", *tem, psnKey, args);
      t += collections ? " And       B.PctSss2=9" : " And       B.PctOiSang<>0";
    } else {
      t += collections ? " And       B.PctSss2=9 And       B.PctSss3=0"
                       : " And       B.PctSss3=0 And       B.PctOiSang<>0";
    }
    return t + " Group By  B.PctTrsKey, A.TcdName";
  };
  return Compose(d, ctx,
                 " Select    A.PctTrsKey, A.TcdName, Sum(A." + col + ") As " + col + " ", inner,
                 " Group by  A.PctTrsKey, A.TcdName",
                 {{"A.PctTrsKey", false}, {"A.TcdName", true}});
}

SectionSql Card(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey, bool byName,
                const SavedClosingKey *tem) {
  auto inner = [&](const QString &sfx, QVariantList &args) {
    QString t;
    if (!tem) {
      t = byName ? " Select    PctCdComNo, PctCdComName, Count(PctChtNo) As CardSu, Sum(PctCard) As "
                   "PctCard "
                 : " Select    PctCdComNo, Count(PctChtNo) As CardSu, Sum(PctCard) As PctCard ";
      t += " From      PanChitT" + sfx + " Where     PctPsnKey=?" + " And       PctSss3=0" +
           " And       PctCard<>0";
      args << BindCur(psnKey);
      return t + (byName ? " Group By  PctCdComNo, PctCdComName" : " Group By  PctCdComNo");
    }
    t = byName ? " Select    A.PctCdComNo, A.PctCdComName, Count(A.PctChtNo) As CardSu, "
                 "Sum(A.PctCard) As PctCard "
               : " Select    A.PctCdComNo, Count(A.PctChtNo) As CardSu, Sum(A.PctCard) As PctCard ";
    t += " From      PanChitT" + sfx + (byName ? " A,TemDetail B" : " A, TemDetail B") +
         " Where     PctPsnKey=?" + " And       A.PctDate=B.TmdPctDate" +
         " And       A.PctChtNo=B.TmdPctChtNo";
    args << BindCur(psnKey);
    t += TemLines("B", *tem, psnKey, args) + " And       PctCard<>0";
    return t + (byName ? " Group By  A.PctCdComNo, A.PctCdComName" : " Group By  PctCdComNo");
  };
  const QString amount = tem ? "Sum(A.PctCard)" : "Sum(PctCard)";
  if (byName)
    return Compose(d, ctx,
                   " Select    A.PctCdComNo, A.PctCdComName, Sum(A.CardSu) As CardSu, " + amount +
                       " As PctCard ",
                   inner, " Group by  A.PctCdComNo, A.PctCdComName",
                   {{"A.PctCdComNo", true}, {"A.PctCdComName", true}});
  return Compose(d, ctx,
                 " Select    A.PctCdComNo, Sum(A.CardSu) As CardSu, " + amount + " As PctCard ",
                 inner, " Group by  A.PctCdComNo", {{"A.PctCdComNo", true}});
}

}  // namespace

#define ORV_OPEN(name, temName, body)                                                                \
  SectionSql name(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey) {      \
    const SavedClosingKey *tem = nullptr;                                                   \
    return body;                                                                            \
  }                                                                                         \
  SectionSql temName(const Dialect &d, const ClosingContext &ctx, orv::Currency psnKey,   \
                       const SavedClosingKey &saved) {                                      \
    const SavedClosingKey *tem = &saved;                                                    \
    return body;                                                                            \
  }

// clang-format off
ORV_OPEN(SqlSaleByTrs, SqlTemSaleByTrs, Goods(d, ctx, psnKey, kSaleByTrs, tem))
ORV_OPEN(SqlSaleByBmn1, SqlTemSaleByBmn1, Goods(d, ctx, psnKey, kBmn1, tem))
ORV_OPEN(SqlSaleByBmn2, SqlTemSaleByBmn2, Goods(d, ctx, psnKey, kBmn2, tem))
ORV_OPEN(SqlSaleByBmn3, SqlTemSaleByBmn3, Goods(d, ctx, psnKey, kBmn3, tem))
ORV_OPEN(SqlReturnGoods, SqlTemReturnGoods, Goods(d, ctx, psnKey, kReturns, tem))
ORV_OPEN(SqlCouponGoods, SqlTemCouponGoods, Goods(d, ctx, psnKey, kCoupons, tem))
ORV_OPEN(SqlCardByCom, SqlTemCardByCom, Card(d, ctx, psnKey, false, tem))
ORV_OPEN(SqlCardByComName, SqlTemCardByComName, Card(d, ctx, psnKey, true, tem))
ORV_OPEN(SqlOiSangByTrs, SqlTemOiSangByTrs, Partner(d, ctx, psnKey, "PctOiSang", false, tem))
ORV_OPEN(SqlRGumByTrs, SqlTemRGumByTrs, Partner(d, ctx, psnKey, "PctRGum", true, tem))
// clang-format on
#undef ORV_OPEN

}  // namespace orv::closing
