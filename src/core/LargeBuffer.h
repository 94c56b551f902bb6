// Uninitialised buffers for a year of log records and the chart's points.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <type_traits>

// Memory for `bytes` bytes, not initialised; null when there is none. A big
// buffer asks the kernel for huge pages where it offers them on request, so
// filling 160 MB costs a few hundred page faults instead of forty thousand.
// Release with std::free (FreeLargeBuffer).
void* AllocateLargeBuffer(std::size_t bytes);

struct FreeLargeBuffer {
    template <typename T> void operator()(T* p) const { std::free(const_cast<std::remove_const_t<T>*>(p)); }
};

template <typename T> using LargeArray = std::unique_ptr<T[], FreeLargeBuffer>;

// count elements of a trivially constructible type, not initialised.
template <typename T> LargeArray<T> AllocateLargeArray(std::size_t count)
{
    static_assert(std::is_trivially_default_constructible_v<T> && std::is_trivially_destructible_v<T>,
                  "only plain data lives in a large buffer");
    if (count > static_cast<std::size_t>(-1) / sizeof(T))
        return nullptr;
    return LargeArray<T>(static_cast<T*>(AllocateLargeBuffer(count * sizeof(T))));
}
