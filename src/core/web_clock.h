#pragma once
// Setting the PC's clock from the date page of the shop system's web server.
#include <QString>
#include <cstdint>
#include <optional>

// Fetches the date page and sets the date, then the time, each when it is in range.
// A failed fetch or a reply without the date leaves the clock as it is.
void GetWebDateTime();

// The six numbers the date page gives, as read from their positions.
struct WebDateTime {
  int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
// nullopt when the reply has no "~> Date:" after its first character, or when a number
// position of the 19 characters after it holds no digit.
std::optional<WebDateTime> ParseDatePageReply(const QString &reply);

// Set the machine's local date (time of day kept) or time (date kept) when the values are
// in range and the day exists; otherwise, or without the right to change the clock,
// nothing changes.
void SetPcDate(int16_t year, int16_t month, int16_t day);
void SetPcTime(int16_t hour, int16_t minute, int16_t second);
