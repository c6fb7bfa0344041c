#include "platform/QtPrompts.h"

#include <gtest/gtest.h>

namespace polvane {
namespace {

TEST(QtPrompts, FiltersAreWrittenAsQtReadsThem)
{
    struct Case {
        const char* filter;
        const char* qt;
    };
    const Case cases[] = {
        {"Venue file (*.venue)|*.venue", "Venue file (*.venue)"},
        {"Zell Venue file, version 2 (*.venue)|*.venue|All files (*.*)|*.*",
         "Zell Venue file, version 2 (*.venue);;All files (*.*)"},
        // Qt takes the patterns from the parentheses, so they follow the pattern part.
        {"Venues|*.venue;*.vnu", "Venues (*.venue *.vnu)"},
        {"Venues (new)|*.venue", "Venues (*.venue)"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtPrompts::QtFilter(c.filter).toStdString(), c.qt) << c.filter;
}

} // namespace
} // namespace polvane
