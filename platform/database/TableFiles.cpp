#include "database/TableFiles.h"

#include "database/Database.h"
#include "files/FileSystem.h"

#include <chrono>
#include <thread>

namespace database::detail {

namespace {

using Clock = std::chrono::steady_clock;

// A change holds a table's files for milliseconds; these bound the wait.
constexpr auto kShareWait = std::chrono::seconds(5);
constexpr auto kLockWait = std::chrono::seconds(10);
constexpr auto kRetryStep = std::chrono::milliseconds(10);
constexpr std::size_t kChunk = 32768;

std::string folderOf(const std::string& path)
{
    std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path)
{
    std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string errorText(int code)
{
    return "error " + std::to_string(code);
}

// Runs open until it gives a handle or fails other than by a sharing
// conflict that outlasts the wait.
template <typename Open> files::Handle openWaiting(Open open)
{
    auto until = Clock::now() + kShareWait;
    while (true) {
        files::Handle handle = open();
        if (handle != files::InvalidHandle || files::lastError() != files::SharingViolation ||
            Clock::now() >= until)
            return handle;
        std::this_thread::sleep_for(kRetryStep);
    }
}

bool writeAll(files::Handle handle, const std::string& content)
{
    for (std::size_t at = 0; at < content.size(); at += kChunk) {
        if (!files::fileOps().write(handle, content.data() + at, std::min(kChunk, content.size() - at)))
            return false;
    }
    return true;
}

[[noreturn]] void writeFailed(const std::string& path, int error)
{
    throw EngineError(EngineError::Code::WriteFailed,
                      "Cannot write table file '" + path + "' (" + errorText(error) + ").");
}

files::Handle writeReplacement(const std::string& target, const std::string& source,
                               const std::string& content)
{
    files::FileOps& ops = files::fileOps();
    files::Handle handle = openWaiting([&] { return ops.createReplacement(target, source); });
    if (handle == files::InvalidHandle)
        writeFailed(target, files::lastError());
    if (!writeAll(handle, content)) {
        int error = files::lastError();
        ops.discardReplacement(handle);
        writeFailed(target, error);
    }
    return handle;
}

} // namespace

bool readTableFile(const std::string& path, std::string& content, int& error)
{
    files::FileOps& ops = files::fileOps();
    files::Handle handle =
        openWaiting([&] { return ops.open(path, files::Access::Read, files::Share::DenyNone); });
    if (handle == files::InvalidHandle) {
        error = files::lastError();
        return false;
    }
    content.clear();
    std::string chunk(kChunk, '\0');
    while (true) {
        long n = ops.read(handle, chunk.data(), chunk.size());
        if (n < 0) {
            error = files::lastError();
            ops.close(handle);
            return false;
        }
        if (n == 0)
            break;
        content.append(chunk.data(), std::size_t(n));
    }
    ops.close(handle);
    return true;
}

TableLock::TableLock(const std::string& tablePath) : m_handle(files::InvalidHandle)
{
    std::string lockPath = folderOf(tablePath) + "." + nameOf(tablePath) + ".lck";
    files::FileOps& ops = files::fileOps();
    auto until = Clock::now() + kLockWait;
    int error = files::NoError;
    while (true) {
        if (m_handle == files::InvalidHandle) {
            m_handle = ops.open(lockPath, files::Access::ReadWrite, files::Share::DenyNone);
            if (m_handle == files::InvalidHandle && files::lastError() == files::FileNotFound) {
                files::Handle created = ops.create(lockPath);
                if (created != files::InvalidHandle) {
                    ops.close(created);
                    continue;
                }
            }
        }
        if (m_handle != files::InvalidHandle) {
            if (files::lockFile(m_handle, true))
                return;
        }
        error = files::lastError();
        bool busy = error == files::LockViolation || error == files::SharingViolation;
        if (!busy || Clock::now() >= until)
            break;
        std::this_thread::sleep_for(kRetryStep);
    }
    if (m_handle != files::InvalidHandle)
        ops.close(m_handle);
    if (error == files::LockViolation || error == files::SharingViolation)
        throw EngineError(EngineError::Code::TableLocked,
                          "Table '" + tablePath + "' is being changed by another program.");
    throw EngineError(EngineError::Code::WriteFailed,
                      "Cannot lock table '" + tablePath + "' (" + errorText(error) + ").");
}

TableLock::~TableLock()
{
    files::unlockFile(m_handle);
    files::fileOps().close(m_handle);
}

std::vector<std::string> secondaryIndexFiles(const std::string& tablePath)
{
    std::string name = nameOf(tablePath);
    std::string stem = name.substr(0, name.rfind('.'));
    std::vector<std::string> found;
    files::FolderSearch search;
    files::SearchRec rec;
    auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
    for (int r = search.findFirst(folderOf(tablePath) + stem + ".*", files::AnyFile, rec); r == 0;
         r = search.findNext(rec)) {
        std::string upper = files::upperAscii(rec.name);
        if (upper.size() < stem.size() + 1 ||
            upper.compare(0, stem.size() + 1, files::upperAscii(stem) + ".") != 0)
            continue;
        std::string ext = upper.substr(stem.size() + 1);
        bool index = (ext.size() == 3 && (ext[0] == 'X' || ext[0] == 'Y') &&
                      ((ext[1] == 'G' && hex(ext[2])) || (hex(ext[1]) && hex(ext[2]))));
        if (index && (rec.attr & files::Directory) == 0)
            found.push_back(rec.name);
    }
    return found;
}

bool replaceTableFiles(const std::string& tablePath, const std::string& table, const std::string& indexPath,
                       const std::string& index, int& indexError)
{
    files::FileOps& ops = files::fileOps();
    files::Handle data = writeReplacement(tablePath, tablePath, table);
    files::Handle primary = files::InvalidHandle;
    if (!indexPath.empty()) {
        try {
            primary =
                writeReplacement(indexPath, files::fileExists(indexPath) ? indexPath : tablePath, index);
        } catch (...) {
            ops.discardReplacement(data);
            throw;
        }
    }
    if (!ops.commitReplacement(data)) {
        int error = files::lastError();
        if (primary != files::InvalidHandle)
            ops.discardReplacement(primary);
        writeFailed(tablePath, error);
    }
    if (primary != files::InvalidHandle && !ops.commitReplacement(primary)) {
        indexError = files::lastError();
        return false;
    }
    return true;
}

} // namespace database::detail
