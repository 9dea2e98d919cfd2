// The twelve component libraries: one shared library each under lib/, each
// exporting its class (and none of the helpers they share), all twelve
// linked into one program that builds one object of every class.
#include "CompBoolValRect.h"
#include "CompButtonGrid.h"
#include "CompCircularGauge.h"
#include "CompDualVal.h"
#include "CompImageGrid.h"
#include "CompPressureBar.h"
#include "CompPressureBar1.h"
#include "CompProgressBar.h"
#include "CompProgressBarHolder.h"
#include "CompRectangleGrid.h"
#include "CompSingleVal.h"
#include "CompValueIndicator.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <cstdio>
#include <dlfcn.h>
#include <memory>
#include <sstream>
#include <string>
#include <type_traits>
#include <unistd.h>

namespace {

// The base class of each component is part of the contract with cabdisplay.
static_assert(std::is_base_of<Gtk::Fixed, CompImageGrid>::value, "");
static_assert(std::is_base_of<Gtk::VBox, CompButtonGrid>::value, "");
static_assert(std::is_base_of<Gtk::VBox, CompRectangleGrid>::value, "");
static_assert(std::is_base_of<Gtk::EventBox, CompCircularGauge>::value, "");
static_assert(std::is_base_of<Gtk::HBox, CompValueIndicator>::value, "");
static_assert(std::is_base_of<Gtk::Fixed, CompPressureBar1>::value, "");
static_assert(std::is_base_of<Gtk::Fixed, CompPressureBar>::value, "");
static_assert(std::is_base_of<Gtk::Fixed, CompProgressBar>::value, "");
static_assert(std::is_base_of<Gtk::HBox, CompBoolValRect>::value, "");
static_assert(std::is_base_of<Gtk::HBox, CompDualVal>::value, "");
static_assert(std::is_base_of<Gtk::HBox, CompSingleVal>::value, "");
static_assert(std::is_base_of<Gtk::HBox, CompProgressBarHolder>::value, "");

struct Library {
    const char* name;
    const char* className;
};

const Library kLibraries[] = {
    {"pictureboard", "CompImageGrid"},     {"keypanel", "CompButtonGrid"},
    {"cellpanel", "CompRectangleGrid"},    {"dialmeter", "CompCircularGauge"},
    {"numberpanel", "CompValueIndicator"}, {"airgaugetwo", "CompPressureBar1"},
    {"airgauge", "CompPressureBar"},       {"valuebox", "CompSingleVal"},
    {"barframe", "CompProgressBarHolder"}, {"pairbox", "CompDualVal"},
    {"lampbox", "CompBoolValRect"},        {"levelbar", "CompProgressBar"},
};

std::string LibraryPath(const Library& lib) { return std::string(CABDISPLAY_LIB_DIR) + "/lib" + lib.name + ".so"; }

// Itanium names of the class's complete-object constructor and destructor.
std::string Mangled(const std::string& className, const char* suffix)
{
    return "_ZN" + std::to_string(className.size()) + className + suffix;
}

// The library's defined dynamic symbols, demangled, one per line.
std::string DynamicSymbols(const std::string& path)
{
    std::string out;
    FILE* pipe = ::popen(("nm -DC --defined-only '" + path + "' 2>/dev/null").c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

void PrintTo(const Library& lib, std::ostream* out) { *out << lib.name; }

class ComponentLibrary : public testing::TestWithParam<Library> {};

TEST_P(ComponentLibrary, IsSharedAndExportsItsClass)
{
    const Library& lib = GetParam();
    const std::string path = LibraryPath(lib);
    ASSERT_EQ(::access(path.c_str(), R_OK), 0) << path;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << ::dlerror();
    for (const char* suffix : {"C1Ev", "C2Ev", "D1Ev"}) {
        const std::string symbol = Mangled(lib.className, suffix);
        EXPECT_NE(::dlsym(handle, symbol.c_str()), nullptr) << symbol;
    }
    ::dlclose(handle);
}

TEST_P(ComponentLibrary, ExportsNothingButItsClass)
{
    const std::string className = GetParam().className;
    const std::string symbols = DynamicSymbols(LibraryPath(GetParam()));
    if (symbols.empty())
        GTEST_SKIP() << "nm not available";
    EXPECT_NE(symbols.find(className + "::" + className + "()"), std::string::npos);
    // The helpers the libraries share live in namespaces of their own; none
    // of their names may leave a library.
    for (const char* helper : {"compsupport::", "rowlayout::"})
        EXPECT_EQ(symbols.find(helper), std::string::npos) << helper;
    // Every strong symbol belongs to the class (members, thunks, vtable);
    // weak ones are the toolkit's inline code.
    std::istringstream lines(symbols);
    std::string address, type, name;
    while (lines >> address >> type && std::getline(lines, name)) {
        if (type.size() == 1 && std::string("TDBRGS").find(type[0]) != std::string::npos) {
            EXPECT_NE(name.find(className), std::string::npos) << type << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Twelve, ComponentLibrary, testing::ValuesIn(kLibraries),
                         [](const testing::TestParamInfo<Library>& info) { return std::string(info.param.name); });

// This program itself links all twelve at load time.
TEST(Linkage, ProgramLinksAllTwelve)
{
    for (const Library& lib : kLibraries) {
        const std::string soname = std::string("lib") + lib.name + ".so";
        void* handle = ::dlopen(soname.c_str(), RTLD_NOW | RTLD_NOLOAD);
        EXPECT_NE(handle, nullptr) << soname << " is not loaded with the program";
        if (handle)
            ::dlclose(handle);
    }
}

TEST(Linkage, BuildsOneOfEachClass)
{
    testsupport::InitToolkit();
    testsupport::TempWorkDir dir;
    auto imageGrid = std::make_unique<CompImageGrid>();
    auto buttonGrid = std::make_unique<CompButtonGrid>();
    auto rectangleGrid = std::make_unique<CompRectangleGrid>();
    auto gauge = std::make_unique<CompCircularGauge>();
    auto indicator = std::make_unique<CompValueIndicator>();
    auto pressure1 = std::make_unique<CompPressureBar1>();
    auto pressure = std::make_unique<CompPressureBar>();
    auto single = std::make_unique<CompSingleVal>();
    auto holder = std::make_unique<CompProgressBarHolder>();
    auto dual = std::make_unique<CompDualVal>();
    auto lamp = std::make_unique<CompBoolValRect>();
    auto progress = std::make_unique<CompProgressBar>();
    const Gtk::Widget* widgets[] = {imageGrid.get(), buttonGrid.get(), rectangleGrid.get(), gauge.get(),
                                    indicator.get(), pressure1.get(),  pressure.get(),      single.get(),
                                    holder.get(),    dual.get(),       lamp.get(),          progress.get()};
    for (const Gtk::Widget* widget : widgets)
        EXPECT_NE(widget->gobj(), nullptr);
}

}  // namespace
