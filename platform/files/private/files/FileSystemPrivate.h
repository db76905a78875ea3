#pragma once

#ifndef TARN_FILES_PRIVATE
#error "private to the file layer: include its public headers instead"
#endif

// Shared by the layer's own sources only; not part of its interface.

#include "files/FileSystem.h"

#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <vector>

namespace files::detail {

// Windows code for a host errno; fallback for the ones without a counterpart.
int fromErrno(int error, int fallback = GenFailure);

bool sameNameIgnoringCase(const std::string& a, const std::string& b);
bool hasWildcard(const std::string& text);
bool isSeparator(char c);

// Host path of an entry inside a host folder.
std::string hostChild(const std::string& folder, const std::string& name);

// Host folder of a drive's root; empty with error InvalidDrive or NotReady.
std::string driveRoot(char letter, int& error);

// How a host entry counts on the machine. A symbolic link counts as what it
// leads to only while that lies on one of the drives; one that leads
// elsewhere, or nowhere, is a stray link and no file or folder of the
// machine. st is the entry's status (through a link that counts); error the
// errno when the entry is missing or cannot be looked at.
enum class Entry
{
    Missing,
    Present,
    StrayLink,
};
Entry machineEntry(const std::string& host, struct stat& st, int& error);

// Local date and time of a host time stamp.
LocalTime toLocalTime(const struct timespec& time);

// Permission bits of a file created without more specific bits.
mode_t defaultFileMode();

// A Windows path taken apart and resolved on the host.
struct Resolved
{
    int error = NoError; // the drive, the syntax, or a folder on the way that cannot be searched
    char drive = 0;
    // Components below the root; spelled as on disk where they exist.
    std::vector<std::string> parts;
    bool trailingSeparator = false;
    std::size_t found = 0;   // leading components that exist
    bool notFolder = false;  // a component before the last is a file
    bool brokenLink = false; // the first missing component is a stray link (Entry::StrayLink)
    bool exists = false;     // the whole path exists
    struct stat st = {};     // of the whole path when it exists
    std::string host;        // host path of all components

    // 2 when only the last component is missing, else 3.
    int missingError() const;
    bool parentExists() const;
    std::string windowsPath() const;
};

// Resolves a Windows path; an empty path names the current folder of the
// current drive only when allowEmpty.
Resolved resolve(const std::string& path, bool allowEmpty = false,
                 NameMatch lastMatch = NameMatch::IgnoringCase);

// The host's read(2) under FileOps::read. Tests put another in its place to
// make a real descriptor fail part-way through a block; nullptr puts read(2)
// back.
using HostRead = ssize_t (*)(int fd, void* buffer, std::size_t count);
void setHostRead(HostRead read);
ssize_t hostRead(int fd, void* buffer, std::size_t count);

// ---- What folders hold (FolderIndex.cpp) -------------------------------

// The name in a host folder that matches name ignoring case, spelled as on
// disk (the first in byte order); empty when there is none or the folder
// cannot be read. A folder is read once and again only when it changed.
std::string spellingIn(const std::string& hostFolder, const std::string& name);

struct ListedEntry
{
    std::string name;
    std::string upper;
    struct stat st = {};
    int attr = 0;
    LocalTime time;
};
using Listing = std::vector<ListedEntry>;

// The files and folders of a host folder with their stat and attributes, in
// the order of their upper-cased names; nullptr and error when it cannot be
// read. One listing serves every search of the folder made soon after.
std::shared_ptr<const Listing> listFolder(const std::string& hostFolder, int& error);

// Attributes of an entry from its folder's last listing, when the entry has
// not changed since (its stat at hand tells); false when none is kept.
bool cachedAttributes(const std::string& host, const struct stat& st, int& attr);

// The program itself changed the folder: a name added, one removed (either
// may be empty). Keeps the folder's index true without reading it again.
void folderChanged(const std::string& hostFolder, const std::string& added, const std::string& removed = {});

// Drops every index (a new mount).
void forgetFolders();

// Whether files on a device may carry extended attributes; learnt from the
// first attempt that the file system refuses.
bool keepsAttributes(dev_t device);
void keepsNoAttributes(dev_t device);

// DOS attributes of a host entry: the stored ones, folder, read-only, and
// hidden for names starting with a dot.
int attributesOf(const std::string& host, const std::string& name, const struct stat& st);

// The host folder that holds a host path, and the last name of the path.
std::string hostFolderOf(const std::string& host);
std::string hostNameOf(const std::string& host);

} // namespace files::detail
