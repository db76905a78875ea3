#pragma once

// Lists of strings: TStrings is the interface the controls' item lists share;
// TStringList holds its own, optionally kept sorted by the user locale's
// collation without regard to case.

#include <memory>
#include <string>
#include <vector>

namespace ui {

class TStrings
{
public:
    virtual ~TStrings() = default;
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    // Returns the position of the string in the list.
    virtual int Add(const std::string& s) = 0;
    virtual void Clear() = 0;
    virtual void Delete(int index) = 0;

    std::string operator[](int index) const;
    int IndexOf(const std::string& s) const;
    void Assign(const std::vector<std::string>& lines);
    std::vector<std::string> ToVector() const;
};

enum TDuplicates : int
{
    dupIgnore,
    dupAccept,
    dupError,
};

class TStringList : public TStrings
{
public:
    TStringList();
    ~TStringList() override;

    int Count() const override;
    std::string Get(int index) const override;
    // Sorted: inserts in order; with dupIgnore, a string equal to an entry
    // (ignoring case) leaves the list unchanged and gives that entry's
    // position; with dupError it throws.
    int Add(const std::string& s) override;
    void Clear() override;
    void Delete(int index) override;

    bool Sorted() const;
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const;
    void SetDuplicates(TDuplicates duplicates);
    // Sorted lists: whether s is present, and where it is or would go.
    bool Find(const std::string& s, int& index) const;

    // The comparison of sorted lists: the user locale's collation, case ignored.
    static int CompareText(const std::string& a, const std::string& b);

private:
    std::vector<std::string> m_items;
    bool m_sorted = false;
    TDuplicates m_duplicates = dupIgnore;
};

} // namespace ui
