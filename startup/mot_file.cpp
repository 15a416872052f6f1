#include "startup/mot_file.h"

#include "startup/mot_record.h"
#include "target/target_app.h"

#include "platform/crt.h"

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
    return 0;
}

CMotFile::LineResult CMotFile::ReadLine(std::string& line) {
    line.clear();
    if (m_file == nullptr) {
        return LineResult::End;
    }
    int c = std::fgetc(m_file);
    if (c == EOF) {
        return LineResult::End;
    }
    bool tooLong = false;
    while (c != EOF && c != '\n') {
        if (c != '\r') {
            if (line.size() < kMaxLineLength) {
                line.push_back(static_cast<char>(c));
            } else {
                tooLong = true;
            }
        }
        c = std::fgetc(m_file);
    }
    return tooLong ? LineResult::TooLong : LineResult::Line;
}

WORD CMotFile::ReadDataRecord(WORD* length, const BYTE** data, DWORD* address) {
    *length = 0;
    *data = m_record.data();
    std::string line;
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
    const long position = std::ftell(m_file);
    return static_cast<DWORD>(static_cast<long long>(position) * 100 / m_fileLength);
}
