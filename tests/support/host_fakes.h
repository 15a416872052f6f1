// Recording fakes of the table-declared host interfaces (see
// platform/host/service_table.h), made from the very tables that declare the
// interfaces. A fake records every call it receives as its slot and its
// arguments decoded into texts, answers the result scripted for the slot and
// writes the scripted values through the call's out parameters, in order.
//
// How arguments read in a recorded call:
//   text in            "abc" (quoted), or null
//   text by address    &"abc", or null for a null address
//   number, flag       the value as a signed decimal ("-1" for VARIANT_TRUE)
//   list in            [a|b|c] for texts (~ for an empty element), u[1|2] for
//                      numbers, b[1|2] for bytes, empty, or vt=N
//   text out           out (a null BSTR was passed), out(set) otherwise
//   number, flag out   out(<value it held before the call>)
//   list out           out (a VT_EMPTY VARIANT was passed), out(vt=N)
//   interface out      out, or out(set)
// An out the script does not fill is left as the wrapper passed it. Values
// the fake writes are made without the platform's ANSI conversion, so a test
// that makes that conversion fail still gets its answers.
#pragma once

#include "platform/host/interfaces.h"
#include "platform/host/output_interfaces.h"
#include "platform/host/wrapped_interfaces.h"

#include <cstdio>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace hostfake {

struct Call {
    int slot = 0;
    std::vector<std::string> args;
    bool operator==(const Call&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Call& call) {
    out << "op " << call.slot << "(";
    for (std::size_t i = 0; i < call.args.size(); ++i) {
        out << (i == 0 ? "" : ", ") << call.args[i];
    }
    return out << ")";
}

// A BSTR made from an ASCII text without the platform's conversion.
inline BSTR MakeBstr(const std::string& text) {
    std::basic_string<OLECHAR> wide;
    for (const char c : text) {
        wide.push_back(static_cast<OLECHAR>(static_cast<unsigned char>(c)));
    }
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

inline std::string BstrText(BSTR text) {
    std::string narrow;
    for (UINT i = 0; text != nullptr && i < SysStringLen(text); ++i) {
        narrow.push_back(static_cast<char>(text[i]));
    }
    return narrow;
}

// A list VARIANT (VT_ARRAY | VT_BSTR) of VARIANT elements holding the texts;
// an element given as "~" stays VT_EMPTY.
inline VARIANT MakeStringList(const std::vector<std::string>& texts) {
    VARIANT list;
    VariantInit(&list);
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(texts.size()));
    VARIANT* elements = nullptr;
    SafeArrayAccessData(array, reinterpret_cast<void**>(&elements));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i] != "~") {
            elements[i].vt = VT_BSTR;
            elements[i].bstrVal = MakeBstr(texts[i]);
        }
    }
    SafeArrayUnaccessData(array);
    list.vt = VT_ARRAY | VT_BSTR;
    list.parray = array;
    return list;
}

// A byte list (VT_ARRAY | VT_UI1) of VARIANT elements.
inline VARIANT MakeByteList(const std::vector<BYTE>& bytes) {
    VARIANT list;
    VariantInit(&list);
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(bytes.size()));
    VARIANT* elements = nullptr;
    SafeArrayAccessData(array, reinterpret_cast<void**>(&elements));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        elements[i].vt = VT_UI1;
        elements[i].bVal = bytes[i];
    }
    SafeArrayUnaccessData(array);
    list.vt = VT_ARRAY | VT_UI1;
    list.parray = array;
    return list;
}

inline std::string Signed(DWORD value) {
    return std::to_string(static_cast<LONG>(value));
}

inline std::string ElementText(const VARIANT& element) {
    switch (element.vt) {
        case VT_EMPTY:
            return "~";
        case VT_BSTR:
            return BstrText(element.bstrVal);
        case VT_UINT:
            return std::to_string(element.uintVal);
        case VT_UI1:
            return std::to_string(element.bVal);
        case VT_I4:
            return std::to_string(element.lVal);
        default:
            return "vt=" + std::to_string(element.vt);
    }
}

// A list VARIANT as text (see the header comment).
inline std::string ListText(const VARIANT& list) {
    if (list.vt == VT_EMPTY) {
        return "empty";
    }
    std::string prefix;
    switch (list.vt) {
        case VT_ARRAY | VT_BSTR:
            break;
        case VT_ARRAY | VT_UINT:
            prefix = "u";
            break;
        case VT_ARRAY | VT_UI1:
            prefix = "b";
            break;
        default:
            return "vt=" + std::to_string(list.vt);
    }
    if (list.parray == nullptr) {
        return prefix + "[null]";
    }
    VARIANT* elements = nullptr;
    SafeArrayAccessData(list.parray, reinterpret_cast<void**>(&elements));
    std::string text = prefix + "[";
    const ULONG count = list.parray->rgsabound[0].cElements;
    for (ULONG i = 0; i < count; ++i) {
        text += (i == 0 ? "" : "|") + ElementText(elements[i]);
    }
    SafeArrayUnaccessData(list.parray);
    return text + "]";
}

