#include "platform/files/FailingFileOps.h"

namespace files::test {

namespace {

std::string upperName(const std::string& path)
{
    std::size_t separator = path.find_last_of("\\/");
    return upperAscii(separator == std::string::npos ? path : path.substr(separator + 1));
}

} // namespace

FailingFileOps::FailingFileOps()
{
    setFileOps(this);
}

FailingFileOps::~FailingFileOps()
{
    setFileOps(nullptr);
}

void FailingFileOps::add(Step step, const std::string& name, int block, int times, int error)
{
    m_faults.push_back(Fault{step, upperName(name), block, times, error});
}

void FailingFileOps::failOpen(const std::string& name, int times, int error)
{
    add(Step::Open, name, 0, times, error);
}

void FailingFileOps::failCreate(const std::string& name, int times, int error)
{
    add(Step::Create, name, 0, times, error);
}

void FailingFileOps::failRead(const std::string& name, int block, int times, int error)
{
    add(Step::Read, name, block, times, error);
}

void FailingFileOps::failWrite(const std::string& name, int block, int times, int error)
{
    add(Step::Write, name, block, times, error);
}

void FailingFileOps::failCommit(const std::string& name, int times, int error)
{
    add(Step::Commit, name, 0, times, error);
}

int FailingFileOps::calls(Step step, const std::string& name) const
{
    auto found = m_calls.find({step, upperName(name)});
    return found == m_calls.end() ? 0 : found->second;
}

bool FailingFileOps::fails(Step step, const std::string& name, int block)
{
    ++m_calls[{step, name}];
    for (Fault& fault : m_faults) {
        if (fault.step != step || fault.name != name || fault.block != block || fault.times == 0)
            continue;
        if (fault.times > 0)
            --fault.times;
        setLastError(fault.error);
        return true;
    }
    return false;
}

Handle FailingFileOps::opened(Handle file, const std::string& path)
{
    if (file != InvalidHandle)
        m_open[file] = OpenFile{upperName(path)};
    return file;
}

Handle FailingFileOps::openRead(const std::string& path)
{
    if (fails(Step::Open, upperName(path), 0))
        return InvalidHandle;
    return opened(FileOps::openRead(path), path);
}

Handle FailingFileOps::open(const std::string& path, Access access, Share share)
{
    if (fails(Step::Open, upperName(path), 0))
        return InvalidHandle;
    return opened(FileOps::open(path, access, share), path);
}

Handle FailingFileOps::create(const std::string& path)
{
    if (fails(Step::Create, upperName(path), 0))
        return InvalidHandle;
    return opened(FileOps::create(path), path);
}

Handle FailingFileOps::createReplacement(const std::string& target, const std::string& source,
                                         NameMatch match)
{
    if (fails(Step::Create, upperName(target), 0))
        return InvalidHandle;
    return opened(FileOps::createReplacement(target, source, match), target);
}

long FailingFileOps::read(Handle file, void* buffer, std::size_t count)
{
    auto found = m_open.find(file);
    if (found != m_open.end() && fails(Step::Read, found->second.name, found->second.reads))
        return -1;
    long result = FileOps::read(file, buffer, count);
    if (found != m_open.end() && result >= 0)
        ++found->second.reads;
    return result;
}

bool FailingFileOps::write(Handle file, const void* buffer, std::size_t count)
{
    auto found = m_open.find(file);
    if (found != m_open.end() && fails(Step::Write, found->second.name, found->second.writes))
        return false;
    bool result = FileOps::write(file, buffer, count);
    if (found != m_open.end() && result)
        ++found->second.writes;
    return result;
}

void FailingFileOps::close(Handle file)
{
    m_open.erase(file);
    FileOps::close(file);
}

bool FailingFileOps::commitReplacement(Handle file)
{
    auto found = m_open.find(file);
    std::string name = found != m_open.end() ? found->second.name : std::string();
    m_open.erase(file);
    if (!name.empty() && fails(Step::Commit, name, 0)) {
        // A failed commit leaves the target as it was and the handle closed.
        int error = lastError();
        FileOps::discardReplacement(file);
        setLastError(error);
        return false;
    }
    return FileOps::commitReplacement(file);
}

bool FailingFileOps::placeReplacement(Handle file)
{
    auto found = m_open.find(file);
    std::string name = found != m_open.end() ? found->second.name : std::string();
    if (!name.empty() && fails(Step::Commit, name, 0)) {
        m_open.erase(file);
        int error = lastError();
        FileOps::discardReplacement(file);
        setLastError(error);
        return false;
    }
    bool placed = FileOps::placeReplacement(file);
    if (!placed)
        m_open.erase(file);
    return placed;
}

void FailingFileOps::discardReplacement(Handle file)
{
    m_open.erase(file);
    FileOps::discardReplacement(file);
}

} // namespace files::test
