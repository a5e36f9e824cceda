#include "display/hangul.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringView>

#include "core/daily_log.h"
#include "platform/codepage.h"
#include "platform/datafolder.h"

namespace orv::display {

namespace {

constexpr char16_t kConsonants[] = u"ㄱㄲㄴㄷㄸㄹㅁㅂㅃㅅㅆㅇㅈㅉㅊㅋㅌㅍㅎ";
constexpr char16_t kVowels[] = u"ㅏㅐㅑㅒㅓㅔㅕㅖㅗㅛㅜㅠㅡㅣ";

QString StripBlanks(const QString &s) {
  qsizetype a = 0, b = s.size();
  while (a < b && s[a] == QLatin1Char(' ')) ++a;
  while (b > a && s[b - 1] == QLatin1Char(' ')) --b;
  return s.mid(a, b - a);
}

void Log(const QString &text) {
  try {
    WriteLog(0, text);
  } catch (const std::exception &) {
    // The table works without its log line.
  }
}

}  // namespace

HangulComposer::HangulComposer() : HanSylTbl(1), HanKeyTbl(1) {}

void HangulComposer::LoadHangulTable(const QString &path) {
  HanTblCnt = 0;
  HanSylTbl.assign(1, {});
  HanKeyTbl.assign(1, {});
  first_.clear();
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    Log(QStringLiteral("Hangul key table not readable: ") + path);
    return;
  }
  const QByteArray all = f.readAll();
  qsizetype at = 0;
  while (at < all.size()) {
    qsizetype end = at;
    while (end < all.size() && all[end] != '\r' && all[end] != '\n') ++end;
    const QString line = StripBlanks(codepage::Decode(all.mid(at, end - at)));
    at = end;
    if (at < all.size() && all[at] == '\r') ++at;
    if (at < all.size() && all[at] == '\n') ++at;
    if (line.isEmpty()) continue;
    if (HanTblCnt >= kMaxEntries) {
      Log(QStringLiteral("Hangul key table over 5000 entries, the rest dropped: ") + path);
      break;
    }
    const QString syllable = line.left(1);
    const QString keys = StripBlanks(line.mid(1).remove(QLatin1Char(',')));
    ++HanTblCnt;
    HanSylTbl.push_back(syllable);
    HanKeyTbl.push_back(keys);
    // A line with bytes that are not CP949 holds U+FFFD: it is kept but never matches.
    const bool broken = syllable.contains(QChar::ReplacementCharacter) ||
                        keys.contains(QChar::ReplacementCharacter);
    if (!broken && !keys.isEmpty() && keys.size() <= kMaxKeys && !first_.contains(keys))
      first_.insert(keys, HanTblCnt);
  }
}

QString HangulComposer::LookupHangul(const QString &keys) const {
  const auto it = first_.constFind(keys);
  return it == first_.constEnd() ? QString() : HanSylTbl[size_t(*it)];
}

QString HangulComposer::JamoKind(QChar ch) {
  const QStringView c(&ch, 1);
  if (QStringView(kConsonants).contains(c)) return QStringLiteral("0");
  if (QStringView(kVowels).contains(c)) return QStringLiteral("1");
  return QStringLiteral(" ");
}

QString HangulComposer::ComposeSyllable(int first, int last) const {
  if (last < first) return {};
  const QString chunk = HanKeySeq.mid(first - 1, last - first + 1);
  const int len = int(chunk.size());
  if (len == 1) return chunk;
  for (int n = std::min(len, kMaxKeys); n >= 2; --n) {
    const QString s = LookupHangul(chunk.left(n));
    if (!s.isEmpty()) return s + chunk.mid(n);
  }
  return chunk;
}

QString HangulComposer::ComposeHangul() {
  if (HanKeySeq.isEmpty()) return {};
  HanKeyKind.clear();
  for (QChar ch : HanKeySeq) HanKeyKind += JamoKind(ch);
  if (HanTblCnt == 0 || HanKeySeq.size() == 1) return HanKeySeq;
  // A consonant key followed by a vowel key begins a syllable.
  QString out;
  int start = 1;
  const int n = int(HanKeySeq.size());
  for (int j = 1; j < n; ++j) {
    if (HanKeyKind[j - 1] == QLatin1Char('0') && HanKeyKind[j] == QLatin1Char('1')) {
      out += ComposeSyllable(start, j - 1);
      start = j;
    }
  }
  return out + ComposeSyllable(start, n);
}

QString HangulTablePath() { return datafolder::Path(QStringLiteral("Data/HanGeul.txt")); }

bool InstallHangulTable() {
  const QString to = HangulTablePath();
  if (QFileInfo::exists(to)) return true;
  QDir().mkpath(QFileInfo(to).absolutePath());
  return QFile::copy(datafolder::ShareRoot() + QStringLiteral("/HanGeul.txt"), to);
}

}  // namespace orv::display
