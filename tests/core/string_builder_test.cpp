#include <gtest/gtest.h>

#include <stdexcept>

#include "core/cStringBuilder.h"

namespace {

cStringBuilder Of(const QString &text) {
  cStringBuilder sb;
  sb.Append(text);
  return sb;
}

TEST(StringBuilder, GrowsByWholeChunks) {
  cStringBuilder sb;
  EXPECT_EQ(sb.Length(), 0);
  EXPECT_EQ(sb.Capacity(), 0);
  EXPECT_EQ(sb.ChunkSize(), 8192);
  EXPECT_EQ(sb.toString(), "");
  sb.Append("a");
  EXPECT_EQ(sb.Length(), 1);
  EXPECT_EQ(sb.Capacity(), 8192);
  sb.Append(QString(9000, 'b'));
  EXPECT_EQ(sb.Length(), 9001);
  EXPECT_EQ(sb.Capacity(), 16384);
  // One addition several chunks long grows by as many chunks at once.
  sb.Append(QString(20000, 'c'));
  EXPECT_EQ(sb.Capacity(), 32768);
  EXPECT_EQ(sb.toString(), "a" + QString(9000, 'b') + QString(20000, 'c'));
  sb.Append("");
  EXPECT_EQ(sb.Length(), 29001);
}

TEST(StringBuilder, AppendVariantsAndTheString) {
  cStringBuilder sb;
  sb.AppendNL(QStringLiteral("가나"));
  sb.AppendByVal("x");
  EXPECT_EQ(sb.toString(), QStringLiteral("가나\r\nx"));
  sb.TheString("replaced");
  EXPECT_EQ(sb.toString(), "replaced");
  EXPECT_EQ(sb.Capacity(), 8192);
  sb.TheString(QString(10000, 'z'));
  EXPECT_EQ(sb.Capacity(), 16384);
  EXPECT_EQ(sb.Length(), 10000);
  sb.TheString("");
  EXPECT_EQ(sb.Capacity(), 0);
  EXPECT_EQ(sb.Length(), 0);
  sb.ChunkSize(4);
  sb.Append("abcde");
  sb.Clear();
  EXPECT_EQ(sb.Capacity(), 0);
  EXPECT_EQ(sb.ChunkSize(), 4);  // kept by Clear
}

TEST(StringBuilder, InsertAndRemove) {
  const struct {
    int index;
    QString expect;  // empty: out of range
  } inserts[] = {{0, "xab"}, {1, "axb"}, {2, "abx"}, {3, ""}, {-1, ""}};
  for (const auto &c : inserts) {
    cStringBuilder sb = Of("ab");
    if (c.expect.isEmpty()) {
      EXPECT_THROW(sb.Insert(c.index, "x"), std::out_of_range) << c.index;
      EXPECT_EQ(sb.toString(), "ab");
    } else {
      sb.InsertByVal(c.index, "x");
      EXPECT_EQ(sb.toString(), c.expect) << c.index;
    }
  }
  const struct {
    int index, length;
    QString expect;  // empty: out of range
  } removes[] = {{1, 1, "ac"}, {0, 3, "-"},  {3, 0, "abc"}, {0, 0, "abc"},
                 {2, 2, ""},   {4, 0, ""},   {-1, 1, ""},   {1, -1, ""}};
  for (const auto &c : removes) {
    cStringBuilder sb = Of("abc");
    if (c.expect.isEmpty()) {
      EXPECT_THROW(sb.Remove(c.index, c.length), std::out_of_range) << c.index << "," << c.length;
      EXPECT_EQ(sb.toString(), "abc");
    } else {
      sb.Remove(c.index, c.length);
      EXPECT_EQ(sb.toString(), c.expect == "-" ? "" : c.expect);
      EXPECT_EQ(sb.Capacity(), 8192);
    }
  }
  // An insert that needs a new chunk keeps the text on both sides.
  cStringBuilder sb;
  sb.ChunkSize(4);
  sb.Append("abcd");
  sb.Insert(2, "XYZ");
  EXPECT_EQ(sb.toString(), "abXYZcd");
  EXPECT_EQ(sb.Capacity(), 8);
}

TEST(StringBuilder, Find) {
  const cStringBuilder sb = Of("abcABC");
  const struct {
    QString what;
    int start;
    cStringBuilder::Compare cmp;
    int expect;
  } cases[] = {
      {"c", 1, cStringBuilder::Compare::Binary, 3},
      {"z", 1, cStringBuilder::Compare::Binary, 0},
      {"c", 0, cStringBuilder::Compare::Binary, 3},
      {"c", -5, cStringBuilder::Compare::Binary, 3},
      {"c", 4, cStringBuilder::Compare::Binary, 0},
      {"C", 1, cStringBuilder::Compare::Binary, 6},
      {"C", 1, cStringBuilder::Compare::Text, 3},
      {"bca", 1, cStringBuilder::Compare::Text, 2},
      {"C", 7, cStringBuilder::Compare::Binary, 0},
      // The spare capacity is never part of a match.
      {"C ", 1, cStringBuilder::Compare::Binary, 0},
      {" ", 1, cStringBuilder::Compare::Binary, 0},
  };
  for (const auto &c : cases)
    EXPECT_EQ(sb.Find(c.what, c.start, c.cmp), c.expect) << c.what.toStdString() << " " << c.start;
  EXPECT_EQ(cStringBuilder().Find("a"), 0);
}

TEST(StringBuilder, HeapMinimizeLeavesAtMostOneChunk) {
  cStringBuilder sb;
  sb.Append(QString(40000, 'a'));
  EXPECT_EQ(sb.Capacity(), 40960);
  sb.Remove(10, 39980);
  sb.HeapMinimize();
  EXPECT_EQ(sb.Capacity(), 8192);
  EXPECT_EQ(sb.toString(), QString(20, 'a'));
  sb.Clear();
  sb.Append(QString(9000, 'a'));  // spare under one chunk: nothing to give back
  sb.HeapMinimize();
  EXPECT_EQ(sb.Capacity(), 16384);
  sb.Remove(0, 9000);
  sb.HeapMinimize();
  EXPECT_EQ(sb.Capacity(), 8192);
}

TEST(StringBuilder, ChunkSizeBelowOneIsClampedAndHugeOnesRefused) {
  for (int size : {0, -1, -100000}) {
    cStringBuilder sb;
    sb.ChunkSize(size);
    EXPECT_EQ(sb.ChunkSize(), 1);
    sb.Append("abc");  // would never make room with a chunk of zero bytes
    sb.Insert(0, "x");
    EXPECT_EQ(sb.toString(), "xabc");
    EXPECT_EQ(sb.Capacity(), 4);
  }
  cStringBuilder sb;
  sb.ChunkSize(100);
  EXPECT_THROW(sb.ChunkSize(0x40000000), std::overflow_error);
  EXPECT_EQ(sb.ChunkSize(), 100);
}

TEST(StringBuilder, CopiesAreIndependent) {
  cStringBuilder a = Of("abc");
  cStringBuilder b = a;
  b.Append("d");
  a = b;
  b.Remove(0, 1);
  EXPECT_EQ(a.toString(), "abcd");
  EXPECT_EQ(b.toString(), "bcd");
}

}  // namespace
