#include "database/TableBuilder.h"

#include "database/Database.h"
#include "files/FileSystem.h"

#include <algorithm>

namespace database {

namespace px = paradox;

paradox::Table tableWithRows(const paradox::TableSpec& definition,
                             const std::vector<std::vector<std::string>>& rows)
{
    px::Table table;
    try {
        table = px::newTable(definition);
    } catch (const px::FormatError& e) {
        throw EngineError(EngineError::Code::General, std::string("Cannot create table: ") + e.what() + ".");
    }
    for (const std::vector<std::string>& values : rows) {
        std::string record(std::size_t(table.recordSize), '\0');
        for (std::size_t i = 0; i < values.size() && i < table.fields.size(); ++i) {
            const px::Field& field = table.fields[i];
            bool text = field.type == px::FieldType::Alpha || field.type == px::FieldType::Memo;
            if (field.type == px::FieldType::AutoIncrement) {
                px::Field number = field;
                number.type = px::FieldType::Long;
                if (px::storeText(number, values[i], record.data() + field.offset))
                    continue;
            } else if (px::storeText(field, text ? files::toCp950(values[i]) : values[i],
                                     record.data() + field.offset)) {
                continue;
            }
            throw EngineError(EngineError::Code::InvalidValue,
                              "'" + values[i] + "' is not a valid value for field '" + field.name + "'.");
        }
        table.records.push_back(record);
    }
    if (table.keyed) {
        std::stable_sort(
            table.records.begin(), table.records.end(),
            [&](const std::string& a, const std::string& b) { return px::compareKeys(table, a, b) < 0; });
        for (std::size_t i = 1; i < table.records.size(); ++i) {
            if (px::sameKey(table, table.records[i - 1], table.records[i]))
                throw EngineError(EngineError::Code::KeyViolation,
                                  "Key violation in table '" + definition.tableName + "'.");
        }
    }
    return table;
}

void createTable(const std::string& path, const paradox::TableSpec& definition,
                 const std::vector<std::vector<std::string>>& rows)
{
    px::Table table = tableWithRows(definition, rows);
    std::string data, index;
    try {
        data = px::writeTable(table);
        if (table.keyed)
            index = px::writePrimaryIndex(table, {});
    } catch (const px::FormatError& e) {
        throw EngineError(EngineError::Code::WriteFailed,
                          "Cannot write table '" + path + "': " + e.what() + ".");
    }
    auto write = [](const std::string& target, const std::string& content) {
        if (!files::writeFileAtomically(target, content))
            throw EngineError(EngineError::Code::WriteFailed, "Cannot write table file '" + target +
                                                                  "' (error " +
                                                                  std::to_string(files::lastError()) + ").");
    };
    write(path, data);
    if (table.keyed) {
        std::size_t dot = path.rfind('.');
        std::size_t slash = path.rfind('\\');
        std::string stem = dot == std::string::npos || (slash != std::string::npos && dot < slash)
                               ? path
                               : path.substr(0, dot);
        write(stem + ".PX", index);
    }
}

} // namespace database
