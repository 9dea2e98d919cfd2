// The whole program's window as the driver sees it, for the tests that run
// cabdisplay: an X server of the test's own, pictures of the window, and keys
// judged by the screen they must lead to, pressed only once the window is
// drawn and settled.
#ifndef CABDISPLAY_TESTS_WINDOWPICTURES_H
#define CABDISPLAY_TESTS_WINDOWPICTURES_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace testsupport {

// An X server of this test alone, named in DISPLAY while it runs: the
// window's pixels are read back from the screen, where the windows of tests
// running beside it would cover it. It must not reset whenever a look at the
// window disconnects, or a program connecting then finds no server.
class PrivateXServer {
public:
    PrivateXServer() = default;
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;
    // Starts it and sets DISPLAY; false when no server came up.
    bool Start();

private:
    pid_t pid_ = -1;
};

// A picture of a window: 0xRRGGBB per pixel, row by row. Empty while the
// program has no viewable window, or when the X server gave none.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned> pixels;
    bool empty() const { return pixels.empty(); }
};

// The program's top-level window (found by its _NET_WM_PID) as it shows now.
Picture WindowPicture(pid_t program);

// Saves the picture as a PNG file; false when it could not.
bool SavePicture(const Picture& picture, const std::string& pngPath);

// Share of the pixels in which two pictures differ, the title bar's clock
// (which runs on its own) left out; 1 when either is empty or the sizes differ.
double Differing(const Picture& a, const Picture& b);

// A screen switch changes a tenth of the window or more (without the
// pictures, a few hundredths: there keys are judged by any change); one
// screen shown twice differs in its live values only.
constexpr double kOtherScreen = 0.05;
constexpr double kSameScreen = 0.02;

// The keys of a running display and its window. Before the first key the
// window must be drawn and settled; each key then waits for what it must
// lead to: a screen whose picture the test holds, another screen (one not
// seen before), or any change of the window (a keypad frame that moves, a
// digit typed). A key that leads to a picture not yet known waits until the
// window has settled again, so that the picture the next key starts from is
// the whole new screen. All times are stretched by TimeFactor().
class ScreenKeys {
public:
    // quietMs: how long the window must stay as it is to count as settled;
    // it must outlast the display's longest pause between two drawings of
    // one change (a refresh, and a poll that waits for the device).
    // keypad: the controlling side of the display's keypad pseudo-terminal;
    // output: the display's output file, whose end a failure shows.
    ScreenKeys(pid_t display, int keypad, std::string output, int quietMs = 400);
    ~ScreenKeys();
    ScreenKeys(const ScreenKeys&) = delete;
    ScreenKeys& operator=(const ScreenKeys&) = delete;

    // Waits until the window is drawn (not one colour) and settled; its
    // picture then is the current one.
    ::testing::AssertionResult Settle(int ms = 15000);
    // The picture the window settled on last.
    const Picture& Current() const { return current_; }

    ::testing::AssertionResult PressTo(unsigned char key, const Picture& screen, int ms = 9000);
    ::testing::AssertionResult PressToAnotherScreen(unsigned char key, int ms = 9000);
    ::testing::AssertionResult PressToAChange(unsigned char key, int ms = 9000);
    // Each key of a sequence to a change of the window.
    ::testing::AssertionResult PressEachToAChange(const std::vector<unsigned char>& keys, int ms = 9000);

    // A key whose effect is not on the window (the test looks for it on the
    // bus or in a file): written, and read off the line by the display.
    ::testing::AssertionResult PressTaken(unsigned char key, int ms = 9000);

    // Keys of which only the end counts (the test looks for it on the bus,
    // in a file or on a screen it awaits): written at once, as a keypad
    // sends them to a driver typing fast. The display takes one key byte per
    // decode tick and keeps kKeysWaiting of them, so a longer sequence goes
    // in parts of that many, each next part once the window has settled on
    // what the part before led to. Before the first part the window must be
    // drawn and settled, as before any key.
    static constexpr std::size_t kKeysWaiting = 16;
    ::testing::AssertionResult Write(const std::vector<unsigned char>& keys, int ms = 15000);

    // The same without a key: the window turning to that screen, or to
    // another one than it settled on (a pop-up), by itself.
    ::testing::AssertionResult AwaitScreen(const Picture& screen, int ms = 9000);
    ::testing::AssertionResult AwaitAnotherScreen(int ms = 9000);

    // Runs `look` with every picture taken while a key waits.
    void WhileWaiting(std::function<void()> look) { whileWaiting_ = std::move(look); }
    // Milliseconds from writing the last key to the first picture that
    // showed what it leads to.
    long LastAnswerMs() const { return answerMs_; }

private:
    enum class Leads { ToScreen, ToAnotherScreen, ToAChange };
    ::testing::AssertionResult SettledBefore(Leads leads);
    ::testing::AssertionResult Press(unsigned char key, Leads leads, const Picture* screen, int ms);
    ::testing::AssertionResult Await(Leads leads, const Picture* screen, int ms, const std::string& failure);
    // With CABDISPLAY_TEST_PICTURES set, the pictures a failed wait saw
    // and expected, as PNG files in that folder.
    void SaveFailure(const Picture& seen, const Picture& expected) const;
    // What a failure shows: the share of pixels (with the picture seen), the
    // display running or not, the end of its output.
    std::string Describe(const Picture* seen, double differing) const;

    pid_t display_;
    int keypad_;
    int line_;  // the display's side of the keypad line, only to see what waits there
    std::string output_;
    int quietMs_;
    Picture current_;
    bool settled_ = false;  // current_ is a settled picture, not only one close to it
    std::function<void()> whileWaiting_;
    long answerMs_ = 0;
};

}  // namespace testsupport

#endif
