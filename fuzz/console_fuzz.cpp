// The simulated host's console interpreter on lines of any content while no
// target is connected: every line gets its answer (an error, a usage, or the
// host's own listing), never a crash, and nothing connects or runs.
#include "sim/host/console.h"
#include "sim/host/sim_host.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

namespace {

// The host without a plug-in module: nothing can connect.
struct Unconnected {
    Unconnected() : host("Z:\\no such folder\\Q3vVk3.dll"), console(host, in, out, false) {}
    simhost::SimHost host;
    std::istringstream in;
    std::ostringstream out;
    simhost::Console console;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Unconnected* session = new Unconnected;  // one host for every input; the process ends it
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line(text.substr(start, end - start));
        start = end + 1;
        session->out.str({});
        session->console.Run(line);
        if (session->console.Session().Connected() || session->console.Session().Running()) {
            std::abort();
        }
        session->host.Log().Clear();
    }
    return 0;
}
