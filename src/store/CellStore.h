#pragma once
#include "store/FieldValue.h"

#include <bit>
#include <cstdint>
#include <memory>
#include <vector>

// The cells of a table's rows, in chunks that double in size: growing never
// moves a stored text, small tables stay small, and large chunks are backed by
// huge pages where the system offers them, which makes first use of the memory
// much cheaper.
class CellStore {
public:
    explicit CellStore(std::size_t fieldCount) : fields_(fieldCount) {}

    Cell& at(std::uint32_t row, int field) { return chunkCell(row, field); }
    const Cell& at(std::uint32_t row, int field) const { return const_cast<CellStore*>(this)->chunkCell(row, field); }

    // Makes room for one more row after the rows already held.
    void addRow(std::uint32_t row);
    void clear() { chunks_.clear(); }

private:
    static constexpr std::uint32_t firstChunkRows = 64;
    struct FreeChunk {
        void operator()(Cell* cells) const;
        std::size_t count = 0;
    };
    using Chunk = std::unique_ptr<Cell[], FreeChunk>;

    Cell& chunkCell(std::uint32_t row, int field)
    {
        // Chunk k holds firstChunkRows << k rows and starts at firstChunkRows * (2^k - 1).
        const std::uint32_t slot = row / firstChunkRows + 1;
        const int k = std::bit_width(slot) - 1;
        const std::uint32_t offset = row - firstChunkRows * ((1u << k) - 1);
        return chunks_[std::size_t(k)].get()[std::size_t(offset) * fields_ + std::size_t(field)];
    }
    static Chunk allocateChunk(std::size_t cells);

    std::size_t fields_;
    std::vector<Chunk> chunks_;
};
