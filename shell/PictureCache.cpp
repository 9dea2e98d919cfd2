#include "PictureCache.h"

#include "CompSupport.h"

#include <map>
#include <tuple>

namespace {

typedef std::tuple<std::string, int, int> PictureKey;

std::map<PictureKey, Glib::RefPtr<Gdk::Pixbuf>>& Pictures()
{
    static std::map<PictureKey, Glib::RefPtr<Gdk::Pixbuf>> pictures;
    return pictures;
}

}  // namespace

Glib::RefPtr<Gdk::Pixbuf> CachedPicture(const std::string& path, float width, float height)
{
    const bool scaled = width >= 0 && height >= 0;
    const PictureKey key(path, scaled ? compsupport::Px(width) : -1, scaled ? compsupport::Px(height) : -1);
    auto found = Pictures().find(key);
    if (found != Pictures().end())
        return found->second;
    Glib::RefPtr<Gdk::Pixbuf> picture = compsupport::LoadPicture(path, width, height);
    if (picture)
        Pictures()[key] = picture;
    return picture;
}

bool SetCachedPicture(Gtk::Image& image, const std::string& path, float width, float height)
{
    Glib::RefPtr<Gdk::Pixbuf> picture = CachedPicture(path, width, height);
    if (!picture)
        return false;
    if (image.get_storage_type() != Gtk::IMAGE_PIXBUF || image.get_pixbuf() != picture)
        image.set(picture);
    return true;
}
