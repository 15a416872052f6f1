// The protected-register list: loading the device file's entries, forcing
// the protected bits into the flash mirror with a warning per changed byte,
// the check after a flash write, and a link write into a protected byte.
#include "startup/protected_registers.h"

#include "link/firm_buffers.h"
#include "link/firm_codes.h"
#include "link/firm_command.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "config/device_data.h"
#include "config/settings_files.h"
#include "tests/link/link_fixture.h"

#include <cstdio>

namespace linktest {
namespace {

using Entry = CProtectedRegisterList::Entry;

class ProtectedRegisters : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        g_protectedRegisters = CProtectedRegisterList{};
    }
    void TearDown() override {
        g_protectedRegisters = CProtectedRegisterList{};
        LinkTest::TearDown();
    }
    void Load(const std::string& name, const std::string& entries) {
        folder_.Write(name, "[VKTEST]\r\n" + entries);
        list_.Load("VKTEST", folder_.Windows(name).c_str());
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> texts;
        for (const Entry& entry : list_.Entries()) {
            char text[32];
            std::snprintf(text, sizeof(text), "%X %02X %02X", static_cast<unsigned>(entry.address), entry.value,
                          entry.mask);
            texts.push_back(text);
        }
        return texts;
    }
    CProtectedRegisterList list_;
};

TEST_F(ProtectedRegisters, LoadReadsEntriesUpToTheFirstAbsentKey) {
    struct Case {
        const char* name;
        const char* entries;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"a gap ends the list", "MEMORY PROTECT0=0000000A 01 01\r\nMEMORY PROTECT2=0000000B 02 02\r\n", {"A 01 01"}},
        {"an address beyond the mirror stands skipped",
         "MEMORY PROTECT0=00100000 01 01\r\nMEMORY PROTECT1=0000000A 03 07\r\n", {"A 03 07", "A 03 07"}},
        {"a text that is not three numbers is skipped",
         "MEMORY PROTECT0=0000000A 01\r\nMEMORY PROTECT1=zz\r\nMEMORY PROTECT2=000FFFFF FF 80\r\n",
         {"FFFFF FF 80", "FFFFF FF 80", "FFFFF FF 80"}},
        {"a trailing skipped entry is left out", "MEMORY PROTECT0=0000000A 01 01\r\nMEMORY PROTECT1=FFFFFFFF 1 1\r\n",
         {"A 01 01"}},
        {"none", "OTHER=1\r\n", {}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load("protect" + std::to_string(n++) + ".cnf", c.entries);
        EXPECT_EQ(Entries(), c.expected);
        EXPECT_EQ(list_.GetCount(), c.expected.size());
    }
    // A new load replaces the list.
    Load("replace.cnf", "MEMORY PROTECT0=00000020 10 F0\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"20 10 F0"});
}

TEST_F(ProtectedRegisters, ForcingTheBitsWarnsOncePerChangedByte) {
    Load("force.cnf", "MEMORY PROTECT0=00000A0A 01 01\r\nMEMORY PROTECT1=00000A0B 00 F0\r\n");
    g_flashMirror[0xA0A] = 0xFE;
    g_flashMirror[0xA0B] = 0x0F;
    list_.WarnRegisterChanged();
    EXPECT_EQ(g_flashMirror[0xA0A], 0xFF);
    EXPECT_EQ(g_flashMirror[0xA0B], 0x0F);
    EXPECT_EQ(HostReports(), std::vector<std::string>{"Warning : The register (A0Ah) value was changed from FEh to "
                                                      "FFh by emulator debugger to control the emulator."});
    list_.WarnRegisterChanged();
    EXPECT_EQ(HostReports().size(), 1u);
    EXPECT_EQ(list_.Contains(0xA0A), 1);
    EXPECT_EQ(list_.Contains(0xA0C), 0);
    BYTE value = 9;
    BYTE mask = 9;
    EXPECT_EQ(list_.GetValues(0xA0B, &value, &mask), 1);
    EXPECT_EQ(value, 0x00);
    EXPECT_EQ(mask, 0xF0);
    EXPECT_EQ(list_.GetValues(0xA0C, &value, &mask), 0);
    EXPECT_EQ(mask, 0xF0);  // untouched
}

TEST_F(ProtectedRegisters, ProgrammingTheFlashTouchesNothingButTheCheckStillWarns) {
    Load("program.cnf", "MEMORY PROTECT0=00000A0A 01 01\r\n");
    g_flashMirror[0xA0A] = 0xFE;
    g_emuSel = connect_mode::kProgramFlash;
    list_.WarnRegisterChanged();
    EXPECT_EQ(g_flashMirror[0xA0A], 0xFE);
    EXPECT_EQ(list_.Contains(0xA0A), 0);
    BYTE value = 0;
    BYTE mask = 0;
    EXPECT_EQ(list_.GetValues(0xA0A, &value, &mask), 0);
    list_.CheckValues();
    list_.CheckValues();
    EXPECT_EQ(HostReports(), (std::vector<std::string>{
                                 "Warning : The register (A0Ah) value is FEh.\tPlease confirm the register value. ",
                                 "Warning : The register (A0Ah) value is FEh.\tPlease confirm the register value. "}));
    EXPECT_EQ(g_flashMirror[0xA0A], 0xFE);
}

TEST_F(ProtectedRegisters, ALinkWriteIntoAProtectedByteIsForcedBackWithTheWarning) {
    StartFirmware();
    folder_.Write("write.cnf", "[VKTEST]\r\nMEMORY PROTECT0=0000FFDB 80 80\r\n");
    g_protectedRegisters.Load("VKTEST", folder_.Windows("write.cnf").c_str());
    g_flashMirror[0xFFDB] = 0x80;
    g_firmWriteData[0] = 0x12;
    ASSERT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0xFFDB, 1, 0), link_result::kOk);
    EXPECT_EQ(g_flashMirror[0xFFDB], 0x92);
    EXPECT_EQ(HostReports(), std::vector<std::string>{"Warning : The register (FFDBh) value was changed from 12h to "
                                                      "92h by emulator debugger to control the emulator."});
}

}  // namespace
}  // namespace linktest
