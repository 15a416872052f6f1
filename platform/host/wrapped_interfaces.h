// The host services that only the plug-in's wrappers call (hostui/
// host_service_*.h), declared from their tables (see
// platform/host/service_table.h). The host gives them meaning; the tables fix
// the forms the wrappers rely on.
#pragma once

#include "platform/host/ids.h"
#include "platform/host/service_table.h"

// Interface B: groups of texts with numbers, flags and lists (CHostServiceB).
#define Q3V_TABLE_IHServiceB(SLOT, GAP)                                                                \
    SLOT(3, Op3, Text, Text, Text, ListOut)                                                            \
    SLOT(4, Op4, Text, Text, Text, List)                                                               \
    SLOT(5, Op5, Text, Text, Text, StringOut)                                                          \
    SLOT(6, Op6, Text, Text, Text, Text)                                                               \
    SLOT(7, Op7, Text, Text, Text, StringOut)                                                          \
    SLOT(8, Op8, Text, Text, Text, Text)                                                               \
    SLOT(9, Op9, Text, Text, Text, FlagOut)                                                            \
    SLOT(10, Op10, Text, Text, Text, Flag)                                                             \
    SLOT(11, Op11, Text, Text, Text, ListOut)                                                          \
    GAP(12)                                                                                            \
    SLOT(13, Op13, Text, Text, Text, StringOut)                                                        \
    SLOT(14, Op14, Text, Text, Text, Text)                                                             \
    GAP(15) GAP(16) GAP(17) GAP(18)                                                                    \
    SLOT(19, Op19, Text, Text, Text, Text, StringOut)                                                  \
    SLOT(20, Op20, Text, Text, Text, Text, Text)                                                       \
    GAP(21) GAP(22)                                                                                    \
    SLOT(23, Op23, Text, Text, Text, FlagOut)                                                          \
    SLOT(24, Op24, Text, Text, Text, Flag)                                                             \
    SLOT(25, Op25, Text, Text, StringOut)                                                              \
    SLOT(26, Op26, Text, Text, Text)                                                                   \
    SLOT(27, Op27, Text, Text, Number)                                                                 \
    SLOT(28, Op28, Text, Text, Text)                                                                   \
    SLOT(29, Op29, Text, StringOut)                                                                    \
    SLOT(30, Op30, Text, Text)                                                                         \
    SLOT(31, Op31, Text, FlagOut)                                                                      \
    SLOT(32, Op32, Text, Flag)                                                                         \
    SLOT(33, Op33, Text, Text)                                                                         \
    GAP(34) GAP(35) GAP(36) GAP(37)                                                                    \
    SLOT(38, Op38, Text)                                                                               \
    SLOT(39, Op39, Text, Text, Text, Number, NumberOut)                                                \
    SLOT(40, Op40, Text, Text, Text, Number, Text, Text, Number, Number, Number, Text, Number, Number,  \
         Number, Number, Number, Number)                                                               \
    SLOT(41, Op41, Text, Text, Text, Number, Text, Text, StringOut, NumberOut, NumberOut, NumberOut,   \
         StringOut, NumberOut, NumberOut, NumberOut, NumberOut, NumberOut, NumberOut)                  \
    SLOT(42, Op42, Text, Text, Text, List)                                                             \
    SLOT(43, Op43, Text, Text, Text, ListOut)                                                          \
    SLOT(44, Op44, Text, Text, Text, Number, Text, Text, Number, Number, Number, Text, Number, Number,  \
         Number, Number, Number, Number, Number, List, Text)                                           \
    SLOT(45, Op45, Text, Number, Number, Number, Text, Number, Number, Number, Number, Number, Number,  \
         Number, List)                                                                                 \
    SLOT(46, Op46, Text, Text, Text, Number, Text, Text, StringOut, Number, Number, Number, StringOut, \
         Number, Number, Number, Number, Number, Number, Number, ListOut, StringOut)                   \
    SLOT(47, Op47, Text, Number, Number, Number, StringOut, Number, Number, Number, Number, Number,    \
         Number, Number, ListOut)                                                                      \
    SLOT(48, Op48, Text, Text, Text, Number, Text)                                                     \
    SLOT(49, Op49, Text, Text, Text, Number, Text)                                                     \
    SLOT(50, Op50, Text, Text, Text, FlagOut)                                                          \
    SLOT(51, Op51, Text, Text, Text, Flag)                                                             \
    SLOT(52, Op52, Text, Text, Text, Number)                                                           \
    SLOT(53, Op53, Text, Text, Text, NumberOut)                                                        \
    SLOT(54, Op54, Text, Text, Text, Number)                                                           \
    SLOT(55, Op55, Text, Text, Text, NumberOut)

