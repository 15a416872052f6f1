#include "sim/host/debug_session.h"

#include "sim/host/host_events.h"
#include "sim/host/refusal_text.h"
#include "sim/host/run_control_services.h"
#include "sim/host/status_window.h"

#include "platform/clock.h"
#include "platform/com.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <thread>

namespace simhost {
namespace {

constexpr std::size_t kPcIndex = 14;
constexpr std::uint32_t kAddressLimit = 0xFFFFFFFFu;
constexpr DWORD kByteAccess = 1;
constexpr WORD kDownloadStarts = 0xFFFF;
constexpr WORD kDownloadEnds = 0;
constexpr char kWorkspaceName[] = "demo";
constexpr char kProjectName[] = "Vk3Demo";
constexpr char kConfigName[] = "Debug";
constexpr char kSessionName[] = "demo";
constexpr std::size_t kRegistersPerLine = 7;
// The host's polls for each millisecond of its waits on a virtual clock.
constexpr DWORD kPollsPerMillisecond = 100;

// A wait's length as the console gives it: in seconds when whole.
std::string Duration(DWORD milliseconds) {
    return milliseconds % 1000 == 0 ? std::to_string(milliseconds / 1000) + " s" : std::to_string(milliseconds) + " ms";
}

std::string Hex(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof(text), "%0*X", digits, static_cast<unsigned>(value));
    return text;
}

template <typename Interface>
Interface* FirstRegistered(const HostServiceProvider& services, const IID& iid, bool server) {
    for (const InterfaceRegistration& registration : services.Registrations()) {
        if (registration.server == server && registration.iid == iid) {
            return static_cast<Interface*>(registration.object);
        }
    }
    return nullptr;
}

// The host's list of stop addresses: a VARIANT array of VT_UINT VARIANTs,
// cleared with it.
class AddressList {
public:
    explicit AddressList(const std::vector<DWORD>& addresses) {
        VariantInit(&list_);
        list_.vt = VT_ARRAY | VT_UINT;
        list_.parray = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(addresses.size()));
        void* data = nullptr;
        if (list_.parray == nullptr || SafeArrayAccessData(list_.parray, &data) != S_OK) {
            return;
        }
        auto* elements = static_cast<VARIANT*>(data);
        for (const DWORD address : addresses) {
            elements->vt = VT_UINT;
            elements->uintVal = address;
            ++elements;
        }
        SafeArrayUnaccessData(list_.parray);
    }
    ~AddressList() { VariantClear(&list_); }
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;
    const VARIANT& Get() const { return list_; }

private:
    VARIANT list_;
};

}  // namespace

std::string ResultText(HRESULT result) {
    switch (result) {
    case S_OK:
        return "S_OK";
    case S_FALSE:
        return "S_FALSE";
    case E_FAIL:
        return "E_FAIL";
    case E_NOINTERFACE:
        return "E_NOINTERFACE";
    case E_NOTIMPL:
        return "E_NOTIMPL";
    case E_INVALIDARG:
        return "E_INVALIDARG";
    default:
        return "0x" + Hex(static_cast<std::uint32_t>(result), 8);
    }
}

DebugSession::DebugSession(SimHost& host, Printer print) : host_(host), print_(std::move(print)) {
    const auto target = [this](const std::string& text) { Print("[target] " + text); };
    host_.Services().Output().SetPrinter(target);
    host_.Services().SetErrorTextPrinter(target);
    NameHostEvents();
}

DebugSession::~DebugSession() {
    if (Connected()) {
        Disconnect();
    }
    host_.Services().Output().SetPrinter(nullptr);
    host_.Services().SetErrorTextPrinter(nullptr);
    if (storage_ != nullptr) {
        host_.Services().OfferService(IID_IHWorkspaceStorage, nullptr);
        host_.Services().UseDataStore(nullptr);
    }
    if (scratch_ != nullptr) {
        host_.Services().OpenSession({}, {});
    }
}

void DebugSession::Print(const std::string& line) const {
    if (print_) {
        print_(line);
    }
}

bool DebugSession::Fail(const std::string& command, const std::string& message) const {
    Print(command + ": " + message);
    return false;
}

bool DebugSession::Refused(const std::string& command, HRESULT result) const {
    return Fail(command, RefusalText(host_.Services(), result));
}

