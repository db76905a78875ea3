#pragma once

// File operations that fail where a test says, on real files otherwise.

#include "files/FileSystem.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace files::test {

// Wraps the real file operations and makes chosen steps fail, chosen by the
// file's name (without its folder, letter case ignored) and, for reads and
// writes, by block: 0 is a handle's first read (or write), and a failed
// block keeps its number, so a retry tries the same block again. Installs
// itself as fileOps() for its lifetime.
class FailingFileOps : public FileOps
{
public:
    enum class Step
    {
        Open,   // openRead, open
        Create, // create, createReplacement
        Read,
        Write,
        Commit, // commitReplacement, placeReplacement
    };
    static constexpr int Always = -1;

    FailingFileOps();
    ~FailingFileOps() override;
    FailingFileOps(const FailingFileOps&) = delete;
    FailingFileOps& operator=(const FailingFileOps&) = delete;

    // The step fails `times` times (Always: every time), with lastError() = error.
    void failOpen(const std::string& name, int times = Always, int error = AccessDenied);
    void failCreate(const std::string& name, int times = Always, int error = AccessDenied);
    void failRead(const std::string& name, int block, int times = Always, int error = ReadFault);
    void failWrite(const std::string& name, int block, int times = Always, int error = DiskFull);
    void failCommit(const std::string& name, int times = Always, int error = DiskFull);

    // How often a step was tried on a file, failed tries included.
    int calls(Step step, const std::string& name) const;

    Handle openRead(const std::string& path) override;
    Handle open(const std::string& path, Access access, Share share) override;
    Handle create(const std::string& path) override;
    long read(Handle file, void* buffer, std::size_t count) override;
    bool write(Handle file, const void* buffer, std::size_t count) override;
    void close(Handle file) override;
    Handle createReplacement(const std::string& target, const std::string& source,
                             NameMatch match = NameMatch::IgnoringCase) override;
    bool commitReplacement(Handle file) override;
    void discardReplacement(Handle file) override;
    bool placeReplacement(Handle file) override;

private:
    struct Fault
    {
        Step step;
        std::string name; // upper case
        int block;
        int times;
        int error;
    };
    struct OpenFile
    {
        std::string name; // upper case
        int reads = 0;    // blocks read or written so far
        int writes = 0;
    };

    void add(Step step, const std::string& name, int block, int times, int error);
    // Counts the try; true (and lastError set) when it is to fail.
    bool fails(Step step, const std::string& upperName, int block);
    Handle opened(Handle file, const std::string& path);

    std::vector<Fault> m_faults;
    std::map<Handle, OpenFile> m_open;
    std::map<std::pair<Step, std::string>, int> m_calls;
};

} // namespace files::test
