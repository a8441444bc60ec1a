#pragma once

#include "base/result.h"
#include "platform/gdi/back_buffered_widget.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// How large a fixed-size drawn window appears: a whole number of screen pixels per drawn
// pixel, chosen from the screen unless the user asked for one. The choice made with the
// program's own control is remembered between runs; the command line's holds for one run.
namespace gdi {

// What the command line asked for.
struct ScaleOption {
    enum class Kind {
        Remembered, // nothing: the remembered scale, else the automatic one
        Automatic,  // "auto": choose from the screen
        Fixed,      // a number: use it
    };
    Kind kind = Kind::Remembered;
    int scale = 1; // for Fixed: 1..BackBufferedWidget::maxScale
};

// "1" to "4", or "auto".
Result<ScaleOption> parseScaleOption(std::string_view text);

// The "--scale N" option both programs take: its help text, and a handler that
// stores a valid value in `scale` or the reason it was refused in `error`.
inline constexpr const char* kScaleOptionHelp =
    "show the window N times its size, 1 to 4, or 'auto' to choose from the screen (this run only)";
std::function<void(const std::string&)> scaleOptionHandler(ScaleOption& scale, std::string& error);

// The screen a window opens on, in device pixels.
struct ScreenFacts {
    double devicePixelRatio = 1;
    QSize size;      // the whole screen
    QSize available; // without panels and docks
};

// The scale for a drawing of `drawing` pixels: the desktop's own pixel ratio rounded, raised
// on a large screen that the desktop does not scale (2 from about 2160 pixels high, as on a
// 4K monitor), then lowered until the window fits the available area. Always 1..maxScale.
int automaticScale(const ScreenFacts& screen, QSize drawing);
// `wanted` (1..maxScale), lowered until the window fits the available area; 1 at least.
int fittingScale(const ScreenFacts& screen, QSize drawing, int wanted);

// Where a window of `window` size goes whose placement rule was made for its unscaled size:
// the rule is applied on the screen shrunk by `widgetPerDrawnPixel` and its answer scaled
// back up, then moved as little as needed to keep the window inside the `available` area.
QPoint scaledPlacement(const std::function<QPoint(QSize)>& unscaledRule, QSize screen,
                       QRect available, QSize window, double widgetPerDrawnPixel);

// The scale the user chose last, kept in a small settings file.
class RememberedScale {
public:
    explicit RememberedScale(std::filesystem::path file) : file_(std::move(file)) {}
    // `$XDG_CONFIG_HOME/<program>/window.conf` (normally under ~/.config).
    static RememberedScale forProgram(const std::string& program);

    // The remembered scale; nothing when none was saved or the file holds no valid one.
    std::optional<int> load() const;
    Status save(int scale) const;
    Status forget() const;

private:
    std::filesystem::path file_;
};

// Gives the program's main window its scale for this run: the option's, else the remembered
// one, else the automatic one for the window's screen. The command line holds for one run
// and is never remembered. A scale that does not fit the screen is lowered to the largest
// that does; for the option's, a line on stderr says so.
void applyWindowScale(BackBufferedWidget& window, const ScaleOption& option,
                      const RememberedScale& remembered);

// The window size chosen with the program's own control: `scale`, or automatic when empty.
// Applied at once (lowered to fit), the window placed again by `unscaledRule`, and the choice
// remembered for later runs (with no memory, for this run only). A choice that cannot be
// remembered still applies, and the status says why it was not kept.
Status chooseWindowScale(BackBufferedWidget& window, std::optional<int> scale,
                         const RememberedScale* remembered, QPoint (*unscaledRule)(QSize));

// Places a window on its screen by a rule made for its unscaled size, at its current scale.
void placeOnScreen(BackBufferedWidget& window, QPoint (*unscaledRule)(QSize));

} // namespace gdi
