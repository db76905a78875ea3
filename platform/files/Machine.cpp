// The drives, the current folders and the resolution of Windows paths.

#include "files/FileSystemPrivate.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <unistd.h>
#include <utility>

namespace files {

namespace {

struct Machine
{
    std::array<std::string, 26> roots;     // host folder of each drive's root; empty: no such drive
    std::array<std::string, 26> realRoots; // their real paths, once known
    std::set<std::pair<dev_t, ino_t>> foldersOnDrives; // host folders found to lie on a drive
    std::map<std::string, std::chrono::steady_clock::time_point> recentFolders; // and when, by path
    std::array<std::vector<std::string>, 26> folders; // each drive's current folder below its root
    int current = -1;                                 // drive of the process's current folder
    mode_t fileMode = 0644;
};

std::mutex g_mutex;
Machine g_machine;
bool g_mounted = false;

int driveIndex(char letter)
{
    if (letter >= 'a' && letter <= 'z')
        return letter - 'a';
    if (letter >= 'A' && letter <= 'Z')
        return letter - 'A';
    return -1;
}

char driveLetter(int index)
{
    return char('A' + index);
}

std::string windowsPath(int drive, const std::vector<std::string>& parts)
{
    std::string path{driveLetter(drive), ':', '\\'};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            path += '\\';
        path += parts[i];
    }
    return path;
}

std::string canonical(const std::string& path)
{
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

bool isFolder(const std::string& host)
{
    struct stat st;
    return !host.empty() && ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The part of path below root, when root holds it: "" for root itself.
bool below(const std::string& root, const std::string& path, std::string& rest)
{
    if (root == "/") {
        rest = path.substr(1);
        return true;
    }
    if (path == root) {
        rest.clear();
        return true;
    }
    if (path.size() > root.size() && path.compare(0, root.size(), root) == 0 && path[root.size()] == '/') {
        rest = path.substr(root.size() + 1);
        return true;
    }
    return false;
}

std::vector<std::string> splitHost(const std::string& relative)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start < relative.size()) {
        std::size_t end = relative.find('/', start);
        if (end == std::string::npos)
            end = relative.size();
        if (end > start)
            parts.push_back(relative.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

mode_t currentUmask()
{
    // Read where the kernel shows it, so that no other thread ever sees a cleared mask.
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status) != nullptr)
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return mode_t(mask);
    }
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

Machine buildMachine(const std::string& dosdevices, const std::string& workingFolder, bool strict)
{
    Machine machine;
    if (dosdevices.empty()) {
        // Not = "/": GCC 12 at -O3 takes that for an overlapping copy (-Wrestrict).
        machine.roots[2].push_back('/');
    } else {
        DIR* dir = opendir(dosdevices.c_str());
        if (dir == nullptr)
            throw StartupError("The drive folder " + dosdevices +
                               " (DOSDEVICES) cannot be read: " + std::strerror(errno));
        while (dirent* entry = readdir(dir)) {
            const char* name = entry->d_name;
            int index = driveIndex(name[0]);
            if (index < 0 || name[1] != ':' || name[2] != '\0')
                continue;
            // Wine writes the letters in lower case; that entry wins over another spelling.
            if (machine.roots[index].empty() || (name[0] >= 'a' && name[0] <= 'z'))
                machine.roots[index] = detail::hostChild(dosdevices, name);
        }
        closedir(dir);
    }

    std::string working = canonical(workingFolder);
    int best = -1;
    std::string bestRoot, bestRest;
    if (!working.empty()) {
        for (int i = 0; i < 26; ++i) {
            if (machine.roots[i].empty())
                continue;
            std::string root = canonical(machine.roots[i]);
            std::string rest;
            if (!root.empty() && isFolder(root) && below(root, working, rest) &&
                (best < 0 || root.size() > bestRoot.size())) {
                best = i;
                bestRoot = root;
                bestRest = rest;
            }
        }
    }
    if (best >= 0) {
        machine.current = best;
        machine.folders[best] = splitHost(bestRest);
    } else if (strict) {
        if (working.empty())
            throw StartupError("The working folder " + workingFolder + " cannot be found.");
        throw StartupError("The working folder " + working + " lies on none of the drives" +
                           (dosdevices.empty() ? std::string() : " of " + dosdevices) + ".");
    } else {
        for (int i = 0; i < 26 && machine.current < 0; ++i) {
            if (!machine.roots[i].empty())
                machine.current = i;
        }
    }

    machine.fileMode = 0666 & ~currentUmask();
    return machine;
}

std::string environmentDrives()
{
    const char* value = std::getenv("DOSDEVICES");
    return value != nullptr ? std::string(value) : std::string();
}

std::string hostWorkingFolder()
{
    std::unique_ptr<char, decltype(&std::free)> cwd(getcwd(nullptr, 0), &std::free);
    return cwd ? std::string(cwd.get()) : std::string();
}

// Called with g_mutex held.
void ensureMounted()
{
    if (g_mounted)
        return;
    try {
        g_machine = buildMachine(environmentDrives(), hostWorkingFolder(), false);
    } catch (const StartupError&) {
        g_machine = Machine();
    }
    g_mounted = true;
}

struct Parsed
{
    int error = NoError;
    int drive = -1;
    std::string root;
    std::vector<std::string> parts;
    bool trailingSeparator = false;
};

Parsed parse(const std::string& path, bool allowEmpty)
{
    using detail::isSeparator;
    Parsed parsed;
    std::lock_guard lock(g_mutex);
    ensureMounted();
    if (path.empty() && !allowEmpty) {
        parsed.error = PathNotFound;
        return parsed;
    }
    std::size_t at = 0;
    if (path.size() >= 2 && path[1] == ':') {
        parsed.drive = driveIndex(path[0]);
        if (parsed.drive < 0) {
            parsed.error = InvalidName;
            return parsed;
        }
        at = 2;
    } else {
        if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
            parsed.error = BadNetPath;
            return parsed;
        }
        parsed.drive = g_machine.current;
        if (parsed.drive < 0) {
            parsed.error = InvalidDrive;
            return parsed;
        }
    }
    parsed.root = g_machine.roots[parsed.drive];
    if (at >= path.size() || !isSeparator(path[at]))
        parsed.parts = g_machine.folders[parsed.drive];

    std::size_t start = at;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !isSeparator(path[end]))
            ++end;
        std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parsed.parts.empty())
                parsed.parts.pop_back();
        } else if (!part.empty() && part != ".") {
            if (!validName(part)) {
                parsed.error = InvalidName;
                return parsed;
            }
            parsed.parts.push_back(part);
        }
        start = end + 1;
    }
    parsed.trailingSeparator = path.size() > at && isSeparator(path.back()) && !parsed.parts.empty();
    if (parsed.root.empty())
        parsed.error = InvalidDrive;
    return parsed;
}

