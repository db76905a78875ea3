#pragma once

// The Windows file system as the programs see it, laid over the Linux host.
// Paths are Windows paths in UTF-8 ("C:\TARN\DATA"); drives come from the
// folder named by DOSDEVICES (entries "c:", "d:" ... linking to host folders).
// The layer keeps its own current folders and never changes the host's.

#include <cstdint>
#include <ctime>
#include <stdexcept>
#include <string>
#include <vector>

namespace files {

// Windows error codes the layer reports.
enum ErrorCode : int
{
    NoError = 0,
    FileNotFound = 2,
    PathNotFound = 3,
    TooManyOpenFiles = 4,
    AccessDenied = 5,
    BadHandle = 6,
    NotEnoughMemory = 8,
    InvalidDrive = 15,
    NoMoreFiles = 18,
    WriteProtect = 19,
    NotReady = 21,
    WriteFault = 29,
    ReadFault = 30,
    GenFailure = 31,
    SharingViolation = 32,
    LockViolation = 33,
    BadNetPath = 53,
    FileExists = 80,
    InvalidParameter = 87,
    DiskFull = 112,
    InvalidName = 123,
    DirNotEmpty = 145,
    AlreadyExists = 183,
    FilenameTooLong = 206,
    DirectoryInvalid = 267,
};

// The run-time library's input/output error: "File not found" (2),
// "Invalid filename" (3), "Too many open files" (4), "File access denied" (5),
// otherwise "I/O error %d".
class InOutError : public std::runtime_error
{
public:
    explicit InOutError(int code);
    int code() const;

private:
    int m_code;
};

std::string inOutErrorText(int code);

// Raised when a folder with all parents is asked for with an empty path.
class CreateDirError : public std::runtime_error
{
public:
    CreateDirError();
};

// The working folder lies under no drive, or DOSDEVICES is unusable.
class StartupError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// ---- The machine -------------------------------------------------------

// Reads DOSDEVICES and the host working folder; throws StartupError.
// Until a mount, the first call of the layer mounts from the environment as
// far as it can: a working folder on no drive leaves the process in the
// first drive's root, an unusable DOSDEVICES leaves the machine no drives.
void mountFromEnvironment();
// Same, from explicit values (tests). An empty dosdevices means drive C: = "/".
// Replaces all earlier state: drives, current folders of drives and process.
void mount(const std::string& dosdevicesDir, const std::string& hostWorkingFolder);

// Drive letters the machine has, upper case, in order ("CD").
std::string drives();
bool driveExists(char letter);
bool driveReady(char letter);

// Error code of the last failed call on this thread.
int lastError();
// Sets it: for FileOps implementations that fail on their own (tests).
void setLastError(int code);

// ---- Current folders ---------------------------------------------------

// Current folder of the process: "C:\TARN" (a root is "C:\").
std::string currentFolder();
// Current folder of one drive (its root when never set).
std::string currentFolderOf(char drive);
// Makes the folder current (drive and folder); throws InOutError.
// "D:" alone returns to drive D's own current folder.
void setCurrentFolder(const std::string& path);

// ---- Paths and names ---------------------------------------------------

// Full path of a Windows path: relative parts against the drive's current
// folder, "." and ".." resolved, never above the root. Existing components
// keep the spelling they have on disk.
std::string expandPath(const std::string& path);
// Host path for a Windows path (components resolved ignoring case); empty
// with lastError() set when the drive is missing or not ready.
std::string hostPath(const std::string& path);
// Joins a name to a folder with "\" unless the folder already ends in "\".
std::string joinName(const std::string& folder, const std::string& name);
// Upper-cases a to z only.
std::string upperAscii(std::string text);
// Windows rules for one name (no <>:"/\|?* or control characters, no device name).
bool validName(const std::string& name);

// Code page 950 at the edges. A character the other side cannot hold
// becomes "?".
std::string toCp950(const std::string& utf8);
std::string fromCp950(const std::string& cp950);
std::size_t cp950Length(const std::string& utf8);

// ---- Existence and folders ---------------------------------------------

// How the last name of a path is found in its folder. A name spelled exactly
// so is always taken first; IgnoringCase then takes one that differs only in
// the case of a to z, Exact never does (a copy whose source folder holds
// names that differ only in case must keep each under its own name).
enum class NameMatch
{
    IgnoringCase,
    Exact,
};

bool fileExists(const std::string& path, NameMatch match = NameMatch::IgnoringCase); // false for a folder
bool directoryExists(const std::string& path);                                       // true for "C:\"
bool createDir(const std::string& path);        // one level; result, lastError()
bool forceDirectories(const std::string& path); // all parents; throws CreateDirError on ""
bool removeDir(const std::string& path);        // empty folder only
bool deleteFile(const std::string& path);       // a file, not read-only

// ---- Folder search -----------------------------------------------------

enum Attribute : int
{
    ReadOnly = 1,
    Hidden = 2,
    SysFile = 4,
    VolumeId = 8,
    Directory = 16,
    Archive = 32,
    AnyFile = 63,
};

struct LocalTime
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    long nanosecond = 0;
    // Daylight saving in force (1), not (0), unknown (-1). fileTime fills it
    // so that a time in the hour that repeats in autumn sets back exactly.
    int dst = -1;
};

