#pragma once

// Small rules on folder texts shared by the transfer window's operations.

#include <cstddef>
#include <string>

namespace transfer {

// The drive letter a folder text names: its first character upper-cased when
// it is a letter A to Z, otherwise D ("" and "\\server" give D).
char driveLetterOf(const std::string& path);

// The first count bytes of the text as code page 950 counts them, cut before
// a double-byte character that would not fit whole; the whole text when it
// is shorter.
std::string firstCp950Bytes(const std::string& text, std::size_t count);

// Whether a registered subfolder name names a folder below the top folder:
// one or more parts between separators ("\", or "/" as Windows takes it too),
// none of them empty, "." or "..", and no drive (":") anywhere. The empty
// name, which stands for the top folder itself, is not one.
bool usableSubfolderName(const std::string& name);

} // namespace transfer
