#pragma once
// The sales receipt as one model over two writers: the printer (ESC/POS jobs) and the
// receipt text file (control lines). Everything here is plain data in, lines out: the
// records, options and settings are passed in, so the layout is tested without a
// database or a printer.
#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/currency.h"

namespace orv::print {

using orv::Currency;

// The chit header fields a receipt prints.
struct RcptChit {
  QString date;  // yyyymmdd
  int32_t chtNo = 0;
  QString wrtDate, wrtTime;
  Currency hab, gum, buga, ntx, rgum, cgum, money, card, oisang, csobi;
  Currency dcAmt;   // the discount amount of the chit
  int32_t cashRcpt = 0;  // 1: a cash receipt was issued
  Currency trsKey, cstKey;
  QString cardNo, cmitNo, cmitDate, cdComName, cdGubun, gamyNo;
};

struct RcptLine {
  Currency gdsKey, su, danga, gum;
  int32_t tax = 0;  // 1 tax-free
};

struct RcptList {
  std::array<Currency, 11> gum{};  // 1 to 10: PclGum01 … PclGum10
  Currency jaSangPum, taSangPum;
  int32_t sss1 = 0;  // loyalty points used
  int32_t sss2 = 0;  // card signature flag
};

struct RcptCustomer {
  Currency key, no;
  QString barcode, name;
  Currency jumsu, zerdo, tjumsu;
};

struct RcptGoods {
  QString name, kyg, barcode;
  Currency no, mech;
  int32_t pSel3 = 0;
};

struct RcptShop {
  QString prtName, tel, addr, saupNo, psn, uptae, jongmok;
};

// The partner's ledger and chit sums of the month (the receivables block).
struct RcptReceivables {
  Currency tcdNo;
  QString tcdName;
  Currency balance;  // M: ledger balance plus the sent credit up to the chit's date
  Currency dayCredit;  // V: the sent credit of the chit's date, less this chit's credit
  Currency collected;  // S: the sent collections of the month
};

// Shop options read once per receipt.
struct RcptOptions {
  int32_t cardCnt = 0, cardFreeze = 0, prnFreeze = 0, mechDisp = 0, dcPrint = 0, trsPrtNot = 0;
  QStringList heads;  // PosPrnHead1-3, as read (may be empty)
  QStringList msgs;   // PosPrnMsg1-5
  int32_t bnsMnySel = 0;
  Currency bnsJumsu, bnsGum, bnsMoney;
  int32_t cstPanPrt = 0, gdsBnsPoint = 0, prtTjumsu = 0;
};

struct RcptSettings {
  int32_t oiPrnSu = 0, junPrnNone = 0, van = 0, posNo = 0, onLine = 1, misuNotPrn = 0;
};

// What only the text file prints.
struct RcptFileExtras {
  QString cardMsg1, cardMsg2, cashRcptNo, cashRcptCmitNo, oneMoaName;
  Currency oneMoaPoint;
};

struct ReceiptData {
  int32_t kind = 0;  // 0 sale, 1 credit settlement, 6 reprint, 8 collection
  RcptChit chit;
  QVector<RcptLine> lines;  // in line order; empty lines (key 0) are skipped
  RcptList list;
  RcptCustomer cst;
  Currency partnerNo;
  QString partnerName;
  Currency staffNo;
  QString staffName;
  int32_t checkDigits = 0;  // ChitBarCheckDigits of the total
  QDateTime now;            // the issue time of a reprint
  std::optional<RcptShop> shop;  // none: no ComCode row
  std::function<RcptGoods(Currency key)> goods;  // none found: an empty record
  std::function<RcptReceivables()> receivables;
  RcptFileExtras extras;
};

// The two writers.
class ReceiptOut {
 public:
  virtual ~ReceiptOut() = default;
  virtual bool IsFile() const = 0;
  virtual void Begin() = 0;
  virtual void Line(const QString &text) = 0;
  // Printer: each line between double width on and off; file: the lines between one pair
  // of code lines.
  virtual void Wide(const QStringList &lines) = 0;
  // Printer only: a line of text and codes as bytes (its line end is added).
  virtual void Bytes(const QByteArray &line) = 0;
  virtual void End() = 0;
};

// Jobs into the print buffer, each sent at its end.
class PrinterOut : public ReceiptOut {
 public:
  bool IsFile() const override { return false; }
  void Begin() override;
  void Line(const QString &text) override;
  void Wide(const QStringList &lines) override;
  void Bytes(const QByteArray &line) override;
  void End() override;
};

// The receipt text file's bytes (CP949, CR LF), collected in memory.
class FileOut : public ReceiptOut {
 public:
  bool IsFile() const override { return true; }
  void Begin() override {}
  void Line(const QString &text) override;
  void Wide(const QStringList &lines) override;
  void Bytes(const QByteArray &line) override;
  void End() override;
  QByteArray bytes;
};

// The receipt: the point-use statement when one is due, then the copies. Returns the
// identification number. The customer block may set goods points (PclGum09) to 0 in
// data.list, as the receipt's later copies and the caller see it.
QString BuildReceipt(ReceiptData &data, const RcptOptions &opt, const RcptSettings &set, ReceiptOut &out);

// The pieces, for the tests of their rules.
QString VanName(int32_t van);
Currency ProRataPoints(Currency amount, Currency base, Currency scale);
Currency ProRataAmount(Currency amount, Currency base, Currency scale);
// Whole percent, halves to even; 0 when PosDcPrint is set.
int DiscountPercent(const RcptLine &line, const RcptGoods &goods, int32_t dcPrint);
// The first copy's style: 2 for a card sale signed on the pad under PosCardCnt 1.
int FirstCopyStyle(const RcptChit &chit, const RcptList &list, const RcptOptions &opt);
QString IdNumber(const QString &date, int32_t chtNo, int32_t checkDigits);

}  // namespace orv::print