// Whether a real host path lies in the real folder of some drive's root.
bool onSomeDrive(const std::string& real)
{
    if (real.empty())
        return false;
    std::lock_guard lock(g_mutex);
    ensureMounted();
    for (int i = 0; i < 26; ++i) {
        if (g_machine.roots[i].empty())
            continue;
        // A drive not ready yet is looked at again next time.
        std::string& realRoot = g_machine.realRoots[i];
        if (realRoot.empty())
            realRoot = canonical(g_machine.roots[i]);
        std::string rest;
        if (!realRoot.empty() && below(realRoot, real, rest))
            return true;
    }
    return false;
}

// Whether a host folder lies on some drive, by its real path. Once known it
// is kept by the folder's identity, so that a path reaching it costs no
// second look at every link on the way, and trusted for its path string a
// short while, so that the many paths of one folder cost no look at all.
bool folderOnDrive(const std::string& folder)
{
    constexpr auto kTrusted = std::chrono::seconds(1);
    const auto now = std::chrono::steady_clock::now();
    {
        std::lock_guard lock(g_mutex);
        auto seen = g_machine.recentFolders.find(folder);
        if (seen != g_machine.recentFolders.end() && now - seen->second < kTrusted)
            return true;
    }
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    const std::pair<dev_t, ino_t> id{st.st_dev, st.st_ino};
    bool known = false;
    {
        std::lock_guard lock(g_mutex);
        known = g_machine.foldersOnDrives.count(id) != 0;
    }
    if (!known && !onSomeDrive(canonical(folder)))
        return false;
    std::lock_guard lock(g_mutex);
    g_machine.foldersOnDrives.insert(id);
    if (g_machine.recentFolders.size() > 4096)
        g_machine.recentFolders.clear();
    g_machine.recentFolders[folder] = now;
    return true;
}

} // namespace

