// cabscreengrab: saves what the X display shows (its root window, or the
// top-left width x height of it) as a PNG file. Used by the bench tour to
// take pictures of the running display.
#include <gdk/gdk.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: cabscreengrab OUT.png [WIDTH HEIGHT]\n");
        return 2;
    }
    if (!gdk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "cabscreengrab: no X display\n");
        return 1;
    }
    GdkWindow* root = gdk_get_default_root_window();
    int width = 0, height = 0;
    gdk_drawable_get_size(root, &width, &height);
    if (argc == 4) {
        width = std::atoi(argv[2]) < width ? std::atoi(argv[2]) : width;
        height = std::atoi(argv[3]) < height ? std::atoi(argv[3]) : height;
    }
    GdkPixbuf* picture = gdk_pixbuf_get_from_drawable(nullptr, root, nullptr, 0, 0, 0, 0, width, height);
    if (!picture || !gdk_pixbuf_save(picture, argv[1], "png", nullptr, nullptr)) {
        std::fprintf(stderr, "cabscreengrab: cannot save %s\n", argv[1]);
        return 1;
    }
    g_object_unref(picture);
    return 0;
}
