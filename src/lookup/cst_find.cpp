#include "lookup/cst_find.h"

#include "core/text_format.h"
#include "core/values.h"
#include "lookup/lookup_common.h"

namespace orv::lookup {

namespace {

bool hasLetter(const QString &s) {
  for (const QChar c : s)
    if (c.isLetter()) return true;
  return false;
}

}  // namespace

std::optional<CstFindSql> BuildCstFindSql(const QString &typed, const db::Dialect &dialect,
                                          const QString &table, CstFindVariant variant) {
  QString text = TrimBlanks(typed);
  if (text.isEmpty()) return std::nullopt;
  const bool sale = variant == CstFindVariant::Sale;
  const QString sel = QStringLiteral(
                          " Select  CcdNo, CcdBarcode, CcdName, CcdEMail, CcdTel, CcdHP, CcdJuso,"
                          " CcdKey, CcdSss1, CcdSss5  From    ") + table + QLatin1Char(' ');
  CstFindSql out;
  const auto like = [&](const QString &column, const QString &pattern) {
    out.values << pattern;
    return hasLetter(pattern) ? dialect.CiLike(column, QStringLiteral("?"))
                              : column + QStringLiteral(" LIKE ? ESCAPE '\\'");
  };
  const auto number = [&](const QString &t) {
    out.values << ValAbsLng(t);
    return QStringLiteral("CcdNo=? ");
  };
  const QString tel = QStringLiteral("Replace(CcdTel,'-','')");
  const QString hp = QStringLiteral("Replace(CcdHp,'-','')");
  const QString notSss5 =
      sale ? QStringLiteral("   And   ((CcdSss5 Is Null) Or (CcdSss5=0)) ") : QString();
  // The text after a one-character prefix; nullopt when nothing is left.
  const auto rest = [](const QString &t) -> std::optional<QString> {
    const QString x = t.mid(1);
    if (TrimBlanks(x).isEmpty()) return std::nullopt;
    return x;
  };
  const auto anywhere = [&](const QString &t) {
    out.values.clear();
    const QString any = QLatin1Char('%') + LikeEscape(t) + QLatin1Char('%');
    QString w = QStringLiteral(" Where   ( ") + like(QStringLiteral("CcdBarcode"), any);
    w += QStringLiteral("  Or  ") + number(t);
    w += QStringLiteral("  Or  ") + like(tel, any) + QStringLiteral("  Or  ") + like(hp, any);
    w += QStringLiteral("  Or  ") + like(QStringLiteral("Replace(CcdName,' ','')"), any);
    w += QStringLiteral("  Or  ") + like(QStringLiteral("Replace(CcdEmail,' ','')"), any);
    out.sql = sel + w + QStringLiteral(" ) ");
  };
  // Phone or mobile holding (contains) or ending in the text, beside the number or not.
  const auto phones = [&](const QString &t, bool contains, bool withNumber) {
    out.values.clear();
    const QString pat = QLatin1Char('%') + LikeEscape(t) + (contains ? QStringLiteral("%") : QString());
    QString w = QStringLiteral(" Where   ( ");
    if (withNumber) w += number(t) + QStringLiteral("  Or  ");
    w += like(tel, pat) + QStringLiteral("  Or  ") + like(hp, pat);
    out.sql = sel + w + QStringLiteral(" ) ") + notSss5;
  };

  if (variant == CstFindVariant::CstPadd) {
    const QChar p = text.front();
    if (p != QLatin1Char('/') && p != QLatin1Char('+') && p != QLatin1Char('-')) return std::nullopt;
    const auto x = rest(text);
    if (!x) return std::nullopt;
    const QString t = TrimBlanks(*x);
    if (p == QLatin1Char('/'))
      anywhere(t);
    else
      phones(t, false, true);
    return out;
  }

  if (sale) {
    out.sql = sel + QStringLiteral(" Where   (") + number(text) + QStringLiteral(") ");
  } else {
    out.sql = sel + QStringLiteral(" Where   (") + number(text) +
              QStringLiteral("      Or  CcdBarcode=? ) ");
    out.values << text;
  }
  if (text.startsWith(QLatin1Char('/'))) {
    const auto x = rest(text);
    if (!x) return std::nullopt;
    text = *x;
    anywhere(text);
  }
  if (text.startsWith(QLatin1Char('+'))) {
    const auto x = rest(text);
    if (!x) return std::nullopt;
    text = *x;
    phones(text, true, true);
  }
  if (text.startsWith(QLatin1Char('-'))) {
    const auto x = rest(text);
    if (!x) return std::nullopt;
    text = *x;
    phones(text, false, !sale);
  }
  return out;
}

}  // namespace orv::lookup
