#pragma once

namespace polvane {

// A moment of the user's local calendar and clock, to the second.
struct LocalDateTime {
    int year = 1899;
    int month = 12; // 1 to 12
    int day = 30;   // 1 to 31
    int hour = 0;   // 0 to 23
    int minute = 0;
    int second = 0;

    // Days since 30 December 1899 with the time of day as the fraction, the form the
    // crash marker stores. Before that day the whole days count down and the time of day
    // still counts away from zero (6 am on 29 December 1899 is -1.25), as that form has
    // it. Throws std::invalid_argument for a field outside its range.
    double ToOleDate() const;

    bool operator==(const LocalDateTime&) const = default;
};

} // namespace polvane
