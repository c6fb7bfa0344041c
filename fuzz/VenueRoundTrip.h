#pragma once

namespace polvane {

class Environment;

// What every venue that loads must allow: a prediction that does not fail, and a save whose
// text loads again into a venue that saves the same text.
class VenueRoundTrip {
public:
    // Aborts (FuzzCheck) on any failure or difference.
    static void Check(Environment& loaded);
};

} // namespace polvane
