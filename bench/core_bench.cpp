// Speed of the value and text functions every screen and receipt runs through.
#include <benchmark/benchmark.h>

#include <QString>
#include <QVariant>

#include "core/byte_text.h"
#include "core/text_format.h"
#include "core/values.h"

namespace {

void BM_NzCur_PgNumericText(benchmark::State &state) {
  const QVariant v(QStringLiteral("1234567.5000"));
  for (auto _ : state) benchmark::DoNotOptimize(NzCur(v));
}
BENCHMARK(BM_NzCur_PgNumericText);

void BM_NzCur_Integer(benchmark::State &state) {
  const QVariant v(qlonglong(88000));
  for (auto _ : state) benchmark::DoNotOptimize(NzCur(v));
}
BENCHMARK(BM_NzCur_Integer);

void BM_NzCur_TypedText(benchmark::State &state) {
  const QString s = QStringLiteral("  12,500 ");
  for (auto _ : state) benchmark::DoNotOptimize(NzCur(s));
}
BENCHMARK(BM_NzCur_TypedText);

void BM_FmtAmt(benchmark::State &state) {
  const orv::Currency c = orv::Currency::FromRaw(12345678905000);
  for (auto _ : state) benchmark::DoNotOptimize(FmtAmt(c, 1));
}
BENCHMARK(BM_FmtAmt);

const QString kGoodsName = QStringLiteral("농심 신라면 120g 5개입 멀티팩 (매운맛)");

void BM_LenAnsi_Korean(benchmark::State &state) {
  for (auto _ : state) benchmark::DoNotOptimize(LenAnsi(kGoodsName));
}
BENCHMARK(BM_LenAnsi_Korean);

void BM_LeftH_Korean(benchmark::State &state) {
  const QVariant width(19);
  for (auto _ : state) benchmark::DoNotOptimize(LeftH(kGoodsName, width));
}
BENCHMARK(BM_LeftH_Korean);

void BM_LeftByte_Korean(benchmark::State &state) {
  for (auto _ : state) benchmark::DoNotOptimize(LeftByte(kGoodsName, 19));
}
BENCHMARK(BM_LeftByte_Korean);

}  // namespace

BENCHMARK_MAIN();
