#include "files/FileSystemPrivate.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <vector>

namespace files {

namespace {

char upperChar(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// Bytes of the UTF-8 character that starts with lead (1 for a stray byte).
std::size_t utf8Length(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

std::size_t nextChar(const std::string& text, std::size_t at)
{
    std::size_t step = utf8Length(static_cast<unsigned char>(text[at]));
    return std::min(text.size(), at + step);
}

// Wildcard match of upper-cased texts: "*" any run of characters, "?" one.
bool globMatch(const std::string& name, const std::string& mask)
{
    std::size_t n = 0, m = 0;
    std::size_t starMask = std::string::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = ++m;
            starName = n;
        } else if (m < mask.size() && mask[m] == '?') {
            n = nextChar(name, n);
            ++m;
        } else if (m < mask.size() && mask[m] == name[n]) {
            ++n;
            ++m;
        } else if (starMask != std::string::npos) {
            starName = nextChar(name, starName);
            n = starName;
            m = starMask;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

const std::array<const char*, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};

// One iconv descriptor per direction and thread.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts, putting "?" for each input character the target cannot hold;
    // badLength tells how many input bytes such a character takes.
    template <typename BadLength> std::string convert(const std::string& input, BadLength badLength)
    {
        std::string out;
        if (m_cd == reinterpret_cast<iconv_t>(-1) || input.empty())
            return out;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.reserve(input.size() * 2);
        std::vector<char> in(input.begin(), input.end());
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        char buffer[512];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t result = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
            int error = errno;
            out.append(buffer, outPtr - buffer);
            if (result != static_cast<std::size_t>(-1))
                break;
            if (error == E2BIG)
                continue;
            // An unconvertible or malformed character, or a cut one at the end.
            out.push_back('?');
            std::size_t skip = std::min(inLeft, badLength(inPtr, inLeft));
            inPtr += skip;
            inLeft -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t m_cd;
};

std::size_t badUtf8Length(const char* at, std::size_t)
{
    return utf8Length(static_cast<unsigned char>(*at));
}

std::size_t badCp950Length(const char* at, std::size_t left)
{
    auto lead = static_cast<unsigned char>(at[0]);
    if (lead >= 0x81 && lead <= 0xFE && left >= 2) {
        auto trail = static_cast<unsigned char>(at[1]);
        if ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE))
            return 2;
    }
    return 1;
}

} // namespace

std::string upperAscii(std::string text)
{
    for (char& c : text)
        c = upperChar(c);
    return text;
}

std::string joinName(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

bool validName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (unsigned char c : name) {
        if (c < 0x20 || std::strchr("<>:\"/\\|?*", c) != nullptr)
            return false;
    }
    // A device name stays a device whatever extension follows it.
    std::string stem = upperAscii(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    for (const char* device : kDevices) {
        if (stem == device)
            return false;
    }
    if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
        stem[3] >= '1' && stem[3] <= '9')
        return false;
    return true;
}

bool matchesMask(const std::string& name, const std::string& pattern)
{
    std::string upperName = upperAscii(name);
    std::string upperMask = upperAscii(pattern);
    if (globMatch(upperName, upperMask))
        return true;
    // "NAME.*" also stands for a name without any extension.
    if (upperMask.size() >= 2 && upperMask.compare(upperMask.size() - 2, 2, ".*") == 0 &&
        upperName.find('.') == std::string::npos)
        return globMatch(upperName, upperMask.substr(0, upperMask.size() - 2));
    return false;
}

std::string toCp950(const std::string& utf8)
{
    thread_local Converter converter("CP950", "UTF-8");
    return converter.convert(utf8, badUtf8Length);
}

std::string fromCp950(const std::string& cp950)
{
    thread_local Converter converter("UTF-8", "CP950");
    return converter.convert(cp950, badCp950Length);
}

std::size_t cp950Length(const std::string& utf8)
{
    return toCp950(utf8).size();
}

namespace detail {

bool sameNameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upperChar(a[i]) != upperChar(b[i]))
            return false;
    }
    return true;
}

bool hasWildcard(const std::string& text)
{
    return text.find_first_of("*?") != std::string::npos;
}

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::string hostChild(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

} // namespace detail
} // namespace files
