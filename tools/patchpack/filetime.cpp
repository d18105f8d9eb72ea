#include "tools/patchpack/filetime.h"

#include <stdio.h>

namespace {

const int64_t TICKS_PER_SECOND = 10000000;
const int64_t SECONDS_1601_TO_1970 = 11644473600LL;

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = (unsigned)(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + (int64_t)doe - 719468;
}

void CivilFromDays(int64_t z, int64_t* y, unsigned* m, unsigned* d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = (unsigned)(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  *d = doy - (153 * mp + 2) / 5 + 1;
  *m = mp < 10 ? mp + 3 : mp - 9;
  *y = (int64_t)yoe + era * 400 + (*m <= 2);
}

bool IsLeap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool ReadDigits(const char* p, int count, unsigned* value) {
  unsigned v = 0;
  for (int i = 0; i < count; ++i) {
    if (p[i] < '0' || p[i] > '9') return false;
    v = v * 10 + (unsigned)(p[i] - '0');
  }
  *value = v;
  return true;
}

}  // namespace

bool ParseIsoTime(const char* text, uint64_t* fileTime) {
  static const char SHAPE[] = "dddd-dd-ddTdd:dd:ddZ";
  for (int i = 0; i < 20; ++i) {
    if (text[i] == '\0') return false;
    if (SHAPE[i] != 'd' && text[i] != SHAPE[i]) return false;
  }
  if (text[20] != '\0') return false;
  unsigned year, month, day, hour, minute, second;
  if (!ReadDigits(text, 4, &year) || !ReadDigits(text + 5, 2, &month) ||
      !ReadDigits(text + 8, 2, &day) || !ReadDigits(text + 11, 2, &hour) ||
      !ReadDigits(text + 14, 2, &minute) || !ReadDigits(text + 17, 2, &second)) {
    return false;
  }
  static const unsigned MONTH_DAYS[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1601 || month < 1 || month > 12 || hour > 23 || minute > 59 || second > 59) {
    return false;
  }
  const unsigned monthDays = MONTH_DAYS[month - 1] + (month == 2 && IsLeap(year));
  if (day < 1 || day > monthDays) return false;
  const int64_t unixSeconds =
      DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
  *fileTime = (uint64_t)((unixSeconds + SECONDS_1601_TO_1970) * TICKS_PER_SECOND);
  return true;
}

std::string FormatIsoTime(uint64_t fileTime) {
  const uint64_t seconds = fileTime / TICKS_PER_SECOND;
  const unsigned fraction = (unsigned)(fileTime % TICKS_PER_SECOND);
  const int64_t unixSeconds = (int64_t)seconds - SECONDS_1601_TO_1970;
  int64_t days = unixSeconds / 86400;
  int64_t rest = unixSeconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  int64_t year;
  unsigned month, day;
  CivilFromDays(days, &year, &month, &day);
  char text[48];
  int len = snprintf(text, sizeof text, "%04lld-%02u-%02uT%02u:%02u:%02u", (long long)year,
                     month, day, (unsigned)(rest / 3600), (unsigned)(rest / 60 % 60),
                     (unsigned)(rest % 60));
  if (fraction != 0 && len > 0 && (size_t)len < sizeof text) {
    len += snprintf(text + len, sizeof text - (size_t)len, ".%07u", fraction);
  }
  std::string result(text);
  result += 'Z';
  return result;
}

uint64_t FileTimeFromTimespec(const struct timespec& ts) {
  return (uint64_t)(((int64_t)ts.tv_sec + SECONDS_1601_TO_1970) * TICKS_PER_SECOND +
                    ts.tv_nsec / 100);
}

struct timespec TimespecFromFileTime(uint64_t fileTime) {
  struct timespec ts;
  ts.tv_sec = (time_t)((int64_t)(fileTime / TICKS_PER_SECOND) - SECONDS_1601_TO_1970);
  ts.tv_nsec = (long)(fileTime % TICKS_PER_SECOND) * 100;
  return ts;
}