HOST_TABLE_INTERFACE(IHServiceB, Q3V_TABLE_IHServiceB);

// Interface D, of which the wrapper covers slots 17 to 96 (CHostServiceD).
#define Q3V_TABLE_IHServiceD(SLOT, GAP)                                        \
    GAP(3) GAP(4) GAP(5) GAP(6) GAP(7) GAP(8) GAP(9)                          \
    GAP(10) GAP(11) GAP(12) GAP(13) GAP(14) GAP(15) GAP(16)                   \
    SLOT(17, Op17, NumberOut, TextRef, Number)                                 \
    GAP(18)                                                                    \
    SLOT(19, Op19, NumberOut)                                                  \
    SLOT(20, Op20, NumberOut)                                                  \
    GAP(21)                                                                    \
    SLOT(22, Op22, NumberOut, Number)                                          \
    SLOT(23, Op23)                                                             \
    SLOT(24, Op24)                                                             \
    SLOT(25, Op25, NumberOut)                                                  \
    SLOT(26, Op26)                                                             \
    SLOT(27, Op27, NumberOut)                                                  \
    GAP(28)                                                                    \
    SLOT(29, Op29, ListOut)                                                    \
    HOSTSLOT_GAPS10(GAP, 3)                                                    \
    SLOT(40, Op40)                                                             \
    SLOT(41, Op41)                                                             \
    GAP(42) GAP(43) GAP(44) GAP(45) GAP(46) GAP(47) GAP(48) GAP(49)           \
    HOSTSLOT_GAPS10(GAP, 5) HOSTSLOT_GAPS10(GAP, 6)                            \
    GAP(70) GAP(71) GAP(72) GAP(73) GAP(74) GAP(75) GAP(76) GAP(77) GAP(78)   \
    SLOT(79, Op79, List)                                                       \
    GAP(80) GAP(81) GAP(82)                                                    \
    SLOT(83, Op83)                                                             \
    SLOT(84, Op84, Number, Number)                                             \
    SLOT(85, Op85, Number)                                                     \
    SLOT(86, Op86)                                                             \
    GAP(87) GAP(88)                                                            \
    SLOT(89, Op89, Number, Number, TextRef)                                    \
    SLOT(90, Op90, Number, Number, Number, TextRef)                            \
    SLOT(91, Op91, Text, Text, Number, Number, Text, Number)                   \
    SLOT(92, Op92)                                                             \
    SLOT(93, Op93, List)                                                       \
    SLOT(94, Op94, Text, Number)                                               \
    SLOT(95, Op95)                                                             \
    SLOT(96, Op96, Text, Number, Number, Flag, Flag)

HOST_TABLE_INTERFACE(IHServiceD, Q3V_TABLE_IHServiceD);

// The sub-interface of D, asked for anew at each use.
#define Q3V_TABLE_IHServiceDSub(SLOT, GAP)                        \
    GAP(3) GAP(4) GAP(5) GAP(6) GAP(7) GAP(8) GAP(9)             \
    HOSTSLOT_GAPS10(GAP, 1) HOSTSLOT_GAPS10(GAP, 2)               \
    GAP(30) GAP(31) GAP(32) GAP(33) GAP(34) GAP(35) GAP(36) GAP(37) \
    SLOT(38, Op38, Text, Text, Number, Text, Number)              \
    SLOT(39, Op39, Text, Text, Number)

HOST_TABLE_INTERFACE(IHServiceDSub, Q3V_TABLE_IHServiceDSub);

// The client interface of a named icon item (CHostServiceE): every operation
// takes the item's data word.
#define Q3V_TABLE_IHServiceEClient(SLOT, GAP)                                      \
    SLOT(3, Op3, Text, Number)                                                     \
    SLOT(4, Op4, Text, Number)                                                     \
    SLOT(5, Op5, Text, Number, Number, Number)                                     \
    SLOT(6, Op6, Text, Number, Number, Number)                                     \
    SLOT(7, Op7, Text, Number, Number, Number)                                     \
    SLOT(8, Op8, Text, Number, Number, Number, Number, Number, Number)             \
    SLOT(9, Op9, Number, Number)                                                   \
    SLOT(10, Op10, Text, Number, Number)                                           \
    SLOT(11, Op11, Number, Number)                                                 \
    SLOT(12, Op12, Text, Number, Number)                                           \
    SLOT(13, Op13, Number, Number, Number, ListOut, ListOut, NumberOut)            \
    SLOT(14, Op14, Number, Text, Number, Number)                                   \
    SLOT(15, Op15, StringOut, Number, Text, Number, Number)                        \
    SLOT(16, Op16, NumberOut, NumberOut, Text, Number, Number)                     \
    SLOT(17, Op17, NumberOut, StringOut, Number)

