// Files: opens and creates, blocks, share modes between processes,
// replacements, whole files, locks, times, free space.

#include "files/FileSystem.h"
#include "platform/files/OtherProcess.h"
#include "platform/files/TempDrives.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

using namespace files;
using files::test::HoldingProcess;
using files::test::makeHostFolder;
using files::test::readHostFile;
using files::test::TempDrives;
using files::test::writeHostFile;

namespace {

class Files : public ::testing::Test
{
protected:
    Files() : machine("CD", "E")
    {
        makeHostFolder(machine.root('C') + "/Data");
        writeHostFile(host("Data/inst.DB"), "database");
    }

    std::string host(const std::string& relative) const
    {
        return machine.root('C') + "/" + relative;
    }

    mode_t modeOf(const std::string& relative) const
    {
        struct stat st;
        return ::stat(host(relative).c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    }

    // Names of the host folder, hidden ones included.
    std::string hostNames(const std::string& relative) const
    {
        FolderSearch search;
        SearchRec rec;
        std::string names;
        std::string pattern = "C:\\" + relative + "\\*.*";
        for (int r = search.findFirst(pattern, AnyFile, rec); r == 0; r = search.findNext(rec))
            names += (names.empty() ? "" : " ") + rec.name;
        return names;
    }

    static std::string readAll(Handle file)
    {
        std::string content;
        char buffer[4096];
        long n;
        while ((n = fileOps().read(file, buffer, sizeof buffer)) > 0)
            content.append(buffer, std::size_t(n));
        return content;
    }

    TempDrives machine;
};

} // namespace

TEST_F(Files, OpenForReadingFailsWithTheWindowsCode)
{
    struct Case
    {
        const char* path;
        int error;
    };
    const Case cases[] = {
        {"C:\\Data\\none.db", FileNotFound}, {"C:\\None\\inst.db", PathNotFound}, {"C:\\Data", AccessDenied},
        {"C:\\Data\\a*.db", InvalidName},    {"Q:\\x.db", InvalidDrive},          {"E:\\x.db", NotReady},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(fileOps().openRead(c.path), InvalidHandle);
        EXPECT_EQ(lastError(), c.error);
    }
    Handle file = fileOps().openRead("c:\\DATA\\INST.db");
    ASSERT_NE(file, InvalidHandle);
    EXPECT_EQ(readAll(file), "database");
    fileOps().close(file);
}

TEST_F(Files, HostLimitsGiveTheirWindowsCodes)
{
    // In another process, whose limits the test may lower.
    ASSERT_EQ(chmod(host("Data").c_str(), 0777), 0);
    int result = files::test::runUnprivileged([] {
        struct rlimit files = {8, 8};
        if (setrlimit(RLIMIT_NOFILE, &files) != 0)
            return 1;
        std::vector<Handle> open;
        Handle file;
        while ((file = fileOps().openRead("C:\\Data\\inst.DB")) != InvalidHandle && open.size() < 16)
            open.push_back(file);
        if (file != InvalidHandle || lastError() != TooManyOpenFiles)
            return 2;
        for (Handle h : open)
            fileOps().close(h);

        signal(SIGXFSZ, SIG_IGN);
        struct rlimit size;
        getrlimit(RLIMIT_FSIZE, &size);
        size.rlim_cur = 4;
        if (setrlimit(RLIMIT_FSIZE, &size) != 0)
            return 3;
        file = fileOps().create("C:\\Data\\full.db");
        if (file == InvalidHandle)
            return 4;
        if (!fileOps().write(file, "abc", 3) || fileOps().write(file, "defg", 4) || lastError() != DiskFull)
            return 5;
        // The failed block is not half there, and a retry writes it in its place.
        if (fileSize(file) != 3)
            return 8;
        size.rlim_cur = 8;
        setrlimit(RLIMIT_FSIZE, &size);
        if (!fileOps().write(file, "defg", 4))
            return 6;
        fileOps().close(file);
        std::string content;
        return readWholeFile("C:\\Data\\full.db", content) && content == "abcdefg" ? 0 : 7;
    });
    EXPECT_EQ(result, 0);
}

TEST_F(Files, BlocksAreFullUntilTheEnd)
{
    std::string content(70000, 'x');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = char('a' + i % 26);
    writeHostFile(host("Data/big.db"), content);
    writeHostFile(host("Data/exact.db"), std::string(32768, 'e'));

    std::vector<char> buffer(32768);
    Handle file = fileOps().openRead("C:\\Data\\big.db");
    ASSERT_NE(file, InvalidHandle);
    EXPECT_EQ(fileSize(file), 70000);
    EXPECT_EQ(fileOps().read(file, buffer.data(), buffer.size()), 32768);
    EXPECT_EQ(fileOps().read(file, buffer.data(), buffer.size()), 32768);
    EXPECT_EQ(fileOps().read(file, buffer.data(), buffer.size()), 70000 - 65536);
    EXPECT_EQ(std::string(buffer.data(), 4464), content.substr(65536));
    EXPECT_EQ(fileOps().read(file, buffer.data(), buffer.size()), 0);
    ASSERT_TRUE(seekFile(file, 26));
    EXPECT_EQ(fileOps().read(file, buffer.data(), 3), 3);
    EXPECT_EQ(std::string(buffer.data(), 3), "abc");
    fileOps().close(file);

    file = fileOps().openRead("C:\\Data\\exact.db");
    EXPECT_EQ(fileOps().read(file, buffer.data(), buffer.size()), 32768);
    EXPECT_EQ(fileOps().read(file, buffer.data(), buffer.size()), 0);
    fileOps().close(file);
}

TEST_F(Files, CreateEmptiesTheFileItNames)
{
    Handle file = fileOps().create("C:\\DATA\\INST.DB");
    ASSERT_NE(file, InvalidHandle);
    EXPECT_EQ(fileSize(file), 0);
    ASSERT_TRUE(fileOps().write(file, "new", 3));
    ASSERT_TRUE(fileOps().flush(file));
    fileOps().close(file);
    EXPECT_EQ(readHostFile(host("Data/inst.DB")), "new");
    EXPECT_EQ(hostNames("Data"), "inst.DB");
}

TEST_F(Files, ReadOnlyFilesAndFoldersCannotBeCreatedOver)
{
    writeHostFile(host("Data/locked.db"), "keep");
    ASSERT_EQ(chmod(host("Data/locked.db").c_str(), 0444), 0);
    makeHostFolder(host("Data/Folder.db"));

    struct Case
    {
        const char* path;
        int error;
    };
    const Case cases[] = {
        {"C:\\Data\\LOCKED.DB", AccessDenied},
        {"C:\\Data\\folder.db", AccessDenied},
        {"C:\\", AccessDenied},
        {"C:\\None\\x.db", PathNotFound},
        {"E:\\x.db", NotReady},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(fileOps().create(c.path), InvalidHandle);
        EXPECT_EQ(lastError(), c.error);
        EXPECT_EQ(fileOps().createReplacement(c.path, ""), InvalidHandle);
        EXPECT_EQ(lastError(), c.error);
        EXPECT_FALSE(writeFileAtomically(c.path, "x"));
        EXPECT_EQ(lastError(), c.error);
    }
    EXPECT_EQ(fileOps().open("C:\\Data\\locked.db", Access::ReadWrite, Share::DenyNone), InvalidHandle);
    EXPECT_EQ(lastError(), AccessDenied);
    EXPECT_EQ(readHostFile(host("Data/locked.db")), "keep");
}

TEST_F(Files, ShareModesHoldBetweenProcesses)
{
    struct Held
    {
        const char* what;
        std::function<Handle()> open;
    };
    auto opening = [](Access access, Share share) {
        return [access, share] { return fileOps().open("C:\\Data\\inst.DB", access, share); };
    };
    auto reading = [] { return fileOps().openRead("C:\\Data\\inst.DB"); };
    auto creating = [] { return fileOps().create("C:\\Data\\inst.DB"); };
    auto replacing = [] { return fileOps().createReplacement("C:\\Data\\inst.DB", ""); };

    struct Case
    {
        const char* held;
        std::function<Handle()> hold;
        const char* tried;
        std::function<Handle()> tryOpen;
        bool opens;
    };
    const Case cases[] = {
        {"copy source", reading, "copy source", reading, true},
        {"copy source", reading, "read sharing all", opening(Access::Read, Share::DenyNone), true},
        {"copy source", reading, "create", creating, false},
        {"copy source", reading, "replacement", replacing, false},
        {"copy source", reading, "write sharing all", opening(Access::ReadWrite, Share::DenyNone), false},
        {"writer", opening(Access::ReadWrite, Share::DenyNone), "copy source", reading, false},
        {"writer", opening(Access::ReadWrite, Share::DenyNone), "read sharing all",
         opening(Access::Read, Share::DenyNone), true},
        {"writer", opening(Access::ReadWrite, Share::DenyNone), "second writer",
         opening(Access::ReadWrite, Share::DenyNone), true},
        {"reader sharing all", opening(Access::Read, Share::DenyNone), "create", creating, false},
        {"reader sharing all", opening(Access::Read, Share::DenyNone), "write sharing all",
         opening(Access::ReadWrite, Share::DenyNone), true},
        {"reader denying read", opening(Access::Read, Share::DenyRead), "read sharing all",
         opening(Access::Read, Share::DenyNone), false},
        {"exclusive", opening(Access::ReadWrite, Share::Exclusive), "read sharing all",
         opening(Access::Read, Share::DenyNone), false},
        {"created", creating, "copy source", reading, false},
        {"replacement", replacing, "read sharing all", opening(Access::Read, Share::DenyNone), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.held) + " / " + c.tried);
        HoldingProcess other(c.hold);
        ASSERT_TRUE(other.holds()) << other.error();
        Handle file = c.tryOpen();
        EXPECT_EQ(file != InvalidHandle, c.opens);
        if (file == InvalidHandle) {
            EXPECT_EQ(lastError(), SharingViolation);
            other.release();
            // Once the other program has let go, a retry succeeds.
            file = c.tryOpen();
            EXPECT_NE(file, InvalidHandle);
        }
        if (file != InvalidHandle)
            fileOps().discardReplacement(file);
    }
    EXPECT_EQ(hostNames("Data"), "inst.DB");
}

