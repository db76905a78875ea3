#include "files/FileSystemPrivate.h"

#include <cerrno>

namespace files {

namespace {
thread_local int t_lastError = NoError;
}

InOutError::InOutError(int code) : std::runtime_error(inOutErrorText(code)), m_code(code) {}

int InOutError::code() const
{
    return m_code;
}

std::string inOutErrorText(int code)
{
    switch (code) {
    case FileNotFound:
        return "File not found";
    case PathNotFound:
        return "Invalid filename";
    case TooManyOpenFiles:
        return "Too many open files";
    case AccessDenied:
        return "File access denied";
    default:
        return "I/O error " + std::to_string(code);
    }
}

CreateDirError::CreateDirError() : std::runtime_error("Unable to create directory") {}

int lastError()
{
    return t_lastError;
}

void setLastError(int code)
{
    t_lastError = code;
}

namespace detail {

int fromErrno(int error, int fallback)
{
    switch (error) {
    case 0:
        return NoError;
    case ENOENT:
        return FileNotFound;
    case ENOTDIR:
    case ELOOP:
        return PathNotFound;
    case EMFILE:
    case ENFILE:
        return TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
        return AccessDenied;
    case EBADF:
        return BadHandle;
    case ENOMEM:
        return NotEnoughMemory;
    case EROFS:
        return WriteProtect;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
    case ESTALE:
        return NotReady;
    case EBUSY:
    case ETXTBSY:
        return SharingViolation;
    case EEXIST:
        return FileExists;
    case EINVAL:
        return InvalidParameter;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return DiskFull;
    case ENOTEMPTY:
        return DirNotEmpty;
    case ENAMETOOLONG:
        return FilenameTooLong;
    default:
        return fallback;
    }
}

} // namespace detail
} // namespace files