void mount(const std::string& dosdevicesDir, const std::string& hostWorkingFolder)
{
    Machine machine = buildMachine(dosdevicesDir, hostWorkingFolder, true);
    detail::forgetFolders();
    std::lock_guard lock(g_mutex);
    g_machine = std::move(machine);
    g_mounted = true;
}

void mountFromEnvironment()
{
    std::string working = hostWorkingFolder();
    if (working.empty())
        throw StartupError(std::string("The working folder cannot be found: ") + std::strerror(errno));
    mount(environmentDrives(), working);
}

std::string drives()
{
    std::lock_guard lock(g_mutex);
    ensureMounted();
    std::string letters;
    for (int i = 0; i < 26; ++i) {
        if (!g_machine.roots[i].empty())
            letters += driveLetter(i);
    }
    return letters;
}

bool driveExists(char letter)
{
    int index = driveIndex(letter);
    std::lock_guard lock(g_mutex);
    ensureMounted();
    return index >= 0 && !g_machine.roots[index].empty();
}

bool driveReady(char letter)
{
    int error = NoError;
    return !detail::driveRoot(letter, error).empty();
}

std::string currentFolder()
{
    std::lock_guard lock(g_mutex);
    ensureMounted();
    if (g_machine.current < 0)
        return std::string();
    return windowsPath(g_machine.current, g_machine.folders[g_machine.current]);
}

std::string currentFolderOf(char drive)
{
    int index = driveIndex(drive);
    if (index < 0) {
        setLastError(InvalidDrive);
        return std::string();
    }
    std::lock_guard lock(g_mutex);
    ensureMounted();
    if (g_machine.roots[index].empty())
        setLastError(InvalidDrive);
    return windowsPath(index, g_machine.folders[index]);
}

void setCurrentFolder(const std::string& path)
{
    detail::Resolved folder = detail::resolve(path);
    int error = folder.error;
    if (error == NoError) {
        bool lastIsFile = folder.exists ? !S_ISDIR(folder.st.st_mode)
                                        : folder.notFolder && folder.found == folder.parts.size();
        if (lastIsFile)
            error = DirectoryInvalid;
        else if (!folder.exists)
            error = folder.missingError();
        else if (access(folder.host.c_str(), X_OK) != 0)
            error = detail::fromErrno(errno);
    }
    if (error != NoError) {
        setLastError(error);
        throw InOutError(error);
    }
    std::lock_guard lock(g_mutex);
    int index = driveIndex(folder.drive);
    g_machine.current = index;
    g_machine.folders[index] = folder.parts;
}

std::string expandPath(const std::string& path)
{
    detail::Resolved resolved = detail::resolve(path);
    if (resolved.error != NoError)
        setLastError(resolved.error);
    // A drive that is missing or not ready still gives the path as written.
    if (resolved.drive == 0 || resolved.error == InvalidName || resolved.error == BadNetPath)
        return std::string();
    return resolved.windowsPath();
}

std::string hostPath(const std::string& path)
{
    detail::Resolved resolved = detail::resolve(path);
    if (resolved.host.empty()) {
        setLastError(resolved.error);
        return std::string();
    }
    return resolved.host;
}

