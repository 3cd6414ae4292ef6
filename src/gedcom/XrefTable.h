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
class XrefTable {
public:
    // The number of name; a new name takes the count of names so far.
    int numberOf(const QString& name);
    int size() const { return count_; }

private:
    static std::optional<std::uint64_t> packed(QStringView name);
    std::size_t home(std::uint64_t key) const { return std::size_t((key * 0x9E3779B97F4A7C15ull) >> 40) & (slots_.size() - 1); }
    void grow();

    struct Slot {
        std::uint64_t key = 0;  // 0 is an empty slot: a packed name is never 0
        int number = 0;
    };
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    QHash<QString, int> others_;
    int count_ = 0;
};