// The host names every event the target waits on with an event object
// that is already set: the host has handled it by the time the target looks.
void DebugSession::NameHostEvents() {
    for (const GUID* event : {&EVENT_GoStarted, &EVENT_RunState, &EVENT_RunStopped, &EVENT_TargetReset,
                              &EVENT_PeriodicStatus}) {
        host_.Services().NameEvent(*event, HandledEventName());
    }
}

bool DebugSession::OpenSession(const std::string& seedFile) {
    auto scratch = std::make_unique<ScratchSession>(seedFile, kSessionName);
    if (!scratch->Ready()) {
        return Fail("session", scratch->Error());
    }
    scratch_ = std::move(scratch);
    storage_ = std::make_unique<WorkspaceStorage>(host_.Log(), scratch_->File("workspace.ini"));
    host_.Services().OfferService(IID_IHWorkspaceStorage, storage_.get());
    host_.Services().UseDataStore(storage_.get());
    const std::string folder = scratch_->Folder();
    host_.Services().ChangeWorkspace([&](WorkspaceState& state) {
        state.workspaceName = kWorkspaceName;
        state.workspaceDirectory = folder;
        state.projectName = kProjectName;
        state.projectDirectory = folder;
        state.configName = kConfigName;
        state.configDirectory = folder;
    });
    host_.Services().OpenSession(folder, kSessionName);
    Print("session: " + folder + "\\" + kSessionName + ".ini");
    return true;
}

std::string DebugSession::SessionFolder() const {
    return scratch_ != nullptr ? scratch_->Folder() : std::string();
}

bool DebugSession::NeedConnection(const std::string& command) const {
    return Connected() || Fail(command, "not connected (\"connect\" first)");
}

bool DebugSession::NeedStopped(const std::string& command) {
    CheckRunEnded();
    return !running_ || Fail(command, "the program is running (\"halt\" or \"wait\" first)");
}

void DebugSession::FindTargetInterfaces() {
    const HostServiceProvider& services = host_.Services();
    exec_ = FirstRegistered<IHTExec2>(services, IID_IHTExec2, true);
    memory_ = FirstRegistered<IHTMemoryServer2>(services, IID_IHTMemoryServer2, true);
    breaks_ = FirstRegistered<IHTPCBreakClient>(services, IID_IHTPCBreakClient, true);
    runningMemory_ = FirstRegistered<IHTRunningMemory>(services, IID_IHTRunningMemory, true);
    workspaceClient_ = FirstRegistered<IHWorkSpaceClient2>(services, IID_IHWorkSpaceClient2, false);
}

bool DebugSession::Connect() {
    if (Connected()) {
        return Fail("connect", "already connected");
    }
    const HRESULT started = host_.StartTargetSession();
    if (FAILED(started)) {
        return Refused("connect", started);
    }
    FindTargetInterfaces();
    if (exec_ == nullptr || memory_ == nullptr || workspaceClient_ == nullptr) {
        Print("connect: the target registered no run control, memory or session client");
        exec_ = nullptr;
        static_cast<void>(host_.EndTargetSession());  // nothing to debug through
        return false;
    }
    const HRESULT given = host_.GiveRegisterArray();
    if (FAILED(given)) {
        Refused("connect", given);
    }
    host_.LoadSession(kWorkspaceName, kProjectName, kConfigName, kSessionName);
    Print("connect: connected");
    return true;
}

bool DebugSession::Disconnect() {
    if (!NeedConnection("disconnect")) {
        return false;
    }
    CheckRunEnded();
    if (running_) {
        Halt();
    }
    host_.SaveSession(kWorkspaceName, kProjectName, kSessionName);
    Print("disconnect: session saved");
    const HRESULT ended = host_.EndTargetSession();
    exec_ = nullptr;
    memory_ = nullptr;
    breaks_ = nullptr;
    runningMemory_ = nullptr;
    workspaceClient_ = nullptr;
    running_ = false;
    if (FAILED(ended)) {
        return Refused("disconnect", ended);
    }
    Print("disconnect: disconnected");
    return true;
}

