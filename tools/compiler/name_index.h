// Lookups by name that ignore letter case, as the language does, in constant
// time: the stages look a name up at every use, and a program may define
// tens of thousands of classes, members, parameters or locals.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "lexer.h"

namespace tavoc {

template <typename T>
class NameIndex {
public:
    // The first value added under a name stays, as in a search from the front.
    void add(const std::string& name, T value) { map_.emplace(lower(name), value); }
    T find(const std::string& name) const {
        auto it = map_.find(lower(name));
        return it == map_.end() ? T() : it->second;
    }
    // Takes in the entries appended to `items` since the last call (the
    // lists it follows only grow); `take(index, item)` adds what it wants.
    template <typename Items, typename Take>
    NameIndex& follow(const Items& items, Take take) {
        for (; followed_ < items.size(); ++followed_) take(*this, items[followed_]);
        return *this;
    }

private:
    std::unordered_map<std::string, T> map_;
    std::size_t followed_ = 0;
};

// Names declared in nested scopes: the latest declaration of a name is
// found, and going back to a mark forgets what was declared after it.
template <typename T>
class ScopedNames {
public:
    std::size_t mark() const { return entries_.size(); }
    void declare(const std::string& name, T value) {
        std::string key = lower(name);
        auto found = latest_.find(key);
        std::size_t hidden = found == latest_.end() ? kNone : found->second;
        latest_[key] = entries_.size();
        entries_.push_back({std::move(key), value, hidden});
    }
    void back_to(std::size_t mark) {
        for (; entries_.size() > mark; entries_.pop_back()) {
            Entry& e = entries_.back();
            if (e.hidden == kNone) latest_.erase(e.key);
            else latest_[e.key] = e.hidden;
        }
    }
    T find(const std::string& name) const {
        auto it = latest_.find(lower(name));
        return it == latest_.end() ? T() : entries_[it->second].value;
    }
    void clear() {
        entries_.clear();
        latest_.clear();
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    struct Entry {
        std::string key;
        T value;
        std::size_t hidden;  // the entry of the same name it hides, or kNone
    };
    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t> latest_;
};

}  // namespace tavoc
