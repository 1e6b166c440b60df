// Calls on a COM object by member name: the name is looked up through
// IDispatch::GetIDsOfNames and the member invoked as a property get, a
// property put or a method. A call on an empty reference, a name that is not
// found or a member that fails gives the empty result of its kind.
#pragma once

#include <oaidl.h>

#include <initializer_list>

#include "regex/variant.h"

namespace quorrin {

using Arguments = std::initializer_list<const Variant*>;  // in the member's order

Variant dispatch_get(IDispatch* object, const wchar_t* name, Arguments args = {});
Variant dispatch_call(IDispatch* object, const wchar_t* name, Arguments args = {});
bool dispatch_put(IDispatch* object, const wchar_t* name, const Variant& value);

}  // namespace quorrin
