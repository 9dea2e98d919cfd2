// Compares two folders of PNG pictures (the renders the tests write) pixel by
// pixel after decoding, not byte by byte: the PNG encoder may store the same
// picture differently. For each picture found in either folder prints one
// line: "same", "only in A/B", "size WxH vs WxH" or the number of differing
// pixels with the rectangle that holds them. Exit status 0 when all pictures
// are the same, 1 when any differ, 2 on bad arguments.
//   render_diff BASE_DIR NEW_DIR
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <set>
#include <string>
#include <sys/stat.h>

namespace {

// Every .png under dir, as paths relative to it.
void ListPictures(const std::string& dir, const std::string& prefix, std::set<std::string>& out)
{
    DIR* folder = ::opendir((dir + "/" + prefix).c_str());
    if (!folder)
        return;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string relative = prefix.empty() ? name : prefix + "/" + name;
        struct stat st {};
        if (::stat((dir + "/" + relative).c_str(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode))
            ListPictures(dir, relative, out);
        else if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0)
            out.insert(relative);
    }
    ::closedir(folder);
}

// The pixel at x,y as RGBA (opaque when the picture has no alpha).
unsigned Pixel(GdkPixbuf* picture, int x, int y)
{
    const int channels = gdk_pixbuf_get_n_channels(picture);
    const guchar* p = gdk_pixbuf_get_pixels(picture) + y * gdk_pixbuf_get_rowstride(picture) + x * channels;
    const unsigned alpha = gdk_pixbuf_get_has_alpha(picture) ? p[3] : 255;
    return (unsigned(p[0]) << 24) | (unsigned(p[1]) << 16) | (unsigned(p[2]) << 8) | alpha;
}

// Prints the verdict for one picture; true when the two are the same.
bool Compare(const std::string& relative, const std::string& a, const std::string& b)
{
    GError* error = nullptr;
    GdkPixbuf* first = gdk_pixbuf_new_from_file(a.c_str(), &error);
    if (error)
        g_clear_error(&error);
    GdkPixbuf* second = gdk_pixbuf_new_from_file(b.c_str(), &error);
    if (error)
        g_clear_error(&error);
    bool same = false;
    if (!first || !second) {
        std::printf("%-48s unreadable\n", relative.c_str());
    } else if (gdk_pixbuf_get_width(first) != gdk_pixbuf_get_width(second) ||
               gdk_pixbuf_get_height(first) != gdk_pixbuf_get_height(second)) {
        std::printf("%-48s size %dx%d vs %dx%d\n", relative.c_str(), gdk_pixbuf_get_width(first),
                    gdk_pixbuf_get_height(first), gdk_pixbuf_get_width(second), gdk_pixbuf_get_height(second));
    } else {
        const int width = gdk_pixbuf_get_width(first);
        const int height = gdk_pixbuf_get_height(first);
        long differing = 0;
        int left = width, top = height, right = -1, bottom = -1;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (Pixel(first, x, y) != Pixel(second, x, y)) {
                    ++differing;
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        same = differing == 0;
        if (same)
            std::printf("%-48s same\n", relative.c_str());
        else
            std::printf("%-48s %ld pixels differ in %d,%d .. %d,%d\n", relative.c_str(), differing, left, top,
                        right, bottom);
    }
    if (first)
        g_object_unref(first);
    if (second)
        g_object_unref(second);
    return same;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: render_diff BASE_DIR NEW_DIR\n");
        return 2;
    }
    const std::string base = argv[1], fresh = argv[2];
    std::set<std::string> inBase, inFresh;
    ListPictures(base, "", inBase);
    ListPictures(fresh, "", inFresh);
    std::set<std::string> all = inBase;
    all.insert(inFresh.begin(), inFresh.end());
    int differ = 0;
    for (const std::string& relative : all) {
        if (!inFresh.count(relative)) {
            std::printf("%-48s only in %s\n", relative.c_str(), base.c_str());
            ++differ;
        } else if (!inBase.count(relative)) {
            std::printf("%-48s only in %s\n", relative.c_str(), fresh.c_str());
            ++differ;
        } else if (!Compare(relative, base + "/" + relative, fresh + "/" + relative)) {
            ++differ;
        }
    }
    std::printf("%zu pictures, %d differ\n", all.size(), differ);
    return differ == 0 ? 0 : 1;
}
