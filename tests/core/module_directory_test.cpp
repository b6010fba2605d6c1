#include <gtest/gtest.h>

#include "app/module_directory.h"

TEST(ModuleDirectoryFromPath, KeepsTheFolderWithItsBackslash) {
  EXPECT_EQ(ModuleDirectoryFromPath(u"C:\\Tools\\qvs_x64.exe"), u"C:\\Tools\\");
  EXPECT_EQ(ModuleDirectoryFromPath(u"\\\\?\\C:\\Long\\qvs_x64.exe"), u"C:\\Long\\");
  EXPECT_EQ(ModuleDirectoryFromPath(u"C:\\qvs_x64.exe"), u"C:\\");
  EXPECT_EQ(ModuleDirectoryFromPath(u"qvs_x64.exe"), u"");
  EXPECT_EQ(ModuleDirectoryFromPath(u"\\\\?\\"), u"");
  EXPECT_EQ(ModuleDirectoryFromPath(u""), u"");
}
