// CHostServiceE: calls the clients registered with the items of a named icon
// item table (IHServiceEClient, operations 3 to 17), passing each the item's
// data word. A per-item method picks the item by index; an all-item method
// walks the items in the order they were added.
//
// The combined result is S_OK when every client called answers a result that
// is not negative, E_FAIL as soon as one does not (the rest are still
// called); with no table, no item or no client it is S_OK. Operations 13, 15,
// 16 and 17 combine by their own rules (below). Texts cross as BSTRs made for
// the call; the table and the clients are borrowed.
#pragma once

#include "hostui/named_icon_items.h"
#include "platform/afx.h"
#include "platform/host/wrapped_interfaces.h"

#include <memory>

class CHostServiceE {
public:
    explicit CHostServiceE(CNamedIconItemTable* table) : m_table(table) {}
    CHostServiceE(const CHostServiceE&) = delete;
    CHostServiceE& operator=(const CHostServiceE&) = delete;

    // Operations 3 and 4 for one item (two methods each, alike) and for all
    // items, combined over every item and client.
    [[nodiscard]] HRESULT Op3(CString text, LONG index);
    [[nodiscard]] HRESULT Op3Second(CString text, LONG index);
    [[nodiscard]] HRESULT Op3AllItems(CString text);
    [[nodiscard]] HRESULT Op4(CString text, LONG index);
    [[nodiscard]] HRESULT Op4Second(CString text, LONG index);
    [[nodiscard]] HRESULT Op4AllItems(CString text);
    // All items: E_FAIL when any client of any item fails.
    [[nodiscard]] HRESULT Op5(CString text, DWORD numberA, DWORD numberB);
    [[nodiscard]] HRESULT Op6(CString text, DWORD numberA, DWORD numberB);
    [[nodiscard]] HRESULT Op7(CString text, DWORD numberA, DWORD numberB);
    [[nodiscard]] HRESULT Op8(CString text, LONG index, DWORD number1, DWORD number2, DWORD number3, DWORD number4,
                              DWORD number5);
    [[nodiscard]] HRESULT Op9(LONG index, DWORD number);
    [[nodiscard]] HRESULT Op10(CString text, LONG index, DWORD number);
    [[nodiscard]] HRESULT Op11(LONG index, DWORD number);
    [[nodiscard]] HRESULT Op12(CString text, LONG index, DWORD number);
    // Every client answering exactly S_OK hands over its two byte buffers
    // (new, the caller's to free; a later client's replace an earlier's) and
    // its value; any other answer, S_FALSE too, makes the result E_FAIL.
    [[nodiscard]] HRESULT Op13(DWORD numberA, DWORD numberB, std::unique_ptr<BYTE[]>& buffer1,
                               std::unique_ptr<BYTE[]>& buffer2, DWORD* value, LONG index);
    [[nodiscard]] HRESULT Op14(DWORD numberA, CString text, DWORD numberB, LONG index);
    // The first client whose result is not negative gives the text and ends
    // the walk with S_OK; E_FAIL when none does (or there is none).
    [[nodiscard]] HRESULT Op15(CString& out, DWORD numberA, CString text, DWORD numberB, LONG index);
    // Both values are first set to -1. The first client answering exactly
    // S_OK gives its values (but those that are -1); one answering S_FALSE
    // ends the walk with nothing; E_FAIL when no client answers so.
    [[nodiscard]] HRESULT Op16(DWORD* value1, DWORD* value2, CString text, DWORD number, LONG index);
    // As operation 15; the clients' 32-bit value is not passed back.
    [[nodiscard]] HRESULT Op17(LONG index, CString& out, DWORD number);

    // 1 when the client is registered with any item of the table.
    [[nodiscard]] BOOL HasClient(void* client) const;

private:
    CNamedIconItemTable* m_table;  // borrowed
};
