#include "native_system.h"
#include "only_on.h"
#include "recording_window.h"
#include "rivoconfig.h"
#include "rivoreg.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

// The advapi32 backend against the real registry, filled by
// scripts/test-windows: the values live in the 32-bit view, as a 32-bit
// installer writes them, with decoys in the 64-bit view.
namespace rivo {
namespace {

const std::string kValues = "SOFTWARE\\Vantora\\RivoEdit Tests";
// "C:\Spiele\Kestra Müller" in Windows-1252.
const std::string kInstallDir = "C:\\Spiele\\Kestra M\xFC"
                                "ller";

class WindowsRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        RIVO_SKIP_ON(Posix, test::kNoWindowsRegistry);
        if (!test::scriptRegistryValuesThere()) {
            GTEST_SKIP() << test::kNoScriptRegistryValues;
        }
        registry = test::nativeRegistry();
    }
    std::unique_ptr<reg::RegistryApi> registry;
};

struct RegistryCase {
    std::string key;
    const char* name;
    RegistryValue expected;
};

TEST_F(WindowsRegistryTest, ReadsTheGamesViewFirstThenThe64BitViewThenTheVirtualStore) {
    const RegistryValue empty;
    const std::vector<RegistryCase> cases = {
        {kValues, "Text", std::string("C:\\Games\\Kestra")},
        {kValues, "TEXT", std::string("C:\\Games\\Kestra")},
        {kValues, "Number", std::int32_t{42}},
        {kValues, "Expand", empty},
        {kValues, "Multi", empty},
        {kValues, "Only64", empty}, // only in the 64-bit view
        {kValues, "Missing", empty},
        // Only in the 64-bit view: found there after the 32-bit view.
        {"SOFTWARE\\Vantora\\RivoEdit 64-bit Only", "Text", std::string("C:\\x")},
        {"SOFTWARE\\Vantora\\Nowhere", "Text", empty},
        // Only in the user's registry VirtualStore, where a virtualized
        // installer's writes went.
        {"SOFTWARE\\Vantora\\RivoEdit Virtualized", "Text", std::string("C:\\Virtual")},
        {kGameRegistryKey, kInstallDirValue, kInstallDir},
    };
    for (const RegistryCase& c : cases) {
        EXPECT_EQ(RegReadValue(*registry, c.key, c.name), c.expected) << c.key << " " << c.name;
    }

    test::RecordingWindow window;
    std::string InstallDir;
    LocateInstallDir(*registry, window, InstallDir);
    EXPECT_EQ(InstallDir, kInstallDir);
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(WindowsRegistryTest, TextStoredWithoutItsNulKeepsItsLastLetter) {
#ifdef _WIN32
    // reg.exe always adds the NUL, so the value is stored here, in the
    // script's own key. RegSetValueExW counts a NUL that follows the data
    // in, as Windows does: "C:\Kestra" is followed by an X instead.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Vantora\\RivoEdit Tests", 0, nullptr,
                              0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t text[] = L"C:\\KestraX";
    const auto bytes = static_cast<DWORD>(sizeof text - 2 * sizeof(wchar_t));
    EXPECT_EQ(RegSetValueExW(key, L"NoNul", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes),
              ERROR_SUCCESS);
    RegCloseKey(key);
#endif
    EXPECT_EQ(RegReadValue(*registry, kValues, "NoNul"), RegistryValue(std::string("C:\\Kestra")));
}

} // namespace
} // namespace rivo