TEST_F(Files, ProgramsWithoutTheLocksAreNotHeldBack)
{
    HoldingProcess other([this] { return ::open(host("Data/inst.DB").c_str(), O_RDWR); });
    ASSERT_TRUE(other.holds());
    Handle file = fileOps().openRead("C:\\Data\\inst.DB");
    EXPECT_NE(file, InvalidHandle);
    fileOps().close(file);
}

TEST_F(Files, AFileCannotBeCreatedOverWhileThisProcessReadsIt)
{
    // As when both sides of a copy name the same file.
    Handle source = fileOps().openRead("C:\\Data\\inst.DB");
    ASSERT_NE(source, InvalidHandle);
    EXPECT_EQ(fileOps().create("C:\\DATA\\inst.db"), InvalidHandle);
    EXPECT_EQ(lastError(), SharingViolation);
    EXPECT_EQ(fileOps().createReplacement("C:\\Data\\inst.DB", "C:\\Data\\inst.DB"), InvalidHandle);
    EXPECT_EQ(lastError(), SharingViolation);
    fileOps().close(source);
    EXPECT_EQ(readHostFile(host("Data/inst.DB")), "database");
}

TEST_F(Files, AReplacementTakesTheTargetsPlaceOnlyWhenCommitted)
{
    Handle file = fileOps().createReplacement("C:\\DATA\\INST.DB", "");
    ASSERT_NE(file, InvalidHandle);
    ASSERT_TRUE(fileOps().write(file, "replaced", 8));
    // Until then the target holds its old content, and the new file is not listed.
    EXPECT_EQ(readHostFile(host("Data/inst.DB")), "database");
    FolderSearch search;
    SearchRec rec;
    ASSERT_EQ(search.findFirst("C:\\Data\\*.*", 0, rec), 0);
    EXPECT_EQ(rec.name, "inst.DB");
    EXPECT_EQ(search.findNext(rec), NoMoreFiles);
    LocalTime time{2021, 6, 7, 8, 9, 10, 123456789};
    ASSERT_TRUE(setFileTime(file, time));
    ASSERT_TRUE(fileOps().commitReplacement(file));

    EXPECT_EQ(readHostFile(host("Data/inst.DB")), "replaced");
    EXPECT_EQ(hostNames("Data"), "inst.DB");
    LocalTime after;
    ASSERT_TRUE(fileTime("C:\\Data\\inst.DB", after));
    EXPECT_EQ(after.nanosecond, 123456789);
    EXPECT_EQ(after.second, 10);
}

