#pragma once

#ifndef TARN_UI_PRIVATE
#error "private to the window library: include its public headers instead"
#endif

// Pieces the drive selector, folder list and file list share. Qt stays in
// the library's sources.

#include "ui/Control.h"
#include "ui/StringList.h"

#include <QListView>
#include <QPointer>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QWidget>
#include <string>
#include <vector>

namespace ui::detail {

// A binding to another control that goes empty when that control is destroyed.
template <class T> class Binding
{
public:
    T* get() const
    {
        return m_widget ? m_control : nullptr;
    }
    void set(T* control)
    {
        m_control = control;
        m_widget = control != nullptr ? control->Widget() : nullptr;
    }

private:
    T* m_control = nullptr;
    QPointer<QWidget> m_widget;
};

// Names compared as the file system compares them: letter case ignored.
bool SameFileName(const std::string& a, const std::string& b);
// The drive letter of a full path, upper case; 0 when it has none.
char DriveOf(const std::string& path);
char UpperDrive(char letter);

// The item list of a view: the strings and the model the view shows.
class ViewItems : public TStrings
{
public:
    explicit ViewItems(QStringListModel* model);

    int Count() const override;
    std::string Get(int index) const override;
    int Add(const std::string& s) override;
    void Clear() override;
    void Delete(int index) override;

    void Replace(std::vector<std::string> lines);

private:
    std::vector<std::string> m_lines;
    QStringListModel* m_model;
};

// Rows of one fixed height, the text indented by a number of steps per row.
class RowDelegate : public QStyledItemDelegate
{
public:
    explicit RowDelegate(QObject* parent);

    void SetRowHeight(int height);
    // Indentation steps of the first rows; rows beyond take the last value.
    void SetIndents(std::vector<int> indents);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int m_rowHeight = 16;
    std::vector<int> m_indents;
};

// A list view as the views use it: one selection at most, fixed rows, a
// sunken frame two pixels wide, no editing.
QListView* NewListView();
QStringListModel* ModelOf(QListView* view);
RowDelegate* DelegateOf(QListView* view);
// The control's colour as the background of a list's rows.
void ShowBackground(QWidget* widget, TColor color);

// Shows the hourglass from the 101st name a listing places until the
// listing ends, then the cursor that was in force before.
class ListingCursor
{
public:
    ListingCursor();
    ~ListingCursor();
    ListingCursor(const ListingCursor&) = delete;
    ListingCursor& operator=(const ListingCursor&) = delete;

    // The name at this position (from 1) was placed.
    void Placed(int position);

private:
    bool m_shown = false;
    TCursor m_saved = crDefault;
};

} // namespace ui::detail