bool DebugSession::Load(const std::string& path) {
    if (!NeedConnection("load") || !NeedStopped("load")) {
        return false;
    }
    const ProgramRead read = ReadSRecordFile(path);
    if (!read.image) {
        return Fail("load", read.error);
    }
    Print("load: " + path + ", " + std::to_string(read.image->ByteCount()) + " bytes in " +
          std::to_string(read.image->runs.size()) + " runs");
    return Download(*read.image);
}

bool DebugSession::Download(const ProgramImage& image) {
    if (!NeedConnection("load") || !NeedStopped("load")) {
        return false;
    }
    const HRESULT opened = memory_->OnDownload(kDownloadStarts);
    if (FAILED(opened)) {
        return Refused("load", opened);
    }
    const std::size_t total = image.ByteCount();
    std::size_t written = 0;
    bool ok = true;
    for (const ProgramRun& run : image.runs) {
        for (std::size_t offset = 0; ok && offset < run.bytes.size(); offset += kDownloadPiece) {
            const DWORD count = static_cast<DWORD>(std::min<std::size_t>(kDownloadPiece, run.bytes.size() - offset));
            const DWORD start = run.start + static_cast<DWORD>(offset);
            const HRESULT result = memory_->WriteMemory(start, start + count - 1, kByteAccess, run.bytes.data() + offset);
            if (FAILED(result)) {
                ok = Refused("load", result);
                break;
            }
            written += count;
            Print("  " + Hex(start, 6) + "-" + Hex(start + count - 1, 6) + " " + std::to_string(count) + " bytes " +
                  std::to_string(written * 100 / total) + "%");
        }
    }
    // The download is closed whatever happened: the target writes its flash now.
    const HRESULT closed = memory_->OnDownload(kDownloadEnds);
    if (FAILED(closed)) {
        return Refused("load", closed);
    }
    if (ok) {
        resetVector_ = image.ResetVector();
        Print("load: done");
    }
    return ok;
}

bool DebugSession::Reset() {
    if (!NeedConnection("reset") || !NeedStopped("reset")) {
        return false;
    }
    const HRESULT result = exec_->Reset();
    if (FAILED(result)) {
        return Refused("reset", result);
    }
    if (resetVector_) {
        host_.Services().Registers().SetValue(kPcIndex, *resetVector_);
        Print("reset: the PC takes the program's reset vector");
    } else {
        Print("reset: no program loaded with a reset vector: the PC stays as the reset left it");
    }
    ShowRegisters();
    return true;
}

bool DebugSession::Go() {
    if (!NeedConnection("go") || !NeedStopped("go")) {
        return false;
    }
    const std::size_t statusQueries = host_.Services().EventNameQueries(EVENT_PeriodicStatus);
    const HRESULT result = exec_->Go();
    if (FAILED(result)) {
        return Refused("go", result);
    }
    running_ = true;
    if (!Breaks().empty()) {
        AnnounceWait("go", kRunWaitMilliseconds);
        return FinishRun("go", kRunWaitMilliseconds);
    }
    if (!AwaitRunStatus(statusQueries)) {
        // A run that ended at once has been reported.
        return !running_ || FinishRun("go", kRunWaitMilliseconds);
    }
    Print("go: running (\"halt\" stops it, \"wait\" waits for its stop)");
    return true;
}

bool DebugSession::GoUntil(const std::vector<DWORD>& addresses) {
    if (!NeedConnection("go") || !NeedStopped("go")) {
        return false;
    }
    const AddressList list(addresses);
    const HRESULT result = exec_->GoEx(list.Get());
    if (FAILED(result)) {
        return Refused("go", result);
    }
    running_ = true;
    AnnounceWait("go", kRunWaitMilliseconds);
    return FinishRun("go", kRunWaitMilliseconds);
}

bool DebugSession::Halt() {
    if (!NeedConnection("halt")) {
        return false;
    }
    CheckRunEnded();
    if (!running_) {
        return Fail("halt", "the program is not running");
    }
    const HRESULT result = exec_->Halt();
    if (FAILED(result)) {
        return Refused("halt", result);
    }
    return AwaitRunEnd(kRunWaitMilliseconds, false) == RunWait::Ended || Fail("halt", "the program did not stop");
}

