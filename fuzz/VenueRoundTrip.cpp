#include "VenueRoundTrip.h"

#include <exception>
#include <stdexcept>
#include <string>

#include "FuzzCheck.h"
#include "engine/CalculationResults.h"
#include "engine/Environment.h"
#include "files/VenueFile.h"

namespace polvane {

void VenueRoundTrip::Check(Environment& loaded)
{
    std::string saved;
    try {
        saved = VenueFile::SaveToString(loaded);
    } catch (const std::length_error&) {
        return; // a note too long for one line of a file: refused with a message
    } catch (const std::exception& e) {
        FuzzCheck::Fail(std::string("a loaded venue cannot be saved: ") + e.what());
    }
    try {
        loaded.GenerateCalculations(false);
    } catch (const std::exception& e) {
        FuzzCheck::Fail(std::string("the prediction failed: ") + e.what());
    }
    Environment again;
    try {
        VenueFile::LoadFrom(again, saved, "saved");
    } catch (const std::exception& e) {
        FuzzCheck::Fail(std::string("a saved venue does not load: ") + e.what());
    }
    FuzzCheck::Require(VenueFile::SaveToString(again) == saved,
                       "a saved venue loads as a different venue");
}

} // namespace polvane
