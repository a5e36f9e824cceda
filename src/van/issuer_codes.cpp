#include "van/issuer_codes.h"

#include "core/byte_text.h"
#include "core/pos_settings.h"

namespace orv::van {

namespace {

constexpr IssuerCode kKicc[] = {
    {6, "하나카드"},
    {7, "신한카드"},
    {8, "외환카드"},
    {16, "국민카드"},
    {18, "농협카드"},
    {26, "비씨카드"},
    {27, "현대카드"},
    {28, "JCB"},
    {29, "엘지카드"},
    {31, "삼성카드"},
    {47, "롯데카드"},
    {48, "해외DIN"},
    {49, "해외MST"},
    {50, "해외VISA"},
};

constexpr IssuerCode kFirstData[] = {
    {1, "비씨"},
    {2, "신한"},
    {3, "삼성"},
    {4, "현대"},
    {5, "롯데"},
    {7, "국민"},
    {8, "외환"},
    {9, "해외"},
    {11, "수협"},
    {12, "농협"},
    {13, "시티(한미)"},
    {14, "평화"},
    {15, "시티(구한미)"},
    {17, "신협"},
    {18, "은련"},
    {19, "롯데19"},
    {22, "제주"},
    {23, "광주"},
    {24, "전북"},
    {25, "조흥"},
    {27, "하나"},
    {30, "신세계"},
    {44, "카카오페이"},
    {76, "제로페이"},
};

constexpr IssuerCode kSmartro[] = {
    {170, "국민카드"},
    {171, "농협"},
    {172, "씨티카드"},
    {173, "수협"},
    {175, "우리카드"},
    {176, "씨티은행"},
    {177, "신세계한미"},
    {200, "해외카드"},
    {203, "해외카드(LG)"},
    {300, "신한카드"},
    {400, "비씨카드"},
    {505, "외환카드"},
    {506, "광주은행"},
    {507, "제주은행"},
    {508, "전북은행"},
    {511, "조흥은행"},
    {514, "신한은행"},
    {516, "주택은행"},
    {521, "하나SK은행"},
    {522, "산은캐피탈"},
    {1000, "JCB카드"},
    {1100, "롯데아멕스카드"},
    {1200, "현대카드"},
    {1300, "삼성카드"},
    {1400, "롯데카드"},
    {3900, "카카오페이"},
    {4300, "바코드 계좌이체"},
    {5100, "크라운베이커리"},
    {7300, "LG My Point"},
    {7301, "LG정유"},
    {7302, "LG 보너스클럽"},
    {7400, "OK CashBag"},
    {7500, "드림라이프카드"},
    {7700, "제로페이"},
    {7900, "All@카드"},
    {8002, "뱅크타운(수표조회)"},
    {8003, "금융결제원(직불)"},
    {9100, "SECUTEC"},
    {9200, "KT"},
    {9300, "INTERBANK"},
    {9400, "KTF"},
};

constexpr IssuerCode kNice[] = {
    {1, "비씨카드"},
    {2, "국민카드"},
    {3, "외환카드"},
    {5, "신한카드"},
    {6, "삼성카드"},
    {7, "LG카드"},
    {8, "현대카드"},
    {11, "축협카드"},
    {12, "한미카드"},
    {13, "수협카드"},
    {15, "우리카드"},
    {16, "시티카드"},
    {21, "제주비자"},
    {22, "광주비자"},
    {23, "전북카드"},
    {29, "하나카드"},
    {31, "해외(JCB)"},
    {32, "해외(다이너스)"},
    {33, "해외(AMX)"},
    {34, "해외(J비자)"},
    {35, "해외(마스터)"},
    {38, "롯데비자"},
    {39, "신세계(한미)"},
};

constexpr IssuerCode kKis[] = {
    {1, "비씨카드"},
    {2, "국민카드"},
    {3, "외환카드"},
    {4, "삼성카드"},
    {5, "신한카드"},
    {8, "해외카드(비자,마스터)"},
    {9, "현대카드"},
    {10, "롯데카드"},
    {12, "농협카드"},
    {13, "수협카드"},
    {14, "씨티카드(한미)"},
    {15, "하나SK카드"},
    {17, "광주카드"},
    {22, "전북카드"},
    {23, "제주카드"},
    {24, "씨티카드(신세계한미)"},
    {28, "해외카드(JCB)"},
    {31, "씨티카드"},
    {3900, "카카오페이"},
    {7700, "제로페이"},
};

}  // namespace

std::span<const IssuerCode> IssuerCodes(int16_t van) {
  switch (van) {
    case 1: return kKicc;
    case 4: return kFirstData;
    case 5: return kSmartro;
    case 9: return kNice;
    case 10: return kKis;
    default: return {};
  }
}

QString IssuerCodeText(const IssuerCode &row) {
  return QStringLiteral("%1").arg(row.code, 4, 10, QLatin1Char('0'));
}

QString CardComName(int16_t van, const QString &code) {
  for (const IssuerCode &row : IssuerCodes(van))
    if (IssuerCodeText(row) == code) return QString::fromUtf8(row.name);
  return {};
}

QString IssuerCodePrompt(int16_t van) {
  const auto rows = IssuerCodes(van);
  auto entry = [](const IssuerCode &row) {
    return IssuerCodeText(row) + QLatin1Char(' ') + QString::fromUtf8(row.name);
  };
  QString out;
  for (size_t i = 0; i < rows.size(); i += 2) {
    if (i + 1 < rows.size())
      out += PadByte(entry(rows[i]), 22) + PadByte(entry(rows[i + 1]), 26);
    else
      out += PadByte(entry(rows[i]), 48);
    out += QStringLiteral("\r\n");
  }
  return out;
}

}  // namespace orv::van

QString GetCardComName(const QString &code) { return orv::van::CardComName(giSetVan, code); }
