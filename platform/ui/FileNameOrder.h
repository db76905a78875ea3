#pragma once

// How the file and folder views order names and pick files by mask.

#include <string>
#include <vector>

namespace ui {

// Sorts names the way the user's locale collates them, letter case ignored;
// names equal but for case keep a fixed order between them.
void sortFileNames(std::vector<std::string>& names);

// A file mask such as "*.DB;*.TXT": a name matches when it matches any part.
// An empty part matches nothing, so an empty mask matches no name.
class FileMask
{
public:
    explicit FileMask(const std::string& text);
    bool matches(const std::string& name) const;

private:
    std::vector<std::string> m_parts;
};

} // namespace ui
