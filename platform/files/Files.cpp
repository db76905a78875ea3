// Files: opens with share modes, block reads and writes, replacements,
// locks, times and free space.

#include "files/FileSystemPrivate.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace files {

using detail::hostFolderOf;
using detail::resolve;
using detail::Resolved;

namespace {

// Share modes are marker bytes far beyond any content, each held with a
// shared open-file-description lock: what a handle does (reads, writes) and
// what it denies others. An open first places its own markers and then looks
// for conflicting ones of other handles, so of two opens racing each other
// at least the later one sees the conflict.
constexpr off_t kShareBase = 0x7FFF'FFFF'FFFF'FF00;
constexpr off_t kReads = kShareBase + 1;
constexpr off_t kWrites = kShareBase + 2;
constexpr off_t kDeniesRead = kShareBase + 3;
constexpr off_t kDeniesWrite = kShareBase + 4;

bool locksUnsupported(int error)
{
    return error == ENOLCK || error == EINVAL || error == EOPNOTSUPP || error == ENOSYS;
}

struct flock lockOf(short type, off_t start, off_t length)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = length;
    return lock;
}

// NoError, SharingViolation or another code. A file system without locks
// holds no share modes.
int takeShareLocks(int fd, Access access, Share share)
{
    bool writes = access == Access::ReadWrite;
    bool deniesRead = share == Share::Exclusive || share == Share::DenyRead;
    bool deniesWrite = share == Share::Exclusive || share == Share::DenyWrite;

    std::vector<off_t> mine{kReads};
    if (writes)
        mine.push_back(kWrites);
    if (deniesRead)
        mine.push_back(kDeniesRead);
    if (deniesWrite)
        mine.push_back(kDeniesWrite);
    for (off_t at : mine) {
        struct flock lock = lockOf(F_RDLCK, at, 1);
        if (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
            int error = errno;
            if (locksUnsupported(error))
                return NoError;
            return error == EAGAIN || error == EACCES ? SharingViolation : detail::fromErrno(error);
        }
    }

    std::vector<off_t> conflicting{kDeniesRead};
    if (writes)
        conflicting.push_back(kDeniesWrite);
    if (deniesRead)
        conflicting.push_back(kReads);
    if (deniesWrite)
        conflicting.push_back(kWrites);
    for (off_t at : conflicting) {
        struct flock probe = lockOf(F_WRLCK, at, 1);
        if (fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK)
            return SharingViolation;
    }
    return NoError;
}

Handle fail(int code)
{
    setLastError(code);
    return InvalidHandle;
}

bool failed(int code)
{
    setLastError(code);
    return false;
}

Handle failAndClose(int fd, int code)
{
    ::close(fd);
    return fail(code);
}

// A regular file opened, made blocking and given its share markers.
Handle finishOpen(int fd, Access access, Share share)
{
    if (fd < 0)
        return fail(detail::fromErrno(errno));
    struct stat st;
    if (fstat(fd, &st) != 0)
        return failAndClose(fd, detail::fromErrno(errno));
    if (!S_ISREG(st.st_mode))
        return failAndClose(fd, AccessDenied);
    int flags = fcntl(fd, F_GETFL);
    if (flags != -1)
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    int error = takeShareLocks(fd, access, share);
    if (error != NoError)
        return failAndClose(fd, error);
    return fd;
}

Handle openExisting(const std::string& path, Access access, Share share)
{
    Resolved r = resolve(path);
    if (!r.exists)
        return fail(r.missingError());
    if (!S_ISREG(r.st.st_mode))
        return fail(AccessDenied);
    // Read-only is the attribute, whoever asks; root is held by it too.
    if (access == Access::ReadWrite && (r.st.st_mode & S_IWUSR) == 0)
        return fail(AccessDenied);
    int mode = access == Access::ReadWrite ? O_RDWR : O_RDONLY;
    return finishOpen(::open(r.host.c_str(), mode | O_CLOEXEC | O_NONBLOCK | O_NOCTTY), access, share);
}

// Why a file cannot be created at the resolved path, or NoError.
int creationError(const Resolved& r)
{
    if (r.error != NoError)
        return r.error;
    if (r.parts.empty())
        return AccessDenied;
    if (!r.parentExists())
        return PathNotFound;
    if (r.brokenLink)
        return AccessDenied;
    if (r.exists && (!S_ISREG(r.st.st_mode) || (r.st.st_mode & S_IWUSR) == 0))
        return AccessDenied;
    return NoError;
}

// As creationError, except that a stray link at the name is no obstacle:
// the replacement takes the link's place.
int replacementError(const Resolved& r)
{
    if (r.brokenLink && r.parentExists())
        return NoError;
    return creationError(r);
}

