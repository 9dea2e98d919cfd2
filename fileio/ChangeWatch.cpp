#include "ChangeWatch.h"

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

#include "FileIo.h"

namespace fileio {

namespace {

// What may change the file, seen on the file and on its name in the folder.
constexpr unsigned kFileEvents = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVE_SELF | IN_DELETE_SELF;
constexpr unsigned kFolderEvents =
    IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MOVE_SELF |
    IN_DELETE_SELF;

}  // namespace

ChangeWatch::~ChangeWatch()
{
    if (fd_ >= 0) ::close(fd_);
}

bool ChangeWatch::Watch(const std::string& path)
{
    if (fd_ < 0) fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) return false;
    name_ = NameOf(path);
    if (folderWatch_ < 0)
        folderWatch_ = ::inotify_add_watch(fd_, FolderOf(path).c_str(), kFolderEvents | IN_ONLYDIR);
    if (fileWatch_ >= 0) ::inotify_rm_watch(fd_, fileWatch_);
    // Missing, or a link (never followed): the folder's watch sees it come.
    fileWatch_ = ::inotify_add_watch(fd_, path.c_str(), kFileEvents | IN_DONT_FOLLOW);
    Drain(false);  // what came before does not count
    return Watching();
}

bool ChangeWatch::Changed() { return Drain(false); }

bool ChangeWatch::ChangedBesidesOwnAppend() { return Drain(true); }

bool ChangeWatch::Drain(bool ownAppend)
{
    if (!Watching()) return true;
    bool changed = false;
    int closes[2] = {0, 0};  // on the file, on the name in the folder
    alignas(inotify_event) char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // nothing more (EAGAIN)
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            const inotify_event* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                changed = true;
                continue;
            }
            const bool onFile = event->wd == fileWatch_;
            if (!onFile && event->wd != folderWatch_) continue;  // a watch given up earlier
            if (!onFile && event->len > 0 && std::strcmp(event->name, name_.c_str()) != 0) continue;  // another file
            if (event->mask & IN_IGNORED) {
                // The watch is gone with its file (or folder).
                if (onFile) fileWatch_ = -1;
                else folderWatch_ = -1;
                changed = true;
                continue;
            }
            if (!onFile && event->len == 0) {
                // The folder itself: only its moving or removal matters.
                changed = changed || (event->mask & (IN_MOVE_SELF | IN_DELETE_SELF)) != 0;
                continue;
            }
            const unsigned own = IN_MODIFY | IN_CLOSE_WRITE | (onFile ? 0u : unsigned(IN_CREATE));
            if (!ownAppend || (event->mask & ~own) != 0) {
                changed = true;
            } else if (event->mask & IN_CLOSE_WRITE) {
                changed = changed || ++closes[onFile ? 0 : 1] > 1;  // one close is the append's own
            }
        }
    }
    if (!Watching()) return true;
    return changed;
}

}  // namespace fileio