TEST_F(Files, ALinkIsReplacedItselfAndWhatItNamesIsNeverWritten)
{
    const std::string outside = machine.base() + "/outside.txt";
    writeHostFile(outside, "outside");
    for (bool whole : {false, true}) {
        unlink(host("Data/link.db").c_str());
        ASSERT_EQ(symlink(outside.c_str(), host("Data/link.db").c_str()), 0);
        if (whole) {
            ASSERT_TRUE(writeFileAtomically("C:\\Data\\link.db", "new"));
        } else {
            Handle file = fileOps().createReplacement("C:\\Data\\link.db", "");
            ASSERT_NE(file, InvalidHandle);
            ASSERT_TRUE(fileOps().write(file, "new", 3));
            ASSERT_TRUE(fileOps().commitReplacement(file));
        }
        struct stat st;
        ASSERT_EQ(lstat(host("Data/link.db").c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode)) << whole;
        EXPECT_EQ(readHostFile(host("Data/link.db")), "new");
        EXPECT_EQ(readHostFile(outside), "outside");
    }
}

TEST_F(Files, LeftoversThatNobodyHoldsGoWhenTheirFolderIsNextWritten)
{
    // What a killed writer leaves where a file cannot be kept without a name.
    writeHostFile(host("Data/.~tarn-dead"), "part");
    writeHostFile(host("Data/.~tarn-held"), "another program's");
    HoldingProcess other(
        [] { return fileOps().open("C:\\Data\\.~tarn-held", Access::ReadWrite, Share::Exclusive); });
    ASSERT_TRUE(other.holds()) << other.error();
    ASSERT_TRUE(writeFileAtomically("C:\\Data\\inst.DB", "again"));
    EXPECT_EQ(hostNames("Data"), ".~tarn-held inst.DB");
    other.release();
}

