// The format on its own: values, key order, the cipher and the password
// check against pxlib's, and tables written and read back.

#include "database/ParadoxFormat.h"

#include "files/FileSystem.h"

#include <gtest/gtest.h>
#include <random>

extern "C" {
// pxlib's own cipher and password check (exported by its library).
long px_passwd_checksum(const char* password);
void px_encrypt_db_block(unsigned char* src, unsigned char* dest, unsigned long encryption,
                         unsigned long blocksize, unsigned long blockno);
}

namespace database::paradox {
namespace {

Field fieldOf(FieldType type, int size = 0, int decimals = 0)
{
    TableSpec definition;
    definition.fields = {{"F", type, size, decimals}};
    return newTable(definition).fields[0];
}

std::string stored(const Field& field, const std::string& text)
{
    std::string raw(std::size_t(field.size), '\x55');
    EXPECT_TRUE(storeText(field, text, raw.data())) << text;
    return raw;
}

struct ValueCase
{
    FieldType type;
    int size;
    std::string in;
    std::string out;
};

TEST(ParadoxValues, TextRoundTripsThroughEveryWritableType)
{
    const ValueCase cases[] = {
        {FieldType::Alpha, 10, "abc", "abc"},
        {FieldType::Short, 0, "-12", "-12"},
        {FieldType::Short, 0, "32767", "32767"},
        {FieldType::Long, 0, "-2147483647", "-2147483647"},
        {FieldType::Long, 0, "0", "0"},
        {FieldType::Number, 0, "3.25", "3.25"},
        {FieldType::Number, 0, "-0.5", "-0.5"},
        {FieldType::Money, 0, "1234.5", "1234.5"},
        {FieldType::Logical, 0, "True", "True"},
        {FieldType::Logical, 0, "false", "False"},
        {FieldType::Date, 0, "2024/02/29", "2024/02/29"},
        {FieldType::Date, 0, "1996-5-4", "1996/05/04"},
        {FieldType::Date, 0, "0001/01/01", "0001/01/01"},
        {FieldType::Time, 0, "23:59:58", "23:59:58"},
        {FieldType::Timestamp, 0, "1999/12/31 12:00:01", "1999/12/31 12:00:01"},
        {FieldType::Bcd, 2, "-123.45", "-123.45"},
        {FieldType::Bcd, 2, "7", "7"},
    };
    for (const ValueCase& c : cases) {
        Field f = c.type == FieldType::Bcd ? fieldOf(c.type, 0, c.size) : fieldOf(c.type, c.size);
        std::string raw = stored(f, c.in);
        EXPECT_FALSE(isNull(f, raw)) << c.in;
        EXPECT_EQ(valueText(f, raw), c.out) << c.in;
        EXPECT_EQ(valueText(f, stored(f, "")), "") << "null of " << c.in;
    }
}

TEST(ParadoxValues, KnownEncodings)
{
    // 4 May 1996 is day 728783; numbers keep their sign in the top bit.
    EXPECT_EQ(stored(fieldOf(FieldType::Date), "1996/05/04"), std::string("\x80\x0B\x1E\xCF", 4));
    EXPECT_EQ(stored(fieldOf(FieldType::Short), "-1"), std::string("\x7F\xFF", 2));
    EXPECT_EQ(stored(fieldOf(FieldType::Short), "1"), std::string("\x80\x01", 2));
    EXPECT_EQ(stored(fieldOf(FieldType::Logical), "True"), std::string("\x81", 1));
    EXPECT_EQ(stored(fieldOf(FieldType::Number), "100.5"),
              std::string("\xC0\x59\x20\x00\x00\x00\x00\x00", 8));
}

TEST(ParadoxValues, RejectsTextThatIsNoValueOfTheType)
{
    const ValueCase cases[] = {
        {FieldType::Short, 0, "40000", ""},     {FieldType::Short, 0, "12a", ""},
        {FieldType::Long, 0, "1.5", ""},        {FieldType::Number, 0, "1,5", ""},
        {FieldType::Logical, 0, "maybe", ""},   {FieldType::Date, 0, "2023/02/29", ""},
        {FieldType::Date, 0, "2023/13/01", ""}, {FieldType::Time, 0, "24:00:00", ""},
        {FieldType::AutoIncrement, 0, "5", ""}, {FieldType::Memo, 5, "text", ""},
        {FieldType::Bcd, 30, "1234", ""},
    };
    for (const ValueCase& c : cases) {
        Field f = c.type == FieldType::Bcd ? fieldOf(c.type, 0, c.size) : fieldOf(c.type, c.size);
        std::string raw(std::size_t(f.size), '\0');
        EXPECT_FALSE(storeText(f, c.in, raw.data())) << c.in;
    }
}

TEST(ParadoxValues, AlphaIsCutToItsWidthBetweenCharacters)
{
    std::string chinese = files::toCp950("中文字"); // 6 bytes
    ASSERT_EQ(chinese.size(), 6u);
    EXPECT_EQ(cutToWidth(chinese, 5), 4u);
    EXPECT_EQ(cutToWidth(chinese, 6), 6u);
    EXPECT_EQ(cutToWidth("a" + chinese, 2), 1u);
    EXPECT_EQ(cutToWidth("ab", 5), 2u);

    Field f = fieldOf(FieldType::Alpha, 4);
    std::string raw = stored(f, "x" + chinese);
    EXPECT_EQ(files::fromCp950(valueText(f, raw)), "x中");
    EXPECT_EQ(raw[3], '\0');
}

TEST(ParadoxValues, KeysOrderLikeTheirValuesWithNullFirst)
{
    const std::pair<FieldType, std::vector<std::string>> cases[] = {
        {FieldType::Long, {"", "-70000", "-1", "0", "3", "70000"}},
        {FieldType::Number, {"", "-2.5", "-1", "0", "0.5", "1e10"}},
        {FieldType::Date, {"", "0500/1/1", "1999/1/1", "1999/1/2", "2020/6/1"}},
    };
    for (const auto& [type, texts] : cases) {
        TableSpec definition;
        definition.fields = {{"K", type, 0}};
        definition.keyFields = 1;
        Table t = newTable(definition);
        for (std::size_t i = 0; i + 1 < texts.size(); ++i)
            EXPECT_LT(compareKeys(t, stored(t.fields[0], texts[i]), stored(t.fields[0], texts[i + 1])), 0)
                << texts[i] << " < " << texts[i + 1];
    }
}

TEST(ParadoxValues, AlphaKeysFoldCaseExceptInAsciiOrder)
{
    TableSpec definition;
    definition.fields = {{"K", FieldType::Alpha, 10}};
    definition.keyFields = 1;
    Table intl = newTable(definition);
    definition.sortOrder = "ascii";
    Table ascii = newTable(definition);
    std::string lowerB = stored(intl.fields[0], "b"), upperC = stored(intl.fields[0], "C");
    EXPECT_LT(compareKeys(intl, lowerB, upperC), 0);
    EXPECT_GT(compareKeys(ascii, lowerB, upperC), 0);
    EXPECT_NE(compareKeys(intl, stored(intl.fields[0], "a"), stored(intl.fields[0], "A")), 0);
}

TEST(ParadoxCipher, PasswordCheckIsPxlibs)
{
    for (const char* password :
         {"604217", "qzwrt402617", "mvb417306", "jkw468139", "x", "a long password, 31 chars"}) {
        auto theirs = std::uint32_t(px_passwd_checksum(password));
        EXPECT_EQ(passwordCheck(password), theirs) << password;
        EXPECT_NE(theirs, 0u);
    }
    EXPECT_EQ(passwordCheck(""), 0u);
}

TEST(ParadoxCipher, BlocksAreEncipheredAsPxlibDoesAndDecipherBack)
{
    std::mt19937 random(7);
    std::string plain(2048, '\0');
    for (char& c : plain)
        c = char(random());
    std::uint32_t check = passwordCheck("hjoy702318");
    for (unsigned blockNumber : {1u, 2u, 300u}) {
        std::string ours = plain;
        encryptBlock(ours.data(), ours.size(), check, blockNumber);
        std::string theirs(plain.size(), '\0');
        px_encrypt_db_block(reinterpret_cast<unsigned char*>(plain.data()),
                            reinterpret_cast<unsigned char*>(theirs.data()), check, theirs.size(),
                            blockNumber);
        EXPECT_EQ(ours, theirs);
        decryptBlock(ours.data(), ours.size(), check, blockNumber);
        EXPECT_EQ(ours, plain);
    }
}

Table sampleTable(const std::string& password, int rows)
{
    TableSpec definition;
    definition.fields = {
        {"Name", FieldType::Alpha, 30}, {"Count", FieldType::Long, 0}, {"Note", FieldType::Memo, 20}};
    definition.keyFields = 1;
    definition.blockSize = 1024;
    definition.password = password;
    definition.tableName = "SAMPLE.DB";
    Table t = newTable(definition);
    for (int i = 0; i < rows; ++i) {
        std::string record(std::size_t(t.recordSize), '\0');
        char name[16];
        std::snprintf(name, sizeof name, "N%05d", i);
        storeText(t.fields[0], name, record.data());
        storeText(t.fields[1], std::to_string(i * 7), record.data() + t.fields[1].offset);
        t.records.push_back(record);
    }
    return t;
}

TEST(ParadoxTables, WrittenTablesReadBackWithTheirHeader)
{
    for (const char* password : {"", "kdr528149"}) {
        Table t = sampleTable(password, 500);
        std::string bytes = writeTable(t);
        Table back = parseTable(bytes);
        EXPECT_EQ(back.records, t.records);
        EXPECT_EQ(back.passwordCheck, passwordCheck(password));
        EXPECT_EQ(back.codePage, 950);
        EXPECT_EQ(back.tableName, "SAMPLE.DB");
        EXPECT_EQ(back.sortOrder, "ANSIINTL");
        ASSERT_EQ(back.fields.size(), 3u);
        EXPECT_EQ(back.fields[2].name, "Note");
        EXPECT_EQ(back.fields[2].size, 30);
        // Written again, byte for byte the same.
        EXPECT_EQ(writeTable(back), bytes);
        if (*password != '\0') {
            // The blocks are enciphered: no record text in the clear.
            EXPECT_EQ(bytes.find("N00001"), std::string::npos);
        }
    }
}

TEST(ParadoxTables, EmptyTableAndFullTable)
{
    Table t = sampleTable("", 0);
    Table back = parseTable(writeTable(t));
    EXPECT_TRUE(back.records.empty());
    EXPECT_EQ(writePrimaryIndex(back, {}).size(), 0x800u);

    // 65535 blocks at most: one record per 1 KiB block cannot hold more.
    TableSpec definition;
    definition.fields = {{"Wide", FieldType::Alpha, 255}, {"Wider", FieldType::Alpha, 255}};
    definition.blockSize = 1024;
    Table wide = newTable(definition);
    wide.records.assign(65536, std::string(510, 'x'));
    EXPECT_THROW(writeTable(wide), FormatError);
}

TEST(ParadoxTables, NewTableRefusesWhatTheFormatCannotHold)
{
    TableSpec definition;
    definition.fields = {{"A", FieldType::Alpha, 0}};
    EXPECT_THROW(newTable(definition), FormatError);
    definition.fields = {{"A", FieldType::Alpha, 300}};
    EXPECT_THROW(newTable(definition), FormatError);
    definition.fields = {{"", FieldType::Alpha, 3}};
    EXPECT_THROW(newTable(definition), FormatError);
    definition.fields = {{"A", FieldType::Alpha, 3}};
    definition.keyFields = 2;
    EXPECT_THROW(newTable(definition), FormatError);
}

} // namespace
} // namespace database::paradox
