#include "shell/session/Session.h"

#include <memory>
#include <stdexcept>
#include <utility>

#include <gtest/gtest.h>

#include "../../engine/PredictionTestVenues.h"
#include "engine/Environment.h"
#include "support/MemorySettingsStore.h"

namespace polvane {
namespace {

class SessionTest : public ::testing::Test {
protected:
    SessionTest()
    {
        testing::ArraySpec array;
        array.cells = {{0}, {0}, {0}};
        auto hall = testing::MakeVenue(array);
        testing::AddArea(*hall, Point2D(10, 0), Point2D(80, 5));
        testing::AddPoint(*hall, 1, 20);
        testing::AddPoint(*hall, 1, 50);
        hall->SetFrequencyList({250, 1000, 4000});
        session_.ReplaceVenue(std::move(hall));
    }

    MemorySettingsStore store_;
    Session session_{store_};
};

TEST_F(SessionTest, ThePredictionWorksOutThePointLevelsOnlyInEngineeringMode)
{
    const auto anyLevel = [this] {
        for (const ListeningPointResult& point : session_.Results().PointLevels)
            for (float level : point.Levels)
                if (level != 0.0f)
                    return true;
        return false;
    };
    session_.Recalculate();
    ASSERT_EQ(session_.Results().PointLevels.size(), 2u);
    EXPECT_FALSE(anyLevel());

    session_.Options().SwitchToEngineeringMode();
    session_.Recalculate();
    EXPECT_TRUE(anyLevel());
    EXPECT_EQ(session_.Results().CellResults.size(), 3u);
}

TEST_F(SessionTest, ReplacingTheVenueGivesBackTheOldOneAndNeverLeavesNone)
{
    Environment* open = &session_.Venue();
    auto fresh = std::make_unique<Environment>();
    Environment* next = fresh.get();
    const std::unique_ptr<Environment> old = session_.ReplaceVenue(std::move(fresh));
    EXPECT_EQ(old.get(), open);
    EXPECT_EQ(&session_.Venue(), next);
    EXPECT_THROW(session_.ReplaceVenue(nullptr), std::invalid_argument);
    EXPECT_EQ(&session_.Venue(), next);
}

} // namespace
} // namespace polvane
