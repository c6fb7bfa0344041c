#include "platform/LocalDateTime.h"

#include <stdexcept>
#include <string>

namespace polvane {

namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1 January 1970 in the proleptic Gregorian calendar.
long long DaysFromCivil(int year, int month, int day)
{
    const long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

} // namespace

double LocalDateTime::ToOleDate() const
{
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        throw std::invalid_argument("Not a valid date and time: " + std::to_string(year) + "-" +
                                    std::to_string(month) + "-" + std::to_string(day) + " " +
                                    std::to_string(hour) + ":" + std::to_string(minute) + ":" +
                                    std::to_string(second));
    const long long days = DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30);
    const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

} // namespace polvane