// What the fake writes through one out parameter.
class Out {
public:
    enum class Kind { Keep, Text, Number, Flag, List, Pointer };

    static Out Keep() { return Out(Kind::Keep); }
    static Out Text(std::string text) {
        Out out(Kind::Text);
        out.text_ = std::move(text);
        return out;
    }
    static Out Number(DWORD value) {
        Out out(Kind::Number);
        out.number_ = value;
        return out;
    }
    static Out Flag(VARIANT_BOOL value) {
        Out out(Kind::Flag);
        out.number_ = static_cast<DWORD>(static_cast<LONG>(value));
        return out;
    }
    // A copy of the list at every use.
    static Out List(VARIANT list) {
        Out out(Kind::List);
        out.list_ = std::shared_ptr<VARIANT>(new VARIANT(list), [](VARIANT* held) {
            VariantClear(held);
            delete held;
        });
        return out;
    }
    static Out Strings(const std::vector<std::string>& texts) { return List(MakeStringList(texts)); }
    // The list itself, handed over once (later uses write nothing): for
    // lists that a copy would not keep as they are.
    static Out ListOnce(VARIANT list) {
        Out out = List(list);
        out.once_ = true;
        return out;
    }
    static Out Pointer(void* pointer) {
        Out out(Kind::Pointer);
        out.pointer_ = pointer;
        return out;
    }

    Kind GetKind() const { return kind_; }
    void WriteText(BSTR* target) const {
        if (kind_ == Kind::Text) {
            *target = MakeBstr(text_);
        }
    }
    void WriteNumber(DWORD* target) const {
        if (kind_ == Kind::Number || kind_ == Kind::Flag) {
            *target = number_;
        }
    }
    void WriteFlag(VARIANT_BOOL* target) const {
        if (kind_ == Kind::Number || kind_ == Kind::Flag) {
            *target = static_cast<VARIANT_BOOL>(number_);
        }
    }
    // As a host fills an out VARIANT: whatever it held is not looked at.
    void WriteList(VARIANT* target) const {
        if (kind_ != Kind::List || list_->vt == VT_EMPTY) {
            return;
        }
        VariantInit(target);
        if (once_) {
            *target = *list_;
            VariantInit(list_.get());
        } else {
            VariantCopy(target, list_.get());
        }
    }
    template <typename Interface>
    void WritePointer(Interface** target) const {
        if (kind_ == Kind::Pointer) {
            *target = static_cast<Interface*>(pointer_);
        }
    }

private:
    explicit Out(Kind kind) : kind_(kind) {}

    Kind kind_;
    std::string text_;
    DWORD number_ = 0;
    std::shared_ptr<VARIANT> list_;
    bool once_ = false;
    void* pointer_ = nullptr;
};

// The result of one slot and what it writes through its outs, in order.
struct Answer {
    HRESULT result = S_OK;
    std::vector<Out> outs;
};

class Recorder {
public:
    // The answer of every later call of the slot (S_OK, no outs, unless set).
    void Script(int slot, Answer answer) { answers_[slot] = std::move(answer); }
    const std::vector<Call>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

protected:
    Call& Begin(int slot) {
        calls_.push_back(Call{slot, {}});
        return calls_.back();
    }
    Answer AnswerFor(int slot) const {
        const auto found = answers_.find(slot);
        return found != answers_.end() ? found->second : Answer{};
    }

private:
    std::vector<Call> calls_;
    std::map<int, Answer> answers_;
};

inline const Out& NextOut(const Answer& answer, std::size_t& index) {
    static const Out kKeep = Out::Keep();
    const Out& out = index < answer.outs.size() ? answer.outs[index] : kKeep;
    ++index;
    return out;
}

// How each kind of argument is recorded and filled.
template <typename Kind>
struct Arg;

template <>
struct Arg<hostarg::Text> {
    static void Take(Call& call, BSTR text) {
        call.args.push_back(text == nullptr ? "null" : "\"" + BstrText(text) + "\"");
    }
    static void Give(const Answer&, std::size_t&, BSTR) {}
};

template <>
struct Arg<hostarg::TextRef> {
    static void Take(Call& call, BSTR* text) {
        call.args.push_back(text == nullptr ? "null" : "&\"" + BstrText(*text) + "\"");
    }
    static void Give(const Answer&, std::size_t&, BSTR*) {}
};

template <>
struct Arg<hostarg::StringOut> {
    static void Take(Call& call, BSTR* text) {
        call.args.push_back(text == nullptr ? "null" : *text == nullptr ? "out" : "out(set)");
    }
    static void Give(const Answer& answer, std::size_t& index, BSTR* text) {
        const Out& out = NextOut(answer, index);
        if (text != nullptr) {
            out.WriteText(text);
        }
    }
};

