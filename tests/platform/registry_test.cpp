// The registry, as Windows documents it: on Linux the layer's own, under Wine
// the real one (the keys the tests make are removed again).
#include "platform/registry.h"
#include "tests/support/registry_lock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr char kTestKey[] = "Software\\Q3vRegistryTest";
constexpr char kNestedKey[] = "Software\\Q3vRegistryTest\\Nested\\Deep";

class Registry : public ::testing::Test {
protected:
    void TearDown() override {
        for (const char* key : {kNestedKey, "Software\\Q3vRegistryTest\\Nested", kTestKey}) {
            RegDeleteKeyA(HKEY_CURRENT_USER, key);
        }
    }

    static HKEY Create(const char* path, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &key, disposition),
                  ERROR_SUCCESS);
        return key;
    }

private:
    testing_support::RegistryLock lock_;
};

TEST_F(Registry, KeysAreCreatedWithTheKeysAboveThemAndOpenInAnyCase) {
    DWORD disposition = 0;
    HKEY deep = Create(kNestedKey, &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(deep);
    deep = Create(kNestedKey, &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(deep);

    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\q3vregistrytest\\NESTED", 0, KEY_READ, &opened),
              ERROR_SUCCESS);
    HKEY again = nullptr;
    ASSERT_EQ(RegOpenKeyExA(opened, "deep", 0, KEY_READ, &again), ERROR_SUCCESS);  // below an open key
    RegCloseKey(again);
    ASSERT_EQ(RegOpenKeyExA(opened, nullptr, 0, KEY_READ, &again), ERROR_SUCCESS);  // the key itself
    RegCloseKey(again);
    EXPECT_EQ(RegOpenKeyExA(opened, "Missing", 0, KEY_READ, &again), ERROR_FILE_NOT_FOUND);
    RegCloseKey(opened);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Q3vRegistryTest\\Nested\\Missing\\Deeper", 0, KEY_READ,
                            &opened),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, ValuesKeepTheirTypeAndBytesAndTellTheSizeTheyNeed) {
    HKEY key = Create(kTestKey);
    const char text[] = "Z:\\modules\\control.ocx";
    ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text)),
              ERROR_SUCCESS);
    const DWORD number = 0x12345678;
    ASSERT_EQ(RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number)),
              ERROR_SUCCESS);

    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "", nullptr, &type, nullptr, &size), ERROR_SUCCESS);  // "" is the default
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, sizeof(text));
    char small[4] = {};
    size = sizeof(small);
    EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(small), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, sizeof(text));
    char buffer[64] = {};
    size = sizeof(buffer);
    ASSERT_EQ(RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(buffer, text);
    EXPECT_EQ(size, sizeof(text));

    DWORD read = 0;
    size = sizeof(read);
    ASSERT_EQ(RegQueryValueExA(key, "NUMBER", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(read, number);
    EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), nullptr),
              ERROR_INVALID_PARAMETER);  // a buffer needs its size
    RegCloseKey(key);
}

TEST_F(Registry, AKeyReadsAndWritesOnlyWithTheAccessItWasOpenedFor) {
    RegCloseKey(Create(kTestKey));
    HKEY reading = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &reading), ERROR_SUCCESS);
    const BYTE byte = 1;
    EXPECT_EQ(RegSetValueExA(reading, "Value", 0, REG_BINARY, &byte, 1), ERROR_ACCESS_DENIED);
    RegCloseKey(reading);
    HKEY writing = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_SET_VALUE, &writing), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(writing, "Value", 0, REG_BINARY, &byte, 1), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(writing, "Value", nullptr, nullptr, nullptr, &size), ERROR_ACCESS_DENIED);
    RegCloseKey(writing);
}

TEST_F(Registry, OnlyAKeyWithoutSubkeysIsDeletedAndItsHandlesAnswerSo) {
    RegCloseKey(Create(kNestedKey));
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Q3vRegistryTest\\Nested"), ERROR_ACCESS_DENIED);
    HKEY deep = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kNestedKey, 0, KEY_ALL_ACCESS, &deep), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, kNestedKey), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(deep, nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(deep), ERROR_SUCCESS);
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kNestedKey, 0, KEY_READ, &gone), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, kNestedKey), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Q3vRegistryTest\\Nested"), ERROR_SUCCESS);
}

}  // namespace
