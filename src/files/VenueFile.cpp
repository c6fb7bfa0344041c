#include "files/VenueFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <new>
#include <stdexcept>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/Environment.h"
#include "files/FileFormatError.h"
#include "files/InputFile.h"
#include "files/VenueLimits.h"
#include "model/ProductTables.h"
#include "model/Units.h"
#include "model/Windows1252.h"

namespace polvane {

namespace fs = std::filesystem;

namespace {

using Type = FileChunk::Type;

constexpr std::string_view kUnitsKey = "MEASUREMENT_UNITS";
constexpr std::string_view kTemperatureKey = "TEMPERATURE_CELSIUS";
constexpr std::string_view kAggregateKey = "USE_AGGREGATE_FREQUENCIES";
constexpr std::string_view kFrequencyCountKey = "FREQUENCY_COUNT";
constexpr std::string_view kActiveFrequencyKey = "ACTIVE_FREQUENCY";
constexpr std::string_view kEarHeightKey = "EAR_HEIGHT";
constexpr std::string_view kAreaCountKey = "SEATING_AREA_COUNT";
constexpr std::string_view kArrayTypeKey = "LINE_ARRAY_TYPE";
constexpr std::string_view kConfigurationKey = "LINE_ARRAY_CONFIGURATION";
constexpr std::string_view kPinningKey = "LINE_ARRAY_PINNING_STYLE";
constexpr std::string_view kBumperXKey = "BUMPER_LOCATION_X";
constexpr std::string_view kBumperYKey = "BUMPER_LOCATION_Y";
constexpr std::string_view kBumperAngleKey = "BUMPER_ANGLE_DEGREES";
constexpr std::string_view kRiggingKey = "BUMPER_RIGGING_STYLE";
constexpr std::string_view kFrontHoleKey = "BUMPER_RIGGING_FRONT_HOLE_INDEX";
constexpr std::string_view kBackHoleKey = "BUMPER_RIGGING_BACK_HOLE_INDEX";
constexpr std::string_view kHoleKey = "BUMPER_RIGGING_HOLE_INDEX";
constexpr std::string_view kCellCountKey = "CELL_COUNT";
constexpr std::string_view kPointCountKey = "LISTENING_POINT_COUNT";
constexpr std::string_view kReferenceKey = "LISTENING_POINT_REFERENCE_INDEX";
constexpr std::string_view kNotesKey = "NOTES";

constexpr std::array<std::string_view, ProductTables::kBrandCount> kBrandNames = {
    "TARVIC KV9", "TARVIC KV7", "TARVIC KV4", "R.SARN", "DE.VELT"};

constexpr float kEnglishEarHeight = 4.25f;
constexpr float kMetricEarHeight = 1.3f;

// "SEATING_AREA_3_NAME" from ("SEATING_AREA_", 3, "_NAME").
std::string Numbered(std::string_view prefix, int i, std::string_view suffix)
{
    std::string key(prefix);
    key += std::to_string(i);
    key += suffix;
    return key;
}

// ASCII only: the switches and names of the file are ASCII, and the result must not
// depend on the locale.
std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}


std::string Quoted(std::string_view text)
{
    std::string quoted(1, '"');
    return quoted.append(text).append(1, '"');
}

// The records of a file by type and name, so that a venue of many cells reads in linear
// time. Each slot holds the first record of its type and name in file order, as
// FileData::Find does.
class Keys {
public:
    Keys(const FileData& data, const std::string& source) : source_(source), data_(data)
    {
        index_.reserve(data.RecordCount());
        for (const FileChunk& chunk : data.Records()) {
            const FileChunk*& slot = index_[chunk.Name()][chunk.DataType()];
            if (!slot)
                slot = &chunk;
        }
    }

    [[noreturn]] void Fail(std::string reason) const
    {
        throw FileFormatError(source_, 0, std::move(reason));
    }

    // Texts come back as UTF-8 whether the file holds UTF-8 or the earlier program's
    // Windows-1252.
    std::string String(std::string_view key, std::string_view fallback) const
    {
        const FileChunk* chunk = Find(Type::kString, key);
        return chunk ? Windows1252::DecodeFileText(std::get<std::string>(chunk->value()))
                     : std::string(fallback);
    }
    std::string RequiredString(std::string_view key) const
    {
        return Windows1252::DecodeFileText(std::get<std::string>(Required(Type::kString, key).value()));
    }