TEST_F(Files, ABatchIsFullAtItsFileOrByteBoundAndALargeFileFillsItAlone)
{
    struct Case
    {
        std::vector<std::size_t> sizes;
        std::vector<bool> full; // after each add
    };
    const Case cases[] = {
        {{1, 1, 1}, {false, false, true}},
        {{30}, {true}},
        {{8, 8}, {false, true}},
    };
    for (const Case& c : cases) {
        ReplacementBatch batch(/*maxBytes*/ 16, /*maxFiles*/ 3);
        std::vector<bool> full;
        for (std::size_t i = 0; i < c.full.size(); ++i) {
            std::string name = "n" + std::to_string(i) + ".db";
            Handle file = fileOps().createReplacement("C:\\Data\\" + name, "");
            ASSERT_NE(file, InvalidHandle);
            ASSERT_TRUE(fileOps().write(file, std::string(c.sizes[i], 'x').data(), c.sizes[i]));
            full.push_back(batch.add(file, name));
        }
        EXPECT_EQ(full, c.full);
        EXPECT_TRUE(batch.commit().empty());
        EXPECT_TRUE(batch.empty());
        for (std::size_t i = 0; i < c.full.size(); ++i)
            EXPECT_EQ(readHostFile(host("Data/n" + std::to_string(i) + ".db")), std::string(c.sizes[i], 'x'));
        for (std::size_t i = 0; i < c.full.size(); ++i)
            unlink(host("Data/n" + std::to_string(i) + ".db").c_str());
    }
    // A batch given up before its commit puts nothing in place.
    {
        ReplacementBatch batch;
        Handle file = fileOps().createReplacement("C:\\Data\\inst.DB", "");
        ASSERT_NE(file, InvalidHandle);
        ASSERT_TRUE(fileOps().write(file, "new", 3));
        EXPECT_FALSE(batch.add(file, "inst.DB"));
    }
    EXPECT_EQ(readHostFile(host("Data/inst.DB")), "database");
    EXPECT_EQ(hostNames("Data"), "inst.DB");
}

TEST_F(Files, ADiscardedReplacementLeavesTheTargetAsItWas)
{
    for (bool byClose : {false, true}) {
        Handle file = fileOps().createReplacement("C:\\Data\\inst.DB", "");
        ASSERT_NE(file, InvalidHandle);
        ASSERT_TRUE(fileOps().write(file, "half", 4));
        if (byClose)
            fileOps().close(file);
        else
            fileOps().discardReplacement(file);
        EXPECT_EQ(readHostFile(host("Data/inst.DB")), "database");
        EXPECT_EQ(hostNames("Data"), "inst.DB");
    }
    Handle file = fileOps().createReplacement("C:\\Data\\new.db", "");
    ASSERT_NE(file, InvalidHandle);
    fileOps().discardReplacement(file);
    EXPECT_FALSE(fileExists("C:\\Data\\new.db"));
}