void removeTemporary(const std::string& path)
{
    if (!path.empty() && unlink(path.c_str()) == 0) {
        std::string folder = hostFolderOf(path);
        detail::folderChanged(folder, {}, detail::hostNameOf(path));
    }
}

void syncFolder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        ::close(fd);
    }
}

constexpr const char* kTemporaryPrefix = ".~tarn-";

bool isTemporaryName(const std::string& name)
{
    return name.compare(0, 7, kTemporaryPrefix) == 0;
}

// Whether a file of a given name can be linked into a folder from its
// descriptor alone.
bool canLinkUnnamed()
{
    static const bool can = access("/proc/self/fd", F_OK) == 0;
    return can;
}

// Removes the hidden temporary files in folder that no live process holds:
// what a killed run or table write left behind. Once per folder and process.
void clearLeftovers(const std::string& folder)
{
    static std::mutex mutex;
    static std::vector<std::string> cleared;
    {
        std::lock_guard lock(mutex);
        if (std::find(cleared.begin(), cleared.end(), folder) != cleared.end())
            return;
        cleared.push_back(folder);
    }
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return;
    std::vector<std::string> leftovers;
    while (dirent* entry = readdir(dir)) {
        if (isTemporaryName(entry->d_name))
            leftovers.emplace_back(entry->d_name);
    }
    closedir(dir);
    for (const std::string& name : leftovers) {
        std::string path = detail::hostChild(folder, name);
        int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            continue;
        // Its maker holds it with share markers while it lives.
        struct flock probe = lockOf(F_WRLCK, kReads, 1);
        struct stat st;
        bool unheld = fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type == F_UNLCK && fstat(fd, &st) == 0 &&
                      S_ISREG(st.st_mode);
        ::close(fd);
        if (unheld && unlink(path.c_str()) == 0)
            detail::folderChanged(folder, {}, name);
    }
}

std::string temporaryName()
{
    static std::atomic<unsigned> counter{0};
    // Drawn once: asking the system for randomness per name costs more than the name.
    static const unsigned salt = std::random_device{}() & 0xFFFFu;
    char name[64];
    std::snprintf(name, sizeof name, "%s%x-%x-%x", kTemporaryPrefix, unsigned(getpid()), counter++, salt);
    return name;
}

// A new empty file for folder, held with share markers. Without a name where
// the file system allows, so that nothing is left behind if the process
// dies before it is whole; else under a hidden name, which keeps it out of
// the file lists and so out of every copy.
int makeTemporary(const std::string& folder, mode_t mode, std::string& path, int& error)
{
    clearLeftovers(folder);
    path.clear();
    int fd = -1;
    if (canLinkUnnamed())
        fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    if (fd < 0) {
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            path = detail::hostChild(folder, temporaryName());
            fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC | O_NOFOLLOW, mode);
            if (fd < 0 && errno != EEXIST)
                break;
        }
        if (fd < 0) {
            error = detail::fromErrno(errno);
            path.clear();
            return -1;
        }
        detail::folderChanged(folder, detail::hostNameOf(path));
    }
    // Nobody else opens it; the one marker tells that a live process holds it.
    struct flock held = lockOf(F_RDLCK, kReads, 1);
    fcntl(fd, F_OFD_SETLK, &held);
    if (fchmod(fd, mode) != 0) {
        error = detail::fromErrno(errno);
        ::close(fd);
        removeTemporary(path);
        return -1;
    }
    return fd;
}

// The place a new file for an existing target is renamed to, and a handle
// that holds the target with the share mode given until then.
struct Target
{
    std::string finalHost;
    int guard = -1;
    int error = NoError;
};

