// Layer: pure core (no <windows.h>, built natively too).
// Texts kept in blocks that never move, each followed by a NUL, so that the
// working set holds a name as a 32-bit handle and a length, with no heap
// block of its own, and hands the platform the bytes as they lie.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A text held by a working set: a view of its bytes, ending in a NUL. It
// stays valid until the set next changes.
class HeldText : public std::string_view {
public:
    HeldText() = default;
    HeldText(const char* text, size_t length) : std::string_view(text, length) {}

    const char* c_str() const { return empty() ? "" : data(); }
    operator std::string() const { return std::string(data(), size()); }
};

class TextArena {
public:
    using Handle = uint32_t;

    // Bytes of a block. A longer text gets a block of its own size.
    static constexpr unsigned kOffsetBits = 16;
    static constexpr size_t kBlockSize = size_t{1} << kOffsetBits;

    // Copies `text` in, with its NUL, taking `room` bytes (more than the
    // text) for it. Throws std::bad_alloc when memory ran out or the handles
    // are used up.
    Handle Add(std::string_view text, size_t room);

    char* At(Handle handle) { return blocks_[handle >> kOffsetBits].data() + (handle & (kBlockSize - 1)); }
    const char* At(Handle handle) const
    {
        return blocks_[handle >> kOffsetBits].data() + (handle & (kBlockSize - 1));
    }

    // Forgets every text and gives the blocks back.
    void Clear();
    void Swap(TextArena& other) noexcept;

private:
    // A block's bytes stay where they are while the list of blocks grows.
    std::vector<std::vector<char>> blocks_;
    size_t used_ = kBlockSize; // bytes taken in the last block; full at first
};
