// Receipt text files back into printer jobs.
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/printer_port.h"
#include "print/basPrinter.h"
#include "print/receipt_reprint.h"
#include "print_support.h"
#include "test_support.h"

#include <QFile>

using orv::print::ReceiptFileJob;
using printtest::Cp949;

namespace {

QByteArray H(const char *hex) { return QByteArray::fromHex(hex); }

TEST(ReceiptFileJob, ControlAndTextLines) {
  const QByteArray banner = Cp949(QStringLiteral("[재 발 행 영 수 증]")) + "\r\n";
  const QByteArray id14 = Cp949(QStringLiteral("식별번호: 24120500005719"));
  const QByteArray bars = H("1d683c1d77021d48001d6b480e") + "24120500005719\r\n";
  struct Case {
    const char *name;
    QByteArray file;
    int reprint, barcode, model;
    QByteArray job;
  };
  const Case cases[] = {
      {"empty, reprint", "", 1, 0, 0, banner},
      {"empty", "", 0, 0, 0, ""},
      {"text before codes is dropped", "abc****1B||||\r\n", 0, 0, 0, H("1b")},
      {"codes then text", QByteArray("****1B****21****0||||\r\n") + Cp949(QStringLiteral("한글")) + "\r\n", 0,
       0, 0, H("1b2100") + Cp949(QStringLiteral("한글")) + "\r\n"},
      {"text without line end joins the next line", "A ||||\r\nB\r\n", 0, 0, 0, "A B\r\n"},
      {"bars alone send nothing", "||||\r\nx", 0, 0, 0, "x\r\n"},
      {"empty and non-hex pieces are NUL", "********zz1||||\r\n", 0, 0, 0, H("0000")},
      {"bytes go out as written", "\xb0\xa1\xff\r\n\r\n", 0, 0, 0, "\xb0\xa1\xff\r\n\r\n"},
      {"a lone LF stays in its line", "a\nb\r\n", 0, 0, 0, "a\nb\r\n"},
      {"barcode under the id line", id14 + "\r\n", 0, 1, 3, id14 + "\r\n" + bars},
      {"CODE128 on model 5", id14 + "  \r\n", 0, 1, 5,
       id14 + "  \r\n" + H("1d683c1d77021d48001d6b490e") + "24120500005719\r\n"},
      {"barcodes off", id14 + "\r\n", 0, 0, 5, id14 + "\r\n"},
      {"13 characters", Cp949(QStringLiteral("식별번호: 2412050000571")) + "\r\n", 0, 1, 3,
       Cp949(QStringLiteral("식별번호: 2412050000571")) + "\r\n"},
      {"blank before the colon", Cp949(QStringLiteral("식별번호 : 24120500005719")) + "\r\n", 0, 1, 3,
       Cp949(QStringLiteral("식별번호 : 24120500005719")) + "\r\n"},
      {"a control line is no id line", id14 + "||||\r\n", 0, 1, 3, id14},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_BYTES(c.job, ReceiptFileJob(c.file, int16_t(c.reprint), int16_t(c.barcode), int16_t(c.model)));
  }
  EXPECT_THROW(ReceiptFileJob("****100||||\r\n", 0, 0, 0), std::runtime_error);
}

TEST(ReceiptFileJob, FailuresSendNothing) {
  orv::state::ResetProgramState();
  gsSetPrnPort = "LPT1";
  auto dir = orvtest::MakeTempDir();
  printtest::Capture cap;
  EXPECT_THROW(PrintReceiptFile(dir->filePath("missing.txt"), 1), std::runtime_error);
  const QString bad = dir->filePath("bad.txt");
  {
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("ok\r\n****1FF||||\r\n");
  }
  EXPECT_THROW(PrintReceiptFile(bad, 0), std::runtime_error);
  EXPECT_TRUE(cap.jobs.isEmpty());
}

}  // namespace
