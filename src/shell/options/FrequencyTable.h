#pragma once

namespace polvane {

// The 23 third-octave centre frequencies from 100 Hz to 16 kHz, 1-based.
class FrequencyTable {
public:
    static constexpr int kCount = 23;
    static int Count() { return kCount; }
    // In hertz; an index outside 1..23 throws std::out_of_range.
    static float Frequency(int index);
};

} // namespace polvane
