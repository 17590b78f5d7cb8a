// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// TIntList, a list of 32-bit integers with checked indexes and sorted inserts.

#include "kavopickers_export.h"

#include <cstdint>
#include <vector>

/// What a sorted insert does with a value the list already holds.
enum TDuplicates { dupIgnore, dupAccept, dupError };

/// A growable list of 32-bit integers.
///
/// Every index is checked: a bad one throws std::out_of_range, so a caller's mistake is an error
/// the toolkit reports, never a stray write.
///
/// @code
/// TIntList days; days.AddSorted(15, dupIgnore); days.AddSorted(3, dupIgnore);
/// int first = days[0]; // 3
/// @endcode
///
/// @qtdiff
/// Much as QList<qint32>, whose operator[] does not check its index, with sorted inserts that
/// say what becomes of duplicates.
class KAVOPICKERS_EXPORT TIntList
{
public:
    int Count() const { return int(FItems.size()); }
    /// Appends value and returns its index.
    int Add(std::int32_t value);
    /// Inserts value before index; index == Count() appends.
    void Insert(int index, std::int32_t value);
    void Delete(int index);
    void Clear() { FItems.clear(); }
    /// The first index that holds value, -1 when none does.
    int IndexOf(std::int32_t value) const;
    /// Ascending order; equal values keep their relative order.
    void Sort();
    /// Inserts value at its place in an ascending list and returns its index. A value already
    /// there is skipped under dupIgnore (returning the index of the one there), added after its
    /// equals under dupAccept and refused with std::invalid_argument under dupError.
    int AddSorted(std::int32_t value, TDuplicates duplicates);

    std::int32_t operator[](int index) const;
    std::int32_t &operator[](int index);

private:
    void check(int index, int count) const;

    std::vector<std::int32_t> FItems;
};
