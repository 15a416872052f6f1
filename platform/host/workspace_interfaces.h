// The host's workspace information and its service F, declared from their
// tables (see platform/host/service_table.h). Texts the host gives come back
// as new BSTRs that the caller frees; lists cross as list VARIANTs.
#pragma once

#include "platform/host/ids.h"
#include "platform/host/service_table.h"

// The host's information about its workspace: the current workspace,
// project and configuration, their names and folders, and the host's own
// folders (the interface that CHostServiceA wraps). The placeholder expander
// reads slots 10 to 12 and 35 directly.
#define Q3V_TABLE_IHWorkSpaceInfo(SLOT, GAP)                                       \
    SLOT(3, Op3, Text)                                                             \
    SLOT(4, Op4, Text)                                                             \
    SLOT(5, GetInstallDirectory, StringOut)                                        \
    SLOT(6, GetTempDirectory, StringOut)                                           \
    SLOT(7, Op7, StringOut)                                                        \
    SLOT(8, Op8, StringOut)                                                        \
    SLOT(9, Op9, StringOut)                                                        \
    SLOT(10, GetCurrentConfigName, StringOut)                                      \
    SLOT(11, GetCurrentProjectName, StringOut)                                     \
    SLOT(12, GetCurrentWorkspaceName, StringOut)                                   \
    SLOT(13, Op13, StringOut)                                                      \
    SLOT(14, Op14, StringOut)                                                      \
    SLOT(15, Op15, StringOut)                                                      \
    SLOT(16, Op16, Text, Text, ListOut)                                            \
    SLOT(17, Op17, Text, ListOut)                                                  \
    SLOT(18, Op18, ListOut)                                                        \
    SLOT(19, GetConfigName, Text, Text, Text, StringOut)                           \
    SLOT(20, GetProjectName, Text, Text, StringOut)                                \
    SLOT(21, GetWorkspaceName, Text, StringOut)                                    \
    SLOT(22, GetConfigDirectory, Text, Text, Text, StringOut)                      \
    SLOT(23, GetProjectDirectory, Text, Text, StringOut)                           \
    SLOT(24, GetWorkspaceDirectory, Text, StringOut)                               \
    SLOT(25, Op25, Text, Text, StringOut)                                          \
    SLOT(26, Op26, Text, StringOut)                                                \
    SLOT(27, Op27, Text, Text, StringOut)                                          \
    SLOT(28, Op28, Text, StringOut)                                                \
    SLOT(29, Op29, Text, Text, StringOut, StringOut, StringOut, StringOut, StringOut, StringOut, \
         StringOut)                                                                \
    SLOT(30, Op30, Text, Text, StringOut, StringOut, StringOut, StringOut, StringOut, StringOut, \
         StringOut, StringOut, NumberOut, NumberOut)                               \
    SLOT(31, Op31, Text, StringOut, StringOut, StringOut, StringOut)               \
    SLOT(32, Op32, Text, NumberOut)                                                \
    SLOT(33, Op33, NumberOut)                                                      \
    GAP(34)                                                                        \
    /* non-zero when the current workspace has custom placeholders of its own */  \
    SLOT(35, HasWorkspacePlaceholders, NumberOut)                                  \
    SLOT(36, Op36, Text, Text, ListOut)                                            \
    SLOT(37, Op37, Text, NumberOut, NumberOut)                                     \
    SLOT(38, Op38, Text, Text, NumberOut, NumberOut)                               \
    SLOT(39, Op39, StringOut)                                                      \
    SLOT(40, Op40, StringOut)                                                      \
    SLOT(41, Op41, Text, Text, ListOut)                                            \
    SLOT(42, Op42, Text, Text, Text, StringOut)                                    \
    SLOT(43, Op43, Text, Text, StringOut)                                          \
    SLOT(44, Op44, StringOut)                                                      \
    SLOT(45, Op45, Text, StringOut)                                                \
    SLOT(46, Op46, Text, Text, StringOut, StringOut)                               \
    SLOT(47, Op47, Text, StringOut, Number, Number, ListOut, ListOut, ListOut)     \
    SLOT(48, Op48, Text, Number, Number, List, List, List)

HOST_TABLE_INTERFACE(IHWorkSpaceInfo, Q3V_TABLE_IHWorkSpaceInfo);

