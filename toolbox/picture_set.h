// The toolbox window's pictures as bitmaps, decoded once when the program
// starts and kept for its whole run.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "shell/handles.h"

namespace quorrin {

struct Picture {
    HBITMAP bitmap = nullptr;  // null: absent or could not be decoded
    int width = 0;
    int height = 0;
};

class PictureSet {
public:
    PictureSet();  // decodes every picture
    // The picture of that stem ("background", "tile_paint_hover", ...).
    Picture get(std::string_view stem) const;

private:
    struct Entry {
        std::string_view stem;
        UniqueGdi<HBITMAP> bitmap;
        int width;
        int height;
    };
    std::vector<Entry> entries_;
};

// Draws the picture at its natural size with its top-left corner at (x, y),
// cut by the device context's clipping.
void draw_picture(HDC dc, const Picture& picture, int x, int y);

}  // namespace quorrin
