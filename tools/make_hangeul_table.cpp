// Writes the on-screen keyboard's Hangul key table: every syllable of the KS X 1001 range
// of CP949 (lead bytes B0-C8, trail bytes A1-FE), in code order, as "syllable,keys" with
// CR LF, in CP949. The keys come from the syllable's Unicode arithmetic: the initial, the
// vowel split into its keys (ㅘ = ㅗㅏ), the final split (ㄺ = ㄹㄱ); ㄲ ㄸ ㅃ ㅆ ㅉ are keys.
// Usage: make_hangeul_table <output file>
#include <iconv.h>

#include <cstdio>
#include <string>

namespace {

const char16_t *const kInitials[19] = {u"ㄱ", u"ㄲ", u"ㄴ", u"ㄷ", u"ㄸ", u"ㄹ", u"ㅁ",
                                       u"ㅂ", u"ㅃ", u"ㅅ", u"ㅆ", u"ㅇ", u"ㅈ", u"ㅉ",
                                       u"ㅊ", u"ㅋ", u"ㅌ", u"ㅍ", u"ㅎ"};
const char16_t *const kVowels[21] = {u"ㅏ", u"ㅐ", u"ㅑ", u"ㅒ", u"ㅓ", u"ㅔ", u"ㅕ",
                                     u"ㅖ", u"ㅗ", u"ㅗㅏ", u"ㅗㅐ", u"ㅗㅣ", u"ㅛ", u"ㅜ",
                                     u"ㅜㅓ", u"ㅜㅔ", u"ㅜㅣ", u"ㅠ", u"ㅡ", u"ㅡㅣ", u"ㅣ"};
const char16_t *const kFinals[28] = {u"",   u"ㄱ",   u"ㄲ",   u"ㄱㅅ", u"ㄴ",   u"ㄴㅈ", u"ㄴㅎ",
                                     u"ㄷ", u"ㄹ",   u"ㄹㄱ", u"ㄹㅁ", u"ㄹㅂ", u"ㄹㅅ", u"ㄹㅌ",
                                     u"ㄹㅍ", u"ㄹㅎ", u"ㅁ",   u"ㅂ",   u"ㅂㅅ", u"ㅅ",   u"ㅆ",
                                     u"ㅇ", u"ㅈ",   u"ㅊ",   u"ㅋ",   u"ㅌ",   u"ㅍ",   u"ㅎ"};

// A converter closed on every way out of main.
struct Converter {
  iconv_t cd;
  Converter(const char *to, const char *from) : cd(iconv_open(to, from)) {}
  ~Converter() {
    if (cd != iconv_t(-1)) iconv_close(cd);
  }
};

// UTF-16 text (all of it in the BMP) to CP949.
bool ToCp949(iconv_t cd, const std::u16string &in, std::string &out) {
  std::string src(reinterpret_cast<const char *>(in.data()), in.size() * 2);
  char buf[64];
  char *ip = src.data(), *op = buf;
  size_t il = src.size(), ol = sizeof buf;
  if (iconv(cd, &ip, &il, &op, &ol) == size_t(-1)) return false;
  out.append(buf, size_t(op - buf));
  return true;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
    return 2;
  }
  const Converter uni("UTF-16LE", "CP949"), cp("CP949", "UTF-16LE");
  iconv_t toUni = uni.cd, toCp = cp.cd;
  if (toUni == iconv_t(-1) || toCp == iconv_t(-1)) {
    std::fprintf(stderr, "no CP949 converter\n");
    return 1;
  }
  std::string out;
  int count = 0;
  for (int lead = 0xB0; lead <= 0xC8; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      char in[2] = {char(lead), char(trail)};
      char16_t u = 0;
      char *ip = in, *op = reinterpret_cast<char *>(&u);
      size_t il = 2, ol = 2;
      if (iconv(toUni, &ip, &il, &op, &ol) == size_t(-1) || u < 0xAC00 || u > 0xD7A3) {
        std::fprintf(stderr, "%02X%02X is not a syllable\n", lead, trail);
        return 1;
      }
      const int s = u - 0xAC00;
      std::u16string line(1, u);
      line += u",";
      line += kInitials[s / 588];
      line += kVowels[(s % 588) / 28];
      line += kFinals[s % 28];
      if (!ToCp949(toCp, line, out)) return 1;
      out += "\r\n";
      ++count;
    }
  }
  FILE *f = std::fopen(argv[1], "wb");
  if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%d syllables\n", count);
  return 0;
}
