// Programs changing one table at once, and a program killed in the middle
// of a rewrite, in real processes.

#include "EngineFixture.h"
#include "database/TableBuilder.h"
#include "files/FileSystem.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <functional>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace database::test {
namespace {

// Runs body in a child process; the child ends with body's result, or 1
// after an exception.
pid_t spawn(const std::function<int()>& body)
{
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int result = 1;
        try {
            result = body();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "child: %s\n", e.what());
        }
        _exit(result);
    }
    return pid;
}

struct Child
{
    pid_t pid;
    bool ended = false;
    int code = -1;

    // Whether the child has ended, without waiting for it.
    bool poll()
    {
        int status = 0;
        if (!ended && waitpid(pid, &status, WNOHANG) == pid) {
            ended = true;
            code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return ended;
    }

    int exitCode()
    {
        int status = 0;
        if (!ended && waitpid(pid, &status, 0) == pid) {
            ended = true;
            code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return code;
    }
};

std::string name(char program, int i)
{
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d", program, i);
    return text;
}

class ConcurrencyTest : public EngineTest
{
protected:
    // What a program does with BakPath: register names, then remove some,
    // each with the table opened and closed again.
    int program(char letter, int registered, int removedFrom, const std::string& alsoRemove) const
    {
        TDatabase db;
        connect(db);
        TTable t;
        t.SetDatabaseName("tarn");
        t.SetTableName("BakPath");
        for (int i = 0; i < registered; ++i) {
            t.Open();
            if (t.FindKey(name(letter, i)))
                t.Edit();
            else
                t.Append();
            t.FieldByName("PathName").SetAsString(name(letter, i));
            t.Post();
            t.Close();
        }
        std::vector<std::string> removed;
        for (int i = removedFrom; i < removedFrom + 10; ++i)
            removed.push_back(name(letter, i));
        if (!alsoRemove.empty())
            removed.push_back(alsoRemove);
        for (const std::string& n : removed) {
            t.Open();
            if (t.FindKey(n))
                t.Delete();
            t.Close();
        }
        return 0;
    }
};

TEST_F(ConcurrencyTest, TwoProgramsChangingBakPathAtOnceLoseNoChange)
{
    createTable("C:\\DB\\BAKPATH.DB", bakPathSpec("604217"), {{"KEEP1"}, {"KEEP2"}});
    Session().AddPassword("604217");

    Child backup{spawn([&] { return program('A', 30, 0, ""); })};
    Child restore{spawn([&] { return program('B', 30, 20, "KEEP1"); })};

    // Meanwhile every read sees a whole table in key order.
    int reads = 0;
    bool running = true;
    while (running) {
        Rows rows = readTable("BakPath", {"PathName"});
        EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
        EXPECT_GE(rows.size(), 1u);
        ++reads;
        running = !backup.poll() || !restore.poll();
        if (reads > 2000)
            break;
    }
    EXPECT_EQ(backup.exitCode(), 0);
    EXPECT_EQ(restore.exitCode(), 0);

    Rows expected = {{"KEEP2"}};
    for (int i = 10; i < 30; ++i)
        expected.push_back({name('A', i)});
    for (int i = 0; i < 20; ++i)
        expected.push_back({name('B', i)});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(readTable("BakPath", {"PathName"}), expected);
}

TEST_F(ConcurrencyTest, ProgramKilledDuringARewriteLeavesAWholeTable)
{
    paradox::TableSpec spec;
    spec.fields = {{"PathName", paradox::FieldType::Alpha, 40}, {"Value", paradox::FieldType::Alpha, 60}};
    spec.keyFields = 1;
    spec.blockSize = 1024;
    Rows rows;
    for (int i = 0; i < 3000; ++i)
        rows.push_back({"ROW" + std::to_string(100000 + i), std::string(50, 'v')});
    createTable("C:\\DB\\BIG.DB", spec, rows);

    // The writer reports each finished rewrite on a pipe; it is killed at
    // a random moment within the time one rewrite takes, after one to three
    // of them.
    std::mt19937 random(11);
    std::size_t count = rows.size();
    for (int round = 0; round < 12; ++round) {
        int progress[2];
        ASSERT_EQ(pipe(progress), 0);
        pid_t writer = spawn([&] {
            close(progress[0]);
            TDatabase db;
            connect(db);
            TTable t;
            t.SetDatabaseName("tarn");
            t.SetTableName("BIG");
            t.Open();
            for (int n = 0;; ++n) {
                t.Append();
                t.FieldByName("PathName").SetAsString("NEW" + std::to_string(round * 1000 + n));
                t.Post();
                if (write(progress[1], "+", 1) != 1)
                    return 1;
            }
        });
        close(progress[1]);
        char done;
        ASSERT_EQ(read(progress[0], &done, 1), 1);
        auto start = std::chrono::steady_clock::now();
        for (int n = 0; n < round % 3; ++n)
            ASSERT_EQ(read(progress[0], &done, 1), 1);
        auto perRewrite = (std::chrono::steady_clock::now() - start) / std::max(1, round % 3);
        if (round % 3 == 0)
            perRewrite = std::chrono::milliseconds(30);
        std::this_thread::sleep_for(perRewrite * std::uniform_real_distribution<double>(0, 1)(random));
        kill(writer, SIGKILL);
        waitpid(writer, nullptr, 0);
        close(progress[0]);

        Rows now = readTable("BIG", {"PathName"});
        EXPECT_GT(now.size(), count) << "round " << round;
        EXPECT_TRUE(std::is_sorted(now.begin(), now.end())) << "round " << round;
        count = now.size();
    }

    // Nothing half-written is left where the programs look.
    files::FolderSearch search;
    files::SearchRec rec;
    std::vector<std::string> listed;
    for (int r = search.findFirst("C:\\DB\\*.*", files::ReadOnly | files::Archive, rec); r == 0;
         r = search.findNext(rec))
        listed.push_back(rec.name);
    EXPECT_EQ(listed, (std::vector<std::string>{"BIG.DB", "BIG.PX"}));
}

} // namespace
} // namespace database::test
