#include "samplesuite/SampleSuite.h"

#include "database/ParadoxFormat.h"
#include "database/TableBuilder.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace samplesuite {

namespace {

void writeFile(const fs::path& path, std::size_t size, std::uint32_t seed)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
    std::uint32_t x = seed * 2654435761u + 1;
    std::string block;
    block.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        block.push_back(static_cast<char>(x & 0xff));
    }
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
}

void writeText(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

void link(const fs::path& dosdevices, const std::string& entry, const std::string& target)
{
    fs::path at = dosdevices / entry;
    std::error_code ignored;
    fs::remove(at, ignored);
    fs::create_directory_symlink(target, at);
}

} // namespace

const std::vector<SampleFile>& sampleFiles()
{
    static const std::vector<SampleFile> files = {
        {"ACCT.DB", 20480, false},
        {"ACCT.PX", 4096, false},
        {"ACCT.MB", 6144, false},
        {"CUST.DB", 51200, false},
        {"CUST.PX", 8192, false},
        {"CUST.X02", 3072, false},
        {"CUST.Y02", 3072, false},
        {"STOCK.DB", 102400, false},
        {"STOCK.PX", 16384, false},
        {"VENDOR.DB", 32768, false},
        {"VENDOR.PX", 2048, false},
        {"Paradox.lck", 128, false},
        {"REPORT.TXT", 1500, false},
        {"readme.txt", 700, false},
        {"NOTES.doc", 9000, false},
        {"LEDGER.xls", 45000, false},
        {"LOGO.bmp", 12054, false},
        {"SETUP.ini", 300, false},
        {"EXPORT.csv", 2200, false},
        {"EMPTY.DAT", 0, false},
        {"BIGFILE.BIN", 200000, false},
        {"MONTHLY.backup", 1024, false},
        {"archive.tar.gz", 4000, false},
        {"NOEXT", 512, false},
        {"TRAIL.", 256, false},
        {"客戶資料.DB", 8192, false},
        {"會計報表.TXT", 3333, false},
        {"庫存.xls", 5000, false},
        {".hidden", 100, true},
        {"ACCOUNT/JOURNAL.DB", 30000, false},
        {"ACCOUNT/JOURNAL.PX", 4096, false},
        {"ACCOUNT/月報.TXT", 1200, false},
        {"STOCK/ITEMS.DB", 65536, false},
        {"STOCK/ITEMS.PX", 4096, false},
        {"STOCK/PRICE.csv", 900, false},
        {"OTHER/NOTREG.TXT", 50, false},
    };
    return files;
}

const std::vector<std::string>& registeredSubfolders()
{
    static const std::vector<std::string> names = {"ACCOUNT", "ARCHIVE", "STOCK"};
    return names;
}

Layout buildFolders(const std::string& rootText)
{
    fs::path root = fs::absolute(rootText);
    fs::create_directories(root / "c");
    fs::create_directories(root / "d");
    fs::create_directories(root / "dosdevices");
    link(root / "dosdevices", "c:", "../c");
    link(root / "dosdevices", "d:", "../d");

    Layout layout;
    layout.root = root.string();
    layout.dosdevices = (root / "dosdevices").string();
    layout.suiteFolder = (root / "c" / "TARN").string();
    layout.databaseFolder = (root / "c" / "TARN" / "DB").string();
    layout.dataFolder = (root / "c" / "TARN" / "DATA").string();
    layout.backupFolder = (root / "d" / "BACKUP").string();

    fs::create_directories(layout.databaseFolder);
    fs::create_directories(layout.backupFolder);
    writeText(fs::path(layout.suiteFolder) / "Tarn.ini", "[TARN]\r\nPATH=C:\\TARN\\DB\r\n");

    std::uint32_t seed = 1;
    for (const SampleFile& file : sampleFiles())
        writeFile(fs::path(layout.dataFolder) / file.relativePath, file.size, seed++);
    return layout;
}

namespace {

namespace px = database::paradox;

// A table and, when keyed, its primary index, at host path stem + ext.
void writeTable(const fs::path& folder, const std::string& stem, const std::string& ext,
                const px::TableSpec& spec, const std::vector<std::vector<std::string>>& rows)
{
    px::Table table = database::tableWithRows(spec, rows);
    auto save = [](const fs::path& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + path.string());
    };
    save(folder / (stem + ext), px::writeTable(table));
    if (table.keyed)
        save(folder / (stem + (ext == ".db" ? ".px" : ".PX")), px::writePrimaryIndex(table, {}));
}

px::TableSpec specOf(const std::string& name, std::vector<px::FieldSpec> fields, const std::string& password)
{
    px::TableSpec spec;
    spec.fields = std::move(fields);
    spec.keyFields = 1;
    spec.password = password;
    spec.tableName = name;
    return spec;
}

} // namespace

const std::string& parameterTablePassword()
{
    static const std::string password = "604217";
    return password;
}

const std::string& subfolderTablePassword()
{
    static const std::string password = "fxeu813046";
    return password;
}

void buildTables(const Layout& layout)
{
    fs::path folder = layout.databaseFolder;
    fs::create_directories(folder);
    writeTable(folder, "inst", ".DB",
               specOf("inst", {{"Item", px::FieldType::Alpha, 20}, {"Value", px::FieldType::Alpha, 80}}, ""),
               {{"COMPANY", "範例公司"}, {"VERSION", "7.0"}});
    writeTable(folder, "param", ".db",
               specOf("param",
                      {{"ParamNo", px::FieldType::Alpha, 10},
                       {"Value", px::FieldType::Alpha, 120},
                       {"Changed", px::FieldType::Date}},
                      parameterTablePassword()),
               {{"1-NAME", "範例公司", "2024/01/15"},
                {"5-BAKS", "C:\\TARN\\DATA", "2024/01/15"},
                {"5-BAKD", "D:\\BACKUP", "2024/01/15"}});
    std::vector<std::vector<std::string>> names;
    for (const std::string& name : registeredSubfolders())
        names.push_back({name});
    writeTable(folder, "BakPath", ".DB",
               specOf("BakPath", {{"PathName", px::FieldType::Alpha, 40}}, subfolderTablePassword()), names);
}

Layout build(const std::string& root)
{
    Layout layout = buildFolders(root);
    buildTables(layout);
    return layout;
}

} // namespace samplesuite
