#include "engine/SweepCursor.h"

#include <utility>

namespace polvane {

SweepCursor::SweepCursor(int subsetSize, std::vector<int> choices, std::vector<int> initial)
    : choices_(std::move(choices)), initial_(std::move(initial)),
      cells_(static_cast<int>(choices_.size()) - 1)
{
    current_ = initial_;
    if (subsetSize < 1 || subsetSize > cells_ || initial_.size() != choices_.size())
        return;
    subset_.resize(static_cast<std::size_t>(subsetSize));
    for (int m = 0; m < subsetSize; ++m)
        subset_[static_cast<std::size_t>(m)] = m + 1;
    valid_ = true;
    FindSearchableSubset();
}

bool SweepCursor::Searchable() const
{
    for (int member : subset_)
        if (choices_[static_cast<std::size_t>(member)] <= 0)
            return false;
    return true;
}

void SweepCursor::StartSubset()
{
    current_ = initial_;
    for (std::size_t m = 1; m < subset_.size(); ++m)
        current_[static_cast<std::size_t>(subset_[m])] = 1;
}

bool SweepCursor::NextSubset()
{
    const int k = static_cast<int>(subset_.size());
    int m = k - 1;
    while (m >= 0 && subset_[static_cast<std::size_t>(m)] == cells_ - (k - 1 - m))
        --m;
    if (m < 0)
        return false;
    ++subset_[static_cast<std::size_t>(m)];
    for (int after = m + 1; after < k; ++after)
        subset_[static_cast<std::size_t>(after)] = subset_[static_cast<std::size_t>(after - 1)] + 1;
    return true;
}

void SweepCursor::FindSearchableSubset()
{
    while (!Searchable()) {
        if (!NextSubset()) {
            valid_ = false;
            return;
        }
    }
    StartSubset();
}

void SweepCursor::Next()
{
    if (!valid_)
        return;
    for (int member : subset_) {
        int& count = current_[static_cast<std::size_t>(member)];
        if (++count <= choices_[static_cast<std::size_t>(member)])
            return;
        count = 1;
    }
    if (!NextSubset()) {
        valid_ = false;
        return;
    }
    FindSearchableSubset();
}

} // namespace polvane
