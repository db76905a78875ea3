// Data files and primary indexes of Paradox tables.
//
// A data file is a header block followed by blocks of blockSize bytes,
// numbered from 1. The blocks in use form a chain from the header's first
// block; each starts with the numbers of the next and previous block and
// the offset of its last record. Header fields are little endian.

#include "database/ParadoxFormat.h"

#include <algorithm>
#include <cstring>

namespace database::paradox {

namespace {

// Header offsets.
constexpr std::size_t kRecordSize = 0x00;
constexpr std::size_t kHeaderSize = 0x02;
constexpr std::size_t kFileType = 0x04;
constexpr std::size_t kBlockSizeCode = 0x05;
constexpr std::size_t kRecordCount = 0x06;
constexpr std::size_t kBlocksInUse = 0x0A;
constexpr std::size_t kFileBlocks = 0x0C;
constexpr std::size_t kFirstBlock = 0x0E;
constexpr std::size_t kLastBlock = 0x10;
constexpr std::size_t kChangeCountA = 0x12;
constexpr std::size_t kIndexRoot = 0x1E;
constexpr std::size_t kIndexLevels = 0x20;
constexpr std::size_t kFieldCount = 0x21;
constexpr std::size_t kKeyFieldCount = 0x23;
constexpr std::size_t kEncryption = 0x25;
constexpr std::size_t kSortOrder = 0x29;
constexpr std::size_t kIndexMarker = 0x2C;
constexpr std::size_t kChangeCount1 = 0x2D;
constexpr std::size_t kChangeCount2 = 0x2E;
constexpr std::size_t kWriteProtected = 0x38;
constexpr std::size_t kVersion = 0x39;
constexpr std::size_t kMaxBlocks = 0x3A;
constexpr std::size_t kFixed3E = 0x3E;
constexpr std::size_t kAutoIncrement = 0x49;
constexpr std::size_t kFirstFreeBlock = 0x4D;
constexpr std::size_t kRealHeaderSize = 0x51;
constexpr std::size_t kFixed56 = 0x56;
// Data header of versions 4.x and later.
constexpr std::size_t kVersionWordA = 0x58;
constexpr std::size_t kVersionWordB = 0x5A;
constexpr std::size_t kEncryption2 = 0x5C;
constexpr std::size_t kHighFieldId = 0x64;
constexpr std::size_t kHighFieldInfo = 0x66;
constexpr std::size_t kCodePage = 0x6A;
constexpr std::size_t kFixed6C = 0x6C;
constexpr std::size_t kFieldInfoEnd = 0x6E;

constexpr std::size_t kShortHeader = 0x58;
constexpr std::size_t kLongHeader = 0x78;
constexpr std::uint32_t kEncryptionElsewhere = 0xFF00FF00;
constexpr std::size_t kBlockHead = 6;
constexpr unsigned kMaxBlockNumber = 0xFFFF;

unsigned u8(std::string_view b, std::size_t at)
{
    return static_cast<unsigned char>(b[at]);
}

unsigned u16(std::string_view b, std::size_t at)
{
    return u8(b, at) | u8(b, at + 1) << 8;
}

std::uint32_t u32(std::string_view b, std::size_t at)
{
    return std::uint32_t(u16(b, at)) | std::uint32_t(u16(b, at + 2)) << 16;
}

void put8(std::string& b, std::size_t at, unsigned v)
{
    b[at] = char(v & 0xFF);
}

void put16(std::string& b, std::size_t at, unsigned v)
{
    put8(b, at, v);
    put8(b, at + 1, v >> 8);
}

void put32(std::string& b, std::size_t at, std::uint32_t v)
{
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// Index statistics and block numbers are stored as Paradox short integers.
void putIndexShort(char* at, unsigned v)
{
    v = std::min(v, 0x7FFFu) ^ 0x8000u;
    at[0] = char(v >> 8);
    at[1] = char(v & 0xFF);
}

[[noreturn]] void corrupt(const std::string& why)
{
    throw FormatError(why);
}

std::size_t dataHeaderEnd(int versionId)
{
    return versionId >= 5 ? kLongHeader : kShortHeader;
}

std::size_t tableNameLength(int versionId)
{
    return versionId >= 12 ? 261 : 79;
}

// Record bytes of a field of this type and descriptor size byte, or 0 when
// the pair is not valid.
int recordBytes(unsigned type, unsigned sizeByte)
{
    switch (FieldType(type)) {
    case FieldType::Alpha:
    case FieldType::Bytes:
        return sizeByte >= 1 ? int(sizeByte) : 0;
    case FieldType::Date:
    case FieldType::Long:
    case FieldType::Time:
    case FieldType::AutoIncrement:
        return sizeByte == 4 ? 4 : 0;
    case FieldType::Short:
        return sizeByte == 2 ? 2 : 0;
    case FieldType::Money:
    case FieldType::Number:
    case FieldType::Timestamp:
        return sizeByte == 8 ? 8 : 0;
    case FieldType::Logical:
        return sizeByte == 1 ? 1 : 0;
    case FieldType::Memo:
    case FieldType::FormattedMemo:
        return sizeByte >= 11 && sizeByte <= 250 ? int(sizeByte) : 0;
    case FieldType::Binary:
    case FieldType::Ole:
    case FieldType::Graphic:
        return sizeByte >= 10 && sizeByte <= 250 ? int(sizeByte) : 0;
    case FieldType::Bcd:
        return sizeByte <= 32 ? 17 : 0;
    }
    return 0;
}

unsigned sizeByteOf(const Field& field)
{
    return field.type == FieldType::Bcd ? unsigned(field.decimals) : unsigned(field.size);
}

// A NUL-terminated string starting at at, which must end before end.
bool readString(std::string_view b, std::size_t& at, std::size_t end, std::string& text)
{
    if (at >= end)
        return false;
    const void* nul = std::memchr(b.data() + at, 0, end - at);
    if (nul == nullptr)
        return false;
    std::size_t stop = std::size_t(static_cast<const char*>(nul) - b.data());
    text.assign(b.data() + at, stop - at);
    at = stop + 1;
    return true;
}

std::size_t keyLength(const Table& table)
{
    std::size_t length = 0;
    for (int i = 0; i < table.keyFields; ++i)
        length += std::size_t(table.fields[std::size_t(i)].size);
    return length;
}

void checkWritable(const Table& table)
{
    std::size_t end = dataHeaderEnd(table.versionId);
    if (table.header.size() < end || table.recordSize < 1 || table.blockSize < 1024 ||
        table.blockSize % 1024 != 0 ||
        std::size_t(table.recordSize) + kBlockHead > std::size_t(table.blockSize))
        throw FormatError("the table's header cannot be written");
    for (const std::string& record : table.records) {
        if (record.size() != std::size_t(table.recordSize))
            throw FormatError("a record does not have the table's record size");
    }
}

std::string blockOf(unsigned next, unsigned previous, std::size_t count, std::size_t recordSize,
                    std::size_t blockSize)
{
    std::string block(blockSize, '\0');
    put16(block, 0, next);
    put16(block, 2, previous);
    put16(block, 4, unsigned(int(count) - 1) * unsigned(recordSize) & 0xFFFF);
    return block;
}

} // namespace

Table parseTable(std::string_view bytes)
{
    if (bytes.size() < kShortHeader)
        corrupt("the file is shorter than a table header");
    Table t;
    unsigned fileType = u8(bytes, kFileType);
    unsigned blockCode = u8(bytes, kBlockSizeCode);
    std::size_t headerSize = u16(bytes, kHeaderSize);
    unsigned fieldCount = u16(bytes, kFieldCount);
    t.versionId = int(u8(bytes, kVersion));
    t.recordSize = int(u16(bytes, kRecordSize));

    if (fileType != 0 && fileType != 2)
        corrupt("it is not the data file of a table (file type " + std::to_string(fileType) + ")");
    if (t.versionId < 3 || t.versionId > 12)
        corrupt("unknown file version " + std::to_string(t.versionId));
    if (blockCode < 1 || blockCode > 32)
        corrupt("invalid block size");
    if (fieldCount < 1 || fieldCount > 255)
        corrupt("invalid number of fields (" + std::to_string(fieldCount) + ")");
    std::size_t end = dataHeaderEnd(t.versionId);
    if (headerSize < end || headerSize > bytes.size())
        corrupt("invalid header size");
    std::string_view header = bytes.substr(0, headerSize);
    t.blockSize = int(blockCode * 1024);
    t.keyed = fileType == 0;
    t.keyFields = t.keyed ? int(u16(header, kKeyFieldCount)) : 0;
    if (t.keyed && (t.keyFields < 1 || t.keyFields > int(fieldCount)))
        corrupt("invalid number of key fields");

    std::size_t at = end;
    if (at + 2 * fieldCount > headerSize)
        corrupt("the field descriptors run past the header");
    int offset = 0;
    for (unsigned i = 0; i < fieldCount; ++i, at += 2) {
        unsigned type = u8(header, at), sizeByte = u8(header, at + 1);
        int size = recordBytes(type, sizeByte);
        if (size == 0)
            corrupt("field " + std::to_string(i + 1) + " has an invalid type or size");
        Field field;
        field.type = FieldType(type);
        field.size = size;
        field.decimals = field.type == FieldType::Bcd ? int(sizeByte) : 0;
        field.offset = offset;
        offset += size;
        t.fields.push_back(field);
    }
    if (offset != t.recordSize)
        corrupt("the record size does not match the fields");
    if (std::size_t(t.recordSize) + kBlockHead > std::size_t(t.blockSize))
        corrupt("a record does not fit into a block");

    at += 4 + 4 * std::size_t(fieldCount);
    std::size_t nameLength = tableNameLength(t.versionId);
    if (at + nameLength > headerSize)
        corrupt("the table name runs past the header");
    std::string_view name = header.substr(at, nameLength);
    t.tableName = std::string(name.substr(0, std::min(name.find('\0'), name.size())));
    at += nameLength;
    for (Field& field : t.fields) {
        if (!readString(header, at, headerSize, field.name))
            corrupt("the field names run past the header");
    }
    at += 2 * std::size_t(fieldCount);
    if (at < headerSize && !readString(header, at, headerSize, t.sortOrder))
        t.sortOrder.clear();

    t.codePage = t.versionId >= 5 ? int(u16(header, kCodePage)) : 0;
    t.passwordCheck = u32(header, kEncryption);
    if (t.passwordCheck == kEncryptionElsewhere && t.versionId >= 5)
        t.passwordCheck = u32(header, kEncryption2);
    t.writeProtected = u8(header, kWriteProtected) != 0;
    t.autoIncrement = std::int32_t(u32(header, kAutoIncrement));
    t.header = std::string(header);

    std::uint32_t recordCount = u32(header, kRecordCount);
    unsigned fileBlocks = u16(header, kFileBlocks);
    unsigned block = u16(header, kFirstBlock);
    std::size_t blockSize = std::size_t(t.blockSize);
    if (headerSize + std::size_t(fileBlocks) * blockSize > bytes.size())
        corrupt("the file is shorter than its blocks");
    std::size_t recordSize = std::size_t(t.recordSize);
    t.records.reserve(std::min<std::size_t>(recordCount, (bytes.size() - headerSize) / recordSize));
    std::vector<bool> visited(std::size_t(fileBlocks) + 1, false);
    std::string data;
    while (block != 0) {
        if (block > fileBlocks)
            corrupt("the block chain leaves the file");
        if (visited[block])
            corrupt("the block chain runs in a circle");
        visited[block] = true;
        data.assign(bytes.substr(headerSize + std::size_t(block - 1) * blockSize, blockSize));
        if (t.passwordCheck != 0)
            decryptBlock(data.data(), data.size(), t.passwordCheck, block);
        int lastOffset = std::int16_t(u16(data, 4));
        int used = lastOffset + t.recordSize;
        if (used < 0 || used % t.recordSize != 0 || std::size_t(used) + kBlockHead > blockSize)
            corrupt("block " + std::to_string(block) + " has an invalid record count");
        std::size_t count = std::size_t(used) / recordSize;
        if (t.records.size() + count > recordCount)
            corrupt("the blocks hold more records than the header counts");
        for (std::size_t i = 0; i < count; ++i)
            t.records.push_back(data.substr(kBlockHead + i * recordSize, recordSize));
        block = u16(data, 0);
    }
    if (t.records.size() != recordCount)
        corrupt("the blocks hold fewer records than the header counts");
    return t;
}

std::string writeTable(const Table& table)
{
    checkWritable(table);
    std::size_t recordSize = std::size_t(table.recordSize);
    std::size_t blockSize = std::size_t(table.blockSize);
    std::size_t perBlock = (blockSize - kBlockHead) / recordSize;
    std::size_t blocks = (table.records.size() + perBlock - 1) / perBlock;
    if (blocks > kMaxBlockNumber)
        throw FormatError("the table is full");

    std::string out = table.header;
    put32(out, kRecordCount, std::uint32_t(table.records.size()));
    put16(out, kBlocksInUse, unsigned(blocks));
    put16(out, kFileBlocks, unsigned(blocks));
    put16(out, kFirstBlock, blocks > 0 ? 1 : 0);
    put16(out, kLastBlock, unsigned(blocks));
    put16(out, kMaxBlocks, unsigned(blocks));
    put16(out, kFirstFreeBlock, 0);
    put32(out, kAutoIncrement, std::uint32_t(table.autoIncrement));
    out.reserve(out.size() + blocks * blockSize);

    for (std::size_t b = 0; b < blocks; ++b) {
        std::size_t first = b * perBlock;
        std::size_t count = std::min(perBlock, table.records.size() - first);
        unsigned number = unsigned(b + 1);
        std::string block =
            blockOf(b + 1 < blocks ? number + 1 : 0, number - 1, count, recordSize, blockSize);
        for (std::size_t i = 0; i < count; ++i)
            block.replace(kBlockHead + i * recordSize, recordSize, table.records[first + i]);
        if (table.passwordCheck != 0)
            encryptBlock(block.data(), block.size(), table.passwordCheck, number);
        out += block;
    }
    return out;
}

namespace {

// Whether old is the header of an index for this table, so that it can be kept.
bool indexHeaderFits(const Table& table, std::string_view old, std::size_t entrySize)
{
    std::size_t keys = std::size_t(table.keyFields);
    if (old.size() < kShortHeader + 2 * keys + 4)
        return false;
    std::size_t headerSize = u16(old, kHeaderSize);
    unsigned blockCode = u8(old, kBlockSizeCode);
    if (u8(old, kFileType) != 1 || u16(old, kRecordSize) != entrySize || u16(old, kFieldCount) != keys ||
        headerSize < kShortHeader + 2 * keys + 4 || headerSize > old.size() || blockCode < 1 ||
        blockCode > 32)
        return false;
    if ((blockCode * 1024 - kBlockHead) / entrySize < 2)
        return false;
    for (std::size_t i = 0; i < keys; ++i) {
        const Field& field = table.fields[i];
        if (u8(old, kShortHeader + 2 * i) != unsigned(field.type) ||
            u8(old, kShortHeader + 2 * i + 1) != sizeByteOf(field))
            return false;
    }
    return true;
}

std::string newIndexHeader(const Table& table, std::size_t entrySize)
{
    std::size_t keys = std::size_t(table.keyFields);
    std::size_t nameLength = tableNameLength(table.versionId);
    std::string h(0x800, '\0');
    put16(h, kRecordSize, unsigned(entrySize));
    put16(h, kHeaderSize, unsigned(h.size()));
    put8(h, kFileType, 1);
    put8(h, kBlockSizeCode, unsigned(table.blockSize / 1024));
    put16(h, kChangeCountA, 17);
    put16(h, kFieldCount, unsigned(keys));
    put8(h, kSortOrder, u8(table.header, kSortOrder));
    put8(h, kIndexMarker, 102);
    put8(h, kVersion, unsigned(table.versionId));
    put32(h, kAutoIncrement, 1);
    put16(h, kRealHeaderSize, unsigned(kShortHeader + keys * 2 + 4 + nameLength));
    for (std::size_t i = 0; i < keys; ++i) {
        put8(h, kShortHeader + 2 * i, unsigned(table.fields[i].type));
        put8(h, kShortHeader + 2 * i + 1, sizeByteOf(table.fields[i]));
    }
    std::size_t nameAt = kShortHeader + 2 * keys + 4;
    h.replace(nameAt, std::min(table.tableName.size(), nameLength - 1), table.tableName, 0, nameLength - 1);
    return h;
}

struct IndexEntry
{
    std::string key;
    unsigned child = 0; // data block, or the index of a block one level down
    unsigned count = 0; // records below
};

using IndexBlock = std::vector<IndexEntry>;

} // namespace

std::string writePrimaryIndex(const Table& table, std::string_view oldIndex)
{
    checkWritable(table);
    if (!table.keyed)
        throw FormatError("the table has no primary key");
    std::size_t keyBytes = keyLength(table);
    std::size_t entrySize = keyBytes + 6;
    std::string header = indexHeaderFits(table, oldIndex, entrySize)
                             ? std::string(oldIndex.substr(0, u16(oldIndex, kHeaderSize)))
                             : newIndexHeader(table, entrySize);
    std::size_t blockSize = std::size_t(u8(header, kBlockSizeCode)) * 1024;
    std::size_t capacity = (blockSize - kBlockHead) / entrySize;
    if (capacity < 2)
        throw FormatError("the key is too long for an index block");

    // Level 1: one entry for each data block, with the key of its first record.
    std::size_t perBlock = (std::size_t(table.blockSize) - kBlockHead) / std::size_t(table.recordSize);
    std::vector<IndexEntry> entries;
    for (std::size_t first = 0, block = 1; first < table.records.size(); first += perBlock, ++block) {
        std::size_t count = std::min(perBlock, table.records.size() - first);
        entries.push_back({table.records[first].substr(0, keyBytes), unsigned(block), unsigned(count)});
    }

    // Levels below the root, the lowest first; each entry of a level points
    // at a block of the level below.
    std::vector<std::vector<IndexBlock>> levels;
    while (entries.size() > capacity) {
        std::vector<IndexBlock> blocks;
        std::vector<IndexEntry> up;
        for (std::size_t i = 0; i < entries.size(); i += capacity) {
            IndexBlock block(entries.begin() + std::ptrdiff_t(i),
                             entries.begin() + std::ptrdiff_t(std::min(i + capacity, entries.size())));
            unsigned count = 0;
            for (const IndexEntry& e : block)
                count += e.count;
            up.push_back({block.front().key, unsigned(blocks.size()), count});
            blocks.push_back(std::move(block));
        }
        levels.push_back(std::move(blocks));
        entries = std::move(up);
    }

    // Numbering: the root is block 1, then each level from the top down.
    std::vector<unsigned> firstNumber(levels.size());
    unsigned next = 2;
    for (std::size_t j = levels.size(); j-- > 0;) {
        firstNumber[j] = next;
        next += unsigned(levels[j].size());
    }
    std::vector<IndexBlock> ordered;
    auto place = [&](IndexBlock block, std::size_t level) {
        // Entries above the lowest level name blocks of the level below.
        if (level > 0) {
            for (IndexEntry& e : block)
                e.child += firstNumber[level - 1];
        }
        ordered.push_back(std::move(block));
    };
    if (!entries.empty())
        place(entries, levels.size());
    for (std::size_t j = levels.size(); j-- > 0;) {
        for (IndexBlock& block : levels[j])
            place(std::move(block), j);
    }
    if (ordered.size() > kMaxBlockNumber)
        throw FormatError("the index is full");

    std::uint32_t total = 0;
    std::string out = header;
    for (std::size_t b = 0; b < ordered.size(); ++b) {
        const IndexBlock& entriesOfBlock = ordered[b];
        unsigned number = unsigned(b + 1);
        std::string block = blockOf(b + 1 < ordered.size() ? number + 1 : 0, number - 1,
                                    entriesOfBlock.size(), entrySize, blockSize);
        for (std::size_t i = 0; i < entriesOfBlock.size(); ++i) {
            char* at = block.data() + kBlockHead + i * entrySize;
            std::memcpy(at, entriesOfBlock[i].key.data(), keyBytes);
            putIndexShort(at + keyBytes, entriesOfBlock[i].child);
            putIndexShort(at + keyBytes + 2, entriesOfBlock[i].count);
            putIndexShort(at + keyBytes + 4, 0);
        }
        total += std::uint32_t(entriesOfBlock.size());
        if (table.passwordCheck != 0)
            encryptBlock(block.data(), block.size(), table.passwordCheck, number);
        out += block;
    }
    unsigned blocks = unsigned(ordered.size());
    put32(out, kRecordCount, total);
    put16(out, kBlocksInUse, blocks);
    put16(out, kFileBlocks, blocks);
    put16(out, kFirstBlock, blocks > 0 ? 1 : 0);
    put16(out, kLastBlock, blocks);
    put16(out, kIndexRoot, blocks > 0 ? 1 : 0);
    put8(out, kIndexLevels, blocks > 0 ? unsigned(levels.size() + 1) : 0);
    put32(out, kEncryption, table.passwordCheck);
    return out;
}

Table newTable(const TableSpec& definition)
{
    std::size_t count = definition.fields.size();
    if (count < 1 || count > 255)
        throw FormatError("a table has 1 to 255 fields");
    if (definition.keyFields < 0 || std::size_t(definition.keyFields) > count)
        throw FormatError("more key fields than fields");
    if (definition.versionId < 3 || definition.versionId > 12)
        throw FormatError("unknown file version");
    if (definition.blockSize < 1024 || definition.blockSize > 32 * 1024 || definition.blockSize % 1024 != 0)
        throw FormatError("invalid block size");
    std::size_t end = dataHeaderEnd(definition.versionId);
    std::size_t nameLength = tableNameLength(definition.versionId);
    if (definition.tableName.size() >= nameLength)
        throw FormatError("the table name is too long");

    int recordSize = 0;
    std::size_t names = 0;
    std::vector<unsigned> sizeBytes;
    for (const FieldSpec& f : definition.fields) {
        unsigned sizeByte = f.type == FieldType::Bcd ? unsigned(f.decimals) : unsigned(f.size);
        switch (f.type) {
        case FieldType::Date:
        case FieldType::Long:
        case FieldType::Time:
        case FieldType::AutoIncrement:
            sizeByte = 4;
            break;
        case FieldType::Short:
            sizeByte = 2;
            break;
        case FieldType::Money:
        case FieldType::Number:
        case FieldType::Timestamp:
            sizeByte = 8;
            break;
        case FieldType::Logical:
            sizeByte = 1;
            break;
        case FieldType::Memo:
        case FieldType::FormattedMemo:
        case FieldType::Binary:
        case FieldType::Ole:
        case FieldType::Graphic:
            sizeByte = unsigned(f.size) + 10;
            break;
        default:
            break;
        }
        int bytes =
            f.size < 0 || f.decimals < 0 || sizeByte > 255 ? 0 : recordBytes(unsigned(f.type), sizeByte);
        if (bytes == 0 || f.name.empty() || f.name.size() > 25 || f.name.find('\0') != std::string::npos)
            throw FormatError("invalid field \"" + f.name + "\"");
        recordSize += bytes;
        names += f.name.size() + 1;
        sizeBytes.push_back(sizeByte);
    }
    if (recordSize + int(kBlockHead) > definition.blockSize)
        throw FormatError("a record does not fit into a block");

    std::uint32_t check = passwordCheck(definition.password);
    std::size_t needed = end + count * 10 + 4 + nameLength + names + definition.sortOrder.size() + 1;
    std::string h((needed / 0x800 + 1) * 0x800, '\0');
    bool keyed = definition.keyFields > 0;
    put16(h, kRecordSize, unsigned(recordSize));
    put16(h, kHeaderSize, unsigned(h.size()));
    put8(h, kFileType, keyed ? 0 : 2);
    put8(h, kBlockSizeCode, unsigned(definition.blockSize / 1024));
    if (keyed)
        put16(h, kChangeCountA, 12);
    put16(h, kFieldCount, unsigned(count));
    put16(h, kKeyFieldCount, unsigned(definition.keyFields));
    put32(h, kEncryption, definition.versionId >= 5 ? kEncryptionElsewhere : check);
    put8(h, kSortOrder, definition.sortOrderId);
    put8(h, kChangeCount1, 2);
    put8(h, kChangeCount2, 1);
    put8(h, kVersion, unsigned(definition.versionId));
    put8(h, kFixed3E, 0x1F);
    put8(h, kFixed3E + 1, 0x0F);
    put16(h, kRealHeaderSize,
          unsigned(end + count * 8 + 4 + nameLength + names + definition.sortOrder.size() + 1));
    put8(h, kFixed56, 0x20);
    if (definition.versionId >= 5) {
        if (definition.versionId >= 10) {
            put16(h, kVersionWordA, 0x0100 | unsigned(definition.versionId));
            put16(h, kVersionWordB, 0x0100 | unsigned(definition.versionId));
        }
        put32(h, kEncryption2, check);
        put16(h, kHighFieldId, unsigned(count + 1));
        put16(h, kHighFieldInfo, unsigned(0x20 + count * 6 + 4 + nameLength + names));
        put16(h, kCodePage, unsigned(definition.codePage));
        put8(h, kFixed6C, 1);
        put8(h, kFixed6C + 1, 1);
        put16(h, kFieldInfoEnd,
              unsigned(0x18 + count * 8 + 4 + nameLength + names + definition.sortOrder.size()));
    }
    std::size_t at = end;
    for (std::size_t i = 0; i < count; ++i, at += 2) {
        put8(h, at, unsigned(definition.fields[i].type));
        put8(h, at + 1, sizeBytes[i]);
    }
    at += 4 + 4 * count;
    h.replace(at, definition.tableName.size(), definition.tableName);
    at += nameLength;
    for (const FieldSpec& f : definition.fields) {
        h.replace(at, f.name.size(), f.name);
        at += f.name.size() + 1;
    }
    for (std::size_t i = 0; i < count; ++i, at += 2)
        put16(h, at, unsigned(i + 1));
    h.replace(at, definition.sortOrder.size(), definition.sortOrder);
    return parseTable(h);
}

} // namespace database::paradox
