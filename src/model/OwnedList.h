#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace polvane {

// The 1-based list of owned objects that the model's collections are built on. Every
// index is checked: one outside the list throws std::out_of_range naming the item.
template <typename T>
class OwnedList {
public:
    // `noun` names one item in messages ("cell", "seating area").
    explicit OwnedList(const char* noun) : noun_(noun) {}

    int Count() const { return static_cast<int>(items_.size()); }

    T& Item(int i) { return *items_[Slot(i, Count())]; }
    const T& Item(int i) const { return *items_[Slot(i, Count())]; }

    void SetItem(int i, std::unique_ptr<T> item)
    {
        const std::size_t slot = Slot(i, Count());
        if (!item)
            throw std::invalid_argument(std::string("an empty ") + noun_ +
                                        " cannot be put in the list");
        items_[slot] = std::move(item);
    }

    // Inserts at `index` (below 1: appends); returns the 1-based place taken.
    int Insert(int index, std::unique_ptr<T> item)
    {
        const int count = Count() + 1;
        if (index < 1)
            index = count;
        const std::size_t slot = Slot(index, count);
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(slot), std::move(item));
        return index;
    }

    void Remove(int i)
    {
        const std::size_t slot = Slot(i, Count());
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(slot));
    }

    void Swap(int i, int j) { items_[Slot(i, Count())].swap(items_[Slot(j, Count())]); }

    // A list holding a CloneOf of every item, in order.
    OwnedList CloneAll() const
    {
        OwnedList copy(noun_);
        copy.items_.reserve(items_.size());
        for (const auto& item : items_)
            copy.items_.push_back(item->CloneOf());
        return copy;
    }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::size_t Slot(int i, int count) const
    {
        if (i < 1 || i > count)
            throw std::out_of_range(std::string(noun_) + " " + std::to_string(i) +
                                    " is outside the list of " + std::to_string(count));
        return static_cast<std::size_t>(i - 1);
    }

    const char* noun_;
    std::vector<std::unique_ptr<T>> items_;
};

} // namespace polvane
