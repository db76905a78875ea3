#include "platform/files/OtherProcess.h"

#include <cstdint>
#include <grp.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace files::test {

namespace {

constexpr uid_t kNobody = 65534;

bool readAll(int fd, void* data, std::size_t size)
{
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        ssize_t n = ::read(fd, bytes, size);
        if (n <= 0)
            return false;
        bytes += n;
        size -= std::size_t(n);
    }
    return true;
}

int waitFor(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

HoldingProcess::HoldingProcess(const std::function<Handle()>& open)
{
    int report[2], release[2];
    if (pipe(report) != 0 || pipe(release) != 0)
        throw std::runtime_error("pipe");
    m_pid = fork();
    if (m_pid < 0)
        throw std::runtime_error("fork");
    if (m_pid == 0) {
        ::close(report[0]);
        ::close(release[1]);
        Handle file = open();
        std::int32_t answer[2] = {file != InvalidHandle, lastError()};
        if (::write(report[1], answer, sizeof answer) != sizeof answer)
            _exit(2);
        char byte;
        readAll(release[0], &byte, 1);
        if (file != InvalidHandle)
            fileOps().close(file);
        _exit(0);
    }
    ::close(report[1]);
    ::close(release[0]);
    m_release = release[1];
    std::int32_t answer[2] = {0, 0};
    bool reported = readAll(report[0], answer, sizeof answer);
    ::close(report[0]);
    if (!reported)
        throw std::runtime_error("the holding process ended early");
    m_holds = answer[0] != 0;
    m_error = answer[1];
}

HoldingProcess::~HoldingProcess()
{
    release();
}

bool HoldingProcess::holds() const
{
    return m_holds;
}

int HoldingProcess::error() const
{
    return m_error;
}

void HoldingProcess::release()
{
    if (m_pid <= 0)
        return;
    char byte = 'x';
    if (::write(m_release, &byte, 1) != 1) {
        // The child is gone already; waiting below collects it all the same.
    }
    ::close(m_release);
    waitFor(m_pid);
    m_pid = -1;
}

int runUnprivileged(const std::function<int()>& body)
{
    pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(100);
        _exit(body());
    }
    return waitFor(pid);
}

} // namespace files::test
