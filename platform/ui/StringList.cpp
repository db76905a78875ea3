#include "ui/StringList.h"

#include "ui/QtSupport.h"

#include <QCollator>
#include <QLocale>
#include <stdexcept>

namespace ui {

std::string TStrings::operator[](int index) const
{
    return Get(index);
}

int TStrings::IndexOf(const std::string& s) const
{
    for (int i = 0; i < Count(); ++i)
        if (TStringList::CompareText(Get(i), s) == 0)
            return i;
    return -1;
}

void TStrings::Assign(const std::vector<std::string>& lines)
{
    Clear();
    for (const std::string& line : lines)
        Add(line);
}

std::vector<std::string> TStrings::ToVector() const
{
    std::vector<std::string> lines;
    for (int i = 0; i < Count(); ++i)
        lines.push_back(Get(i));
    return lines;
}

TStringList::TStringList() = default;
TStringList::~TStringList() = default;

int TStringList::CompareText(const std::string& a, const std::string& b)
{
    thread_local QCollator collator = [] {
        QCollator c{QLocale::system()};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    const int result = collator.compare(ToQString(a), ToQString(b));
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

int TStringList::Count() const
{
    return static_cast<int>(m_items.size());
}

std::string TStringList::Get(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return m_items[static_cast<std::size_t>(index)];
}

bool TStringList::Find(const std::string& s, int& index) const
{
    int low = 0;
    int high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const int c = CompareText(m_items[static_cast<std::size_t>(mid)], s);
        if (c < 0)
            low = mid + 1;
        else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                if (m_duplicates != dupAccept)
                    low = mid;
            }
        }
    }
    index = low;
    return found;
}

int TStringList::Add(const std::string& s)
{
    if (!m_sorted) {
        m_items.push_back(s);
        return Count() - 1;
    }
    int index = 0;
    if (Find(s, index)) {
        if (m_duplicates == dupIgnore)
            return index;
        if (m_duplicates == dupError)
            throw std::runtime_error("String list does not allow duplicates");
    }
    m_items.insert(m_items.begin() + index, s);
    return index;
}

void TStringList::Clear()
{
    m_items.clear();
}

void TStringList::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    m_items.erase(m_items.begin() + index);
}

bool TStringList::Sorted() const
{
    return m_sorted;
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted && !m_sorted) {
        std::vector<std::string> items;
        items.swap(m_items);
        m_sorted = true;
        for (const std::string& s : items) {
            int index = 0;
            Find(s, index);
            m_items.insert(m_items.begin() + index, s);
        }
    }
    m_sorted = sorted;
}

TDuplicates TStringList::Duplicates() const
{
    return m_duplicates;
}

void TStringList::SetDuplicates(TDuplicates duplicates)
{
    m_duplicates = duplicates;
}

} // namespace ui
