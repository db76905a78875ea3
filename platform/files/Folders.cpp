// Existence tests and the creation and removal of folders.

#include "files/FileSystemPrivate.h"

#include <cerrno>
#include <unistd.h>

namespace files {

using detail::resolve;
using detail::Resolved;

namespace {

bool fail(int code)
{
    setLastError(code);
    return false;
}

int folderError(int error)
{
    int code = detail::fromErrno(error);
    return code == FileExists ? AlreadyExists : code;
}

// Keeps the index of the folder that holds host true after a change.
void noteChange(const std::string& host, bool added)
{
    std::string name = detail::hostNameOf(host);
    detail::folderChanged(detail::hostFolderOf(host), added ? name : std::string(),
                          added ? std::string() : name);
}

} // namespace

bool fileExists(const std::string& path, NameMatch match)
{
    Resolved r = resolve(path, false, match);
    if (!r.exists)
        return fail(r.missingError());
    return !S_ISDIR(r.st.st_mode) || fail(FileNotFound);
}

bool directoryExists(const std::string& path)
{
    Resolved r = resolve(path);
    if (!r.exists)
        return fail(r.missingError());
    return S_ISDIR(r.st.st_mode) || fail(DirectoryInvalid);
}

bool createDir(const std::string& path)
{
    Resolved r = resolve(path);
    if (r.error != NoError)
        return fail(r.error);
    if (r.parts.empty())
        return fail(AccessDenied);
    if (r.exists || r.brokenLink)
        return fail(AlreadyExists);
    if (!r.parentExists())
        return fail(PathNotFound);
    if (mkdir(r.host.c_str(), 0777) != 0)
        return fail(folderError(errno));
    noteChange(r.host, true);
    return true;
}

bool forceDirectories(const std::string& path)
{
    if (path.empty())
        throw CreateDirError();
    Resolved r = resolve(path);
    if (r.error != NoError)
        return fail(r.error);
    if (r.exists)
        return S_ISDIR(r.st.st_mode) || fail(AlreadyExists);
    if (r.notFolder)
        return fail(PathNotFound);
    if (r.brokenLink)
        return fail(AlreadyExists);
    int error = NoError;
    std::string host = detail::driveRoot(r.drive, error);
    if (host.empty())
        return fail(error);
    for (std::size_t i = 0; i < r.parts.size(); ++i) {
        host = detail::hostChild(host, r.parts[i]);
        if (i < r.found)
            continue;
        if (mkdir(host.c_str(), 0777) != 0) {
            int made = errno;
            struct stat st;
            // Another program may have made it meanwhile.
            if (made != EEXIST || ::stat(host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
                return fail(folderError(made));
        }
        noteChange(host, true);
    }
    return true;
}

bool removeDir(const std::string& path)
{
    Resolved r = resolve(path);
    if (!r.exists)
        return fail(r.missingError());
    if (!S_ISDIR(r.st.st_mode))
        return fail(DirectoryInvalid);
    if (r.parts.empty())
        return fail(AccessDenied);
    if (rmdir(r.host.c_str()) != 0)
        return fail(errno == EEXIST ? DirNotEmpty : detail::fromErrno(errno));
    noteChange(r.host, false);
    return true;
}

bool deleteFile(const std::string& path)
{
    Resolved r = resolve(path);
    if (!r.exists && !r.brokenLink)
        return fail(r.missingError());
    if (r.exists && S_ISDIR(r.st.st_mode))
        return fail(AccessDenied);
    if (r.exists && (r.st.st_mode & S_IWUSR) == 0)
        return fail(AccessDenied);
    if (unlink(r.host.c_str()) != 0)
        return fail(detail::fromErrno(errno));
    noteChange(r.host, false);
    return true;
}

} // namespace files
