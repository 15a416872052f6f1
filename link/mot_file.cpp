#include "link/mot_file.h"

#include "link/mot_record.h"
#include "config/module_folder.h"

#include "platform/crt.h"

#include <algorithm>
#include <cstring>

CMotFile::~CMotFile() {
    Close();
}

void CMotFile::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_atEnd = true;
    m_fileLength = 0;
    m_bufferStart = 0;
    m_bufferEnd = 0;
}

WORD CMotFile::Open(const char* name) {
    Close();
    m_blockLength = 0;
    m_pendingLength = 0;
    m_dataRecordCount = 0;
    if (name == nullptr) {
        return kMotFileError;
    }
    const std::string path = GetModuleDirectory() + name;
    m_file = _fsopen(path.c_str(), "rb", _SH_DENYNO);
    if (m_file == nullptr) {
        return kMotFileError;
    }
    std::fseek(m_file, 0, SEEK_END);
    m_fileLength = std::ftell(m_file);
    std::fseek(m_file, 0, SEEK_SET);
    m_atEnd = m_fileLength <= 0;
    m_buffer.resize(kChunkSize);
    m_bufferStart = 0;
    m_bufferEnd = 0;
    m_consumed = 0;
    return 0;
}

bool CMotFile::Refill() {
    if (m_file == nullptr) {
        return false;
    }
    if (m_bufferStart != 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_bufferStart, m_bufferEnd - m_bufferStart);
        m_bufferEnd -= m_bufferStart;
        m_bufferStart = 0;
    }
    const std::size_t read = std::fread(m_buffer.data() + m_bufferEnd, 1, m_buffer.size() - m_bufferEnd, m_file);
    m_bufferEnd += read;
    return read != 0;
}

CMotFile::LineResult CMotFile::ReadLine(std::string_view& line) {
    line = {};
    const char* end = nullptr;
    while (true) {
        const char* begin = m_buffer.data() + m_bufferStart;
        end = static_cast<const char*>(std::memchr(begin, '\n', m_bufferEnd - m_bufferStart));
        if (end != nullptr) {
            break;
        }
        const std::size_t unread = m_bufferEnd - m_bufferStart;
        if (unread > kMaxLineLength + 1) {
            // No line end within reach: the line is too long whatever follows.
            return LineResult::TooLong;
        }
        if (!Refill()) {
            if (m_bufferEnd == m_bufferStart) {
                return LineResult::End;
            }
            end = m_buffer.data() + m_bufferEnd;  // the last line has no line end
            break;
        }
    }
    const char* begin = m_buffer.data() + m_bufferStart;
    const std::size_t taken = static_cast<std::size_t>(end - begin);
    const std::size_t next = std::min(taken + 1, m_bufferEnd - m_bufferStart);
    m_bufferStart += next;
    m_consumed += static_cast<long>(next);
    std::size_t length = taken;
    if (length != 0 && begin[length - 1] == '\r') {
        --length;
    }
    if (length > kMaxLineLength) {
        return LineResult::TooLong;
    }
    line = std::string_view(begin, length);
    return LineResult::Line;
}

WORD CMotFile::ReadDataRecord(WORD* length, const BYTE** data, DWORD* address) {
    *length = 0;
    *data = m_record.data();
    std::string_view line;
    while (!m_atEnd) {
        const LineResult read = ReadLine(line);
        if (read == LineResult::End) {
            m_atEnd = true;
            break;
        }
        if (read == LineResult::TooLong) {
            Close();
            return kMotFileError;
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;  // a blank line carries nothing
        }
        const MotRecord record = ParseMotRecord(line);
        switch (record.kind) {
        case MotRecord::Kind::Header:
        case MotRecord::Kind::End:
            continue;
        case MotRecord::Kind::Count:
            if (record.address != m_dataRecordCount) {
                Close();
                return kMotFileError;
            }
            continue;
        case MotRecord::Kind::Bad:
            Close();
            return kMotFileError;
        case MotRecord::Kind::Data:
            ++m_dataRecordCount;
            if (record.length == 0) {
                continue;
            }
            std::memcpy(m_record.data(), record.data.data(), record.length);
            *length = record.length;
            *address = record.address;
            return 0;
        }
    }
    return 0;
}

WORD CMotFile::ReadBlock(WORD* length, const BYTE** data, DWORD* address) {
    if (m_pendingLength != 0) {
        m_blockAddress = m_pendingAddress;
        std::memcpy(m_block.data(), m_record.data(), m_pendingLength);
        m_blockLength = m_pendingLength;
        m_pendingLength = 0;
    }
    while (!m_atEnd) {
        WORD recordLength = 0;
        const BYTE* recordData = nullptr;
        DWORD recordAddress = 0;
        if (const WORD result = ReadDataRecord(&recordLength, &recordData, &recordAddress); result != 0) {
            m_blockLength = 0;
            return result;
        }
        if (recordLength == 0) {
            break;
        }
        if (m_blockLength == 0) {
            m_blockAddress = recordAddress;
        }
        // A record that does not continue the block, or would fill it, starts
        // the next one.
        if (recordAddress != m_blockAddress + m_blockLength || recordLength >= kBlockSize - m_blockLength) {
            m_pendingAddress = recordAddress;
            m_pendingLength = recordLength;
            break;
        }
        std::memcpy(m_block.data() + m_blockLength, recordData, recordLength);
        m_blockLength = static_cast<WORD>(m_blockLength + recordLength);
    }
    *length = m_blockLength;
    *data = m_block.data();
    *address = m_blockAddress;
    m_blockLength = 0;
    return 0;
}

bool CMotFile::IsAtEnd() const {
    return m_atEnd && m_pendingLength == 0;
}

DWORD CMotFile::Tell() const {
    if (m_file == nullptr || m_fileLength <= 0) {
        return 100;
    }
    return static_cast<DWORD>(static_cast<long long>(m_consumed) * 100 / m_fileLength);
}
