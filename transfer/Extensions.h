#pragma once

// The texts of the extension filter and the file counts.

#include <cstdint>
#include <string>

namespace transfer {

// The extension box text for a file name: the name's extension from its last
// dot, cut to five code-page-950 bytes, without the dot (so at most four
// bytes). Empty when the name has no dot or ends in one.
std::string extensionBoxText(const std::string& fileName);

// "選擇檔案數 :  " and the number of listed files.
std::string fileCountCaption(int count);
// "總檔案大小 :  ", the total in kilobytes (rounded towards zero) and " KB".
std::string filesLengthCaption(std::int64_t totalBytes);
// "剩餘容量: ", the free kilobytes and " KB"; a failed query (-1) shows 0.
std::string freeSpaceCaption(std::int64_t freeBytes);

} // namespace transfer
