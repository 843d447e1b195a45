// The language file: every text the installer shows, plus its download address,
// licence address and product process name, live in one UTF-16 INI file
// (section LANSTR). The program carries it as a resource and writes it to its
// data folder at every start; lookups read the file on disk each time.
#pragma once

#include <string>

// Path of English.ini in the data folder; set once at start-up, before any
// window or worker thread exists.
extern std::wstring g_strLanFilePath;

// <common application data>\TarvenixDown\<executable name without extension>
std::wstring GetDataFolderPath();

// Pure part of the above: the folder for a given common data folder and
// executable path.
std::wstring MakeDataFolderPath(const std::wstring& commonAppData, const std::wstring& exePath);

// Writes the carried language file into the data folder, replacing any copy
// there. Failures are silent: lookups then read whatever file is there.
void ExtractLanFile();

void InitLanFilePath();

// The text of key in section LANSTR, empty when missing. Safe from any thread.
std::wstring LoadLanString(const wchar_t* key);
