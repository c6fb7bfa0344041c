#pragma once

#include <memory>

#include "engine/CalculationResults.h"
#include "shell/options/Options.h"

namespace polvane {

class Environment;
class SettingsStore;

// What the running program shares between its parts: the open venue, the calculation
// results the windows, the status bar and the rigging sheet show, and the options. The
// composition root owns the one session and hands it to whoever needs it; a test makes
// its own.
class Session {
public:
    // Starts with an empty venue, empty results and the options of the store (not yet read).
    explicit Session(SettingsStore& store);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

    // The open venue. New and loading a state replace it as a whole, so nobody keeps it.
    Environment& Venue() { return *venue_; }
    const Environment& Venue() const { return *venue_; }
    // Puts a venue in place of the open one and gives back the one it replaced.
    std::unique_ptr<Environment> ReplaceVenue(std::unique_ptr<Environment> venue);

    const CalculationResults& Results() const { return results_; }
    CalculationResults& Results() { return results_; }
    void StoreResults(CalculationResults results);
    // Runs the prediction of the open venue into the results, with the listening points'
    // levels in engineering mode.
    void Recalculate();

    polvane::Options& Options() { return options_; }
    const polvane::Options& Options() const { return options_; }

private:
    std::unique_ptr<Environment> venue_;
    CalculationResults results_;
    polvane::Options options_;
};

} // namespace polvane
