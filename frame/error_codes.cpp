#include "frame/error_codes.h"

#include "platform/afx_app.h"
#include "platform/bstr.h"
#include "platform/resources.h"

#include <algorithm>
#include <iterator>

namespace {

const ErrorCodeRow kFixedErrorCodes[] = {
    {static_cast<HRESULT>(0x00000000u), 51440},
    {static_cast<HRESULT>(0x80040201u), 51441},
    {static_cast<HRESULT>(0x80040202u), 51442},
    {static_cast<HRESULT>(0x80040203u), 51443},
    {static_cast<HRESULT>(0x80040204u), 51444},
    {static_cast<HRESULT>(0x80040205u), 51445},
    {static_cast<HRESULT>(0x80040206u), 51446},
    {static_cast<HRESULT>(0x80040207u), 51447},
    {static_cast<HRESULT>(0x80040208u), 51448},
    {static_cast<HRESULT>(0x80040209u), 51449},
    {static_cast<HRESULT>(0x80040210u), 51450},
    {static_cast<HRESULT>(0x80040211u), 51451},
    {static_cast<HRESULT>(0x80040212u), 51452},
    {static_cast<HRESULT>(0x80040213u), 51453},
    {static_cast<HRESULT>(0x80040214u), 51454},
    {static_cast<HRESULT>(0x80040215u), 51455},
    {static_cast<HRESULT>(0x80040216u), 51456},
    {static_cast<HRESULT>(0x80040217u), 51457},
    {static_cast<HRESULT>(0x80040300u), 51458},
    {static_cast<HRESULT>(0x80040301u), 51459},
    {static_cast<HRESULT>(0x80040900u), 51460},
    {static_cast<HRESULT>(0x80040901u), 51461},
    {static_cast<HRESULT>(0x80040902u), 51462},
    {static_cast<HRESULT>(0x80040903u), 51463},
    {static_cast<HRESULT>(0x80040904u), 51464},
    {static_cast<HRESULT>(0x80040905u), 51465},
    {static_cast<HRESULT>(0x80040906u), 51466},
    {static_cast<HRESULT>(0x80040907u), 51467},
    {static_cast<HRESULT>(0x80040908u), 51468},
    {static_cast<HRESULT>(0x80040909u), 51469},
    {static_cast<HRESULT>(0x80040910u), 51470},
    {static_cast<HRESULT>(0x80040911u), 51471},
    {static_cast<HRESULT>(0x80040912u), 51472},
    {static_cast<HRESULT>(0x80041000u), 51473},
    {static_cast<HRESULT>(0x80041001u), 51474},
    {static_cast<HRESULT>(0x80041002u), 51475},
    {static_cast<HRESULT>(0x80041003u), 51476},
    {static_cast<HRESULT>(0x80041004u), 51477},
    {static_cast<HRESULT>(0x80041005u), 51478},
    {static_cast<HRESULT>(0x80041006u), 51479},
    {static_cast<HRESULT>(0x80041007u), 51480},
    {static_cast<HRESULT>(0x80041008u), 51481},
    {static_cast<HRESULT>(0x80041010u), 51482},
    {static_cast<HRESULT>(0x80041011u), 51483},
    {static_cast<HRESULT>(0x80041012u), 51484},
    {static_cast<HRESULT>(0x80041013u), 51485},
    {static_cast<HRESULT>(0x80041014u), 51486},
    {static_cast<HRESULT>(0x80041015u), 51487},
    {static_cast<HRESULT>(0x80041016u), 51488},
    {static_cast<HRESULT>(0x80041017u), 51489},
    {static_cast<HRESULT>(0x80041018u), 51490},
    {static_cast<HRESULT>(0x80041019u), 51491},
    {static_cast<HRESULT>(0x80042000u), 51492},
    {static_cast<HRESULT>(0x80042001u), 51493},
    {static_cast<HRESULT>(0x80042002u), 51494},
    {static_cast<HRESULT>(0x80042010u), 51495},
    {static_cast<HRESULT>(0x80042011u), 51496},
    {static_cast<HRESULT>(0x80042012u), 51497},
    {static_cast<HRESULT>(0x80042013u), 51498},
    {static_cast<HRESULT>(0x80042019u), 51499},
    {static_cast<HRESULT>(0x80042020u), 51500},
    {static_cast<HRESULT>(0x80042021u), 51501},
    {static_cast<HRESULT>(0x80042022u), 51502},
    {static_cast<HRESULT>(0x80042023u), 51503},
    {static_cast<HRESULT>(0x80042030u), 51504},
    {static_cast<HRESULT>(0x80042035u), 51505},
    {static_cast<HRESULT>(0x80042040u), 51506},
    {static_cast<HRESULT>(0x80042050u), 51507},
    {static_cast<HRESULT>(0x80042051u), 51508},
    {static_cast<HRESULT>(0x80042052u), 51509},
    {static_cast<HRESULT>(0x80042053u), 51510},
    {static_cast<HRESULT>(0x80043001u), 51511},
    {static_cast<HRESULT>(0x80043002u), 51512},
    {static_cast<HRESULT>(0x80043003u), 51513},
    {static_cast<HRESULT>(0x80043004u), 51514},
    {static_cast<HRESULT>(0x80043005u), 51515},
    {static_cast<HRESULT>(0x80043006u), 51516},
    {static_cast<HRESULT>(0x80043010u), 51517},
    {static_cast<HRESULT>(0x80043011u), 51518},
    {static_cast<HRESULT>(0x80043012u), 51519},
    {static_cast<HRESULT>(0x80043020u), 51520},
    {static_cast<HRESULT>(0x80043021u), 51521},
    {static_cast<HRESULT>(0x80043022u), 51522},
    {static_cast<HRESULT>(0x80043023u), 51523},
    {static_cast<HRESULT>(0x80043024u), 51524},
    {static_cast<HRESULT>(0x80043025u), 51525},
    {static_cast<HRESULT>(0x80043026u), 51526},
    {static_cast<HRESULT>(0x80043027u), 51527},
    {static_cast<HRESULT>(0x80043028u), 51528},
    {static_cast<HRESULT>(0x80043030u), 51529},
    {static_cast<HRESULT>(0x80043040u), 51530},
    {static_cast<HRESULT>(0x80043041u), 51531},
    {static_cast<HRESULT>(0x80043050u), 51532},
    {static_cast<HRESULT>(0x80043051u), 51533},
    {static_cast<HRESULT>(0x80043060u), 51534},
    {static_cast<HRESULT>(0x80043070u), 51535},};

constexpr const char* kUnknownErrorText = "Unknown Error";
constexpr std::uint32_t kFirstFreeNumber = 0x0201;  // registered codes start at 513
constexpr std::uint32_t kLastNumber = 0xFFFF;

}  // namespace

