// Little-endian 32-bit words: the one place that knows how the controller
// lays a word out in bytes (lowest byte first). Every file and datagram
// codec loads and stores its words through these; none repeats the shifts.
//
// Header only, so the per-word calls inline and the bulk calls compile to a
// memcpy on a little-endian host (the log loader converts a million records
// in place and must stay a no-op there).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__BYTE_ORDER__) && defined(__ORDER_LITTLE_ENDIAN__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr bool kHostIsLittleEndian = true;
#elif defined(_WIN32)
constexpr bool kHostIsLittleEndian = true; // every Windows target is little-endian
#else
constexpr bool kHostIsLittleEndian = false; // unknown or big-endian: the byte-by-byte path, right anywhere
#endif

// The word whose lowest byte is bytes[0].
inline uint32_t LoadWordLE(const unsigned char* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// Puts word into bytes[0..3], lowest byte first.
inline void StoreWordLE(unsigned char* bytes, uint32_t word)
{
    bytes[0] = static_cast<unsigned char>(word);
    bytes[1] = static_cast<unsigned char>(word >> 8);
    bytes[2] = static_cast<unsigned char>(word >> 16);
    bytes[3] = static_cast<unsigned char>(word >> 24);
}

// count words from 4 * count bytes. bytes and words must not overlap.
inline void LoadWordsLE(const unsigned char* bytes, uint32_t* words, std::size_t count)
{
    if constexpr (kHostIsLittleEndian) {
        if (count)
            std::memcpy(words, bytes, count * 4);
    } else {
        for (std::size_t i = 0; i < count; ++i)
            words[i] = LoadWordLE(bytes + 4 * i);
    }
}

// count words into 4 * count bytes. words and bytes must not overlap.
inline void StoreWordsLE(const uint32_t* words, std::size_t count, unsigned char* bytes)
{
    if constexpr (kHostIsLittleEndian) {
        if (count)
            std::memcpy(bytes, words, count * 4);
    } else {
        for (std::size_t i = 0; i < count; ++i)
            StoreWordLE(bytes + 4 * i, words[i]);
    }
}

// Words just read from a file straight into memory, turned from file order
// (little-endian) into host order where they lie. Nothing to do on a
// little-endian host.
inline void WordsFromLittleEndian([[maybe_unused]] uint32_t* words, [[maybe_unused]] std::size_t count)
{
    if constexpr (!kHostIsLittleEndian) {
        for (std::size_t i = 0; i < count; ++i) {
            unsigned char bytes[4];
            std::memcpy(bytes, &words[i], 4);
            words[i] = LoadWordLE(bytes);
        }
    }
}

// A record of N words from / into its 4 * N bytes.
template <std::size_t N> std::array<uint32_t, N> LoadRecordLE(const unsigned char* bytes)
{
    std::array<uint32_t, N> record;
    LoadWordsLE(bytes, record.data(), N);
    return record;
}

template <std::size_t N> void StoreRecordLE(const std::array<uint32_t, N>& record, unsigned char* bytes)
{
    StoreWordsLE(record.data(), N, bytes);
}

template <std::size_t N> std::array<unsigned char, 4 * N> RecordBytesLE(const std::array<uint32_t, N>& record)
{
    std::array<unsigned char, 4 * N> bytes;
    StoreRecordLE(record, bytes.data());
    return bytes;
}
