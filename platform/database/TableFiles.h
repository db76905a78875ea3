#pragma once

// The files of a table on disk, through the file-system layer. Internal to
// the engine.

#include <string>
#include <vector>

namespace database::detail {

// The whole content of a table file; false with the file-system error code.
// A file held for a moment by a change in progress is waited for.
bool readTableFile(const std::string& path, std::string& content, int& error);

// Holds a table against changes by other programs of the engine: an
// exclusive lock on a hidden lock file beside the table, which, unlike the
// table's own files, is never replaced and so names the same file for
// every program. Waits a while for another holder, then throws TableLocked.
class TableLock
{
public:
    explicit TableLock(const std::string& tablePath);
    ~TableLock();
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;

private:
    int m_handle;
};

// Names of the secondary index files of the table that lie beside it.
std::vector<std::string> secondaryIndexFiles(const std::string& tablePath);

// Puts new contents of the data file and of its primary index (none when
// indexPath is empty) in place: each written beside its old file, flushed,
// then renamed over it, the data file first. On a failure before the data
// file's rename nothing has changed and EngineError is thrown. False when
// only the index could not be put in place (indexError tells why): the rows
// are written then.
bool replaceTableFiles(const std::string& tablePath, const std::string& table, const std::string& indexPath,
                       const std::string& index, int& indexError);

} // namespace database::detail
