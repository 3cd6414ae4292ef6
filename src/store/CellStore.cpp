#include "store/CellStore.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace {

constexpr std::size_t hugePage = 2 * 1024 * 1024;

} // namespace

void CellStore::FreeChunk::operator()(Cell* cells) const
{
    for (std::size_t i = 0; i < count; ++i)
        cells[i].~Cell();
    std::free(cells);
}

CellStore::Chunk CellStore::allocateChunk(std::size_t cells)
{
    const std::size_t bytes = cells * sizeof(Cell);
    void* memory = nullptr;
    if (bytes >= hugePage) {
        const std::size_t rounded = (bytes + hugePage - 1) / hugePage * hugePage;
        memory = std::aligned_alloc(hugePage, rounded);
        if (memory)
            madvise(memory, rounded, MADV_HUGEPAGE);
    } else {
        memory = std::malloc(bytes);
    }
    if (!memory)
        throw std::bad_alloc();
    Cell* first = static_cast<Cell*>(memory);
    for (std::size_t i = 0; i < cells; ++i)
        new (first + i) Cell();
    return Chunk(first, FreeChunk{cells});
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
