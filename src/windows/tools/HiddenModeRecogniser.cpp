#include "windows/tools/HiddenModeRecogniser.h"

#include <stdexcept>
#include <utility>

namespace polvane {

HiddenModeRecogniser::HiddenModeRecogniser(std::vector<int> onPhrase, std::vector<int> accessCode,
                                           std::vector<int> offPhrase)
    : on_(std::move(onPhrase)), code_(std::move(accessCode)), off_(std::move(offPhrase))
{
    if (on_.size() != kOnLength || code_.size() != kCodeLength || off_.size() != kOffLength)
        throw std::invalid_argument("A hidden-mode list has the wrong length");
}

void HiddenModeRecogniser::Reset()
{
    state_ = State::Idle;
    position_ = 1;
}

HiddenModeRecogniser::Result HiddenModeRecogniser::Feed(int character, bool hiddenModeOn)
{
    Result result;
    switch (state_) {
    case State::Idle:
        if (hiddenModeOn && character == off_.front()) {
            state_ = State::OffPhrase;
            position_ = 2;
        } else if (!hiddenModeOn && character == on_.front()) {
            state_ = State::OnPhrase;
            position_ = 2;
        }
        break;
    case State::OnPhrase:
        // A wrong character ends the match without starting a new one.
        if (character != on_[position_ - 1]) {
            Reset();
        } else if (++position_ > on_.size()) {
            state_ = State::AccessCode;
            position_ = 1;
            match_ = true;
            result.codeStarted = true;
        }
        break;
    case State::AccessCode:
        if (character != code_[position_ - 1])
            match_ = false;
        if (++position_ <= code_.size()) {
            result.typing = Result::Typing::Star;
        } else {
            Reset();
            result.typing = Result::Typing::Discard;
            result.codeEnded = true;
            result.toggle = match_;
        }
        break;
    case State::OffPhrase:
        if (character != off_[position_ - 1]) {
            Reset();
        } else if (++position_ > off_.size()) {
            Reset();
            result.typing = Result::Typing::Discard;
            result.offPhraseEnded = true;
            result.toggle = true;
        }
        break;
    }
    return result;
}

} // namespace polvane
