#pragma once

// Creates Paradox tables with rows, for the tools that build sample data
// and for tests. The programs themselves never create tables.

#include "database/ParadoxFormat.h"

#include <string>
#include <vector>

namespace database {

// The table with rows as text (UTF-8), one value per field in field order;
// rows are put in key order. Throws EngineError (invalid value, key violation).
paradox::Table tableWithRows(const paradox::TableSpec& definition,
                             const std::vector<std::vector<std::string>>& rows);

// Writes the data file at path (a Windows path) and, for a keyed table, its
// primary index beside it, each replacing an existing file at once.
// Throws EngineError.
void createTable(const std::string& path, const paradox::TableSpec& definition,
                 const std::vector<std::vector<std::string>>& rows);

} // namespace database
