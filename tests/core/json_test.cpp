#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "core/json.h"

using orv::json::Decimal;
using orv::json::Value;

namespace {

// A compact picture of a tree: {key=value;...} [item,...] 'text' #number true null ~ (empty).
QString Dump(const Value &v) {
  switch (v.type()) {
    case Value::Type::Empty: return "~";
    case Value::Type::Null: return "null";
    case Value::Type::Boolean: return v.AsBoolean() ? "true" : "false";
    case Value::Type::Number: return "#" + v.AsNumber().ToText();
    case Value::Type::Text: return "'" + v.AsText() + "'";
    case Value::Type::Dictionary: {
      const auto &d = v.AsDictionary();
      QStringList parts;
      for (int i = 1; i <= d.Count(); ++i) parts << d.KeyAt(i) + "=" + Dump(d.ItemAt(i));
      return "{" + parts.join(';') + "}";
    }
    case Value::Type::Collection: {
      const auto &c = v.AsCollection();
      QStringList parts;
      for (int i = 1; i <= c.Count(); ++i) parts << Dump(c.Item(i));
      return "[" + parts.join(',') + "]";
    }
  }
  return "?";
}

struct Case {
  QString text, tree, errors;
};

void Check(const Case &c) {
  const Value v = JsonParse(c.text);
  EXPECT_EQ(Dump(v).toStdString(), c.tree.toStdString()) << c.text.toStdString();
  EXPECT_EQ(JsonErrors().toStdString(), c.errors.toStdString()) << c.text.toStdString();
}

TEST(JsonReader, WellFormedAndLenientTexts) {
  const Case cases[] = {
      {"[{'a':1},{'a':2}]", "[{a=#1},{a=#2}]", ""},
      {"{'a':'x', b:true}", "{a='x';b=true}", ""},
      {"({'a':'x', b:true})", "{a='x';b=true}", ""},
      {"{'a':1 'b':2}", "{a=#1;b=#2}", ""},
      {"{}", "{}", ""},
      {"[]", "[]", ""},
      {"  \r\n\t[ ]  trailing text is not examined", "[]", ""},
      {R"({"s":"x","n":-12.50,"t":true,"f":false,"z":null,"o":{},"l":[1,[2]]})",
       "{s='x';n=#-12.5;t=true;f=false;z=null;o={};l=[#1,[#2]]}", ""},
      {"{,'a':1}", "{a=#1}", ""},          // a comma before a member is passed over
      {"[,1]", "[#1]", ""},
      {"['a' 'b']", "['a','b']", ""},      // elements without commas
      {"{\"first name\":1}", "{firstname=#1}", ""},  // blanks in keys are dropped
      {"{'a:b':1}", "{a:b=#1}", ""},       // a colon inside quotes belongs to the key
      {"{\"it's\":1,'say \"hi\"':2}", "{it's=#1;say\"hi\"=#2}", ""},
      {"{'A':1,'a':2}", "{A=#1;a=#2}", ""},  // keys are case-sensitive
      {"[1e3, .5, -0, +7, 1.0E-2]", "[#1000,#0.5,#0,#7,#0.01]", ""},
      {"[79228162514264337593543950335]", "[#79228162514264337593543950335]", ""},
      {"[0.1234567890123456789012345678]", "[#0.1234567890123456789012345678]", ""},
      // More digits than fit are rounded, halves to even.
      {"[1.00000000000000000000000000005]", "[#1]", ""},
      {"[1.00000000000000000000000000015]", "[#1.0000000000000000000000000002]", ""},
  };
  for (const auto &c : cases) Check(c);
}

TEST(JsonReader, CommentsAndParentheses) {
  const Case cases[] = {
      {"/* block\n comment */ [1] // after", "[#1]", ""},
      {"[1, // one\n 2]", "[#1,#2]", ""},
      {"[1, // see a/b and a*b\n 2]", "[#1,#2]", ""},
      {"[1, /* a*b **/ 2]", "[#1,#2]", ""},
      {"[1, /* to the end", "[#1,~]", "Missing ']': [1, /* to the end\r\n"},
      {"(((['x'])))", "['x']", ""},
      {"[/ 1]", "[#1]", ""},  // a lone slash is passed over
  };
  for (const auto &c : cases) Check(c);
}

TEST(JsonReader, Strings) {
  const Case cases[] = {
      {R"(['\u00e9'])", QStringLiteral("['é']"), ""},
      {R"(['\q'])", "['q']", ""},
      {R"(['a\"b\\c\/d\'e'])", R"(['a"b\c/d'e'])", ""},
      {R"(['\t\n'])", "['\t\n']", ""},
      {R"(["\b\f\r"])", "['\b\f\r']", ""},
      {R"(['\u4aZZ!'])", QString("['") + QChar(0x4a) + "!']", ""},  // two hex digits read
      {"[\"it's\", 'say \"hi\"']", "['it's','say \"hi\"']", ""},
      {QStringLiteral("['한글 텍스트']"), QStringLiteral("['한글 텍스트']"), ""},
      {"['open to the end", "['open to the end']", "Missing ']': ['open to the end\r\n"},
      {"['ends in a backslash\\", "['ends in a backslash']",
       "Missing ']': " + QString("['ends in a backslash\\").right(20) + "\r\n"},
  };
  for (const auto &c : cases) Check(c);
  // A long string comes back whole.
  const QString big(50000, QChar(0xAC00));
  EXPECT_EQ(JsonParse("['" + big + "']")[1].AsText(), big);
}

