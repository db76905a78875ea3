#pragma once

// Temporary host folders standing for the machine's drives, for tests.

#include "files/FileSystem.h"

#include <string>
#include <vector>

namespace files::test {

// Host folders standing for drives, mounted as the machine for the object's
// lifetime and removed with everything in them afterwards. The drive links
// lie in base()/dosdevices, each drive's root is base()/drive_x.
class TempDrives
{
public:
    // ready: letters of drives that have a root folder; notReady: letters
    // whose link names a missing folder. The working folder is the root of
    // the first ready drive.
    explicit TempDrives(const std::string& ready = "CD", const std::string& notReady = "");
    ~TempDrives();
    TempDrives(const TempDrives&) = delete;
    TempDrives& operator=(const TempDrives&) = delete;

    const std::string& base() const;
    std::string dosdevices() const;
    // Host folder of a drive's root.
    std::string root(char drive) const;
    // Host path of a Windows path spelled exactly as on disk ("C:\A\b.txt").
    std::string host(const std::string& windowsPath) const;
    // Mounts again, with the host working folder at this Windows folder.
    void mountAt(const std::string& windowsFolder) const;

private:
    std::string m_base;
};

// Set-up and checks on host paths.
void writeHostFile(const std::string& host, const std::string& content);
std::string readHostFile(const std::string& host);
void makeHostFolder(const std::string& host); // with its parents

// count file names of mixed case and length, as a suite's data folder has
// them; the same names on every call.
std::vector<std::string> suiteLikeNames(int count);

// All names a search of the pattern yields, joined by blanks; or "error N".
std::string foundNames(const std::string& pattern, int attrs = AnyFile);

} // namespace files::test
