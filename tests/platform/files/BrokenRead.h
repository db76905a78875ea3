#pragma once

// A real read error in the middle of a block: the file layer's reads of one
// file deliver the bytes up to an offset, then the next read there fails
// with EIO, as a disk does at a bad sector. Below the layer's read, so the
// layer's own handling of a partial read is what is tested.

#include <cstddef>
#include <string>
#include <sys/types.h>

namespace files::test {

class BrokenRead
{
public:
    // hostPath: the file; reads at offset fail `failures` times.
    BrokenRead(const std::string& hostPath, off_t offset, int failures = 1);
    ~BrokenRead();
    BrokenRead(const BrokenRead&) = delete;
    BrokenRead& operator=(const BrokenRead&) = delete;

    // Reads that failed so far.
    int failed() const;

private:
    static ssize_t read(int fd, void* buffer, std::size_t count);

    dev_t m_device = 0;
    ino_t m_inode = 0;
    off_t m_offset = 0;
    int m_left = 0;
    int m_failed = 0;
};

} // namespace files::test
