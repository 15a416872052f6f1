#include "sim/host/system_error_texts.h"

#include <algorithm>
#include <iterator>

namespace simhost {
namespace {

struct SystemErrorText {
    HRESULT code;
    const char* text;
};

// The system's error codes and their texts, as the host knows them: the
// plug-in answers these codes and asks the host's table for their texts.
const SystemErrorText kTexts[] = {
    {static_cast<HRESULT>(0x00000000u), "No error"},
    {static_cast<HRESULT>(0x80040201u), "DLL error"},
    {static_cast<HRESULT>(0x80040202u), "File not found"},
    {static_cast<HRESULT>(0x80040203u), "Invalid DLL format"},
    {static_cast<HRESULT>(0x80040204u), "Message not supported"},
    {static_cast<HRESULT>(0x80040205u), "Data pending"},
    {static_cast<HRESULT>(0x80040206u), "End of list"},
    {static_cast<HRESULT>(0x80040207u), "Not enough memory"},
    {static_cast<HRESULT>(0x80040208u), "Not implemented"},
    {static_cast<HRESULT>(0x80040209u), "User aborted"},
    {static_cast<HRESULT>(0x80040210u), "DLL not compatible"},
    {static_cast<HRESULT>(0x80040211u), "Not found"},
    {static_cast<HRESULT>(0x80040212u), "Extension already connected"},
    {static_cast<HRESULT>(0x80040213u), "Extension not connected"},
    {static_cast<HRESULT>(0x80040214u), "Cpu already connected to target"},
    {static_cast<HRESULT>(0x80040215u), "Cpu not connected to target"},
    {static_cast<HRESULT>(0x80040216u), "File Read error"},
    {static_cast<HRESULT>(0x80040217u), "File Write error"},
    {static_cast<HRESULT>(0x80040300u), "Not assign"},
    {static_cast<HRESULT>(0x80040301u), "Interrupt by user"},
    {static_cast<HRESULT>(0x80040900u), "There are more values than requested"},
    {static_cast<HRESULT>(0x80040901u), "Syntax error"},
    {static_cast<HRESULT>(0x80040902u), "Invalid token"},
    {static_cast<HRESULT>(0x80040903u), "Expression too complex"},
    {static_cast<HRESULT>(0x80040904u), "Divide by zero"},
    {static_cast<HRESULT>(0x80040905u), "Invalid expression"},
    {static_cast<HRESULT>(0x80040906u), "The string exceeds the max length allowed"},
    {static_cast<HRESULT>(0x80040907u), "Signed result assend to unsigen value"},
    {static_cast<HRESULT>(0x80040908u), "Result is too large for requested value"},
    {static_cast<HRESULT>(0x80040909u), "Result is incorrect float type"},
    {static_cast<HRESULT>(0x80040910u), "Float error"},
    {static_cast<HRESULT>(0x80040911u), "Result is incorrect fixed type"},
    {static_cast<HRESULT>(0x80040912u), "Fixed type error"},
    {static_cast<HRESULT>(0x80041000u), "Function Does Not Exist"},
    {static_cast<HRESULT>(0x80041001u), "A Required Parameter Was Missing"},
    {static_cast<HRESULT>(0x80041002u), "Register not found"},
    {static_cast<HRESULT>(0x80041003u), "Invalid register index"},
    {static_cast<HRESULT>(0x80041004u), "Register IO with Target is not set up"},
    {static_cast<HRESULT>(0x80041005u), "Invalid CCR value string"},
    {static_cast<HRESULT>(0x80041006u), "Invalid Memory Map Mode Specified"},
    {static_cast<HRESULT>(0x80041007u), "Invalid Endian Type"},
    {static_cast<HRESULT>(0x80041008u), "FPSCR string is not valid"},
    {static_cast<HRESULT>(0x80041010u), "Invalid mnemonic specifier"},
    {static_cast<HRESULT>(0x80041011u), "Divide by zero"},
    {static_cast<HRESULT>(0x80041012u), "Invalid numeric constant"},
    {static_cast<HRESULT>(0x80041013u), "Undefined symbol"},
    {static_cast<HRESULT>(0x80041014u), "Bad address operand alignment"},
    {static_cast<HRESULT>(0x80041015u), "Operand out of range"},
    {static_cast<HRESULT>(0x80041016u), "Too many operands"},
    {static_cast<HRESULT>(0x80041017u), "Syntax error"},
    {static_cast<HRESULT>(0x80041018u), "Invalid operand"},
    {static_cast<HRESULT>(0x80041019u), "Invalid mnemonic"},
    {static_cast<HRESULT>(0x80042000u), "Internal command."},
    {static_cast<HRESULT>(0x80042001u), "Not currently available"},
    {static_cast<HRESULT>(0x80042002u), "Command not ready"},
    {static_cast<HRESULT>(0x80042010u), "Invalid address value"},
    {static_cast<HRESULT>(0x80042011u), "Invalid length value"},
    {static_cast<HRESULT>(0x80042012u), "Invalid index value"},
    {static_cast<HRESULT>(0x80042013u), "Invalid memory space value"},
    {static_cast<HRESULT>(0x80042019u), "Invalid parameter"},
    {static_cast<HRESULT>(0x80042020u), "Compare failed"},
    {static_cast<HRESULT>(0x80042021u), "Find failed"},
    {static_cast<HRESULT>(0x80042022u), "Verify failed"},
    {static_cast<HRESULT>(0x80042023u), "Table full"},
    {static_cast<HRESULT>(0x80042030u), "Not an instruction"},
    {static_cast<HRESULT>(0x80042035u), "Cannot find specified breakpoint."},
    {static_cast<HRESULT>(0x80042040u), "Cancel' from I/O config dialog"},
    {static_cast<HRESULT>(0x80042050u), "Coverage range intersects another"},
    {static_cast<HRESULT>(0x80042051u), "A Required Parameter Was Missing"},
    {static_cast<HRESULT>(0x80042052u), "A Required Parameter Was Missing"},
    {static_cast<HRESULT>(0x80042053u), "A Required Parameter Was Missing"},
    {static_cast<HRESULT>(0x80043001u), "Incorrect object module version"},
    {static_cast<HRESULT>(0x80043002u), "Incorrect object module format"},
    {static_cast<HRESULT>(0x80043003u), "Object module allocation"},
    {static_cast<HRESULT>(0x80043004u), "Object module not absolute format"},
    {static_cast<HRESULT>(0x80043005u), "Incorrect object module cpu"},
    {static_cast<HRESULT>(0x80043006u), "Not an error but data to store"},
    {static_cast<HRESULT>(0x80043010u), "Line doesn't have a address"},
    {static_cast<HRESULT>(0x80043011u), "Line not found"},
    {static_cast<HRESULT>(0x80043012u), "Line not found"},
    {static_cast<HRESULT>(0x80043020u), "Can't edit"},
    {static_cast<HRESULT>(0x80043021u), "Watch information not available"},
    {static_cast<HRESULT>(0x80043022u), "No source context"},
    {static_cast<HRESULT>(0x80043023u), "Can't expand"},
    {static_cast<HRESULT>(0x80043024u), "Can't collapse"},
    {static_cast<HRESULT>(0x80043025u), "Can't expand"},
    {static_cast<HRESULT>(0x80043026u), "Watch id is not in context"},
    {static_cast<HRESULT>(0x80043027u), "Invalid identifier passed to dll"},
    {static_cast<HRESULT>(0x80043028u), "Invalid value passed to dll"},
    {static_cast<HRESULT>(0x80043030u), "Can't convert"},
    {static_cast<HRESULT>(0x80043040u), "Function name not found"},
    {static_cast<HRESULT>(0x80043041u), "Not enough memory"},
    {static_cast<HRESULT>(0x80043050u), "Stack tracing not supported"},
    {static_cast<HRESULT>(0x80043051u), "Stack trace not found"},
    {static_cast<HRESULT>(0x80043060u), "Symbol is not float"},
    {static_cast<HRESULT>(0x80043070u), "Invalid syntax"},
};

}  // namespace

const char* FindSystemErrorText(HRESULT code) {
    const auto found =
        std::find_if(std::begin(kTexts), std::end(kTexts), [code](const SystemErrorText& row) { return row.code == code; });
    return found != std::end(kTexts) ? found->text : nullptr;
}

}  // namespace simhost
