// CDriverSelectDlg, "Driver Details" (template 221): the user chooses the
// emulator driver, its interface and channel, and configures the driver when
// it has a configuration. It works on the session's driver list and current
// driver directly: a choice takes effect as it is made.
#pragma once

#include "platform/afx.h"

#include <string>

class CDriverSelectDlg : public CDialog {
public:
    // Scans the driver modules beside the plug-in once (making the
    // session's driver list and factory when there are none yet).
    explicit CDriverSelectDlg(CWnd* parent = nullptr);

    // The dialog's result (IDOK once a driver is chosen); without any driver
    // module "No valid driver DLLs exist" and 2, with no dialog shown.
    INT_PTR DoModalChecked();

    // The text the driver's configuration dialog answered last.
    const std::string& ConfigurationText() const { return m_configurationText; }

protected:
    BOOL OnInitDialog() override;
    // Loading fills the three lists and the configuration group; saving
    // refuses "<no driver selected>".
    void DoDataExchange(CDataExchange* exchange) override;
    afx_msg void OnDriverChanged();
    afx_msg void OnInterfaceChanged();
    afx_msg void OnChannelChanged();
    afx_msg void OnConfigure();

    DECLARE_MESSAGE_MAP()

private:
    void FillDriverList();
    void FillInterfaceList();
    // Initialises the driver on the chosen interface (with Retry on a driver
    // error) and lists its channels.
    void FillChannelList();
    void RefreshConfigurationGroup();
    void EmptyDetails();
    CComboBox& Combo(int id);

    bool m_noDrivers = false;
    std::string m_configurationText;
};
