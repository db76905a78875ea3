#pragma once

#include <string>
#include <vector>

namespace samplesuite {

// A self-contained sample suite under a host folder:
//   <root>/dosdevices/c: -> ../c, d: -> ../d
//   C:\TARN           the suite folder (Tarn.ini)
//   C:\TARN\DB        the database folder (inst.DB, param.db, BakPath.DB)
//   C:\TARN\DATA      the data folder, with registered subfolders
//   D:\BACKUP         the backup folder
struct Layout
{
    std::string root;           // host folder holding everything
    std::string dosdevices;     // host folder to set DOSDEVICES to
    std::string suiteFolder;    // host folder of C:\TARN (the working folder)
    std::string databaseFolder; // host folder of C:\TARN\DB
    std::string dataFolder;     // host folder of C:\TARN\DATA
    std::string backupFolder;   // host folder of D:\BACKUP
};

struct SampleFile
{
    std::string relativePath; // below the data folder, "/" separated
    std::size_t size;
    bool hidden;
};

// The data files the builder writes, in order.
const std::vector<SampleFile>& sampleFiles();
// Registered subfolder names of BakPath: two exist under the data folder, one does not.
const std::vector<std::string>& registeredSubfolders();

// Creates the drives, folders and files under root (created when missing).
Layout buildFolders(const std::string& root);
// Creates the suite's tables in the database folder: inst.DB; param.db
// (key ParamNo, Value, Changed) with the rows "5-BAKS" (the data folder)
// and "5-BAKD" (the backup folder); BakPath.DB (key PathName) with the
// registered subfolders. param.db and BakPath are password-protected with
// two of the suite's table passwords.
void buildTables(const Layout& layout);
const std::string& parameterTablePassword();
const std::string& subfolderTablePassword();
// Both of the above.
Layout build(const std::string& root);

} // namespace samplesuite
