// Reading a 100 KB reply-like document; the goal is at least 20 MB/s.
#include <benchmark/benchmark.h>

#include <QString>

#include "core/json.h"

namespace {

QString Document(int targetBytes) {
  QString doc = "[";
  for (int i = 0; doc.toUtf8().size() < targetBytes; ++i) {
    if (i) doc += ",\n";
    doc += QString(R"({"personcode":"P%1","personname":"%2 %1","usingpoint":%3.5,)"
                   R"("active":%4,"memo":null,"tags":["a","b\n","\u00e9"],)"
                   R"('card':{'no':'9410-****-%1','limit':-1.25e3}})")
               .arg(i)
               .arg(QStringLiteral("홍길동"))
               .arg(i * 37)
               .arg(i % 2 ? "true" : "false");
  }
  return doc + "]";
}

void BM_JsonParse100K(benchmark::State &state) {
  const QString doc = Document(100 * 1024);
  const int64_t bytes = doc.toUtf8().size();
  for (auto _ : state) {
    orv::json::Value v = JsonParse(doc);
    benchmark::DoNotOptimize(v);
  }
  if (!JsonErrors().isEmpty()) state.SkipWithError("document did not parse cleanly");
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_JsonParse100K)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
