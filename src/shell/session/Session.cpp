#include "shell/session/Session.h"

#include <stdexcept>
#include <utility>

#include "engine/Environment.h"

namespace polvane {

Session::Session(SettingsStore& store) : venue_(std::make_unique<Environment>()), options_(store) {}

Session::~Session() = default;

std::unique_ptr<Environment> Session::ReplaceVenue(std::unique_ptr<Environment> venue)
{
    if (!venue)
        throw std::invalid_argument("The open venue cannot be replaced by none");
    std::swap(venue_, venue);
    return venue;
}

void Session::StoreResults(CalculationResults results) { results_ = std::move(results); }

void Session::Recalculate()
{
    results_ = venue_->GenerateCalculations(false, options_.EngineeringMode());
}

} // namespace polvane
