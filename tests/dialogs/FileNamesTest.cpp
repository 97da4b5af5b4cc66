// File names around a save: the extension a written file gets.
#include "dialogs/common/FileNames.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNamesTest, ChangeFileExt) {
    EXPECT_EQ(ChangeFileExt(QStringLiteral("/a/b.tw1"), QStringLiteral(".twd")), QStringLiteral("/a/b.twd"));
    EXPECT_EQ(ChangeFileExt(QStringLiteral("/a.b/c"), QStringLiteral(".mid")), QStringLiteral("/a.b/c.mid"));
    EXPECT_EQ(ChangeFileExt(QStringLiteral("/a/.hidden"), QStringLiteral(".twd")), QStringLiteral("/a/.hidden.twd"));
    EXPECT_EQ(ChangeFileExt(QStringLiteral("/a/x.y.twd"), QStringLiteral(".mid")), QStringLiteral("/a/x.y.mid"));
}

} // namespace
