#pragma once
// Hangul composition of the on-screen keyboard. Every tapped key is one character of the
// key sequence; runs of jamo become syllables looked up in a table of (syllable, keys)
// read from "Data/HanGeul.txt" (CP949, one "가,ㄱㅏ" per line). The whole sequence is
// composed anew after each jamo key and each backspace.
#include <QHash>
#include <QString>
#include <cstdint>
#include <vector>

namespace orv::display {

class HangulComposer {
 public:
  static constexpr int kMaxEntries = 5000;
  static constexpr int kMaxKeys = 5;  // longest key string a chunk looks up

  HangulComposer();

  // Empties the table and fills it from the file. A missing or unreadable file leaves it
  // empty; lines past 5,000 entries are dropped; both write a daily-log line.
  void LoadHangulTable(const QString &path);
  // The composed text of HanKeySeq; rebuilds HanKeyKind. With an empty table the keys come
  // back as they are, so a jamo key never wipes what was typed.
  QString ComposeHangul();
  // Keys first..last (1-based, inclusive): the longest known prefix of 2 to 5 keys as its
  // syllable, the rest unchanged.
  QString ComposeSyllable(int first, int last) const;
  // The syllable of the first entry whose key string equals keys, else "".
  QString LookupHangul(const QString &keys) const;
  // "0" consonant key, "1" vowel key, " " anything else.
  static QString JamoKind(QChar ch);

  QString HanKeySeq;
  QString HanKeyKind;
  int16_t HanTblCnt = 0;
  std::vector<QString> HanSylTbl, HanKeyTbl;  // entries 1..HanTblCnt; 0 unused

 private:
  QHash<QString, int> first_;  // key string -> its first entry
};

// The table the keyboard reads: Data/HanGeul.txt in the data folder.
QString HangulTablePath();
// Copies the shipped table there when it is missing; false when it could not.
bool InstallHangulTable();

}  // namespace orv::display
