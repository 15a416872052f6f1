#include "platform/afx_string.h"

#include "platform/afx_app.h"
#include "platform/bstr.h"
#include "platform/format.h"
#include "platform/resources.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

}  // namespace

CString::CString(const char* text, int length) {
    if (text != nullptr && length > 0) {
        text_.assign(text, static_cast<std::size_t>(length));
    }
}

CString::CString(char c, int repeat) {
    if (repeat > 0) {
        text_.assign(static_cast<std::size_t>(repeat), c);
    }
}

char CString::GetAt(int index) const {
    if (index < 0 || index >= GetLength()) {
        return '\0';  // out of range reads as the terminator rather than past the text
    }
    return text_[static_cast<std::size_t>(index)];
}

void CString::SetAt(int index, char c) {
    if (index >= 0 && index < GetLength()) {
        text_[static_cast<std::size_t>(index)] = c;
    }
}

CString& CString::operator=(const char* text) {
    text_ = text != nullptr ? text : "";
    return *this;
}

CString& CString::operator=(char c) {
    text_.assign(1, c);
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text != nullptr) {
        text_ += text;
    }
    return *this;
}

CString& CString::operator+=(const CString& text) {
    text_ += text.text_;
    return *this;
}

CString& CString::operator+=(char c) {
    text_ += c;
    return *this;
}

int CString::Compare(const char* text) const {
    return Sign(std::strcmp(text_.c_str(), text != nullptr ? text : ""));
}

int CString::CompareNoCase(const char* text) const {
    const char* a = text_.c_str();
    const char* b = text != nullptr ? text : "";
    for (;; ++a, ++b) {
        const int x = std::tolower(static_cast<unsigned char>(*a));
        const int y = std::tolower(static_cast<unsigned char>(*b));
        if (x != y || x == 0) {
            return Sign(x - y);
        }
    }
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength() - std::max(first, 0));
}

