#pragma once

namespace polvane {

class Environment;

// What every venue that loads must allow: rigging queries and a prediction that do not fail,
// a front hang point before the back one, a copy that saves the same text and predicts the
// same loads, a change of units and back that keeps every hang point and splay, and a save
// whose text loads again into a venue that saves the same text and predicts the same loads.
class VenueRoundTrip {
public:
    // Aborts (FuzzCheck) on any failure or difference.
    static void Check(Environment& loaded);
};

} // namespace polvane
