#include "sale/sale_text.h"

#include <QStringList>

QString LayIntoPattern(const QString &text, const QString &pattern) {
  QString out = pattern;
  int t = int(text.size()) - 1;
  for (int i = int(pattern.size()) - 1; i >= 0; --i) {
    if (pattern[i] != QLatin1Char('@')) continue;
    out[i] = t >= 0 ? text[t--] : QLatin1Char(' ');
  }
  return out;
}

int YmdNumber(const QDate &d) { return d.year() * 10000 + d.month() * 100 + d.day(); }

WorkDateBounds WorkDateBoundsFor(const QDate &today) {
  // QDate::addMonths clamps a missing day to the month's last one.
  return {YmdNumber(today.addMonths(-1)), YmdNumber(today.addMonths(1))};
}

QString HelpText(const QString &julBarcode) {
  static const char16_t *const kLines[] = {
      u"F1  -->상품 조회창 호출",
      u"F2  -->고객 조회/해제",
      u"F3  -->거래처 조회창 호출 (2800)",
      u"F4  -->배달전표 출력창 호출",
      u"F5  -->상품정보 조회창 호출",
      u"    -->영수증 고객점수 추가",
      u"F6  -->상품단가 입력란 이동",
      u"F7  -->단품 할인율 적용",
      u"F8 -> 돈통열기, F9 -> 현삭제, F10 -> 위삭제",
      u"F11 -->신용취소 입력창 호출 (6000)",
      u"F12 -->반품",
      u"0??" u"?-->동전계수기 동전 꺼내기",
      u"1??" u"?-->단축키번호로 상품 호출",
      u"2700-->고객 조회창 호출",
      u"2701-->화면 출력",
      u"2702-->배달전표 출력",
      u"2800-->거래처 조회창 호출",
      u"2900-->상품가격 조회창 호출",
      u"3000-->외상 조회창 호출",
      u"4000-->중간 입금창 호출",
      u"4444-->배달전표 호출/저장 (화면)",
      u"5000-->외매회수 입력창 호출",
      u"6000-->신용취소 입력창 호출",
      u"7000-->직전 영수증 출력 (실행중)",
      u"7777-->현금 영수증 발행",
      u"8000-->카드승인/취소 로그조회",
      u"8888-->전표번호로 전표조회 (식별번호14자리가능)",
      u"    -->일자6-전표번호, (식별번호13자리는화면출력전표)",
      u"PgUp-->영수증 재발행 (속도용)",
      u"PgDn-->대기 호출/저장",
      u"Ins -->핸드스캐너입력창",
      u"Del -->전표조회 후 수정재기록,반품",
      u"Home-->전체할인 해제",
      u"End -->전체할인 (저울,점수제외,묶음 품목제외)",
      u"       할인율 해제 [1%] 또는 Home 키",
      u"구분-->T:면세,M:묶음,X:제외,B:점수,%:점수,O:OneMoa",
      u"(영업마감)F1-->고객 점수 변경",
  };
  const QString crlf = QStringLiteral("\r\n");
  QString text = QStringLiteral("[ 단축 번호 설명서 ]") + crlf;
  for (const char16_t *line : kLines) text += QString::fromUtf16(line) + crlf;
  text += QStringLiteral("[ 전자저울식별번호: ") +
          LayIntoPattern(julBarcode, QStringLiteral("@@ @@ @@ @@ @@ @@")) +
          QStringLiteral(" ]") + crlf;
  text += QString::fromUtf16(u"바코드>바코드12자리\u2015 (자동완성)") + crlf;
  text += QString::fromUtf16(u"저울-->식별2자리\u2015번호") + crlf;
  text += QString::fromUtf16(u"저울-->식별2자리\u2015번호\u2015금액") + crlf;
  return text;
}

QString SaleDateCaption(int saleSel, int startYmd, int endYmd, int workYmd, bool *onSale) {
  bool sale = false;
  QString caption;
  if (startYmd != 0 || endYmd != 0) {
    const QString pattern = QStringLiteral("@@@@.@@.@@");
    caption = LayIntoPattern(QString::number(startYmd), pattern) + QLatin1Char('~') +
              LayIntoPattern(QString::number(endYmd), pattern);
    sale = saleSel != 9 && workYmd >= startYmd && workYmd <= endYmd;
    if (sale) caption += QStringLiteral("(세일중임)");
  }
  if (onSale) *onSale = sale;
  return caption;
}
