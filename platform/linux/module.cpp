#include "platform/module.h"

#include "platform/paths.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <list>
#include <mutex>
#include <string>
#include <vector>

// A module handle is the address of its record. Records of modules loaded with
// LoadLibraryA count their loads; the program's record and records made for
// modules that the dynamic loader brought in on its own are never freed.
struct HINSTANCE__ {
    void* dl = nullptr;            // dlopen handle (null for the program: dlopen(nullptr))
    const link_map* map = nullptr;  // identifies the loaded object
    std::string nativePath;
    int loads = 0;  // LoadLibraryA count; 0 for records that are not unloadable
};

namespace {

using DllMainFunction = BOOL (*)(HINSTANCE, DWORD, LPVOID);

class ModuleTable {
public:
    std::recursive_mutex mutex;

    HINSTANCE Program() {
        std::lock_guard lock(mutex);
        if (program_ == nullptr) {
            auto& record = records_.emplace_back();
            record.dl = dlopen(nullptr, RTLD_NOW);
            dlinfo(record.dl, RTLD_DI_LINKMAP, &record.map);
            record.nativePath = ProgramPath();
            program_ = &record;
        }
        return program_;
    }

    HINSTANCE ByMap(const link_map* map) {
        std::lock_guard lock(mutex);
        for (auto& record : records_) {
            if (record.map == map) {
                return &record;
            }
        }
        return nullptr;
    }

    HINSTANCE ByNativePath(const std::string& path) {
        std::lock_guard lock(mutex);
        for (auto& record : records_) {
            if (record.nativePath == path) {
                return &record;
            }
        }
        return nullptr;
    }

    // A loaded module whose file name (no folder) equals name without regard to case.
    HINSTANCE ByLeafName(const std::string& name) {
        std::lock_guard lock(mutex);
        for (auto& record : records_) {
            const std::size_t slash = record.nativePath.rfind('/');
            const std::string leaf =
                slash == std::string::npos ? record.nativePath : record.nativePath.substr(slash + 1);
            if (strcasecmp(leaf.c_str(), name.c_str()) == 0) {
                return &record;
            }
        }
        return nullptr;
    }

    HINSTANCE Add(void* dl, const link_map* map, std::string nativePath, int loads) {
        std::lock_guard lock(mutex);
        auto& record = records_.emplace_back();
        record.dl = dl;
        record.map = map;
        record.nativePath = std::move(nativePath);
        record.loads = loads;
        return &record;
    }

    void Remove(HINSTANCE module) {
        std::lock_guard lock(mutex);
        records_.remove_if([module](const HINSTANCE__& record) { return &record == module; });
    }

    bool Contains(HINSTANCE module) {
        std::lock_guard lock(mutex);
        return module == Program() ||
               std::any_of(records_.begin(), records_.end(),
                           [module](const HINSTANCE__& record) { return &record == module; });
    }

    std::vector<std::string> Folders() {
        std::lock_guard lock(mutex);
        std::vector<std::string> folders;
        for (const auto& record : records_) {
            const std::size_t slash = record.nativePath.rfind('/');
            if (slash != std::string::npos) {
                folders.push_back(record.nativePath.substr(0, slash));
            }
        }
        return folders;
    }

private:
    static std::string ProgramPath() {
        std::vector<char> buffer(4096);
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
        return length > 0 ? std::string(buffer.data(), static_cast<std::size_t>(length)) : std::string();
    }

    std::list<HINSTANCE__> records_;  // a list keeps record addresses stable
    HINSTANCE program_ = nullptr;
};

ModuleTable& Modules() {
    static ModuleTable* table = new ModuleTable;  // threads still running at exit use it
    return *table;
}

const link_map* MapOfAddress(const void* address) {
    Dl_info info{};
    link_map* map = nullptr;
    if (dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0) {
        return nullptr;
    }
    return map;
}

std::string LeafName(const std::string& windowsPath) {
    const std::size_t separator = windowsPath.find_last_of("\\/:");
    return separator == std::string::npos ? windowsPath : windowsPath.substr(separator + 1);
}

bool HasFolder(const std::string& name) {
    return name.find_first_of("\\/:") != std::string::npos;
}

// Windows adds the module extension to a name without one.
std::string WithExtension(std::string name) {
    if (LeafName(name).find('.') == std::string::npos) {
        name += ".dll";
    }
    return name;
}

// The native file to load for a LoadLibraryA name.
std::optional<std::string> LocateModule(const std::string& fileName) {
    const std::string name = WithExtension(fileName);
    if (HasFolder(name)) {
        return platform::ToNativePath(name);
    }
    std::vector<std::string> folders;
    const std::string program = Modules().Program()->nativePath;
    folders.push_back(program.substr(0, program.rfind('/')));
    for (auto& folder : Modules().Folders()) {
        folders.push_back(std::move(folder));
    }
    for (const auto& folder : folders) {
        if (auto native = platform::ToNativePath(platform::ToWindowsPath(folder) + "\\" + name)) {
            if (access(native->c_str(), F_OK) == 0) {
                return native;
            }
        }
    }
    return platform::ToNativePath(name);  // the current directory
}

// True when the file holds a shared object this process could load (as
// Windows checks that a file is a module of its own machine): the ELF header
// of a shared object of this layer's class, byte order and machine.
bool IsLoadableImage(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    ElfW(Ehdr) header{};
    const bool complete = read(fd, &header, sizeof(header)) == static_cast<ssize_t>(sizeof(header));
    close(fd);
    Dl_info self{};
    if (!complete || dladdr(reinterpret_cast<const void*>(&IsLoadableImage), &self) == 0) {
        return false;
    }
    const auto* own = static_cast<const ElfW(Ehdr)*>(self.dli_fbase);
    return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 && header.e_ident[EI_CLASS] == own->e_ident[EI_CLASS] &&
           header.e_ident[EI_DATA] == own->e_ident[EI_DATA] && header.e_machine == own->e_machine &&
           header.e_type == ET_DYN;
}

// The error Windows gives for a file that exists but does not load: a folder
// cannot be opened, a file that is not a module of this machine has a bad
// format, and a module whose own modules are missing is "not found".
DWORD LoadFailure(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return ERROR_ACCESS_DENIED;
    }
    return IsLoadableImage(path) ? ERROR_MOD_NOT_FOUND : ERROR_BAD_EXE_FORMAT;
}