    float Single(std::string_view key, float fallback) const
    {
        const FileChunk* chunk = Find(Type::kSingle, key);
        return chunk ? Finite(key, std::get<float>(chunk->value())) : fallback;
    }
    float RequiredSingle(std::string_view key) const
    {
        return Finite(key, std::get<float>(Required(Type::kSingle, key).value()));
    }
    double RequiredDouble(std::string_view key) const
    {
        return Finite(key, std::get<double>(Required(Type::kDouble, key).value()));
    }
    std::int32_t RequiredInteger(std::string_view key) const
    {
        return std::get<std::int32_t>(Required(Type::kInteger, key).value());
    }

    // A required count of items that each take at least one record: a negative count, or
    // one the file cannot hold, is refused before anything is allocated or looped over.
    int Count(std::string_view key) const
    {
        const std::int32_t count = RequiredInteger(key);
        if (count < 0)
            Fail(Quoted(key) + " is " + std::to_string(count) + "; a count cannot be negative");
        if (static_cast<std::size_t>(count) > data_.RecordCount())
            Fail(Quoted(key) + " is " + std::to_string(count) + ", more than the " +
                 std::to_string(data_.RecordCount()) + " records the file holds");
        return count;
    }

private:
    const FileChunk* Find(Type type, std::string_view key) const
    {
        const auto found = index_.find(key);
        return found == index_.end() ? nullptr : found->second[type];
    }

    const FileChunk& Required(Type type, std::string_view key) const
    {
        if (const FileChunk* chunk = Find(type, key))
            return *chunk;
        std::string reason = "the required key " + Quoted(key) + " is missing";
        // A record of the right name and the wrong tag is the likelier mistake: say so.
        if (const auto found = index_.find(key); found != index_.end()) {
            for (int other = 0; other < 4; ++other) {
                if (found->second[other]) {
                    reason += " (it must be written as " +
                              std::string(FileChunk::TagOf(type)) + "; the file has it as " +
                              std::string(FileChunk::TagOf(static_cast<Type>(other))) + ")";
                    break;
                }
            }
        }
        Fail(std::move(reason));
    }

    template <typename T>
    T Finite(std::string_view key, T value) const
    {
        if (!std::isfinite(value))
            Fail("the value of " + Quoted(key) + " is not a finite number");
        return value;
    }

