/* The control API of the simulated emulator module (Q3vSimEmu.dll).
 *
 * Tests, benchmarks and the simulated host find these functions with
 * GetProcAddress by their plain names; they steer the model behind the
 * driver entry points: settings, the target's memory and registers, the log
 * of frames, and injected faults. Plain C, fixed-width types, no pointers
 * inside records, so the same header serves the 32-bit Windows build.
 */
#ifndef Q3V_SIM_EMULATOR_CONTROL_H
#define Q3V_SIM_EMULATOR_CONTROL_H

#include "platform/wintypes.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Driver result codes of the entry points (0 success, 3 pending, 11 from
 * ULE_Initialise when the driver is already initialised); ULE_DLLError gives
 * the text of each. */
#define Q3V_SIM_OK 0u
#define Q3V_SIM_NOT_INITIALISED 1u      /* ULE_Initialise and ULE_Select have not both succeeded */
#define Q3V_SIM_UNKNOWN_INTERFACE 2u    /* the interface name is not one of ULE_Identify's */
#define Q3V_SIM_PENDING 3u              /* poll ULE_Poll until it answers something else */
#define Q3V_SIM_INVALID_PARAMETER 4u    /* a null buffer, a bad count or channel */
#define Q3V_SIM_RECEIVE_TIMEOUT 6u      /* nothing arrived within the receive time-out */
#define Q3V_SIM_LINK_LOST 7u            /* the USB link to the emulator is gone */
#define Q3V_SIM_FRAME_TOO_LONG 8u       /* a transfer longer than the driver's buffer */
#define Q3V_SIM_NO_EMULATOR 9u          /* no emulator at that index */
#define Q3V_SIM_ADDRESS_OUT_OF_RANGE 10u
#define Q3V_SIM_ALREADY_INITIALISED 11u
#define Q3V_SIM_NOT_SUPPORTED 12u
#define Q3V_SIM_WRITE_PROTECTED 13u     /* emulator memory that only the adapter-program entries change */
#define Q3V_SIM_BAD_CONFIGURATION 14u   /* a configuration text the model does not understand */

/* Faults for Q3vSimInjectFault (value and count as each line says). */
#define Q3V_SIM_FAULT_RECEIVE_TIMEOUT 1u  /* the next count receives time out; their replies are lost */
#define Q3V_SIM_FAULT_LINK_LOST 2u        /* value 1: every transfer fails with Q3V_SIM_LINK_LOST; 0 ends it */
#define Q3V_SIM_FAULT_CONNECTOR 3u        /* value 1: the target connector is disconnected; 0 reconnects */
#define Q3V_SIM_FAULT_NAK 4u              /* the next count frames are answered 00 02 15 81 unread */
#define Q3V_SIM_FAULT_STATUS 5u           /* the next count frames are answered 00 02 value 81 unread */
#define Q3V_SIM_FAULT_ERASE 6u            /* the next count block erases fail as the flash would */
#define Q3V_SIM_FAULT_PROGRAM 7u          /* the next count flash programs fail as the flash would */
#define Q3V_SIM_FAULT_TARGET_RESET 8u     /* the target CPU resets; the next count firmware replies say "RS" */
#define Q3V_SIM_FAULT_SHORT_REPLY 9u      /* the next count replies are cut to value bytes */
#define Q3V_SIM_FAULT_CORRUPT_REPLY 10u   /* the next count replies have the byte at offset value inverted */
#define Q3V_SIM_FAULT_VERIFY 11u          /* the next count verified writes report a verify error */
#define Q3V_SIM_FAULT_TARGET_POWER 12u    /* value 0: the board's own supply fails; 1 restores it */
#define Q3V_SIM_FAULT_BARE_ACK 13u        /* the next count requests are answered 00 02 06 81 unread: of any kind
                                             (value 0), or those whose byte after the count is value */
#define Q3V_SIM_FAULT_DELAY 14u           /* the next count replies are held value ms on the platform clock;
                                             one held as long as the receive time-out is lost */
#define Q3V_SIM_FAULT_FLASH_STUCK 15u     /* the next count relayed erases or page programs never finish */
#define Q3V_SIM_FAULT_BREAK_STOP 16u      /* the next count break pulses find the running program stopped by
                                             itself with stop word value (status bit 0) instead of "BK" */
#define Q3V_SIM_FAULT_INITIALISE 17u      /* the next count ULE_Initialise calls answer Q3V_SIM_LINK_LOST */
#define Q3V_SIM_FAULT_NO_BREAK 18u        /* the next count break pulses that meet a running program stop
                                             nothing: it runs on */
#define Q3V_SIM_FAULT_EVENT_STATUS 19u    /* the next count event commands ('P' to 'V') are answered with status
                                             word value and not carried out */
#define Q3V_SIM_FAULT_EVENT_SHORT 20u     /* the next count event replies keep only value data bytes, in a
                                             well-framed reply */

/* Where the model's target stands. */
#define Q3V_SIM_MCU_OFF 0u         /* no power */
#define Q3V_SIM_MCU_BOOT 1u        /* the boot program runs: ID check, flash commands */
#define Q3V_SIM_MCU_FIRMWARE 2u    /* the emulator firmware runs and serves requests */
#define Q3V_SIM_MCU_USER_CODE 3u   /* started without a firmware: nothing answers */