DllMainFunction OwnDllMain(HINSTANCE module) {
    void* symbol = dlsym(module->dl, "DllMain");
    if (symbol == nullptr || MapOfAddress(symbol) != module->map) {
        return nullptr;  // none, or one that belongs to a module it depends on
    }
    return reinterpret_cast<DllMainFunction>(symbol);
}

}  // namespace

HMODULE LoadLibraryA(LPCSTR fileName) {
    if (fileName == nullptr || *fileName == '\0') {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    ModuleTable& modules = Modules();
    std::lock_guard lock(modules.mutex);
    const std::optional<std::string> native = LocateModule(fileName);
    if (!native || access(native->c_str(), F_OK) != 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (HINSTANCE loaded = modules.ByNativePath(*native); loaded != nullptr) {
        if (loaded->loads > 0) {
            ++loaded->loads;
        }
        return loaded;
    }
    void* dl = dlopen(native->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (dl == nullptr) {
        SetLastError(LoadFailure(*native));
        return nullptr;
    }
    const link_map* map = nullptr;
    dlinfo(dl, RTLD_DI_LINKMAP, &map);
    if (HINSTANCE known = modules.ByMap(map); known != nullptr) {
        dlclose(dl);  // already loaded under another name
        if (known->loads > 0) {
            ++known->loads;
        }
        return known;
    }
    HINSTANCE module = modules.Add(dl, map, *native, 1);
    if (DllMainFunction entry = OwnDllMain(module); entry != nullptr) {
        if (entry(module, DLL_PROCESS_ATTACH, nullptr) == FALSE) {
            entry(module, DLL_PROCESS_DETACH, nullptr);
            modules.Remove(module);
            dlclose(dl);
            SetLastError(ERROR_DLL_INIT_FAILED);
            return nullptr;
        }
    }
    SetLastError(ERROR_SUCCESS);
    return module;
}

// A null module is the program, as on Windows.
FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    ModuleTable& modules = Modules();
    if (module == nullptr) {
        module = modules.Program();
    }
    if (!modules.Contains(module)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (module == platform::LayerModule()) {
        if (FARPROC standIn = platform::User32Export(name)) {
            return standIn;
        }
    }
    const auto value = reinterpret_cast<ULONG_PTR>(name);
    const std::string symbolName = value < 0x10000 ? (value != 0 ? "Q3vOrdinal" + std::to_string(value) : "")
                                                   : std::string(name);
    void* symbol = !symbolName.empty() ? dlsym(module->dl, symbolName.c_str()) : nullptr;
    // Windows answers only the module's own exports, never those of a module it
    // depends on.
    if (symbol == nullptr || MapOfAddress(symbol) != module->map) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module) {
    ModuleTable& modules = Modules();
    std::lock_guard lock(modules.mutex);
    if (module == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!modules.Contains(module)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    if (module->loads == 0) {
        return TRUE;  // the program, or a module this layer did not load
    }
    if (--module->loads == 0) {
        if (DllMainFunction entry = OwnDllMain(module); entry != nullptr) {
            entry(module, DLL_PROCESS_DETACH, nullptr);
        }
        void* dl = module->dl;
        modules.Remove(module);
        dlclose(dl);
    }
    return TRUE;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
    ModuleTable& modules = Modules();
    if (module == nullptr) {
        module = modules.Program();
    }
    if (!modules.Contains(module)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (fileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::string path = platform::ToWindowsPath(module->nativePath);
    if (path.size() >= size) {
        std::memcpy(fileName, path.data(), size - 1);
        fileName[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(fileName, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}

HMODULE GetModuleHandleA(LPCSTR moduleName) {
    ModuleTable& modules = Modules();
    if (moduleName == nullptr) {
        return modules.Program();
    }
    if (platform::IsUser32Name(moduleName)) {
        return platform::LayerModule();
    }
    // A name with a folder names that very file; a name without one, any
    // loaded module of that name.
    const std::string name = WithExtension(moduleName);
    HINSTANCE module = nullptr;
    if (!HasFolder(name)) {
        module = modules.ByLeafName(name);
    } else if (const std::optional<std::string> native = platform::ToNativePath(name)) {
        module = modules.ByNativePath(*native);
    }
    if (module == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
    }
    return module;
}

namespace platform {

HMODULE ModuleFromAddress(const void* address) {
    ModuleTable& modules = Modules();
    const HINSTANCE program = modules.Program();
    const link_map* map = MapOfAddress(address);
    if (map == nullptr) {
        return nullptr;
    }
    if (HINSTANCE known = modules.ByMap(map); known != nullptr) {
        return known;
    }
    // A module that the dynamic loader brought in by itself (the platform layer,
    // or a module loaded before this layer saw it): keep a record that is never
    // freed. Its dlopen handle takes a reference, which keeps the address valid.
    void* dl = dlopen(map->l_name, RTLD_NOW | RTLD_NOLOAD);
    if (dl == nullptr) {
        return program;
    }
    return modules.Add(dl, map, map->l_name, 0);
}

bool IsProgramAddress(const void* address) {
    return MapOfAddress(address) == Modules().Program()->map;
}

}  // namespace platform
