// The reader of the device description files (one ".cnf" file per
// microcontroller group, one section per device) into the device data, and
// the key lookups it shares with the firmware information reader.
//
// A key counts as absent when its text is empty; an absent key keeps its
// device value unless the key's own rule says otherwise, and a value that
// does not scan keeps what it held. A missing file is read as a file whose
// every key is absent, without a message.
#pragma once

#include <string>

// True when path names a file (not a folder).
bool FileExists(const std::string& path);

// The keys of one section of one settings file, read with the plug-in's
// reader. A missing file, or one that cannot be opened, yields no key (and is
// never loaded, so the reader shows no message for it).
class CDeviceFileKeys {
public:
    // The buffer every key is read into unless stated.
    static constexpr int kTextSize = 512;

    CDeviceFileKeys(std::string path, std::string section);

    bool FileFound() const { return m_exists; }
    const std::string& Path() const { return m_path; }
    const std::string& Section() const { return m_section; }

    // The key's text (at most size - 1 characters), empty when absent.
    std::string Text(const std::string& key, int size = kTextSize) const;
    // The key's decimal value, or the default.
    int Integer(const std::string& key, int defaultValue) const;
    // The key's hexadecimal value, or the default.
    int Hexadecimal(const std::string& key, int defaultValue) const;

private:
    std::string m_path;
    std::string m_section;
    bool m_exists;
};

// Reads the device values of the device section of the device description
// file at path (ReadDeviceConfigFile's work), the firmware information file
// that its "FIRM NAME" names among them.
void ReadDeviceDescription(const std::string& path, const std::string& section);
