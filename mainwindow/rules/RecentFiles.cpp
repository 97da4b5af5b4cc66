#include "mainwindow/rules/RecentFiles.h"

#include <utility>

int FindRecentFile(const TRecentList &list, const std::string &path) {
    if (path.empty())
        return -1;
    for (int i = 0; i < kRecentCount; ++i)
        if (list[size_t(i)] == path)
            return i;
    return -1;
}

void AddRecentFile(TRecentList &list, const std::string &path) {
    if (path.empty())
        return;
    if (FindRecentFile(list, path) >= 0) {
        PromoteRecentFile(list, path);
        return;
    }
    for (int i = kRecentCount - 1; i > 0; --i)
        list[size_t(i)] = std::move(list[size_t(i - 1)]);
    list[0] = path;
}

void PromoteRecentFile(TRecentList &list, const std::string &path) {
    const int i = FindRecentFile(list, path);
    if (i > 0)
        std::swap(list[0], list[size_t(i)]);
}

std::string RecentMenuCaption(const std::string &path) {
    std::string caption;
    caption.reserve(path.size());
    for (char c : path) {
        caption += c;
        if (c == '&')
            caption += '&';
    }
    return caption;
}