TEST(JsonReader, ErrorsAndPartTrees) {
  const Case cases[] = {
      {"{'a':1,}", "{a=#1;}=~}", "Missing '}': {'a':1,}\r\n"},
      {"{'a':1,'a':2}", "{a=#1}", "Key already exists: a\r\n"},
      {"{'a':tru}", "{a=false;tru}=~}",
       "Invalid Boolean at position 6 : tru}\r\nMissing '}': {'a':tru}\r\n"},
      {"{'a':nul, 'b':1}", "{a=~;nul,b=#1}",
       "Invalid null value at position 6 : nul, 'b':1}\r\n"},
      {"[1,]", "[#1]", "Type mismatch: ]\r\n"},
      {"[1,2", "[#1,~]", "Missing ']': [1,2\r\n"},
      {"[1,", "[#1,~]", "Missing ']': [1,\r\n"},
      {"abc", "~", "Invalid JSON"},
      {"", "~", "Invalid JSON"},
      {"{'a':1.2.3}", "{}", "Type mismatch: a\r\n"},
      {"{'a':-}", "{}", "Type mismatch: a\r\n"},
      {"{'a':1e99, 'b':1}", "{}", "Overflow: a\r\n"},
      {"[1e-99]", "[#0]", ""},
      {"{\"a\" 1}", "{a=#1}", "Invalid Key at position 6 : a\r\n"},
      // After a comma the next element is read at once: an extra comma is an empty number.
      {"[1,,2]", "[#1]", "Type mismatch: ,2]\r\n"},
      // An error inside a nested value ends that value; the outer one reads on from there.
      {"[[1,}],2]", "[[#1]]", "Type mismatch: }],2]\r\nType mismatch: }],2]\r\n"},
      {"{'x':{'a':1,'a':2},'y':3}", "{x={a=#1}}", "Key already exists: a\r\n"},
      // An invalid literal inside an array ends the array, its error recorded.
      {"[1,tru,3]", "[#1]", "Invalid Boolean at position 4 : tru,3]\r\n"},
      {"[[nul],2]", "[[]]",
       "Invalid null value at position 3 : nul],2]\r\nInvalid null value at position 3 : nul],2]\r\n"},
      {"[1,fals]", "[#1]", "Invalid Boolean at position 4 : fals]\r\n"},
  };
  for (const auto &c : cases) Check(c);
  // The error text belongs to the last parse only.
  JsonParse("abc");
  JsonParse("[1]");
  EXPECT_EQ(JsonErrors(), "");
}

TEST(JsonReader, ErrorsQuoteAtMostTwentyCharacters) {
  const QString tail = "abcdefghijklmnopqrstuvwxyz";
  JsonParse("[1, " + tail);
  EXPECT_EQ(JsonErrors(), "Type mismatch: " + tail.left(20) + "\r\n");
  JsonParse("[1, 2 " + tail.left(0) + "/*" + tail);
  EXPECT_EQ(JsonErrors(), "Missing ']': " + ("[1, 2 /*" + tail).right(20) + "\r\n");
}

TEST(JsonReader, DeepNestingIsRefusedNotFatal) {
  const QString deep = QString(200000, '[') + QString(200000, ']');
  EXPECT_TRUE(JsonParse(deep).IsEmpty());
  EXPECT_TRUE(JsonErrors().startsWith("Nesting too deep at position ")) << JsonErrors().left(80).toStdString();
  // Nesting that real replies use is fine.
  const QString ok = QString(100, '[') + "1" + QString(100, ']');
  const Value v = JsonParse(ok);
  EXPECT_EQ(JsonErrors(), "");
  EXPECT_TRUE(v.IsCollection());
}

TEST(JsonReader, TreeAccess) {
  const Value v = JsonParse("[{'personcode':'P1','usingpoint':1500.5}, {'personcode':'P2'}]");
  ASSERT_TRUE(v.IsCollection());
  EXPECT_EQ(v.AsCollection().Count(), 2);
  EXPECT_EQ(v[1]["personcode"].AsText(), "P1");
  EXPECT_EQ(v[1]["usingpoint"].AsNumber().ToCurrency(), orv::Currency::FromRaw(15005000));
  EXPECT_TRUE(v[2]["usingpoint"].IsEmpty());  // missing member
  EXPECT_TRUE(v[3].IsEmpty());                // past the end
  EXPECT_TRUE(v[0].IsEmpty());
  EXPECT_TRUE(v[1]["PersonCode"].IsEmpty());  // keys are case-sensitive
}

