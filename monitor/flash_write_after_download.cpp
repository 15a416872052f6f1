// The end of a program download: the flash written as the connect mode asks.
#include "monitor/monitor_engine.h"

#include "link/firm_command.h"
#include "link/link_results.h"
#include "monitor/monitor_output.h"
#include "config/device_data.h"

namespace {

constexpr char kFlashWrite[] = "Flash Write";

}  // namespace

WORD CMonitorEngine::FlashWriteAfterDownload() {
    CFirmCommand command;
    if (g_emuSel == connect_mode::kProgramFlash) {
        WORD result = link_result::kOk;
        if (g_swtiSupported == 1 || g_protocolType == 0 || g_protocolType == 1) {
            result = command.WriteFlashAndReport();
        } else if (g_protocolType >= 2 && g_protocolType <= 4) {
            result = command.WriteFlashAndReportPaged();
        }
        // A programming that failed is no "Flash Write": the caller says so.
        if (result == link_result::kOk) {
            AppendMonitorText(kFlashWrite);
            EndMonitorCommand();
        }
        return result;
    }
    const WORD prepared = g_emuSel == connect_mode::kCpuRewriteMode ? command.InstallFirmwareVectors()
                                                                    : command.CheckFirmwareVectors();
    if (prepared != link_result::kOk) {
        return prepared;
    }
    return command.WriteBackFlash();
}
