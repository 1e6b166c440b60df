#include "toolbox/lookup_query.h"

#include "text/text_ops.h"

namespace quorrin {
namespace {

bool unreserved(unsigned char b) {
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' || b == '.' ||
           b == '_' || b == '~';
}

}  // namespace

Text escape_query_value(const Text& typed) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    TextBuilder out;
    out.reserve(typed.view().size() * 3);
    for (const char c : typed.view()) {
        const auto b = static_cast<unsigned char>(c);
        if (unreserved(b)) {
            out.append_byte(b);
        } else {
            const char escape[3] = {'%', kHex[b >> 4], kHex[b & 15]};
            out.append(std::string_view(escape, 3));
        }
    }
    return out.take();
}

Text lookup_url(const Text& prefix, const Text& typed) {
    return text_concat(prefix, escape_query_value(typed), "&t=html");
}

}  // namespace quorrin
