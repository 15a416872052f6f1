// The class library: everything the plug-in uses of it, in one include.
#pragma once

#include "platform/afx_app.h"
#include "platform/afx_archive.h"
#include "platform/afx_collections.h"
#include "platform/afx_controls.h"
#include "platform/afx_dialog.h"
#include "platform/afx_exceptions.h"
#include "platform/afx_file.h"
#include "platform/afx_frame.h"
#include "platform/afx_gdi.h"
#include "platform/afx_menu.h"
#include "platform/afx_object.h"
#include "platform/afx_propsheet.h"
#include "platform/afx_string.h"
#include "platform/afx_thread.h"
#include "platform/afx_time.h"
#include "platform/afx_wnd.h"
