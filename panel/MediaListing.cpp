#include "MediaListing.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <vector>

namespace cabmedia {

std::string MediaRoot()
{
    const char* root = std::getenv("CABDISPLAY_MEDIA");
    return (root && *root) ? std::string(root) : std::string("/media");
}

bool ListMediaRoot(std::string& listing)
{
    listing.clear();
    DIR* dir = ::opendir(MediaRoot().c_str());
    if (!dir) return false;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());   // char_traits compare bytes unsigned
    for (const std::string& name : names) listing += name + '\n';
    return true;
}

}  // namespace cabmedia
