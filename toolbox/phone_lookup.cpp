#include "toolbox/phone_lookup.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "regex/regex_object.h"
#include "text/percent_decode.h"
#include "toolbox/lookup_pattern.h"
#include "toolbox/lookup_query.h"
#include "toolbox/toolbox_window.h"
#include "web/http_request.h"

#ifndef QUORRIN_LOOKUP_HOST
#error "QUORRIN_LOOKUP_HOST is set by the build"
#endif

namespace quorrin {
namespace {

const Text kLookupUrlPrefix = "http://" QUORRIN_LOOKUP_HOST "/api/mobile.php?m=";

// Capture group j of the pattern goes to kGroupLabels[j - 1].
constexpr std::array<std::string_view, 4> kGroupLabels = {"卡号归属地显示框", "卡号类型显示框", "区号显示框",
                                                          "邮政编码显示框"};

// Lookups can nest: the request lets waiting messages run, and a click on
// 查询 there starts another one. Only the newest may write its answer.
std::uint64_t newest_lookup = 0;

}  // namespace

void lookup_phone_number(ToolboxWindow& window) {
    const std::uint64_t mine = ++newest_lookup;
    const std::uint64_t load = window.load_count();
    const Text url = lookup_url(kLookupUrlPrefix, window.number_text());

    const Text answer = http_request(url);

    // The window may have been closed (or closed and loaded anew) while the
    // request let messages run, and a newer lookup may have answered: then
    // this answer is stale and is dropped quietly.
    if (!window.loaded() || window.load_count() != load || newest_lookup != mine) return;

    const Text decoded = percent_decode(answer);
    RegexObject regex;
    regex.create(lookup_pattern);
    regex.search(decoded);
    for (std::size_t j = 1; j <= kGroupLabels.size(); ++j)
        window.set_caption(kGroupLabels[j - 1], regex.submatch(1, static_cast<std::int32_t>(j)));
    regex.destroy();
}

}  // namespace quorrin
