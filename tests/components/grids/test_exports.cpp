// The five libraries of the grids, the dial and the value row: each exports
// its own class and none of the helpers it is built from, whatever the
// build type (an unoptimised build keeps template and inline helpers as
// symbols of their own).
#include <gtest/gtest.h>

#include <link.h>

#include <cstdio>
#include <string>

namespace {

// Path of the loaded shared library lib<name>.so (the test links all five).
std::string LoadedLibrary(const std::string& name)
{
    struct Search {
        std::string file;
        std::string path;
    } search{"/lib" + name + ".so", ""};
    ::dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* data) {
            Search& s = *static_cast<Search*>(data);
            const std::string path = info->dlpi_name ? info->dlpi_name : "";
            if (path.size() >= s.file.size() && path.compare(path.size() - s.file.size(), s.file.size(), s.file) == 0) {
                s.path = path;
                return 1;
            }
            return 0;
        },
        &search);
    return search.path;
}

std::string ExportedSymbols(const std::string& library)
{
    std::string symbols;
    FILE* pipe = ::popen(("nm -DC --defined-only '" + library + "' 2>/dev/null").c_str(), "r");
    if (!pipe)
        return symbols;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        symbols.append(buffer, n);
    ::pclose(pipe);
    return symbols;
}

struct Library {
    const char* name;
    const char* className;
};

TEST(HelperExports, NoHelperLeavesAComponentLibrary)
{
    const Library libraries[] = {
        {"pictureboard", "CompImageGrid"}, {"keypanel", "CompButtonGrid"},
        {"cellpanel", "CompRectangleGrid"}, {"dialmeter", "CompCircularGauge"},
        {"numberpanel", "CompValueIndicator"},
    };
    for (const Library& lib : libraries) {
        SCOPED_TRACE(lib.className);
        const std::string path = LoadedLibrary(lib.name);
        ASSERT_NE(path.find(".so"), std::string::npos) << path;
        const std::string symbols = ExportedSymbols(path);
        if (symbols.empty())
            GTEST_SKIP() << "nm not available";
        const std::string className = lib.className;
        EXPECT_NE(symbols.find(className + "::" + className + "()"), std::string::npos);
        for (const char* helper : {"gridsupport::", "dialstyle::", "compsupport::"})
            EXPECT_EQ(symbols.find(helper), std::string::npos) << helper << " in " << path;
    }
}

}  // namespace
