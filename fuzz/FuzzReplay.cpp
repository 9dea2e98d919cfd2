// Stand-in for libFuzzer's main in builds without it (gcc, the sanitizer
// build): runs every file named, or every file of every folder named, once
// through the target. The seed corpus and the inputs kept from earlier
// findings are then checked on every test run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

bool IsFolder(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void Collect(const std::string& path, std::vector<std::string>& files)
{
    if (!IsFolder(path)) {
        files.push_back(path);
        return;
    }
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return;
    while (dirent* entry = ::readdir(dir))
        if (entry->d_name[0] != '.')
            Collect(path + "/" + entry->d_name, files);
    ::closedir(dir);
}

}  // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i)
        Collect(argv[i], files);
    for (const std::string& file : files) {
        std::ifstream in(file.c_str(), std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            return 1;
        }
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::fprintf(stderr, "%zu inputs run\n", files.size());
    return files.empty() ? 1 : 0;
}