Target holdTarget(const Resolved& r, Share share)
{
    Target target;
    // A link is replaced itself; what it names is never written through it.
    target.finalHost = r.host;
    if (!r.exists)
        return target;
    target.guard = ::open(r.host.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (target.guard < 0) {
        target.error = detail::fromErrno(errno);
        return target;
    }
    target.error = takeShareLocks(target.guard, Access::ReadWrite, share);
    if (target.error != NoError) {
        ::close(target.guard);
        target.guard = -1;
    }
    return target;
}

struct Replacement
{
    std::string temporary; // empty while the file has no name
    std::string target;
    int guard = -1;
};

std::mutex g_replacementsMutex;
std::map<Handle, Replacement> g_replacements;

bool takeReplacement(Handle file, Replacement& replacement)
{
    std::lock_guard lock(g_replacementsMutex);
    auto found = g_replacements.find(file);
    if (found == g_replacements.end())
        return false;
    replacement = found->second;
    g_replacements.erase(found);
    return true;
}

bool writeAll(int fd, const char* data, std::size_t count, int& error)
{
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::write(fd, data + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? detail::fromErrno(errno, WriteFault) : DiskFull;
            // Back to the start of the block, so that a retry writes it in its place;
            // a part that only lengthened the file goes again, so the block is wholly missing.
            off_t start = lseek(fd, -off_t(done), SEEK_CUR);
            struct stat st;
            if (done > 0 && start >= 0 && fstat(fd, &st) == 0 && st.st_size == start + off_t(done) &&
                ftruncate(fd, start) != 0) {
                // The part stays; a retry still writes over it.
            }
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

// A large file goes on its way to the disk while the rest of it is still
// written, so that the flush after it has little left to wait for.
void startWriteback(int fd, std::size_t written)
{
    constexpr off_t kStep = 8 << 20;
    off_t end = lseek(fd, 0, SEEK_CUR);
    if (end >= kStep && end % kStep < off_t(written))
        sync_file_range(fd, (end / kStep - 1) * kStep, kStep, SYNC_FILE_RANGE_WRITE);
}

// Gives the new file target's name, without flushing. A file without a
// name first gets a hidden one beside the target, since a link cannot
// replace a name. The temporary name is gone afterwards, whatever happened.
bool placeFile(int fd, std::string& temporary, const std::string& target, int& error)
{
    std::string folder = hostFolderOf(target);
    if (temporary.empty()) {
        std::string self = "/proc/self/fd/" + std::to_string(fd);
        for (int attempt = 0;; ++attempt) {
            std::string name = detail::hostChild(folder, temporaryName());
            if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                temporary = name;
                break;
            }
            if (errno != EEXIST || attempt >= 100) {
                error = detail::fromErrno(errno, WriteFault);
                return false;
            }
        }
    }
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        error = detail::fromErrno(errno, WriteFault);
        removeTemporary(temporary);
        temporary.clear();
        return false;
    }
    detail::folderChanged(folder, detail::hostNameOf(target), detail::hostNameOf(temporary));
    temporary.clear();
    return true;
}

// Replaces target by the new file for good: its data on disk first, then
// its name, then the folder entry on disk.
bool putInPlace(int fd, std::string& temporary, const std::string& target, int& error)
{
    if (fsync(fd) != 0) {
        error = detail::fromErrno(errno, WriteFault);
        return false;
    }
    if (!placeFile(fd, temporary, target, error))
        return false;
    syncFolder(hostFolderOf(target));
    return true;
}

FileOps g_realOps;
FileOps* g_ops = nullptr;

bool validTime(const LocalTime& t)
{
    return t.year >= 1 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 && t.hour >= 0 &&
           t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 60 &&
           t.nanosecond >= 0 && t.nanosecond <= 999'999'999;
}

bool sameFields(const struct tm& tm, const LocalTime& t)
{
    return tm.tm_year == t.year - 1900 && tm.tm_mon == t.month - 1 && tm.tm_mday == t.day &&
           tm.tm_hour == t.hour && tm.tm_min == t.minute && tm.tm_sec == t.second;
}

bool toHostTime(const LocalTime& t, time_t& seconds)
{
    struct tm tm = {};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;
    struct tm guess = tm;
    seconds = mktime(&guess);
    if (seconds == time_t(-1) && !sameFields(guess, t))
        return false;
    // In the hour that repeats when daylight saving ends, the flag picks the one meant.
    if (t.dst >= 0 && guess.tm_isdst != t.dst) {
        struct tm other = tm;
        other.tm_isdst = t.dst;
        time_t alternative = mktime(&other);
        struct tm check;
        if (alternative != time_t(-1) && localtime_r(&alternative, &check) != nullptr &&
            sameFields(check, t) && check.tm_isdst == t.dst)
            seconds = alternative;
    }
    return true;
}

} // namespace

// ---- FileOps -----------------------------------------------------------

FileOps::~FileOps() = default;

Handle FileOps::openRead(const std::string& path)
{
    return openExisting(path, Access::Read, Share::DenyWrite);
}

Handle FileOps::open(const std::string& path, Access access, Share share)
{
    return openExisting(path, access, share);
}

Handle FileOps::create(const std::string& path)
{
    Resolved r = resolve(path);
    int error = creationError(r);
    if (error != NoError)
        return fail(error);
    Handle fd = finishOpen(::open(r.host.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666),
                           Access::ReadWrite, Share::Exclusive);
    if (fd == InvalidHandle)
        return fd;
    // Emptied only once nobody else holds it.
    if (ftruncate(fd, 0) != 0)
        return failAndClose(fd, detail::fromErrno(errno));
    if (!r.exists)
        detail::folderChanged(hostFolderOf(r.host), detail::hostNameOf(r.host));
    fremovexattr(fd, "user.DOSATTRIB");
    return fd;
}

