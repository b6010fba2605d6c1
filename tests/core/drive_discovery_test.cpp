#include <gtest/gtest.h>

#include <map>

#include "drives/drive_discovery.h"

namespace {

constexpr std::uint32_t kRemovable = 2, kCdRom = 5;

class FakeVolumes : public IVolumes {
 public:
  std::vector<std::u16string> roots;
  std::map<char16_t, std::uint32_t> types;
  std::map<char16_t, std::int32_t> hotplug;  // letters that answer the query
  std::map<char16_t, std::u16string> labels;

  std::vector<std::u16string> LogicalDriveRoots() const override { return roots; }
  std::uint32_t DriveType(const std::u16string& root) const override {
    const auto it = types.find(root.at(0));
    return it != types.end() ? it->second : 1;  // DRIVE_NO_ROOT_DIR
  }
  std::optional<std::int32_t> HotplugFlag(char16_t letter) const override {
    const auto it = hotplug.find(letter);
    return it != hotplug.end() ? std::optional(it->second) : std::nullopt;
  }
  std::u16string VolumeLabel(char16_t letter) const override {
    const auto it = labels.find(letter);
    return it != labels.end() ? it->second : u"";
  }
};

class FakeStrings : public IStringTable {
 public:
  std::map<std::uint32_t, std::u16string> texts;
  std::u16string GetText(std::uint32_t id) const override {
    const auto it = texts.find(id);
    return it != texts.end() ? it->second : u"";
  }
};

FakeVolumes MixedMachine() {
  FakeVolumes volumes;
  volumes.roots = {u"C:\\", u"D:\\", u"E:\\", u"F:\\", u"G:\\"};
  volumes.types = {{u'C', kDriveFixed},
                   {u'D', kCdRom},
                   {u'E', kRemovable},
                   {u'F', kDriveFixed},
                   {u'G', kDriveFixed}};
  // G is fixed but refuses the query; D and E answer but are not fixed.
  volumes.hotplug = {{u'C', 0}, {u'D', 1}, {u'E', 1}, {u'F', 1}};
  return volumes;
}

TEST(FindFixedDrives, KeepsFixedDrivesThatAnswerTheQuery) {
  DriveTable drives;
  FindFixedDrives(MixedMachine(), drives);
  EXPECT_EQ(drives, (DriveTable{{u'C', 0}, {u'F', 1}}));
}

TEST(FindFixedDrives, ReplacesFlagsWithoutEmptyingTheTable) {
  DriveTable drives = {{u'A', 1}, {u'F', 0}};
  FindFixedDrives(MixedMachine(), drives);
  EXPECT_EQ(drives, (DriveTable{{u'A', 1}, {u'C', 0}, {u'F', 1}}));
}

TEST(FindFixedDrives, RemovableAndOpticalOnlyGiveNothing) {
  FakeVolumes volumes = MixedMachine();
  volumes.roots = {u"D:\\", u"E:\\"};
  DriveTable drives;
  FindFixedDrives(volumes, drives);
  EXPECT_TRUE(drives.empty());
}

TEST(HotplugFlagOf, DeviceHotplugOrAHotplugBus) {
  constexpr std::uint32_t kSata = 0x0B, kNvme = 0x11;
  const struct {
    std::uint8_t deviceHotplug;
    std::optional<std::uint32_t> bus;
    std::int32_t flag;
  } cases[] = {{0, std::nullopt, 0}, {1, std::nullopt, 1}, {0, kSata, 0},    {0, kNvme, 0},
               {1, kSata, 1},        {0, kBusUsb, 1},      {0, kBus1394, 1}, {0, kBusSd, 1},
               {0, kBusMmc, 1},      {2, kNvme, 1}};
  for (const auto& c : cases)
    EXPECT_EQ(HotplugFlagOf(c.deviceHotplug, c.bus), c.flag)
        << +c.deviceHotplug << " " << c.bus.value_or(99);
}

TEST(FormatDriveDescription, LetterLabelAndKindText) {
  FakeVolumes volumes;
  volumes.labels = {{u'D', u"Data"}};
  FakeStrings strings;
  strings.texts = {{302, u"Internal"}, {303, u"External"}};
  EXPECT_EQ(FormatDriveDescription(volumes, strings, u'D', 1), u"D: [Data] - External");
  EXPECT_EQ(FormatDriveDescription(volumes, strings, u'E', 0), u"E: [] - Internal");
  EXPECT_EQ(FormatDriveDescription(volumes, FakeStrings{}, u'D', 0), u"D: [Data] - ");
}

struct BroadcastCase {
  const char* name;
  std::uint64_t event;
  std::uint32_t deviceType;
  std::uint32_t unitMask;
  std::uint16_t flags;
  std::optional<VolumeEvent> expected;
};

void PrintTo(const BroadcastCase& c, std::ostream* os) {
  *os << c.name;
}

class DecodeVolumeBroadcastCases : public ::testing::TestWithParam<BroadcastCase> {};

TEST_P(DecodeVolumeBroadcastCases, ActsOnLocalVolumeArrivalAndRemovalOnly) {
  const BroadcastCase& c = GetParam();
  EXPECT_EQ(DecodeVolumeBroadcast(c.event, c.deviceType, c.unitMask, c.flags), c.expected)
      << c.name;
}

constexpr std::uint32_t E = 1u << 4, F = 1u << 5;

INSTANTIATE_TEST_SUITE_P(
    Broadcasts, DecodeVolumeBroadcastCases,
    ::testing::Values(
        BroadcastCase{"arrival", kDeviceArrival, kDeviceTypeVolume, F, 0, VolumeEvent{true, u"F"}},
        BroadcastCase{"removal", kDeviceRemoveComplete, kDeviceTypeVolume, E, 0,
                      VolumeEvent{false, u"E"}},
        BroadcastCase{"two_partitions", kDeviceArrival, kDeviceTypeVolume, F | E, 0,
                      VolumeEvent{true, u"EF"}},
        BroadcastCase{"A_and_Z", kDeviceArrival, kDeviceTypeVolume, 1u | 1u << 25, 0,
                      VolumeEvent{true, u"AZ"}},
        BroadcastCase{"media", kDeviceArrival, kDeviceTypeVolume, E, 1, std::nullopt},
        BroadcastCase{"network", kDeviceArrival, kDeviceTypeVolume, E, 2, std::nullopt},
        BroadcastCase{"interface", kDeviceArrival, 5, E, 0, std::nullopt},
        BroadcastCase{"query_remove", 0x8001, kDeviceTypeVolume, E, 0, std::nullopt},
        BroadcastCase{"empty_mask", kDeviceArrival, kDeviceTypeVolume, 0, 0, std::nullopt},
        BroadcastCase{"no_letter", kDeviceArrival, kDeviceTypeVolume, 1u << 26, 0, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct Tables {
  DriveTable available{{u'C', 0}};
  DriveTable chosen{{u'C', 0}, {u'F', 0}};
  DriveIcons icons{{u'C', 7}};
  int lookups = 0;
  IconLookup lookup = [this](char16_t letter) {
    ++lookups;
    return static_cast<std::int32_t>(letter);
  };
};

TEST(ApplyVolumeArrival, FixedHotplugDriveEntersAndRefreshesChosenFlag) {
  FakeVolumes volumes = MixedMachine();
  Tables t;
  EXPECT_TRUE(ApplyVolumeArrival(volumes, u'F', t.available, t.chosen, t.icons, t.lookup));
  EXPECT_EQ(t.available, (DriveTable{{u'C', 0}, {u'F', 1}}));
  EXPECT_EQ(t.chosen, (DriveTable{{u'C', 0}, {u'F', 1}}));
  EXPECT_EQ(t.icons.at(u'F'), u'F');

  // A known icon is not looked up again, and arrival never adds a chosen drive.
  EXPECT_TRUE(ApplyVolumeArrival(volumes, u'C', t.available, t.chosen, t.icons, t.lookup));
  EXPECT_EQ(t.icons.at(u'C'), 7);
  EXPECT_EQ(t.lookups, 1);
  volumes.types[u'H'] = kDriveFixed;
  volumes.hotplug[u'H'] = 1;
  EXPECT_TRUE(ApplyVolumeArrival(volumes, u'H', t.available, t.chosen, t.icons, t.lookup));
  EXPECT_FALSE(t.chosen.contains(u'H'));
}

TEST(ApplyVolumeArrival, IgnoresDrivesThatAreNotFixedOrDoNotAnswer) {
  const FakeVolumes volumes = MixedMachine();
  for (char16_t letter : {u'D', u'E', u'G', u'K'}) {
    Tables t;
    EXPECT_FALSE(ApplyVolumeArrival(volumes, letter, t.available, t.chosen, t.icons, t.lookup));
    EXPECT_EQ(t.available, Tables{}.available);
    EXPECT_EQ(t.icons, Tables{}.icons);
    EXPECT_EQ(t.lookups, 0);
  }
}

TEST(ApplyVolumeRemoval, DriveStaysChosenAndRefreshOnlyWhenItWasAvailable) {
  Tables t;
  EXPECT_TRUE(ApplyVolumeRemoval(u'C', t.available, t.icons));
  EXPECT_TRUE(t.available.empty());
  EXPECT_TRUE(t.icons.empty());
  EXPECT_FALSE(ApplyVolumeRemoval(u'F', t.available, t.icons));
}

}  // namespace
