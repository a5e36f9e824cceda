// The customer displays and the keyboard: the display's view of a full sale, its whole
// tick with the widgets and the messages' statement (SQLite, and PostgreSQL when
// ORVPOS_TEST_PG is set), the pole display's writes, Hangul composition and the table load.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "bench_support.h"
#include "chit/records.h"
#include "core/connections.h"
#include "core/state.h"
#include "display/display_tick.h"
#include "display/frmDisplay.h"
#include "sale/display_source.h"
#include "display/hangul.h"
#include "display/pole_display.h"
#include "platform/codepage.h"
#include "sale/sale_globals.h"
#include "van/card_state.h"

using namespace orv::display;

namespace {

orvbench::Databases *g_dbs = nullptr;

struct FullSale : SaleDisplaySource {
  QString NowText() const override { return "2024-01-31"; }
  QString TimeText() const override { return "09:30:00"; }
  int RowCount() const override { return 150; }
  QString Cell(int row, int col) const override {
    switch (col) {
      case 2: return QString("상품 %1 500ml").arg(row);
      case 3: return "2";
      case 4: return "1500";
      default: return "3000";
    }
  }
};

void EveryFrameShown() {
  giDspCash = giDspCardChk = giDspDisCard = giDspMoneyChk = giDspSignPlease = 1;
  gtCstCode.CcdKey = orv::Currency::Won(1);
  gtCstCode.CcdBarcode = "2900000010026";
  gsOneMoaClientCode = "C";
}

void BM_TickView(benchmark::State &state) {
  FullSale view;
  EveryFrameShown();
  DisplayInputs in = view.Read();
  for (auto _ : state) benchmark::DoNotOptimize(DisplayTick(in));
}
BENCHMARK(BM_TickView)->Unit(benchmark::kMicrosecond);

void BM_WholeTick(benchmark::State &state) {
  const bool pg = state.range(0) == 1;
  if (pg && !orvbench::HavePg()) {
    state.SkipWithError("ORVPOS_TEST_PG not set");
    return;
  }
  goDbMain.Open(g_dbs->New(pg));
  goDbMain.Execute(
      "CREATE TABLE OrvRegistry (RegKey char(50), RegInt int, RegChar char(50), RegText text)");
  for (int i = 1; i <= 5; ++i)
    goDbMain.Execute(QString("INSERT INTO OrvRegistry VALUES ('PosPrnMsg%1', 0, '안내', '')").arg(i));
  {
    frmDisplay f(std::make_unique<FullSale>());
    f.resize(1024, 768);
    f.show();
    EveryFrameShown();
    for (auto _ : state) {
      EveryFrameShown();
      f.Timer1_Timer();
    }
  }
  goDbMain.Close();
}
BENCHMARK(BM_WholeTick)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PoleWrites(benchmark::State &state) {
  const GoodsLineFields f{"2", "1,500", "3,000", QString(20, QChar(0xAC00))};
  for (auto _ : state) {
    benchmark::DoNotOptimize(GoodsLineWrites(3, f));
    benchmark::DoNotOptimize(TotalWrites(2, "1,234,567"));
    benchmark::DoNotOptimize(ChangeWrites(7, "20,000", "8,000", "12,000"));
  }
}
BENCHMARK(BM_PoleWrites)->Unit(benchmark::kMicrosecond);

QString g_table;

void BM_Compose40Keys(benchmark::State &state) {
  HangulComposer h;
  h.LoadHangulTable(g_table);
  const QString keys = QStringLiteral("ㅎㅏㄴㄱㅡㄹㄷㅏㄹㄱㄱㅗㅏㅇㅡㅣㅅㅏㅁㅅㅓㅇ1ㅍㅛㅈㅜㄴㅊㅏㅁㅇㅣㄹㅂㅜㄹㄹㅏㅁ");
  for (auto _ : state) {
    h.HanKeySeq = keys.left(40);
    benchmark::DoNotOptimize(h.ComposeHangul());
  }
}
BENCHMARK(BM_Compose40Keys)->Unit(benchmark::kMicrosecond);

void BM_Load5000Lines(benchmark::State &state) {
  QTemporaryDir dir;
  QFile f(dir.filePath("big.txt"));
  f.open(QIODevice::WriteOnly);
  QFile shipped(g_table);
  shipped.open(QIODevice::ReadOnly);
  const QByteArray all = shipped.readAll();
  f.write(all + all + all.left(all.size() * 3 / 10));  // about 5,000 lines
  f.close();
  HangulComposer h;
  for (auto _ : state) h.LoadHangulTable(f.fileName());
}
BENCHMARK(BM_Load5000Lines)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orvbench::Databases dbs("display");
  g_dbs = &dbs;
  g_table = QStringLiteral(ORVPOS_SOURCE_DATA) + "/HanGeul.txt";
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  dbs.DropPg();
  return 0;
}
