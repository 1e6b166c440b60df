#include "toolbox/picture_set.h"

#include <cstring>

#include "toolbox/jpeg_image.h"
#include "toolbox/pictures.h"

namespace quorrin {
namespace {

UniqueGdi<HBITMAP> bitmap_from(const BgrImage& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // rows top to bottom, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueGdi<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits) std::memcpy(bits, image.pixels.data(), image.pixels.size());
    return bitmap;
}

}  // namespace

PictureSet::PictureSet() {
    for (const PictureFile& file : toolbox_pictures()) {
        std::string_view stem = file.name.substr(0, file.name.rfind('.'));
        const auto image = decode_jpeg(file.bytes);
        if (!image) continue;  // counts as absent
        entries_.push_back({stem, bitmap_from(*image), image->width, image->height});
    }
}

Picture PictureSet::get(std::string_view stem) const {
    for (const Entry& e : entries_)
        if (e.stem == stem) return {e.bitmap.get(), e.width, e.height};
    return {};
}

void draw_picture(HDC dc, const Picture& picture, int x, int y) {
    if (!picture.bitmap) return;
    const UniqueMemoryDC memory(CreateCompatibleDC(dc));
    if (!memory) return;
    const Selection selected(memory.get(), picture.bitmap);
    BitBlt(dc, x, y, picture.width, picture.height, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace quorrin
