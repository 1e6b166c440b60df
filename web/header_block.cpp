#include "web/header_block.h"

#include "text/text_ops.h"

namespace quorrin {
namespace {

const Text accept_line =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";

bool lacks(const Text& block, const Text& name) { return text_find(block, name, 1, Case::ignore) == -1; }

}  // namespace

Text settle_method(const Text& method) {
    if (text_compare(text_upper(method), "POST") == 0) return method;
    return "GET";
}

Text header_block(const Text& url, const Text& settled_method, const Text& headers, const Text& body) {
    // Each search sees the lines appended before it (a URL in the Referer line
    // can hold a later header's name), so the block grows one step at a time;
    // five bounded steps keep it linear.
    Text block = headers;
    if (lacks(block, "Accept: ")) block = text_concat(block, accept_line);
    if (lacks(block, "Referer: ")) block = text_concat(block, "Referer: ", url, "\r\n");
    if (lacks(block, "Accept-Language: ")) block = text_concat(block, "Accept-Language: zh-cn\r\n");
    if (text_compare(settled_method, "GET") != 0 && text_compare(body, "") != 0) {
        block = text_concat(block, "Content-Type: application/x-www-form-urlencoded\r\n");
        block = text_concat(block, "Content-Length: ", number_to_text(text_length(body)), "\r\n");
    }
    return block;
}

}  // namespace quorrin
