#include "platform/files/BrokenRead.h"

#include "files/FileSystemPrivate.h"

#include <cerrno>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace files::test {

namespace {
BrokenRead* g_active = nullptr;
} // namespace

BrokenRead::BrokenRead(const std::string& hostPath, off_t offset, int failures)
    : m_offset(offset), m_left(failures)
{
    struct stat st = {};
    if (g_active != nullptr || ::stat(hostPath.c_str(), &st) != 0)
        throw std::logic_error("BrokenRead: one at a time, on a file that exists: " + hostPath);
    m_device = st.st_dev;
    m_inode = st.st_ino;
    g_active = this;
    detail::setHostRead(&BrokenRead::read);
}

BrokenRead::~BrokenRead()
{
    detail::setHostRead(nullptr);
    g_active = nullptr;
}

int BrokenRead::failed() const
{
    return m_failed;
}

ssize_t BrokenRead::read(int fd, void* buffer, std::size_t count)
{
    BrokenRead& self = *g_active;
    struct stat st = {};
    const off_t at = ::lseek(fd, 0, SEEK_CUR);
    if (::fstat(fd, &st) != 0 || st.st_dev != self.m_device || st.st_ino != self.m_inode || at < 0)
        return ::read(fd, buffer, count);
    if (at < self.m_offset && at + off_t(count) > self.m_offset)
        return ::read(fd, buffer, std::size_t(self.m_offset - at));
    if (at == self.m_offset && self.m_left > 0) {
        --self.m_left;
        ++self.m_failed;
        errno = EIO;
        return -1;
    }
    return ::read(fd, buffer, count);
}

} // namespace files::test