    const std::string& source_;
    const FileData& data_;
    std::unordered_map<std::string_view, std::array<const FileChunk*, 4>> index_;
};

// Fills a cleared venue from the records, in the order the setters need: the units before
// every length, the configuration and brand before the pin style, the bumper's angle
// before its rigging, and the array's settings before its cells are added.
void ReadVenue(Environment& venue, const Keys& keys)
{
    venue.SetUnits(Lower(keys.String(kUnitsKey, "English")) == "metric" ? UnitsCode::Metric : UnitsCode::English);
    venue.AmbientTemperature().SetCelsius(keys.Single(kTemperatureKey, 22.0f));

    const bool aggregate = Lower(keys.String(kAggregateKey, "No")) == "yes";
    venue.SetAggregateFrequencies(aggregate);
    if (aggregate) {
        const int count = keys.Count(kFrequencyCountKey);
        std::vector<float> frequencies;
        frequencies.reserve(static_cast<std::size_t>(count));
        for (int i = 1; i <= count; ++i)
            frequencies.push_back(keys.RequiredSingle(Numbered("FREQUENCY_", i, "_HZ")));
        venue.SetFrequencyList(std::move(frequencies));
    } else {
        venue.SetCenterFrequency(keys.Single(kActiveFrequencyKey, 1000.0f));
    }

    venue.SetEarHeight(keys.Single(
        kEarHeightKey, venue.Units() == UnitsCode::Metric ? kMetricEarHeight : kEnglishEarHeight));

    // Coordinates are held to what the windows allow, so that no hand edit takes the
    // prediction far outside any venue.
    const auto distance = [&keys, &venue](const std::string& key) {
        const float x = keys.RequiredSingle(key);
        VenueLimits::CheckDistance(x, venue.Units(), Quoted(key));
        return x;
    };
    const int areaCount = keys.Count(kAreaCountKey);
    for (int i = 1; i <= areaCount; ++i) {
        Plane& area = venue.SeatingAreas().Add();
        area.SetName(keys.RequiredString(Numbered("SEATING_AREA_", i, "_NAME")));
        area.FrontPoint().x = distance(Numbered("SEATING_AREA_", i, "_FRONT_X"));
        area.FrontPoint().y = distance(Numbered("SEATING_AREA_", i, "_FRONT_Y"));
        area.BackPoint().x = distance(Numbered("SEATING_AREA_", i, "_BACK_X"));
        area.BackPoint().y = distance(Numbered("SEATING_AREA_", i, "_BACK_Y"));
    }

    LineArray& array = venue.LineArray();
    array.SetConfiguration(Lower(keys.String(kConfigurationKey, "Flown")) == "stacked"
                               ? ConfigurationCode::GroundStacked
                               : ConfigurationCode::Flown);
    array.SetBrand(VenueFile::BrandFromText(keys.String(kArrayTypeKey, kBrandNames[0])));
    array.SetPinStyle(Lower(keys.String(kPinningKey, "Slide")) == "fixed" ? PinStyleCode::Fixed : PinStyleCode::Slide);

    Bumper& bumper = array.Bumper();
    const float bumperX = distance(std::string(kBumperXKey));
    const float bumperY = distance(std::string(kBumperYKey));
    bumper.SetLocation(Point2D(bumperX, bumperY));
    bumper.SetAngle(Angle::FromDegrees(keys.RequiredDouble(kBumperAngleKey)));
    const std::string rigging = Lower(keys.RequiredString(kRiggingKey));
    const bool singlePoint =
        rigging == "single-point" || rigging == "singlepoint" || rigging == "single";
    bumper.SetRigging(singlePoint ? RiggingCode::SinglePoint : RiggingCode::DualPoint);
    // A hole the bumper does not have (a file whose array type was edited) would make
    // every prediction fail.
    const auto hole = [&keys, &bumper](std::string_view key) {
        const int number = keys.RequiredInteger(key);
        VenueLimits::CheckHole(number, bumper, Quoted(key));
        return number;
    };
    if (singlePoint) {
        bumper.SetFrontHangPoint(hole(kHoleKey));
    } else {
        const int front = hole(kFrontHoleKey);
        const int back = hole(kBackHoleKey);
        VenueLimits::CheckHangPointOrder(front, back, Quoted(kFrontHoleKey), Quoted(kBackHoleKey));
        bumper.SetFrontHangPoint(front);
        bumper.SetBackHangPoint(back);
    }

    const int cellCount = keys.Count(kCellCountKey);
    VenueLimits::CheckRange(cellCount, 0, VenueLimits::kMaxCells, Quoted(kCellCountKey), "cells");
    for (int i = 1; i <= cellCount; ++i) {
        Cell& cell = array.Cells().Add();
        cell.SetCellType(
            VenueFile::CellTypeFromText(keys.RequiredString(Numbered("CELL_", i, "_TYPE"))));
        // A splay the program itself leaves and saves (outside the list of the cell's case
        // after a removal, say) must open as it was saved; anything else is snapped.
        cell.RestoreSplay(keys.RequiredDouble(Numbered("CELL_", i, "_ANGLE_DEGREES")));
        cell.SetAttenuation(keys.Single(Numbered("CELL_", i, "_ATTENUATION"), 0.0f));
    }

    const int pointCount = keys.Count(kPointCountKey);
    VenueLimits::CheckRange(pointCount, 0, VenueLimits::kMaxListeningPoints, Quoted(kPointCountKey),
                            "listening points");
    // A point off every area would silently not be placed. Deleting the last area leaves its
    // points on area 1, and the program saves them so: such a file still opens.
    const int lastArea = std::max(1, areaCount);
    for (int i = 1; i <= pointCount; ++i) {
        ListeningPoint& point = venue.ListeningPoints().Add(
            keys.RequiredString(Numbered("LISTENING_POINT_", i, "_NAME")));
        point.SetHorizontalPosition(distance(Numbered("LISTENING_POINT_", i, "_POSITION_X")));
        const std::string areaKey = Numbered("LISTENING_POINT_", i, "_SEATING_AREA_INDEX");
        const int area = keys.RequiredInteger(areaKey);
        VenueLimits::CheckRange(area, 1, lastArea, Quoted(areaKey), "(the file's seating areas)");
        point.SetSeatingAreaIndex(area);
    }
    // 0 names no point. A cleared venue keeps its reference number without its points, and
    // the program saves it so: without points, any number a list of points could have had.
    const int reference = keys.RequiredInteger(kReferenceKey);
    VenueLimits::CheckRange(reference, 0, pointCount > 0 ? pointCount : VenueLimits::kMaxListeningPoints,
                            Quoted(kReferenceKey), "(0 for none, or one of the file's listening points)");
    venue.ListeningPoints().SetReferencePointIndex(reference);

    venue.SetNotes(keys.String(kNotesKey, ""));
}

// Adders that refuse a number the reader would refuse, so that no save makes a file that
// cannot be opened again.
void AddSingle(FileData& data, std::string key, float value)
{
    if (!std::isfinite(value))
        throw std::runtime_error(Quoted(key) + " is not a finite number");
    data.AddSingle(std::move(key), value);
}

void AddDouble(FileData& data, std::string key, double value)
{
    if (!std::isfinite(value))
        throw std::runtime_error(Quoted(key) + " is not a finite number");
    data.AddDouble(std::move(key), value);
}

// A text the user typed, in the earlier program's code page where its characters allow, so
// that that program reads it too.
void AddText(FileData& data, std::string key, std::string_view utf8)
{
    data.AddString(std::move(key), Windows1252::EncodeFileText(utf8));
}

} // namespace