TEST(JsonDecimal, TextAndMoney) {
  const struct {
    const char *text;
    Decimal::Parse result;
    const char *plain;
    int64_t moneyRaw;  // INT64_MIN: out of the money range
  } cases[] = {
      {"0", Decimal::Parse::Ok, "0", 0},
      {"-0.00", Decimal::Parse::Ok, "0", 0},
      {"12.3400", Decimal::Parse::Ok, "12.34", 123400},
      {"-0.00005", Decimal::Parse::Ok, "-0.00005", 0},       // half to even: 0
      {"0.00015", Decimal::Parse::Ok, "0.00015", 2},         // half to even: 2
      {"922337203685477.5807", Decimal::Parse::Ok, "922337203685477.5807", INT64_MAX},
      {"-922337203685477.5808", Decimal::Parse::Ok, "-922337203685477.5808", INT64_MIN + 0},
      {"922337203685477.5808", Decimal::Parse::Ok, "922337203685477.5808", INT64_MIN},
      {"1E+2", Decimal::Parse::Ok, "100", 1000000},
      {"5.", Decimal::Parse::Ok, "5", 50000},
      {"", Decimal::Parse::Malformed, "", 0},
      {"-", Decimal::Parse::Malformed, "", 0},
      {".", Decimal::Parse::Malformed, "", 0},
      {"1e", Decimal::Parse::Malformed, "", 0},
      {"1-2", Decimal::Parse::Malformed, "", 0},
      {"--1", Decimal::Parse::Malformed, "", 0},
      {"1e1.5", Decimal::Parse::Malformed, "", 0},
      {"79228162514264337593543950336", Decimal::Parse::Overflow, "", 0},
      {"1e29", Decimal::Parse::Overflow, "", 0},
      {"1e999999999999", Decimal::Parse::Overflow, "", 0},
      {"0e999999999999", Decimal::Parse::Ok, "0", 0},
  };
  for (const auto &c : cases) {
    Decimal d;
    const auto r = Decimal::FromText(QString(c.text), d);
    EXPECT_EQ(r, c.result) << c.text;
    if (r != Decimal::Parse::Ok) continue;
    EXPECT_EQ(d.ToText(), c.plain) << c.text;
    const auto money = d.ToCurrency();
    if (c.moneyRaw == INT64_MIN && QString(c.text) != "-922337203685477.5808") {
      EXPECT_FALSE(money.has_value()) << c.text;
    } else {
      ASSERT_TRUE(money.has_value()) << c.text;
      EXPECT_EQ(money->raw(), c.moneyRaw) << c.text;
    }
  }
  EXPECT_EQ(*Decimal::FromText(u"1.50"), *Decimal::FromText(u"1.5"));
  EXPECT_EQ(Decimal::FromInt(-42).ToText(), "-42");
}

// Random and cut texts: the reader never crashes, never hangs, and always ends with a
// tree, or with nothing and an error.
TEST(JsonReader, FuzzedInputs) {
  const QString seeds[] = {
      R"({"a":[1,2,{"b":'c',d:null}],"e":true,"f":-1.5e3,/*x*/ "g":"\u0041\n"})",
      "[{'personcode':'P1','personname':'가나','usingpoint':100},(null),false]",
      "// c\n{'k':[[],{},'',\"\"], 'z':/* */ 0.5}",
  };
  const QString alphabet = "{}[]()'\",:/*\\ntrufalse0123456789.-+eE \r\nabc가u";
  QRandomGenerator rng(424242);
  int parsed = 0;
  for (const auto &seed : seeds) {
    for (int cut = 0; cut <= seed.size(); ++cut) {
      JsonParse(seed.left(cut));
      ++parsed;
    }
  }
  for (int i = 0; i < 3000; ++i) {
    QString t;
    if (rng.bounded(2)) {
      // A seed with random characters changed, inserted or removed.
      t = seeds[rng.bounded(3)];
      const int edits = 1 + int(rng.bounded(6));
      for (int k = 0; k < edits && !t.isEmpty(); ++k) {
        const int at = int(rng.bounded(int(t.size())));
        const QChar ch = alphabet[rng.bounded(int(alphabet.size()))];
        switch (rng.bounded(3)) {
          case 0: t[at] = ch; break;
          case 1: t.insert(at, ch); break;
          default: t.remove(at, 1); break;
        }
      }
    } else {
      const int len = int(rng.bounded(60));
      for (int k = 0; k < len; ++k) t += alphabet[rng.bounded(int(alphabet.size()))];
      if (rng.bounded(2)) t.prepend(rng.bounded(2) ? '[' : '{');
    }
    const Value v = JsonParse(t);
    if (v.IsEmpty()) EXPECT_FALSE(JsonErrors().isEmpty()) << t.toStdString();
    else EXPECT_TRUE(v.IsDictionary() || v.IsCollection()) << t.toStdString();
    ++parsed;
  }
  EXPECT_GT(parsed, 3000);
}

}  // namespace
