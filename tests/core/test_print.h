#pragma once
// Money and text in test failure messages, and money from its text in tables of cases.
#include <QString>
#include <ostream>

#include "core/currency.h"

namespace orv {
inline void PrintTo(Currency c, std::ostream *os) { *os << c.ToPlainText().toStdString(); }
}  // namespace orv

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

// "12.5" as money; the tables only hold texts that fit.
inline orv::Currency M(const char *text) { return orv::Currency::FromText(QString::fromUtf8(text)).value(); }