// The host's service F: its settings of user-defined (custom) placeholders
// and much besides (the interface that CHostServiceF wraps; slots 76, 77, 95,
// 96, 162, 163, 165, 166, 194 and 195 are served by its companions). The
// placeholder expander reads slots 43 and 186 directly. Custom placeholders
// cross as a VARIANT of type VT_ARRAY | VT_BSTR holding 4 elements per
// placeholder: the first three quarters hold description, name and value of
// each in turn, the last quarter stays empty.
#define Q3V_TABLE_IHPlaceholderSettings(SLOT, GAP)                                             \
    SLOT(3, Op3, Text, Text, Number)                                                           \
    SLOT(4, Op4, Text, Text, Text)                                                             \
    SLOT(5, Op5, Text, Number)                                                                 \
    SLOT(6, Op6, Text, Text)                                                                   \
    SLOT(7, Op7, Text, Text, NumberOut)                                                        \
    SLOT(8, Op8, Text, Text, StringOut)                                                        \
    SLOT(9, Op9, Text, NumberOut)                                                              \
    SLOT(10, Op10, Text, StringOut)                                                            \
    SLOT(11, Op11, Text, Text, Text, Text, Text)                                               \
    SLOT(12, Op12, Text, Text, Text, Text)                                                     \
    SLOT(13, Op13, Text, Text, Text)                                                           \
    GAP(14) GAP(15) GAP(16)                                                                    \
    SLOT(17, Op17, Text, Text, Text, Text, StringOut)                                          \
    SLOT(18, Op18, Text, Text, Text, StringOut)                                                \
    SLOT(19, Op19, Text, Text, StringOut)                                                      \
    GAP(20) GAP(21) GAP(22)                                                                    \
    SLOT(23, Op23, Text, Text, Text, Text, Text)                                               \
    GAP(24)                                                                                    \
    SLOT(25, Op25, Text, Text, Text)                                                           \
    GAP(26) GAP(27) GAP(28)                                                                    \
    SLOT(29, Op29, Text, Text, Text, Text, StringOut)                                          \
    GAP(30)                                                                                    \
    SLOT(31, Op31, Text, Text, StringOut)                                                      \
    GAP(32) GAP(33) GAP(34)                                                                    \
    SLOT(35, Op35, ListOut)                                                                    \
    SLOT(36, Op36, ListOut)                                                                    \
    SLOT(37, Op37, List)                                                                       \
    SLOT(38, Op38, List)                                                                       \
    SLOT(39, Op39, ListOut)                                                                    \
    SLOT(40, Op40, ListOut)                                                                    \
    SLOT(41, Op41, List)                                                                       \
    SLOT(42, Op42, List)                                                                       \
    SLOT(43, GetCustomPlaceholders, ListOut)                                                   \
    SLOT(44, Op44, ListOut)                                                                    \
    SLOT(45, Op45, List)                                                                       \
    SLOT(46, Op46, List)                                                                       \
    SLOT(47, Op47, Number, StringOut)                                                          \
    SLOT(48, Op48, Number, Text)                                                               \
    SLOT(49, Op49, Text, Text, StringOut)                                                      \
    SLOT(50, Op50, Text, Text, Text)                                                           \
    SLOT(51, Op51, NumberOut)                                                                  \
    SLOT(52, Op52, NumberOut)                                                                  \
    SLOT(53, Op53, StringOut)                                                                  \
    SLOT(54, Op54, StringOut)                                                                  \
    SLOT(55, Op55, StringOut)                                                                  \
    SLOT(56, Op56, Number)                                                                     \
    SLOT(57, Op57, Text)                                                                       \
    SLOT(58, Op58, Text)                                                                       \
    SLOT(59, Op59, Text)                                                                       \
    SLOT(60, Op60, ListOut)                                                                    \
    SLOT(61, Op61, List)                                                                       \
    SLOT(62, Op62, StringOut, StringOut)                                                       \
    SLOT(63, Op63, Text, Text)                                                                 \
    SLOT(64, Op64, Text)                                                                       \
    SLOT(65, Op65, Text)                                                                       \
    SLOT(66, Op66, NumberOut)                                                                  \
    SLOT(67, Op67, NumberOut)                                                                  \
    SLOT(68, Op68, NumberOut)                                                                  \
    SLOT(69, Op69, NumberOut)                                                                  \
    SLOT(70, Op70, NumberOut)                                                                  \
    SLOT(71, Op71, NumberOut)                                                                  \
    SLOT(72, Op72, NumberOut)                                                                  \
    GAP(73)                                                                                    \
    SLOT(74, Op74, StringOut, StringOut, StringOut)                                            \
    SLOT(75, Op75, NumberOut)                                                                  \
    GAP(76) GAP(77)                                                                            \
    SLOT(78, Op78, NumberOut)                                                                  \
    SLOT(79, Op79, NumberOut)                                                                  \
    SLOT(80, Op80, NumberOut)                                                                  \
    SLOT(81, Op81, NumberOut)                                                                  \
    SLOT(82, Op82, NumberOut)                                                                  \
    SLOT(83, Op83, NumberOut)                                                                  \
    SLOT(84, Op84, NumberOut)                                                                  \
    SLOT(85, Op85, Number, Number, Number, Number, Number, Number, Number)                     \
    SLOT(86, Op86, Number, Number, Number, Number, Number, Number, Number)                     \
    SLOT(87, Op87, NumberOut)                                                                  \
    SLOT(88, Op88, NumberOut)                                                                  \
    SLOT(89, Op89, NumberOut)                                                                  \
    SLOT(90, Op90, Number)                                                                     \
    SLOT(91, Op91, NumberOut)                                                                  \
    SLOT(92, Op92, NumberOut)                                                                  \
    SLOT(93, Op93, StringOut)                                                                  \
    GAP(94) GAP(95) GAP(96)                                                                    \
    SLOT(97, Op97, Text, ListOut)                                                              \
    SLOT(98, Op98, Text, List)                                                                 \
    SLOT(99, Op99, ListOut)                                                                    \
    SLOT(100, Op100, List)                                                                     \
    GAP(101) GAP(102) GAP(103) GAP(104) GAP(105) GAP(106) GAP(107) GAP(108) GAP(109)           \
    HOSTSLOT_GAPS10(GAP, 11)                                                                   \
    GAP(120) GAP(121) GAP(122) GAP(123) GAP(124) GAP(125) GAP(126) GAP(127) GAP(128)           \
    SLOT(129, Op129, Text, Text, Text, Text, Text)                                             \
    GAP(130) GAP(131)                                                                          \
    SLOT(132, Op132, Text, Text, Text, Text, StringOut)                                        \
    GAP(133) GAP(134) GAP(135) GAP(136) GAP(137) GAP(138) GAP(139) GAP(140)                    \
    SLOT(141, Op141, Text, Text, StringOut)                                                    \
    SLOT(142, Op142, Text, Text, Text)                                                         \
    SLOT(143, Op143, Text, Text, Text, Text, StringOut)                                        \
    SLOT(144, Op144, Text, Text, Text, Text, Text)                                             \
    SLOT(145, Op145, Text, Text, Text, Text, Text, StringOut)                                  \
    SLOT(146, Op146, Text, Text, Text, Text, Text, Text)                                       \
    SLOT(147, Op147, Text, Text, Text, Text, Text, StringOut)                                  \
    SLOT(148, Op148, Text, Text, Text, Text, Text, Text)                                       \
    SLOT(149, Op149, Text, Text, Text, Text, Text, Text, StringOut)                            \
    SLOT(150, Op150, Text, Text, Text, Text, Text, Text, Text)                                 \
    SLOT(151, Op151, Text, Text, Text)                                                         \
    SLOT(152, Op152, Text, Text, Text)                                                         \
    SLOT(153, Op153, Text, Text, Text)                                                         \
    SLOT(154, Op154, Text, Text, ListOut)                                                      \
    GAP(155) GAP(156) GAP(157) GAP(158) GAP(159) GAP(160) GAP(161) GAP(162) GAP(163)           \
    SLOT(164, Op164, NumberOut)                                                                \
    GAP(165) GAP(166) GAP(167)                                                                 \
    SLOT(168, Op168, Text, NumberOut)                                                          \
    SLOT(169, Op169, Text, Number)                                                             \
    SLOT(170, Op170, Text, NumberOut)                                                          \
    SLOT(171, Op171, Text, Number)                                                             \
    SLOT(172, Op172, Text, Text, StringOut)                                                    \
    SLOT(173, Op173, Text, Text, StringOut)                                                    \
    SLOT(174, Op174, Text, Text, Text)                                                         \
    SLOT(175, Op175, Text, Text, Text)                                                         \
    SLOT(176, Op176, Text, ListOut)                                                            \
    SLOT(177, Op177, Text, List)                                                               \
    SLOT(178, Op178, Text, StringOut, StringOut)                                               \
    SLOT(179, Op179, Text, Text, Text)                                                         \
    SLOT(180, Op180, Text, Text)                                                               \
    SLOT(181, Op181, Text, Text)                                                               \
    SLOT(182, Op182, Text, ListOut)                                                            \
    SLOT(183, Op183, Text, List)                                                               \
    SLOT(184, Op184, Text, ListOut)                                                            \
    SLOT(185, Op185, Text, List)                                                               \
    /* the custom placeholders of the named workspace */                                      \
    SLOT(186, GetWorkspacePlaceholders, Text, ListOut)                                         \
    SLOT(187, Op187, Text, List)                                                               \
    SLOT(188, Op188, Text, NumberOut, StringOut)                                               \
    SLOT(189, Op189, Text, Number, Text)                                                       \
    SLOT(190, Op190, Text, Text, Number, StringOut, StringOut, StringOut, StringOut)           \
    SLOT(191, Op191, Text, Text, StringOut)                                                    \
    SLOT(192, Op192, Text, Text, Number, Text, Text, Text, Text)                               \
    SLOT(193, Op193, Text, Text, Number, Text, Text, Text, Text)                               \
    GAP(194) GAP(195) GAP(196) GAP(197)                                                        \
    SLOT(198, Op198, StringOut)                                                                \
    SLOT(199, Op199, Text)                                                                     \
    GAP(200)                                                                                   \
    SLOT(201, Op201, Text, Number, Text, Number)                                               \
    SLOT(202, Op202, Text, Number, StringOut, NumberOut)                                       \
    SLOT(203, Op203, Text, Text, Text)                                                         \
    SLOT(204, Op204, Text, Text, StringOut)                                                    \
    SLOT(205, Op205, Text, Text, Text, Number, Number)                                         \
    SLOT(206, Op206, Text, Text, Text, Number, Number)                                         \
    SLOT(207, Op207, Number, Number, Number, Number, Number, Number, Number, Number, StringOut, \
         StringOut, StringOut, Number, Number)                                                 \
    SLOT(208, Op208, Number, Number, Number, Number, Number, Number, Number, Number, Text, Text, \
         Text, Number, Number)                                                                 \
    SLOT(209, Op209)                                                                           \
    SLOT(210, Op210, Text, Text, Text, NumberOut)                                              \
    SLOT(211, Op211, NumberOut)                                                                \
    SLOT(212, Op212, Number)                                                                   \
    GAP(213)                                                                                   \
    SLOT(214, Op214, Text)                                                                     \
    SLOT(215, Op215, Number, StringOut, StringOut, StringOut, StringOut)                       \
    SLOT(216, Op216, Text, StringOut, NumberOut)                                               \
    SLOT(217, Op217, Text, Text, Number)                                                       \
    SLOT(218, Op218, Number, Number, Number, Number, Number, Number, Number, Number, StringOut, \
         StringOut, StringOut, Number, Number, Number, Number, Number, Number, Number, Number) \
    SLOT(219, Op219, Number, Number, Number, Number, Number, Number, Number, Number, Text, Text, \
         Text, Number, Number, Number, Number, Number, Number, Number, Number)                 \
    SLOT(220, Op220, Text, FlagOut, StringOut, StringOut, FlagOut, StringOut)                  \
    SLOT(221, Op221, Text, Flag, Text, Text, Flag, Text)                                       \
    SLOT(222, Op222, StringOut, StringOut)                                                     \
    SLOT(223, Op223, Text, Text)                                                               \
    SLOT(224, Op224, ListOut)                                                                  \
    SLOT(225, Op225, ListValue)                                                                \
    GAP(226) GAP(227)                                                                          \
    SLOT(228, Op228, Text)                                                                     \
    SLOT(229, Op229, Text)                                                                     \
    SLOT(230, Op230, Text)                                                                     \
    SLOT(231, Op231, FlagOut, FlagOut, FlagOut)                                                \
    SLOT(232, Op232, Flag, Flag, Flag)                                                         \
    SLOT(233, Op233)                                                                           \
    SLOT(234, Op234, Flag)                                                                     \
    SLOT(235, Op235, Text, Number)                                                             \
    SLOT(236, Op236, Text)                                                                     \
    SLOT(237, Op237, Text, Number)                                                             \
    SLOT(238, Op238, Text, FlagOut, FlagOut, FlagOut, FlagOut)                                 \
    SLOT(239, Op239, Text, Flag, Flag, Flag, Flag)

HOST_TABLE_INTERFACE(IHPlaceholderSettings, Q3V_TABLE_IHPlaceholderSettings);
