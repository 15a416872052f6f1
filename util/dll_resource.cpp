#include "util/dll_resource.h"

#include "platform/module.h"

#include <vector>

namespace {

constexpr DWORD kFirstTextBufferSize = 1024;
// The most a text export may ask for: its texts are a type and a version, and
// a size beyond this is a broken module, whose text is then not read.
constexpr DWORD kMaxTextBufferSize = 64 * 1024;

}  // namespace

CDllResource::~CDllResource() {
    if (m_module != nullptr) {
        FreeLibrary(m_module);
    }
}

CDllResource& CDllResource::Assign(const CDllResource& other) {
    if (this == &other) {
        return *this;
    }
    if (m_module != nullptr) {
        FreeLibrary(m_module);
    }
    m_path = other.m_path;
    m_productVersion = other.m_productVersion;
    m_type = other.m_type;
    m_interfaceMajor = other.m_interfaceMajor;
    m_interfaceMinor = other.m_interfaceMinor;
    m_ordinalVersion = other.m_ordinalVersion;
    m_module = other.m_module != nullptr ? LoadLibraryA(m_path) : nullptr;
    return *this;
}

int CDllResource::Load(CString& message) {
    if (m_module == nullptr) {
        m_module = LoadLibraryA(m_path);
    }
    if (m_module == nullptr) {
        message = "Error loading resource DLL " + m_path;
        return 1;
    }
    GetDLLInterfaceVersion(message);
    GetDLLProductVersion(message);
    GetDLLOrdinalVersion(message);
    GetDLLType(message);
    return 0;
}

CString CDllResource::ReadText(const char* exportName) const {
    const auto function = platform::GetProcAddressAs<GetDLLTextFunction>(m_module, exportName);
    if (function == nullptr) {
        return CString();
    }
    DWORD size = kFirstTextBufferSize;
    std::vector<char> buffer(size, '\0');
    DWORD result = function(buffer.data(), &size);
    if (result > 0 && size > kMaxTextBufferSize) {
        return CString();
    }
    if (result > 0 && size > 0) {
        buffer.assign(size, '\0');
        result = function(buffer.data(), &size);
    }
    if (result != 0) {
        return CString();
    }
    buffer.push_back('\0');  // a text that filled the buffer still ends
    return CString(buffer.data());
}

int CDllResource::GetDLLInterfaceVersion(CString&) {
    m_interfaceMajor = 0;
    m_interfaceMinor = 0;
    if (const auto function = platform::GetProcAddressAs<GetDLLInterfaceVersionFunction>(m_module, "GetDLLInterfaceVersion")) {
        DWORD major = 0;
        DWORD minor = 0;
        if (function(&major, &minor) == 0) {
            m_interfaceMajor = major;
            m_interfaceMinor = minor;
        }
    }
    return 0;
}

int CDllResource::GetDLLOrdinalVersion(CString&) {
    m_ordinalVersion = 0;
    if (const auto function = platform::GetProcAddressAs<GetDLLOrdinalVersionFunction>(m_module, "GetDLLOrdinalVersion")) {
        DWORD ordinal = 0;
        if (function(&ordinal) == 0) {
            m_ordinalVersion = ordinal;
        }
    }
    return 0;
}

int CDllResource::GetDLLProductVersion(CString&) {
    m_productVersion = ReadText("GetDLLProductVersion");
    return 0;
}

int CDllResource::GetDLLType(CString&) {
    m_type = ReadText("GetDLLType");
    return 0;
}

BOOL CDllResource::IsInterfaceAtLeast(DWORD major, DWORD minor) const {
    return m_interfaceMajor > major || (m_interfaceMajor == major && m_interfaceMinor >= minor) ? TRUE : FALSE;
}

BOOL CDllResource::IsInterfaceEqual(DWORD major, DWORD minor) const {
    return m_interfaceMajor == major && m_interfaceMinor == minor ? TRUE : FALSE;
}

CString CDllResource::GetInterfaceVersionText() const {
    CString text;
    text.Format("%d.%d", static_cast<int>(m_interfaceMajor), static_cast<int>(m_interfaceMinor));
    return text;
}

CString CDllResource::GetOrdinalVersionText() const {
    CString text;
    text.Format("%d", static_cast<int>(m_ordinalVersion));
    return text;
}

CDllResource* LoadResourceDll(const char* name, CString& message) {
    auto* resource = new CDllResource(name);
    if (resource->Load(message) != 0) {
        delete resource;
        return nullptr;
    }
    if (resource->GetType() != "Resource") {
        message.Format("Dll %s is not a resources Dll", name != nullptr ? name : "");
        delete resource;
        return nullptr;
    }
    if (!resource->IsInterfaceEqual(1, 0) || resource->GetOrdinalVersion() != 1 ||
        resource->GetProductVersion() != "1.0") {
        message = "Incorrect version of Resources - exiting";
        delete resource;
        return nullptr;
    }
    AfxGetStaticModuleState()->m_hCurrentResourceHandle = resource->GetModule();
    return resource;
}
