#include "regex/variant.h"

#include <oleauto.h>

#include "text/codepage.h"
#include "text/text_ops.h"

namespace quorrin {
namespace {

// UTF-16 from the ANSI text as a new BSTR, which only a Variant ever holds;
// null when it cannot be made (COM reads that as the empty string).
BSTR text_to_bstr(const Text& t) {
    const int units = codepage::multi_byte_to_wide(codepage::ansi, t.c_str(), t.length(), nullptr, 0);
    BSTR s = SysAllocStringLen(nullptr, static_cast<UINT>(units));
    if (!s) return nullptr;
    if (units > 0 && codepage::multi_byte_to_wide(codepage::ansi, t.c_str(), t.length(),
                                                  reinterpret_cast<std::uint8_t*>(s), units) != units) {
        SysFreeString(s);
        return nullptr;
    }
    return s;
}

// The ANSI text of exactly the string's UTF-16 units, up to a zero unit.
Text bstr_to_text(BSTR s) {
    const int units = static_cast<int>(SysStringLen(s));
    if (units == 0) return {};
    const auto* wide = reinterpret_cast<const std::uint8_t*>(s);
    const int bytes = codepage::wide_to_multi_byte(codepage::ansi, wide, units, nullptr, 0);
    if (bytes <= 0) return {};
    std::string out(static_cast<std::size_t>(bytes), '\0');
    const int written = codepage::wide_to_multi_byte(codepage::ansi, wide, units, out.data(), bytes);
    out.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return Text(std::move(out));
}

}  // namespace

Variant Variant::of_text(const Text& t) {
    Variant v;
    v.v_.vt = VT_BSTR;
    v.v_.bstrVal = text_to_bstr(t);
    return v;
}

Variant Variant::of_bool(bool b) {
    Variant v;
    v.v_.vt = VT_BOOL;
    v.v_.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

Variant Variant::of_double(double d) {
    Variant v;
    v.v_.vt = VT_R8;
    v.v_.dblVal = d;
    return v;
}

Variant Variant::of_int32(std::int32_t n) {
    Variant v;
    v.v_.vt = VT_I4;
    v.v_.lVal = n;
    return v;
}

// VariantChangeType only reads its source; the headers declare it writable.
Text variant_to_text(const VARIANT& v) {
    if (v.vt == VT_EMPTY || v.vt == VT_NULL) return {};
    Variant s;
    if (FAILED(VariantChangeType(s.put(), const_cast<VARIANT*>(&v), 0, VT_BSTR)) || s.value().vt != VT_BSTR) return {};
    return bstr_to_text(s.value().bstrVal);
}

std::int32_t variant_to_int32(const VARIANT& v) {
    Variant d;
    if (FAILED(VariantChangeType(d.put(), const_cast<VARIANT*>(&v), 0, VT_R8)) || d.value().vt != VT_R8) return 0;
    return truncate_to_int32(d.value().dblVal);
}

ComRef<IDispatch> variant_to_object(const VARIANT& v) {
    if (v.vt == VT_DISPATCH) return ComRef<IDispatch>::share(v.pdispVal);
    if (v.vt == VT_UNKNOWN && v.punkVal) {
        ComRef<IDispatch> out;
        if (FAILED(v.punkVal->QueryInterface(IID_IDispatch, out.put_void()))) out.reset();
        return out;
    }
    return {};
}

}  // namespace quorrin
