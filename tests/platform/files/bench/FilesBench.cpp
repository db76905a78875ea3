// Not a test: time per name for lookups in one folder of many files, taken
// in slices so that a cost growing with the folder shows.

#include "files/FileSystem.h"
#include "platform/files/TempDrives.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

using namespace files;
using Clock = std::chrono::steady_clock;

namespace {

std::string nameOf(int i)
{
    char name[32];
    std::snprintf(name, sizeof name, "File%06d.Db", i);
    return name;
}

double microsecondsPer(Clock::duration spent, int count)
{
    return std::chrono::duration<double, std::micro>(spent).count() / count;
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int slices = 10;
    files::test::TempDrives machine("C");
    std::string folder = machine.root('C') + "/Big";
    files::test::makeHostFolder(folder);
    for (int i = 0; i < count; ++i) {
        int fd = ::open((folder + "/" + nameOf(i)).c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0 || ::write(fd, "x", 1) != 1) {
            std::perror("create");
            return 1;
        }
        ::close(fd);
    }
    setCurrentFolder("C:\\Big");
    std::printf("%d files in one folder\n\n", count);

    // The size count of the file list: a search for each bare name.
    std::printf("lookup and stat by exact name (findFirst of the bare name), per slice of %d names:\n",
                count / slices);
    long total = 0;
    Clock::duration all{};
    for (int s = 0; s < slices; ++s) {
        auto start = Clock::now();
        for (int i = s * count / slices; i < (s + 1) * count / slices; ++i) {
            FolderSearch search;
            SearchRec rec;
            if (search.findFirst(nameOf(i), AnyFile, rec) != 0)
                return 2;
            total += long(rec.size);
        }
        Clock::duration spent = Clock::now() - start;
        all += spent;
        std::printf("  names %6d-%6d: %6.2f us per name\n", s * count / slices, (s + 1) * count / slices - 1,
                    microsecondsPer(spent, count / slices));
    }
    std::printf("  all: %.2f us per name (%ld bytes)\n\n", microsecondsPer(all, count), total);

    auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        LocalTime time;
        if (!fileExists("C:\\Big\\" + nameOf(i)) || !fileTime("C:\\Big\\" + nameOf(i), time))
            return 3;
    }
    std::printf("fileExists and fileTime by full path: %.2f us per name\n\n",
                microsecondsPer(Clock::now() - start, count));

    start = Clock::now();
    FolderSearch search;
    SearchRec rec;
    int listed = 0;
    for (int r = search.findFirst("C:\\Big\\*.*", 0, rec); r == 0; r = search.findNext(rec))
        ++listed;
    std::printf("listing \"*.*\": %d entries, %.2f us per entry\n\n", listed,
                microsecondsPer(Clock::now() - start, listed));

    // The fallback: another spelling has to read the folder.
    const int others = 20;
    start = Clock::now();
    for (int i = 0; i < others; ++i) {
        if (!fileExists("C:\\Big\\" + upperAscii(nameOf(i * (count / others)))))
            return 4;
    }
    std::printf("lookup by another spelling (reads the folder): %.0f us per name\n",
                microsecondsPer(Clock::now() - start, others));
    start = Clock::now();
    for (int i = 0; i < others; ++i) {
        if (fileExists("C:\\Big\\missing" + std::to_string(i) + ".db"))
            return 5;
    }
    std::printf("lookup of a name missing in every spelling (reads the folder): %.0f us per name\n",
                microsecondsPer(Clock::now() - start, others));
    return 0;
}
