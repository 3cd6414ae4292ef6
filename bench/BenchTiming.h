#pragma once
#include <chrono>
#include <type_traits>

inline double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Average time of one run of body; body may take the run's index.
template <typename F>
double averageMs(int times, F&& body)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < times; ++i) {
        if constexpr (std::is_invocable_v<F, int>)
            body(i);
        else
            body();
    }
    return millisecondsSince(start) / times;
}