template <>
struct Arg<hostarg::Number> {
    static void Take(Call& call, DWORD value) { call.args.push_back(Signed(value)); }
    static void Give(const Answer&, std::size_t&, DWORD) {}
};

template <>
struct Arg<hostarg::NumberOut> {
    static void Take(Call& call, DWORD* value) {
        call.args.push_back(value == nullptr ? "null" : "out(" + Signed(*value) + ")");
    }
    static void Give(const Answer& answer, std::size_t& index, DWORD* value) {
        const Out& out = NextOut(answer, index);
        if (value != nullptr) {
            out.WriteNumber(value);
        }
    }
};

template <>
struct Arg<hostarg::Flag> {
    static void Take(Call& call, VARIANT_BOOL value) { call.args.push_back(std::to_string(value)); }
    static void Give(const Answer&, std::size_t&, VARIANT_BOOL) {}
};

template <>
struct Arg<hostarg::FlagOut> {
    static void Take(Call& call, VARIANT_BOOL* value) {
        call.args.push_back(value == nullptr ? "null" : "out(" + std::to_string(*value) + ")");
    }
    static void Give(const Answer& answer, std::size_t& index, VARIANT_BOOL* value) {
        const Out& out = NextOut(answer, index);
        if (value != nullptr) {
            out.WriteFlag(value);
        }
    }
};

template <>
struct Arg<hostarg::List> {
    static void Take(Call& call, VARIANT* list) { call.args.push_back(list == nullptr ? "null" : ListText(*list)); }
    static void Give(const Answer&, std::size_t&, VARIANT*) {}
};

template <>
struct Arg<hostarg::ListValue> {
    static void Take(Call& call, const VARIANT& list) { call.args.push_back(ListText(list)); }
    static void Give(const Answer&, std::size_t&, const VARIANT&) {}
};

template <>
struct Arg<hostarg::ListOut> {
    static void Take(Call& call, VARIANT* list) {
        call.args.push_back(list == nullptr              ? "null"
                            : list->vt == VT_EMPTY       ? "out"
                                                         : "out(vt=" + std::to_string(list->vt) + ")");
    }
    static void Give(const Answer& answer, std::size_t& index, VARIANT* list) {
        const Out& out = NextOut(answer, index);
        if (list != nullptr) {
            out.WriteList(list);
        }
    }
};

template <typename Interface>
struct Arg<hostarg::InterfaceOut<Interface>> {
    static void Take(Call& call, Interface** pointer) {
        call.args.push_back(pointer == nullptr ? "null" : *pointer == nullptr ? "out" : "out(set)");
    }
    static void Give(const Answer& answer, std::size_t& index, Interface** pointer) {
        const Out& out = NextOut(answer, index);
        if (pointer != nullptr) {
            out.WritePointer(pointer);
        }
    }
};

// The IUnknown part of a fake: QueryInterface answers IUnknown and the
// fake's own interface id; references are not counted.
template <typename Interface>
class FakeBase : public Interface, public Recorder {
public:
    explicit FakeBase(const IID& iid) : iid_(iid) {}
    virtual ~FakeBase() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == iid_) {
            *object = static_cast<Interface*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    IUnknown* Unknown() { return static_cast<Interface*>(this); }

private:
    IID iid_;
};

}  // namespace hostfake

#define HOSTFAKE_TAKE(i, kind) hostfake::Arg<hostarg::kind>::Take(call_, a##i);
#define HOSTFAKE_GIVE(i, kind) hostfake::Arg<hostarg::kind>::Give(answer_, out_, a##i);
#define HOSTFAKE_SLOT(slot, Name, ...)                                          \
    HRESULT STDMETHODCALLTYPE Name(HOSTSLOT_PARAMS(__VA_ARGS__)) override {     \
        hostfake::Call& call_ = Begin(slot);                                    \
        HOSTSLOT_EACH(HOSTFAKE_TAKE __VA_OPT__(, ) __VA_ARGS__)                 \
        const hostfake::Answer answer_ = AnswerFor(slot);                       \
        std::size_t out_ = 0;                                                   \
        HOSTSLOT_EACH(HOSTFAKE_GIVE __VA_OPT__(, ) __VA_ARGS__)                 \
        static_cast<void>(call_);                                               \
        static_cast<void>(out_);                                                \
        return answer_.result;                                                  \
    }
#define HOSTFAKE_GAP(slot)
#define HOSTFAKE_CLASS(Fake, Interface, iid, TABLE)                  \
    class Fake : public hostfake::FakeBase<Interface> {              \
    public:                                                          \
        Fake() : hostfake::FakeBase<Interface>(iid) {}               \
        TABLE(HOSTFAKE_SLOT, HOSTFAKE_GAP)                           \
    }

