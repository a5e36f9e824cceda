// Receipts read back from the database, the receipt file on disk, the shared road of
// "file when it exists, else built anew", and the quick reprint.
#include <QDir>
#include <QFile>
#include <QPushButton>

#include "chit/records.h"
#include "core/values.h"
#include "sale/sale_globals.h"
#include "platform/codepage.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "print/basPrinter.h"
#include "print/frmSpeedPrint.h"
#include "print/receipt.h"
#include "print/receipt_reprint.h"
#include "print/receipt_text.h"
#include "print_db.h"
#include "print_support.h"

using orv::dialogs::Script;
using printtest::Capture;
using printtest::Cp949;

namespace {

class ReceiptDb : public printtest::PrintDb {
 protected:
  void SetUp() override {
    PrintDb::SetUp();
    if (IsSkipped()) return;
    giOnLine = 1;
    giSetVan = 3;
    giSetPrint = 2;
    PlantShop();
    QDir(orv::datafolder::Path("OrvBackup")).removeRecursively();
  }

  // The hand-worked receipt as a reprint: the banner under the shop name, no 이 전 line,
  // and the issue line (checked apart, its seconds run with the clock) taken out.
  static QByteArray ReprintOfFixture() {
    QByteArray b = printtest::Fixture("sale_receipt.bin");
    const QByteArray name = QByteArray("\x1b!\x20", 3) + Cp949(QStringLiteral("한빛마트")) + QByteArray("\x1b!\x00", 3) + "\r\n";
    b.replace(name, name + Cp949(QStringLiteral("[재 발 행 영 수 증]")) + "\r\n");
    b.replace(Cp949(QStringLiteral("이 전  점 수 : ") + QString(20, ' ') + "2,500") + "\r\n", "");
    return b;
  }
  static QByteArray WithoutIssueLine(const QByteArray &job) {
    const QByteArray mark = Cp949(QStringLiteral("발행일시 : 2024년12월05일-14시30분"));
    const qsizetype at = job.indexOf(mark);
    EXPECT_GE(at, 0) << "no issue line";
    if (at < 0) return job;
    QByteArray out = job;
    out.remove(at, job.indexOf("\r\n", at) + 2 - at);
    return out;
  }
};

TEST_P(ReceiptDb, ReprintReadBackMatchesTheHandWorkedReceipt) {
  if (IsSkipped()) return;
  PlantSale(57);
  Capture cap;
  Print_Zerdo("20241205", 57, 6, 1);
  ASSERT_EQ(cap.jobs.size(), 1);
  EXPECT_BYTES(ReprintOfFixture(), WithoutIssueLine(cap.jobs[0].bytes));
  EXPECT_EQ(gsReceiptIdNo, "24120500005740");

  // No such chit: nothing, and no box.
  Script s;
  Print_Zerdo("20241205", 58, 6, 1);
  EXPECT_EQ(cap.jobs.size(), 1);
  EXPECT_TRUE(s.Log().isEmpty());
}

TEST_P(ReceiptDb, ACustomerWhoIsGonePrintsEmptyAndAPortFailingOnTheSecondJobShowsItsBox) {
  if (IsSkipped()) return;
  PlantSale(57);
  Exec("UPDATE PanChit2412 SET PctTrsKey = 1001 WHERE PctChtNo = 57");  // two copies
  Exec("DELETE FROM CstCode");
  Capture cap(2);
  Script s;
  Print_Zerdo("20241205", 57, 0, 1);
  ASSERT_EQ(cap.jobs.size(), 1);
  const QString first = orv::codepage::Decode(cap.jobs[0].bytes);
  EXPECT_TRUE(first.contains(QStringLiteral("고객 바코드 : [     0]\r\n")));
  EXPECT_TRUE(first.contains(QStringLiteral("거 래 처  명 : ") + QString(17, ' ') + QStringLiteral("한빛식품")));
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("프린트실패(Print_Zerdo)"));
  EXPECT_TRUE(s.Log()[0].text.contains(QStringLiteral("용지 없음")));
}