HOST_TABLE_INTERFACE(IHServiceEClient, Q3V_TABLE_IHServiceEClient);

// The three companions of service F (CHostServiceF). Their operations keep
// the numbers they would have in service F's own numbering.
#define Q3V_TABLE_IHServiceFCompanion1(SLOT, GAP)                                                   \
    GAP(3) GAP(4) GAP(5) GAP(6) GAP(7) GAP(8) GAP(9)                                               \
    HOSTSLOT_GAPS10(GAP, 1) HOSTSLOT_GAPS10(GAP, 2) HOSTSLOT_GAPS10(GAP, 3)                         \
    HOSTSLOT_GAPS10(GAP, 4) HOSTSLOT_GAPS10(GAP, 5) HOSTSLOT_GAPS10(GAP, 6)                         \
    GAP(70) GAP(71) GAP(72) GAP(73) GAP(74) GAP(75)                                                 \
    SLOT(76, Op76, Number, Number, Number, Number, Number, Number, Number, Number, StringOut,       \
         StringOut, StringOut)                                                                      \
    SLOT(77, Op77, Number, Number, Number, Number, Number, Number, Number, Number, Text, Text, Text) \
    GAP(78) GAP(79) HOSTSLOT_GAPS10(GAP, 8)                                                         \
    GAP(90) GAP(91) GAP(92) GAP(93) GAP(94)                                                         \
    SLOT(95, Op95, Number, Number, Number, Number, Number, StringOut, Number)                       \
    SLOT(96, Op96, Number, Number, Number, Number, Number, Text, Number)

HOST_TABLE_INTERFACE(IHServiceFCompanion1, Q3V_TABLE_IHServiceFCompanion1);

#define Q3V_TABLE_IHServiceFCompanion2(SLOT, GAP)                                                   \
    GAP(3) GAP(4) GAP(5) GAP(6) GAP(7) GAP(8) GAP(9)                                               \
    HOSTSLOT_GAPS10(GAP, 1) HOSTSLOT_GAPS10(GAP, 2) HOSTSLOT_GAPS10(GAP, 3)                         \
    HOSTSLOT_GAPS10(GAP, 4) HOSTSLOT_GAPS10(GAP, 5) HOSTSLOT_GAPS10(GAP, 6)                         \
    HOSTSLOT_GAPS10(GAP, 7) HOSTSLOT_GAPS10(GAP, 8) HOSTSLOT_GAPS10(GAP, 9)                         \
    HOSTSLOT_GAPS10(GAP, 10) HOSTSLOT_GAPS10(GAP, 11) HOSTSLOT_GAPS10(GAP, 12)                      \
    HOSTSLOT_GAPS10(GAP, 13) HOSTSLOT_GAPS10(GAP, 14) HOSTSLOT_GAPS10(GAP, 15)                      \
    GAP(160) GAP(161)                                                                               \
    SLOT(162, Op162, Number, Number, Number, Number, Number, StringOut, Number, Number)             \
    SLOT(163, Op163, Number, Number, Number, Number, Number, Text, Number, Number)                  \
    GAP(164)                                                                                        \
    SLOT(165, Op165, Number, Number, Number, Number, Number, Number, Number, Number, StringOut,      \
         StringOut, StringOut, Number)                                                              \
    SLOT(166, Op166, Number, Number, Number, Number, Number, Number, Number, Number, Text, Text,     \
         Text, Number)

HOST_TABLE_INTERFACE(IHServiceFCompanion2, Q3V_TABLE_IHServiceFCompanion2);

#define Q3V_TABLE_IHServiceFCompanion3(SLOT, GAP)                                                   \
    GAP(3) GAP(4) GAP(5) GAP(6) GAP(7) GAP(8) GAP(9)                                               \
    HOSTSLOT_GAPS10(GAP, 1) HOSTSLOT_GAPS10(GAP, 2) HOSTSLOT_GAPS10(GAP, 3)                         \
    HOSTSLOT_GAPS10(GAP, 4) HOSTSLOT_GAPS10(GAP, 5) HOSTSLOT_GAPS10(GAP, 6)                         \
    HOSTSLOT_GAPS10(GAP, 7) HOSTSLOT_GAPS10(GAP, 8) HOSTSLOT_GAPS10(GAP, 9)                         \
    HOSTSLOT_GAPS10(GAP, 10) HOSTSLOT_GAPS10(GAP, 11) HOSTSLOT_GAPS10(GAP, 12)                      \
    HOSTSLOT_GAPS10(GAP, 13) HOSTSLOT_GAPS10(GAP, 14) HOSTSLOT_GAPS10(GAP, 15)                      \
    HOSTSLOT_GAPS10(GAP, 16) HOSTSLOT_GAPS10(GAP, 17) HOSTSLOT_GAPS10(GAP, 18)                      \
    GAP(190) GAP(191) GAP(192) GAP(193)                                                             \
    SLOT(194, Op194, Number, Number, Number, Number, Number, StringOut, Number, Number, Number,     \
         StringOut)                                                                                 \
    SLOT(195, Op195, Number, Number, Number, Number, Number, Text, Number, Number, Number, Text)

