// Late-bound automation calls (IDispatch by member name) with owned references, variants
// and strings.
#pragma once

#include "text/WideText.h"

#include <windows.h>

#include <oleauto.h>

#include <cstdint>
#include <initializer_list>
#include <utility>

// One counted reference to an automation object; null is "absent".
class DispatchRef {
  public:
    DispatchRef() = default;
    // Takes over a reference the caller already holds.
    explicit DispatchRef(IDispatch* adopted) : p(adopted) {}
    DispatchRef(const DispatchRef& o) : p(o.p) {
        if (p) p->AddRef();
    }
    DispatchRef(DispatchRef&& o) noexcept : p(std::exchange(o.p, nullptr)) {}
    DispatchRef& operator=(DispatchRef o) noexcept {
        std::swap(p, o.p);
        return *this;
    }
    ~DispatchRef() {
        if (p) p->Release();
    }
    IDispatch* get() const { return p; }
    explicit operator bool() const { return p != nullptr; }

  private:
    IDispatch* p = nullptr;
};

// A VARIANT that clears itself.
class Variant {
  public:
    Variant() { VariantInit(&v); }
    explicit Variant(bool b);
    explicit Variant(int32_t n);
    // A BSTR copy of `w`, embedded NULs and all.
    explicit Variant(const WideText& w);
    Variant(Variant&& o) noexcept : v(o.v) { VariantInit(&o.v); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&v); }

    VARIANT* get() { return &v; }
    const VARIANT* get() const { return &v; }

    // The conversions the engine's results need; the empty result when they fail.
    WideText text() const;
    bool boolean() const;
    // Numbers come as doubles and are truncated toward zero.
    int32_t integer() const;
    DispatchRef object() const;

  private:
    VARIANT v;
};

// Calls member `name` of `object` with `flags` (DISPATCH_METHOD, DISPATCH_PROPERTYGET,
// DISPATCH_PROPERTYPUT) and `args` in their natural order. `result` may be null.
HRESULT invokeMember(IDispatch* object, const wchar_t* name, WORD flags,
                     std::initializer_list<const Variant*> args, Variant* result);
