#pragma once

#ifndef TARN_FILES_PRIVATE
#error "private to the file layer: include its public headers instead"
#endif

// Shared by the layer's own sources only; not part of its interface.

#include "files/FileSystem.h"

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
Resolved resolve(const std::string& path, bool allowEmpty = false);

// The host's read(2) under FileOps::read. Tests put another in its place to
// make a real descriptor fail part-way through a block; nullptr puts read(2)
// back.
using HostRead = ssize_t (*)(int fd, void* buffer, std::size_t count);
void setHostRead(HostRead read);
ssize_t hostRead(int fd, void* buffer, std::size_t count);

} // namespace files::detail
