#pragma once

namespace polvane {

// Which tool windows an update refreshes; the rows of the update hub's scope table. The
// values are the codes the hub's table is numbered by.
enum class UpdateScope : int {
    All = 0,                    // all twelve tool windows
    AllButArrayNotesAreas = 1,  // all but array configuration, notes and seating areas
    Results = 2,                // the windows that show the array or the prediction
    AllButNotesAreas = 3,       // all but notes and seating areas
    AnalysedFrequency = 4,      // frequency response options, evenness graph, venue and the levels
    Display = 5,                // the drawing windows and notes
    ListeningPoints = 6,        // listening points and venue
    RiggingDetails = 7,         // rigging details alone
    ResultsAndAreas = 8,        // scope 2 and seating areas, without bumper configuration
    ListeningConditions = 9,    // frequency response options, evenness graph, listening points, venue
};

} // namespace polvane
