// VBScript.RegExp driven late-bound: every call goes by member name through IDispatch, and
// each failing call yields the empty result of its kind.
#include "regex/VbscriptEngine.h"

#include "regex/Dispatch_win.h"

#include <ole2.h>

namespace {

Variant get(const DispatchRef& object, const wchar_t* name,
            std::initializer_list<const Variant*> args = {}) {
    Variant result;
    if (FAILED(invokeMember(object.get(), name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args,
                            &result)))
        VariantClear(result.get());
    return result;
}

void put(const DispatchRef& object, const wchar_t* name, const Variant& value) {
    invokeMember(object.get(), name, DISPATCH_PROPERTYPUT, {&value}, nullptr);
}

class VbscriptMatch : public RegexMatch {
  public:
    explicit VbscriptMatch(DispatchRef m) : m(std::move(m)) {}
    WideText value() const override { return get(m, L"Value").text(); }
    int32_t firstIndex() const override { return get(m, L"FirstIndex").integer(); }
    int32_t subMatchCount() const override {
        return get(get(m, L"SubMatches").object(), L"Count").integer();
    }
    WideText subMatch(int32_t index) const override {
        Variant i(index);
        return get(get(m, L"SubMatches").object(), L"Item", {&i}).text();
    }

  private:
    DispatchRef m;
};

class VbscriptMatches : public RegexMatches {
  public:
    explicit VbscriptMatches(DispatchRef c) : c(std::move(c)) {}
    int32_t count() const override { return get(c, L"Count").integer(); }
    std::unique_ptr<RegexMatch> item(int32_t index) const override {
        Variant i(index);
        DispatchRef m = get(c, L"Item", {&i}).object();
        if (!m) return nullptr;
        return std::make_unique<VbscriptMatch>(std::move(m));
    }

  private:
    DispatchRef c;
};

class VbscriptEngine : public RegexEngine {
  public:
    explicit VbscriptEngine(DispatchRef r) : r(std::move(r)) {}
    void setIgnoreCase(bool on) override { put(r, L"IgnoreCase", Variant(on)); }
    bool ignoreCase() const override { return get(r, L"IgnoreCase").boolean(); }
    void setMultiline(bool on) override { put(r, L"Multiline", Variant(on)); }
    void setGlobal(bool on) override { put(r, L"Global", Variant(on)); }
    void setPattern(const WideText& pattern) override { put(r, L"Pattern", Variant(pattern)); }
    WideText pattern() const override { return get(r, L"Pattern").text(); }

    std::shared_ptr<RegexMatches> execute(const WideText& subject) override {
        Variant s(subject), result;
        if (FAILED(invokeMember(r.get(), L"Execute", DISPATCH_METHOD, {&s}, &result)))
            return nullptr;
        DispatchRef c = result.object();
        if (!c) return nullptr;
        return std::make_shared<VbscriptMatches>(std::move(c));
    }

    WideText replace(const WideText& subject, const WideText& replacement) override {
        Variant s(subject), with(replacement), result;
        if (FAILED(invokeMember(r.get(), L"Replace", DISPATCH_METHOD, {&s, &with}, &result)))
            return WideText();
        return result.text();
    }

  private:
    DispatchRef r;
};

} // namespace

std::shared_ptr<RegexEngine> createVbscriptEngine() {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"VBScript.RegExp", &clsid))) return nullptr;
    IUnknown* unknown = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(&unknown))))
        return nullptr;
    IDispatch* dispatch = nullptr;
    HRESULT hr = OleRun(unknown);
    if (SUCCEEDED(hr))
        hr = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    unknown->Release();
    if (FAILED(hr)) return nullptr;
    return std::make_shared<VbscriptEngine>(DispatchRef(dispatch));
}
