#pragma once

#include <vector>

namespace polvane {

// Watches the characters typed into the notes for the phrases that switch the hidden mode:
// the on-phrase followed by the access code (whose characters show as "*" and whose last
// character ends the entry), or, while the mode is on, the off-phrase. It only decides;
// the window types, removes and switches.
class HiddenModeRecogniser {
public:
    static constexpr int kOnLength = 18;
    static constexpr int kCodeLength = 9;
    static constexpr int kOffLength = 19;

    enum class State { Idle, OnPhrase, AccessCode, OffPhrase };

    struct Result {
        enum class Typing { AsTyped, Star, Discard } typing = Typing::AsTyped;
        bool codeStarted = false;  // the on-phrase is complete: the code's entry begins
        bool codeEnded = false;    // the code's last character: remove the phrase and stars
        bool offPhraseEnded = false; // remove the off-phrase
        bool toggle = false;       // switch the hidden mode
    };

    // The three lists of character codes; a list of another length is refused
    // (std::invalid_argument).
    HiddenModeRecogniser(std::vector<int> onPhrase, std::vector<int> accessCode,
                         std::vector<int> offPhrase);

    // One typed character; hiddenModeOn chooses which phrase may start.
    Result Feed(int character, bool hiddenModeOn);

    State CurrentState() const { return state_; }
    const std::vector<int>& OnPhrase() const { return on_; }
    const std::vector<int>& AccessCode() const { return code_; }
    const std::vector<int>& OffPhrase() const { return off_; }

private:
    void Reset();

    std::vector<int> on_;
    std::vector<int> code_;
    std::vector<int> off_;
    State state_ = State::Idle;
    std::size_t position_ = 1; // 1-based index of the next expected code
    bool match_ = false;
};

} // namespace polvane