// ---- Names --------------------------------------------------------------------------

std::string_view VenueFile::BrandName(BrandCode brand)
{
    const int code = static_cast<int>(brand);
    if (code < 0 || code >= static_cast<int>(kBrandNames.size()))
        return kBrandNames[0];
    return kBrandNames[static_cast<std::size_t>(code)];
}

BrandCode VenueFile::BrandFromText(std::string_view text)
{
    const std::string lower = Lower(text);
    if (lower == "tarvic kv7" || lower == "kv7")
        return BrandCode::TarvicKv7;
    if (lower == "tarvic kv4" || lower == "kv4")
        return BrandCode::TarvicKv4;
    if (lower == "r.sarn" || lower == "rsarn")
        return BrandCode::RSarn;
    if (lower == "de.velt" || lower == "develt")
        return BrandCode::DeVelt;
    return BrandCode::TarvicKv9;
}

std::string_view VenueFile::CellTypeName(int type)
{
    if (const CellTypeInfo* info = ProductTables::CellType(type))
        return info->modelName;
    return kUnknownCellTypeName;
}

int VenueFile::CellTypeFromText(std::string_view text)
{
    const std::string lower = Lower(text);
    for (int type = 0; type < ProductTables::kCellTypeCount; ++type)
        if (lower == Lower(ProductTables::CellType(type)->modelName))
            return type;
    return ProductTables::kUnknownCellType;
}

// ---- Loading ------------------------------------------------------------------------

void VenueFile::Load(Environment& venue, const fs::path& path)
{
    const std::string shown = InputFile::PathText(path);
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > kMaxFileSize)
        throw FileFormatError(shown, 0,
                              "the file is " + std::to_string(size) +
                                  " bytes long, far larger than any venue file");
    FileData data;
    data.ReadFile(path);
    FromFileData(venue, data, shown);
}

void VenueFile::LoadFrom(Environment& venue, std::string_view text, const std::string& sourceName)
{
    FileData data;
    data.ReadString(text, sourceName);
    FromFileData(venue, data, sourceName);
}

void VenueFile::FromFileData(Environment& venue, const FileData& data,
                             const std::string& sourceName)
{
    // A scratch copy, cleared as the load starts, keeps what clearing keeps (the
    // temperature, the frequency list, the pin style...) exactly as loading in place would,
    // and a failure part-way leaves the venue itself untouched.
    std::unique_ptr<Environment> scratch = venue.CloneOf();
    try {
        scratch->Clear();
        ReadVenue(*scratch, Keys(data, sourceName));
    } catch (const FileFormatError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw FileFormatError(sourceName, 0, "there is not enough memory to load the venue");
    } catch (const std::exception& e) {
        throw FileFormatError(sourceName, 0, e.what());
    }
    venue.TakeContentOf(std::move(*scratch));
}

// ---- Saving -------------------------------------------------------------------------

