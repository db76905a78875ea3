// The block cipher of protected Paradox tables and the check value of a
// password. A block is enciphered in chunks of 256 bytes; the first two
// bytes of the check value and the chunk's and block's numbers key each one.

#include "database/ParadoxFormat.h"

#include <array>
#include <cstring>

namespace database::paradox {

namespace {

#include "ParadoxCipher.inc"

using Chunk = std::array<std::uint8_t, 256>;

void encipher(Chunk& chunk, std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d)
{
    Chunk out;
    for (unsigned x = 0; x < 256; ++x) {
        unsigned y = (kC[x] - d) & 0xFF;
        out[y] = chunk[x] ^ kA[(x + a) & 0xFF] ^ kB[(y + b) & 0xFF] ^ kC[(y + c) & 0xFF];
    }
    chunk = out;
}

void decipher(Chunk& chunk, std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d)
{
    Chunk out;
    for (unsigned x = 0; x < 256; ++x) {
        unsigned y = (kC[x] - d) & 0xFF;
        out[x] = chunk[y] ^ kA[(x + a) & 0xFF] ^ kB[(y + b) & 0xFF] ^ kC[(y + c) & 0xFF];
    }
    chunk = out;
}

template <typename Step>
void eachChunk(char* block, std::size_t size, std::uint32_t check, unsigned blockNumber, Step step)
{
    auto a = std::uint8_t(check & 0xFF);
    auto b = std::uint8_t((check >> 8) & 0xFF);
    Chunk chunk;
    for (std::size_t at = 0, index = 0; at + 256 <= size; at += 256, ++index) {
        std::memcpy(chunk.data(), block + at, 256);
        step(chunk, a, b, std::uint8_t(index & 0xFF), std::uint8_t(blockNumber & 0xFF));
        std::memcpy(block + at, chunk.data(), 256);
    }
}

} // namespace

void encryptBlock(char* block, std::size_t size, std::uint32_t check, unsigned blockNumber)
{
    eachChunk(block, size, check, blockNumber, encipher);
}

void decryptBlock(char* block, std::size_t size, std::uint32_t check, unsigned blockNumber)
{
    eachChunk(block, size, check, blockNumber, decipher);
}

std::uint32_t passwordCheck(std::string_view password)
{
    if (password.empty())
        return 0;
    std::size_t length = std::min<std::size_t>(password.size(), 256);
    Chunk chunk;
    for (std::size_t i = 0; i < 256; ++i)
        chunk[i] = std::uint8_t(password[i % length]);
    encipher(chunk, chunk[0], chunk[1], chunk[2], chunk[3]);
    std::uint32_t low = std::uint32_t(chunk[0]) | std::uint32_t(chunk[1]) << 8;

    std::memcpy(chunk.data(), password.data(), length);
    for (std::size_t i = length; i < 256; ++i)
        chunk[i] = std::uint8_t(kA[chunk[i - length]] ^ i);
    encipher(chunk, chunk[0], chunk[20], chunk[40], chunk[255]);
    std::uint32_t even = 0, odd = 0;
    for (std::size_t i = 0; i < 256; i += 2) {
        even ^= chunk[i];
        odd ^= chunk[i + 1];
    }
    std::uint32_t high = odd << 8 | even;
    if (high == 0)
        high = 1;
    return high << 16 | low;
}

} // namespace database::paradox
