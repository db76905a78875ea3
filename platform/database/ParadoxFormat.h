#pragma once

// The Paradox table format, bytes in and bytes out: a data file (.DB) taken
// apart into its header, field descriptors and records, written back, and
// the primary index (.PX) built for it. No files and no code-page
// conversion here; text stays in the table's own bytes.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace database::paradox {

// The bytes are no table this engine can read: truncated, inconsistent or hostile.
class FormatError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

enum class FieldType : std::uint8_t
{
    Alpha = 0x01,
    Date = 0x02,
    Short = 0x03,
    Long = 0x04,
    Money = 0x05,
    Number = 0x06,
    Logical = 0x09,
    Memo = 0x0C,
    Binary = 0x0D,
    FormattedMemo = 0x0E,
    Ole = 0x0F,
    Graphic = 0x10,
    Time = 0x14,
    Timestamp = 0x15,
    AutoIncrement = 0x16,
    Bcd = 0x17,
    Bytes = 0x18,
};

struct Field
{
    std::string name; // as stored, in the table's code page
    FieldType type = FieldType::Alpha;
    int size = 0;     // bytes in the record
    int decimals = 0; // BCD: digits after the point
    int offset = 0;   // of the field in the record
};

// A table as its data file holds it. The header block is kept byte for byte
// so that a rewrite keeps every property of the table; records are
// decrypted and in the order of the block chain.
struct Table
{
    std::string header;
    int versionId = 0; // 3 (3.0), 4 (3.5), 5-9 (4.x), 10-11 (5.x), 12 (7.x)
    bool keyed = false;
    int keyFields = 0;
    int blockSize = 0;
    int recordSize = 0;
    int codePage = 0;                // 0 where the version records none
    std::uint32_t passwordCheck = 0; // 0: not protected
    bool writeProtected = false;
    std::int32_t autoIncrement = 0; // last number given out
    std::string tableName;
    std::string sortOrder;
    std::vector<Field> fields;
    std::vector<std::string> records; // recordSize bytes each
};

// Throws FormatError. Work and memory are bounded by the size of bytes.
Table parseTable(std::string_view bytes);

// The data file of table: its header with the counts of the records given,
// the records packed into blocks in their order, encrypted when protected.
// Throws FormatError when they do not fit into the table's format.
std::string writeTable(const Table& table);

// The primary index of a keyed table as writeTable lays it out. The header
// of oldIndex is kept when it is the index of this table.
std::string writePrimaryIndex(const Table& table, std::string_view oldIndex);

// ---- New tables ------------------------------------------------------------

struct FieldSpec
{
    std::string name;
    FieldType type = FieldType::Alpha;
    int size = 0;     // Alpha, Bytes: width; Memo and other blobs: in-record part
    int decimals = 0; // Bcd
};

struct TableSpec
{
    std::vector<FieldSpec> fields;
    int keyFields = 0; // the first fields form the primary key
    int versionId = 12;
    int blockSize = 2048;
    int codePage = 950;
    std::string password; // empty: not protected
    std::string tableName;
    std::string sortOrder = "ANSIINTL";
    std::uint8_t sortOrderId = 0x62;
};

// An empty table; throws FormatError for fields or sizes the format cannot hold.
Table newTable(const TableSpec& definition);

// ---- Passwords and blocks ----------------------------------------------------

// The value a protected table's header holds for its password.
std::uint32_t passwordCheck(std::string_view password);

// Block cipher of data and index blocks; size is a multiple of 256.
void encryptBlock(char* block, std::size_t size, std::uint32_t passwordCheck, unsigned blockNumber);
void decryptBlock(char* block, std::size_t size, std::uint32_t passwordCheck, unsigned blockNumber);

// ---- Values --------------------------------------------------------------------

std::string_view fieldBytes(const Field& field, std::string_view record);
bool isNull(const Field& field, std::string_view raw);

// The value as text: Alpha and Memo in the table's bytes up to the first
// NUL; numbers in decimal; Logical "True"/"False"; Date "yyyy/mm/dd";
// Time "hh:mm:ss"; Timestamp both; blobs their in-record part; "" for null.
std::string valueText(const Field& field, std::string_view raw);

// Stores text (in the table's bytes) into the field's raw bytes (size
// bytes). Alpha is cut to the field's width, never inside a double-byte
// character; "" stores null. False when text is no value of the field's
// type or the type takes no text (blobs, Bytes, AutoIncrement).
bool storeText(const Field& field, std::string_view text, char* raw);

// Longest prefix of cp950 text of at most width bytes that ends on a character boundary.
std::size_t cutToWidth(std::string_view cp950, std::size_t width);

// Orders two records by their key fields in the table's sort order.
int compareKeys(const Table& table, std::string_view a, std::string_view b);
bool sameKey(const Table& table, std::string_view a, std::string_view b);

} // namespace database::paradox
