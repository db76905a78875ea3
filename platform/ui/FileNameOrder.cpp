#include "ui/FileNameOrder.h"

#include "files/FileSystem.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <numeric>

namespace ui {

void sortFileNames(std::vector<std::string>& names)
{
    if (names.size() < 2)
        return;
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // The C locale's collator compares code points and its sort keys ignore
    // the case setting, so there the case is folded here instead.
    const bool plain = collator.locale().language() == QLocale::C;

    std::vector<QString> texts;
    std::vector<QString> folded;
    std::vector<QCollatorSortKey> keys;
    texts.reserve(names.size());
    for (const auto& name : names) {
        texts.push_back(QString::fromStdString(name));
        if (plain)
            folded.push_back(texts.back().toCaseFolded());
        else
            keys.push_back(collator.sortKey(texts.back()));
    }
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int byCollation = plain ? folded[a].compare(folded[b]) : keys[a].compare(keys[b]);
        if (byCollation != 0)
            return byCollation < 0;
        return texts[a].compare(texts[b]) < 0;
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (std::size_t index : order)
        sorted.push_back(std::move(names[index]));
    names = std::move(sorted);
}

FileMask::FileMask(const std::string& text)
{
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(';', start);
        std::string part = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!part.empty())
            m_parts.push_back(std::move(part));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
}

bool FileMask::matches(const std::string& name) const
{
    return std::any_of(m_parts.begin(), m_parts.end(),
                       [&](const std::string& part) { return files::matchesMask(name, part); });
}

} // namespace ui