bool DebugSession::Step(StepKind kind) {
    static const char* const kNames[] = {"step", "step over", "step out"};
    const std::string command = kNames[static_cast<int>(kind)];
    if (!NeedConnection(command) || !NeedStopped(command)) {
        return false;
    }
    const HRESULT result = kind == StepKind::In     ? exec_->StepIn()
                           : kind == StepKind::Over ? exec_->StepOver()
                                                    : exec_->StepOut();
    if (FAILED(result)) {
        return Refused(command, result);
    }
    running_ = true;
    return FinishRun(command, kRunWaitMilliseconds);
}

bool DebugSession::Wait(DWORD milliseconds) {
    if (!NeedConnection("wait")) {
        return false;
    }
    CheckRunEnded();
    if (!running_) {
        return Fail("wait", "the program is not running");
    }
    AnnounceWait("wait", milliseconds);
    return FinishRun("wait", milliseconds);
}

void DebugSession::AnnounceWait(const std::string& command, DWORD milliseconds) const {
    Print(command + ": waiting at most " + Duration(milliseconds) + " for the stop (Ctrl-C halts the program)");
}

bool DebugSession::FinishRun(const std::string& command, DWORD milliseconds) {
    switch (AwaitRunEnd(milliseconds, true)) {
    case RunWait::Ended:
        return true;
    case RunWait::Cut:
        Print(command + ": interrupted: halting the program");
        break;
    case RunWait::TimedOut:
        Print(command + ": still running after " + Duration(milliseconds) + ": halting it");
        break;
    }
    Halt();
    return false;
}

bool DebugSession::CutRunWaitShort() {
    return runWaitCut_.Cut();
}

bool DebugSession::RunEnded() const {
    return exec_->QueryIdleEx() == S_OK && workspaceClient_->QueryBusyOnWorkspaceClose() == 0;
}

bool DebugSession::Poll(DWORD& polls, DWORD milliseconds) {
    if (polls >= milliseconds * kPollsPerMillisecond) {
        return false;
    }
    // The limit counts the host's own polls, each a millisecond on the
    // platform clock: on a virtual clock the target's threads move time on
    // as they read it (a flash write-back reads it often). There a
    // millisecond costs nothing, so the host yields between them, and the
    // target's threads get their turns however busy the machine is.
    if (!platform::IsClockVirtual() || ++polls % kPollsPerMillisecond == 0) {
        Sleep(1);
        ++hostSlept_;
        polls += platform::IsClockVirtual() ? 0 : kPollsPerMillisecond;
    } else {
        std::this_thread::yield();
    }
    return true;
}

DebugSession::RunWait DebugSession::AwaitRunEnd(DWORD milliseconds, bool cuttable) {
    std::optional<WaitCut::Scope> scope;
    if (cuttable) {
        scope.emplace(runWaitCut_);
    }
    DWORD polls = 0;
    while (!RunEnded()) {
        if (cuttable && runWaitCut_.Asked()) {
            return RunWait::Cut;
        }
        if (!Poll(polls, milliseconds)) {
            return RunWait::TimedOut;
        }
    }
    ReportStop();
    return RunWait::Ended;
}

// The go thread reports a running program's status once per status period;
// before its first report the program may not have been started yet.
bool DebugSession::AwaitRunStatus(std::size_t queriesBefore) {
    DWORD polls = 0;
    while (host_.Services().EventNameQueries(EVENT_PeriodicStatus) == queriesBefore) {
        if (RunEnded()) {
            ReportStop();
            return false;
        }
        if (!Poll(polls, kRunWaitMilliseconds)) {
            return false;
        }
    }
    return true;
}

void DebugSession::CheckRunEnded() {
    if (running_ && Connected() && RunEnded()) {
        ReportStop();
    }
}

std::size_t DebugSession::ReportedTexts() const {
    return host_.Services().ReportedErrors().size();
}

IHComponent* DebugSession::TargetComponent() const {
    for (const AttachedComponent& component : host_.Components()) {
        for (const ComponentRegistration& registration : host_.Registry().Registrations()) {
            if (registration.isTarget && registration.clsid == component.clsid) {
                return component.component;
            }
        }
    }
    return nullptr;
}

