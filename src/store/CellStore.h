#pragma once
#include <bit>
#include <cstdint>
#include <memory>
#include <vector>

// One stored field in eight bytes: what it holds and the value, a text being
// a handle into the table's text pool.
struct PackedCell {
    enum Kind : std::uint8_t { Null = 0, Integer, Boolean, Text };
    Kind kind = Null;
    std::uint32_t value = 0;
};
static_assert(sizeof(PackedCell) == 8);

// The cells of a table's rows, in chunks that double in size: growing never
// moves a cell, small tables stay small, and large chunks come straight from
// the system, already zero (empty cells) and backed by huge pages where the
// system offers them, which makes first use of the memory much cheaper.
class CellStore {
public:
    explicit CellStore(std::size_t fieldCount) : fields_(fieldCount) {}

    PackedCell& at(std::uint32_t row, int field) { return chunkCell(row, field); }
    const PackedCell& at(std::uint32_t row, int field) const { return const_cast<CellStore*>(this)->chunkCell(row, field); }

    // Makes room for one more row after the rows already held.
    void addRow(std::uint32_t row);
    void clear() { chunks_.clear(); }
    void swap(CellStore& other) { chunks_.swap(other.chunks_); }
    // Becomes a copy of other's cells, chunk by chunk.
    void copyFrom(const CellStore& other);

private:
    static constexpr std::uint32_t firstChunkRows = 64;
    struct FreeChunk {
        void operator()(PackedCell* cells) const;
        std::size_t bytes = 0;
    };
    using Chunk = std::unique_ptr<PackedCell[], FreeChunk>;

    PackedCell& chunkCell(std::uint32_t row, int field)
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
