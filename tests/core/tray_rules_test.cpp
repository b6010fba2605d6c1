#include <gtest/gtest.h>

#include "tray/tray_rules.h"

TEST(TrayRules, ShellLevelAndRecordSizeFollowTheShellVersion) {
  const struct {
    bool known;
    std::uint32_t major, minor, build;
    int level;
    std::uint32_t size;
  } cases[] = {
      {false, 6, 1, 7601, 0, 168}, {true, 4, 72, 0, 0, 168},     {true, 5, 0, 3900, 1, 952},
      {true, 6, 0, 5999, 2, 968},  {true, 6, 0, 6000, 3, 976},   {true, 6, 1, 7601, 4, 976},
      {true, 7, 0, 0, 4, 976},     {true, 10, 0, 19041, 4, 976},
  };
  for (const auto& c : cases) {
    const int level = ShellLevel(c.known, c.major, c.minor, c.build);
    EXPECT_EQ(level, c.level) << c.major << "." << c.minor << "." << c.build;
    EXPECT_EQ(NotifyIconDataSize(level), c.size) << level;
  }
  EXPECT_EQ(TrayDriveCommand(u'A'), 32782u);
  EXPECT_EQ(TrayDriveCommand(u'Z'), 32807u);
}
