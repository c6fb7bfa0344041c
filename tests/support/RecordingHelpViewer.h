#pragma once

#include <string>
#include <vector>

#include "platform/HelpViewer.h"

namespace polvane {

// Remembers the help asked for, for tests.
class RecordingHelpViewer : public HelpViewer {
public:
    struct Call {
        std::string topic;
        bool search;
        bool operator==(const Call&) const = default;
    };

    void ShowHelp(const std::string& topic, bool search) override { calls_.push_back({topic, search}); }
    const std::vector<Call>& Calls() const { return calls_; }

private:
    std::vector<Call> calls_;
};

} // namespace polvane
