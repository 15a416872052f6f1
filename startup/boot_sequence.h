// The boot sequences the connect thread runs once the driver and the session
// objects are ready: by the connect mode (g_emuSel) and the device's protocol
// type, or the event-function firmware's variant when the firmware
// information file sets "SWTI". 1 success, 0 failure; every failure shows one
// message, owned by the connecting dialog, whose log shows the progress.
#pragma once

[[nodiscard]] int RunBootSequence();
// By connect mode: the firmware download with every block erased (0, 3) or
// the user's flash kept (1), or the flash erased for programming (2).
// Protocol type 0 has no such firmware: 0 at once, without a message.
[[nodiscard]] int RunSwtiBootSequence();
