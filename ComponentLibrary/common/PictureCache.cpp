// The decoded-picture cache behind compsupport::LoadPicture. The status
// grids, lamps and dials switch between a few pictures many times a minute;
// decoding a file each time cost more than the rest of the refresh.
#include "CompSupport.h"

#include <gtk/gtk.h>
#include <sys/stat.h>

#include <ctime>
#include <iostream>
#include <map>
#include <set>
#include <tuple>

namespace compsupport {

namespace {

// What tells one version of a file from another.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
};

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

bool operator==(const FileStamp& a, const FileStamp& b)
{
    return a.device == b.device && a.inode == b.inode && a.size == b.size && SameTime(a.modified, b.modified) &&
           SameTime(a.changed, b.changed);
}

// False when the file cannot be found.
bool Stamp(const std::string& path, FileStamp& stamp)
{
    struct stat file;
    if (::stat(path.c_str(), &file) != 0)
        return false;
    stamp.device = file.st_dev;
    stamp.inode = file.st_ino;
    stamp.size = file.st_size;
    stamp.modified = file.st_mtim;
    stamp.changed = file.st_ctim;
    return true;
}

timespec WallClock()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
}

// File systems keep time stamps in steps of up to two seconds: a file
// changed less than that before it was decoded may change again with the
// same stamps, so its picture is not trusted.
constexpr time_t kSettleSeconds = 2;

bool SettledBefore(const timespec& changed, const timespec& decoded)
{
    const time_t limit = decoded.tv_sec - kSettleSeconds;
    return changed.tv_sec < limit || (changed.tv_sec == limit && changed.tv_nsec < decoded.tv_nsec);
}

// The file at its own size (width 0) or scaled; null when the file cannot
// be decoded. The C loader reports a broken file through GError instead of
// throwing.
Glib::RefPtr<Gdk::Pixbuf> Decode(const std::string& path, int width, int height)
{
    GError* error = nullptr;
    GdkPixbuf* raw = gdk_pixbuf_new_from_file(path.c_str(), &error);
    if (!raw) {
        if (error)
            g_error_free(error);
        return Glib::RefPtr<Gdk::Pixbuf>();
    }
    Glib::RefPtr<Gdk::Pixbuf> picture = Glib::wrap(raw);
    if (width > 0)
        picture = picture->scale_simple(width, height, Gdk::INTERP_BILINEAR);
    return picture;
}

class PictureCache {
public:
    // The one cache of the process. Each component library links its own copy
    // of these helpers, so the cache is found through the pixbuf type's data,
    // which the whole process shares; it lives as long as the process. The
    // name's number changes with the cache's layout, so that libraries of
    // two builds never take one cache for another.
    static PictureCache& Get()
    {
        static const GQuark quark = g_quark_from_static_string("cabdisplay-picture-cache-3");
        auto* cache = static_cast<PictureCache*>(g_type_get_qdata(GDK_TYPE_PIXBUF, quark));
        if (!cache) {
            cache = new PictureCache;
            g_type_set_qdata(GDK_TYPE_PIXBUF, quark, cache);
        }
        return *cache;
    }

    Glib::RefPtr<Gdk::Pixbuf> Load(const std::string& path, int width, int height)
    {
        Glib::RefPtr<Gdk::Pixbuf> picture = Find(path, width, height);
        if (!picture && nameMissing_ && named_.insert(path).second)
            std::cout << "Picture missing: " << path << std::endl;
        return picture;
    }

    void NameMissing(bool on)
    {
        nameMissing_ = on;
        named_.clear();
    }

    std::size_t Size() const { return entries_.size(); }

    void SetClock(PictureCacheClock clock) { clock_ = clock ? clock : &WallClock; }

    void BeginRound()
    {
        if (rounds_++ == 0)
            ++round_;
    }
    void EndRound() { --rounds_; }

private:
    typedef std::tuple<std::string, int, int> Key;
    struct Entry {
        FileStamp stamp;
        Glib::RefPtr<Gdk::Pixbuf> picture;
        bool settled;
        unsigned long long lastUse;
        unsigned long long checkedInRound;  // 0: outside a round
    };

    Glib::RefPtr<Gdk::Pixbuf> Find(const std::string& path, int width, int height)
    {
        const Key key(path, width, height);
        auto found = entries_.find(key);
        if (found != entries_.end() && rounds_ > 0 && found->second.checkedInRound == round_) {
            found->second.lastUse = ++uses_;
            return found->second.picture;  // checked earlier in this refresh
        }
        FileStamp stamp;
        if (!Stamp(path, stamp)) {
            entries_.erase(key);
            return Glib::RefPtr<Gdk::Pixbuf>();
        }
        const unsigned long long checked = rounds_ > 0 ? round_ : 0;
        if (found != entries_.end() && found->second.stamp == stamp && found->second.settled) {
            found->second.lastUse = ++uses_;
            found->second.checkedInRound = checked;
            return found->second.picture;  // null for a file that stays broken
        }
        const timespec decoded = clock_();
        Entry entry{stamp, Decode(path, width, height), SettledBefore(stamp.changed, decoded), ++uses_, checked};
        if (found != entries_.end()) {
            found->second = entry;
        } else {
            if (entries_.size() >= kPictureCacheLimit)
                DropLeastUsed();
            entries_.emplace(key, entry);
        }
        return entry.picture;
    }

    void DropLeastUsed()
    {
        auto oldest = entries_.begin();
        for (auto it = entries_.begin(); it != entries_.end(); ++it)
            if (it->second.lastUse < oldest->second.lastUse)
                oldest = it;
        if (oldest != entries_.end())
            entries_.erase(oldest);
    }

    std::map<Key, Entry> entries_;
    unsigned long long uses_ = 0;
    bool nameMissing_ = false;
    std::set<std::string> named_;  // paths named since naming was turned on
    unsigned long long round_ = 0;  // the current or last check round, from 1
    int rounds_ = 0;                // rounds open now (a round may hold another)
    PictureCacheClock clock_ = &WallClock;
};

}  // namespace

std::size_t PictureCacheEntries() { return PictureCache::Get().Size(); }

void NameMissingPictures(bool on) { PictureCache::Get().NameMissing(on); }

void SetPictureCacheClock(PictureCacheClock clock) { PictureCache::Get().SetClock(clock); }

PictureCheckRound::PictureCheckRound() { PictureCache::Get().BeginRound(); }

PictureCheckRound::~PictureCheckRound() { PictureCache::Get().EndRound(); }

Glib::RefPtr<Gdk::Pixbuf> LoadPicture(const std::string& path)
{
    return PictureCache::Get().Load(path, 0, 0);
}

Glib::RefPtr<Gdk::Pixbuf> LoadPicture(const std::string& path, float width, float height)
{
    const int w = Whole(width);
    const int h = Whole(height);
    if (w <= 0 || h <= 0)
        return Glib::RefPtr<Gdk::Pixbuf>();
    return PictureCache::Get().Load(path, w, h);
}

}  // namespace compsupport
