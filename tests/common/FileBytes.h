// Whole files as bytes, for tests that compare what landed on disk.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