TEST_P(ReceiptDb, ReceiptFileIsTheHandWorkedFileAndAFailureLeavesNone) {
  if (IsSkipped()) return;
  PlantSale(57);
  const QString path = orv::print::ReceiptFilePath("20241205", 57);
  EXPECT_EQ(path, orv::datafolder::Path("OrvBackup/Print/20241205/157.txt"));
  Print_File("20241205", 57, 0, 1);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_BYTES(printtest::Fixture("sale_receipt_file.txt"), f.readAll());
  f.close();
  EXPECT_FALSE(QFile::exists(path + ".tmp"));

  // A later write that fails (its partner's ledger cannot be read) leaves no file of the
  // chit, not even the earlier one.
  Exec("UPDATE PanChit2412 SET PctTrsKey = 1001 WHERE PctChtNo = 57");
  Exec("DROP TABLE TrsMast2412");
  Script s;
  Print_File("20241205", 57, 0, 1);
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("프린트실패(Print_File)"));
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_FALSE(QFile::exists(path + ".tmp"));

  // Offline the name starts with 2.
  giOnLine = 2;
  EXPECT_TRUE(orv::print::ReceiptFilePath("20241205", 57).endsWith("/20241205/257.txt"));
}

TEST_P(ReceiptDb, SavedReceiptPrintsTheFileWhenThereIsOneElseBuildsIt) {
  if (IsSkipped()) return;
  PlantSale(57);
  Capture cap;
  PrintSavedReceipt("20241205", 57, 6, 1, 1);  // no file yet
  ASSERT_EQ(cap.jobs.size(), 1);
  EXPECT_BYTES(ReprintOfFixture(), WithoutIssueLine(cap.jobs[0].bytes));

  Print_File("20241205", 57, 0, 1);
  PrintSavedReceipt("20241205", 57, 6, 1, 1);
  ASSERT_EQ(cap.jobs.size(), 2);
  EXPECT_BYTES(orv::print::ReceiptFileJob(printtest::Fixture("sale_receipt_file.txt"), 1, 0, 2), cap.jobs[1].bytes);
  EXPECT_TRUE(cap.jobs[1].bytes.startsWith(Cp949(QStringLiteral("[재 발 행 영 수 증]\r\n"))));
}

TEST_P(ReceiptDb, QuickReprintListsTheLatestTwentyAndReprints) {
  if (IsSkipped()) return;
  for (int i = 1; i <= 22; ++i) PlantSale(i, QStringLiteral("1200%1").arg(i, 2, 10, QLatin1Char('0')));
  PlantSale(90, "235959", 2);  // another checkout
  Exec("UPDATE PanChit2412 SET PctSss2 = 9, PctTrsKey = 1001, PctCSTKey = 0 WHERE PctChtNo = 22");
  Exec("UPDATE PanChit2412 SET PctCard = 3000, PctOisang = 1000 WHERE PctChtNo = 21");
  frmSpeedPrint f;
  ASSERT_EQ(f.vaSpread1->MaxRows(), 20);
  auto cell = [&](int r, int c) { return f.vaSpread1->CellValue(r, c); };
  EXPECT_EQ(cell(1, 1), "12:00:22");
  EXPECT_EQ(cell(1, 2), "22");
  EXPECT_EQ(cell(1, 10), "4");
  EXPECT_EQ(cell(1, 11), "1001");
  EXPECT_EQ(cell(1, 12), QStringLiteral("한빛식품"));
  EXPECT_EQ(cell(1, 14), "");
  EXPECT_EQ(cell(2, 3), "4,800");
  EXPECT_EQ(cell(2, 4), "800");  // 4,800 − 3,000 − 1,000
  EXPECT_EQ(cell(2, 10), "1");
  EXPECT_EQ(cell(3, 14), "1003");
  EXPECT_EQ(cell(3, 16), QStringLiteral("길동상회"));
  EXPECT_EQ(cell(20, 2), "3");

  // No printer: nothing, the list stays.
  Capture cap;
  giSetPrint = 0;
  f.vaSpread1_DblClick(1);
  EXPECT_TRUE(cap.jobs.isEmpty());
  // A collection chit without its file is rebuilt as a collection receipt.
  giSetPrint = 2;
  f.show();
  f.vaSpread1_DblClick(1);
  ASSERT_EQ(cap.jobs.size(), 2);  // a partner's chit: two copies
  EXPECT_TRUE(orv::codepage::Decode(cap.jobs[0].bytes).contains(QStringLiteral("[외매회수 영 수 증]")));
  EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST_P(ReceiptDb, QuickReprintShowsAFailureAndStaysOpen) {
  if (IsSkipped()) return;
  PlantSale(5);
  frmSpeedPrint f;
  ASSERT_EQ(f.vaSpread1->MaxRows(), 1);
  Print_File("20241205", 5, 0, 1);
  gsSetPrnPort = "LPT1";
  gsSetPrnDevice = orv::datafolder::Path("no-printer-here");
  Script s;
  f.show();
  f.OkCmd->click();
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("영수증 재발행 (속도용)"));
  EXPECT_TRUE(s.Log()[0].text.startsWith(QStringLiteral("오류번호 : ")));
  EXPECT_TRUE(f.isVisible());
}

