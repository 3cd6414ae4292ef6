#pragma once
#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// The numbers given to the cross-reference names of one file, in the order
// they first appear. Names of up to three letters and a number, as nearly
// every program writes them (I17, F0001, @P5@), are packed into one integer,
// which keeps a large file's table small and in cache; any other name goes by
// its text. Two names share a number exactly when their texts are equal.
// The names of the first few shapes (letters, '@'s, count of digits) with
// numbers below a bound are looked up by their number in an array of their
// own: a file numbers its records in order, and its references then read
// neighbouring entries rather than random slots of a large table.
class XrefTable {
public:
    // The number of name; a new name takes the count of names so far.
    int numberOf(const QString& name);
    int size() const { return count_; }

private:
    static std::optional<std::uint64_t> packed(QStringView name);
    std::size_t home(std::uint64_t key) const { return std::size_t((key * 0x9E3779B97F4A7C15ull) >> 40) & (slots_.size() - 1); }
    void grow();

    int* denseEntry(std::uint64_t key);

    // Numbers + 1 of one shape's names by their number; 0 for none yet.
    struct Dense {
        std::uint64_t shape;
        std::vector<int> numbers;
    };
    static constexpr std::size_t denseShapes = 8;
    static constexpr std::uint64_t denseBound = std::uint64_t(1) << 21;
    std::vector<Dense> dense_;
    std::size_t lastDense_ = 0;

    struct Slot {
        std::uint64_t key = 0;  // 0 is an empty slot: a packed name is never 0
        int number = 0;
    };
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    QHash<QString, int> others_;
    int count_ = 0;
};