namespace {
detail::HostRead g_hostRead = nullptr;
} // namespace

void detail::setHostRead(HostRead read)
{
    g_hostRead = read;
}

ssize_t detail::hostRead(int fd, void* buffer, std::size_t count)
{
    return g_hostRead != nullptr ? g_hostRead(fd, buffer, count) : ::read(fd, buffer, count);
}

long FileOps::read(Handle file, void* buffer, std::size_t count)
{
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = detail::hostRead(file, bytes + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            setLastError(detail::fromErrno(errno, ReadFault));
            // Back to the start of the block, so that a retry reads it again.
            lseek(file, -off_t(done), SEEK_CUR);
            return -1;
        }
        if (n == 0)
            break;
        done += std::size_t(n);
    }
    return long(done);
}

bool FileOps::write(Handle file, const void* buffer, std::size_t count)
{
    int error = NoError;
    if (writeAll(file, static_cast<const char*>(buffer), count, error)) {
        startWriteback(file, count);
        return true;
    }
    setLastError(error);
    return false;
}

bool FileOps::flush(Handle file)
{
    if (fsync(file) == 0)
        return true;
    setLastError(detail::fromErrno(errno, WriteFault));
    return false;
}

void FileOps::close(Handle file)
{
    Replacement replacement;
    if (takeReplacement(file, replacement)) {
        ::close(file);
        removeTemporary(replacement.temporary);
        if (replacement.guard >= 0)
            ::close(replacement.guard);
        return;
    }
    if (file >= 0)
        ::close(file);
}

Handle FileOps::createReplacement(const std::string& target, const std::string& source, NameMatch match)
{
    Resolved r = resolve(target, false, match);
    int error = replacementError(r);
    if (error != NoError)
        return fail(error);
    Target held = holdTarget(r, Share::Exclusive);
    if (held.error != NoError)
        return fail(held.error);

    mode_t mode = detail::defaultFileMode();
    if (!source.empty()) {
        Resolved from = resolve(source);
        mode_t limit = from.exists ? from.st.st_mode & 0777 : 0;
        mode &= limit | S_IRUSR | S_IWUSR;
    }
    std::string temporary;
    int fd = makeTemporary(hostFolderOf(held.finalHost), mode, temporary, error);
    if (fd < 0) {
        if (held.guard >= 0)
            ::close(held.guard);
        return fail(error);
    }
    if (r.exists && fchown(fd, r.st.st_uid, r.st.st_gid) != 0) {
        // Only root may give a file away; anyone else keeps it as their own.
    }
    std::lock_guard lock(g_replacementsMutex);
    g_replacements[fd] = Replacement{temporary, held.finalHost, held.guard};
    return fd;
}

bool FileOps::commitReplacement(Handle file)
{
    Replacement replacement;
    if (!takeReplacement(file, replacement)) {
        setLastError(BadHandle);
        return false;
    }
    int error = NoError;
    bool done = putInPlace(file, replacement.temporary, replacement.target, error);
    ::close(file);
    if (!done)
        removeTemporary(replacement.temporary);
    if (replacement.guard >= 0)
        ::close(replacement.guard);
    if (!done)
        setLastError(error);
    return done;
}

bool FileOps::flushFileSystem(Handle file)
{
    if (syncfs(file) == 0)
        return true;
    setLastError(detail::fromErrno(errno, WriteFault));
    return false;
}

bool FileOps::placeReplacement(Handle file)
{
    Replacement replacement;
    if (!takeReplacement(file, replacement)) {
        setLastError(BadHandle);
        return false;
    }
    int error = NoError;
    bool done = placeFile(file, replacement.temporary, replacement.target, error);
    if (replacement.guard >= 0)
        ::close(replacement.guard);
    if (!done) {
        ::close(file);
        setLastError(error);
    }
    return done;
}

void FileOps::discardReplacement(Handle file)
{
    FileOps::close(file);
}

FileOps& fileOps()
{
    return g_ops != nullptr ? *g_ops : g_realOps;
}

void setFileOps(FileOps* ops)
{
    g_ops = ops;
}

// ---- Handles -------------------------------------------------------------

std::int64_t fileSize(Handle file)
{
    struct stat st;
    if (fstat(file, &st) != 0) {
        setLastError(detail::fromErrno(errno));
        return -1;
    }
    return st.st_size;
}

