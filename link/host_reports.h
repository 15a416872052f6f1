// Texts the link passes to the host's error report (the service provider
// that the target object keeps): time-outs, area errors and the flash
// write-back's progress.
#pragma once

// Passes the text to the host as wide text; nothing without a host.
void ReportErrorTextToHost(const char* text);
