#include "store/CellStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>

namespace {

constexpr std::size_t hugePage = 2 * 1024 * 1024;

} // namespace

void CellStore::FreeChunk::operator()(PackedCell* cells) const
{
    if (bytes >= hugePage)
        munmap(cells, bytes);
    else
        std::free(cells);
}

CellStore::Chunk CellStore::allocateChunk(std::size_t cells)
{
    const std::size_t bytes = std::max<std::size_t>(cells, 1) * sizeof(PackedCell);
    if (bytes >= hugePage) {
        void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED)
            throw std::bad_alloc();
        madvise(memory, bytes, MADV_HUGEPAGE);
        return Chunk(static_cast<PackedCell*>(memory), FreeChunk{bytes});
    }
    // All-zero bytes are empty cells.
    void* memory = std::calloc(bytes / sizeof(PackedCell), sizeof(PackedCell));
    if (!memory)
        throw std::bad_alloc();
    return Chunk(static_cast<PackedCell*>(memory), FreeChunk{bytes});
}

void CellStore::copyFrom(const CellStore& other)
{
    chunks_.clear();
    for (std::size_t k = 0; k < other.chunks_.size(); ++k) {
        const std::size_t cells = (std::size_t(firstChunkRows) << k) * fields_;
        chunks_.push_back(allocateChunk(cells));
        std::memcpy(chunks_.back().get(), other.chunks_[k].get(), cells * sizeof(PackedCell));
    }
}

void CellStore::addRow(std::uint32_t row)
{
    const std::uint32_t slot = row / firstChunkRows + 1;
    const std::size_t k = std::size_t(std::bit_width(slot) - 1);
    while (chunks_.size() <= k) {
        const std::size_t rows = std::size_t(firstChunkRows) << chunks_.size();
        chunks_.push_back(allocateChunk(rows * fields_));
    }
}
