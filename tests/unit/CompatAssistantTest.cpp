#include "app/App.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

const wchar_t COMPAT_KEY[] =
    L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility Assistant";
const wchar_t PERSISTED_KEY[] =
    L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility Assistant\\Persisted";

bool KeyExists(const wchar_t* path)
{
    HKEY key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// Runs in the test's own Wine prefix: the registry is real and thrown away after.
class CompatAssistantTest : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, COMPAT_KEY); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, COMPAT_KEY); }
};

} // namespace

TEST_F(CompatAssistantTest, WithoutThePersistedKeyNothingIsCreated)
{
    EXPECT_FALSE(RegisterCompatPersisted());
    EXPECT_FALSE(KeyExists(PERSISTED_KEY));
    EXPECT_FALSE(KeyExists(COMPAT_KEY));
}

TEST_F(CompatAssistantTest, RecordsTheExecutablePathAsDwordOne)
{
    HKEY key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, PERSISTED_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(key);

    for (int run = 0; run < 2; ++run) { // a second start writes the same value again
        EXPECT_TRUE(RegisterCompatPersisted());
        wchar_t exe[MAX_PATH];
        ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
        DWORD type = 0;
        DWORD data = 0;
        DWORD size = sizeof(data);
        ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, PERSISTED_KEY, exe, RRF_RT_ANY, &type, &data, &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(size, 4u);
        EXPECT_EQ(data, 1u);
    }
}