typedef struct Q3vSimStatus {
    DWORD mcuState;       /* Q3V_SIM_MCU_... */
    DWORD running;        /* 1 while the user program runs under the firmware */
    DWORD stopWord;       /* the last stop word ("BS" is 0x4253), 0 before the first stop */
    DWORD pc;             /* the program counter */
    DWORD protocolType;   /* 0 to 4 */
    DWORD idVerified;     /* 1 once the boot program accepted the ID code */
    DWORD lockedOut;      /* 1 after too many wrong ID codes, until the next reset */
    DWORD writerLoaded;   /* 1 once the flash writer is loaded */
    DWORD targetPowered;  /* 1 while the target has power */
    DWORD instructions;   /* instructions executed since the last reset (wraps) */
} Q3vSimStatus;

/* Direction of a logged frame. */
#define Q3V_SIM_FRAME_IN 0u        /* handed to X_PDI_TX */
#define Q3V_SIM_FRAME_OUT 1u       /* delivered by H_SCI_RX */
#define Q3V_SIM_FRAME_TIMEOUT 2u   /* a receive that timed out (no bytes) */

typedef struct Q3vSimFrameInfo {
    DWORD direction;   /* Q3V_SIM_FRAME_... */
    DWORD length;      /* bytes of the frame */
    DWORD ticks;       /* GetTickCount when it passed */
    DWORD sequence;    /* running number, also across a cleared log */
} Q3vSimFrameInfo;

/* Power-on state: emulator, target and faults as after plugging in; the
 * settings and the frame log stay. */
DWORD WINAPI Q3vSimReset(void);
/* Applies a configuration text: "key=value" pairs separated by ';' (see
 * docs/emulator.md). Q3V_SIM_OK or Q3V_SIM_BAD_CONFIGURATION (nothing applied). */
DWORD WINAPI Q3vSimConfigure(const char* text);
/* Copies the current settings as a configuration text; answers its length
 * (the text is cut to size - 1 characters). */
DWORD WINAPI Q3vSimGetConfiguration(char* text, DWORD size);
/* Programs the seven ID-code bytes into the target's flash. */
DWORD WINAPI Q3vSimSetIdCode(const BYTE* code);
/* Target memory as the CPU sees it, and a write that reaches every kind of
 * memory, flash included (a back door for tests). */
DWORD WINAPI Q3vSimReadTarget(DWORD address, BYTE* buffer, DWORD count);
DWORD WINAPI Q3vSimWriteTarget(DWORD address, const BYTE* data, DWORD count);
/* The emulator's own memory (the space of Q5t_ReadMemory), flash included. */
DWORD WINAPI Q3vSimReadEmulator(DWORD address, BYTE* buffer, DWORD count);
DWORD WINAPI Q3vSimWriteEmulator(DWORD address, const BYTE* data, DWORD count);
/* The 20 registers in the firmware's order: bank 0 R0 R1 R2 R3 A0 A1 FB,
 * bank 1 the same, PC, INTB, USP, ISP, SB, FLG. */
DWORD WINAPI Q3vSimGetRegisters(DWORD* values);
DWORD WINAPI Q3vSimSetRegisters(const DWORD* values);
DWORD WINAPI Q3vSimGetStatus(Q3vSimStatus* status);
/* Programs the built-in firmware into the target's flash (as a finished
 * connect leaves it) and starts it, so a test can begin at "firmware running". */
DWORD WINAPI Q3vSimInstallFirmware(void);
DWORD WINAPI Q3vSimInjectFault(DWORD fault, DWORD value, DWORD count);
/* The same fault, armed once calls more calls of X_PDI_TX and H_SCI_RX have
 * begun, so it can strike in the middle of an operation: with calls = 1 it
 * is armed for the next frame sent or received. 0 arms it at once. Cleared
 * by Q3vSimClearFaults and Q3vSimReset. */
DWORD WINAPI Q3vSimInjectFaultAfter(DWORD calls, DWORD fault, DWORD value, DWORD count);
/* The same, counting every data-moving driver call: X_PDI_TX, H_SCI_RX, the
 * adapter registers (ULE_ReadMemory, ULE_WriteMemory) and the emulator's
 * memory (Q5t_ReadMemory, Q5t_WriteMemory), so a fault can strike between
 * two register accesses too. */
DWORD WINAPI Q3vSimInjectFaultAfterDriverCalls(DWORD calls, DWORD fault, DWORD value, DWORD count);
DWORD WINAPI Q3vSimClearFaults(void);
/* The frame log: the last frames in and out (older ones are dropped). */
DWORD WINAPI Q3vSimGetFrameCount(void);
/* Copies frame index (0 = oldest kept) into bytes (at most size bytes);
 * Q3V_SIM_INVALID_PARAMETER when there is no such frame. */
DWORD WINAPI Q3vSimGetFrame(DWORD index, Q3vSimFrameInfo* info, BYTE* bytes, DWORD size);
DWORD WINAPI Q3vSimClearFrames(void);
/* The last frames as text, one line each ("-> 00 06 5A 01 00 06 A5 81");
 * answers the length of the whole text, of which size - 1 characters are
 * copied. */
DWORD WINAPI Q3vSimFormatFrames(DWORD last, char* text, DWORD size);

#ifdef __cplusplus
}
#endif

#endif
