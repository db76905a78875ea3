// Folder search with the DOS attribute filter.

#include "files/FileSystemPrivate.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/xattr.h>

namespace files {

namespace {

constexpr int kFilteredAttributes = Hidden | SysFile | VolumeId | Directory;

// Attributes kept in the extended attribute as Samba and Wine write them: a
// hex text ("0x22"), alone or at the head of Samba's binary record. Any
// other form counts as none, so a file is never hidden by a misreading.
int storedDosAttributes(const std::string& host)
{
    char value[128];
    ssize_t length = getxattr(host.c_str(), "user.DOSATTRIB", value, sizeof value - 1);
    if (length <= 2)
        return 0;
    value[length] = '\0';
    if (value[0] != '0' || (value[1] != 'x' && value[1] != 'X'))
        return 0;
    char* end = nullptr;
    unsigned long bits = std::strtoul(value + 2, &end, 16);
    if (end == value + 2 || *end != '\0')
        return 0;
    return int(bits & (Hidden | SysFile | Archive));
}

int attributesOf(const std::string& host, const std::string& name, const struct stat& st)
{
    int attr = storedDosAttributes(host);
    if (S_ISDIR(st.st_mode))
        attr |= Directory;
    if ((st.st_mode & S_IWUSR) == 0)
        attr |= ReadOnly;
    if (!name.empty() && name[0] == '.')
        attr |= Hidden;
    return attr;
}

bool validMask(const std::string& mask)
{
    for (unsigned char c : mask) {
        if (c < 0x20 || std::strchr("<>:\"/\\|", c) != nullptr)
            return false;
    }
    return detail::hasWildcard(mask) || validName(mask);
}

// Fills rec for an entry that passes the filter.
bool take(const std::string& host, const std::string& name, const struct stat& st, int attrs, SearchRec& rec)
{
    if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
        return false;
    int attr = attributesOf(host, name, st);
    if ((attr & kFilteredAttributes & ~attrs) != 0)
        return false;
    rec.name = name;
    rec.size = S_ISDIR(st.st_mode) ? 0 : std::int64_t(st.st_size);
    rec.attr = attr;
    rec.time = detail::toLocalTime(st.st_mtim);
    return true;
}

} // namespace

struct FolderSearch::State
{
    std::string folder; // host folder
    std::vector<std::string> names;
    std::size_t next = 0;
    int attrs = 0;
};

FolderSearch::FolderSearch() : m_state(nullptr) {}

FolderSearch::~FolderSearch()
{
    close();
}

void FolderSearch::close()
{
    delete m_state;
    m_state = nullptr;
}

int FolderSearch::findFirst(const std::string& pattern, int attrs, SearchRec& rec)
{
    close();
    std::size_t separator = pattern.find_last_of("\\/");
    std::string folder, mask;
    if (separator != std::string::npos) {
        folder = pattern.substr(0, separator + 1);
        mask = pattern.substr(separator + 1);
    } else if (pattern.size() >= 2 && pattern[1] == ':') {
        folder = pattern.substr(0, 2);
        mask = pattern.substr(2);
    } else {
        mask = pattern;
    }
    int error = NoError;
    if (mask.empty())
        error = FileNotFound;
    else if (!validMask(mask))
        error = InvalidName;
    if (error != NoError) {
        setLastError(error);
        return error;
    }

    if (!detail::hasWildcard(mask)) {
        detail::Resolved entry = detail::resolve(pattern);
        if (!entry.exists)
            error = entry.missingError();
        else if (!take(entry.host, entry.parts.back(), entry.st, attrs, rec))
            error = FileNotFound;
        if (error != NoError) {
            setLastError(error);
            return error;
        }
        m_state = new State;
        return NoError;
    }

    detail::Resolved where = detail::resolve(folder, true);
    if (where.error != NoError)
        error = where.error;
    else if (!where.exists || !S_ISDIR(where.st.st_mode))
        error = PathNotFound;
    DIR* dir = error == NoError ? opendir(where.host.c_str()) : nullptr;
    if (error == NoError && dir == nullptr)
        error = detail::fromErrno(errno);
    if (error != NoError) {
        setLastError(error);
        return error;
    }
    m_state = new State;
    m_state->folder = where.host;
    m_state->attrs = attrs;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        // A host name Windows could not hold would change meaning once joined to a path.
        if (validName(name) && matchesMask(name, mask))
            m_state->names.push_back(std::move(name));
    }
    closedir(dir);
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(m_state->names.size());
    for (std::string& name : m_state->names)
        keyed.emplace_back(upperAscii(name), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < keyed.size(); ++i)
        m_state->names[i] = std::move(keyed[i].second);

    error = findNext(rec);
    if (error != NoError) {
        close();
        error = FileNotFound;
        setLastError(error);
    }
    return error;
}

int FolderSearch::findNext(SearchRec& rec)
{
    while (m_state != nullptr && m_state->next < m_state->names.size()) {
        const std::string& name = m_state->names[m_state->next++];
        std::string host = detail::hostChild(m_state->folder, name);
        struct stat st;
        int error = 0;
        if (detail::machineEntry(host, st, error) == detail::Entry::Present &&
            take(host, name, st, m_state->attrs, rec))
            return NoError;
    }
    setLastError(NoMoreFiles);
    return NoMoreFiles;
}

} // namespace files
