#include "transfer/Extensions.h"

#include "transfer/FolderText.h"

namespace transfer {

std::string extensionBoxText(const std::string& fileName)
{
    // In UTF-8 a byte of value '.' is always a dot of its own, never the
    // second byte of a double-byte character.
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos)
        return {};
    std::string extension = firstCp950Bytes(fileName.substr(dot), 5);
    if (!extension.empty() && extension[0] == '.')
        extension.erase(0, 1);
    return extension;
}

std::string fileCountCaption(int count)
{
    return "選擇檔案數 :  " + std::to_string(count);
}

std::string filesLengthCaption(std::int64_t totalBytes)
{
    return "總檔案大小 :  " + std::to_string(totalBytes / 1024) + " KB";
}

std::string freeSpaceCaption(std::int64_t freeBytes)
{
    return "剩餘容量: " + std::to_string(freeBytes / 1024) + " KB";
}

} // namespace transfer
