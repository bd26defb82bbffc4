// Layer: pure core (no <windows.h>, built natively too).

#include "text_arena.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Handles keep 16 bits for the block: 65,536 blocks of 64 KB.
constexpr size_t kMaxBlocks = size_t{1} << 16;

} // namespace

TextArena::Handle TextArena::Add(std::string_view text, size_t room)
{
    if (used_ + room > kBlockSize) {
        if (blocks_.size() >= kMaxBlocks)
            throw std::bad_alloc();
        blocks_.emplace_back(std::max(room, kBlockSize));
        used_ = 0;
    }
    const Handle handle = static_cast<Handle>(((blocks_.size() - 1) << kOffsetBits) | used_);
    char* at = blocks_.back().data() + used_;
    if (!text.empty())
        std::memcpy(at, text.data(), text.size());
    at[text.size()] = '\0';
    // A block of its own is then past full: the next text starts another.
    used_ += room;
    return handle;
}

void TextArena::Clear()
{
    blocks_.clear();
    used_ = kBlockSize;
}

void TextArena::Swap(TextArena& other) noexcept
{
    blocks_.swap(other.blocks_);
    std::swap(used_, other.used_);
}
