// Two names for one file must be told apart from two files, whatever the
// spelling, before the batch tool lets an output replace the settings or
// another output.
#include "storage/atomic_file.h"

#include <gtest/gtest.h>

#include "support/test_files.h"

namespace ign {
namespace {

namespace fs = std::filesystem;

TEST(SameFile, NamesAreComparedByTheFileTheyLeadTo)
{
    test::TempFolder folder;
    const fs::path& f = folder.path();
    fs::create_directory(f / "sub");
    test::writeBytes(f / "Data.dat", "settings");
    test::writeBytes(f / "other.asm", "table");
    fs::create_hard_link(f / "Data.dat", f / "hard.dat");
#ifndef _WIN32
    fs::create_symlink("Data.dat", f / "link.dat");
    fs::create_symlink("sub/new.csv", f / "dangling.csv");
#endif
    const struct {
        fs::path first;
        fs::path second;
        bool same;
    } rows[]{
        {f / "Data.dat", f / "Data.dat", true},
        {f / "Data.dat", f / "." / "sub" / ".." / "Data.dat", true},
        {f / "Data.dat", f / "hard.dat", true},
        {f / "Data.dat", f / "other.asm", false},
        {f / "new.asm", f / "sub" / ".." / "new.asm", true},  // neither exists yet
        {f / "new.asm", f / "new.csv", false},
        {f / "new.asm", f / "Data.dat", false},
#ifndef _WIN32
        {f / "link.dat", f / "Data.dat", true},
        {f / "dangling.csv", f / "sub" / "new.csv", true},
        {f / "dangling.csv", f / "new.csv", false},
#endif
    };
    for (const auto& row : rows) {
        EXPECT_EQ(sameFile(row.first, row.second), row.same) << row.first << " / " << row.second;
        EXPECT_EQ(sameFile(row.second, row.first), row.same) << row.second << " / " << row.first;
    }

    // Names as typed in the folder: a plain name leads nowhere yet, as far
    // as the file system can tell, and is the same file all the same.
    const fs::path before = fs::current_path();
    fs::current_path(f);
    EXPECT_TRUE(sameFile("new.asm", fs::path("sub") / ".." / "new.asm"));
    EXPECT_TRUE(sameFile(fs::path(".") / "new.asm", f / "new.asm"));
    EXPECT_FALSE(sameFile("new.asm", fs::path("sub") / "new.asm"));
    fs::current_path(before);
}

}  // namespace
}  // namespace ign
