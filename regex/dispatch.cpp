#include "regex/dispatch.h"

#include <vector>

namespace quorrin {
namespace {

HRESULT invoke(IDispatch* object, const wchar_t* name, WORD kind, Arguments args, VARIANT* result) {
    if (!object) return E_POINTER;
    DISPID member = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
    if (FAILED(hr)) return hr;

    // IDispatch takes the arguments last first. The copies are shallow: the
    // callee only reads them, and the Variants still own what they hold.
    std::vector<VARIANTARG> reversed;
    reversed.reserve(args.size());
    for (auto it = args.end(); it != args.begin();) reversed.push_back((*--it)->value());

    DISPID put_id = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    if (kind == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &put_id;
        params.cNamedArgs = 1;
    }
    // No EXCEPINFO: what an error carries would only be freed unread.
    return object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, nullptr, nullptr);
}

Variant invoke_for_value(IDispatch* object, const wchar_t* name, WORD kind, Arguments args) {
    Variant result;
    if (FAILED(invoke(object, name, kind, args, result.put()))) return Variant();
    return result;
}

}  // namespace

Variant dispatch_get(IDispatch* object, const wchar_t* name, Arguments args) {
    return invoke_for_value(object, name, DISPATCH_PROPERTYGET, args);
}

Variant dispatch_call(IDispatch* object, const wchar_t* name, Arguments args) {
    return invoke_for_value(object, name, DISPATCH_METHOD, args);
}

bool dispatch_put(IDispatch* object, const wchar_t* name, const Variant& value) {
    return SUCCEEDED(invoke(object, name, DISPATCH_PROPERTYPUT, {&value}, nullptr));
}

}  // namespace quorrin
