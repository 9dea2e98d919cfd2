// Draws the cab display's picture set into a folder.
//
//   cabdisplay_imagegen <output dir>     draw every picture of the table
//   cabdisplay_imagegen --table          print the picture table (Markdown)
//
// Fails when the picture table and the drawings disagree, or a file cannot
// be written.
#include "ImageTable.h"
#include "Pictures.h"

#include <cairo.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

using cabimages::ImageSpec;
using cabimages::kImageTable;

void PrintTable()
{
    std::printf("| file | size (w x h) | where used | what it shows |\n|---|---|---|---|\n");
    for (const ImageSpec& spec : kImageTable)
        std::printf("| %s | %d x %d | %s | %s |\n", spec.file, spec.width, spec.height, spec.use, spec.shows);
}

bool DrawOne(const ImageSpec& spec, const cabimages::DrawPicture& draw, const std::string& dir)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, spec.width, spec.height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    draw(cr, { 0, 0, double(spec.width), double(spec.height) });
    const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    std::string error = drawn ? "" : "drawing failed";
    const std::string path = dir + "/" + spec.file;
    const bool ok = drawn && cabimages::SavePicture(surface, path, error);
    cairo_surface_destroy(surface);
    if (!ok)
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--table") == 0) {
        PrintTable();
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output dir> | --table\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    if (::mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "cannot create %s: %s\n", dir.c_str(), std::strerror(errno));
        return 1;
    }

    std::map<std::string, const cabimages::DrawPicture*> drawings;
    for (const cabimages::PictureDrawer& d : cabimages::PictureDrawers())
        drawings[d.file] = &d.draw;

    int failures = 0;
    std::map<std::string, int> seen;
    for (const ImageSpec& spec : kImageTable) {
        if (seen[spec.file]++) {
            std::fprintf(stderr, "%s is listed twice\n", spec.file);
            ++failures;
            continue;
        }
        auto it = drawings.find(spec.file);
        if (it == drawings.end()) {
            std::fprintf(stderr, "no drawing for %s\n", spec.file);
            ++failures;
            continue;
        }
        if (!DrawOne(spec, *it->second, dir))
            ++failures;
    }
    for (const auto& d : drawings) {
        if (!seen.count(d.first)) {
            std::fprintf(stderr, "drawing %s has no table entry\n", d.first.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
