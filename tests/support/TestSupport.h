// Small helpers shared by the test programs: a private working directory,
// solid-colour fixture pictures, a toolkit set-up and widget snapshots.
#ifndef CABDISPLAY_TESTS_TESTSUPPORT_H
#define CABDISPLAY_TESTS_TESTSUPPORT_H

#include <cctype>
#include <ctime>
#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace Gtk { class OffscreenWindow; class Widget; }

namespace testsupport {

// Creates a fresh temporary directory and makes it the working directory for
// the object's lifetime (images and data files resolve against it); on
// destruction returns to the previous directory and removes the tree.
class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;
    const std::string& path() const { return path_; }
    // Writes a file (directories below the working directory are created).
    void WriteFile(const std::string& relative, const std::string& content) const;
    std::string ReadFile(const std::string& relative) const;
private:
    std::string path_;
    std::string previous_;
};

// Creates the directories of a relative path (like mkdir -p of its dirname).
void MakeParentDirs(const std::string& path);

// Writes a solid-colour picture of the given size; the format follows the
// extension (.png or .jpg/.jpeg). rgb is 0xRRGGBB.
void WritePicture(const std::string& path, int width, int height, unsigned rgb);

// Initialises the toolkit once per process (needs a display: run under Xvfb).
void InitToolkit();

// Removes a file or a whole folder tree (nothing happens when it is missing).
void RemoveTree(const std::string& path);

// Copies the files directly in folder `from` (the picture set) into folder
// `to`, which is created; sub-folders are left out. False when a file could
// not be read or written whole.
bool CopyFolder(const std::string& from, const std::string& to);

// How much longer than here the programs under test may take: the
// sanitizer tree runs them several times slower, a busy machine a little.
// A whole number from CABDISPLAY_TEST_TIME_FACTOR (1 to 100), else 1.
int TimeFactor();

// A time in milliseconds stretched by TimeFactor().
int Scaled(int ms);

// Asks done() every 50 ms until it holds or Scaled(ms) milliseconds have
// passed; its last answer.
bool WaitFor(const std::function<bool()>& done, int ms);

// How often a text holds a word (a program's output, a log).
std::size_t CountOf(const std::string& text, const std::string& word);

// Runs pending main-loop work until nothing is left.
void DrainEvents();

// Test names of table-driven cases: the case's name (info.param.name) with
// every character that is not a letter or a digit as '_'.
struct CaseName {
    template <typename Info>
    std::string operator()(const Info& info) const
    {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    }
};

// Saves what an off-screen window shows as a PNG file, and checks what every
// render must show: a picture of the size asked for (a component that asks
// for more grows the window), in more than one colour, and the text of every
// shown label below textsOf (none when null) drawn whole inside the box the
// layout gave the label and inside its parent's box. The failure names the
// file and each fault.
::testing::AssertionResult SaveRender(Gtk::OffscreenWindow& window, int width, int height, const std::string& pngPath,
                                      Gtk::Widget* textsOf);

// Shows the widget alone in an off-screen window of the given size, lets it
// draw, and saves and checks the window's picture as SaveRender does, every
// label's text too unless checkTexts is false.
::testing::AssertionResult SnapshotWidget(Gtk::Widget& widget, int width, int height, const std::string& pngPath,
                                          bool checkTexts = true);

// A whole file as it stands ("" when it cannot be read), and a file
// written anew with `content`.
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& content);

// The wall clock three seconds ahead: given to the picture cache, every
// picture counts as settled at once and is kept.
timespec ThreeSecondsAhead();

}  // namespace testsupport

#endif
