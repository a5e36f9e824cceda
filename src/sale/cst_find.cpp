#include "sale/cst_find.h"

#include "core/text_format.h"
#include "core/values.h"

namespace orv::sale {

QString LikeEscape(const QString &text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    // The dialect's case-blind LIKE escapes with a backslash.
    if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
      out += QLatin1Char('\\');
    out += c;
  }
  return out;
}

std::optional<CstFindSql> BuildCstFindSql(const QString &typed, const db::Dialect &dialect,
                                          const QString &table) {
  QString text = TrimBlanks(typed);
  if (text.isEmpty()) return std::nullopt;
  const QString sel = QStringLiteral(
                          " Select  CcdNo, CcdBarcode, CcdName, CcdEMail, CcdTel, CcdHP, CcdJuso,"
                          " CcdKey, CcdSss1, CcdSss5  From    ") + table + QLatin1Char(' ');
  const auto like = [&](const QString &column) {
    return dialect.CiLike(column, QStringLiteral("?"));
  };
  const QString notSss5 = QStringLiteral("   And   ((CcdSss5 Is Null) Or (CcdSss5=0)) ");
  // "x" after a one-character prefix; nullopt when nothing is left.
  const auto rest = [](const QString &t) -> std::optional<QString> {
    const QString x = t.mid(1);
    if (TrimBlanks(x).isEmpty()) return std::nullopt;
    return x;
  };

  CstFindSql out;
  out.sql = sel + QStringLiteral(" Where   (CcdNo=? ) ");
  out.values = {ValAbsLng(text)};
  if (text.startsWith(QLatin1Char('/'))) {
    const auto x = rest(text);
    if (!x) return std::nullopt;
    text = *x;
    const QString any = QLatin1Char('%') + LikeEscape(text) + QLatin1Char('%');
    out.sql = sel + QStringLiteral(" Where   ( ") + like(QStringLiteral("CcdBarcode")) +
              QStringLiteral("  Or  CcdNo=? ") +
              QStringLiteral("  Or  ") + like(QStringLiteral("Replace(CcdTel,'-','')")) +
              QStringLiteral("  Or  ") + like(QStringLiteral("Replace(CcdHp,'-','')")) +
              QStringLiteral("  Or  ") + like(QStringLiteral("Replace(CcdName,' ','')")) +
              QStringLiteral("  Or  ") + like(QStringLiteral("Replace(CcdEmail,' ','')")) +
              QStringLiteral(" ) ");
    out.values = {any, ValAbsLng(text), any, any, any, any};
  }
  if (text.startsWith(QLatin1Char('+'))) {
    const auto x = rest(text);
    if (!x) return std::nullopt;
    text = *x;
    const QString any = QLatin1Char('%') + LikeEscape(text) + QLatin1Char('%');
    out.sql = sel + QStringLiteral(" Where   ( CcdNo=? ") +
              QStringLiteral("  Or  ") + like(QStringLiteral("Replace(CcdTel,'-','')")) +
              QStringLiteral("  Or  ") + like(QStringLiteral("Replace(CcdHp,'-','')")) +
              QStringLiteral(" ) ") + notSss5;
    out.values = {ValAbsLng(text), any, any};
  }
  if (text.startsWith(QLatin1Char('-'))) {
    const auto x = rest(text);
    if (!x) return std::nullopt;
    text = *x;
    const QString tail = QLatin1Char('%') + LikeEscape(text);
    out.sql = sel + QStringLiteral(" Where   ( ") + like(QStringLiteral("Replace(CcdTel,'-','')")) +
              QStringLiteral("  Or  ") + like(QStringLiteral("Replace(CcdHp,'-','')")) +
              QStringLiteral(" ) ") + notSss5;
    out.values = {tail, tail};
  }
  return out;
}

}  // namespace orv::sale
