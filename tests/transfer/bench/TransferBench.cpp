// Not a test: the transfer run and the window's views against the system's
// own tools on the same trees in the same run (medians of three; only the
// ratios mean anything on a shared machine).
//
//   transfer_bench [small[:count]|subfolder[:count]|large|views ...]
//                                    default: small, large and views
//
// small: 20,000 files (or count) of 4 KiB in the top folder, against
//        cp -a + sync.
// subfolder: the same in a registered subfolder, which the run creates.
// large: one file of 1 GiB and four of 256 MiB, against cp -a + sync and
//        dd bs=32k conv=fsync.
// views: the window started on a data folder of 10,000 and of 100,000
//        files (folder list, file list, extension boxes, count and size),
//        against ls -l of the folder.
// The trees live in a temporary folder that is removed at the end; old
// targets are moved aside and removed only after the timing.

#include "database/Database.h"
#include "files/FileSystem.h"
#include "platform/files/TempDrives.h"
#include "transfer/Window.h"
#include "ui/BitBtn.h"
#include "ui/Label.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

using namespace transfertest;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
// TRANSFER_BENCH_TRIALS in the environment asks for more.
int Trials = 3;

double secondsOf(const std::function<void()>& work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void shell(const std::string& command)
{
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "failed: %s\n", command.c_str());
}

std::string quoted(const std::string& path)
{
    return "'" + path + "'";
}

