#include "core/file_paths.h"

#include <gtest/gtest.h>

#include "core/ascii_text.h"

namespace tc {
namespace {

TEST(FilePathsTest, PartsOfAPathSplitAtEitherSlashAndTheDrive) {
    EXPECT_EQ(FileNamePart("C:\\Tools\\Foo.exe"), "Foo.exe");
    EXPECT_EQ(FileNamePart("D:foo.exe"), "foo.exe");
    EXPECT_EQ(FileNamePart("foo.exe"), "foo.exe");
    EXPECT_EQ(FileNamePart("D:/x/Window_Tests.exe"), "Window_Tests.exe");

    EXPECT_EQ(FileExtension("C:\\a\\run.bat"), ".bat");
    EXPECT_EQ(FileExtension("C:\\a\\arch.tar.gz"), ".gz");
    EXPECT_EQ(FileExtension("C:\\a.b\\file"), "");  // a dot in a folder's name is no extension
    EXPECT_EQ(FileExtension("C:\\a\\file."), ".");
    EXPECT_EQ(FileExtension("D:x.y\\run"), "");

    EXPECT_EQ(FileStem("C:\\Tools\\tallowCron.v2.exe"), "tallowCron");
    EXPECT_EQ(FileStem("C:\\a.b\\MyApp"), "MyApp");
    EXPECT_EQ(FileStem("D:/x/Window_Tests.exe"), "Window_Tests");

    EXPECT_EQ(FolderOf("C:\\Tools\\Tallowcron\\Tallowcron.exe"), "C:\\Tools\\Tallowcron");
    EXPECT_EQ(FolderOf("tc.exe"), "");
    EXPECT_EQ(ConfigPathFor("C:\\Tools\\Tallowcron\\Tallowcron.exe"),
              "C:\\Tools\\Tallowcron\\config.ini");
    EXPECT_EQ(ConfigPathFor("D:\\新建文件夹\\renamed.exe"), "D:\\新建文件夹\\config.ini");
    EXPECT_EQ(ConfigPathFor("\\\\server\\share\\tc.exe"), "\\\\server\\share\\config.ini");
    EXPECT_EQ(ConfigPathFor("C:\\tc.exe"), "C:\\config.ini");
}

TEST(FilePathsTest, CaseIsFoldedForAsciiLettersOnly) {
    EXPECT_TRUE(SameIgnoringAsciiCase("Foo.EXE", "fOO.exe"));
    EXPECT_TRUE(SameIgnoringAsciiCase("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz"));
    EXPECT_FALSE(SameIgnoringAsciiCase("@[`{", "`{@["));  // the bytes just outside A-Z and a-z
    EXPECT_FALSE(SameIgnoringAsciiCase("foo.exe", "foo.ex"));
    EXPECT_TRUE(SameIgnoringAsciiCase("工具.exe", "工具.EXE"));
    EXPECT_FALSE(SameIgnoringAsciiCase("\xC3\x84.exe", "\xC3\xA4.exe"));  // Ä and ä are not a-z
    EXPECT_EQ(UpperAscii(".Bat"), ".BAT");
    EXPECT_EQ(UpperAscii(".exé"), ".EXé");
}

}  // namespace
}  // namespace tc
