#include "model/CoreSettings.h"

#include <utility>

namespace polvane {

namespace {
std::function<UnitsCode()>& UnitsSource()
{
    static std::function<UnitsCode()> source;
    return source;
}
float g_snapToGridSize = 1.0f;
bool g_engineeringMode = false;
} // namespace

UnitsCode CoreSettings::OpenVenueUnits()
{
    const auto& source = UnitsSource();
    return source ? source() : UnitsCode::English;
}

void CoreSettings::SetOpenVenueUnitsSource(std::function<UnitsCode()> source)
{
    UnitsSource() = std::move(source);
}

float CoreSettings::SnapToGridSize() { return g_snapToGridSize; }
void CoreSettings::SetSnapToGridSize(float size) { g_snapToGridSize = size; }
bool CoreSettings::EngineeringMode() { return g_engineeringMode; }
void CoreSettings::SetEngineeringMode(bool on) { g_engineeringMode = on; }

void CoreSettings::Reset()
{
    UnitsSource() = nullptr;
    g_snapToGridSize = 1.0f;
    g_engineeringMode = false;
}

} // namespace polvane
