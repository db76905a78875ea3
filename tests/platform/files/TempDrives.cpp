#include "platform/files/TempDrives.h"

#include "files/FileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace files::test {

namespace {

std::string lower(char letter)
{
    return std::string(1, char(letter >= 'A' && letter <= 'Z' ? letter - 'A' + 'a' : letter));
}

void check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error(what + ": " + std::strerror(errno));
}

// Empties and removes a host tree, whatever permissions a test left in it.
void removeTree(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) != 0)
        return;
    if (S_ISDIR(st.st_mode)) {
        chmod(path.c_str(), 0700);
        if (DIR* dir = opendir(path.c_str())) {
            std::vector<std::string> names;
            while (dirent* entry = readdir(dir)) {
                if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                    names.push_back(entry->d_name);
            }
            closedir(dir);
            for (const std::string& name : names)
                removeTree(path + "/" + name);
        }
        rmdir(path.c_str());
    } else {
        unlink(path.c_str());
    }
}

} // namespace

TempDrives::TempDrives(const std::string& ready, const std::string& notReady)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tarn-drives-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    check(mkdtemp(name.data()) != nullptr, "mkdtemp " + pattern);
    m_base = name.data();
    // Open to all, so that a test may drop to an unprivileged user.
    check(chmod(m_base.c_str(), 0755) == 0, "chmod " + m_base);
    check(mkdir(dosdevices().c_str(), 0755) == 0, "mkdir " + dosdevices());
    for (char letter : ready) {
        check(mkdir(root(letter).c_str(), 0777) == 0, "mkdir " + root(letter));
        chmod(root(letter).c_str(), 0777);
        std::string link = dosdevices() + "/" + lower(letter) + ":";
        check(symlink(root(letter).c_str(), link.c_str()) == 0, "symlink " + link);
    }
    for (char letter : notReady) {
        std::string link = dosdevices() + "/" + lower(letter) + ":";
        check(symlink(root(letter).c_str(), link.c_str()) == 0, "symlink " + link);
    }
    mount(dosdevices(), ready.empty() ? m_base : root(ready[0]));
}

TempDrives::~TempDrives()
{
    removeTree(m_base);
}

const std::string& TempDrives::base() const
{
    return m_base;
}

std::string TempDrives::dosdevices() const
{
    return m_base + "/dosdevices";
}

std::string TempDrives::root(char drive) const
{
    return m_base + "/drive_" + lower(drive);
}

std::string TempDrives::host(const std::string& windowsPath) const
{
    std::string path = root(windowsPath.at(0));
    std::size_t at = 2;
    while (at < windowsPath.size()) {
        std::size_t end = windowsPath.find('\\', at);
        if (end == std::string::npos)
            end = windowsPath.size();
        if (end > at)
            path.append("/").append(windowsPath, at, end - at);
        at = end + 1;
    }
    return path;
}

void TempDrives::mountAt(const std::string& windowsFolder) const
{
    mount(dosdevices(), host(windowsFolder));
}

void writeHostFile(const std::string& host, const std::string& content)
{
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out)
        throw std::runtime_error("cannot write " + host);
}

std::string readHostFile(const std::string& host)
{
    std::ifstream in(host, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + host);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void makeHostFolder(const std::string& host)
{
    for (std::size_t at = host.find('/', 1); at != std::string::npos; at = host.find('/', at + 1))
        mkdir(host.substr(0, at).c_str(), 0777);
    if (mkdir(host.c_str(), 0777) != 0 && errno != EEXIST)
        throw std::runtime_error("cannot make " + host);
}

std::string foundNames(const std::string& pattern, int attrs)
{
    FolderSearch search;
    SearchRec rec;
    const int result = search.findFirst(pattern, attrs, rec);
    if (result != 0)
        return "error " + std::to_string(result);
    std::string names;
    do {
        names += (names.empty() ? "" : " ") + rec.name;
    } while (search.findNext(rec) == 0);
    return names;
}

std::vector<std::string> suiteLikeNames(int count)
{
    std::mt19937 random(12345);
    const char* extensions[] = {"DB", "PX", "txt", "Xg0", "YG0", "mb", "VAL", "dat"};
    std::uniform_int_distribution<int> letter(0, 51);
    std::uniform_int_distribution<int> length(3, 12);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        std::string name;
        const int n = length(random);
        for (int k = 0; k < n; ++k) {
            const int c = letter(random);
            name += char(c < 26 ? 'a' + c : 'A' + c - 26);
        }
        names.push_back(name + std::to_string(i) + "." + extensions[i % 8]);
    }
    return names;
}

} // namespace files::test