CString CString::Mid(int first, int count) const {
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(text_.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

CString CString::Left(int count) const {
    return Mid(0, count);
}

CString CString::Right(int count) const {
    count = std::clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(const char* characters) const {
    return Left(static_cast<int>(std::strspn(text_.c_str(), characters != nullptr ? characters : "")));
}

CString CString::SpanExcluding(const char* characters) const {
    return Left(static_cast<int>(std::strcspn(text_.c_str(), characters != nullptr ? characters : "")));
}

void CString::MakeUpper() {
    std::transform(text_.begin(), text_.end(), text_.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
}

void CString::MakeLower() {
    std::transform(text_.begin(), text_.end(), text_.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
}

void CString::MakeReverse() {
    std::reverse(text_.begin(), text_.end());
}

int CString::Replace(char oldChar, char newChar) {
    int count = 0;
    for (char& c : text_) {
        if (c == oldChar) {
            c = newChar;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText) {
    if (oldText == nullptr || *oldText == '\0') {
        return 0;
    }
    const std::string_view from(oldText);
    const std::string_view to(newText != nullptr ? newText : "");
    int count = 0;
    std::string result;
    std::size_t position = 0;
    while (true) {
        const std::size_t found = text_.find(from, position);
        if (found == std::string::npos) {
            break;
        }
        result.append(text_, position, found - position);
        result.append(to);
        position = found + from.size();
        ++count;
    }
    if (count > 0) {
        result.append(text_, position, std::string::npos);
        text_ = std::move(result);
    }
    return count;
}

int CString::Remove(char c) {
    const auto end = std::remove(text_.begin(), text_.end(), c);
    const int count = static_cast<int>(text_.end() - end);
    text_.erase(end, text_.end());
    return count;
}

int CString::Insert(int index, char c) {
    const char text[2] = {c, '\0'};
    return Insert(index, text);
}

int CString::Insert(int index, const char* text) {
    index = std::clamp(index, 0, GetLength());
    if (text != nullptr) {
        text_.insert(static_cast<std::size_t>(index), text);
    }
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index >= 0 && index < GetLength() && count > 0) {
        text_.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    }
    return GetLength();
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char c) {
    return TrimRight(c).TrimLeft(c);
}

CString& CString::Trim(const char* characters) {
    return TrimRight(characters).TrimLeft(characters);
}

CString& CString::TrimLeft() {
    const auto first = std::find_if_not(text_.begin(), text_.end(), IsBlank);
    text_.erase(text_.begin(), first);
    return *this;
}

CString& CString::TrimLeft(char c) {
    const char characters[2] = {c, '\0'};
    return TrimLeft(characters);
}

CString& CString::TrimLeft(const char* characters) {
    if (characters != nullptr) {
        text_.erase(0, text_.find_first_not_of(characters));
    }
    return *this;
}

CString& CString::TrimRight() {
    const auto last = std::find_if_not(text_.rbegin(), text_.rend(), IsBlank);
    text_.erase(last.base(), text_.end());
    return *this;
}

CString& CString::TrimRight(char c) {
    const char characters[2] = {c, '\0'};
    return TrimRight(characters);
}

CString& CString::TrimRight(const char* characters) {
    if (characters != nullptr) {
        const std::size_t last = text_.find_last_not_of(characters);
        text_.erase(last == std::string::npos ? 0 : last + 1);
    }
    return *this;
}

int CString::Find(char c, int start) const {
    if (start < 0 || start > GetLength()) {
        return -1;
    }
    const std::size_t found = text_.find(c, static_cast<std::size_t>(start));
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

int CString::Find(const char* text, int start) const {
    if (text == nullptr || start < 0 || start > GetLength()) {
        return -1;
    }
    const std::size_t found = text_.find(text, static_cast<std::size_t>(start));
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

int CString::ReverseFind(char c) const {
    const std::size_t found = text_.rfind(c);
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

int CString::FindOneOf(const char* characters) const {
    if (characters == nullptr) {
        return -1;
    }
    const std::size_t found = text_.find_first_of(characters);
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

void CString::Format(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    text_ = platform::FormatV(format, arguments);
    va_end(arguments);
}

void CString::FormatV(const char* format, va_list arguments) {
    text_ = platform::FormatV(format, arguments);
}

void CString::AppendFormat(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    text_ += platform::FormatV(format, arguments);
    va_end(arguments);
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) {
        text_.resize(static_cast<std::size_t>(minLength));
    }
    return text_.data();
}

char* CString::GetBufferSetLength(int length) {
    text_.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text_.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        newLength = static_cast<int>(std::strlen(text_.c_str()));
    }
    text_.resize(static_cast<std::size_t>(std::min(newLength, GetLength())));
}

BOOL CString::LoadString(UINT id) {
    std::optional<std::string> text = platform::LoadResourceString(AfxFindStringResourceHandle(id), id);
    if (!text.has_value()) {
        return FALSE;
    }
    text_ = std::move(*text);
    return TRUE;
}

BSTR CString::AllocSysString() const {
    return platform::AllocBstr(text_);
}

CString operator+(const CString& left, const CString& right) {
    return CString(left.Str() + right.Str());
}

CString operator+(const CString& left, const char* right) {
    CString result = left;
    result += right;
    return result;
}

CString operator+(const char* left, const CString& right) {
    CString result(left);
    result += right;
    return result;
}

CString operator+(const CString& left, char right) {
    CString result = left;
    result += right;
    return result;
}

CString operator+(char left, const CString& right) {
    CString result(left);
    result += right;
    return result;
}

bool operator==(const CString& left, const CString& right) {
    return left.Str() == right.Str();
}

bool operator==(const CString& left, const char* right) {
    return left.Compare(right) == 0;
}

bool operator==(const char* left, const CString& right) {
    return right.Compare(left) == 0;
}

bool operator!=(const CString& left, const CString& right) {
    return !(left == right);
}

bool operator!=(const CString& left, const char* right) {
    return !(left == right);
}

bool operator!=(const char* left, const CString& right) {
    return !(left == right);
}

bool operator<(const CString& left, const CString& right) {
    return left.Compare(right) < 0;
}

bool operator>(const CString& left, const CString& right) {
    return left.Compare(right) > 0;
}
