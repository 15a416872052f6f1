#include "link/instruction_length.h"

#include "config/device_data.h"

namespace {

WORD Type3Length(WORD w) {
    switch (w & 0xFF00) {
    case 0xDD00:
        return 2;
    case 0xCF00:
        return 3;
    case 0xCD00:
        return 4;
    default:
        break;
    }
    if ((w & 0xF13F) == 0xC11F || (w & 0xF13F) == 0x9001) {
        switch (w & 0x0E00) {
        case 0x0000:
        case 0x0800:
            return 2;
        case 0x0200:
            return 3;
        case 0x0400:
            return 4;
        case 0x0600:
            return (w & 0x00C0) == 0x00C0 ? 4 : 5;
        default:
            return 0;
        }
    }
    switch (w & 0xFF00) {
    case 0xFC00:
        return 6;
    case 0xDF00:
        return 7;
    case 0x9E00:
        return 8;
    default:
        return 0;
    }
}

WORD OtherTypesLength(WORD w) {
    switch (w & 0xFF00) {
    case 0xEF00:
        return 2;
    case 0xF500:
        return 3;
    case 0xFD00:
        return 4;
    case 0xF300:
        return 7;
    case 0xFB00:
        return 8;
    case 0x7D00:
        if ((w & 0xFFF0) == 0x7D10 || (w & 0xFFF0) == 0x7D30) {
            const WORD form = w & 0x000F;
            return form <= 7 ? 2 : form <= 11 ? 3 : form <= 13 ? 5 : 4;
        }
        return w == 0x7DF2 ? 6 : 0;
    default:
        return 0;
    }
}

}  // namespace

WORD GetInstructionLength(WORD opcodeWord) {
    return g_protocolType == 3 ? Type3Length(opcodeWord) : OtherTypesLength(opcodeWord);
}