TEST_P(ReceiptDb, RecordsInMemoryPrintTheSameAndKeepWhatTheReceiptChanged) {
  if (IsSkipped()) return;
  PlantSale(57);
  gtCstCode.CcdKey = orv::Currency::Won(77);  // the customer on the sale screen
  Exec("UPDATE PanChit2412 SET PctCSTKey = 9 WHERE PctChtNo = 57");  // not in CstCode
  {
    Capture cap;
    Print_Zerdo("20241205", 57, 6, 1);
  }
  // Read back: the chit records, the last goods line printed; the screen's customer stays.
  EXPECT_EQ(gtPanChit.PctChtNo, 57);
  EXPECT_EQ(gtPanGods[3].PcgGdsKey, orv::Currency::Won(13));
  EXPECT_EQ(gtPanList.PclGum04, orv::Currency::Won(2543));
  EXPECT_EQ(gtGdsCode.GcdName, QStringLiteral("돼지고기"));
  EXPECT_EQ(gtCstCode.CcdKey, orv::Currency::Won(77));

  // From the records in memory (the payment save's call) the receipt is the hand-worked one.
  Exec("UPDATE PanChit2412 SET PctCSTKey = 3 WHERE PctChtNo = 57");
  gtPanChit.PctCstKey = orv::Currency::Won(3);
  auto rs = goDbMain.OpenRecordset("SELECT * FROM CstCode WHERE CcdKey = 3");
  rs.MoveFirst();
  ReadCstRecord(rs);
  gcTcdNo = orv::Currency::Won(88000);
  gsTcdName = QStringLiteral("일반소매");
  Capture cap;
  Print_Zerdo("20241205", 57, 0, 0);
  ASSERT_EQ(cap.jobs.size(), 1);
  EXPECT_BYTES(printtest::Fixture("sale_receipt.bin"), cap.jobs[0].bytes);
  EXPECT_EQ(gtPanList.PclGum09, orv::Currency::Won(5));
  // Without PosGdsBnsPoint the goods points go, for the caller too.
  Exec("DELETE FROM OrvRegistry WHERE RegKey = 'PosGdsBnsPoint'");
  Print_Zerdo("20241205", 57, 0, 0);
  EXPECT_TRUE(gtPanList.PclGum09.IsZero());
}

INSTANTIATE_TEST_SUITE_P(Engines, ReceiptDb, ORV_BOTH_ENGINES);

}  // namespace
