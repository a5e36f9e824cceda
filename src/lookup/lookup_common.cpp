#include "core/application.h"
#include "lookup/lookup_common.h"

#include <QDialog>

#include "core/globals.h"
#include "lookup/help_globals.h"
#include "platform/dialogs.h"
#include "platform/list_grid.h"

namespace orv::lookup {

QString FoldText(const QString &text) {
  QString out = text;
  for (QChar &c : out) {
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E)
      c = QChar(char16_t(u - 0xFF01 + 0x21));
    else if (u == 0x3000)
      c = QChar(u' ');
    const char16_t v = c.unicode();
    if (v >= u'A' && v <= u'Z') c = QChar(char16_t(v + 32));
  }
  return out;
}

QString LikeEscape(const QString &text) {
  QString out;
  out.reserve(text.size() + 4);
  for (QChar c : text) {
    if (c == u'\\' || c == u'%' || c == u'_') out += u'\\';
    out += c;
  }
  return out;
}

QString ContainsPattern(const QString &text) { return "%" + LikeEscape(text) + "%"; }

QString PrefixEnd(const QString &prefix) {
  QString p = prefix;
  while (!p.isEmpty()) {
    const char16_t last = p.back().unicode();
    p.chop(1);
    if (last != 0xFFFF) return p + QChar(char16_t(last + 1));
  }
  return {};
}

namespace {
const char16_t kSyllables[] = {u'가', u'나', u'다', u'라', u'마', u'바', u'사',
                               u'아', u'자', u'차', u'카', u'타', u'파', u'하'};
}

std::optional<NameRange> NameRangeOf(int number) {
  if (number >= 1 && number <= 13)
    return NameRange{QString(QChar(kSyllables[number - 1])), QString(QChar(kSyllables[number])),
                     false};
  if (number == 14) return NameRange{QString::fromUtf8("하"), QString::fromUtf8("힣"), true};
  if (number == 15) return NameRange{QString("a"), QString("z"), true};
  if (number == 16) return NameRange{std::nullopt, QString::fromUtf8("가"), true};
  return std::nullopt;
}

bool InNameRange(const QString &name, int number) {
  const auto r = NameRangeOf(number);
  if (!r) return false;
  const QString n = FoldText(name);
  if (r->lower && FoldCompare(n, *r->lower) < 0) return false;
  const int c = FoldCompare(n, r->upper);
  return r->upperInclusive ? c <= 0 : c < 0;
}

QString NameRangeSql(const db::Dialect &d, const QString &column, int number, QVariantList &args) {
  const auto r = NameRangeOf(number);
  if (!r) return {};
  const QString f = d.Fold(column);
  QString sql = " AND ";
  if (r->lower) {
    sql += f + " >= ? AND ";
    args << *r->lower;
  }
  sql += f + (r->upperInclusive ? " <= ? " : " < ? ");
  args << r->upper;
  return sql;
}

No334 SplitNo334(orv::Currency number) {
  QString t = QString::number(number.raw() / orv::Currency::kScale);
  if (t.startsWith('-')) t.remove(0, 1);
  t = QString(10, '0') + t;
  t = t.right(10);
  return {int16_t(t.mid(0, 3).toInt()), int16_t(t.mid(3, 3).toInt()), int16_t(t.mid(6, 4).toInt())};
}

void SetHelpNo(orv::Currency number) {
  gcHelpNo = number;
  const No334 s = SplitNo334(number);
  giHelpNo1 = s.n1;
  giHelpNo2 = s.n2;
  giHelpNo3 = s.n3;
}

void ShowDbError(const db::DbError &e, const QString &title) {
  dialogs::MsgBox(ErrorBoxText(e), dialogs::kCritical, title);
}

bool OpenHelp(const std::function<std::unique_ptr<QDialog>()> &make) {
  if (giHelpOpen != 0) {
    giHelpRet = 0;
    return false;
  }
  giHelpOpen = 1;
  try {
    std::unique_ptr<QDialog> dialog = make();
    dialogs::ShowModal(*dialog);
    return true;
  } catch (const db::DbError &e) {
    giHelpOpen = 0;
    giHelpRet = 0;
    ShowDbError(e);
  } catch (const std::exception &) {
    giHelpOpen = 0;
    giHelpRet = 0;
  }
  return false;
}

}  // namespace orv::lookup
