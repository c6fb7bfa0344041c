#pragma once

#include <vector>

namespace polvane {

// A place in one sweep of Auto-Configure's search: which subset of k cells is varied and
// the splay index every cell gets. The sweep takes the subsets in lexicographic order
// (a subset with a cell of no allowed splays is passed over) and counts through each
// like an odometer, the first member fastest: member 1 from its initial index, the others
// from 1, every cell outside the subset at its initial index. The order depends on
// nothing the search accepts, so a copy of a cursor walks on exactly as the original.
class SweepCursor {
public:
    // `choices` and `initial` hold an entry per cell, 1-based (entry 0 is not read).
    SweepCursor(int subsetSize, std::vector<int> choices, std::vector<int> initial);

    // False once the sweep has no combination left.
    bool Valid() const { return valid_; }
    // The splay index of every cell, 1-based; 0 for a cell of no allowed splays.
    const std::vector<int>& Indices() const { return current_; }
    // Moves on to the next combination of the sweep.
    void Next();

private:
    bool Searchable() const;
    void StartSubset();
    bool NextSubset();
    void FindSearchableSubset();

    std::vector<int> choices_;
    std::vector<int> initial_;
    std::vector<int> current_;
    std::vector<int> subset_; // k distinct cell numbers, increasing
    int cells_ = 0;
    bool valid_ = false;
};

} // namespace polvane
