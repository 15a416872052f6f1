// The plug-in's own reader of its configuration files (its .CNF file and the
// device description files), the message box through which it shows errors,
// and the paths of its files.
//
// The reader loads a whole file once and looks every key up in that copy:
// section and key names are compared exactly (case and length), a key line is
// name "=" value, and the value runs to the end of its line.
#pragma once

#include "platform/wintypes.h"

#include <string>
#include <vector>

// The loaded content of one settings file, kept by the target object.
class CSettingsFileCache {
public:
    bool IsLoaded() const { return !m_content.empty(); }
    const std::string& FileName() const { return m_fileName; }
    // The content ends with the bytes 0x1A and 0.
    const std::vector<char>& Content() const { return m_content; }

    void SetFileName(std::string fileName) { m_fileName = std::move(fileName); }
    void SetContent(std::vector<char> content) { m_content = std::move(content); }
    void Clear() { m_content.clear(); }

private:
    std::string m_fileName;
    std::vector<char> m_content;
};

// The current configuration file that every reader of the plug-in passes: the
// plug-in's own .CNF, later the device description file of the selected group.
extern char g_cnfPath[MAX_PATH];

// Builds the plug-in's own .CNF path into g_cnfPath: the module folder, the
// module name in upper case, ".CNF".
void BuildCnfPath();
// That path, whatever g_cnfPath names now.
std::string GetPluginCnfPath();
// The plug-in module's name without folder and extension.
std::string GetPluginModuleName();

// The plug-in's own settings file: the module folder, the module name, ".ini".
std::string GetPluginSettingsFilePath();

// Copies the value of key in section of file into buffer (at most size-1
// characters and a NUL) and returns its length; a missing section or key
// gives the default. When the file cannot be loaded, answers 0 and leaves the
// buffer untouched.
int ReadProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, int size, LPCSTR file);
// The target object's cache of the current settings file (defined with the
// target object, which keeps it).
CSettingsFileCache& GetTargetSettingsCache();

// Loads file into the target's cache; 1 loaded, 0 failed (after a message).
BOOL LoadProfileFile(LPCSTR file);
// The integer value of a key, or the default.
int ReadProfileInt(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file);
// A key's value read as hexadecimal, or the default.
int ReadProfileValue(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file);

// 1 when the system is of the Windows 9x platform (set by the target object
// when it is built), where the profile functions cannot be trusted with the
// plug-in's files.
extern DWORD g_isWin9x;

// Shows text in a modal message box with the plug-in's caption and answers the
// pressed button.
int ShowTargetError(LPCSTR text, UINT type);
// How many error boxes ShowTargetError has shown: boxes with an OK button
// alone, which tell and ask nothing (a question such as "Connector
// disconnected" with Retry and Cancel is no error box). A step that fails
// after an inner step has shown its own error compares the counts and shows
// none of its own: one failure, one box.
DWORD TargetErrorsShown();
// Shows a string of the plug-in's string table; 1 (OK) without a box for id 0.
int ShowTargetMessage(UINT stringId, UINT type);
// A string of the plug-in's string table (empty when it has none).
std::string LoadTargetString(UINT stringId);
