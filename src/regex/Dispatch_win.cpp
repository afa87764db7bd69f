// Late-bound automation calls: names to DISPIDs, argument order, variant conversions.
#include "regex/Dispatch_win.h"

#include <cmath>
#include <vector>

namespace {

// VariantChangeType into `out` (cleared first); the source is only read, whatever the
// declaration says.
bool convert(VARIANT& out, const VARIANT& in, VARTYPE type) {
    VariantInit(&out);
    return SUCCEEDED(VariantChangeType(&out, const_cast<VARIANT*>(&in), 0, type));
}

} // namespace

Variant::Variant(bool b) : Variant() {
    v.vt = VT_BOOL;
    v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(int32_t n) : Variant() {
    v.vt = VT_I4;
    v.lVal = n;
}

Variant::Variant(const WideText& w) : Variant() {
    BSTR s =
        SysAllocStringLen(reinterpret_cast<const OLECHAR*>(w.data()), static_cast<UINT>(w.size()));
    if (!s) return;
    v.vt = VT_BSTR;
    v.bstrVal = s;
}

WideText Variant::text() const {
    VARIANT t;
    WideText w;
    if (convert(t, v, VT_BSTR) && t.bstrVal)
        w.assign(reinterpret_cast<const char16_t*>(t.bstrVal), SysStringLen(t.bstrVal));
    VariantClear(&t);
    return w;
}

bool Variant::boolean() const {
    VARIANT t;
    bool b = convert(t, v, VT_BOOL) && t.boolVal != VARIANT_FALSE;
    VariantClear(&t);
    return b;
}

int32_t Variant::integer() const {
    VARIANT t;
    double d = 0;
    if (convert(t, v, VT_R8)) d = std::trunc(t.dblVal);
    VariantClear(&t);
    if (!(d >= INT32_MIN && d <= INT32_MAX)) return 0; // NaN and out of range
    return static_cast<int32_t>(d);
}

DispatchRef Variant::object() const {
    if ((v.vt != VT_DISPATCH && v.vt != VT_UNKNOWN) || !v.punkVal) return DispatchRef();
    IDispatch* d = nullptr;
    if (FAILED(v.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d))))
        return DispatchRef();
    return DispatchRef(d);
}

HRESULT invokeMember(IDispatch* object, const wchar_t* name, WORD flags,
                     std::initializer_list<const Variant*> args, Variant* result) {
    if (!object) return E_POINTER;
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;

    // IDispatch takes its arguments last first.
    std::vector<VARIANT> reversed;
    for (auto it = args.end(); it != args.begin();)
        reversed.push_back(*(*--it)->get());
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    DISPID putId = DISPID_PROPERTYPUT;
    if (flags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    VARIANT* out = nullptr;
    if (result) {
        VariantClear(result->get());
        out = result->get();
    }
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, out, nullptr, nullptr);
}
