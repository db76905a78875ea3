#pragma once

// pxlib, an independent implementation of the Paradox format, writing and
// reading tables for the interop tests.

#include <string>
#include <vector>

namespace database::test {

struct PxColumn
{
    std::string name;
    int type; // pxlib's type codes: 1 alpha, 3 short, 4 long, 6 number, 9 logical
    int size;
};

struct PxTable
{
    std::vector<PxColumn> columns;
    int keyFields = 0;
    std::string password;
    int codePage = 950;
    // Text (UTF-8, stored as code page 950) or numbers in decimal.
    std::vector<std::vector<std::string>> rows;
};

// Writes hostStem + ".DB" and, for a keyed table, hostStem + ".PX", rows in
// the order given.
void writeWithPxlib(const std::string& hostStem, const PxTable& table);

struct PxRead
{
    bool opened = false;
    bool indexAccepted = false; // the .PX read and accepted as the table's index
    int codePage = 0;
    std::vector<std::vector<std::string>> rows; // as writeWithPxlib takes them
    std::string errors;
};

// Reads a table through pxlib, with its primary index when indexHost is not empty.
PxRead readWithPxlib(const std::string& dbHost, const std::string& indexHost);

} // namespace database::test
