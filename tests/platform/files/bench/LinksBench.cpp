// Not a test: the cost of telling links that stay on the drives from those
// that leave them. Lists a folder of plain files and a folder of links to
// them, through the layer and through `ls -lL` on the same folders, and
// reports each against its peer.

#include "files/FileSystem.h"
#include "platform/files/TempDrives.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

using namespace files;
using Clock = std::chrono::steady_clock;

namespace {

std::string nameOf(int i)
{
    char name[32];
    std::snprintf(name, sizeof name, "File%06d.Db", i);
    return name;
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Best of a few runs, in milliseconds; entries listed through count.
template <typename Run> double best(Run run)
{
    double fastest = 1e300;
    for (int i = 0; i < 5; ++i) {
        auto start = Clock::now();
        run();
        double spent = millisecondsSince(start);
        if (spent < fastest)
            fastest = spent;
    }
    return fastest;
}

int listed(const std::string& pattern)
{
    FolderSearch search;
    SearchRec rec;
    int count = 0;
    for (int r = search.findFirst(pattern, 0, rec); r == 0; r = search.findNext(rec))
        ++count;
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
    files::test::TempDrives machine("CDE");
    const std::string real = machine.root('C') + "/Real";
    const std::string links = machine.root('C') + "/Links";
    files::test::makeHostFolder(real);
    files::test::makeHostFolder(links);
    for (int i = 0; i < count; ++i) {
        int fd = ::open((real + "/" + nameOf(i)).c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0 || ::write(fd, "x", 1) != 1 ||
            symlink(("../Real/" + nameOf(i)).c_str(), (links + "/" + nameOf(i)).c_str()) != 0) {
            std::perror("create");
            return 1;
        }
        ::close(fd);
    }
    std::printf("%d entries per folder, 3 drives; best of 5 runs\n\n", count);

    int plainCount = 0, linkCount = 0;
    const double plain = best([&] { plainCount = listed("C:\\Real\\*.*"); });
    const double linked = best([&] { linkCount = listed("C:\\Links\\*.*"); });
    if (plainCount != count || linkCount != count) {
        std::fprintf(stderr, "listed %d and %d of %d\n", plainCount, linkCount, count);
        return 2;
    }
    const std::string ls = "ls -lL ";
    const double lsPlain = best([&] { (void)!std::system((ls + real + " >/dev/null").c_str()); });
    const double lsLinked = best([&] { (void)!std::system((ls + links + " >/dev/null").c_str()); });

    std::printf("%-28s %10s %10s %8s\n", "listing", "layer ms", "ls -lL ms", "ratio");
    std::printf("%-28s %10.1f %10.1f %8.2f\n", "plain files", plain, lsPlain, plain / lsPlain);
    std::printf("%-28s %10.1f %10.1f %8.2f\n", "links on the same drive", linked, lsLinked,
                linked / lsLinked);
    std::printf("\nlinks against plain files: layer %.2f, ls -lL %.2f\n", linked / plain, lsLinked / lsPlain);

    for (const char* folder : {"Real", "Links"}) {
        auto start = Clock::now();
        for (int i = 0; i < count; ++i) {
            if (!fileExists(std::string("C:\\") + folder + "\\" + nameOf(i)))
                return 3;
        }
        std::printf("fileExists in %-6s %.2f us per name\n", folder,
                    millisecondsSince(start) * 1000.0 / count);
    }
    return 0;
}
