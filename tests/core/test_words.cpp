// Little-endian words: the byte order every file and datagram codec shares.
#include "core/Words.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

TEST(Words, OneWordLowestByteFirst)
{
    const unsigned char bytes[] = {0x9F, 0xF9, 0x00, 0x00, 0x78, 0x56, 0x34, 0x12, 0xFF, 0x00, 0x00, 0x80};
    EXPECT_EQ(LoadWordLE(bytes), 63903u);
    EXPECT_EQ(LoadWordLE(bytes + 4), 0x12345678u);
    EXPECT_EQ(LoadWordLE(bytes + 8), 0x800000FFu);

    unsigned char out[4] = {};
    StoreWordLE(out, 0x12345678u);
    EXPECT_EQ(std::vector<unsigned char>(out, out + 4), (std::vector<unsigned char>{0x78, 0x56, 0x34, 0x12}));
    StoreWordLE(out, 0xC0A80101u);
    EXPECT_EQ(std::vector<unsigned char>(out, out + 4), (std::vector<unsigned char>{0x01, 0x01, 0xA8, 0xC0}));
}

TEST(Words, RecordsOfWordsInOrder)
{
    const std::array<uint32_t, 3> record = {0x04030201u, 0xA0B0C0D0u, 1u};
    const std::array<unsigned char, 12> expected = {0x01, 0x02, 0x03, 0x04, 0xD0, 0xC0,
                                                    0xB0, 0xA0, 0x01, 0x00, 0x00, 0x00};
    EXPECT_EQ(RecordBytesLE(record), expected);
    EXPECT_EQ(LoadRecordLE<3>(expected.data()), record);

    std::array<unsigned char, 12> stored{};
    StoreRecordLE(record, stored.data());
    EXPECT_EQ(stored, expected);

    uint32_t words[3] = {};
    LoadWordsLE(expected.data(), words, 3);
    EXPECT_EQ(words[0], 0x04030201u);
    EXPECT_EQ(words[1], 0xA0B0C0D0u);
    EXPECT_EQ(words[2], 1u);
    std::array<unsigned char, 12> back{};
    StoreWordsLE(words, 3, back.data());
    EXPECT_EQ(back, expected);
}

TEST(Words, InPlaceFromFileOrder)
{
    // Bytes as a file holds them, copied raw into words: afterwards each word
    // is the value its four bytes mean, whatever the host's byte order.
    const unsigned char file[8] = {0x01, 0x02, 0x03, 0x04, 0xEF, 0xBE, 0xAD, 0xDE};
    uint32_t words[2];
    std::memcpy(words, file, sizeof words);
    WordsFromLittleEndian(words, 2);
    EXPECT_EQ(words[0], 0x04030201u);
    EXPECT_EQ(words[1], 0xDEADBEEFu);
}
