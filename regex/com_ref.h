// A counted COM reference: empty, or one reference that is released exactly
// once. Copies count the object once more, so two holders share it.
#pragma once

#include <unknwn.h>

#include <utility>

namespace quorrin {

template <class Interface>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller already holds (as from an out-parameter).
    static ComRef adopt(Interface* p) noexcept {
        ComRef r;
        r.p_ = p;
        return r;
    }
    // Counts the object once more for this holder.
    static ComRef share(Interface* p) noexcept {
        if (p) p->AddRef();
        return adopt(p);
    }

    ComRef(const ComRef& other) noexcept : p_(other.p_) {
        if (p_) p_->AddRef();
    }
    ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComRef& operator=(ComRef other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComRef() { reset(); }

    void reset() noexcept {
        if (Interface* p = std::exchange(p_, nullptr)) p->Release();
    }
    Interface* get() const noexcept { return p_; }
    Interface* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    // For a call that hands back a new reference: releases the old one first.
    void** put_void() noexcept {
        reset();
        return reinterpret_cast<void**>(&p_);
    }

    // The interface of the same object that `iid` names, or an empty reference.
    template <class Other>
    ComRef<Other> query(REFIID iid) const noexcept {
        ComRef<Other> out;
        if (p_ && FAILED(p_->QueryInterface(iid, out.put_void()))) out.reset();
        return out;
    }

private:
    Interface* p_ = nullptr;
};

}  // namespace quorrin