struct SearchRec
{
    std::string name;
    std::int64_t size = 0;
    int attr = 0;
    LocalTime time;
};

// FindFirst/FindNext/FindClose. An entry is left out when it has one of the
// attributes hidden, system, volume label or folder that attrs does not hold.
// Entries come in the order of their upper-cased names. Host entries whose
// names are not valid Windows names, and entries that are neither files nor
// folders, are never returned.
class FolderSearch
{
public:
    FolderSearch();
    ~FolderSearch();
    FolderSearch(const FolderSearch&) = delete;
    FolderSearch& operator=(const FolderSearch&) = delete;

    // 0 and the first entry, or an error code (FileNotFound when nothing
    // matches, PathNotFound when the folder is missing); a failed first step
    // closes the search.
    int findFirst(const std::string& pattern, int attrs, SearchRec& rec);
    // 0 and the next entry, or NoMoreFiles.
    int findNext(SearchRec& rec);
    void close();

private:
    struct State;
    State* m_state;
};

// Windows wildcard match of a whole name, ignoring case ("*.*" matches "README").
// "*" matches any run of characters, "?" exactly one character; a pattern
// ending in ".*" also matches a name that has no dot.
bool matchesMask(const std::string& name, const std::string& pattern);

// ---- Files -------------------------------------------------------------

using Handle = int;
constexpr Handle InvalidHandle = -1;

// Share modes hold between handles of all processes that use this layer
// (open-file-description locks); programs that take no such locks are not
// held back.
enum class Access
{
    Read,
    ReadWrite,
};
enum class Share
{
    Exclusive, // shared with nobody
    DenyWrite,
    DenyRead,
    DenyNone,
};

// The block operations of files, behind an interface tests can wrap to fail
// a chosen step. Failures are results, never exceptions; lastError() tells why.
class FileOps
{
public:
    virtual ~FileOps();
    // Read access, writing denied to others.
    virtual Handle openRead(const std::string& path);
    // An existing file with the access and share mode given (a table file).
    virtual Handle open(const std::string& path, Access access, Share share);
    // Read/write, emptied if it exists, normal attributes, shared with nobody.
    // A read-only file or a folder of that name fails with AccessDenied.
    virtual Handle create(const std::string& path);
    // Bytes read, 0 at the end, -1 on failure. Only the end of the file
    // gives fewer bytes than asked for.
    virtual long read(Handle file, void* buffer, std::size_t count);
    virtual bool write(Handle file, const void* buffer, std::size_t count);
    // Writes the file's data and times through to the disk.
    virtual bool flush(Handle file);
    // Closes; a replacement not yet committed is discarded.
    virtual void close(Handle file);

