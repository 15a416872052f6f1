// CTextBuffer: a growable text that grows in steps, for building long texts
// piece by piece.
#pragma once

#include "platform/wintypes.h"

#include <cstdint>
#include <memory>

class CTextBuffer {
public:
    // A step below the minimum (a step of 0 would never grow) is raised to it.
    static constexpr std::uint32_t kMinimumStep = 16;

    // Starts with a capacity of one step and appends the initial text.
    explicit CTextBuffer(LPCSTR initialText = nullptr, std::uint32_t growthStep = 256);
    CTextBuffer(const CTextBuffer& other);
    CTextBuffer& operator=(const CTextBuffer&) = delete;
    virtual ~CTextBuffer() = default;

    // An empty text changes nothing. When the text does not fit, the capacity
    // grows by (added length / step + 1) steps.
    void Append(LPCSTR text);
    void Append(const CTextBuffer& other);
    void AppendChar(char c);
    // Empties the text; the capacity stays.
    void Clear();

    LPCSTR GetText() const { return text_.get(); }
    std::uint32_t GetLength() const { return length_; }
    std::uint32_t GetCapacity() const { return capacity_; }
    std::uint32_t GetGrowthStep() const { return step_; }

private:
    void Append(const char* text, std::uint32_t length);

    std::unique_ptr<char[]> text_;
    std::uint32_t capacity_;
    std::uint32_t step_;
    std::uint32_t length_ = 0;
};