FileData VenueFile::ToFileData(const Environment& venue)
{
    FileData data;
    data.SetHeaderText({std::string(kHeaderLine)});

    data.AddString(std::string(kUnitsKey), venue.Units() == UnitsCode::Metric ? "Metric" : "English");
    AddSingle(data, std::string(kTemperatureKey), venue.AmbientTemperature().Celsius());
    data.AddString(std::string(kAggregateKey), venue.AggregateFrequencies() ? "Yes" : "No");
    if (venue.AggregateFrequencies()) {
        const std::vector<float>& frequencies = venue.FrequencyList();
        data.AddInteger(std::string(kFrequencyCountKey),
                        static_cast<std::int32_t>(frequencies.size()));
        for (std::size_t i = 0; i < frequencies.size(); ++i)
            AddSingle(data, Numbered("FREQUENCY_", static_cast<int>(i + 1), "_HZ"),
                      frequencies[i]);
    } else {
        AddSingle(data, std::string(kActiveFrequencyKey), venue.CenterFrequency());
    }
    AddSingle(data, std::string(kEarHeightKey), venue.EarHeight());

    const Planes& areas = venue.SeatingAreas();
    data.AddInteger(std::string(kAreaCountKey), areas.Count());
    for (int i = 1; i <= areas.Count(); ++i) {
        const Plane& area = areas.Item(i);
        AddText(data, Numbered("SEATING_AREA_", i, "_NAME"), area.Name());
        AddSingle(data, Numbered("SEATING_AREA_", i, "_FRONT_X"), area.FrontPoint().x);
        AddSingle(data, Numbered("SEATING_AREA_", i, "_FRONT_Y"), area.FrontPoint().y);
        AddSingle(data, Numbered("SEATING_AREA_", i, "_BACK_X"), area.BackPoint().x);
        AddSingle(data, Numbered("SEATING_AREA_", i, "_BACK_Y"), area.BackPoint().y);
    }

    const LineArray& array = venue.LineArray();
    data.AddString(std::string(kArrayTypeKey), std::string(BrandName(array.Brand())));
    data.AddString(std::string(kConfigurationKey),
                   array.Configuration() == ConfigurationCode::GroundStacked ? "Stacked" : "Flown");
    data.AddString(std::string(kPinningKey), array.PinStyle() == PinStyleCode::Fixed ? "Fixed" : "Slide");

    const Bumper& bumper = array.Bumper();
    AddSingle(data, std::string(kBumperXKey), bumper.Location().x);
    AddSingle(data, std::string(kBumperYKey), bumper.Location().y);
    AddDouble(data, std::string(kBumperAngleKey), bumper.Angle().Degrees());
    if (bumper.Rigging() == RiggingCode::SinglePoint) {
        data.AddString(std::string(kRiggingKey), "Single-point");
        data.AddInteger(std::string(kHoleKey), bumper.FrontHangPoint());
    } else {
        data.AddString(std::string(kRiggingKey), "Dual-point");
        data.AddInteger(std::string(kFrontHoleKey), bumper.FrontHangPoint());
        data.AddInteger(std::string(kBackHoleKey), bumper.BackHangPoint());
    }

    const Cells& cells = array.Cells();
    data.AddInteger(std::string(kCellCountKey), cells.Count());
    for (int i = 1; i <= cells.Count(); ++i) {
        const Cell& cell = cells.Item(i);
        data.AddString(Numbered("CELL_", i, "_TYPE"), std::string(CellTypeName(cell.CellType())));
        AddDouble(data, Numbered("CELL_", i, "_ANGLE_DEGREES"), cell.SplayAngle().Degrees());
        AddSingle(data, Numbered("CELL_", i, "_ATTENUATION"), cell.Attenuation());
    }

    const ListeningPoints& points = venue.ListeningPoints();
    data.AddInteger(std::string(kPointCountKey), points.Count());
    for (int i = 1; i <= points.Count(); ++i) {
        const ListeningPoint& point = points.Item(i);
        AddText(data, Numbered("LISTENING_POINT_", i, "_NAME"), point.Name());
        AddSingle(data, Numbered("LISTENING_POINT_", i, "_POSITION_X"),
                  point.HorizontalPosition());
        data.AddInteger(Numbered("LISTENING_POINT_", i, "_SEATING_AREA_INDEX"),
                        point.SeatingAreaIndex());
    }
    data.AddInteger(std::string(kReferenceKey), points.ReferencePointIndex());

    AddText(data, std::string(kNotesKey), venue.Notes());
    return data;
}

std::string VenueFile::SaveToString(const Environment& venue)
{
    return ToFileData(venue).WriteString();
}

void VenueFile::SaveAs(const Environment& venue, const fs::path& path)
{
    FileData data;
    try {
        data = ToFileData(venue);
    } catch (const std::exception& e) {
        throw std::runtime_error("Cannot save \"" + InputFile::PathText(path) + "\": " + e.what());
    }
    try {
        data.WriteFile(path);
    } catch (const std::length_error& e) { // a note too long for one line of the file
        throw std::runtime_error("Cannot save \"" + InputFile::PathText(path) + "\": " + e.what());
    }
}

} // namespace polvane