HOST_TABLE_INTERFACE(IHServiceFCompanion3, Q3V_TABLE_IHServiceFCompanion3);

// The two interfaces of CHostServiceG: the first answers a 16-bit truth value.
#define Q3V_TABLE_IHServiceGFirst(SLOT, GAP) \
    GAP(3) GAP(4) GAP(5) GAP(6) GAP(7) GAP(8) \
    SLOT(9, Op9, FlagOut)

HOST_TABLE_INTERFACE(IHServiceGFirst, Q3V_TABLE_IHServiceGFirst);

#define Q3V_TABLE_IHServiceGSecond(SLOT, GAP)                    \
    GAP(3) GAP(4) GAP(5) GAP(6) GAP(7) GAP(8) GAP(9)            \
    GAP(10) GAP(11) GAP(12)                                      \
    SLOT(13, Op13, Text, Text, Text, Number, Number)             \
    SLOT(14, Op14)                                               \
    SLOT(15, Op15)                                               \
    SLOT(16, Op16)

HOST_TABLE_INTERFACE(IHServiceGSecond, Q3V_TABLE_IHServiceGSecond);

#define Q3V_TABLE_IHServiceH(SLOT, GAP)              \
    SLOT(3, Op3, Number)                             \
    SLOT(4, Op4, Number)                             \
    SLOT(5, Op5, Text, Number, Number, Number)       \
    SLOT(6, Op6)                                     \
    SLOT(7, Op7, Number)                             \
    SLOT(8, Op8, Number)                             \
    SLOT(9, Op9)                                     \
    SLOT(10, Op10, Number)                           \
    SLOT(11, Op11, Number, Number)                   \
    SLOT(12, Op12, Number)                           \
    SLOT(13, Op13, Text)                             \
    SLOT(14, Op14)

HOST_TABLE_INTERFACE(IHServiceH, Q3V_TABLE_IHServiceH);

// An item that interface I gives by its key: two texts and a number.
#define Q3V_TABLE_IHServiceIItem(SLOT, GAP) \
    SLOT(3, Op3, StringOut)                 \
    SLOT(4, Op4, NumberOut)                 \
    SLOT(5, Op5, StringOut)

HOST_TABLE_INTERFACE(IHServiceIItem, Q3V_TABLE_IHServiceIItem);

#define Q3V_TABLE_IHServiceI(SLOT, GAP)                                        \
    GAP(3) GAP(4) GAP(5) GAP(6) GAP(7)                                        \
    SLOT(8, Op8, NumberOut)                                                    \
    SLOT(9, Op9, Number, InterfaceOut<IHServiceIItem>)                         \
    SLOT(10, Op10, Number)                                                     \
    SLOT(11, Op11, Number)                                                     \
    GAP(12) GAP(13) GAP(14) GAP(15) GAP(16) GAP(17) GAP(18) GAP(19)           \
    HOSTSLOT_GAPS10(GAP, 2)                                                    \
    GAP(30) GAP(31) GAP(32)                                                    \
    SLOT(33, Op33)                                                             \
    GAP(34)                                                                    \
    SLOT(35, Op35)                                                             \
    GAP(36) GAP(37) GAP(38) GAP(39) GAP(40) GAP(41) GAP(42)                   \
    SLOT(43, Op43, Text, Text, Number, Number, Number, Number, Number)         \
    SLOT(44, Op44)                                                             \
    SLOT(45, Op45)                                                             \
    SLOT(46, Op46)                                                             \
    SLOT(47, Op47)                                                             \
    SLOT(48, Op48, List)                                                       \
    SLOT(49, Op49, Text, Number, Text, StringOut)                              \
    SLOT(50, Op50, Text, List, ListOut)

HOST_TABLE_INTERFACE(IHServiceI, Q3V_TABLE_IHServiceI);

#define Q3V_TABLE_IHServiceJ(SLOT, GAP)                              \
    SLOT(3, Op3)                                                     \
    GAP(4) GAP(5) GAP(6) GAP(7) GAP(8) GAP(9)                       \
    HOSTSLOT_GAPS10(GAP, 1) HOSTSLOT_GAPS10(GAP, 2)                  \
    GAP(30) GAP(31) GAP(32) GAP(33) GAP(34) GAP(35) GAP(36)         \
    SLOT(37, Op37, Number)

HOST_TABLE_INTERFACE(IHServiceJ, Q3V_TABLE_IHServiceJ);