namespace detail {

mode_t defaultFileMode()
{
    std::lock_guard lock(g_mutex);
    ensureMounted();
    return g_machine.fileMode;
}

std::string driveRoot(char letter, int& error)
{
    int index = driveIndex(letter);
    std::string root;
    {
        std::lock_guard lock(g_mutex);
        ensureMounted();
        if (index >= 0)
            root = g_machine.roots[index];
    }
    if (root.empty()) {
        error = InvalidDrive;
        return root;
    }
    if (!isFolder(root)) {
        error = NotReady;
        return std::string();
    }
    return root;
}

Entry machineEntry(const std::string& host, struct stat& st, int& error)
{
    if (lstat(host.c_str(), &st) != 0) {
        error = errno;
        return Entry::Missing;
    }
    if (!S_ISLNK(st.st_mode))
        return Entry::Present;
    if (::stat(host.c_str(), &st) != 0) {
        error = errno;
        // Dangling, looping or running through a file: it leads nowhere.
        if (error == ENOENT || error == ELOOP || error == ENOTDIR)
            return Entry::StrayLink;
        return Entry::Missing;
    }
    // Decided on the real path, so that ".." and chains of links cannot
    // lead out unseen.
    return onSomeDrive(canonical(host)) ? Entry::Present : Entry::StrayLink;
}

int Resolved::missingError() const
{
    if (error != NoError)
        return error;
    return !notFolder && found + 1 == parts.size() ? FileNotFound : PathNotFound;
}

bool Resolved::parentExists() const
{
    return error == NoError && !notFolder && found + 1 >= parts.size();
}

std::string Resolved::windowsPath() const
{
    return files::windowsPath(driveIndex(drive), parts);
}

Resolved resolve(const std::string& path, bool allowEmpty, NameMatch lastMatch)
{
    Parsed parsed = parse(path, allowEmpty);
    Resolved r;
    r.error = parsed.error;
    r.drive = parsed.drive >= 0 ? driveLetter(parsed.drive) : 0;
    r.parts = std::move(parsed.parts);
    r.trailingSeparator = parsed.trailingSeparator;
    if (r.error != NoError)
        return r;
    std::string host = parsed.root;
    // Most paths are spelled as on disk: a look at the whole path and at its
    // folder, or at the folder alone when only the last name is missing,
    // settles them. Anything else, links off the drives included, is left to
    // the walk part by part.
    std::size_t start = 0;
    struct stat st;
    std::string folder = host;
    for (std::size_t i = 0; i + 1 < r.parts.size(); ++i)
        folder = hostChild(folder, r.parts[i]);
    const bool folderOnTheDrive = r.parts.size() <= 1 || folderOnDrive(folder);
    Entry whole = Entry::Missing;
    int wholeError = 0;
    if (!r.parts.empty() && folderOnTheDrive) {
        whole = machineEntry(hostChild(folder, r.parts.back()), st, wholeError);
        if (whole == Entry::Present) {
            r.host = hostChild(folder, r.parts.back());
            r.found = r.parts.size();
            r.st = st;
            r.exists = !r.trailingSeparator || S_ISDIR(st.st_mode);
            r.notFolder = !r.exists;
            if (!r.exists)
                r.st = {};
            return r;
        }
    }
    // Only the last name is missing, from a folder that is there: so the
    // drive is ready, and the walk starts at that name.
    const bool lastMissing = r.parts.size() > 1 && folderOnTheDrive && whole == Entry::Missing &&
                             wholeError == ENOENT && ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    if (lastMissing) {
        host = folder;
        r.found = r.parts.size() - 1;
        r.st = st;
        start = r.found;
    } else if (::stat(host.c_str(), &r.st) != 0 || !S_ISDIR(r.st.st_mode)) {
        r.error = NotReady;
        r.st = {};
        return r;
    }
    for (std::size_t i = start; i < r.parts.size(); ++i) {
        std::string candidate = hostChild(host, r.parts[i]);
        struct stat st;
        int error = ENOENT;
        // The look at the whole path has already missed the last name.
        Entry entry = lastMissing && i == start ? Entry::Missing : machineEntry(candidate, st, error);
        const bool exactOnly = lastMatch == NameMatch::Exact && i + 1 == r.parts.size();
        if (entry == Entry::Missing && error == ENOENT && !exactOnly) {
            // Not spelled so: the folder's index knows the other spellings.
            std::string other = spellingIn(host, r.parts[i]);
            if (other.empty())
                break;
            candidate = hostChild(host, other);
            entry = machineEntry(candidate, st, error);
            if (entry == Entry::Missing)
                break;
            r.parts[i] = other;
        }
        if (entry == Entry::StrayLink) {
            r.brokenLink = true;
            break;
        }
        if (entry == Entry::Missing) {
            if (error == ENOTDIR)
                r.notFolder = true;
            else
                r.error = fromErrno(error);
            break;
        }
        host = candidate;
        r.found = i + 1;
        r.st = st;
        if (i + 1 < r.parts.size() && !S_ISDIR(st.st_mode)) {
            r.notFolder = true;
            break;
        }
    }
    for (std::size_t i = r.found; i < r.parts.size(); ++i)
        host = hostChild(host, r.parts[i]);
    r.host = host;
    r.exists = r.error == NoError && !r.notFolder && r.found == r.parts.size();
    if (r.exists && r.trailingSeparator && !S_ISDIR(r.st.st_mode)) {
        r.exists = false;
        r.notFolder = true;
    }
    if (!r.exists)
        r.st = {};
    return r;
}

} // namespace detail
} // namespace files