bool seekFile(Handle file, std::int64_t offset)
{
    if (lseek(file, off_t(offset), SEEK_SET) < 0) {
        setLastError(detail::fromErrno(errno));
        return false;
    }
    return true;
}

bool lockFile(Handle file, bool exclusive)
{
    struct flock lock = lockOf(exclusive ? F_WRLCK : F_RDLCK, 0, kShareBase);
    if (fcntl(file, F_OFD_SETLK, &lock) == 0)
        return true;
    int error = errno;
    if (locksUnsupported(error))
        return true;
    setLastError(error == EAGAIN || error == EACCES ? LockViolation
                 : error == EBADF                   ? AccessDenied
                                                    : detail::fromErrno(error));
    return false;
}

bool unlockFile(Handle file)
{
    struct flock lock = lockOf(F_UNLCK, 0, kShareBase);
    if (fcntl(file, F_OFD_SETLK, &lock) == 0 || locksUnsupported(errno))
        return true;
    setLastError(detail::fromErrno(errno));
    return false;
}

// ---- Whole files ---------------------------------------------------------

bool readWholeFile(const std::string& path, std::string& content)
{
    Handle fd = openExisting(path, Access::Read, Share::DenyNone);
    if (fd == InvalidHandle)
        return false;
    content.clear();
    char buffer[65536];
    while (true) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            setLastError(detail::fromErrno(errno, ReadFault));
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        content.append(buffer, std::size_t(n));
    }
    ::close(fd);
    return true;
}

bool writeFileAtomically(const std::string& path, const std::string& content)
{
    Resolved r = resolve(path);
    int error = replacementError(r);
    if (error != NoError)
        return failed(error);
    Target held = holdTarget(r, Share::DenyNone);
    if (held.error != NoError)
        return failed(held.error);
    mode_t mode = r.exists ? r.st.st_mode & 0777 : detail::defaultFileMode();
    std::string temporary;
    int fd = makeTemporary(hostFolderOf(held.finalHost), mode, temporary, error);
    bool done = fd >= 0;
    if (done && r.exists && fchown(fd, r.st.st_uid, r.st.st_gid) != 0) {
        // Only root may give a file away; anyone else keeps it as their own.
    }
    if (done)
        done = writeAll(fd, content.data(), content.size(), error) &&
               putInPlace(fd, temporary, held.finalHost, error);
    if (fd >= 0) {
        ::close(fd);
        if (!done)
            removeTemporary(temporary);
    }
    if (held.guard >= 0)
        ::close(held.guard);
    if (!done)
        setLastError(error);
    return done;
}

// ---- Times and space -----------------------------------------------------

namespace detail {

std::string hostFolderOf(const std::string& host)
{
    std::size_t slash = host.rfind('/');
    return slash == 0 ? std::string("/") : host.substr(0, slash);
}

std::string hostNameOf(const std::string& host)
{
    return host.substr(host.rfind('/') + 1);
}

LocalTime toLocalTime(const struct timespec& time)
{
    LocalTime local;
    struct tm tm;
    if (localtime_r(&time.tv_sec, &tm) == nullptr)
        return local;
    local.year = tm.tm_year + 1900;
    local.month = tm.tm_mon + 1;
    local.day = tm.tm_mday;
    local.hour = tm.tm_hour;
    local.minute = tm.tm_min;
    local.second = tm.tm_sec;
    local.nanosecond = time.tv_nsec;
    local.dst = tm.tm_isdst > 0 ? 1 : 0;
    return local;
}

} // namespace detail

bool fileTime(const std::string& path, LocalTime& time)
{
    Resolved r = resolve(path);
    if (!r.exists) {
        setLastError(r.missingError());
        return false;
    }
    time = detail::toLocalTime(r.st.st_mtim);
    return true;
}

bool setFileTime(Handle file, const LocalTime& time)
{
    time_t seconds = 0;
    if (!validTime(time) || !toHostTime(time, seconds)) {
        setLastError(InvalidParameter);
        return false;
    }
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = seconds;
    times[1].tv_nsec = time.nanosecond;
    if (futimens(file, times) != 0) {
        setLastError(detail::fromErrno(errno));
        return false;
    }
    return true;
}

std::int64_t diskFree(char drive)
{
    int error = NoError;
    std::string root = detail::driveRoot(drive, error);
    struct statvfs fs;
    if (root.empty() || statvfs(root.c_str(), &fs) != 0) {
        setLastError(root.empty() ? error : detail::fromErrno(errno));
        return -1;
    }
    return std::int64_t(fs.f_bavail) * std::int64_t(fs.f_frsize);
}

} // namespace files
