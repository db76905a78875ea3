#include "ui/ViewsPrivate.h"

#include "ui/Screen.h"

#include <QPainter>

namespace ui::detail {

bool SameFileName(const std::string& a, const std::string& b)
{
    if (a.size() == b.size() && a == b)
        return true;
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

char UpperDrive(char letter)
{
    return letter >= 'a' && letter <= 'z' ? char(letter - 'a' + 'A') : letter;
}

char DriveOf(const std::string& path)
{
    if (path.size() >= 2 && path[1] == ':') {
        const char letter = UpperDrive(path[0]);
        if (letter >= 'A' && letter <= 'Z')
            return letter;
    }
    return 0;
}

ViewItems::ViewItems(QStringListModel* model) : m_model(model) {}

int ViewItems::Count() const
{
    return int(m_lines.size());
}

std::string ViewItems::Get(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return m_lines[std::size_t(index)];
}

int ViewItems::Add(const std::string& s)
{
    m_lines.push_back(s);
    const int row = m_model->rowCount();
    m_model->insertRows(row, 1);
    m_model->setData(m_model->index(row), QString::fromStdString(s));
    return Count() - 1;
}

void ViewItems::Clear()
{
    Replace({});
}

void ViewItems::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    m_lines.erase(m_lines.begin() + index);
    m_model->removeRows(index, 1);
}

void ViewItems::Replace(std::vector<std::string> lines)
{
    QStringList texts;
    texts.reserve(qsizetype(lines.size()));
    for (const auto& line : lines)
        texts.push_back(QString::fromStdString(line));
    m_lines = std::move(lines);
    m_model->setStringList(texts);
}

RowDelegate::RowDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void RowDelegate::SetRowHeight(int height)
{
    m_rowHeight = height;
}

void RowDelegate::SetIndents(std::vector<int> indents)
{
    m_indents = std::move(indents);
}

QSize RowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(m_rowHeight);
    return size;
}

void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (m_indents.empty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const std::size_t row = std::min(std::size_t(index.row()), m_indents.size() - 1);
    QStyleOptionViewItem indented = option;
    indented.rect.adjust(m_indents[row] * 10, 0, 0, 0);
    QStyledItemDelegate::paint(painter, indented, index);
}

QListView* NewListView()
{
    auto* view = new QListView;
    auto* model = new QStringListModel(view);
    auto* delegate = new RowDelegate(view);
    view->setModel(model);
    view->setItemDelegate(delegate);
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    view->setLineWidth(2);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return view;
}

QStringListModel* ModelOf(QListView* view)
{
    return static_cast<QStringListModel*>(view->model());
}

RowDelegate* DelegateOf(QListView* view)
{
    return static_cast<RowDelegate*>(view->itemDelegate());
}

void ShowBackground(QWidget* widget, TColor color)
{
    const std::uint32_t rgb = ColorToRgb(color);
    const QColor background(int(rgb & 0xFF), int(rgb >> 8 & 0xFF), int(rgb >> 16 & 0xFF));
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, background);
    widget->setPalette(palette);
}

// Where the hourglass starts: the 101st name placed.
constexpr int kHourglassFrom = 101;

ListingCursor::ListingCursor() = default;

ListingCursor::~ListingCursor()
{
    if (m_shown && Screen != nullptr)
        Screen->SetCursor(m_saved);
}

void ListingCursor::Placed(int position)
{
    if (position != kHourglassFrom || m_shown || Screen == nullptr)
        return;
    m_saved = Screen->Cursor();
    Screen->SetCursor(crHourGlass);
    m_shown = true;
}

} // namespace ui::detail
