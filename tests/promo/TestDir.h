// A fresh directory under the temporary directory for one test, removed with everything in it afterwards.
#pragma once

#include <string>
#include <vector>

class TestDir {
public:
    TestDir();
    ~TestDir();
    TestDir(const TestDir&) = delete;
    TestDir& operator=(const TestDir&) = delete;

    const std::wstring& path() const { return path_; }  // ends with "\"

private:
    std::wstring path_;
};

// Whole-file helpers for tests.
std::string readFile(const std::wstring& name);
void writeFile(const std::wstring& name, const std::string& bytes);
bool fileExists(const std::wstring& name);
// Names of the files in a directory (ending with "\"), sorted.
std::vector<std::wstring> listFiles(const std::wstring& dir);
