#pragma once

// Drives in temporary folders with a database folder C:\DB, and a clean
// session, for tests of the engine on real table files.

#include "database/Database.h"
#include "database/ParadoxFormat.h"
#include "platform/files/TempDrives.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace database::test {

using Rows = std::vector<std::vector<std::string>>;

class EngineTest : public ::testing::Test
{
protected:
    EngineTest();
    ~EngineTest() override;

    std::string host(const std::string& windowsPath) const;
    // Connects db as "tarn", STANDARD, with PATH=folder (none when empty).
    void connect(TDatabase& db, const std::string& folder = "C:\\DB\\") const;

    // PathName A40 (key), like the suite's subfolder table.
    static paradox::TableSpec bakPathSpec(const std::string& password = "");
    // Every row of an open table, fields in order, from the first row.
    static Rows readAll(TTable& table, const std::vector<std::string>& fields);
    // The table read through a fresh database and table component.
    Rows readTable(const std::string& tableName, const std::vector<std::string>& fields) const;

    files::test::TempDrives drives;
};

} // namespace database::test
