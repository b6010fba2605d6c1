#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "settings/settings_file.h"

namespace {

Bytes FileBytes(const wchar_t* path) {
  Bytes bytes;
  const HANDLE file =
      CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool Exists(const wchar_t* path) {
  return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

Settings Sample() {
  Settings settings;
  settings.wakeMode = 3;
  settings.chosenDrives = {{u'C', 0}, {u'J', 1}};  // J: 0x4A, and a count of 2
  settings.interval = 10;                          // stored as 0D 0A
  settings.languageName = u"Fran\u00E7ais\x1A";
  settings.showBalloons = 0;
  return settings;
}

TEST(SettingsFile, SaveThenLoadBesideTheModule) {
  CreateDirectoryW(L"P:\\module", nullptr);
  const std::u16string path = u"P:\\module\\settings.cfg";
  ASSERT_TRUE(WriteSettingsFile(path, Sample()));
  EXPECT_EQ(FileBytes(L"P:\\module\\settings.cfg"), ToTextMode(EncodeSettings(Sample())));
  EXPECT_FALSE(Exists(L"P:\\module\\settings.tmp"));

  Settings loaded;
  ReadSettingsFile(path, loaded);
  EXPECT_EQ(loaded, Sample());

  // A second save replaces the first.
  Settings changed = Sample();
  changed.interval = 5;
  ASSERT_TRUE(WriteSettingsFile(path, changed));
  Settings reloaded;
  ReadSettingsFile(path, reloaded);
  EXPECT_EQ(reloaded, changed);
  DeleteFileW(L"P:\\module\\settings.cfg");
}

TEST(SettingsFile, MissingFileKeepsTheDefaults) {
  Settings loaded;
  ReadSettingsFile(u"P:\\nowhere\\settings.cfg", loaded);
  EXPECT_EQ(loaded, Settings{});
}

TEST(SettingsFile, AFailedSaveKeepsThePreviousFile) {
  // Q:\readonly cannot take the temporary file.
  const Bytes before = FileBytes(L"Q:\\readonly\\settings.cfg");
  ASSERT_FALSE(before.empty());
  EXPECT_FALSE(WriteSettingsFile(u"Q:\\readonly\\settings.cfg", Sample()));
  EXPECT_EQ(FileBytes(L"Q:\\readonly\\settings.cfg"), before);
  EXPECT_FALSE(Exists(L"Q:\\readonly\\settings.tmp"));

  // Another program holds the file open without sharing.
  CreateDirectoryW(L"P:\\held", nullptr);
  ASSERT_TRUE(WriteSettingsFile(u"P:\\held\\settings.cfg", Settings{}));
  const Bytes previous = FileBytes(L"P:\\held\\settings.cfg");
  const HANDLE held = CreateFileW(L"P:\\held\\settings.cfg", GENERIC_READ | GENERIC_WRITE, 0,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteSettingsFile(u"P:\\held\\settings.cfg", Sample()));
  CloseHandle(held);
  EXPECT_EQ(FileBytes(L"P:\\held\\settings.cfg"), previous);
  EXPECT_FALSE(Exists(L"P:\\held\\settings.tmp"));
  DeleteFileW(L"P:\\held\\settings.cfg");
}

// Logical streams without 0x1A: random bytes, runs of 0A and 0D, a 0D at the end, and lengths
// around the runtime's 4096-byte buffer.
std::vector<Bytes> TextModeCorpus() {
  std::mt19937 random(20261207);
  std::vector<Bytes> corpus = {
      {}, {0x0D}, {0x0A}, {0x0D, 0x0A}, {0x0A, 0x0D}, {0x0D, 0x0D, 0x0A}, {0x41, 0x0D}};
  for (int i = 0; i < 200; ++i) {
    const std::size_t length = i < 20 ? 4090 + i : random() % 600;
    Bytes stream;
    while (stream.size() < length) {
      const unsigned kind = random() % 4;
      if (kind == 0) {
        stream.insert(stream.end(), random() % 5 + 1, 0x0A);
      } else if (kind == 1) {
        stream.insert(stream.end(), random() % 5 + 1, 0x0D);
      } else {
        unsigned char byte = static_cast<unsigned char>(random());
        if (byte == 0x1A) byte = 0x1B;
        stream.push_back(byte);
      }
    }
    stream.resize(length);
    if (i % 3 == 0) stream.push_back(0x0D);
    corpus.push_back(stream);
  }
  return corpus;
}

TEST(SettingsTextMode, MatchesTheRuntimesTextStreams) {
  const char* path = "P:\\textmode.bin";
  int index = 0;
  for (const Bytes& logical : TextModeCorpus()) {
    FILE* file = nullptr;
    ASSERT_EQ(fopen_s(&file, path, "w"), 0);
    fwrite(logical.data(), 1, logical.size(), file);
    fclose(file);
    const Bytes stored = FileBytes(L"P:\\textmode.bin");
    EXPECT_EQ(stored, ToTextMode(logical)) << "writing stream " << index;

    ASSERT_EQ(fopen_s(&file, path, "r"), 0);
    Bytes read(stored.size() + 16);
    read.resize(fread(read.data(), 1, read.size(), file));
    fclose(file);
    EXPECT_EQ(read, FromTextMode(stored)) << "reading stream " << index;
    EXPECT_EQ(read, logical) << "stream " << index;
    ++index;
  }
  DeleteFileW(L"P:\\textmode.bin");
}

}  // namespace
