// What each host folder holds, read once and served again while the
// folder's own time stamps say it has not changed. A name that is not there
// then costs one stat of its folder instead of a scan of it.

#include "files/FileSystemPrivate.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>
#include <unordered_map>

namespace files::detail {

namespace {

// A folder changed within this span of its reading may have changed again
// in the same clock tick; such a reading is not trusted until it is older.
constexpr std::int64_t kRacyNanoseconds = 50'000'000;
// Sizes and times of files change without their folder changing; a listing
// serves the searches of one visit to a folder and is then taken again.
constexpr std::int64_t kListingNanoseconds = 2'000'000'000;
// Folders kept; the oldest in use is dropped beyond that.
constexpr std::size_t kFoldersKept = 64;

struct Stamp
{
    dev_t device = 0;
    ino_t inode = 0;
    struct timespec modified = {};
    struct timespec changed = {};

    bool operator==(const Stamp& other) const
    {
        return device == other.device && inode == other.inode && modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec && changed.tv_sec == other.changed.tv_sec &&
               changed.tv_nsec == other.changed.tv_nsec;
    }
};

std::int64_t nanoseconds(const struct timespec& t)
{
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::int64_t now()
{
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return nanoseconds(t);
}

std::int64_t monotonicNow()
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return nanoseconds(t);
}

bool stampOf(const std::string& folder, Stamp& stamp)
{
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.modified = st.st_mtim;
    stamp.changed = st.st_ctim;
    return true;
}

bool racy(const Stamp& stamp)
{
    std::int64_t latest = std::max(nanoseconds(stamp.modified), nanoseconds(stamp.changed));
    return now() - latest < kRacyNanoseconds;
}

std::string upper(const std::string& name)
{
    return upperAscii(name);
}

struct Index
{
    Stamp stamp;
    bool racy = false;
    // Upper-cased name to its spellings on disk.
    std::unordered_map<std::string, std::vector<std::string>> names;
    std::shared_ptr<const Listing> listing;
    std::int64_t listedAt = 0;
    std::uint64_t used = 0;
};

std::mutex g_mutex;
std::unordered_map<std::string, Index> g_folders;
std::uint64_t g_uses = 0;

void addName(Index& index, const std::string& name)
{
    std::vector<std::string>& spellings = index.names[upper(name)];
    if (std::find(spellings.begin(), spellings.end(), name) == spellings.end())
        spellings.push_back(name);
}

void removeName(Index& index, const std::string& name)
{
    auto found = index.names.find(upper(name));
    if (found == index.names.end())
        return;
    std::vector<std::string>& spellings = found->second;
    spellings.erase(std::remove(spellings.begin(), spellings.end(), name), spellings.end());
    if (spellings.empty())
        index.names.erase(found);
}

bool readNames(const std::string& folder, Index& index)
{
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return false;
    index.names.clear();
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            addName(index, name);
    }
    closedir(dir);
    return true;
}

void dropOldest()
{
    if (g_folders.size() < kFoldersKept)
        return;
    auto oldest = g_folders.begin();
    for (auto it = g_folders.begin(); it != g_folders.end(); ++it) {
        if (it->second.used < oldest->second.used)
            oldest = it;
    }
    g_folders.erase(oldest);
}

// The folder's index, read again when the folder changed; nullptr when the
// folder cannot be read. Called with g_mutex held.
Index* current(const std::string& folder)
{
    Stamp stamp;
    if (!stampOf(folder, stamp)) {
        g_folders.erase(folder);
        return nullptr;
    }
    auto found = g_folders.find(folder);
    if (found != g_folders.end() && found->second.stamp == stamp && !found->second.racy) {
        found->second.used = ++g_uses;
        return &found->second;
    }
    if (found == g_folders.end()) {
        dropOldest();
        found = g_folders.emplace(folder, Index{}).first;
    }
    Index& index = found->second;
    index.listing.reset();
    // The stamp taken before the reading: a change during it shows next time.
    index.stamp = stamp;
    index.racy = racy(stamp);
    if (!readNames(folder, index)) {
        g_folders.erase(found);
        return nullptr;
    }
    index.used = ++g_uses;
    return &index;
}

// Devices whose file system keeps no extended attributes.
std::mutex g_attributesMutex;
std::vector<dev_t> g_withoutAttributes;

} // namespace

