// Regular expressions by way of the COM class "VBScript.RegExp": the object
// holds COM references only, and every member is called by name. Match and
// group numbers are 1-based; every failure gives the empty value of its kind
// (the empty Text, 0, false). COM must be initialised on the calling thread.
#pragma once

#include <oaidl.h>

#include <cstdint>
#include <optional>

#include "regex/com_ref.h"
#include "text/text.h"

namespace quorrin {

class RegexObject {
public:
    RegexObject() = default;
    // A copy shares the compiled expression and the match collection (each
    // counted once more); a later create or search replaces only its own.
    RegexObject(const RegexObject&) = default;
    RegexObject& operator=(const RegexObject&) = default;
    RegexObject(RegexObject&&) noexcept = default;
    RegexObject& operator=(RegexObject&&) noexcept = default;
    ~RegexObject() { destroy(); }

    // Releases both references; the object can be made again with create.
    void destroy();
    RegexObject copy() const { return *this; }

    // Gives up the old expression and matches, makes a new instance of the
    // class and puts IgnoreCase, Multiline, Global (each true when left out)
    // and the pattern, in that order. True when the instance exists; a pattern
    // the class refuses only shows when searching.
    bool create(const Text& pattern, std::optional<bool> ignore_case = std::nullopt,
                std::optional<bool> multiline = std::nullopt, std::optional<bool> global = std::nullopt);

    Text pattern() const;
    Text replace(const Text& source, const Text& replacement = {}) const;
    // Replaces the match collection; returns the new number of matches.
    std::int32_t search(const Text& subject);
    std::int32_t match_count() const { return match_total_; }
    Text match_text(std::int32_t i) const;
    // Group j of match i; empty for a group that took no part in the match.
    Text submatch(std::int32_t i, std::int32_t j) const;
    // The number of capture groups, read from the first match.
    std::int32_t submatch_count() const;

    // The COM objects themselves, for checks of their reference counts.
    IDispatch* expression_object() const noexcept { return regexp_.get(); }
    IDispatch* match_collection() const noexcept { return matches_.get(); }

private:
    ComRef<IDispatch> match(double index) const;

    ComRef<IDispatch> regexp_;
    ComRef<IDispatch> matches_;
    std::int32_t match_total_ = 0;
};

}  // namespace quorrin
