#pragma once
#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>

// A growing array of plain values kept with realloc, which moves a large block
// by remapping its pages rather than copying them: a log of a million entries
// grows without copying what it holds.
template <typename T>
class PodBuffer {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    PodBuffer() = default;
    PodBuffer(const PodBuffer&) = delete;
    PodBuffer& operator=(const PodBuffer&) = delete;
    ~PodBuffer() { std::free(data_); }

    void push_back(const T& value)
    {
        if (size_ == capacity_)
            reallocate(capacity_ < 16 ? 16 : capacity_ * 2);
        data_[size_++] = value;
    }
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return capacity_; }

    // Keeps the first count values and gives back the room beyond them.
    void truncate(std::size_t count)
    {
        if (count < size_)
            size_ = count;
        if (size_ == 0) {
            std::free(std::exchange(data_, nullptr));
            capacity_ = 0;
        } else if (size_ < capacity_) {
            reallocate(size_);
        }
    }

private:
    void reallocate(std::size_t capacity)
    {
        void* data = std::realloc(data_, capacity * sizeof(T));
        if (!data)
            throw std::bad_alloc();
        data_ = static_cast<T*>(data);
        capacity_ = capacity;
    }

    T* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};
