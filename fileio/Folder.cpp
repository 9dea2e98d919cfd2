#include "FileIo.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>

namespace fileio {

Outcome OpenFolder(const std::string& path, Descriptor& folder, bool followLink, int at)
{
    // O_DIRECTORY refuses a pipe or device before anything would wait on it.
    const int flags = O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    folder.Reset(::openat(at, path.c_str(), flags));
    if (folder.open()) return Outcome();
    if (errno == ENOTDIR) {
        struct stat named {};
        const bool link = ::fstatat(at, path.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(named.st_mode);
        return Outcome::Because(link && !followLink ? Refusal::Link : Refusal::NotAFolder);
    }
    return Outcome::FromErrno(errno);
}

Outcome ListFolder(int folder, std::size_t entryLimit, std::vector<std::string>& names)
{
    names.clear();
    // The listing reads through a descriptor of its own, from the start.
    const int own = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (own < 0) return Outcome::FromErrno(errno);
    DIR* dir = ::fdopendir(own);
    if (!dir) {
        const int error = errno;
        ::close(own);
        return Outcome::FromErrno(error);
    }
    ::rewinddir(dir);
    Outcome outcome;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        if (names.size() == entryLimit) {
            outcome = Outcome::Because(Refusal::TooManyEntries, entryLimit);
            break;
        }
        names.emplace_back(entry->d_name);
    }
    if (outcome.ok() && errno != 0) outcome = Outcome::FromErrno(errno);
    ::closedir(dir);
    return outcome;
}

Outcome ListFolder(const std::string& path, std::size_t entryLimit, std::vector<std::string>& names,
                   bool followLink)
{
    names.clear();
    Descriptor folder;
    const Outcome opened = OpenFolder(path, folder, followLink);
    if (!opened.ok()) return opened;
    return ListFolder(folder.get(), entryLimit, names);
}

}  // namespace fileio
