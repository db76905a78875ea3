// New files put in place together between two flushes of their file system.

#include "files/FileSystemPrivate.h"

#include <algorithm>
#include <sys/resource.h>

namespace files {

namespace {

// Each waiting file holds two descriptors (the new file and the guard on
// its target); the batch stays well inside what the process may open.
std::size_t filesWithinLimit(std::size_t wanted)
{
    constexpr rlim_t kReserve = 64;
    struct rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return std::min<std::size_t>(wanted, 128);
    rlim_t needed = rlim_t(wanted) * 2 + kReserve;
    if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < needed) {
        struct rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max == RLIM_INFINITY ? needed : std::min(needed, limit.rlim_max);
        if (setrlimit(RLIMIT_NOFILE, &raised) == 0)
            limit = raised;
    }
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= needed)
        return wanted;
    return limit.rlim_cur > kReserve * 2 ? std::size_t((limit.rlim_cur - kReserve) / 2) : 1;
}

dev_t deviceOf(Handle file)
{
    struct stat st;
    return fstat(file, &st) == 0 ? st.st_dev : dev_t(0);
}

// Flushes each device once, through the first file on it; the devices whose
// flush failed.
std::vector<dev_t> flushDevices(FileOps& ops, const std::vector<Handle>& files,
                                const std::vector<dev_t>& devices)
{
    std::vector<dev_t> done, failed;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (std::find(done.begin(), done.end(), devices[i]) != done.end())
            continue;
        done.push_back(devices[i]);
        if (!ops.flushFileSystem(files[i]))
            failed.push_back(devices[i]);
    }
    return failed;
}

bool among(const std::vector<dev_t>& devices, dev_t device)
{
    return std::find(devices.begin(), devices.end(), device) != devices.end();
}

} // namespace

ReplacementBatch::ReplacementBatch(std::int64_t maxBytes, std::size_t maxFiles)
    : m_maxBytes(maxBytes), m_maxFiles(std::max<std::size_t>(1, filesWithinLimit(maxFiles)))
{
}

ReplacementBatch::~ReplacementBatch()
{
    for (const Pending& pending : m_pending)
        fileOps().discardReplacement(pending.file);
}

bool ReplacementBatch::add(Handle file, const std::string& name)
{
    m_pending.push_back(Pending{file, name});
    std::int64_t size = fileSize(file);
    m_bytes += size > 0 ? size : 0;
    return m_bytes >= m_maxBytes || m_pending.size() >= m_maxFiles;
}

bool ReplacementBatch::empty() const
{
    return m_pending.empty();
}

std::vector<std::string> ReplacementBatch::commit()
{
    FileOps& ops = fileOps();
    std::vector<Pending> pending = std::move(m_pending);
    m_pending.clear();
    m_bytes = 0;

    std::vector<Handle> files;
    std::vector<dev_t> devices;
    for (const Pending& p : pending) {
        files.push_back(p.file);
        devices.push_back(deviceOf(p.file));
    }
    std::vector<bool> lost(pending.size(), false);

    // The data of every file on disk before any of them takes its name.
    std::vector<dev_t> unflushed = flushDevices(ops, files, devices);
    std::vector<Handle> placed;
    std::vector<dev_t> placedDevices;
    std::vector<std::size_t> placedIndex;
    for (std::size_t i = 0; i < pending.size(); ++i) {
        if (among(unflushed, devices[i])) {
            ops.discardReplacement(files[i]);
            lost[i] = true;
        } else if (!ops.placeReplacement(files[i])) {
            lost[i] = true;
        } else {
            placed.push_back(files[i]);
            placedDevices.push_back(devices[i]);
            placedIndex.push_back(i);
        }
    }

    // Then the names; one that may not have reached the disk is reported.
    std::vector<dev_t> namesUnflushed = flushDevices(ops, placed, placedDevices);
    for (std::size_t k = 0; k < placed.size(); ++k) {
        if (among(namesUnflushed, placedDevices[k]))
            lost[placedIndex[k]] = true;
        ops.close(placed[k]);
    }

    std::vector<std::string> failed;
    for (std::size_t i = 0; i < pending.size(); ++i) {
        if (lost[i])
            failed.push_back(pending[i].name);
    }
    return failed;
}

} // namespace files
