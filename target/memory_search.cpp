#include "target/memory_search.h"

#include "target/memory_ranges.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace {

// The blocks read last, newest at the back: each byte comes from the
// newest block that holds it, or from a new block read at its address.
class CSearchBlocks {
public:
    CSearchBlocks(DWORD start, DWORD end, const SearchBlockReader& readBlock)
        : m_start(start), m_end(end), m_readBlock(readBlock) {}

    bool ByteAt(std::uint64_t address, BYTE* value) {
        for (auto block = m_blocks.rbegin(); block != m_blocks.rend(); ++block) {
            if (block->Holds(address)) {
                *value = block->bytes[address - block->first];
                return true;
            }
        }
        if (address < m_start || address > m_end) {
            m_status = kRangeRefused;
            return false;
        }
        if (m_blocks.size() == kSearchBlocksKept) {
            m_blocks.pop_front();
        }
        const auto count = static_cast<DWORD>(std::min<std::uint64_t>(kSearchBlockSize, m_end - address + 1));
        Block block{static_cast<DWORD>(address), std::vector<BYTE>(count)};
        if (!m_readBlock(block.first, count, block.bytes.data())) {
            // Asking for the same block again would get no further, and
            // bytes not read are not "not there".
            m_status = kSearchUnread;
            return false;
        }
        *value = block.bytes.front();
        m_blocks.push_back(std::move(block));
        return true;
    }
    HRESULT Status() const { return m_status; }

private:
    struct Block {
        DWORD first;
        std::vector<BYTE> bytes;
        bool Holds(std::uint64_t address) const { return address >= first && address - first < bytes.size(); }
    };

    DWORD m_start;
    DWORD m_end;
    const SearchBlockReader& m_readBlock;
    std::deque<Block> m_blocks;
    HRESULT m_status = S_OK;
};

}  // namespace

SearchOutcome HorspoolSearch(DWORD start, DWORD end, const BYTE* pattern, DWORD length,
                             const SearchByteReader& readByte) {
    SearchOutcome outcome;
    if (pattern == nullptr || length == 0 || start > end || std::uint64_t{end} - start + 1 < length) {
        return outcome;
    }
    const std::uint64_t lastStart = std::uint64_t{end} - length + 1;
    for (std::uint64_t p = start; p <= lastStart;) {
        BYTE underLast = 0;
        bool matched = true;
        for (DWORD j = length; j-- > 0;) {
            BYTE value = 0;
            if (!readByte(p + j, &value)) {
                outcome.stopped = true;
                return outcome;
            }
            if (j == length - 1) {
                underLast = value;
            }
            if (value != pattern[j]) {
                matched = false;
                break;
            }
        }
        if (matched) {
            outcome.found = true;
            outcome.address = static_cast<DWORD>(p);
            return outcome;
        }
        // The distance from the last place of the byte under the pattern's
        // end among its first length - 1 bytes to the pattern's end.
        DWORD shift = length;
        for (DWORD k = 0; k + 1 < length; ++k) {
            if (pattern[k] == underLast) {
                shift = length - 1 - k;
            }
        }
        p += shift;
    }
    return outcome;
}

HRESULT SearchMemoryInBlocks(DWORD start, DWORD end, const BYTE* pattern, DWORD length,
                             const SearchBlockReader& readBlock, DWORD* found) {
    if (CheckRange(start, end) != S_OK || std::uint64_t{end} - start + 1 < length) {
        return kRangeRefused;
    }
    CSearchBlocks blocks(start, end, readBlock);
    const SearchOutcome outcome = HorspoolSearch(
        start, end, pattern, length, [&](std::uint64_t address, BYTE* value) { return blocks.ByteAt(address, value); });
    if (outcome.stopped) {
        return blocks.Status();
    }
    if (!outcome.found) {
        return kSearchNotFound;
    }
    if (found != nullptr) {
        *found = outcome.address;
    }
    return S_OK;
}