void DebugSession::ReportStop() {
    running_ = false;
    if (IHComponent* target = TargetComponent()) {
        target->OnHostEvent(&EVENT_RunState);
    }
    lastStopCause_ = StatusItem("Platform", "Cause of last break");
    Print("stopped: " + (lastStopCause_.empty() ? std::string("(no cause given)") : lastStopCause_));
    ShowRegisters();
}

bool DebugSession::ShowRegisters() {
    if (!NeedConnection("regs")) {
        return false;
    }
    std::string line;
    for (std::size_t i = 0; i < kHostRegisterCount; ++i) {
        const HostRegisterName& name = kHostRegisterNames[i];
        if (!line.empty()) {
            line += "  ";
        }
        line += std::string(name.name) + "=" + Hex(Register(i), name.width * 2);
        if (i + 1 == kHostRegisterCount || (i + 1) % kRegistersPerLine == 0) {
            Print(line);
            line.clear();
        }
    }
    return true;
}

DWORD DebugSession::Register(std::size_t index) const {
    return host_.Services().Registers().Value(index);
}

bool DebugSession::SetRegister(const std::string& name, DWORD value) {
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (std::size_t i = 0; i < kHostRegisterCount; ++i) {
        const HostRegisterName& known = kHostRegisterNames[i];
        if (upper != known.name) {
            continue;
        }
        const std::uint64_t limit = 1ull << (known.width * 8);
        if (value >= limit) {
            return Fail("reg", known.name + std::string(" is ") + std::to_string(known.width * 8) + " bits wide");
        }
        if (!NeedConnection("reg") || !NeedStopped("reg")) {
            return false;
        }
        host_.Services().Registers().SetValue(i, value);
        Print("reg: " + std::string(known.name) + "=" + Hex(value, known.width * 2) +
              " in the host's registers (the target takes it at the next go, step or reset)");
        return true;
    }
    return Fail("reg", "no register \"" + name + "\" (0R0 to 1FB, PC, INTB, USP, ISP, SB, FLG)");
}

std::optional<std::vector<BYTE>> DebugSession::ReadMemory(DWORD start, DWORD count) {
    if (!NeedConnection("mem")) {
        return std::nullopt;
    }
    if (count == 0 || count > kMostMemoryBytes) {
        Fail("mem", "count 1 to 0x1000 (4,096 bytes)");
        return std::nullopt;
    }
    if (start > kAddressLimit - (count - 1)) {
        Fail("mem", "the range runs past 0xFFFFFFFF");
        return std::nullopt;
    }
    std::vector<BYTE> bytes(count);
    CheckRunEnded();
    if (running_ && runningMemory_ != nullptr) {
        DWORD ok = 0;
        HRESULT result = runningMemory_->CheckRange(start, count, &ok);
        if (SUCCEEDED(result) && ok == 0) {
            Fail("mem", "the target cannot read that range while the program runs");
            return std::nullopt;
        }
        const std::size_t reported = ReportedTexts();
        if (SUCCEEDED(result)) {
            result = runningMemory_->ReadWhileRunning(start, count, bytes.data());
        }
        if (FAILED(result)) {
            Refused("mem", result);
            return std::nullopt;
        }
        if (ReportedTexts() != reported) {
            Fail("mem", "no bytes: the target reported an error");
            return std::nullopt;
        }
        CheckRunEnded();
        if (running_) {
            return bytes;
        }
        // The run ended meanwhile: the stopped target's bytes count.
    }
    const std::size_t reported = ReportedTexts();
    const HRESULT result = memory_->ReadMemory(start, start + count - 1, kByteAccess, bytes.data());
    if (FAILED(result)) {
        Refused("mem", result);
        return std::nullopt;
    }
    // A read that reported an error text and still answered S_OK gives no
    // bytes the host can trust.
    if (ReportedTexts() != reported) {
        Fail("mem", "no bytes: the target reported an error");
        return std::nullopt;
    }
    return bytes;
}

bool DebugSession::ShowMemory(DWORD start, DWORD count) {
    const auto bytes = ReadMemory(start, count);
    if (!bytes) {
        return false;
    }
    constexpr std::size_t kLine = 16;
    for (std::size_t offset = 0; offset < bytes->size(); offset += kLine) {
        std::string hex;
        std::string characters;
        for (std::size_t i = offset; i < std::min(offset + kLine, bytes->size()); ++i) {
            const BYTE byte = (*bytes)[i];
            hex += Hex(byte, 2) + " ";
            characters += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
        }
        hex.resize(kLine * 3, ' ');
        Print(Hex(start + static_cast<DWORD>(offset), 6) + "  " + hex + " " + characters);
    }
    return true;
}

