#include "MediaListing.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "FileIo.h"

namespace cabmedia {

std::string MediaRoot()
{
    const char* root = std::getenv("CABDISPLAY_MEDIA");
    return (root && *root) ? std::string(root) : std::string("/media");
}

bool ListMediaRoot(std::string& listing)
{
    listing.clear();
    const std::string root = MediaRoot();
    std::vector<std::string> names;
    // The cab's own folder: followed when it is a link.
    const fileio::Outcome outcome = fileio::ListFolder(root, kMediaEntryLimit, names, true);
    const bool crowded = outcome.refusal == fileio::Refusal::TooManyEntries;
    fileio::Report(root, "not all looked at", crowded ? outcome : fileio::Outcome());
    fileio::Report(root, "not listed", crowded ? fileio::Outcome() : outcome);
    if (!outcome.ok() && !crowded) return false;
    std::sort(names.begin(), names.end());   // char_traits compare bytes unsigned
    for (const std::string& name : names)
        if (name[0] != '.') listing += name + '\n';
    return true;
}

}  // namespace cabmedia
