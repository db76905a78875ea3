// Folder search with the DOS attribute filter.

#include "files/FileSystemPrivate.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/xattr.h>

namespace files {

namespace {

constexpr int kFilteredAttributes = Hidden | SysFile | VolumeId | Directory;

// Attributes kept in the extended attribute as Samba and Wine write them: a
// hex text ("0x22"), alone or at the head of Samba's binary record. Any
// other form counts as none, so a file is never hidden by a misreading.
int storedDosAttributes(const std::string& host, dev_t device)
{
    if (!detail::keepsAttributes(device))
        return 0;
    char value[128];
    ssize_t length = getxattr(host.c_str(), "user.DOSATTRIB", value, sizeof value - 1);
    if (length < 0 && (errno == ENOTSUP || errno == ENOSYS))
        detail::keepsNoAttributes(device);
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

bool validMask(const std::string& mask)
{
    for (unsigned char c : mask) {
        if (c < 0x20 || std::strchr("<>:\"/\\|", c) != nullptr)
            return false;
    }
    return detail::hasWildcard(mask) || validName(mask);
}

void fill(int attr, const std::string& name, const struct stat& st, const LocalTime& time, SearchRec& rec)
{
    rec.name = name;
    rec.size = S_ISDIR(st.st_mode) ? 0 : std::int64_t(st.st_size);
    rec.attr = attr;
    rec.time = time;
}

// Fills rec for an entry that passes the filter.
bool take(const std::string& host, const std::string& name, const struct stat& st, int attrs, SearchRec& rec)
{
    if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
        return false;
    int attr = 0;
    if (!detail::cachedAttributes(host, st, attr))
        attr = detail::attributesOf(host, name, st);
    if ((attr & kFilteredAttributes & ~attrs) != 0)
        return false;
    fill(attr, name, st, detail::toLocalTime(st.st_mtim), rec);
    return true;
}

} // namespace

namespace detail {

int attributesOf(const std::string& host, const std::string& name, const struct stat& st)
{
    int attr = storedDosAttributes(host, st.st_dev);
    if (S_ISDIR(st.st_mode))
        attr |= Directory;
    if ((st.st_mode & S_IWUSR) == 0)
        attr |= ReadOnly;
    if (!name.empty() && name[0] == '.')
        attr |= Hidden;
    return attr;
}

} // namespace detail

struct FolderSearch::State
{
    std::shared_ptr<const detail::Listing> listing;
    std::vector<std::size_t> matches; // indexes into listing
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
    std::shared_ptr<const detail::Listing> listing;
    if (error == NoError)
        listing = detail::listFolder(where.host, error);
    if (error != NoError) {
        setLastError(error);
        return error;
    }
    m_state = new State;
    m_state->attrs = attrs;
    m_state->listing = listing;
    for (std::size_t i = 0; i < listing->size(); ++i) {
        const std::string& name = (*listing)[i].name;
        // A host name Windows could not hold would change meaning once joined to a path.
        if (validName(name) && matchesMask(name, mask))
            m_state->matches.push_back(i);
    }

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
    while (m_state != nullptr && m_state->next < m_state->matches.size()) {
        const detail::ListedEntry& entry = (*m_state->listing)[m_state->matches[m_state->next++]];
        if ((entry.attr & kFilteredAttributes & ~m_state->attrs) != 0)
            continue;
        fill(entry.attr, entry.name, entry.st, entry.time, rec);
        return NoError;
    }
    setLastError(NoMoreFiles);
    return NoMoreFiles;
}

} // namespace files