const ErrorCodeRow* FixedErrorCodes() {
    return kFixedErrorCodes;
}

std::size_t FixedErrorCodeCount() {
    return std::size(kFixedErrorCodes);
}

CErrorCodeTable::CErrorCodeTable(IHostServiceProvider* host)
    : host_(host), fixed_(FixedErrorCodes()), fixedCount_(FixedErrorCodeCount()) {
    if (host_ != nullptr) {
        host_->RegisterServer(IID_IHErrorCodeTable, this);
    }
}

CErrorCodeTable::~CErrorCodeTable() {
    if (host_ != nullptr) {
        host_->UnregisterServer(IID_IHErrorCodeTable, this);
    }
}

HRESULT CErrorCodeTable::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHErrorCodeTable)) {
        *object = static_cast<IHErrorCodeTable*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CErrorCodeTable::GetErrorText(HRESULT code, BSTR* text) {
    if (text == nullptr) {
        return E_POINTER;
    }
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    std::string message = kUnknownErrorText;
    const ErrorCodeRow* end = fixed_ + fixedCount_;
    const ErrorCodeRow* row =
        std::find_if(fixed_, end, [code](const ErrorCodeRow& entry) { return entry.code == code; });
    if (row != end) {
        if (std::optional<std::string> loaded = platform::LoadResourceString(AfxGetResourceHandle(), row->textId)) {
            message = std::move(*loaded);
        }
    } else {
        const auto found = std::find_if(registered_.begin(), registered_.end(),
                                        [code](const auto& entry) { return entry->code == code; });
        if (found != registered_.end()) {
            message = (*found)->text;
        }
    }
    try {
        *text = platform::AllocBstr(message);
    } catch (const platform::ComError& error) {
        return error.Error();  // no exception crosses to the host
    }
    return S_OK;
}

bool CErrorCodeTable::IsTaken(HRESULT code) const {
    const ErrorCodeRow* end = fixed_ + fixedCount_;
    return std::any_of(fixed_, end, [code](const ErrorCodeRow& row) { return row.code == code; }) ||
           std::any_of(registered_.begin(), registered_.end(),
                       [code](const auto& entry) { return entry->code == code; });
}

HRESULT CErrorCodeTable::RegisterError(BSTR text, HRESULT* code) {
    for (std::uint32_t number = kFirstFreeNumber; number <= kLastNumber; ++number) {
        const HRESULT candidate = MakeTargetError(static_cast<std::uint16_t>(number));
        if (IsTaken(candidate)) {
            continue;
        }
        registered_.push_back(std::make_unique<Registered>(Registered{candidate, platform::BstrToAnsi(text)}));
        if (code != nullptr) {
            *code = candidate;
        }
        return S_OK;
    }
    return E_FAIL;
}

HRESULT CErrorCodeTable::UnregisterError(HRESULT code) {
    const auto found = std::find_if(registered_.begin(), registered_.end(),
                                    [code](const auto& entry) { return entry->code == code; });
    if (found == registered_.end()) {
        return E_FAIL;
    }
    registered_.erase(found);
    return S_OK;
}

HRESULT CErrorReporterImpl::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHErrorReporter)) {
        *object = static_cast<IHErrorReporter*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CErrorReporterImpl::GetErrorText(HRESULT code, BSTR* text) {
    return QueryHostErrorText(owner_, code, text);
}

HRESULT QueryHostErrorText(IHostServiceProvider* host, HRESULT code, BSTR* text) {
    if (host == nullptr) {
        return E_FAIL;
    }
    IHErrorCodeTable* table = nullptr;
    if (FAILED(host->QueryService(IID_IHErrorCodeTable, reinterpret_cast<void**>(&table))) || table == nullptr) {
        return E_FAIL;
    }
    return table->GetErrorText(code, text);
}
