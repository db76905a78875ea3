// libFuzzer target for the table reader: any bytes give a table or a
// FormatError. A table read is written again and must read back the same.

#include "database/ParadoxFormat.h"

#include <cstdint>
#include <cstdlib>

using namespace database::paradox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Table table;
    try {
        table = parseTable(bytes);
    } catch (const FormatError&) {
        return 0;
    }
    for (const std::string& record : table.records) {
        for (const Field& field : table.fields) {
            std::string_view raw = fieldBytes(field, record);
            isNull(field, raw);
            std::string text = valueText(field, raw);
            std::string back(std::size_t(field.size), '\0');
            storeText(field, text, back.data());
        }
    }
    if (table.keyed && table.records.size() > 1)
        compareKeys(table, table.records.front(), table.records.back());
    try {
        Table again = parseTable(writeTable(table));
        if (again.records != table.records || again.fields.size() != table.fields.size())
            std::abort();
        if (table.keyed)
            writePrimaryIndex(table, bytes); // the input as an old index header
    } catch (const FormatError&) {
        // A table too large for its format cannot be written again.
    }
    return 0;
}
