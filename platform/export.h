// Marks a function as an export of its module, with C linkage so that other
// modules find it by its plain name.
#pragma once

#ifdef _WIN32
#define Q3V_EXPORT extern "C" __declspec(dllexport)
#else
#define Q3V_EXPORT extern "C" __attribute__((visibility("default")))
#endif