TEST_F(Files, AReplacementIsNeverOpenerThanItsSource)
{
    mode_t before = umask(022);
    machine.mountAt("C:\\");
    struct Case
    {
        mode_t source;
        mode_t copy;
    };
    const Case cases[] = {{0600, 0600}, {0640, 0640}, {0644, 0644}, {0666, 0644}, {0444, 0644}, {0400, 0600}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        ASSERT_EQ(chmod(host("Data/inst.DB").c_str(), c.source), 0);
        Handle file = fileOps().createReplacement("C:\\Data\\copy.db", "C:\\Data\\inst.DB");
        ASSERT_NE(file, InvalidHandle);
        ASSERT_TRUE(fileOps().commitReplacement(file));
        EXPECT_EQ(modeOf("Data/copy.db"), c.copy);
    }
    umask(before);
}

TEST_F(Files, WholeFilesReadAndWrittenAtomically)
{
    ASSERT_EQ(chmod(host("Data/inst.DB").c_str(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically("C:\\data\\INST.DB", std::string("table\0data", 10)));
    EXPECT_EQ(modeOf("Data/inst.DB"), 0640u);
    std::string content;
    ASSERT_TRUE(readWholeFile("C:\\Data\\inst.DB", content));
    EXPECT_EQ(content, std::string("table\0data", 10));
    EXPECT_EQ(hostNames("Data"), "inst.DB");

    ASSERT_TRUE(writeFileAtomically("C:\\Data\\New.db", ""));
    ASSERT_TRUE(readWholeFile("C:\\Data\\new.DB", content));
    EXPECT_EQ(content, "");
    EXPECT_FALSE(readWholeFile("C:\\Data\\none.db", content));
    EXPECT_EQ(lastError(), FileNotFound);

    // A table file held open for reading and writing by the same program does not stop it.
    Handle table = fileOps().open("C:\\Data\\inst.DB", Access::ReadWrite, Share::DenyNone);
    ASSERT_NE(table, InvalidHandle);
    EXPECT_TRUE(writeFileAtomically("C:\\Data\\inst.DB", "again"));
    fileOps().close(table);

    HoldingProcess copying([] { return fileOps().openRead("C:\\Data\\inst.DB"); });
    ASSERT_TRUE(copying.holds());
    EXPECT_FALSE(writeFileAtomically("C:\\Data\\inst.DB", "blocked"));
    EXPECT_EQ(lastError(), SharingViolation);
    copying.release();
    ASSERT_TRUE(readWholeFile("C:\\Data\\inst.DB", content));
    EXPECT_EQ(content, "again");
}

TEST_F(Files, LocksOverTheContentBetweenProcesses)
{
    auto lockedBy = [](bool exclusive) {
        return [exclusive] {
            Handle file = fileOps().open("C:\\Data\\inst.DB", Access::ReadWrite, Share::DenyNone);
            if (file != InvalidHandle && !lockFile(file, exclusive)) {
                fileOps().close(file);
                return InvalidHandle;
            }
            return file;
        };
    };
    Handle file = fileOps().open("C:\\Data\\inst.DB", Access::ReadWrite, Share::DenyNone);
    ASSERT_NE(file, InvalidHandle);
    {
        HoldingProcess other(lockedBy(true));
        ASSERT_TRUE(other.holds());
        EXPECT_FALSE(lockFile(file, false));
        EXPECT_EQ(lastError(), LockViolation);
    }
    {
        HoldingProcess other(lockedBy(false));
        ASSERT_TRUE(other.holds());
        EXPECT_TRUE(lockFile(file, false));
        EXPECT_FALSE(lockFile(file, true));
        EXPECT_EQ(lastError(), LockViolation);
        EXPECT_TRUE(unlockFile(file));
    }
    EXPECT_TRUE(lockFile(file, true));
    {
        HoldingProcess other(lockedBy(false));
        EXPECT_FALSE(other.holds());
        EXPECT_EQ(other.error(), LockViolation);
    }
    // Locks over the content do not touch the share modes.
    Handle reader = fileOps().open("C:\\Data\\inst.DB", Access::Read, Share::DenyNone);
    EXPECT_NE(reader, InvalidHandle);
    EXPECT_FALSE(lockFile(reader, true));
    EXPECT_EQ(lastError(), AccessDenied);
    fileOps().close(reader);
    fileOps().close(file);
}

TEST_F(Files, ModificationTimeRoundTripsExactly)
{
    LocalTime time{2024, 2, 29, 23, 59, 58, 987654321};
    Handle file = fileOps().create("C:\\Data\\copy.db");
    ASSERT_NE(file, InvalidHandle);
    ASSERT_TRUE(setFileTime(file, time));
    fileOps().close(file);
    LocalTime read;
    ASSERT_TRUE(fileTime("C:\\DATA\\COPY.DB", read));
    EXPECT_EQ(read.year, 2024);
    EXPECT_EQ(read.month, 2);
    EXPECT_EQ(read.day, 29);
    EXPECT_EQ(read.hour, 23);
    EXPECT_EQ(read.minute, 59);
    EXPECT_EQ(read.second, 58);
    EXPECT_EQ(read.nanosecond, 987654321);

    // A source's time given to its copy.
    LocalTime source;
    ASSERT_TRUE(fileTime("C:\\Data\\inst.DB", source));
    file = fileOps().create("C:\\Data\\copy.db");
    ASSERT_TRUE(setFileTime(file, source));
    fileOps().close(file);
    struct stat a, b;
    ASSERT_EQ(::stat(host("Data/inst.DB").c_str(), &a), 0);
    ASSERT_EQ(::stat(host("Data/copy.db").c_str(), &b), 0);
    EXPECT_EQ(a.st_mtim.tv_sec, b.st_mtim.tv_sec);
    EXPECT_EQ(a.st_mtim.tv_nsec, b.st_mtim.tv_nsec);

    EXPECT_FALSE(fileTime("C:\\Data\\none.db", read));
    EXPECT_EQ(lastError(), FileNotFound);
    file = fileOps().create("C:\\Data\\copy.db");
    EXPECT_FALSE(setFileTime(file, LocalTime{2024, 13, 1, 0, 0, 0, 0}));
    EXPECT_EQ(lastError(), InvalidParameter);
    fileOps().close(file);
}

TEST_F(Files, TheHourThatRepeatsInAutumnCopiesExactly)
{
    const char* before = std::getenv("TZ");
    std::string saved = before != nullptr ? before : "";
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    // 27 October 2024, 02:30 local time happens twice: at 00:30 and at 01:30 UTC.
    for (time_t instant : {time_t(1729989000), time_t(1729992600)}) {
        SCOPED_TRACE(instant);
        struct timespec times[2] = {{0, UTIME_OMIT}, {instant, 5}};
        ASSERT_EQ(utimensat(AT_FDCWD, host("Data/inst.DB").c_str(), times, 0), 0);
        LocalTime source;
        ASSERT_TRUE(fileTime("C:\\Data\\inst.DB", source));
        EXPECT_EQ(source.hour, 2);
        EXPECT_EQ(source.minute, 30);
        Handle file = fileOps().create("C:\\Data\\copy.db");
        ASSERT_TRUE(setFileTime(file, source));
        fileOps().close(file);
        struct stat st;
        ASSERT_EQ(::stat(host("Data/copy.db").c_str(), &st), 0);
        EXPECT_EQ(st.st_mtim.tv_sec, instant);
    }
    if (before != nullptr)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST_F(Files, FreeSpaceOfADrive)
{
    struct statvfs fs;
    ASSERT_EQ(statvfs(machine.root('D').c_str(), &fs), 0);
    std::int64_t expected = std::int64_t(fs.f_bavail) * std::int64_t(fs.f_frsize);
    std::int64_t free = diskFree('d');
    EXPECT_GT(free, 0);
    // Other programs write meanwhile; the figure is the same to within a few megabytes.
    EXPECT_LT(std::llabs(free - expected), std::int64_t(64) << 20);
    EXPECT_EQ(diskFree('E'), -1);
    EXPECT_EQ(diskFree('Q'), -1);
}
