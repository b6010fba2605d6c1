#include <gtest/gtest.h>

#include "app/module_directory.h"

TEST(ModuleDirectoryFromPath, KeepsTheFolderWithItsBackslash) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"C:\\Tools\\qvs_x64.exe", u"C:\\Tools\\"},
      {u"\\\\?\\C:\\Long\\qvs_x64.exe", u"C:\\Long\\"},
      {u"\\\\server\\share\\tools\\qvs_x64.exe", u"\\\\server\\share\\tools\\"},
      {u"\\\\?\\UNC\\server\\share\\qvs_x64.exe", u"\\\\server\\share\\"},
      {u"\\\\?\\unc\\server\\share\\qvs_x64.exe", u"\\\\server\\share\\"},
      {u"C:\\qvs_x64.exe", u"C:\\"},
      {u"qvs_x64.exe", u""},
      {u"\\\\?\\", u""},
      {u"", u""},
  };
  for (const auto& [path, folder] : cases)
    EXPECT_EQ(ModuleDirectoryFromPath(path), folder) << std::string(path.begin(), path.end());
}
