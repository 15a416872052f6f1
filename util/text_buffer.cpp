#include "util/text_buffer.h"

#include <algorithm>
#include <cstring>

CTextBuffer::CTextBuffer(LPCSTR initialText, std::uint32_t growthStep)
    : capacity_(std::max(growthStep, kMinimumStep)), step_(capacity_) {
    text_ = std::make_unique<char[]>(capacity_);
    Append(initialText);
}

CTextBuffer::CTextBuffer(const CTextBuffer& other)
    : text_(std::make_unique<char[]>(other.capacity_)),
      capacity_(other.capacity_),
      step_(other.step_),
      length_(other.length_) {
    std::memcpy(text_.get(), other.text_.get(), length_ + 1);
}

void CTextBuffer::Append(LPCSTR text) {
    if (text != nullptr) {
        Append(text, static_cast<std::uint32_t>(std::strlen(text)));
    }
}

void CTextBuffer::Append(const CTextBuffer& other) {
    Append(other.text_.get(), other.length_);
}

void CTextBuffer::AppendChar(char c) {
    if (c != '\0') {
        Append(&c, 1);
    }
}

void CTextBuffer::Clear() {
    length_ = 0;
    text_[0] = '\0';
}

void CTextBuffer::Append(const char* text, std::uint32_t length) {
    if (length == 0) {
        return;
    }
    if (static_cast<std::uint64_t>(length_) + length > capacity_ - 1u) {
        const std::uint32_t capacity = capacity_ + (length / step_ + 1) * step_;
        auto grown = std::make_unique<char[]>(capacity);
        std::memcpy(grown.get(), text_.get(), length_);
        // The text may be this buffer's own, so it is copied before the old
        // array goes.
        std::memcpy(grown.get() + length_, text, length);
        text_ = std::move(grown);
        capacity_ = capacity;
    } else {
        std::memcpy(text_.get() + length_, text, length);
    }
    length_ += length;
    text_[length_] = '\0';
}
