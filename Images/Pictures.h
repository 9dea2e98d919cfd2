// The drawing of every picture of the set, by file name.
#ifndef CABDISPLAY_IMAGES_PICTURES_H
#define CABDISPLAY_IMAGES_PICTURES_H

#include "Paint.h"

#include <functional>
#include <vector>

namespace cabimages {

// Draws a picture onto a cleared (transparent) surface of the given size.
using DrawPicture = std::function<void(cairo_t* cr, const Box& area)>;

struct PictureDrawer {
    const char* file;
    DrawPicture draw;
};

// One entry per picture file of the set (see ImageTable.h for the sizes).
const std::vector<PictureDrawer>& PictureDrawers();

}  // namespace cabimages

#endif