bool DebugSession::WriteMemory(DWORD start, const std::vector<BYTE>& bytes) {
    if (!NeedConnection("write")) {
        return false;
    }
    const auto count = static_cast<DWORD>(bytes.size());
    if (count == 0 || count > kMostMemoryBytes) {
        return Fail("write", "1 to 0x1000 (4,096) bytes");
    }
    if (start > kAddressLimit - (count - 1)) {
        return Fail("write", "the range runs past 0xFFFFFFFF");
    }
    const std::size_t reported = ReportedTexts();
    const HRESULT result = memory_->WriteMemory(start, start + count - 1, kByteAccess, bytes.data());
    if (FAILED(result)) {
        return Refused("write", result);
    }
    if (ReportedTexts() != reported) {
        return Fail("write", "the target reported an error");
    }
    Print("write: " + std::to_string(count) + " bytes at " + Hex(start, 6));
    return true;
}

bool DebugSession::AddBreak(DWORD address) {
    if (!NeedConnection("break")) {
        return false;
    }
    DWORD id = 0;
    const HRESULT result = host_.Services().Breakpoints().SetUserBreakpoint(address, &id);
    if (FAILED(result)) {
        return Refused("break", result);
    }
    Print("break: #" + std::to_string(Breaks().size()) + " at " + Hex(address, 6));
    return true;
}

std::vector<HostBreakpointService::Breakpoint> DebugSession::Breaks() const {
    return host_.Services().Breakpoints().Breakpoints();
}

void DebugSession::ShowBreaks() {
    const auto breaks = Breaks();
    if (breaks.empty()) {
        Print("break: none set");
        return;
    }
    for (std::size_t i = 0; i < breaks.size(); ++i) {
        Print("  #" + std::to_string(i + 1) + " " + Hex(breaks[i].address, 6) +
              (breaks[i].enabled ? " enabled" : " disabled"));
    }
}

bool DebugSession::RemoveBreak(std::size_t number) {
    if (!NeedConnection("break")) {
        return false;
    }
    const auto breaks = Breaks();
    if (number == 0 || number > breaks.size()) {
        return Fail("break", "no breakpoint #" + std::to_string(number) + " (\"break list\" shows them)");
    }
    const HostBreakpointService::Breakpoint& chosen = breaks[number - 1];
    const HRESULT result = host_.Services().Breakpoints().RemoveUserBreakpoint(chosen.id);
    if (FAILED(result)) {
        return Refused("break", result);
    }
    Print("break: removed #" + std::to_string(number) + " at " + Hex(chosen.address, 6));
    return true;
}

void DebugSession::ShowStatus() {
    const StatusWindow window(host_.Services());
    const auto pages = window.Pages();
    if (pages.empty()) {
        Print("status: no status page");
        return;
    }
    for (const StatusPage& page : pages) {
        Print("[" + page.name + "]");
        for (const std::string& row : page.rows) {
            const std::size_t tab = row.find('\t');
            if (tab == std::string::npos) {
                Print("  " + row);
                continue;
            }
            const std::string item = row.substr(0, tab);
            Print("  " + item + (item.empty() || item.back() == ':' ? " " : ": ") + row.substr(tab + 1));
        }
    }
}

std::string DebugSession::StatusItem(const std::string& page, const std::string& item) const {
    const auto found = StatusWindow(host_.Services()).Page(page);
    if (!found) {
        return {};
    }
    for (const std::string& row : found->rows) {
        if (row.rfind(item + "\t", 0) == 0) {
            return row.substr(item.size() + 1);
        }
    }
    return {};
}

void DebugSession::ShowTrace() {
    const auto view = TraceWindow(host_.Services()).Read();
    if (!view) {
        Print("trace: the target keeps no trace");
        return;
    }
    Print("[" + view->name + "] " + std::to_string(view->rows.size()) + " rows");
    Print("  " + view->header);
    for (const std::string& row : view->rows) {
        Print("  " + row);
    }
}

}  // namespace simhost
