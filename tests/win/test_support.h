// Shared by the Windows tests: fresh model packages built from the module under test.
#pragma once

#include <windows.h>

#include <string>

namespace qxtest {

// Source and build folders, as Wine paths.
std::wstring SourceDir();
std::wstring BinaryDir();
std::wstring BuiltModulePath();

// A fresh folder under the build's test area, emptied first.
std::wstring FreshFolder(const std::wstring& name);

void WriteTextFile(const std::wstring& path, const std::string& utf8);
std::string ReadTextFile(const std::wstring& path);  // as UTF-8, whatever the file's encoding
bool FileExists(const std::wstring& path);

// Removes HKCU\SOFTWARE\QXPrint\<base> so a test starts as a user who never ran the module.
void ForgetUser(const std::wstring& moduleBase);
std::wstring ReadUserString(const std::wstring& moduleBase, const wchar_t* name);

}  // namespace qxtest

namespace qxhost {
class ModulePackage;
}

namespace qxtest {

// Copies the built module into folder as moduleFile, the way a model package ships it.
std::wstring StageModule(const std::wstring& folder, const std::wstring& moduleFile);

std::wstring GetText(qxhost::ModulePackage& module, bool fromTextFile, const wchar_t* section, const wchar_t* key);

}  // namespace qxtest
