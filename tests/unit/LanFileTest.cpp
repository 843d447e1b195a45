#include "FileBytes.h"
#include "lang/LanFile.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

std::string CarriedLanFile()
{
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(IDR_LANFILE), L"INI");
    if (res == nullptr)
        return std::string();
    const char* bytes = static_cast<const char*>(::LockResource(::LoadResource(module, res)));
    return std::string(bytes, ::SizeofResource(module, res));
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string Utf16File(const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

std::vector<std::wstring> SplitCrLf(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

std::wstring TempPath(const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

// Points lookups at a file of the test's own and restores the path after.
class LanLookupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = g_strLanFilePath;
        m_path = TempPath(L"lanlookup-test.ini");
        g_strLanFilePath = m_path;
    }
    void TearDown() override
    {
        ::DeleteFileW(m_path.c_str());
        g_strLanFilePath = m_saved;
    }
    std::wstring m_path;
    std::wstring m_saved;
};

} // namespace

TEST(LanFileFormatTest, CarriedFileHasTheExactLayout)
{
    std::string bytes = CarriedLanFile();
    ASSERT_GE(bytes.size(), 2u);
    ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    ASSERT_EQ(bytes.size() % 2, 0u);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    EXPECT_EQ(text.find(L'\n'), text.find(L"\r\n") + 1) << "every line ends with CR LF";

    std::vector<std::wstring> lines = SplitCrLf(text);
    const wchar_t* keys[] = {L"STR_COMPANY_NAME",    L"STR_PROCESS_NAME",   L"STR_PROJECT_NAME",
                             L"STR_DOWN_URL",        L"STR_LICENCE_URL",    L"STR_CLOSE_TIP",
                             L"STR_SOFT_TIP",        L"STR_INSTALL_PATH",   L"STR_AGREE_INSTALL",
                             L"STR_AGREE",           L"STR_NOTICE_PROCESS1", L"STR_NOTICE_PROCESS2",
                             L"STR_DOWNLOADING",     L"STR_BEING_INSTALLED", L"STR_INSTALLING_WAIT",
                             L"STR_FINISH",          L"STR_ERROR",          L"STR_NETWORK_ERROR",
                             L"STR_SYSTEM_ERROR",    L"STR_SELECT_FOLDER"};
    const size_t keyCount = sizeof(keys) / sizeof(keys[0]);
    // "[LANSTR]", the keys, six empty lines, and the empty rest after the last CR LF.
    ASSERT_EQ(lines.size(), 1 + keyCount + 6 + 1);
    EXPECT_EQ(lines[0], L"[LANSTR]");
    for (size_t i = 0; i < keyCount; ++i) {
        std::wstring key = keys[i];
        EXPECT_EQ(lines[1 + i].compare(0, key.size(), key), 0) << "line " << i + 1;
        EXPECT_FALSE(lines[1 + i].substr(key.size()).empty());
    }
    for (size_t i = 1 + keyCount; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i].empty()) << "line " << i;
    EXPECT_EQ(lines[20], L"STR_SELECT_FOLDER = Select folder");
    EXPECT_EQ(lines[5].compare(0, 18, L"STR_LICENCE_URL=  "), 0);
    EXPECT_NE(lines[5][18], L' ');
    EXPECT_EQ(text.find(L"STR_URL_ERROR"), std::wstring::npos);
}

TEST(LanFileFormatTest, DataFolderIsNamedAfterTheExecutable)
{
    struct Case {
        const wchar_t* exe;
        const wchar_t* folder;
    } cases[] = {
        {L"C:\\dl\\Setup.exe", L"C:\\ProgramData\\TarvenixDown\\Setup"},
        {L"C:\\dl\\Pellucor.Setup.exe", L"C:\\ProgramData\\TarvenixDown\\Pellucor.Setup"},
        {L"C:\\dl.d\\NoExtension", L"C:\\ProgramData\\TarvenixDown\\NoExtension"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeDataFolderPath(L"C:\\ProgramData", c.exe), c.folder);
}

TEST(LanFileFormatTest, ExtractWritesTheCarriedBytesOverAnEditedFile)
{
    std::wstring saved = g_strLanFilePath;
    InitLanFilePath();
    std::wstring path = g_strLanFilePath;
    g_strLanFilePath = saved;
    EXPECT_EQ(path, GetDataFolderPath() + L"\\English.ini");

    ExtractLanFile();
    EXPECT_EQ(ReadFileBytes(path), CarriedLanFile());

    WriteFileBytes(path, Utf16File(L"[LANSTR]\r\nSTR_ERROR=edited\r\n"));
    ExtractLanFile();
    EXPECT_EQ(ReadFileBytes(path), CarriedLanFile());
}

TEST_F(LanLookupTest, FollowsTheReadingRules)
{
    std::wstring longValue(300, L'x');
    WriteFileBytes(m_path, Utf16File(L"[LANSTR]\r\n"
                                     L"STR_PLAIN=Pellucor Setup\r\n"
                                     L"STR_SELECT_FOLDER = Select folder\r\n"
                                     L"STR_LICENCE_URL=  http://host/licence.html  \r\n"
                                     L"STR_LONG=" + longValue + L"\r\n"
                                     L"STR_EMPTY=\r\n"
                                     L"[OTHER]\r\n"
                                     L"STR_ELSEWHERE=not here\r\n"));
    struct Case {
        const wchar_t* key;
        std::wstring expected;
    } cases[] = {
        {L"STR_PLAIN", L"Pellucor Setup"},
        {L"STR_SELECT_FOLDER", L"Select folder"},
        {L"STR_LICENCE_URL", L"http://host/licence.html"},
        {L"STR_LONG", longValue.substr(0, 255)},
        {L"STR_EMPTY", L""},
        {L"STR_URL_ERROR", L""},
        {L"STR_ELSEWHERE", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadLanString(c.key), c.expected) << c.key;
}

TEST_F(LanLookupTest, MissingFileGivesEmptyTexts)
{
    ::DeleteFileW(m_path.c_str());
    EXPECT_EQ(LoadLanString(L"STR_ERROR"), L"");
}
