#pragma once

// The Windows file system as the programs see it, laid over the Linux host.
// Paths are Windows paths in UTF-8 ("C:\TARN\DATA"); drives come from the
// folder named by DOSDEVICES (entries "c:", "d:" ... linking to host folders).

#include <cstdint>
#include <ctime>
#include <stdexcept>
#include <string>
#include <vector>

namespace files {

// Windows error codes the layer reports.
enum ErrorCode : int {
    NoError = 0,
    FileNotFound = 2,
    PathNotFound = 3,
    TooManyOpenFiles = 4,
    AccessDenied = 5,
    InvalidDrive = 15,
    NotReady = 21,
    SharingViolation = 32,
    FileExists = 80,
    DiskFull = 112,
    InvalidName = 123,
    DirNotEmpty = 145,
    AlreadyExists = 183,
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
void mountFromEnvironment();
// Same, from explicit values (tests). An empty dosdevices means drive C: = "/".
void mount(const std::string& dosdevicesDir, const std::string& hostWorkingFolder);

// Drive letters the machine has, upper case, in order ("CD").
std::string drives();
bool driveExists(char letter);
bool driveReady(char letter);

// Error code of the last failed call on this thread.
int lastError();

// ---- Current folders ---------------------------------------------------

// Current folder of the process: "C:\TARN" (a root is "C:\").
std::string currentFolder();
// Current folder of one drive (its root when never set).
std::string currentFolderOf(char drive);
// Makes the folder current (drive and folder); throws InOutError.
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

// Code page 950 at the edges.
std::string toCp950(const std::string& utf8);
std::string fromCp950(const std::string& cp950);
std::size_t cp950Length(const std::string& utf8);

// ---- Existence and folders ---------------------------------------------

bool fileExists(const std::string& path);      // false for a folder
bool directoryExists(const std::string& path); // true for "C:\"
bool createDir(const std::string& path);       // one level; result, lastError()
bool forceDirectories(const std::string& path);// all parents; throws CreateDirError on ""
bool removeDir(const std::string& path);       // empty folder only

// ---- Folder search -----------------------------------------------------

enum Attribute : int {
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
class FolderSearch
{
public:
    FolderSearch();
    ~FolderSearch();
    FolderSearch(const FolderSearch&) = delete;
    FolderSearch& operator=(const FolderSearch&) = delete;

    // 0 and the first entry, or an error code (FileNotFound when nothing matches).
    int findFirst(const std::string& pattern, int attrs, SearchRec& rec);
    int findNext(SearchRec& rec);
    void close();

private:
    struct State;
    State* m_state;
};

// Windows wildcard match of a whole name, ignoring case ("*.*" matches "README").
bool matchesMask(const std::string& name, const std::string& pattern);

// ---- Files -------------------------------------------------------------

using Handle = int;
constexpr Handle InvalidHandle = -1;

// The block operations of files, behind an interface tests can wrap to fail
// a chosen step. Failures are results, never exceptions.
class FileOps
{
public:
    virtual ~FileOps();
    // Read access, writing denied to others.
    virtual Handle openRead(const std::string& path);
    // Read/write, emptied if it exists, normal attributes, shared with nobody.
    virtual Handle create(const std::string& path);
    // Bytes read, 0 at the end, -1 on failure.
    virtual long read(Handle file, void* buffer, std::size_t count);
    virtual bool write(Handle file, const void* buffer, std::size_t count);
    virtual void close(Handle file);
};

FileOps& fileOps();
// Tests install their own; nullptr restores the real one.
void setFileOps(FileOps* ops);

bool fileTime(const std::string& path, LocalTime& time);
bool setFileTime(Handle file, const LocalTime& time);

// Free space available to the user on a drive, in bytes; -1 on failure.
std::int64_t diskFree(char drive);

} // namespace files
