#include <gtest/gtest.h>

#include "drives/drive_discovery.h"
#include "drives/probe.h"
#include "drives/system_volumes.h"
#include "tests/win32/test_volumes.h"

namespace {

TEST(DrivesDiscovery, ListsFixedDrivesWhoseQueryTheSeamAnswers) {
  CTestVolumes volumes;
  // R: (CD-ROM) and S: (floppy) answer too, but are not fixed; C: is fixed but does not answer.
  volumes.hotplug = {{u'P', 1}, {u'Q', 0}, {u'R', 1}, {u'S', 0}};
  DriveTable drives;
  FindFixedDrives(volumes, drives);
  EXPECT_EQ(drives, (DriveTable{{u'P', 1}, {u'Q', 0}}));
}

TEST(DrivesDiscovery, TestDrivesHaveTheirTypes) {
  EXPECT_EQ(GetDriveTypeW(L"P:\\"), static_cast<UINT>(DRIVE_FIXED));
  EXPECT_EQ(GetDriveTypeW(L"R:\\"), static_cast<UINT>(DRIVE_CDROM));
  EXPECT_EQ(GetDriveTypeW(L"S:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
}

TEST(DrivesDiscovery, QueryGivesNothingWhenTheDeviceCannotBeOpenedOrAnswered) {
  EXPECT_EQ(QueryHotplugFlag(L'K'), std::nullopt);  // no such drive
  // Wine opens the volume but answers the query with ERROR_NOT_SUPPORTED.
  EXPECT_EQ(QueryHotplugFlag(L'C'), std::nullopt);
}

TEST(DrivesDiscovery, DrivesAppearingBetweenTheCallsAreNotLost) {
  // Before each of the first two calls that could fill the buffer, one more drive arrives.
  std::wstring listed = std::wstring(L"C:\\") + L'\0';
  int arrivals = 0;
  const auto query = [&](DWORD size, wchar_t* buffer) -> DWORD {
    if (size != 0 && arrivals < 2) listed += std::wstring(1, L"DE"[arrivals++]) + L":\\" + L'\0';
    if (size <= listed.size()) return static_cast<DWORD>(listed.size() + 1);
    listed.copy(buffer, listed.size());
    buffer[listed.size()] = L'\0';
    return static_cast<DWORD>(listed.size());
  };
  EXPECT_EQ(ReadDriveRoots(query), (std::vector<std::u16string>{u"C:\\", u"D:\\", u"E:\\"}));
}

TEST(DrivesProbe, WritesTheFourteenBytesThenDeletesTheFile) {
  RemoveProbeFile(L'P');
  CProbeWatch watch(L'P');
  ProbeDrive(L'P');
  EXPECT_EQ(watch.Content(), "Quorvalestrane");
  EXPECT_FALSE(watch.ExistsAfterClose());
}

TEST(DrivesProbe, EmptiesALeftoverFile) {
  RemoveProbeFile(L'P');
  const HANDLE leftover =
      CreateFileW(L"P:\\qv_probe.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(leftover, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(leftover, "a much longer leftover text", 27, &written, nullptr);
  CloseHandle(leftover);

  CProbeWatch watch(L'P');
  ProbeDrive(L'P');
  EXPECT_EQ(watch.Content(), "Quorvalestrane");
  EXPECT_FALSE(watch.ExistsAfterClose());
}

TEST(DrivesProbe, ReadOnlyDriveGetsNoFileAndRaisesNothing) {
  const HANDLE canary =
      CreateFileW(L"O:\\canary.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (canary != INVALID_HANDLE_VALUE) {
    CloseHandle(canary);
    DeleteFileW(L"O:\\canary.txt");
    GTEST_SKIP() << "this machine could not make O: read-only";
  }
  ProbeDrive(L'O');
  EXPECT_EQ(GetFileAttributesW(L"O:\\qv_probe.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST(DrivesProbe, HeldFileIsLeftAlone) {
  // Another program holds the file without sharing: the open fails and nothing is deleted.
  RemoveProbeFile(L'Q');
  const HANDLE held = CreateFileW(L"Q:\\qv_probe.txt", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ProbeDrive(L'Q');
  DWORD size = GetFileSize(held, nullptr);
  CloseHandle(held);
  EXPECT_EQ(size, 0u);
  EXPECT_NE(GetFileAttributesW(L"Q:\\qv_probe.txt"), INVALID_FILE_ATTRIBUTES);
  RemoveProbeFile(L'Q');
}

}  // namespace