void writeFile(const std::string& host, std::size_t size)
{
    const int fd = ::open(host.c_str(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0644);
    static const std::vector<char> block = [] {
        std::vector<char> bytes(1 << 20);
        std::mt19937 random(1);
        for (char& c : bytes)
            c = static_cast<char>(random());
        return bytes;
    }();
    for (std::size_t done = 0; done < size;) {
        const std::size_t n = std::min(block.size(), size - done);
        if (::write(fd, block.data(), n) != static_cast<ssize_t>(n))
            break;
        done += n;
    }
    ::close(fd);
}

class Bench
{
public:
    Bench()
    {
        writeSuite(drives, "C:\\DATA", "D:\\BAK");
        fs::create_directories(trash());
    }

    // The rows of BakPath.
    void registered(const std::vector<std::string>& names)
    {
        writeRegistered(names);
    }

    std::string data() const
    {
        return drives.host("C:\\DATA");
    }
    std::string backup() const
    {
        return drives.host("D:\\BAK");
    }
    std::string trash() const
    {
        return drives.root() + "/trash";
    }

    // Moves a tree out of the way; it is removed once the timing is over.
    void moveAside(const std::string& host)
    {
        if (fs::exists(host))
            fs::rename(host, trash() + "/" + std::to_string(m_moved++));
    }
    void emptyTrash()
    {
        fs::remove_all(trash());
        fs::create_directories(trash());
    }

    // A program start as far as the window is concerned: a fresh machine
    // (no folder read yet), the window made and activated.
    void start()
    {
        files::mount(drives.root() + "/dosdevices", drives.host("C:\\TARN"));
        fixture.reset();
        fixture = std::make_unique<WindowFixture>();
        files::setCurrentFolder("C:\\TARN");
        Window& w = fixture->make(TransferDirection::Backup);
        w.FormActivate(nullptr);
    }

    // One backup run into an empty backup folder; seconds of the click.
    double run()
    {
        moveAside(backup());
        fs::create_directories(backup());
        shell("sync");
        start();
        fixture->script.Answer(ui::mrYes);
        fixture->script.Answer(ui::mrOk);
        const double seconds = secondsOf([this] { fixture->window().CopyFiles->PerformClick(); });
        if (!fixture->script.Unexpected().empty() || fixture->script.Pending() != 0)
            std::fprintf(stderr, "the run showed what was not expected\n");
        fixture.reset();
        return seconds;
    }

    double copyWithCp()
    {
        const std::string target = drives.root() + "/cp";
        moveAside(target);
        shell("sync");
        return secondsOf([&] { shell("cp -a " + quoted(data()) + " " + quoted(target) + " && sync"); });
    }

    double copyWithDd(const std::vector<std::string>& names)
    {
        const std::string target = drives.root() + "/dd";
        moveAside(target);
        fs::create_directories(target);
        shell("sync");
        return secondsOf([&] {
            for (const std::string& name : names)
                shell("dd bs=32k conv=fsync status=none if=" + quoted(data() + "/" + name) +
                      " of=" + quoted(target + "/" + name));
        });
    }

    Drives drives{"CD"};
    std::unique_ptr<WindowFixture> fixture;

private:
    int m_moved = 0;
};

void report(const char* what, double ours, double theirs, const char* peer)
{
    std::printf("%-34s run %8.3f s   %-18s %8.3f s   ratio %5.2f\n", what, ours, peer, theirs, ours / theirs);
    std::fflush(stdout);
}

void compareCopies(Bench& bench, const char* what, const std::vector<std::string>& ddNames)
{
    std::vector<double> ours, cp, dd;
    for (int i = 0; i < Trials; ++i) {
        // Taking turns at going first: this disk's speed drifts within a trial.
        if (i % 2 == 0) {
            ours.push_back(bench.run());
            cp.push_back(bench.copyWithCp());
        } else {
            cp.push_back(bench.copyWithCp());
            ours.push_back(bench.run());
        }
        if (!ddNames.empty())
            dd.push_back(bench.copyWithDd(ddNames));
    }
    for (int i = 0; i < Trials; ++i)
        std::printf("  trial %d: run %.3f s, cp -a + sync %.3f s%s\n", i + 1, ours[i], cp[i],
                    dd.empty() ? "" : (", dd " + std::to_string(dd[i]) + " s").c_str());
    std::vector<double> paired;
    for (int i = 0; i < Trials; ++i)
        paired.push_back(ours[i] / cp[i]);
    report(what, median(ours), median(cp), "cp -a + sync");
    std::printf("%-34s median of the ratios trial by trial %.2f\n", what, median(paired));
    if (!ddNames.empty())
        report(what, median(ours), median(dd), "dd bs=32k fsync");
    bench.moveAside(bench.data());
    bench.moveAside(bench.backup());
    bench.emptyTrash();
    fs::create_directories(bench.data());
}

// In the top folder, or in a registered subfolder (made by the run).
void small(Bench& bench, int count, bool inSubfolder)
{
    const std::string folder = inSubfolder ? bench.data() + "/SUB" : bench.data();
    fs::create_directories(folder);
    bench.registered(inSubfolder ? std::vector<std::string>{"SUB"} : std::vector<std::string>{});
    for (int i = 0; i < count; ++i)
        writeFile(folder + "/F" + std::to_string(i) + ".DAT", 4096);
    char what[64];
    std::snprintf(what, sizeof what, "%d x 4 KiB%s", count, inSubfolder ? " in a subfolder" : "");
    compareCopies(bench, what, {});
    bench.registered({});
}

void large(Bench& bench)
{
    writeFile(bench.data() + "/BIG.DAT", std::size_t(1) << 30);
    compareCopies(bench, "1 x 1 GiB", {"BIG.DAT"});
    std::vector<std::string> names;
    for (int i = 0; i < 4; ++i) {
        names.push_back("PART" + std::to_string(i) + ".DAT");
        writeFile(bench.data() + "/" + names.back(), std::size_t(256) << 20);
    }
    compareCopies(bench, "4 x 256 MiB", names);
}

// Names of mixed case and length, as a suite's data folder has them.
void fillFolder(const std::string& host, int count)
{
    for (const std::string& name : files::test::suiteLikeNames(count)) {
        const int fd = ::open((host + "/" + name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0) {
            if (::write(fd, name.data(), name.size()) < 0)
                std::fprintf(stderr, "cannot write %s\n", name.c_str());
            ::close(fd);
        }
    }
}

void views(Bench& bench)
{
    fs::create_directories(bench.backup());
    for (int count : {10000, 100000}) {
        fillFolder(bench.data(), count);
        std::vector<double> ours, ls;
        for (int i = 0; i < Trials; ++i) {
            ours.push_back(secondsOf([&] { bench.start(); }));
            bench.fixture.reset();
            ls.push_back(secondsOf([&] { shell("ls -l " + quoted(bench.data()) + " > /dev/null"); }));
        }
        char what[64];
        std::snprintf(what, sizeof what, "start to count, %d files", count);
        report(what, median(ours), median(ls), "ls -l");
        bench.moveAside(bench.data());
        fs::create_directories(bench.data());
    }
    bench.emptyTrash();
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (const char* trials = std::getenv("TRANSFER_BENCH_TRIALS"))
        Trials = std::max(1, std::atoi(trials));
    const Clock::time_point begin = Clock::now();
    QApplication app(argc, argv);
    std::printf("window system started in %.3f s (not in the figures below)\n",
                std::chrono::duration<double>(Clock::now() - begin).count());
    std::vector<std::string> parts(argv + 1, argv + argc);
    if (parts.empty())
        parts = {"small", "large", "views"};
    Bench bench;
    for (const std::string& part : parts) {
        if (part.rfind("small", 0) == 0)
            small(bench, part.size() > 6 ? std::atoi(part.c_str() + 6) : 20000, false);
        else if (part.rfind("subfolder", 0) == 0)
            small(bench, part.size() > 10 ? std::atoi(part.c_str() + 10) : 20000, true);
        else if (part == "large")
            large(bench);
        else if (part == "views")
            views(bench);
        else
            std::fprintf(stderr, "unknown part: %s\n", part.c_str());
    }
    return 0;
}
