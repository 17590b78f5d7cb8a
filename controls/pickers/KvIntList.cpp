// SPDX-License-Identifier: MIT
#include "KvIntList.h"

#include <algorithm>
#include <stdexcept>
#include <string>

void TIntList::check(int index, int count) const
{
    if (index < 0 || index >= count)
        throw std::out_of_range("TIntList: index " + std::to_string(index) + " out of 0.."
                                + std::to_string(count - 1));
}

int TIntList::Add(std::int32_t value)
{
    FItems.push_back(value);
    return Count() - 1;
}

void TIntList::Insert(int index, std::int32_t value)
{
    check(index, Count() + 1);
    FItems.insert(FItems.begin() + index, value);
}

void TIntList::Delete(int index)
{
    check(index, Count());
    FItems.erase(FItems.begin() + index);
}

int TIntList::IndexOf(std::int32_t value) const
{
    const auto found = std::find(FItems.begin(), FItems.end(), value);
    return found == FItems.end() ? -1 : int(found - FItems.begin());
}

void TIntList::Sort()
{
    std::stable_sort(FItems.begin(), FItems.end());
}

int TIntList::AddSorted(std::int32_t value, TDuplicates duplicates)
{
    const auto first = std::lower_bound(FItems.begin(), FItems.end(), value);
    if (first != FItems.end() && *first == value) {
        if (duplicates == dupIgnore)
            return int(first - FItems.begin());
        if (duplicates == dupError)
            throw std::invalid_argument("TIntList: duplicate " + std::to_string(value));
    }
    // The index before the insert: it may move the storage.
    const auto index = std::upper_bound(first, FItems.end(), value) - FItems.begin();
    FItems.insert(FItems.begin() + index, value);
    return int(index);
}

std::int32_t TIntList::operator[](int index) const
{
    check(index, Count());
    return FItems[std::size_t(index)];
}

std::int32_t &TIntList::operator[](int index)
{
    check(index, Count());
    return FItems[std::size_t(index)];
}
