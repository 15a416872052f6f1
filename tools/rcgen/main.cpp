// rcgen <folder> <script name> [--common-controls-6]: writes the resource
// script of its table and the files the script names into the folder, with
// the manifest that asks for version 6 of the common controls when told. A
// table the script cannot hold is an error naming the resource, and nothing
// is written.
#include "tools/rcgen/resource_script.h"
#include "tools/rcgen/script_table.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string_view>

namespace {

void WriteFile(const std::filesystem::path& path, const void* data, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    file.close();
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool manifest = argc == 4 && std::string_view(argv[3]) == "--common-controls-6";
    if (argc != 3 && !manifest) {
        std::cerr << "usage: " << argv[0] << " <folder> <script name> [--common-controls-6]\n";
        return 2;
    }
    try {
        rcgen::ResourceScript script = rcgen::MakeResourceScript(ScriptTable());
        if (manifest) {
            rcgen::AddCommonControlsManifest(script);
        }
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        // The files first: a script on disk names only files that are there.
        for (const rcgen::ScriptFile& file : script.files) {
            WriteFile(folder / file.name, file.bytes.data(), file.bytes.size());
        }
        WriteFile(folder / argv[2], script.text.data(), script.text.size());
    } catch (const std::exception& error) {
        std::cerr << argv[0] << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}
