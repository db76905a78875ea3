#include "transfer/SettingsFile.h"

#include "files/FileSystem.h"

namespace transfer {

namespace {

constexpr char CarriageReturn = '\r';
constexpr char LineFeed = '\n';
constexpr char EndOfText = 26; // Ctrl-Z

// Reads the text a line at a time by the settings file's line rules.
class SettingsText
{
public:
    explicit SettingsText(const std::string& bytes) : m_bytes(bytes) {}

    // The line without its end; empty once the text has ended.
    std::string readLine()
    {
        std::string line;
        while (m_at < m_bytes.size()) {
            const char c = m_bytes[m_at];
            if (c == EndOfText) {
                m_at = m_bytes.size();
                break;
            }
            ++m_at;
            if (c == CarriageReturn) {
                if (m_at < m_bytes.size() && m_bytes[m_at] == LineFeed)
                    ++m_at;
                break;
            }
            line += c;
        }
        return line;
    }

    // Whether the first two lines are complete within the bytes.
    static bool holdsTwoLines(const std::string& bytes)
    {
        int ends = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == EndOfText)
                return true;
            if (bytes[i] == CarriageReturn && ++ends == 2)
                return true;
        }
        return false;
    }

private:
    const std::string& m_bytes;
    std::size_t m_at = 0;
};

constexpr std::size_t FolderStart = 5;    // the 6th byte, counted from 1
constexpr std::size_t FolderLength = 200; // up to the 205th byte

} // namespace

std::string databaseFolderInSettings(const std::string& settingsBytes)
{
    SettingsText text(settingsBytes);
    text.readLine();
    const std::string line2 = text.readLine();
    if (line2.size() <= FolderStart)
        return {};
    return line2.substr(FolderStart, FolderLength);
}

std::string readDatabaseFolder(const std::string& settingsPath)
{
    files::FileOps& ops = files::fileOps();
    const files::Handle file = ops.open(settingsPath, files::Access::Read, files::Share::DenyNone);
    if (file == files::InvalidHandle)
        throw files::InOutError(files::lastError());
    // Only the first two lines matter; a long file is not read to its end.
    std::string bytes;
    char block[4096];
    for (;;) {
        const long got = ops.read(file, block, sizeof block);
        if (got < 0) {
            const int code = files::lastError();
            ops.close(file);
            throw files::InOutError(code);
        }
        if (got == 0)
            break;
        bytes.append(block, static_cast<std::size_t>(got));
        if (SettingsText::holdsTwoLines(bytes))
            break;
    }
    ops.close(file);
    return files::fromCp950(databaseFolderInSettings(bytes));
}

} // namespace transfer
