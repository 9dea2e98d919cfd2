// Whether a file may have changed since the display last looked, told by
// the kernel (inotify) rather than by the file's time stamps: those move in
// steps of up to two seconds on some file systems (FAT, ext4 with small
// inodes) or of one clock tick on older kernels, so a same-size change
// within the step leaves size and stamps as they were. The watch covers the
// file itself and its name in its folder (a file renamed over it, a removal).
#ifndef CABDISPLAY_FILEIO_CHANGEWATCH_H
#define CABDISPLAY_FILEIO_CHANGEWATCH_H

#include <string>

namespace fileio {

class ChangeWatch {
public:
    ChangeWatch() = default;
    ~ChangeWatch();
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    // Watches the file at `path` (from now on; the file may be missing) and
    // forgets what happened before. False when the system cannot watch it:
    // Changed() then always says it may have changed.
    bool Watch(const std::string& path);
    bool Watching() const { return fd_ >= 0 && folderWatch_ >= 0; }

    // True when the file may have changed since the last call: written,
    // truncated, given other times or rights, renamed, removed, another
    // file renamed into its place, or events lost.
    bool Changed();
    // The same, not counting what one append of the display's own, just
    // made, leaves: writes, one close, and the file's creation.
    bool ChangedBesidesOwnAppend();

private:
    bool Drain(bool ownAppend);

    int fd_ = -1;
    int folderWatch_ = -1;
    int fileWatch_ = -1;
    std::string name_;
};

}  // namespace fileio

#endif
