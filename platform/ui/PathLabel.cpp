#include "ui/PathLabel.h"

#include <vector>

namespace ui {

std::string minimizePath(const std::string& path, int maxWidth,
                         const std::function<int(const std::string&)>& textWidth)
{
    if (textWidth(path) <= maxWidth)
        return path;
    const std::size_t lastSeparator = path.rfind('\\');
    if (lastSeparator == std::string::npos || lastSeparator + 1 == path.size())
        return path; // a drive root or a bare name: nothing to give way
    const std::string name = path.substr(lastSeparator + 1);

    std::string drive;
    std::size_t start = 0;
    if (path.size() >= 2 && path[1] == ':') {
        drive = path.substr(0, 2);
        start = 2;
    }
    const bool rooted = start < path.size() && path[start] == '\\';
    if (rooted)
        ++start;
    // The folders between the drive's root and the name.
    std::vector<std::string> folders;
    while (start < lastSeparator) {
        const std::size_t end = path.find('\\', start);
        folders.push_back(path.substr(start, end - start));
        start = end + 1;
    }

    for (std::size_t dropped = 1; dropped <= folders.size(); ++dropped) {
        std::string text = drive + (rooted ? "\\...\\" : "...\\");
        for (std::size_t i = dropped; i < folders.size(); ++i)
            text += folders[i] + "\\";
        text += name;
        if (textWidth(text) <= maxWidth)
            return text;
    }
    const std::string withoutDrive = "...\\" + name;
    if (textWidth(withoutDrive) <= maxWidth)
        return withoutDrive;
    return name;
}

} // namespace ui
