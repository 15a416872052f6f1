// CMotFile: reads a Motorola S-record file beside the plug-in and hands out
// blocks of contiguous data bytes with their start address.
//
// S1, S2 and S3 records carry data (16-, 24- and 32-bit addresses); S0 is the
// header; S7, S8 and S9 end the file; S5 and S6 count the data records before
// them (the count is checked). A line that breaks the format (checksum, a
// count byte that names more than the line holds, a type that is no digit,
// an S4) closes the file with kMotFileError (mot_record.h).
//
// The file is read in large chunks and its lines are cut out in place: a
// firmware image is megabytes of text, read on every connect.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// The reader's failure: a missing file or a bad line.
inline constexpr WORD kMotFileError = 2062;

class CMotFile {
public:
    // The longest line read; a longer one is a bad line.
    static constexpr std::size_t kMaxLineLength = 551;
    // A block gathered from several records stays below this size.
    static constexpr std::size_t kBlockSize = 2048;
    // The bytes read from the file at once.
    static constexpr std::size_t kChunkSize = 1 << 16;

    CMotFile() = default;
    virtual ~CMotFile();
    CMotFile(const CMotFile&) = delete;
    CMotFile& operator=(const CMotFile&) = delete;

    // Opens the file of that name in the plug-in's folder; 0 or kMotFileError.
    virtual WORD Open(const char* name);
    // The next block of contiguous bytes (length 0 at the end of the file).
    // The data stays valid until the next call. 0 or kMotFileError.
    virtual WORD ReadBlock(WORD* length, const BYTE** data, DWORD* address);
    // True once the last line has been read and no record is pending.
    virtual bool IsAtEnd() const;
    // How far the reading has come, as a percentage of the file's length.
    virtual DWORD Tell() const;
    // The next data record (length 0 at the end of the file); 0 or
    // kMotFileError.
    virtual WORD ReadDataRecord(WORD* length, const BYTE** data, DWORD* address);

    void Close();

private:
    enum class LineResult { Line, End, TooLong };
    // The next line, without its line end, in the reader's buffer.
    LineResult ReadLine(std::string_view& line);
    // Moves the unread bytes to the front and reads the next chunk behind
    // them; false when the file has nothing more.
    bool Refill();

    std::FILE* m_file = nullptr;
    std::vector<char> m_buffer;
    std::size_t m_bufferStart = 0;  // the first unread byte
    std::size_t m_bufferEnd = 0;    // past the last byte read
    long m_consumed = 0;            // bytes of the file taken as lines
    bool m_atEnd = true;
    long m_fileLength = 0;
    DWORD m_blockAddress = 0;
    WORD m_blockLength = 0;
    std::array<BYTE, kBlockSize> m_block{};
    DWORD m_pendingAddress = 0;
    WORD m_pendingLength = 0;
    DWORD m_dataRecordCount = 0;
    // The data bytes of the last record read (an S0 header as a text).
    std::array<BYTE, 256> m_record{};
};
