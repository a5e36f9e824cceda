#pragma once
// Date texts and the month suffix of the monthly tables, built from whole numbers the
// caller took from the work date, today's date (orv::clock::Now()) or a date picker.
// None of these reads the clock.
#include <QString>
#include <cstdint>

// Style 0 yyyymmdd, 1 yyyy.mm.dd, 2 yyyy-mm-dd (each number without its sign, the year
// cut to four digits, month and day to two); any other style "". With blankFlag 1, ""
// when any of the three is 0.
QString FmtYmd(int16_t year, int16_t month, int16_t day, int16_t style, int16_t blankFlag);
// The month suffix yymm of the monthly tables; month 0 is December of the year before,
// month 13 January of the year after ((2024, 0) gives "2312", (2024, 13) "2501").
QString FmtYyMm(int16_t year, int16_t month);
// yymm as a number (2401 for 2024 and 1); months 0 and 13 are not stepped.
int16_t YyMmNum(int16_t year, int16_t month);
// Four digits with leading zeros ("0005"); "" for 0 and below.
QString Pad4(int32_t number);
