#pragma once

// The suite's settings file Tarn.ini: its second line, from the 6th byte
// on, names the folder that holds inst.DB.

#include <string>

namespace transfer {

// The database folder named by the settings file's bytes, still in code page
// 950: bytes 6 to 205 of line 2, taken as written. A line ends at a carriage
// return (a line feed right after it belongs to the line end; a lone line
// feed does not end a line); Ctrl-Z or the end of the bytes ends the text.
std::string databaseFolderInSettings(const std::string& settingsBytes);

// Reads the settings file and gives its database folder in UTF-8. A file that
// cannot be opened or read raises files::InOutError.
std::string readDatabaseFolder(const std::string& settingsPath);

} // namespace transfer
