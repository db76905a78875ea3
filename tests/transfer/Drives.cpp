#include "Drives.h"

#include "files/FileSystem.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/xattr.h>

namespace fs = std::filesystem;

namespace transfertest {

namespace {

char lower(char letter)
{
    return letter >= 'A' && letter <= 'Z' ? char(letter - 'A' + 'a') : letter;
}

void setDosAttributes(const std::string& host, const char* value)
{
    if (setxattr(host.c_str(), "user.DOSATTRIB", value, std::char_traits<char>::length(value), 0) != 0)
        throw std::runtime_error("cannot set attributes of " + host);
}

} // namespace

Drives::Drives(const std::string& letters)
{
    std::string pattern = (fs::temp_directory_path() / "transfer-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    m_root = pattern;
    fs::create_directories(m_root + "/dosdevices");
    for (char letter : letters) {
        const std::string name(1, lower(letter));
        fs::create_directories(m_root + "/" + name);
        fs::create_directory_symlink("../" + name, m_root + "/dosdevices/" + name + ":");
    }
    files::mount(m_root + "/dosdevices", m_root + "/" + std::string(1, lower(letters.at(0))));
}

Drives::~Drives()
{
    std::error_code ignored;
    fs::permissions(m_root, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_root, ignored);
}

std::string Drives::host(const std::string& windowsPath) const
{
    std::string path = m_root + "/" + std::string(1, lower(windowsPath.at(0)));
    for (std::size_t i = 2; i < windowsPath.size(); ++i)
        path += windowsPath[i] == '\\' ? '/' : windowsPath[i];
    return path;
}

void Drives::folder(const std::string& windowsPath) const
{
    fs::create_directories(host(windowsPath));
}

void Drives::file(const std::string& windowsPath, const std::string& content) const
{
    const fs::path path = host(windowsPath);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void Drives::fileOfSize(const std::string& windowsPath, std::uintmax_t size) const
{
    // Sparse: its size without the disk space, so gibibytes cost nothing.
    file(windowsPath);
    std::filesystem::resize_file(host(windowsPath), size);
}

void Drives::hide(const std::string& windowsPath) const
{
    setDosAttributes(host(windowsPath), "0x2");
}

void Drives::makeSystem(const std::string& windowsPath) const
{
    setDosAttributes(host(windowsPath), "0x4");
}

void Drives::eject(char letter) const
{
    fs::remove_all(m_root + "/" + std::string(1, lower(letter)));
}

const std::string& Drives::root() const
{
    return m_root;
}

} // namespace transfertest
