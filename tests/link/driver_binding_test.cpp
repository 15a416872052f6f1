// Binding the driver module: all entry points or none, the optional trace
// entry, initialisation and termination, and the driver interface's session
// objects.
#include "link/emu_response.h"
#include "link/emulator_link.h"
#include "link/link_results.h"
#include "link/ule_driver_dll.h"
#include "link/ule_drv_interface.h"
#include "tests/link/link_fixture.h"
#include "tests/support/temp_folder.h"

#include "platform/debug.h"
#include "platform/module.h"

#include <gtest/gtest.h>

#include <cstring>

#include <string>

namespace linktest {
namespace {

std::string ModulePath(const char* name) {
    return testing_support::ProgramFolder() + name;
}

// The partial driver's count of ULE_Terminate calls; the module stays loaded
// while the test holds this reference.
class TerminateCounter {
public:
    explicit TerminateCounter(const char* name) : m_module(LoadLibraryA(ModulePath(name).c_str())) {}
    ~TerminateCounter() { FreeLibrary(m_module); }
    TerminateCounter(const TerminateCounter&) = delete;
    TerminateCounter& operator=(const TerminateCounter&) = delete;
    DWORD Calls() const {
        const auto count = platform::GetProcAddressAs<DWORD(WINAPI*)(void)>(m_module, "TestDriverTerminateCalls");
        return count != nullptr ? count() : 0xFFFFFFFF;
    }

private:
    HMODULE m_module;
};

TEST(DriverBinding, TheSimulatedDriverBindsEveryEntryPoint) {
    CUleDriverDll binding(SimulatedDriverPath().c_str());
    ASSERT_TRUE(binding.IsUsable());
    EXPECT_TRUE(binding.MissingEntryPoints().empty());
    EXPECT_STREQ(binding.Identify(), "SIMUSB");
    const char* type = nullptr;
    ASSERT_EQ(binding.LibraryType(&type), 0u);
    EXPECT_STREQ(type, "Driver");
    EXPECT_NE(binding.AudTraceRead(0, 0, 0, 1), driver_result::kNotBound) << "the simulated driver exports it";
}

TEST(DriverBinding, AModuleLackingARequiredEntryPointBindsNothingAndSaysSo) {
    platform::DebugOutputCapture output;
    CUleDriverDll binding(ModulePath("PartialDriverNoPoll.dll").c_str());
    EXPECT_NE(binding.Module(), nullptr) << "the module stays loaded until the binding goes";
    EXPECT_FALSE(binding.IsUsable());
    EXPECT_EQ(binding.MissingEntryPoints(), std::vector<std::string>{"ULE_Poll"});
    EXPECT_STREQ(binding.Identify(), "");
    const char* type = nullptr;
    EXPECT_EQ(binding.LibraryType(&type), driver_result::kNotBound);
    EXPECT_EQ(binding.XPdiTransmit(0, nullptr, 0, 1), driver_result::kNotBound);
    EXPECT_EQ(binding.SetTimeout(20), driver_result::kNotBound);
    EXPECT_STREQ(binding.GetConfiguration(), "");
    EXPECT_STREQ(binding.DllError(3), "");
    EXPECT_NE(output.Text().find("ULE_Poll"), std::string::npos) << output.Text();
}

TEST(DriverBinding, TheTraceEntryPointIsOptional) {
    CUleDriverDll binding(ModulePath("PartialDriverNoTrace.dll").c_str());
    EXPECT_TRUE(binding.IsUsable());
    EXPECT_EQ(binding.AudTraceRead(0, 0, 0, 1), driver_result::kNotBound);
    EXPECT_STREQ(binding.Identify(), "TESTIF");
}

TEST(DriverBinding, AMissingModuleBindsNothing) {
    CUleDriverDll binding(ModulePath("NoSuchDriver.dll").c_str());
    EXPECT_EQ(binding.Module(), nullptr);
    EXPECT_FALSE(binding.IsUsable());
    EXPECT_EQ(binding.AudTraceRead(0, 0, 0, 1), driver_result::kNotBound);
}

TEST(DriverBinding, OnlyAnInitialisedDriverIsTerminatedAndAFailedInitialisationCounts) {
    TerminateCounter counter("PartialDriverNoTrace.dll");
    { CUleDriverDll binding(ModulePath("PartialDriverNoTrace.dll").c_str()); }
    EXPECT_EQ(counter.Calls(), 0u) << "never initialised: no ULE_Terminate";
    {
        CUleDriverDll binding(ModulePath("PartialDriverNoTrace.dll").c_str());
        const char* const* channels = nullptr;
        EXPECT_EQ(binding.Initialise("TESTIF", &channels), 9u) << "the test driver refuses";
    }
    EXPECT_EQ(counter.Calls(), 1u) << "initialised, though it failed: terminated when the binding goes";
}

TEST(DriverInterface, InitialisingTwiceMakesOneLinkAndCleanupEndsEverythingOnce) {
    CUleDrvFactory factory;
    std::unique_ptr<CUleDrvInterface> driver(factory.CreateInterface(SimulatedDriverPath().c_str()));
    ASSERT_TRUE(driver->IsBound());
    ASSERT_NE(g_emuResponse, nullptr);
    const char* const* channels = nullptr;
    ASSERT_EQ(driver->Initialise("SIMUSB", &channels), 0u);
    CEmulatorLink* link = g_emulatorLink;
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->IsLinkLost()) << "not open before a boot step";
    EXPECT_EQ(driver->Initialise("SIMUSB", &channels), 0u) << "the driver's 11 counts as success";
    EXPECT_EQ(g_emulatorLink, link);
    EXPECT_STREQ(driver->InterfaceName(), "SIMUSB");
    EXPECT_EQ(driver->Cleanup(), 0u);
    EXPECT_EQ(g_emulatorLink, nullptr);
    EXPECT_EQ(g_emuResponse, nullptr);
    EXPECT_FALSE(driver->IsBound());
    EXPECT_EQ(driver->Cleanup(), 0u);
}

// The slot a virtual member function occupies: both builds use the Itanium
// C++ ABI, where a pointer to a virtual member holds 1 plus its byte offset
// in the table.
template <typename Member>
std::ptrdiff_t SlotOf(Member member) {
    struct {
        std::ptrdiff_t pointer;
        std::ptrdiff_t adjustment;
    } raw{};
    static_assert(sizeof(member) == sizeof(raw));
    std::memcpy(&raw, &member, sizeof(raw));
    return (raw.pointer - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

TEST(DriverFactory, ThreeNullSlotsStandBeforeCreateInterface) {
    CUleDrvFactory factory;
    EXPECT_EQ(factory.ReservedSlot0(), nullptr);
    EXPECT_EQ(factory.ReservedSlot1(), nullptr);
    EXPECT_EQ(factory.ReservedSlot2(), nullptr);
    EXPECT_EQ(SlotOf(&CUleDrvFactory::ReservedSlot0), 0);
    EXPECT_EQ(SlotOf(&CUleDrvFactory::ReservedSlot1), 1);
    EXPECT_EQ(SlotOf(&CUleDrvFactory::ReservedSlot2), 2);
    EXPECT_EQ(SlotOf(&CUleDrvFactory::CreateInterface), 3);
}

TEST(DriverInterface, ALongInterfaceNameIsCutToItsField) {
    CUleDrvFactory factory;
    std::unique_ptr<CUleDrvInterface> driver(factory.CreateInterface(SimulatedDriverPath().c_str()));
    const std::string name(400, 'I');
    const char* const* channels = nullptr;
    driver->Initialise(name.c_str(), &channels);
    EXPECT_EQ(std::string(driver->InterfaceName()), name.substr(0, 257));
}

}  // namespace
}  // namespace linktest
