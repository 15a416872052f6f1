// The target makes its event engine through this factory, installed at the
// module's start.
#include "events/event_engine.h"

namespace {

[[maybe_unused]] const bool g_installed = [] {
    UpdateTargetObjectFactories([](TargetObjectFactories& factories) {
        factories.eventEngine = [](IHostServiceProvider* host, const EventEngineSetup& setup) -> CEventEngineBase* {
            return new CEventEngine(setup.deviceFile.c_str(), setup.deviceSection.c_str(), setup.traceAreaBase, host);
        };
    });
    return true;
}();

}  // namespace
