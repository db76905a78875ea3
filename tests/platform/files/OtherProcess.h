#pragma once

// Another process on the same machine, for share-mode and permission cases.

#include "files/FileSystem.h"

#include <functional>
#include <sys/types.h>

namespace files::test {

// A child process that opens a file (with whatever call it is given) and
// holds it open until released, as another program would.
class HoldingProcess
{
public:
    // open runs in the child; a handle other than InvalidHandle is held.
    explicit HoldingProcess(const std::function<Handle()>& open);
    ~HoldingProcess();
    HoldingProcess(const HoldingProcess&) = delete;
    HoldingProcess& operator=(const HoldingProcess&) = delete;

    // Whether the child's open succeeded; when not, lastError() there.
    bool holds() const;
    int error() const;
    // The child closes the file and ends.
    void release();

private:
    pid_t m_pid = -1;
    int m_release = -1;
    bool m_holds = false;
    int m_error = 0;
};

// Runs body in a child process as an unprivileged user (root drops to
// nobody, anyone else stays who they are); its result, or -1 when the child
// did not end normally.
int runUnprivileged(const std::function<int()>& body);

} // namespace files::test
