// Writes the corrupt-table corpus and the fuzzer's seed tables:
//   make-corpus CORPUS_FOLDER SEED_FOLDER
// Each corpus file is a table broken in one way; each seed a sound table.

#include "database/ParadoxFormat.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <string>

using namespace database::paradox;

namespace {

void put16(std::string& b, std::size_t at, unsigned v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}

void put32(std::string& b, std::size_t at, std::uint32_t v)
{
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

void save(const std::string& folder, const std::string& name, const std::string& bytes)
{
    std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

Table sample(int versionId, const std::string& password, int rows, int blockSize = 1024)
{
    TableSpec definition;
    definition.fields = {
        {"Name", FieldType::Alpha, 24},   {"Size", FieldType::Long},     {"Price", FieldType::Money},
        {"When", FieldType::Timestamp},   {"Memo", FieldType::Memo, 12}, {"Ok", FieldType::Logical},
        {"Amount", FieldType::Bcd, 0, 2}, {"Day", FieldType::Date},      {"Id", FieldType::AutoIncrement}};
    definition.keyFields = 1;
    definition.versionId = versionId;
    definition.blockSize = blockSize;
    definition.password = password;
    definition.tableName = "SAMPLE";
    Table t = newTable(definition);
    for (int i = 0; i < rows; ++i) {
        std::string r(std::size_t(t.recordSize), '\0');
        char name[24];
        std::snprintf(name, sizeof name, "row %05d", i);
        storeText(t.fields[0], name, r.data());
        storeText(t.fields[1], std::to_string(i * 3), r.data() + t.fields[1].offset);
        storeText(t.fields[2], std::to_string(i) + ".25", r.data() + t.fields[2].offset);
        storeText(t.fields[3], "2001/2/3 4:05:06", r.data() + t.fields[3].offset);
        storeText(t.fields[5], i % 2 ? "True" : "False", r.data() + t.fields[5].offset);
        storeText(t.fields[6], "-12.5", r.data() + t.fields[6].offset);
        storeText(t.fields[7], "1999/12/31", r.data() + t.fields[7].offset);
        t.records.push_back(r);
    }
    return t;
}

// Offset of data block n (from 1) in a file whose header is headerSize long.
std::size_t blockAt(const Table& t, unsigned n)
{
    return t.header.size() + std::size_t(n - 1) * std::size_t(t.blockSize);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-corpus CORPUS_FOLDER SEED_FOLDER\n");
        return 2;
    }
    std::string corpus = argv[1], seeds = argv[2];

    Table t = sample(12, "", 60);
    std::string good = writeTable(t);
    std::string index = writePrimaryIndex(t, {});
    save(seeds, "plain-v7.DB", good);
    save(seeds, "plain-v7.PX", index);
    save(seeds, "protected-v7.DB", writeTable(sample(12, "604217", 120)));
    save(seeds, "plain-v3.DB", writeTable(sample(3, "", 40)));
    save(seeds, "protected-v4.DB", writeTable(sample(5, "ubx246971", 40, 2048)));
    save(seeds, "empty-v5.DB", writeTable(sample(10, "", 0)));

    auto broken = [&](const std::string& name, const std::function<void(std::string&)>& change) {
        std::string bytes = good;
        change(bytes);
        save(corpus, name, bytes);
    };
    save(corpus, "zero-length.DB", "");
    save(corpus, "short-header.DB", good.substr(0, 50));
    save(corpus, "header-only.DB", good.substr(0, t.header.size()));
    save(corpus, "cut-in-a-block.DB", good.substr(0, blockAt(t, 3) + 100));
    std::mt19937 random(2024);
    std::string noise(4096, '\0');
    for (char& c : noise)
        c = char(random());
    save(corpus, "random.DB", noise);
    broken("random-after-header.DB", [&](std::string& b) {
        for (std::size_t i = t.header.size(); i < b.size(); ++i)
            b[i] = char(random());
    });
    broken("chain-loop.DB", [&](std::string& b) { put16(b, blockAt(t, 3), 2); });
    broken("chain-to-itself.DB", [&](std::string& b) { put16(b, blockAt(t, 1), 1); });
    broken("chain-out-of-file.DB", [&](std::string& b) { put16(b, blockAt(t, 2), 999); });
    broken("header-size-past-end.DB", [&](std::string& b) { put16(b, 0x02, 0xFFFF); });
    broken("header-size-tiny.DB", [&](std::string& b) { put16(b, 0x02, 0x10); });
    broken("field-count-absurd.DB", [&](std::string& b) { put16(b, 0x21, 0xFFFF); });
    broken("field-count-zero.DB", [&](std::string& b) { put16(b, 0x21, 0); });
    broken("key-fields-absurd.DB", [&](std::string& b) { put16(b, 0x23, 200); });
    broken("field-width-zero.DB", [&](std::string& b) { b[0x78 + 1] = 0; });
    broken("field-type-unknown.DB", [&](std::string& b) { b[0x78] = 0x42; });
    broken("record-size-mismatch.DB", [&](std::string& b) { put16(b, 0x00, 7); });
    broken("record-larger-than-block.DB", [&](std::string& b) {
        put16(b, 0x00, 2000);
        b[0x78 + 1] = char(255);
    });
    broken("block-size-zero.DB", [&](std::string& b) { b[0x05] = 0; });
    broken("block-size-huge.DB", [&](std::string& b) { b[0x05] = 64; });
    broken("file-blocks-huge.DB", [&](std::string& b) { put16(b, 0x0C, 0xFFFF); });
    broken("record-count-huge.DB", [&](std::string& b) { put32(b, 0x06, 0xFFFFFFFF); });
    broken("record-count-low.DB", [&](std::string& b) { put32(b, 0x06, 3); });
    broken("block-count-negative.DB", [&](std::string& b) { put16(b, blockAt(t, 2) + 4, 0x8000); });
    broken("block-count-past-block.DB", [&](std::string& b) { put16(b, blockAt(t, 2) + 4, 0x7FF0); });
    broken("block-count-misaligned.DB", [&](std::string& b) { put16(b, blockAt(t, 2) + 4, 5); });
    broken("first-block-zero-with-records.DB", [&](std::string& b) { put16(b, 0x0E, 0); });
    broken("version-unknown.DB", [&](std::string& b) { b[0x39] = 99; });
    broken("version-too-old.DB", [&](std::string& b) { b[0x39] = 2; });
    broken("names-unterminated.DB", [&](std::string& b) {
        std::size_t names = 0x78 + 9 * 2 + 4 + 9 * 4 + 261;
        for (std::size_t i = names; i < t.header.size(); ++i)
            b[i] = 'N';
    });
    broken("index-not-a-table.DB", [&](std::string& b) { b = index; });
    broken("wrong-password-check.DB", [&](std::string& b) {
        // Enciphered blocks read with the wrong key: block lengths become noise.
        std::string p = writeTable(sample(12, "604217", 60));
        put32(p, 0x5C, 0x12345678);
        b = p;
    });
    return 0;
}
