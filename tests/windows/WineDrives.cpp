#include "WineDrives.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "OsLayer.h"

namespace {

// The probe and locale tests read the prefix's drives through the Win32 layer, installed
// once for the whole run as the programs do at start.
class SystemLayer : public ::testing::Environment {
public:
    void SetUp() override { platform::installLayer(platform::createSystemLayer()); }
    void TearDown() override { platform::installLayer(nullptr); }
};

[[maybe_unused]] const auto* const kSystemLayer =
    ::testing::AddGlobalTestEnvironment(new SystemLayer);

}  // namespace

namespace wine_drives {

const std::vector<ExpectedDrive>& answeringDrives() {
    static const std::vector<ExpectedDrive> drives = {
        {'C', "", "NTFS", DRIVE_FIXED, "Local drive", std::nullopt, ""},
        {'L', "Données 1", "NTFS", DRIVE_FIXED, "Local drive", 0x12AB34CD, "12AB-34CD"},
        {'M', "DISC_01", "CDFS", DRIVE_CDROM, "CD/DVD rom", 0x0000ABCD, "0000-ABCD"},
        {'N', "Share", "NTFS", DRIVE_REMOTE, "Network drive", 0xDEADBEEF, "DEAD-BEEF"},
        {'R', "", "NTFS", DRIVE_REMOVABLE, "Removable drive", 0x00C0FFEE, "00C0-FFEE"},
        {'Z', "", "NTFS", DRIVE_FIXED, "Local drive", std::nullopt, ""},
    };
    return drives;
}

bool runningUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace wine_drives
