#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>
#include <unistd.h>

namespace fuzzsupport {

namespace {

std::string workDir;

// The private folder holds plain files only.
void RemoveWorkDir()
{
    if (DIR* dir = ::opendir(workDir.c_str())) {
        while (dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.' || entry->d_name[1] > '.')
                ::unlink((workDir + "/" + entry->d_name).c_str());
        ::closedir(dir);
    }
    ::rmdir(workDir.c_str());
}

// Paths on the command line (corpus folders, artifact prefixes) keep
// pointing where they did once the working directory has moved.
void AbsolutePaths(int argc, char** argv)
{
    char here[4096];
    if (!::getcwd(here, sizeof here))
        return;
    static const char* const kPathFlags[] = {"-artifact_prefix=", "-exact_artifact_path=", "-dict="};
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::size_t at = 0;
        for (const char* flag : kPathFlags)
            if (arg.compare(0, std::strlen(flag), flag) == 0)
                at = std::strlen(flag);
        if ((at == 0 && arg[0] == '-') || arg.size() <= at || arg[at] == '/')
            continue;
        arg.insert(at, std::string(here) + "/");
        argv[i] = ::strdup(arg.c_str());  // lives as long as the run
    }
}

}  // namespace

void Check(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

void QuietStdout()
{
    if (!std::freopen("/dev/null", "w", stdout))
        std::fprintf(stderr, "standard output stays open\n");
}

void QuietInPrivateWorkDir(int* argc, char*** argv)
{
    QuietStdout();
    AbsolutePaths(*argc, *argv);
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/cabdisplay-fuzz-XXXXXX";
    if (!::mkdtemp(&pattern[0]) || ::chdir(pattern.c_str()) != 0) {
        std::perror("fuzz working folder");
        std::exit(1);
    }
    workDir = pattern;
    std::atexit(RemoveWorkDir);
}

}  // namespace fuzzsupport