namespace hostfake {

HOSTFAKE_CLASS(FakeWorkSpaceInfo, IHWorkSpaceInfo, IID_IHWorkSpaceInfo, Q3V_TABLE_IHWorkSpaceInfo);
HOSTFAKE_CLASS(FakePlaceholderSettings, IHPlaceholderSettings, IID_IHPlaceholderSettings,
               Q3V_TABLE_IHPlaceholderSettings);
HOSTFAKE_CLASS(FakeOutputWindow, IHOutputWindow, IID_IHOutputWindow, Q3V_TABLE_IHOutputWindow);
HOSTFAKE_CLASS(FakeServiceB, IHServiceB, IID_IHServiceB, Q3V_TABLE_IHServiceB);
HOSTFAKE_CLASS(FakeServiceD, IHServiceD, IID_IHServiceD, Q3V_TABLE_IHServiceD);
HOSTFAKE_CLASS(FakeServiceDSub, IHServiceDSub, IID_IHServiceDSub, Q3V_TABLE_IHServiceDSub);
HOSTFAKE_CLASS(FakeServiceEClient, IHServiceEClient, IID_IHServiceEClient, Q3V_TABLE_IHServiceEClient);
HOSTFAKE_CLASS(FakeServiceFCompanion1, IHServiceFCompanion1, IID_IHServiceFCompanion1,
               Q3V_TABLE_IHServiceFCompanion1);
HOSTFAKE_CLASS(FakeServiceFCompanion2, IHServiceFCompanion2, IID_IHServiceFCompanion2,
               Q3V_TABLE_IHServiceFCompanion2);
HOSTFAKE_CLASS(FakeServiceFCompanion3, IHServiceFCompanion3, IID_IHServiceFCompanion3,
               Q3V_TABLE_IHServiceFCompanion3);
HOSTFAKE_CLASS(FakeServiceGFirst, IHServiceGFirst, IID_IHServiceGFirst, Q3V_TABLE_IHServiceGFirst);
HOSTFAKE_CLASS(FakeServiceGSecond, IHServiceGSecond, IID_IHServiceGSecond, Q3V_TABLE_IHServiceGSecond);
HOSTFAKE_CLASS(FakeServiceH, IHServiceH, IID_IHServiceH, Q3V_TABLE_IHServiceH);
HOSTFAKE_CLASS(FakeServiceI, IHServiceI, IID_IHServiceI, Q3V_TABLE_IHServiceI);
HOSTFAKE_CLASS(FakeServiceIItem, IHServiceIItem, IID_IHServiceIItem, Q3V_TABLE_IHServiceIItem);
HOSTFAKE_CLASS(FakeServiceJ, IHServiceJ, IID_IHServiceJ, Q3V_TABLE_IHServiceJ);

// A service provider that gives the services offered to it and records
// which ids it was asked for. With RefuseAll it answers E_NOINTERFACE to
// every request, after writing its offer when WriteWhenRefusing is set (a
// host that fails but leaves a pointer).
class FakeProvider : public IHostServiceProvider {
public:
    virtual ~FakeProvider() = default;
    void Offer(const IID& iid, IUnknown* service) { services_.emplace_back(iid, service); }
    void RefuseAll(bool refuse, bool writeWhenRefusing = false) {
        refuse_ = refuse;
        writeWhenRefusing_ = writeWhenRefusing;
    }
    const std::vector<IID>& Requests() const { return requests_; }
    std::size_t RequestCount(const IID& iid) const {
        std::size_t count = 0;
        for (const IID& asked : requests_) {
            count += asked == iid ? 1 : 0;
        }
        return count;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetEventName(const HostEventNotice*, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PostEvent(const HostEventNotice*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReportErrorText(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryService(REFIID iid, void** service) override {
        requests_.push_back(iid);
        IUnknown* found = nullptr;
        for (const auto& [offered, object] : services_) {
            if (offered == iid) {
                found = object;
            }
        }
        if (refuse_) {
            if (writeWhenRefusing_ && found != nullptr) {
                *service = found;
            }
            return E_NOINTERFACE;
        }
        if (found == nullptr) {
            return E_NOINTERFACE;  // the out pointer stays as the caller left it
        }
        *service = found;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RegisterClient(REFIID, IUnknown*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterServer(REFIID, IUnknown*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterClient(REFIID, IUnknown*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterServer(REFIID, IUnknown*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AdviseEventReceiver(IHEventReceiver*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnadviseEventReceiver(IHEventReceiver*) override { return E_NOTIMPL; }

private:
    std::vector<std::pair<IID, IUnknown*>> services_;
    std::vector<IID> requests_;
    bool refuse_ = false;
    bool writeWhenRefusing_ = false;
};

}  // namespace hostfake
