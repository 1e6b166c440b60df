// Owning holders for the COM values that cross the IDispatch boundary, and
// their conversions to the program's own values. Texts are ANSI (the system's
// code page) on this side and UTF-16 on the COM side.
#pragma once

#include <oaidl.h>

#include <cstdint>

#include "regex/com_ref.h"
#include "text/text.h"

namespace quorrin {

// A VARIANT that is cleared exactly once (with whatever string or reference
// it holds).
class Variant {
public:
    Variant() noexcept { VariantInit(&v_); }
    Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
    Variant& operator=(Variant&& other) noexcept {
        if (this != &other) {
            VariantClear(&v_);
            v_ = other.v_;
            VariantInit(&other.v_);
        }
        return *this;
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&v_); }

    static Variant of_text(const Text& t);    // VT_BSTR (empty when it cannot be made)
    static Variant of_bool(bool b);           // VT_BOOL
    static Variant of_double(double d);       // VT_R8
    static Variant of_int32(std::int32_t n);  // VT_I4

    const VARIANT& value() const noexcept { return v_; }
    // For a call that writes a new value: the old one is cleared first.
    VARIANT* put() noexcept {
        VariantClear(&v_);
        return &v_;
    }

private:
    VARIANT v_;
};

// Empty, null and values that do not convert to a string give the empty Text.
Text variant_to_text(const VARIANT& v);

// The value as a double, truncated toward zero into 32 bits (saturating); 0
// when it does not convert to a number.
std::int32_t variant_to_int32(const VARIANT& v);

// The object that the value holds, as IDispatch, counted once more; empty for
// any other value.
ComRef<IDispatch> variant_to_object(const VARIANT& v);

}  // namespace quorrin
