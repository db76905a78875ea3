#include "Pxlib.h"

#include "files/FileSystem.h"

#include <cstring>
#include <stdexcept>

extern "C" {
#include <paradox.h>
}

namespace database::test {

namespace {

void collect(pxdoc_t*, int, const char* message, void* data)
{
    auto* errors = static_cast<std::string*>(data);
    errors->append(message).append("\n");
}

pxfield_t* fieldsFor(pxdoc_t* doc, const std::vector<PxColumn>& columns, std::size_t count)
{
    auto* fields = static_cast<pxfield_t*>(doc->malloc(doc, sizeof(pxfield_t) * count, "test fields"));
    for (std::size_t i = 0; i < count; ++i) {
        fields[i].px_fname = PX_strdup(doc, columns[i].name.c_str());
        fields[i].px_ftype = char(columns[i].type);
        fields[i].px_flen = columns[i].size;
        fields[i].px_fdc = 0;
    }
    return fields;
}

} // namespace

void writeWithPxlib(const std::string& hostStem, const PxTable& table)
{
    std::string errors;
    pxdoc_t* doc = PX_new3(collect, nullptr, nullptr, nullptr, &errors);
    std::size_t count = table.columns.size();
    std::string dbPath = hostStem + ".DB";
    int type = table.keyFields > 0 ? pxfFileTypIndexDB : pxfFileTypNonIndexDB;
    if (PX_create_file(doc, fieldsFor(doc, table.columns, count), int(count), dbPath.c_str(), type) < 0)
        throw std::runtime_error("pxlib cannot create " + dbPath + ": " + errors);
    PX_set_value(doc, "codepage", float(table.codePage));
    if (table.keyFields > 0)
        PX_set_value(doc, "numprimkeys", float(table.keyFields));
    if (!table.password.empty())
        PX_set_parameter(doc, "password", table.password.c_str());

    std::string record(std::size_t(PX_get_recordsize(doc)), '\0');
    for (const auto& row : table.rows) {
        std::fill(record.begin(), record.end(), '\0');
        char* at = record.data();
        for (std::size_t i = 0; i < count; ++i) {
            const PxColumn& c = table.columns[i];
            const std::string& v = row[i];
            switch (c.type) {
            case pxfAlpha: {
                std::string bytes = files::toCp950(v);
                PX_put_data_alpha(doc, at, c.size, bytes.data());
                break;
            }
            case pxfShort:
                PX_put_data_short(doc, at, 2, short(std::stoi(v)));
                break;
            case pxfLong:
                PX_put_data_long(doc, at, 4, std::stoi(v));
                break;
            case pxfNumber:
                PX_put_data_double(doc, at, 8, std::stod(v));
                break;
            case pxfLogical:
                PX_put_data_byte(doc, at, 1, char(v == "True" ? 1 : 0));
                break;
            default:
                throw std::runtime_error("type not used by the tests");
            }
            at += c.size;
        }
        if (PX_put_record(doc, record.data()) < 0)
            throw std::runtime_error("pxlib cannot write a record: " + errors);
    }
    if (table.keyFields > 0) {
        pxdoc_t* index = PX_new3(collect, nullptr, nullptr, nullptr, &errors);
        std::string pxPath = hostStem + ".PX";
        std::size_t keys = std::size_t(table.keyFields);
        if (PX_create_file(index, fieldsFor(index, table.columns, keys), int(keys), pxPath.c_str(),
                           pxfFileTypPrimIndex) < 0 ||
            PX_write_primary_index(doc, index) < 0)
            throw std::runtime_error("pxlib cannot write " + pxPath + ": " + errors);
        PX_close(index);
        PX_delete(index);
    }
    PX_close(doc);
    PX_delete(doc);
}

PxRead readWithPxlib(const std::string& dbHost, const std::string& indexHost)
{
    PxRead read;
    pxdoc_t* doc = PX_new3(collect, nullptr, nullptr, nullptr, &read.errors);
    if (PX_open_file(doc, dbHost.c_str()) < 0) {
        PX_delete(doc);
        return read;
    }
    read.opened = true;
    read.codePage = doc->px_head->px_doscodepage;
    pxdoc_t* index = nullptr;
    if (!indexHost.empty()) {
        index = PX_new3(collect, nullptr, nullptr, nullptr, &read.errors);
        read.indexAccepted = PX_open_file(index, indexHost.c_str()) == 0 &&
                             PX_read_primary_index(index) == 0 && PX_add_primary_index(doc, index) == 0;
        if (!read.indexAccepted) {
            PX_delete(index);
            index = nullptr;
        }
    }
    int count = PX_get_num_fields(doc);
    std::string record(std::size_t(PX_get_recordsize(doc)), '\0');
    for (int r = 0; r < PX_get_num_records(doc); ++r) {
        if (PX_get_record(doc, r, record.data()) == nullptr) {
            read.errors += "record " + std::to_string(r) + " unreadable\n";
            break;
        }
        std::vector<std::string> row;
        char* at = record.data();
        for (int i = 0; i < count; ++i) {
            pxfield_t* f = PX_get_field(doc, i);
            std::string text;
            if (f->px_ftype == pxfAlpha) {
                char* value = nullptr;
                if (PX_get_data_alpha(doc, at, f->px_flen, &value) > 0) {
                    text = files::fromCp950(std::string(value, strnlen(value, std::size_t(f->px_flen))));
                    doc->free(doc, value);
                }
            } else if (f->px_ftype == pxfShort) {
                short v;
                if (PX_get_data_short(doc, at, 2, &v) > 0)
                    text = std::to_string(v);
            } else if (f->px_ftype == pxfLong || f->px_ftype == pxfAutoInc) {
                long v;
                if (PX_get_data_long(doc, at, 4, &v) > 0)
                    text = std::to_string(v);
            } else if (f->px_ftype == pxfNumber) {
                double v;
                if (PX_get_data_double(doc, at, 8, &v) > 0) {
                    char buffer[64];
                    std::snprintf(buffer, sizeof buffer, "%.15g", v);
                    text = buffer;
                }
            } else if (f->px_ftype == pxfLogical) {
                char v;
                if (PX_get_data_byte(doc, at, 1, &v) > 0)
                    text = v != 0 ? "True" : "False";
            }
            row.push_back(text);
            at += f->px_flen;
        }
        read.rows.push_back(row);
    }
    PX_close(doc);
    PX_delete(doc);
    if (index != nullptr) {
        PX_close(index);
        PX_delete(index);
    }
    return read;
}

} // namespace database::test

// pxlib keeps some of its allocations to the end of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libpx.so\nleak:PX_\nleak:px_\n";
}
