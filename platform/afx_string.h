// CString: the class library's ANSI string, a value type with the operations
// the plug-in uses. Indexes and lengths are in bytes, as in the class
// library's ANSI build.
#pragma once

#include "platform/com.h"

#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* text) : text_(text != nullptr ? text : "") {}  // NOLINT: implicit as in the class library
    CString(const char* text, int length);
    CString(char c, int repeat = 1);
    CString(const std::string& text) : text_(text) {}  // NOLINT
    CString(std::string_view text) : text_(text) {}    // NOLINT

    int GetLength() const { return static_cast<int>(text_.size()); }
    BOOL IsEmpty() const { return text_.empty() ? TRUE : FALSE; }
    void Empty() { text_.clear(); }
    char GetAt(int index) const;
    void SetAt(int index, char c);
    char operator[](int index) const { return GetAt(index); }
    operator const char*() const { return text_.c_str(); }  // NOLINT: the class library converts implicitly
    const std::string& Str() const { return text_; }

    CString& operator=(const char* text);
    CString& operator=(char c);
    CString& operator+=(const char* text);
    CString& operator+=(const CString& text);
    CString& operator+=(char c);

    // Comparisons by byte value (Compare), and without regard to ASCII case
    // (CompareNoCase); negative, zero or positive.
    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* characters) const;
    CString SpanExcluding(const char* characters) const;

    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    // Replacements answer how many were made.
    int Replace(char oldChar, char newChar);
    int Replace(const char* oldText, const char* newText);
    int Remove(char c);
    int Insert(int index, char c);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    // Blanks are the C locale's white space.
    CString& Trim();
    CString& Trim(char c);
    CString& Trim(const char* characters);
    CString& TrimLeft();
    CString& TrimLeft(char c);
    CString& TrimLeft(const char* characters);
    CString& TrimRight();
    CString& TrimRight(char c);
    CString& TrimRight(const char* characters);

    // Positions, or -1.
    int Find(char c, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char c) const;
    int FindOneOf(const char* characters) const;

    // Windows formats: see platform/format.h.
    void Format(const char* format, ...);
    void FormatV(const char* format, va_list arguments);
    void AppendFormat(const char* format, ...);

    // A writable buffer of at least minLength characters and a NUL; after
    // writing, ReleaseBuffer sets the length (-1: up to the first NUL).
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // The string of the current module's string table (else the
    // application's); FALSE when missing.
    BOOL LoadString(UINT id);

    // A new BSTR of the text (the caller frees it).
    BSTR AllocSysString() const;

private:
    std::string text_;
};

CString operator+(const CString& left, const CString& right);
CString operator+(const CString& left, const char* right);
CString operator+(const char* left, const CString& right);
CString operator+(const CString& left, char right);
CString operator+(char left, const CString& right);

bool operator==(const CString& left, const CString& right);
bool operator==(const CString& left, const char* right);
bool operator==(const char* left, const CString& right);
bool operator!=(const CString& left, const CString& right);
bool operator!=(const CString& left, const char* right);
bool operator!=(const char* left, const CString& right);
bool operator<(const CString& left, const CString& right);
bool operator>(const CString& left, const CString& right);
