#include <gtest/gtest.h>

#include <string>

#include "drives/drive_table.h"

namespace {

using Entries = std::vector<DriveEntry>;

struct WakeCase {
  std::int32_t mode;
  Entries expected;
};

// Available: internal C, hot-plug F and H. Chosen: C, H (stored with flag 0, so an entry's flag
// shows which table it came from) and D, which is absent.
const DriveTable kAvailable = {{u'C', 0}, {u'F', 1}, {u'H', 1}};
const DriveTable kChosen = {{u'C', 0}, {u'D', 1}, {u'H', 0}};

void PrintTo(const WakeCase& c, std::ostream* os) {
  *os << "mode " << c.mode;
}

class DrivesToWakeByMode : public ::testing::TestWithParam<WakeCase> {};

TEST_P(DrivesToWakeByMode, TakesEachEntryFromItsTableInOrder) {
  EXPECT_EQ(DrivesToWake(GetParam().mode, kAvailable, kChosen), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    AllModes, DrivesToWakeByMode,
    ::testing::Values(WakeCase{WakeAllDrives, {{u'C', 0}, {u'F', 1}, {u'H', 1}}},
                      WakeCase{WakeHotplugDrives, {{u'F', 1}, {u'H', 1}}},
                      WakeCase{WakeHotplugAndChosen, {{u'F', 1}, {u'H', 1}, {u'C', 0}}},
                      WakeCase{WakeChosenDrives, {{u'C', 0}, {u'H', 0}}}, WakeCase{4, {}},
                      WakeCase{-1, {}}),
    [](const auto& info) {
      const std::int32_t mode = info.param.mode;
      return mode < 0 ? "ModeMinus" + std::to_string(-mode) : "Mode" + std::to_string(mode);
    });

TEST(DrivesToWake, HotplugThenPresentChosenDrives) {
  const DriveTable available = {{u'C', 0}, {u'F', 1}};
  const DriveTable chosen = {{u'C', 0}, {u'G', 0}};
  EXPECT_EQ(DrivesToWake(WakeHotplugAndChosen, available, chosen), (Entries{{u'F', 1}, {u'C', 0}}));
}

TEST(DrivesToWake, NothingToWake) {
  EXPECT_TRUE(DrivesToWake(WakeChosenDrives, kAvailable, {}).empty());
  EXPECT_TRUE(DrivesToWake(WakeHotplugDrives, {{u'C', 0}, {u'D', 0}}, kChosen).empty());
}

}  // namespace
