#pragma once
// The clock's hour and minute as the chit numbering reads them.
#include <cstdint>

extern int16_t giNowHour;  // 1 to 24: hour 0 is stored as 24
extern int16_t giNowMin;

// Sets giNowHour and giNowMin from the program clock's hhmmss.
void SplitNowTime();
