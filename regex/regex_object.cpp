#include "regex/regex_object.h"

#include <objbase.h>
#include <ole2.h>

#include "regex/dispatch.h"
#include "regex/variant.h"

namespace quorrin {
namespace {

// Made in whatever context the class is registered for; some systems refuse
// the remote one as an argument, and are asked again without it.
constexpr DWORD every_context =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
constexpr DWORD local_contexts = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

ComRef<IDispatch> make_instance() {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"VBScript.RegExp", &clsid))) return {};
    ComRef<IUnknown> unknown;
    HRESULT hr = CoCreateInstance(clsid, nullptr, every_context, IID_IUnknown, unknown.put_void());
    if (hr == E_INVALIDARG) hr = CoCreateInstance(clsid, nullptr, local_contexts, IID_IUnknown, unknown.put_void());
    if (FAILED(hr) || !unknown) return {};
    if (FAILED(OleRun(unknown.get()))) return {};
    return unknown.query<IDispatch>(IID_IDispatch);
}

ComRef<IDispatch> get_object(IDispatch* object, const wchar_t* name, Arguments args = {}) {
    return variant_to_object(dispatch_get(object, name, args).value());
}

}  // namespace

void RegexObject::destroy() {
    matches_.reset();
    regexp_.reset();
    match_total_ = 0;
}

bool RegexObject::create(const Text& pattern, std::optional<bool> ignore_case, std::optional<bool> multiline,
                         std::optional<bool> global) {
    matches_.reset();
    regexp_.reset();
    regexp_ = make_instance();
    if (!regexp_) return false;
    match_total_ = 0;
    dispatch_put(regexp_.get(), L"IgnoreCase", Variant::of_bool(ignore_case.value_or(true)));
    dispatch_put(regexp_.get(), L"Multiline", Variant::of_bool(multiline.value_or(true)));
    dispatch_put(regexp_.get(), L"Global", Variant::of_bool(global.value_or(true)));
    dispatch_put(regexp_.get(), L"Pattern", Variant::of_text(pattern));
    return true;
}

Text RegexObject::pattern() const {
    if (!regexp_) return {};
    return variant_to_text(dispatch_get(regexp_.get(), L"Pattern").value());
}

Text RegexObject::replace(const Text& source, const Text& replacement) const {
    const Variant from = Variant::of_text(source);
    const Variant to = Variant::of_text(replacement);
    return variant_to_text(dispatch_call(regexp_.get(), L"Replace", {&from, &to}).value());
}

std::int32_t RegexObject::search(const Text& subject) {
    const Variant argument = Variant::of_text(subject);
    matches_ = variant_to_object(dispatch_call(regexp_.get(), L"Execute", {&argument}).value());
    match_total_ = matches_ ? variant_to_int32(dispatch_get(matches_.get(), L"Count").value()) : 0;
    return match_total_;
}

ComRef<IDispatch> RegexObject::match(double index) const {
    const Variant argument = Variant::of_double(index);
    return get_object(matches_.get(), L"Item", {&argument});
}

Text RegexObject::match_text(std::int32_t i) const {
    const ComRef<IDispatch> m = match(static_cast<double>(i) - 1.0);
    return variant_to_text(dispatch_get(m.get(), L"Value").value());
}

Text RegexObject::submatch(std::int32_t i, std::int32_t j) const {
    const ComRef<IDispatch> m = match(static_cast<double>(i) - 1.0);
    const ComRef<IDispatch> groups = get_object(m.get(), L"SubMatches");
    const Variant index = Variant::of_double(static_cast<double>(j) - 1.0);
    return variant_to_text(dispatch_get(groups.get(), L"Item", {&index}).value());
}

std::int32_t RegexObject::submatch_count() const {
    if (match_total_ == 0) return 0;
    const Variant first = Variant::of_int32(0);
    const ComRef<IDispatch> m = get_object(matches_.get(), L"Item", {&first});
    const ComRef<IDispatch> groups = get_object(m.get(), L"SubMatches");
    return variant_to_int32(dispatch_get(groups.get(), L"Count").value());
}

}  // namespace quorrin
