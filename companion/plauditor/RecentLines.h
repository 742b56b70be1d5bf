#pragma once
// The thank-you lines currently shown: the newest few, oldest first.
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

class RecentLines {
    std::deque<std::u16string> lines;
    std::size_t capacity;

public:
    explicit RecentLines(std::size_t keep) : capacity(keep > 0 ? keep : 1) {}

    void Add(std::u16string line);
    // True when lines were dropped to fit the new capacity.
    bool SetCapacity(std::size_t keep);
    std::vector<std::u16string> OldestFirst() const { return {lines.begin(), lines.end()}; }
    bool Empty() const { return lines.empty(); }
};
