// Field values of Paradox records. Numbers are stored big endian with the
// sign bit flipped (negative doubles entirely inverted), so that the bytes
// sort like the values and all zero bytes mean null.

#include "database/ParadoxFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace database::paradox {

namespace {

constexpr std::int64_t kParadoxDayToJulian = 1721425;
constexpr std::int64_t kMsPerDay = 86'400'000;

std::uint64_t bigEndian(std::string_view raw)
{
    std::uint64_t v = 0;
    for (char c : raw)
        v = v << 8 | static_cast<unsigned char>(c);
    return v;
}

void putBigEndian(char* raw, std::size_t size, std::uint64_t v)
{
    for (std::size_t i = size; i-- > 0; v >>= 8)
        raw[i] = char(v & 0xFF);
}

// Integers of 1, 2 or 4 bytes; false for null.
bool integerOf(std::string_view raw, std::int64_t& value)
{
    std::uint64_t stored = bigEndian(raw);
    if (stored == 0)
        return false;
    unsigned bits = unsigned(raw.size() * 8);
    std::uint64_t sign = std::uint64_t(1) << (bits - 1);
    std::uint64_t v = stored ^ sign;
    value = (v & sign) != 0 ? std::int64_t(v) - std::int64_t(sign << 1) : std::int64_t(v);
    return true;
}

void putInteger(char* raw, std::size_t size, std::int64_t value)
{
    std::uint64_t sign = std::uint64_t(1) << (size * 8 - 1);
    std::uint64_t mask = (sign << 1) - 1;
    putBigEndian(raw, size, (std::uint64_t(value) & mask) ^ sign);
}

bool doubleOf(std::string_view raw, double& value)
{
    std::uint64_t stored = bigEndian(raw);
    if (stored == 0)
        return false;
    std::uint64_t bits = (stored >> 63) != 0 ? stored & ~(std::uint64_t(1) << 63) : ~stored;
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

void putDouble(char* raw, double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits = value >= 0 ? bits | std::uint64_t(1) << 63 : ~bits;
    putBigEndian(raw, 8, bits);
}

// Julian day numbers of the Gregorian calendar.
std::int64_t julianDay(int year, int month, int day)
{
    std::int64_t a = (14 - month) / 12;
    std::int64_t y = year + 4800 - a;
    std::int64_t m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

void civilDate(std::int64_t julian, int& year, int& month, int& day)
{
    std::int64_t a = julian + 32044;
    std::int64_t b = (4 * a + 3) / 146097;
    std::int64_t c = a - 146097 * b / 4;
    std::int64_t d = (4 * c + 3) / 1461;
    std::int64_t e = c - 1461 * d / 4;
    std::int64_t m = (5 * e + 2) / 153;
    day = int(e - (153 * m + 2) / 5 + 1);
    month = int(m + 3 - 12 * (m / 10));
    year = int(100 * b + d - 4800 + m / 10);
}

bool validDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= days[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string twoDigits(std::int64_t v)
{
    return std::string{char('0' + v / 10 % 10), char('0' + v % 10)};
}

std::string dateText(std::int64_t days)
{
    if (days < 1 || days > 3'652'059)
        return "";
    int y, m, d;
    civilDate(days + kParadoxDayToJulian, y, m, d);
    std::string year = std::to_string(y);
    return std::string(4 - std::min<std::size_t>(4, year.size()), '0') + year + "/" + twoDigits(m) + "/" +
           twoDigits(d);
}

std::string timeText(std::int64_t ms)
{
    if (ms < 0 || ms >= kMsPerDay)
        return "";
    std::int64_t s = ms / 1000;
    return twoDigits(s / 3600) + ":" + twoDigits(s / 60 % 60) + ":" + twoDigits(s % 60);
}

std::string numberText(double v)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

// The in-record part of a blob: the bytes before its ten-byte locator, as
// many as the blob has.
std::string_view blobPart(std::string_view raw)
{
    std::size_t leader = raw.size() - 10;
    std::uint32_t length = std::uint32_t(static_cast<unsigned char>(raw[leader + 4])) |
                           std::uint32_t(static_cast<unsigned char>(raw[leader + 5])) << 8 |
                           std::uint32_t(static_cast<unsigned char>(raw[leader + 6])) << 16 |
                           std::uint32_t(static_cast<unsigned char>(raw[leader + 7])) << 24;
    return raw.substr(0, std::min<std::size_t>(leader, length));
}

std::string_view upToNul(std::string_view text)
{
    return text.substr(0, std::min(text.find('\0'), text.size()));
}

std::string bcdText(std::string_view raw)
{
    auto nibble = [&](std::size_t i) {
        unsigned b = static_cast<unsigned char>(raw[i / 2]);
        return i % 2 != 0 ? b & 0x0F : b >> 4;
    };
    unsigned head = static_cast<unsigned char>(raw[0]);
    bool negative = (head & 0x80) == 0;
    std::size_t decimals = std::min<std::size_t>(head & 0x3F, 32);
    unsigned flip = negative ? 0x0F : 0;
    std::string whole, fraction;
    for (std::size_t i = 2; i < 34; ++i) {
        unsigned digit = nibble(i) ^ flip;
        if (digit > 9)
            return "";
        (i < 34 - decimals ? whole : fraction).push_back(char('0' + digit));
    }
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    fraction.erase(std::min(fraction.find_last_not_of('0') + 1, fraction.size()));
    // Not = "0": GCC 12 at -O3 takes that for an overlapping copy (-Wrestrict).
    if (whole.empty())
        whole.push_back('0');
    std::string text = (negative ? "-" : "") + whole;
    if (!fraction.empty())
        text += "." + fraction;
    return text == "-0" ? "0" : text;
}

// ---- Parsing text ------------------------------------------------------------

bool parseInteger(std::string_view text, std::int64_t low, std::int64_t high, std::int64_t& value)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end && value >= low && value <= high;
}

bool parseNumber(std::string_view text, double& value)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

// Numbers separated by one of separators, e.g. "2024/1/31" or "12:30:05":
// at least `least` and at most `count` of them; missing ones are 0.
bool parseParts(std::string_view text, const char* separators, int parts[], int count, int least)
{
    int n = 0;
    std::size_t at = 0;
    while (true) {
        std::size_t stop = text.find_first_of(separators, at);
        std::string_view piece = text.substr(at, stop == std::string_view::npos ? stop : stop - at);
        if (n == count || piece.empty() || piece.size() > 5)
            return false;
        int v = 0;
        for (char c : piece) {
            if (c < '0' || c > '9')
                return false;
            v = v * 10 + (c - '0');
        }
        parts[n++] = v;
        if (stop == std::string_view::npos)
            break;
        at = stop + 1;
    }
    for (int i = n; i < count; ++i)
        parts[i] = 0;
    return n >= least;
}

bool parseDate(std::string_view text, std::int64_t& days)
{
    int p[3];
    if (!parseParts(text, "/-", p, 3, 3) || !validDate(p[0], p[1], p[2]))
        return false;
    days = julianDay(p[0], p[1], p[2]) - kParadoxDayToJulian;
    return true;
}

bool parseTime(std::string_view text, std::int64_t& ms)
{
    int p[3];
    if (!parseParts(text, ":", p, 3, 2) || p[0] > 23 || p[1] > 59 || p[2] > 59)
        return false;
    ms = (std::int64_t(p[0]) * 3600 + p[1] * 60 + p[2]) * 1000;
    return true;
}

bool parseLogical(std::string_view text, bool& value)
{
    std::string lower;
    for (char c : text)
        lower.push_back(c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
    for (const char* yes : {"true", "t", "yes", "y", "1"}) {
        if (lower == yes)
            return value = true, true;
    }
    for (const char* no : {"false", "f", "no", "n", "0"}) {
        if (lower == no)
            return value = false, true;
    }
    return false;
}

bool storeBcd(std::string_view text, int decimals, char* raw)
{
    bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.remove_prefix(1);
    std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() && fraction.empty())
        return false;
    for (std::string_view part : {whole, fraction}) {
        for (char c : part) {
            if (c < '0' || c > '9')
                return false;
        }
    }
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
    std::size_t wholeDigits = 32 - std::size_t(decimals);
    if (whole.size() > wholeDigits)
        return false;
    unsigned flip = negative ? 0x0F : 0;
    std::memset(raw, negative ? 0xFF : 0, 17);
    raw[0] = char((negative ? 0x40 : 0xC0) | decimals);
    auto putNibble = [&](std::size_t i, unsigned digit) {
        auto& b = reinterpret_cast<unsigned char&>(raw[i / 2]);
        digit ^= flip;
        b = i % 2 != 0 ? (b & 0xF0) | digit : (b & 0x0F) | digit << 4;
    };
    for (std::size_t i = 0; i < whole.size(); ++i)
        putNibble(2 + wholeDigits - whole.size() + i, unsigned(whole[i] - '0'));
    for (std::size_t i = 0; i < fraction.size() && i < std::size_t(decimals); ++i)
        putNibble(2 + wholeDigits + i, unsigned(fraction[i] - '0'));
    return true;
}

bool isBlob(FieldType type)
{
    return type == FieldType::Memo || type == FieldType::FormattedMemo || type == FieldType::Binary ||
           type == FieldType::Ole || type == FieldType::Graphic;
}

bool foldsCase(const Table& table)
{
    std::string order;
    for (char c : table.sortOrder)
        order.push_back(c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
    return !order.empty() && order != "ascii";
}

// Compares text with a to z taken as A to Z, double-byte characters as they are.
int compareFolded(std::string_view a, std::string_view b)
{
    std::size_t i = 0, n = std::min(a.size(), b.size());
    while (i < n) {
        auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
        if (ca >= 0x81 && ca <= 0xFE && i + 1 < n) {
            if (ca != cb)
                return ca < cb ? -1 : 1;
            auto ta = static_cast<unsigned char>(a[i + 1]), tb = static_cast<unsigned char>(b[i + 1]);
            if (ta != tb)
                return ta < tb ? -1 : 1;
            i += 2;
            continue;
        }
        if (ca >= 'a' && ca <= 'z')
            ca = ca - 'a' + 'A';
        if (cb >= 'a' && cb <= 'z')
            cb = cb - 'a' + 'A';
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

int compareBytes(std::string_view a, std::string_view b)
{
    int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

} // namespace

std::string_view fieldBytes(const Field& field, std::string_view record)
{
    return record.substr(std::size_t(field.offset), std::size_t(field.size));
}

bool isNull(const Field& field, std::string_view raw)
{
    if (field.type == FieldType::Alpha)
        return raw.empty() || raw[0] == '\0';
    if (isBlob(field.type))
        return blobPart(raw).empty() && bigEndian(raw.substr(raw.size() - 10, 8)) == 0;
    return raw.find_first_not_of('\0') == std::string_view::npos;
}

std::string valueText(const Field& field, std::string_view raw)
{
    if (raw.size() != std::size_t(field.size))
        return "";
    std::int64_t i;
    double d;
    switch (field.type) {
    case FieldType::Alpha:
        return std::string(upToNul(raw));
    case FieldType::Memo:
    case FieldType::FormattedMemo:
        return std::string(upToNul(blobPart(raw)));
    case FieldType::Binary:
    case FieldType::Ole:
    case FieldType::Graphic:
        return std::string(blobPart(raw));
    case FieldType::Bytes:
        return isNull(field, raw) ? "" : std::string(raw);
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoIncrement:
        return integerOf(raw, i) ? std::to_string(i) : "";
    case FieldType::Logical:
        return integerOf(raw, i) ? (i != 0 ? "True" : "False") : "";
    case FieldType::Date:
        return integerOf(raw, i) ? dateText(i) : "";
    case FieldType::Time:
        return integerOf(raw, i) ? timeText(i) : "";
    case FieldType::Number:
    case FieldType::Money:
        return doubleOf(raw, d) ? numberText(d) : "";
    case FieldType::Timestamp: {
        if (!doubleOf(raw, d) || !(d >= 0) || d > 1e15)
            return "";
        auto ms = std::int64_t(d);
        std::string date = dateText(ms / kMsPerDay);
        return date.empty() ? "" : date + " " + timeText(ms % kMsPerDay);
    }
    case FieldType::Bcd:
        return raw[0] == '\0' ? "" : bcdText(raw);
    }
    return "";
}

bool storeText(const Field& field, std::string_view text, char* raw)
{
    std::size_t size = std::size_t(field.size);
    if (field.type == FieldType::AutoIncrement)
        return false;
    if (text.empty()) {
        std::memset(raw, 0, size);
        return true;
    }
    std::int64_t i;
    double d;
    bool b;
    switch (field.type) {
    case FieldType::Alpha: {
        std::size_t n = cutToWidth(text, size);
        std::memset(raw, 0, size);
        std::memcpy(raw, text.data(), n);
        return true;
    }
    case FieldType::Short:
        if (!parseInteger(text, -32767, 32767, i))
            return false;
        putInteger(raw, 2, i);
        return true;
    case FieldType::Long:
        if (!parseInteger(text, -2147483647, 2147483647, i))
            return false;
        putInteger(raw, 4, i);
        return true;
    case FieldType::Logical:
        if (!parseLogical(text, b))
            return false;
        putInteger(raw, 1, b ? 1 : 0);
        return true;
    case FieldType::Number:
    case FieldType::Money:
        if (!parseNumber(text, d))
            return false;
        putDouble(raw, d);
        return true;
    case FieldType::Date:
        if (!parseDate(text, i))
            return false;
        putInteger(raw, 4, i);
        return true;
    case FieldType::Time:
        if (!parseTime(text, i))
            return false;
        putInteger(raw, 4, i);
        return true;
    case FieldType::Timestamp: {
        std::size_t blank = text.find(' ');
        std::int64_t days, ms = 0;
        if (!parseDate(text.substr(0, blank), days) ||
            (blank != std::string_view::npos && !parseTime(text.substr(blank + 1), ms)))
            return false;
        putDouble(raw, double(days * kMsPerDay + ms));
        return true;
    }
    case FieldType::Bcd:
        return storeBcd(text, field.decimals, raw);
    default:
        return false;
    }
}

std::size_t cutToWidth(std::string_view cp950, std::size_t width)
{
    std::size_t at = 0;
    while (at < cp950.size()) {
        auto lead = static_cast<unsigned char>(cp950[at]);
        std::size_t length = lead >= 0x81 && lead <= 0xFE && at + 1 < cp950.size() ? 2 : 1;
        if (at + length > width)
            break;
        at += length;
    }
    return at;
}

int compareKeys(const Table& table, std::string_view a, std::string_view b)
{
    bool fold = foldsCase(table);
    for (int k = 0; k < table.keyFields; ++k) {
        const Field& field = table.fields[std::size_t(k)];
        std::string_view fa = fieldBytes(field, a), fb = fieldBytes(field, b);
        int c = 0;
        if (fold && field.type == FieldType::Alpha)
            c = compareFolded(upToNul(fa), upToNul(fb));
        if (c == 0)
            c = compareBytes(fa, fb);
        if (c != 0)
            return c;
    }
    return 0;
}

bool sameKey(const Table& table, std::string_view a, std::string_view b)
{
    for (int k = 0; k < table.keyFields; ++k) {
        const Field& field = table.fields[std::size_t(k)];
        if (fieldBytes(field, a) != fieldBytes(field, b))
            return false;
    }
    return true;
}

} // namespace database::paradox
