#include "toolbox/jpeg_image.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h expects FILE and size_t to be declared already
#include <limits>
#include <new>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

namespace quorrin {
namespace {

// A progressive file may hold any number of scans, each one a pass over the
// whole picture; a real one has about ten.
constexpr int kMaxScans = 500;

// The library reports a fatal error by calling error_exit, which by default
// ends the process; ours jumps back to the decoding function instead.
struct ErrorManager {
    jpeg_error_mgr base;  // first: the library hands back a pointer to it
    std::jmp_buf exit_point;
    bool warned;
};

using ReserveRows = std::uint8_t* (*)(void* context, std::uint32_t width, std::uint32_t height, std::size_t stride);

// Everything the guarded decoding touches. Plain data only, and it lives in
// the caller's frame: a longjmp must not skip a destructor, and objects local
// to the function that calls setjmp would be indeterminate after the jump.
struct Session {
    jpeg_decompress_struct cinfo;
    ErrorManager error;
    jpeg_source_mgr source;
    jpeg_progress_mgr progress;
    const std::uint8_t* data;
    std::size_t size;
    std::int64_t max_pixels;
    ReserveRows reserve;
    void* reserve_context;
};

[[noreturn]] void fail_with(j_common_ptr cinfo, int code) {
    cinfo->err->msg_code = code;
    (*cinfo->err->error_exit)(cinfo);
    // error_exit is ours and never returns; this only convinces the compiler.
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->exit_point, 1);
}

[[noreturn]] void on_error_exit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->exit_point, 1);
}

// Warnings (level -1) say that the data is corrupt though decoding could go
// on; they make the result count as undecodable. Nothing is ever printed.
void on_emit_message(j_common_ptr cinfo, int msg_level) {
    if (msg_level < 0) {
        reinterpret_cast<ErrorManager*>(cinfo->err)->warned = true;
        ++cinfo->err->num_warnings;
    }
}

void on_output_message(j_common_ptr) {}

void source_init(j_decompress_ptr) {}

// The whole input is in the buffer from the start, so being asked for more
// means the data ended early. Instead of the usual fake end marker, which
// would decode the rest of the picture as grey, decoding stops here.
boolean source_fill(j_decompress_ptr cinfo) { fail_with(reinterpret_cast<j_common_ptr>(cinfo), JERR_INPUT_EOF); }

void source_skip(j_decompress_ptr cinfo, long num_bytes) {
    if (num_bytes <= 0) return;
    jpeg_source_mgr* source = cinfo->src;
    if (static_cast<unsigned long>(num_bytes) > source->bytes_in_buffer) source_fill(cinfo);
    source->next_input_byte += num_bytes;
    source->bytes_in_buffer -= static_cast<std::size_t>(num_bytes);
}

void source_term(j_decompress_ptr) {}

void on_progress(j_common_ptr cinfo) {
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
        fail_with(cinfo, JERR_NOTIMPL);
    }
}

// The steps of a decode. Any of the library calls may leave through
// on_error_exit, jumping over this frame back into decode_guarded, so it holds
// nothing that needs destroying.
bool decode_steps(Session* s) {
    jpeg_decompress_struct* cinfo = &s->cinfo;
    jpeg_create_decompress(cinfo);

    s->source.next_input_byte = s->data;
    s->source.bytes_in_buffer = s->size;
    s->source.init_source = source_init;
    s->source.fill_input_buffer = source_fill;
    s->source.skip_input_data = source_skip;
    s->source.resync_to_restart = jpeg_resync_to_restart;
    s->source.term_source = source_term;
    cinfo->src = &s->source;
    s->progress.progress_monitor = on_progress;
    cinfo->progress = &s->progress;

    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return false;
    const auto pixels = static_cast<std::int64_t>(cinfo->image_width) * cinfo->image_height;
    if (pixels <= 0 || pixels > s->max_pixels) return false;

    cinfo->out_color_space = JCS_RGB;
    if (!jpeg_start_decompress(cinfo)) return false;
    if (cinfo->output_components != 3) return false;

    const std::uint32_t width = cinfo->output_width;
    const std::uint32_t height = cinfo->output_height;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
    // Only a caller's own larger limit can get here, and only on 32 bits.
    if (stride > std::numeric_limits<std::size_t>::max() / height) return false;
    std::uint8_t* rows = s->reserve(s->reserve_context, width, height, stride);
    if (rows == nullptr) return false;

    while (cinfo->output_scanline < height) {
        std::uint8_t* row = rows + static_cast<std::size_t>(cinfo->output_scanline) * stride;
        JSAMPROW target = row;
        if (jpeg_read_scanlines(cinfo, &target, 1) != 1) return false;
        // The library writes red, green, blue; a DIB wants blue first.
        for (std::uint32_t x = 0; x < width; ++x) {
            std::uint8_t red = row[x * 3];
            row[x * 3] = row[x * 3 + 2];
            row[x * 3 + 2] = red;
        }
    }
    if (!jpeg_finish_decompress(cinfo)) return false;
    return !s->error.warned;
}

// The only function that calls setjmp. It has no local variables and does
// not change its parameter, so nothing of its own is lost in the jump.
bool decode_guarded(Session* s) {
    s->cinfo.err = jpeg_std_error(&s->error.base);
    s->error.base.error_exit = on_error_exit;
    s->error.base.emit_message = on_emit_message;
    s->error.base.output_message = on_output_message;
    if (setjmp(s->error.exit_point) != 0) {
        jpeg_destroy_decompress(&s->cinfo);
        return false;
    }
    if (!decode_steps(s)) {
        jpeg_destroy_decompress(&s->cinfo);
        return false;
    }
    jpeg_destroy_decompress(&s->cinfo);
    return true;
}

std::uint8_t* reserve_image(void* context, std::uint32_t width, std::uint32_t height, std::size_t stride) {
    auto* image = static_cast<BgrImage*>(context);
    try {
        image->pixels.assign(stride * height, 0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    image->width = static_cast<std::int32_t>(width);
    image->height = static_cast<std::int32_t>(height);
    image->stride = stride;
    return image->pixels.data();
}

}  // namespace

std::optional<BgrImage> decode_jpeg(std::span<const std::uint8_t> data, std::int64_t max_pixels) {
    BgrImage image;
    // Zeroed, so that destroying a decoder whose creation failed part-way
    // finds no memory pool to free.
    Session session{};
    session.data = data.data();
    session.size = data.size();
    session.max_pixels = max_pixels;
    session.reserve = reserve_image;
    session.reserve_context = &image;
    if (!decode_guarded(&session)) return std::nullopt;
    return image;
}

}  // namespace quorrin
