// The display's pictures, decoded and scaled once per size: the status grids
// and lamps switch between a few pictures many times a minute, and decoding a
// file each time would cost more than the rest of the refresh.
#ifndef CABDISPLAY_SHELL_PICTURECACHE_H
#define CABDISPLAY_SHELL_PICTURECACHE_H

#include <gdkmm/pixbuf.h>
#include <gtkmm/image.h>

#include <string>

// The picture scaled to the truncated size (negative: the file's own size);
// null when the file is missing or cannot be decoded. Never throws. A picture
// that could not be loaded is tried again on the next call.
Glib::RefPtr<Gdk::Pixbuf> CachedPicture(const std::string& path, float width, float height);

// Sets the picture on the image; a missing or broken file leaves the image as
// it was. Returns true when the picture was set.
bool SetCachedPicture(Gtk::Image& image, const std::string& path, float width, float height);

#endif
