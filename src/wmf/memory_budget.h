#pragma once
// What the player may hold besides the picture's bitmap: the objects a
// metafile creates, the states it saves and the largest temporaries of one
// record (a decoded bitmap, a pattern's tiles). Each is counted before it is
// allocated; what does not fit is not made, as GDI fails a creation it
// cannot satisfy, and the file plays on.

#include <cstddef>
#include <memory>
#include <utility>

namespace plotvale::wmf {

// Far above what real metafiles hold (a few pattern brushes and embedded
// pictures, a handful of saved states), far below what hostile ones ask for.
inline constexpr std::size_t kPlayerAllowanceBytes = std::size_t{256} << 20;

class MemoryBudget {
public:
    explicit MemoryBudget(std::size_t bytes) : left_(bytes) {}
    // Takes bytes from the budget; false, taking nothing, when they are not there.
    bool take(std::size_t bytes) {
        if (bytes > left_) return false;
        left_ -= bytes;
        return true;
    }
    void give(std::size_t bytes) { left_ += bytes; }
    std::size_t left() const { return left_; }

private:
    std::size_t left_;
};

// A value whose bytes are held against a budget for as long as anyone
// shares it: they return when the last holder lets go. Null when they do
// not fit.
template <typename T>
std::shared_ptr<const T> shareCounted(MemoryBudget& budget, std::size_t bytes, T value) {
    struct Counted {
        Counted(T v, MemoryBudget& b, std::size_t n) : value(std::move(v)), budget(b), bytes(n) {}
        Counted(const Counted&) = delete;
        Counted& operator=(const Counted&) = delete;
        ~Counted() { budget.give(bytes); }
        T value;
        MemoryBudget& budget;
        std::size_t bytes;
    };
    if (!budget.take(bytes)) return nullptr;
    auto holder = std::make_shared<Counted>(std::move(value), budget, bytes);
    return std::shared_ptr<const T>(holder, &holder->value);
}

}  // namespace plotvale::wmf
