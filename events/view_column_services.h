// The host services of the view columns, asked for at each use: a service the
// host refuses is a null pointer, and the step that needs it is skipped.
#pragma once

#include "platform/afx.h"
#include "platform/host/view_column_interfaces.h"

namespace view_columns {

template <typename Interface>
Interface* Service(IHostServiceProvider* host, REFIID iid) {
    void* service = nullptr;
    if (host == nullptr || FAILED(host->QueryService(iid, &service))) {
        return nullptr;
    }
    return static_cast<Interface*>(service);
}

// A further interface of a column service (its registry or its refresh).
template <typename Interface>
Interface* Part(IHViewColumnService* service, REFIID iid) {
    void* part = nullptr;
    if (service == nullptr || FAILED(service->QueryInterface(iid, &part))) {
        return nullptr;
    }
    return static_cast<Interface*>(part);
}

inline IHViewColumnService* SourceService(IHostServiceProvider* host) {
    return Service<IHViewColumnService>(host, IID_IHSourceColumnService);
}
inline IHViewColumnService* AsmService(IHostServiceProvider* host) {
    return Service<IHViewColumnService>(host, IID_IHAsmColumnService);
}
inline IHViewColumnService* EventService(IHostServiceProvider* host) {
    return Service<IHViewColumnService>(host, IID_IHEventColumnService);
}
inline IHLookupService* Lookup(IHostServiceProvider* host) {
    return Service<IHLookupService>(host, IID_IHLookupService);
}
inline IHSettingsStore* Settings(IHostServiceProvider* host) {
    return Service<IHSettingsStore>(host, IID_IHSettingsStore);
}

// A view name as the columns compare and hand it on: lower case.
inline CString Lower(LPCSTR view) {
    CString lower(view != nullptr ? view : "");
    lower.MakeLower();
    return lower;
}

}  // namespace view_columns