std::string spellingIn(const std::string& folder, const std::string& name)
{
    std::lock_guard lock(g_mutex);
    Index* index = current(folder);
    if (index == nullptr)
        return std::string();
    auto found = index->names.find(upper(name));
    if (found == index->names.end())
        return std::string();
    return *std::min_element(found->second.begin(), found->second.end());
}

std::shared_ptr<const Listing> listFolder(const std::string& folder, int& error)
{
    std::lock_guard lock(g_mutex);
    Index* index = current(folder);
    if (index == nullptr) {
        error = fromErrno(errno == 0 ? ENOENT : errno);
        return nullptr;
    }
    if (index->listing && monotonicNow() - index->listedAt < kListingNanoseconds)
        return index->listing;

    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) {
        error = fromErrno(errno);
        return nullptr;
    }
    auto listing = std::make_shared<Listing>();
    for (const auto& [key, spellings] : index->names) {
        for (const std::string& name : spellings) {
            ListedEntry entry;
            entry.name = name;
            entry.upper = key;
            if (fstatat(dirFd, name.c_str(), &entry.st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            // A link counts as what it leads to, and only while that lies on a drive.
            int linkError = 0;
            if (S_ISLNK(entry.st.st_mode) &&
                machineEntry(hostChild(folder, name), entry.st, linkError) != Entry::Present)
                continue;
            if (!S_ISREG(entry.st.st_mode) && !S_ISDIR(entry.st.st_mode))
                continue;
            entry.attr = attributesOf(hostChild(folder, name), name, entry.st);
            entry.time = toLocalTime(entry.st.st_mtim);
            listing->push_back(std::move(entry));
        }
    }
    ::close(dirFd);
    std::sort(listing->begin(), listing->end(), [](const ListedEntry& a, const ListedEntry& b) {
        return a.upper != b.upper ? a.upper < b.upper : a.name < b.name;
    });
    index->listing = listing;
    index->listedAt = monotonicNow();
    return listing;
}

bool cachedAttributes(const std::string& host, const struct stat& st, int& attr)
{
    std::lock_guard lock(g_mutex);
    auto found = g_folders.find(hostFolderOf(host));
    if (found == g_folders.end() || !found->second.listing)
        return false;
    const Listing& listing = *found->second.listing;
    const std::string name = hostNameOf(host);
    const std::string key = upper(name);
    auto at =
        std::lower_bound(listing.begin(), listing.end(), key,
                         [](const ListedEntry& entry, const std::string& k) { return entry.upper < k; });
    for (; at != listing.end() && at->upper == key; ++at) {
        // Attributes change the entry's change time; an equal one keeps them.
        if (at->name == name && at->st.st_dev == st.st_dev && at->st.st_ino == st.st_ino &&
            at->st.st_ctim.tv_sec == st.st_ctim.tv_sec && at->st.st_ctim.tv_nsec == st.st_ctim.tv_nsec) {
            attr = at->attr;
            return true;
        }
    }
    return false;
}

void folderChanged(const std::string& folder, const std::string& added, const std::string& removed)
{
    std::lock_guard lock(g_mutex);
    auto found = g_folders.find(folder);
    if (found == g_folders.end())
        return;
    Index& index = found->second;
    Stamp stamp;
    if (!stampOf(folder, stamp)) {
        g_folders.erase(found);
        return;
    }
    if (!removed.empty())
        removeName(index, removed);
    if (!added.empty())
        addName(index, added);
    // The program's own changes follow each other faster than the clock
    // ticks; reading the folder again after each would cost a scan per change.
    index.stamp = stamp;
    index.racy = false;
    index.listing.reset();
}

void forgetFolders()
{
    {
        std::lock_guard lock(g_mutex);
        g_folders.clear();
    }
    std::lock_guard lock(g_attributesMutex);
    g_withoutAttributes.clear();
}

bool keepsAttributes(dev_t device)
{
    std::lock_guard lock(g_attributesMutex);
    return std::find(g_withoutAttributes.begin(), g_withoutAttributes.end(), device) ==
           g_withoutAttributes.end();
}

void keepsNoAttributes(dev_t device)
{
    std::lock_guard lock(g_attributesMutex);
    if (std::find(g_withoutAttributes.begin(), g_withoutAttributes.end(), device) ==
        g_withoutAttributes.end())
        g_withoutAttributes.push_back(device);
}

} // namespace files::detail
