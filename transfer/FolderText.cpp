#include "transfer/FolderText.h"

#include "files/FileSystem.h"

namespace transfer {

namespace {

std::size_t utf8CharLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

} // namespace

char driveLetterOf(const std::string& path)
{
    if (path.empty())
        return 'D';
    char first = path[0];
    if (first >= 'a' && first <= 'z')
        first = static_cast<char>(first - 'a' + 'A');
    if (first >= 'A' && first <= 'Z')
        return first;
    return 'D';
}

std::string firstCp950Bytes(const std::string& text, std::size_t count)
{
    std::size_t used = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t length = utf8CharLength(static_cast<unsigned char>(text[at]));
        if (at + length > text.size())
            length = text.size() - at;
        const std::size_t bytes = files::cp950Length(text.substr(at, length));
        if (used + bytes > count)
            break;
        used += bytes;
        at += length;
    }
    return text.substr(0, at);
}

bool usableSubfolderName(const std::string& name)
{
    if (name.find(':') != std::string::npos)
        return false;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = name.find_first_of("\\/", start);
        const std::string part =
            name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

} // namespace transfer