    // A new file for target, written beside it without a name (or, where the
    // file system cannot keep a file without one, under a hidden temporary
    // name), read/write and shared with nobody. Fails as create() would for
    // target, and holds target against other opens until it is committed or
    // discarded. Its permission bits are never broader than those of source
    // (owner read and write always; no limit when source is empty). When
    // target is a symbolic link, the link itself is replaced, never the file
    // it names. Hidden temporary files that a dead process left in the
    // folder are removed.
    virtual Handle createReplacement(const std::string& target, const std::string& source,
                                     NameMatch match = NameMatch::IgnoringCase);
    // Flushes the new file and puts it in target's place in one atomic step.
    // The handle is closed either way; on failure target stays as it was.
    virtual bool commitReplacement(Handle file);
    // Closes the new file and removes it; target stays as it was.
    virtual void discardReplacement(Handle file);

    // Writes everything of the file system that holds the open file through
    // to the disk.
    virtual bool flushFileSystem(Handle file);
    // Puts a new file in target's place in one atomic step without flushing:
    // its data must be flushed before, its name after (see ReplacementBatch).
    // On success the handle stays open as a plain handle (close() it); on
    // failure it is closed and target stays as it was.
    virtual bool placeReplacement(Handle file);
};

// New files put in place together, so that many copies cost two flushes of
// the file system instead of two each: every file's data is on disk before
// its name is, and every name when commit() returns. A kill or a power loss
// at any moment leaves each target with its old content or the new one.
// Bound by bytes and files, so that what waits stays small.
class ReplacementBatch
{
public:
    static constexpr std::int64_t DefaultBytes = 64ll << 20;
    static constexpr std::size_t DefaultFiles = 1000;

    explicit ReplacementBatch(std::int64_t maxBytes = DefaultBytes, std::size_t maxFiles = DefaultFiles);
    // Discards what was not committed: those targets stay as they were.
    ~ReplacementBatch();
    ReplacementBatch(const ReplacementBatch&) = delete;
    ReplacementBatch& operator=(const ReplacementBatch&) = delete;

    // Takes a whole new file from createReplacement; the batch owns the
    // handle from here on. True when the batch is full and wants commit().
    bool add(Handle file, const std::string& name);
    // Flushes, puts every file in place, flushes again. Returns the names of
    // the files that could not be put in place for good, in the order added.
    std::vector<std::string> commit();
    bool empty() const;

private:
    struct Pending
    {
        Handle file;
        std::string name;
    };
    std::vector<Pending> m_pending;
    std::int64_t m_bytes = 0;
    std::int64_t m_maxBytes;
    std::size_t m_maxFiles;
};

FileOps& fileOps();
// Tests install their own; nullptr restores the real one.
void setFileOps(FileOps* ops);

// Size of an open file in bytes; -1 on failure.
std::int64_t fileSize(Handle file);
// Moves the position of an open file to offset bytes from its start.
bool seekFile(Handle file, std::int64_t offset);

// Advisory lock over the file's contents between handles and processes,
// shared or exclusive (exclusive needs a handle open for writing). Does not
// wait: a conflicting lock fails with LockViolation.
bool lockFile(Handle file, bool exclusive);
bool unlockFile(Handle file);

// The whole content of a file (opened for reading, sharing with all).
bool readWholeFile(const std::string& path, std::string& content);
// Writes content beside path as a replacement does and puts it into place:
// path holds the old or the new content, never a part. An existing file
// keeps its permission bits; a read-only one fails with AccessDenied, one
// that another handle keeps from writing with SharingViolation.
bool writeFileAtomically(const std::string& path, const std::string& content);

bool fileTime(const std::string& path, LocalTime& time);
bool setFileTime(Handle file, const LocalTime& time);

// Free space available to the user on a drive, in bytes; -1 on failure.
std::int64_t diskFree(char drive);

} // namespace files
