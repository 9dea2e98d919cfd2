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

#include "FileIo.h"

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

// False when nothing stands under the name. A link is looked at itself.
bool Stamp(const std::string& path, FileStamp& stamp)
{
    struct stat file;
    if (::lstat(path.c_str(), &file) != 0)
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

unsigned BigEndian(const std::string& bytes, std::size_t at, int count)
{
    unsigned value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The loader type and the size in pixels of a PNG or JPEG picture, from its
// first bytes; false for anything else.
bool PictureHeader(const std::string& bytes, const char*& type, unsigned& width, unsigned& height)
{
    if (bytes.size() >= 24 && bytes.compare(0, 8, "\x89PNG\r\n\x1a\n", 8) == 0 && bytes.compare(12, 4, "IHDR") == 0) {
        type = "png";
        width = BigEndian(bytes, 16, 4);
        height = BigEndian(bytes, 20, 4);
        return true;
    }
    if (bytes.size() < 4 || static_cast<unsigned char>(bytes[0]) != 0xFF || static_cast<unsigned char>(bytes[1]) != 0xD8)
        return false;
    // JPEG: the segments up to the frame header, which holds the size.
    for (std::size_t at = 2; at + 4 <= bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) != 0xFF)
            return false;
        const unsigned marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker == 0xFF) {
            ++at;  // fill byte
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            at += 2;  // no length
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA)
            return false;  // image data before any frame header
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > bytes.size())
                return false;
            type = "jpeg";
            height = BigEndian(bytes, at + 5, 2);
            width = BigEndian(bytes, at + 7, 2);
            return true;
        }
        at += 2 + BigEndian(bytes, at + 2, 2);
    }
    return false;
}

// Decodes the bytes of a picture of that type; null when they cannot be.
// The C loader reports a broken file through GError instead of throwing.
Glib::RefPtr<Gdk::Pixbuf> DecodeBytes(const std::string& bytes, const char* type)
{
    GError* error = nullptr;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type(type, &error);
    if (!loader) {
        if (error)
            g_error_free(error);
        return Glib::RefPtr<Gdk::Pixbuf>();
    }
    bool decoded = gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(bytes.data()), bytes.size(), &error);
    if (error) {
        g_error_free(error);
        error = nullptr;
    }
    decoded = gdk_pixbuf_loader_close(loader, &error) && decoded;
    if (error)
        g_error_free(error);
    GdkPixbuf* raw = decoded ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
    Glib::RefPtr<Gdk::Pixbuf> picture = raw ? Glib::wrap(raw, true) : Glib::RefPtr<Gdk::Pixbuf>();
    g_object_unref(loader);
    return picture;
}

// What became of a file asked for as a picture.
struct Decoded {
    Glib::RefPtr<Gdk::Pixbuf> picture;  // null: none
    std::string refusal;                // why the file was not decoded, when it was refused
};

// The file at its own size (width 0) or scaled: its bytes read through the
// file layer within the limits, then decoded from memory, so the file that
// was checked is the file that is decoded.
Decoded Decode(const std::string& path, int width, int height)
{
    Decoded result;
    std::string bytes;
    const fileio::Outcome read = fileio::ReadAll(path, kPictureByteLimit, bytes);
    if (!read.ok()) {
        if (read.refusal != fileio::Refusal::Missing)
            result.refusal = fileio::Reason(read);
        return result;
    }
    const char* type = nullptr;
    unsigned w = 0, h = 0;
    if (!PictureHeader(bytes, type, w, h))
        return result;  // not a picture of ours: undecodable
    if (w > unsigned(kPictureSideLimit) || h > unsigned(kPictureSideLimit)) {
        result.refusal = std::to_string(w) + " x " + std::to_string(h) + " pixels, more than " +
                         std::to_string(kPictureSideLimit) + " a side";
        return result;
    }
    result.picture = DecodeBytes(bytes, type);
    if (result.picture && width > 0)
        result.picture = result.picture->scale_simple(width, height, Gdk::INTERP_BILINEAR);
    return result;
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
        if (!picture && nameMissing_ && refused_.count(path) == 0 && named_.insert(path).second)
            std::cout << "Picture missing: " << path << std::endl;
        return picture;
    }

    void NameMissing(bool on)
    {
        nameMissing_ = on;
        named_.clear();
        refused_.clear();
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
        const Decoded file = Decode(path, width, height);
        NameRefusal(path, file.refusal);
        Entry entry{stamp, file.picture, SettledBefore(stamp.changed, decoded), ++uses_, checked};
        if (found != entries_.end()) {
            found->second = entry;
        } else {
            if (entries_.size() >= kPictureCacheLimit)
                DropLeastUsed();
            entries_.emplace(key, entry);
        }
        return entry.picture;
    }

    // A refused file is named once for each reason, whatever the naming of
    // missing pictures: what stands there is no picture of the display's.
    void NameRefusal(const std::string& path, const std::string& refusal)
    {
        if (refusal.empty()) {
            refused_.erase(path);
            return;
        }
        std::string& said = refused_[path];
        if (said == refusal)
            return;
        said = refusal;
        std::cout << path << ": not shown: " << refusal << std::endl;
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
    std::map<std::string, std::string> refused_;  // path: the reason named
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
