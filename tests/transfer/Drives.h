#pragma once

// A machine of its own for a test: drives C and D (or the letters asked for)
// as temporary host folders, mounted through the file-system layer.

#include <cstdint>
#include <string>

namespace transfertest {

class Drives
{
public:
    // The letters of the drives to create, e.g. "CD"; the process starts in
    // the root of the first one.
    explicit Drives(const std::string& letters = "CD");
    ~Drives();
    Drives(const Drives&) = delete;
    Drives& operator=(const Drives&) = delete;

    // Host path of a Windows path on one of the drives.
    std::string host(const std::string& windowsPath) const;
    // Makes a folder with its parents, or a file with its parent folders.
    void folder(const std::string& windowsPath) const;
    void file(const std::string& windowsPath, const std::string& content = {}) const;
    // A file of that many zero bytes, held sparse.
    void fileOfSize(const std::string& windowsPath, std::uintmax_t size) const;
    // Gives the file the hidden or system attribute.
    void hide(const std::string& windowsPath) const;
    void makeSystem(const std::string& windowsPath) const;
    // Takes a drive's medium away (the drive stays, not ready).
    void eject(char letter) const;

    const std::string& root() const;

private:
    std::string m_root;
};

} // namespace transfertest
