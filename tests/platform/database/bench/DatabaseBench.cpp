// Not a test: time to read and to rewrite a table of 10,000 rows, plain and
// password-protected.
//   database_bench [ROUNDS]

#include "database/Database.h"
#include "database/TableBuilder.h"
#include "files/FileSystem.h"
#include "platform/files/TempDrives.h"

#include <chrono>
#include <cstdio>
#include <string>

using namespace database;
using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void bench(const std::string& password, int rounds)
{
    paradox::TableSpec spec;
    spec.fields = {{"PathName", paradox::FieldType::Alpha, 40},
                   {"Value", paradox::FieldType::Alpha, 60},
                   {"Size", paradox::FieldType::Long}};
    spec.keyFields = 1;
    spec.password = password;
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < 10000; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "PATH%05d", i * 2);
        rows.push_back({key, "資料夾路徑 " + std::to_string(i), std::to_string(i)});
    }
    createTable("C:\\DB\\BENCH.DB", spec, rows);
    if (!password.empty())
        Session().AddPassword(password);

    TDatabase db;
    db.SetDatabaseName("bench");
    db.SetDriverName("STANDARD");
    db.Params() = {"PATH=C:\\DB\\"};
    db.Open();
    TTable table;
    table.SetDatabaseName("bench");
    table.SetTableName("BENCH");

    double read = 0;
    std::size_t characters = 0;
    for (int r = 0; r < rounds; ++r) {
        Clock::time_point start = Clock::now();
        table.Open();
        for (table.First(); !table.Eof(); table.Next()) {
            characters += table.FieldByName("PathName").AsString().size() +
                          table.FieldByName("Value").AsString().size() +
                          table.FieldByName("Size").AsString().size();
        }
        table.Close();
        read += millisecondsSince(start);
    }

    double rewrite = 0;
    table.Open();
    for (int r = 0; r < rounds; ++r) {
        char key[16];
        std::snprintf(key, sizeof key, "PATH%05d", r * 2 + 1);
        Clock::time_point start = Clock::now();
        table.Append();
        table.FieldByName("PathName").SetAsString(key);
        table.Post();
        rewrite += millisecondsSince(start);
    }
    int count = table.RecordCount();
    table.Close();
    std::printf("%-10s read 10,000 rows (open, every field of every row): %7.1f ms\n",
                password.empty() ? "plain" : "protected", read / rounds);
    std::printf("%-10s rewrite with one row more (lock, re-read, data file and index): %7.1f ms (%d rows)\n",
                password.empty() ? "plain" : "protected", rewrite / rounds, count);
    if (characters == 0)
        std::printf("nothing read\n");
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    files::test::TempDrives drives("C");
    files::test::makeHostFolder(drives.host("C:\\DB"));
    bench("", rounds);
    bench("604217", rounds);
    return 0;
}
