#include <gtest/gtest.h>

#include "settings/settings_format.h"

namespace {

Settings DefaultsWithEnglish() {
  Settings settings;
  settings.languageName = u"English";
  return settings;
}

const Bytes kEnglishFile = {0x02, 0,    0, 0,   0, 0,   0, 0,   0x0D, 0x0A, 0, 0,
                            0,    0x07, 0, 0,   0, 'E', 0, 'n', 0,    'g',  0, 'l',
                            0,    'i',  0, 's', 0, 'h', 0, 1,   0,    0,    0};

// Values no field decodes to, so that every field read shows.
Settings Unlikely() {
  Settings settings;
  settings.wakeMode = -7;
  settings.interval = -7;
  settings.showBalloons = -7;
  return settings;
}

Settings RoundTrip(const Settings& settings) {
  Settings loaded = Unlikely();
  DecodeSettings(FromTextMode(ToTextMode(EncodeSettings(settings))), loaded);
  return loaded;
}

TEST(SettingsFormat, DefaultsGiveTheThirtyFiveByteFile) {
  const Bytes logical = EncodeSettings(DefaultsWithEnglish());
  EXPECT_EQ(logical.size(), 34u);
  EXPECT_EQ(ToTextMode(logical), kEnglishFile);
  Settings loaded = Unlikely();
  DecodeSettings(FromTextMode(kEnglishFile), loaded);
  EXPECT_EQ(loaded, DefaultsWithEnglish());
}

TEST(SettingsFormat, ChosenDrivesFollowTheCountInLetterOrder) {
  Settings settings = DefaultsWithEnglish();
  settings.chosenDrives = {{u'E', 1}, {u'C', 0}};
  const Bytes expected = {0x02, 0,   0, 0,   0x02, 0,    0, 0,   0x43, 0,   0, 0, 0, 0,   0x45, 0,
                          1,    0,   0, 0,   0x0D, 0x0A, 0, 0,   0,    7,   0, 0, 0, 'E', 0,    'n',
                          0,    'g', 0, 'l', 0,    'i',  0, 's', 0,    'h', 0, 1, 0, 0,   0};
  EXPECT_EQ(ToTextMode(EncodeSettings(settings)), expected);
  EXPECT_EQ(RoundTrip(settings), settings);
}

TEST(SettingsFormat, ValuesHoldingLineFeedsAndEndOfFileBytesRoundTrip) {
  Settings tenDrives = DefaultsWithEnglish();
  for (char16_t letter = u'A'; letter < u'K'; ++letter) tenDrives.chosenDrives[letter] = letter & 1;
  EXPECT_EQ(RoundTrip(tenDrives), tenDrives);

  Settings all = DefaultsWithEnglish();
  for (char16_t letter = u'A'; letter <= u'Z'; ++letter) all.chosenDrives[letter] = 1;
  all.interval = 0x0D0A;
  EXPECT_EQ(RoundTrip(all), all);

  Settings oddName;
  oddName.languageName = u"\x1A0A\x0A1A\x0D0A\x000D\x001A";
  oddName.wakeMode = 0x0A0D1A0A;
  EXPECT_EQ(RoundTrip(oddName), oddName);
}

TEST(SettingsFormat, TextModeTranslation) {
  EXPECT_EQ(ToTextMode({0x0A, 0x0D, 0x0A, 0x0A}),
            (Bytes{0x0D, 0x0A, 0x0D, 0x0D, 0x0A, 0x0D, 0x0A}));
  // A lone 0D stays, also at the end; 0D 0D 0A keeps the first 0D.
  EXPECT_EQ(FromTextMode({0x0D, 0x41, 0x0D, 0x0D, 0x0A, 0x0D}),
            (Bytes{0x0D, 0x41, 0x0D, 0x0A, 0x0D}));
  EXPECT_EQ(FromTextMode({0x1A, 0x0D, 0x0A}), (Bytes{0x1A, 0x0A}));
}

TEST(SettingsFormat, AFileCutAnywhereKeepsTheDefaultsOfTheMissingFields) {
  Settings full;
  full.wakeMode = 3;
  full.chosenDrives = {{u'C', 0}, {u'E', 1}};
  full.interval = 5;
  full.languageName = u"Deutsch";
  full.showBalloons = 0;
  const Bytes logical = EncodeSettings(full);
  // Offsets where each field ends.
  const std::size_t modeEnd = 4, firstDriveEnd = 14, drivesEnd = 20, intervalEnd = 24, nameEnd = 42;
  for (std::size_t cut = 0; cut < logical.size(); ++cut) {
    Settings loaded;
    DecodeSettings(Bytes(logical.begin(), logical.begin() + cut), loaded);
    Settings expected;
    if (cut >= modeEnd) expected.wakeMode = 3;
    if (cut >= firstDriveEnd) expected.chosenDrives[u'C'] = 0;
    if (cut >= drivesEnd) expected.chosenDrives[u'E'] = 1;
    if (cut >= intervalEnd) expected.interval = 5;
    if (cut >= nameEnd) expected.languageName = u"Deutsch";
    EXPECT_EQ(loaded, expected) << "cut at " << cut;
  }
  Bytes trailing = logical;
  trailing.insert(trailing.end(), {1, 2, 3});
  Settings loaded;
  DecodeSettings(trailing, loaded);
  EXPECT_EQ(loaded, full);
}

TEST(SettingsFormat, ImplausibleFieldsStopTheReading) {
  const auto decode = [](const Bytes& logical) {
    Settings settings;
    DecodeSettings(logical, settings);
    return settings;
  };
  // Drive count 27.
  Settings s = decode({1, 0, 0, 0, 27, 0, 0, 0, 'C', 0, 0, 0, 0, 0, 5, 0, 0, 0});
  EXPECT_EQ(s.wakeMode, 1);
  EXPECT_TRUE(s.chosenDrives.empty());
  EXPECT_EQ(s.interval, 10);

  // The second record's letter is not A to Z: the first stays.
  s = decode({1, 0, 0, 0, 2, 0, 0, 0, 'C', 0, 1, 0, 0, 0, 'c', 0, 0, 0, 0, 0, 5, 0, 0, 0});
  EXPECT_EQ(s.chosenDrives, (DriveTable{{u'C', 1}}));
  EXPECT_EQ(s.interval, 10);

  // A name of 255 units.
  Bytes longName(16 + 510 + 4, 'a');
  const unsigned char head[16] = {1, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 255, 0, 0, 0};
  std::copy(std::begin(head), std::end(head), longName.begin());
  s = decode(longName);
  EXPECT_EQ(s.interval, 5);
  EXPECT_EQ(s.languageName, u"");
  EXPECT_EQ(s.showBalloons, 1);

  // Flags other than 0 and 1 read as set.
  s = decode({0, 0, 0, 0, 1, 0, 0, 0, 'D', 0, 7, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2});
  EXPECT_EQ(s.chosenDrives, (DriveTable{{u'D', 1}}));
  EXPECT_EQ(s.showBalloons, 1);
}

TEST(SettingsFormat, TheTemporaryFileIsNeverLongerThanTheSettingsFile) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"C:\\Tools\\settings.cfg", u"C:\\Tools\\settings.tmp"},
      {u"C:\\settings.tmp", u"C:\\settings.tm~"},
      {u"C:\\a.b\\settings", u"C:\\a.b\\setting~"},
      {u"x~", u"x_"},
  };
  for (const auto& [path, temporary] : cases) EXPECT_EQ(TemporaryPathFor(path), temporary);
}

}  // namespace
